// QtUserInterface: how the program's operations talk to the person at the
// screen — message boxes titled "ZAV" with the system's own buttons, the
// choice dialogs and the system clipboard. Each may be called from work
// running off the window's thread; the dialog still opens on it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/UserInterface.h"

class QtUserInterface : public zav::UserInterface {
public:
    // Dialogs open over `parent`, or over the active window when it is
    // unset or gone.
    void SetParentWidget(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    std::optional<int> ChooseOne(const std::string& caption,
                                 const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseSeveral(const std::string& caption,
                                                  const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseToDelete(const std::vector<std::string>& texts) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> GetClipboardText() override;
    bool SetClipboardText(const std::string& text) override;

private:
    QWidget* Parent() const;
    int Ask(int icon, const std::string& text, int buttons) const;
    int AskHere(int icon, const std::string& text, int buttons) const;

    QPointer<QWidget> m_parent;
};
