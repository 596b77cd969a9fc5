#include "app/frame/CZAVApp.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "app/frame/AppSettings.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CSplashWindow.h"
#include "io/CZAVDoc.h"

StartOptions ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("ZAV: environmental monitoring time series"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("A .zav project to open; none starts a new one."));
    QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                QStringLiteral("Start without the title picture."));
    QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        QStringLiteral("Save a picture of the main window with each tab to DIR and quit."),
        QStringLiteral("DIR"));
    parser.addOption(noSplash);
    parser.addOption(screenshots);
    parser.process(arguments);

    StartOptions options;
    options.splash = !parser.isSet(noSplash) && !parser.isSet(screenshots);
    // Made absolute now: the working-directory rule moves the current
    // folder before the pictures are taken.
    if (parser.isSet(screenshots)) {
        options.screenshotsDir = QFileInfo(parser.value(screenshots)).absoluteFilePath();
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.projectPath = QFileInfo(parser.positionalArguments().front()).absoluteFilePath();
    }
    return options;
}

CZAVApp::CZAVApp(zav::UserInterface& ui, FileDialogs& dialogs, QSettings& settings,
                 const QString& programDir)
    : m_ui(ui),
      m_dialogs(dialogs),
      m_settings(std::make_unique<AppSettings>(settings)),
      m_programDir(programDir) {}

CZAVApp::~CZAVApp() = default;

bool CZAVApp::InitInstance(const StartOptions& options) {
    m_frame = std::make_unique<CMainFrame>(m_ui, m_dialogs, *m_settings, m_programDir);
    if (options.splash) {
        CSplashWindow::ShowSplashScreen(m_frame.get());
    }
    if (options.projectPath.isEmpty()) {
        m_frame->OnFileNew();
    } else if (m_frame->OpenDocumentFile(options.projectPath) == nullptr) {
        return false;
    }
    m_frame->resize(1200, 800);
    m_frame->show();
    m_frame->OfferRecovery();
    // The program's file dialogs open in the working directory: the folder
    // the installer named, or the examples beside the current folder.
    zav::ApplyWorkingDirectoryRule(m_settings->ZavCwd().toStdString(),
                                   QDir::currentPath().toStdString() + "/../examples");
    return true;
}
