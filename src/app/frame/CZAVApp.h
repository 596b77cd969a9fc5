// CZAVApp: starting the program — the main window, the splash, the project
// named on the command line (or a new one) and the working directory, in
// that order. The caller owns the Qt application, the settings and the ways
// of reaching the person at the screen.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class AppSettings;
class CMainFrame;
class FileDialogs;
class QSettings;
namespace zav {
class UserInterface;
}

struct StartOptions {
    QString projectPath;  // absolute, resolved before the directory changes
    bool splash = true;
    QString screenshotsDir;  // absolute; render the pages there and stop
};

// The program's arguments (the first is the program).
StartOptions ParseCommandLine(const QStringList& arguments);

class CZAVApp {
public:
    CZAVApp(zav::UserInterface& ui, FileDialogs& dialogs, QSettings& settings,
            const QString& programDir);
    ~CZAVApp();

    // False when the program cannot start (the project named on the
    // command line could not be opened, after its message).
    bool InitInstance(const StartOptions& options);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    AppSettings& Settings() const { return *m_settings; }

private:
    zav::UserInterface& m_ui;
    FileDialogs& m_dialogs;
    std::unique_ptr<AppSettings> m_settings;
    QString m_programDir;
    std::unique_ptr<CMainFrame> m_frame;
};
