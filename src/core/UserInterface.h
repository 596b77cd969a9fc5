// How the Qt-free layers talk to a person: messages with an OK button, Yes/No
// questions, choices from a list of texts and the clipboard. The desktop
// program answers with dialogs, zav-cli with standard error and fixed
// answers, and tests with a script that records every message (in
// tests/common).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zav {

class UserInterface {
public:
    enum class Answer { kYes, kNo, kCancel };

    virtual ~UserInterface() = default;

    // A modal message with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The same with an exclamation icon, where the program warns.
    virtual void ShowWarning(const std::string& text) { ShowMessage(text); }
    // Yes/No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Yes/No/Cancel, as before a modified project closes. Where only Yes
    // and No can be given, the answer is one of those.
    virtual Answer AskYesNoCancel(const std::string& text) {
        return AskYesNo(text) ? Answer::kYes : Answer::kNo;
    }
    // One text from a list, titled `caption`; the chosen index or nothing
    // when cancelled.
    virtual std::optional<int> ChooseOne(const std::string& caption,
                                         const std::vector<std::string>& texts) = 0;
    // Several texts; indices ascending, nothing when cancelled.
    virtual std::optional<std::vector<int>> ChooseSeveral(
        const std::string& caption, const std::vector<std::string>& texts) = 0;
    // Items to delete; indices highest first, nothing when cancelled.
    virtual std::optional<std::vector<int>> ChooseToDelete(
        const std::vector<std::string>& texts) = 0;
    // A line of text in a box titled `title` under `prompt`, starting as
    // `initial`; nothing when cancelled. Where nobody can type, it is
    // cancelled.
    virtual std::optional<std::string> AskText(const std::string& /*title*/,
                                               const std::string& /*prompt*/,
                                               const std::string& /*initial*/) {
        return std::nullopt;
    }
    // Plain-text clipboard; nothing when it cannot be opened.
    virtual std::optional<std::string> GetClipboardText() = 0;
    virtual bool SetClipboardText(const std::string& text) = 0;
};

// For batch work: messages go to standard error, questions get a fixed
// answer, choices are cancelled, and the clipboard lives in memory.
class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(bool answerYes = true) : m_answerYes(answerYes) {}

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<int> ChooseOne(const std::string& caption,
                                 const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseSeveral(const std::string& caption,
                                                  const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseToDelete(const std::vector<std::string>& texts) override;
    std::optional<std::string> GetClipboardText() override;
    bool SetClipboardText(const std::string& text) override;

    int MessageCount() const { return m_messageCount; }

private:
    bool m_answerYes;
    int m_messageCount = 0;
    std::string m_clipboard;
};

}  // namespace zav
