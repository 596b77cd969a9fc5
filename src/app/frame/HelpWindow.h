// HelpWindow: the user manual in a window of its own beside the main window.
// It is read from the manual folder the program ships (build folder or
// installed), so links and pictures beside it resolve; the copy built into
// the program stands in when that folder is missing.
#pragma once

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `manualFolder`: where manual.md lies (ProgramFolder's "manual").
    explicit HelpWindow(const QString& manualFolder, QWidget* parent = nullptr);
    QTextBrowser& Browser() const { return *m_browser; }

private:
    QTextBrowser* m_browser;
};
