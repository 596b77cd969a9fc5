// zav: the desktop program.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <memory>

#include "app/frame/CMainFrame.h"
#include "app/frame/CZAVApp.h"
#include "app/frame/FileDialogs.h"
#include "app/frame/QtUserInterface.h"
#include "app/screenshots/Screenshots.h"
#include "core/FileIO.h"
#include "core/UserInterface.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes on the user's locale; numbers in files and tables are read
    // and written with the C library's own rules.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("ZAV"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1.12"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zav"));

    StartOptions options = ParseCommandLine(QCoreApplication::arguments());
    // Pictures for the documentation leave the person's own settings (recent
    // files, "ZAV CWD") alone.
    QTemporaryDir scratch;
    std::unique_ptr<QSettings> settings =
        options.screenshotsDir.isEmpty()
            ? std::make_unique<QSettings>()
            : std::make_unique<QSettings>(scratch.filePath(QStringLiteral("settings.ini")),
                                          QSettings::IniFormat);
    QtUserInterface dialogsUi;
    // Pictures are taken with nobody at the screen: a message goes to
    // standard error and a question is answered Yes, so nothing waits.
    zav::ConsoleUserInterface consoleUi;
    const bool screenshots = !options.screenshotsDir.isEmpty();
    zav::UserInterface& ui = screenshots ? static_cast<zav::UserInterface&>(consoleUi) : dialogsUi;
    QtFileDialogs dialogs;
    CZAVApp zav(ui, dialogs, *settings, QString::fromStdString(zav::ProgramDirectory()));
    if (!zav.InitInstance(options)) {
        return 1;
    }
    dialogsUi.SetParentWidget(zav.MainFrame());
    if (screenshots) {
        return RenderScreenshots(*zav.MainFrame(), options.screenshotsDir) ? 0 : 1;
    }
    return QApplication::exec();
}
