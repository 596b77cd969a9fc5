// HelpWindow: the user manual, which ships inside the program, in a window
// of its own beside the main window.
#pragma once

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser& Browser() const { return *m_browser; }

private:
    QTextBrowser* m_browser;
};
