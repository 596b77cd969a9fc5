#include "app/frame/CMainFrame.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/dialogs/CAboutDialog.h"
#include "app/dialogs/UndoHistoryDialog.h"
#include "app/frame/AppSettings.h"
#include "app/frame/BackgroundWork.h"
#include "app/frame/CChildFrame.h"
#include "app/frame/CZAVView.h"
#include "app/frame/FileDialogs.h"
#include "app/frame/HelpWindow.h"
#include "app/frame/KeyStateIndicators.h"
#include "app/frame/OpenProject.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "app/rules/CommandTable.h"
#include "app/rules/DroppedFiles.h"
#include "core/ProgramFiles.h"
#include "core/UserInterface.h"

CMainFrame::CMainFrame(zav::UserInterface& ui, FileDialogs& dialogs, AppSettings& settings,
                       const QString& programDir)
    : m_ui(ui),
      m_dialogs(dialogs),
      m_settings(settings),
      m_programDir(programDir),
      m_mdi(new QMdiArea(this)) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("ZAV"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zav.svg")));
    setAcceptDrops(true);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    UpdateRecentFileActions();
    UpdateFrameState();
    const int minutes = m_settings.AutosaveMinutes();
    if (minutes > 0) {
        m_autosave = new QTimer(this);
        m_autosave->setObjectName(QStringLiteral("autosaveTimer"));
        connect(m_autosave, &QTimer::timeout, this, &CMainFrame::OnAutosave);
        m_autosave->start(minutes * 60 * 1000);
    }
}

CMainFrame::~CMainFrame() {
    // The windows going with the frame must not make it update itself.
    disconnect(m_mdi, nullptr, this, nullptr);
}

// --- building ------------------------------------------------------------------

QAction* CMainFrame::MakeAction(int id) {
    int count = 0;
    const CommandInfo* table = CommandTable(count);
    const CommandInfo* info =
        std::find_if(table, table + count, [id](const CommandInfo& c) { return c.id == id; });
    auto* action = new QAction(QString::fromLatin1(info->text), this);
    action->setData(id);
    if (info->prompt != nullptr) {
        const QString prompt = QString::fromLatin1(info->prompt);
        const int cut = prompt.indexOf(QLatin1Char('\n'));
        action->setStatusTip(cut < 0 ? prompt : prompt.left(cut));
        if (cut >= 0) {
            action->setToolTip(prompt.mid(cut + 1));
        }
    }
    if (info->shortcut != nullptr) {
        action->setShortcut(QKeySequence(QString::fromLatin1(info->shortcut)));
    }
    if (info->icon != nullptr) {
        action->setIcon(QIcon(QString::fromLatin1(info->icon)));
    }
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    connect(MakeAction(cmd::kFileNew), &QAction::triggered, this, [this] { OnFileNew(); });
    connect(MakeAction(cmd::kFileOpen), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(MakeAction(cmd::kFileClose), &QAction::triggered, this, &CMainFrame::OnFileClose);
    connect(MakeAction(cmd::kFileSave), &QAction::triggered, this, [this] { OnFileSave(); });
    connect(MakeAction(cmd::kFileSaveAs), &QAction::triggered, this, [this] { OnFileSaveAs(); });
    connect(MakeAction(cmd::kAppExit), &QAction::triggered, this, &QWidget::close);
    connect(MakeAction(cmd::kEditUndo), &QAction::triggered, this, &CMainFrame::OnEditUndo);
    connect(MakeAction(cmd::kEditRedo), &QAction::triggered, this, &CMainFrame::OnEditRedo);
    // Redo answers the system's own keys as well (Ctrl+Shift+Z here).
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(QStringLiteral("Ctrl+Y")))) {
        redoKeys.prepend(QKeySequence(QStringLiteral("Ctrl+Y")));
    }
    Action(cmd::kEditRedo)->setShortcuts(redoKeys);
    connect(MakeAction(cmd::kEditHistory), &QAction::triggered, this, &CMainFrame::OnEditHistory);
    connect(MakeAction(cmd::kAddAgencyFiles), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnAddAgencyFiles();
        }
    });
    connect(MakeAction(cmd::kAddFromSpreadsheet), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnAddFromSpreadsheet();
        }
    });
    connect(MakeAction(cmd::kAddFromCsv), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnAddFromCsv();
        }
    });
    connect(MakeAction(cmd::kExportData), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnExportData();
        }
    });
    connect(MakeAction(cmd::kAddCentury), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnAddCentury();
        }
    });
    connect(MakeAction(cmd::kGenerateStationFiles), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            active->View().OnGenerateStationFiles();
        }
    });
    connect(MakeAction(cmd::kSummaryTables), &QAction::triggered, this, [this] {
        if (CChildFrame* active = ActiveChild()) {
            ZAVViewSheet& sheet = active->View().Sheet();
            sheet.setCurrentWidget(&sheet.DataAvail());
            sheet.DataAvail().OnSummaryTables();
        }
    });
    MakeAction(cmd::kViewToolbar)->setCheckable(true);
    MakeAction(cmd::kViewStatusBar)->setCheckable(true);
    connect(MakeAction(cmd::kWindowNew), &QAction::triggered, this, [this] { OnWindowNew(); });
    connect(MakeAction(cmd::kWindowCascade), &QAction::triggered, this,
            [this] { Arrange(&QMdiArea::cascadeSubWindows); });
    connect(MakeAction(cmd::kWindowTile), &QAction::triggered, this,
            [this] { Arrange(&QMdiArea::tileSubWindows); });
    connect(MakeAction(cmd::kWindowArrange), &QAction::triggered, this,
            &CMainFrame::OnWindowArrangeIcons);
    connect(MakeAction(cmd::kHelpFinder), &QAction::triggered, this, &CMainFrame::OnHelpFinder);
    // The system's keys for Exit and Help, beside menu texts that stay as
    // they have always read.
    Action(cmd::kAppExit)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    Action(cmd::kHelpFinder)->setShortcut(QKeySequence(QKeySequence::HelpContents));
    connect(MakeAction(cmd::kAppAbout), &QAction::triggered, this, &CMainFrame::OnAppAbout);

    for (int i = 0; i < AppSettings::kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setData(cmd::kRecentFile1 + i);
        action->setStatusTip(QStringLiteral("Open this document"));
        connect(action, &QAction::triggered, this, [this, i] { OnOpenRecentFile(i); });
        m_recentActions[i] = action;
    }
    // What the list shows while it is empty.
    m_recentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
    m_recentPlaceholder->setStatusTip(QStringLiteral("Open this document"));
    m_recentPlaceholder->setEnabled(false);
}

void CMainFrame::CreateMenus() {
    auto fileMenu = [this](bool withDocument) {
        auto* menu = new QMenu(QStringLiteral("&File"), this);
        menu->addAction(Action(cmd::kFileNew));
        menu->addAction(Action(cmd::kFileOpen));
        if (withDocument) {
            menu->addAction(Action(cmd::kFileClose));
            menu->addAction(Action(cmd::kFileSave));
            menu->addAction(Action(cmd::kFileSaveAs));
        }
        menu->addSeparator();
        menu->addAction(m_recentPlaceholder);
        for (QAction* recent : m_recentActions) {
            menu->addAction(recent);
        }
        menu->addSeparator();
        menu->addAction(Action(cmd::kAppExit));
        return menu;
    };
    m_fileMenuNoDoc = fileMenu(false);
    m_fileMenuDoc = fileMenu(true);

    m_editMenu = new QMenu(QStringLiteral("&Edit"), this);
    m_editMenu->addAction(Action(cmd::kEditUndo));
    m_editMenu->addAction(Action(cmd::kEditRedo));
    m_editMenu->addSeparator();
    m_editMenu->addAction(Action(cmd::kEditHistory));

    m_dataMenu = new QMenu(QStringLiteral("&Data"), this);
    m_dataMenu->addAction(Action(cmd::kAddAgencyFiles));
    m_dataMenu->addAction(Action(cmd::kAddFromSpreadsheet));
    m_dataMenu->addAction(Action(cmd::kAddFromCsv));
    m_dataMenu->addAction(Action(cmd::kExportData));
    m_dataMenu->addAction(Action(cmd::kAddCentury));
    m_dataMenu->addAction(Action(cmd::kGenerateStationFiles));
    m_dataMenu->addSeparator();
    m_dataMenu->addAction(Action(cmd::kSummaryTables));

    m_viewMenu = new QMenu(QStringLiteral("&View"), this);
    m_viewMenu->addAction(Action(cmd::kViewToolbar));
    m_viewMenu->addAction(Action(cmd::kViewStatusBar));

    m_windowMenu = new QMenu(QStringLiteral("&Window"), this);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
    FillWindowMenu();

    m_helpMenu = new QMenu(QStringLiteral("&Help"), this);
    m_helpMenu->addAction(Action(cmd::kHelpFinder));
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(Action(cmd::kAppAbout));
    ShowMenusFor(false);
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->addAction(Action(cmd::kFileNew));
    m_toolBar->addAction(Action(cmd::kFileOpen));
    m_toolBar->addAction(Action(cmd::kFileSave));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(cmd::kAppAbout));
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    QAction* toggle = Action(cmd::kViewToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    m_messagePane = new QLabel(QStringLiteral("Ready"), bar);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(m_messagePane, 1);
    m_keyStates = new KeyStateIndicators(*bar);

    QAction* toggle = Action(cmd::kViewStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::ShowMenusFor(bool documentOpen) {
    if (m_menusShown == static_cast<int>(documentOpen)) {
        return;
    }
    m_menusShown = documentOpen;
    QMenuBar* bar = menuBar();
    bar->clear();
    bar->addMenu(documentOpen ? m_fileMenuDoc : m_fileMenuNoDoc);
    if (documentOpen) {
        bar->addMenu(m_editMenu);
        bar->addMenu(m_dataMenu);
    }
    bar->addMenu(m_viewMenu);
    if (documentOpen) {
        bar->addMenu(m_windowMenu);
    }
    bar->addMenu(m_helpMenu);
}

void CMainFrame::UpdateRecentFileActions() {
    const QStringList files = m_settings.RecentFiles();
    for (int i = 0; i < AppSettings::kRecentFileCount; ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
        }
    }
    m_recentPlaceholder->setVisible(files.isEmpty());
}

void CMainFrame::FillWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addAction(Action(cmd::kWindowNew));
    m_windowMenu->addAction(Action(cmd::kWindowCascade));
    m_windowMenu->addAction(Action(cmd::kWindowTile));
    m_windowMenu->addAction(Action(cmd::kWindowArrange));
    const QList<CChildFrame*> children = Children();
    if (!children.isEmpty()) {
        m_windowMenu->addSeparator();
    }
    int number = 0;
    for (CChildFrame* child : children) {
        QString title = child->windowTitle().remove(QStringLiteral("[*]"));
        QAction* item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(title));
        item->setCheckable(true);
        item->setChecked(child == ActiveChild());
        connect(item, &QAction::triggered, this,
                [this, child] { m_mdi->setActiveSubWindow(child); });
    }
}

// --- state -----------------------------------------------------------------------

QAction* CMainFrame::Action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        auto* child = qobject_cast<CChildFrame*>(window);
        if (child != nullptr && !child->IsClosed()) {
            children << child;
        }
    }
    return children;
}

CChildFrame* CMainFrame::ActiveChild() const {
    auto* child = qobject_cast<CChildFrame*>(m_mdi->activeSubWindow());
    return child != nullptr && !child->IsClosed() ? child : nullptr;
}

void CMainFrame::UpdateFrameState() {
    const QList<CChildFrame*> children = Children();
    CChildFrame* active = ActiveChild();
    ShowMenusFor(active != nullptr);
    for (int id : {cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs, cmd::kAddAgencyFiles,
                   cmd::kAddFromSpreadsheet, cmd::kAddFromCsv, cmd::kExportData, cmd::kAddCentury,
                   cmd::kGenerateStationFiles, cmd::kWindowNew, cmd::kWindowCascade,
                   cmd::kWindowTile, cmd::kWindowArrange, cmd::kEditHistory, cmd::kSummaryTables}) {
        Action(id)->setEnabled(active != nullptr);
    }
    UpdateUndoActions(active);
    // Windows of one project are numbered in the order they were opened.
    std::map<const OpenProject*, std::pair<int, int>> numbering;  // count, next
    for (CChildFrame* child : children) {
        ++numbering[&child->Project()].first;
    }
    for (CChildFrame* child : children) {
        auto& [count, next] = numbering[&child->Project()];
        child->UpdateCaption(++next, count);
    }
    const bool modified = active != nullptr && active->Project().Doc().IsModified();
    if (isWindowModified() != modified) {
        setWindowModified(modified);
    }
    if (active == nullptr) {
        setWindowTitle(QStringLiteral("ZAV"));
    }
}

void CMainFrame::UpdateUndoActions(CChildFrame* active) {
    const zav::UndoStack* history =
        active != nullptr ? &active->Project().Doc().History() : nullptr;
    QAction* undo = Action(cmd::kEditUndo);
    QAction* redo = Action(cmd::kEditRedo);
    undo->setEnabled(history != nullptr && history->CanUndo());
    redo->setEnabled(history != nullptr && history->CanRedo());
    undo->setText(QString::fromStdString(
        UndoMenuText(false, history != nullptr ? history->UndoName() : std::string())));
    redo->setText(QString::fromStdString(
        UndoMenuText(true, history != nullptr ? history->RedoName() : std::string())));
}

void CMainFrame::OnEditUndo() {
    if (CChildFrame* active = ActiveChild()) {
        active->View().CommitEdits();
        active->Project().Doc().Undo();
    }
}

void CMainFrame::OnEditRedo() {
    if (CChildFrame* active = ActiveChild()) {
        active->View().CommitEdits();
        active->Project().Doc().Redo();
    }
}

void CMainFrame::OnEditHistory() {
    if (CChildFrame* active = ActiveChild()) {
        active->View().CommitEdits();
        UndoHistoryDialog dialog(active->Project().Doc(), this);
        dialog.exec();
    }
}

// --- project windows ---------------------------------------------------------

std::shared_ptr<OpenProject> CMainFrame::MakeProject(int untitledNumber) {
    zav::DocumentEnvironment environment;
    environment.programDir = m_programDir.toStdString();
    environment.userDataHome = zav::UserDataHome();
    environment.zavCwdSetting = m_settings.ZavCwd().toStdString();
    return std::make_shared<OpenProject>(m_ui, environment, untitledNumber);
}

CChildFrame* CMainFrame::AddChild(std::shared_ptr<OpenProject> project) {
    auto* child = new CChildFrame(std::move(project), m_dialogs, *this);
    m_mdi->addSubWindow(child);
    child->showMaximized();
    m_mdi->setActiveSubWindow(child);
    UpdateFrameState();
    return child;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    // A project window is always shown maximised, except while the Window
    // menu arranges them.
    if (window != nullptr && !m_arranging && !window->isMaximized() && !window->isMinimized()) {
        window->showMaximized();
    }
    UpdateFrameState();
}

CChildFrame* CMainFrame::OnFileNew() {
    std::shared_ptr<OpenProject> project = MakeProject(++m_untitledCount);
    if (!project->Doc().OnNewDocument()) {
        return nullptr;
    }
    return AddChild(std::move(project));
}

void CMainFrame::OnFileOpen() {
    QStringList chosen = m_dialogs.ChooseOpenFiles(this, QStringLiteral("Open"),
                                                   QString::fromLatin1(kProjectFilter), false);
    if (!chosen.isEmpty()) {
        OpenDocumentFile(chosen.front());
    }
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (CChildFrame* child : Children()) {
        if (!canonical.isEmpty() &&
            QFileInfo(child->Project().PathName()).canonicalFilePath() == canonical) {
            m_mdi->setActiveSubWindow(child);
            return child;
        }
    }
    const std::string file = absolute.toStdString();
    bool readOnly = false;
    zav::ProjectLock::Holder holder;
    if (zav::ProjectLock::HeldByOther(file, &holder)) {
        switch (m_ui.AskYesNoCancel(zav::ProjectLock::OpenTwiceQuestion(file, holder))) {
            case zav::UserInterface::Answer::kYes:
                readOnly = true;
                break;
            case zav::UserInterface::Answer::kNo:
                break;
            case zav::UserInterface::Answer::kCancel:
                return nullptr;
        }
    }
    std::shared_ptr<OpenProject> project = MakeProject(0);
    if (!OpenInBackground(*project, file)) {
        return nullptr;
    }
    project->Opened(readOnly);
    m_settings.AddRecentFile(absolute);
    UpdateRecentFileActions();
    return AddChild(std::move(project));
}

// The project is new and shown nowhere yet, so the worker may fill it; a
// cancelled open drops it whole.
bool CMainFrame::OpenInBackground(OpenProject& project, const std::string& file) {
    bool opened = false;
    const bool finished = BackgroundWork::Run(
        this,
        QStringLiteral("Opening %1...").arg(QFileInfo(QString::fromStdString(file)).fileName()),
        [&](zav::Progress& progress) { opened = project.Doc().OnOpenDocument(file, progress); });
    return finished && opened;
}

void CMainFrame::OnOpenRecentFile(int index) {
    const QStringList files = m_settings.RecentFiles();
    if (index < 0 || index >= files.size()) {
        return;
    }
    if (OpenDocumentFile(files[index]) == nullptr) {
        m_settings.RemoveRecentFile(files[index]);
        UpdateRecentFileActions();
    }
}

void CMainFrame::OnFileClose() {
    CChildFrame* active = ActiveChild();
    if (active == nullptr || !AskToSave(active->Project())) {
        return;
    }
    // Asked once for the whole project: now every window of it goes.
    std::shared_ptr<OpenProject> project = active->SharedProject();
    m_closingAsked = project.get();
    for (CChildFrame* child : Children()) {
        if (child->SharedProject() == project) {
            child->close();
        }
    }
    m_closingAsked = nullptr;
}

bool CMainFrame::SaveProject(OpenProject& project, bool askForName) {
    QString path = project.PathName();
    const std::string oldPath = path.toStdString();
    // A project opened read-only is saved under another name only.
    if (askForName || path.isEmpty() || project.IsReadOnly()) {
        // A new project proposes its title; a saved one its own file.
        const QString proposed =
            project.IsUntitled() ? project.Title() + QStringLiteral(".zav") : project.PathName();
        path = m_dialogs.ChooseSaveFile(this, QStringLiteral("Save As"),
                                        QString::fromLatin1(kProjectFilter), proposed,
                                        QStringLiteral("zav"));
        if (path.isEmpty()) {
            return false;
        }
    }
    // A cancelled save leaves the old file as it was and no temporary file:
    // the project stays unsaved, as though Save had not been chosen.
    const std::string file = QFileInfo(path).absoluteFilePath().toStdString();
    bool saved = false;
    BackgroundWork::Run(
        this, QStringLiteral("Saving %1...").arg(QFileInfo(path).fileName()),
        [&](zav::Progress& progress) { saved = project.Doc().OnSaveDocument(file, progress); });
    if (!saved) {
        return false;
    }
    project.Saved(oldPath);
    m_settings.AddRecentFile(path);
    UpdateRecentFileActions();
    UpdateFrameState();
    return true;
}

bool CMainFrame::OnFileSave() {
    CChildFrame* active = ActiveChild();
    return active != nullptr && SaveProject(active->Project(), false);
}

bool CMainFrame::OnFileSaveAs() {
    CChildFrame* active = ActiveChild();
    return active != nullptr && SaveProject(active->Project(), true);
}

bool CMainFrame::QueryCloseChild(CChildFrame& child) {
    if (&child.Project() == m_closingAsked) {
        return true;
    }
    for (CChildFrame* other : Children()) {
        if (other != &child && other->SharedProject() == child.SharedProject()) {
            return true;  // the project stays open in another window
        }
    }
    return AskToSave(child.Project());
}

bool CMainFrame::AskToSave(OpenProject& project) {
    if (!project.Doc().IsModified()) {
        return true;
    }
    const std::string question = "Save changes to " + project.Title().toStdString() + "?";
    switch (m_ui.AskYesNoCancel(question)) {
        case zav::UserInterface::Answer::kYes:
            return SaveProject(project, false);
        case zav::UserInterface::Answer::kNo:
            return true;
        case zav::UserInterface::Answer::kCancel:
            return false;
    }
    return false;
}

CChildFrame* CMainFrame::OnWindowNew() {
    CChildFrame* active = ActiveChild();
    return active == nullptr ? nullptr : AddChild(active->SharedProject());
}

void CMainFrame::Arrange(void (QMdiArea::*arrange)()) {
    m_arranging = true;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (window->isMaximized()) {
            window->showNormal();
        }
    }
    (m_mdi->*arrange)();
    m_arranging = false;
}

void CMainFrame::OnWindowArrangeIcons() {
    // Minimised windows in a row along the bottom of the area.
    int x = 0;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMinimized()) {
            window->move(x, m_mdi->viewport()->height() - window->height());
            x += window->width();
        }
    }
}

// --- autosave and recovery ----------------------------------------------------------

void CMainFrame::OnAutosave() {
    // A save or an add may be changing a project on another thread; the
    // next turn of the timer writes the recovery file.
    if (BackgroundWork::Busy()) {
        return;
    }
    std::vector<OpenProject*> done;
    for (CChildFrame* child : Children()) {
        OpenProject* project = &child->Project();
        if (std::find(done.begin(), done.end(), project) == done.end()) {
            done.push_back(project);
            project->Autosave(this);
        }
    }
}

void CMainFrame::OfferRecovery() {
    for (const QString& recent : m_settings.RecentFiles()) {
        const std::string file = recent.toStdString();
        const std::string recovery = zav::RecoveryPath(file);
        const QList<CChildFrame*> children = Children();
        const bool open = std::any_of(children.begin(), children.end(), [&](CChildFrame* c) {
            return c->Project().PathName() == recent;
        });
        if (open || zav::FileModifiedTime(recovery) < 0 || zav::ProjectLock::HeldByOther(file)) {
            continue;
        }
        const std::string question = zav::RecoveryQuestion(file, zav::FileModifiedTime(recovery),
                                                           zav::FileModifiedTime(file));
        switch (m_ui.AskYesNoCancel(question)) {
            case zav::UserInterface::Answer::kYes:
                OpenRecovered(file, recovery);
                break;
            case zav::UserInterface::Answer::kNo:
                zav::RemoveFileIfPresent(recovery);
                break;
            case zav::UserInterface::Answer::kCancel:
                break;
        }
    }
}

// The recovery file is read as the project, which then stands under its
// own path with the recovered changes unsaved.
CChildFrame* CMainFrame::OpenRecovered(const std::string& file, const std::string& recovery) {
    std::shared_ptr<OpenProject> project = MakeProject(0);
    if (!OpenInBackground(*project, recovery)) {
        return nullptr;
    }
    project->Doc().SetPathName(file);
    project->Doc().SetModifiedFlag();
    project->Opened(false);
    project->RecoveredFrom(recovery);
    return AddChild(std::move(project));
}

// --- help ---------------------------------------------------------------------

HelpWindow* CMainFrame::Help() const {
    return m_help;
}

void CMainFrame::OnHelpFinder() {
    if (!m_help) {
        m_help = new HelpWindow(
            QString::fromStdString(zav::ProgramFolder(m_programDir.toStdString(), "manual")), this);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

QString CMainFrame::ConversionsPath() const {
    return QString::fromStdString(
        zav::LocateConversions(m_programDir.toStdString(), zav::UserDataHome()).path);
}

void CMainFrame::OnAppAbout() {
    CAboutDialog about(ConversionsPath(), this);
    about.exec();
}

// --- closing and dropping ---------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* child : Children()) {
        if (!child->close()) {
            event->ignore();
            return;
        }
    }
    if (m_help) {
        m_help->close();
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// A data file dropped on the window is offered to the active project (a new
// one when none is open); anything else is opened as a project, as before.
void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            DropFile(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
}

void CMainFrame::DropFile(const QString& path) {
    const DroppedKind kind = KindOfDroppedFile(path.toStdString());
    if (kind == DroppedKind::kProject) {
        OpenDocumentFile(path);
        return;
    }
    CChildFrame* target = ActiveChild();
    if (target == nullptr) {
        target = OnFileNew();
    }
    if (target == nullptr) {
        return;
    }
    const std::string question = "Add " + path.toStdString() + " to the active project?";
    if (!target->View().Doc().UI().AskYesNo(question)) {
        return;
    }
    if (kind == DroppedKind::kAgencyFile) {
        target->View().AddAgencyFiles({path.toStdString()});
    } else {
        target->View().AddCsvFile(path);
    }
}
