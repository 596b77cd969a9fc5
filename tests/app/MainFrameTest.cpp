// The program's shell: menus, toolbar and status bar with their texts;
// projects opened, saved and closed with the save prompt; windows on one
// project; start-up and the working-directory rules.
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/dialogs/CCenturyDialog.h"
#include "app/dialogs/CSpreadsheetOptionsDialog.h"
#include "app/frame/AppSettings.h"
#include "app/frame/CChildFrame.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CZAVApp.h"
#include "app/frame/CZAVView.h"
#include "app/frame/KeyStateIndicators.h"
#include "app/frame/OpenProject.h"
#include "app/pages/ProjectInfoPage.h"
#include "app/pages/ZAVViewSheet.h"

namespace {

QStringList MenuTitles(QMainWindow& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

QMenu* Menu(QMainWindow& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

// Visible entries: text, then the status prompt and tooltip where set;
// "-" for a separator.
QStringList Entries(QMenu* menu) {
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries << "-";
        } else if (action->isVisible()) {
            entries << action->text() + " | " + action->statusTip();
        }
    }
    return entries;
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppTestBed> m_bed;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;

    CMainFrame& MakeFrame() {
        m_settings = std::make_unique<AppSettings>(*m_bed->settings);
        m_frame = std::make_unique<CMainFrame>(m_bed->ui, m_bed->dialogs, *m_settings,
                                               m_bed->dir.path() + "/bin/");
        m_frame->resize(900, 600);
        m_frame->show();
        return *m_frame;
    }

private slots:
    void init() { m_bed = std::make_unique<AppTestBed>(); }
    void cleanup() {
        m_frame.reset();
        FlushDeletes();
        m_settings.reset();
        m_bed.reset();
    }

    void menusFollowWhetherAProjectIsOpenWithTheirExactTexts() {
        CMainFrame& frame = MakeFrame();
        QCOMPARE(frame.windowTitle(), QString("ZAV"));
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&View", "&Help"}));
        QCOMPARE(Entries(Menu(frame, "&File")),
                 QStringList({"&New\tCtrl+N | Create a new document",
                              "&Open...\tCtrl+O | Open an existing document", "-",
                              "Recent File | Open this document", "-",
                              "E&xit | Quit the application; prompts to save documents"}));

        frame.OnFileNew();
        QCOMPARE(MenuTitles(frame),
                 QStringList({"&File", "&Edit", "&Data", "&View", "&Window", "&Help"}));
        QCOMPARE(Entries(Menu(frame, "&Edit")),
                 QStringList({"&Undo\tCtrl+Z | Undo the last action",
                              "&Redo\tCtrl+Y | Redo the previously undone action", "-",
                              "Undo &History... | List the changes made to the project, to undo "
                              "or redo"}));
        QCOMPARE(Entries(Menu(frame, "&File")),
                 QStringList({"&New\tCtrl+N | Create a new document",
                              "&Open...\tCtrl+O | Open an existing document",
                              "&Close | Close the active document",
                              "&Save\tCtrl+S | Save the active document",
                              "Save &As... | Save the active document with a new name", "-",
                              "Recent File | Open this document", "-",
                              "E&xit | Quit the application; prompts to save documents"}));
        QCOMPARE(Entries(Menu(frame, "&Data")),
                 QStringList({"&Add MOLVAN or PELLIDOR format | Add MOLVAN or PELLIDOR formatted "
                              "data files to the project.",
                              "Add From &Spreadsheet | ",
                              "Add From CS&V... | Add CSV or tab-delimited files with a header "
                              "row to the project.",
                              "&Export Data... | Export the project's data as tidy CSV or netCDF.",
                              "Add &Century | Add a century to data within a range of years.",
                              "&Generate new data files for each station | Generate new data "
                              "files for each station",
                              "-",
                              "Summary &Tables... | Year-by-year and duration tables of the "
                              "stations or parameters chosen on Data Availability."}));
        QCOMPARE(Entries(Menu(frame, "&View")),
                 QStringList({"&Toolbar | Show or hide the toolbar",
                              "&Status Bar | Show or hide the status bar"}));
        QCOMPARE(Entries(Menu(frame, "&Window")).mid(0, 4),
                 QStringList({"&New Window | Open another window for the active document",
                              "&Cascade | Arrange windows so they overlap",
                              "&Tile | Arrange windows as non-overlapping tiles",
                              "&Arrange Icons | Arrange icons at the bottom of the window"}));
        QCOMPARE(Entries(Menu(frame, "&Help")),
                 QStringList({"&ZAV Help | List Help topics", "-",
                              "&About ZAV... | Display program information, version number and "
                              "copyright"}));

        QCOMPARE(frame.Action(57600)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(frame.Action(57601)->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(frame.Action(57603)->shortcut(), QKeySequence("Ctrl+S"));
        QVERIFY(frame.Action(57648)->isEnabled());
        QVERIFY(frame.Action(32771)->isEnabled());
        for (int id : {32774, 32775, 32773}) {
            QVERIFY(frame.Action(id)->isEnabled());
        }
        QCOMPARE(frame.Action(32773)->toolTip(),
                 QString("Generate new data files for each station"));

        frame.OnFileClose();
        FlushDeletes();
        frame.UpdateFrameState();
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&View", "&Help"}));
    }

    void toolbarAndStatusBarCarryTheirButtonsTipsAndPanes() {
        CMainFrame& frame = MakeFrame();
        QStringList tips;
        for (QAction* action : frame.ToolBar().actions()) {
            tips << (action->isSeparator() ? QString("-") : action->toolTip());
        }
        QCOMPARE(tips, QStringList({"New", "Open", "Save", "-", "About"}));
        QVERIFY(frame.ToolBar().isMovable());
        QVERIFY(frame.ToolBar().isFloatable());
        QCOMPARE(frame.ToolBar().allowedAreas(), Qt::AllToolBarAreas);
        QCOMPARE(frame.Action(59392)->toolTip(), QString("Toggle ToolBar"));

        QCOMPARE(frame.MessagePane().text(), QString("Ready"));
        QStringList panes;
        for (auto* label : frame.statusBar()->findChildren<QLabel*>()) {
            panes << label->objectName();
        }
        QVERIFY(panes.contains("CAP") && panes.contains("NUM") && panes.contains("SCRL"));

        // Without keyboard lights to read, the panes follow the lock keys.
        if (!QDir("/sys/class/leds").exists()) {
            QLabel* caps = frame.KeyStates().Pane(KeyStateIndicators::kCaps);
            QCOMPARE(caps->text(), QString());
            QTest::keyClick(&frame, Qt::Key_CapsLock);
            QCOMPARE(caps->text(), QString("CAP"));
            QTest::keyClick(&frame, Qt::Key_NumLock);
            QCOMPARE(frame.KeyStates().Pane(KeyStateIndicators::kNum)->text(), QString("NUM"));
            QTest::keyClick(&frame, Qt::Key_CapsLock);
            QCOMPARE(caps->text(), QString());
        }

        QAction* toggle = frame.Action(59393);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!frame.statusBar()->isVisible());
        QVERIFY(!toggle->isChecked());
        frame.Action(59392)->trigger();
        QVERIFY(!frame.ToolBar().isVisible());
        QVERIFY(!frame.Action(59392)->isChecked());
    }

    void newProjectsAreNumberedAndShownMaximisedOnTheFirstTab() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* first = frame.OnFileNew();
        CChildFrame* second = frame.OnFileNew();
        QCOMPARE(first->Project().Title(), QString("ZAV1"));
        QCOMPARE(second->Project().Title(), QString("ZAV2"));
        QVERIFY(second->isMaximized());
        QCOMPARE(frame.ActiveChild(), second);

        ZAVViewSheet& sheet = second->View().Sheet();
        QStringList tabs;
        for (int i = 0; i < sheet.count(); ++i) {
            tabs << sheet.tabText(i);
        }
        QCOMPARE(tabs, QStringList({"Project Information", "Aggregation", "Edit Data",
                                    "Data Availability", "Units Page"}));
        QCOMPARE(sheet.currentIndex(), 0);

        frame.MdiArea().setActiveSubWindow(first);
        QVERIFY(first->isMaximized());
        QCOMPARE(frame.Children().size(), 2);
    }

    void closingAModifiedProjectAsksAndCancelKeepsIt() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* child = frame.OnFileNew();
        child->Project().Doc().SetModifiedFlag();
        frame.UpdateFrameState();
        QVERIFY(child->isWindowModified());

        m_bed->ui.yesNoCancelAnswers = {zav::UserInterface::Answer::kCancel,
                                        zav::UserInterface::Answer::kNo};
        frame.OnFileClose();
        QCOMPARE(m_bed->ui.questions, std::vector<std::string>({"Save changes to ZAV1?"}));
        QCOMPARE(frame.Children().size(), 1);

        frame.OnFileClose();
        QCOMPARE(m_bed->ui.questions.size(), size_t(2));
        QCOMPARE(frame.Children().size(), 0);
    }

    void saveAsksForANameOnceThenSavesInPlace() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* child = frame.OnFileNew();
        child->Project().Doc().SetModifiedFlag();
        const QString path = m_bed->Path("river.zav");
        m_bed->dialogs.saveAnswers = {path};
        QVERIFY(frame.OnFileSave());
        QCOMPARE(m_bed->dialogs.titles, QStringList({"Save As"}));
        QCOMPARE(m_bed->dialogs.proposedNames, QStringList({"ZAV1.zav"}));
        QCOMPARE(m_bed->dialogs.filters,
                 QStringList({"ZAV Files (*.zav)|*.zav|All Files (*.*)|*.*||"}));
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(!child->Project().Doc().IsModified());
        QCOMPARE(child->Project().Title(), QString("river.zav"));
        QCOMPARE(m_settings->RecentFiles(), QStringList({path}));
        frame.UpdateFrameState();
        QCOMPARE(frame.RecentFileAction(0)->text(), "&1 " + QDir::toNativeSeparators(path));
        QVERIFY(!frame.RecentFilePlaceholder()->isVisible());

        QVERIFY(frame.OnFileSave());  // no dialog this time
        QCOMPARE(m_bed->dialogs.titles.size(), 1);
        QVERIFY(!frame.OnFileSaveAs());  // cancelled
        QCOMPARE(m_bed->dialogs.proposedNames.last(), path);

        // Yes at the prompt saves before the window goes.
        child->Project().Doc().SetModifiedFlag();
        m_bed->ui.yesNoCancelAnswers = {zav::UserInterface::Answer::kYes};
        QFile::remove(path);
        frame.OnFileClose();
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(frame.Children().size(), 0);
    }

    void openingShowsTheProjectAndItsInputFiles() {
        const QString path = m_bed->WriteProject("two.zav", {"upper.mlv", "", "lower.pld"});
        CMainFrame& frame = MakeFrame();
        m_bed->dialogs.openAnswers = {{path}};
        frame.OnFileOpen();
        QCOMPARE(m_bed->dialogs.filters.front(),
                 QString("ZAV Files (*.zav)|*.zav|All Files (*.*)|*.*||"));
        CChildFrame* child = frame.ActiveChild();
        QVERIFY(child);
        QCOMPARE(child->Project().Title(), QString("two.zav"));
        QListWidget* files = child->View().Sheet().ProjectInfo().FileList();
        QStringList listed;
        for (int i = 0; i < files->count(); ++i) {
            listed << files->item(i)->text();
        }
        QCOMPARE(listed, QStringList({"upper.mlv", "lower.pld"}));

        // The same file again shows the window it is in.
        QCOMPARE(frame.OpenDocumentFile(path), child);
        QCOMPARE(frame.Children().size(), 1);

        // Files dropped on the main window open.
        const QString other = m_bed->WriteProject("other.zav", {});
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(other)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&frame, &drop);
        QCOMPARE(frame.Children().size(), 2);
        QCOMPARE(frame.ActiveChild()->Project().Title(), QString("other.zav"));
        QCOMPARE(m_settings->RecentFiles(), QStringList({other, path}));
    }

    void addingAgencyFilesListsThemAndMarksTheProject() {
        // Headings only: each file still becomes a source of its own.
        const QString headings = "title\n  line two\n  line three\n  units\n";
        QStringList files;
        for (const char* name : {"upper.mlv", "lower.mlv"}) {
            QFile file(m_bed->Path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(headings.toLatin1());
            files << file.fileName();
        }
        CMainFrame& frame = MakeFrame();
        CChildFrame* child = frame.OnFileNew();
        QStringList refreshed;
        RecordRefreshes(child->View().Sheet(), refreshed);

        m_bed->ui.messages.clear();
        m_bed->dialogs.openAnswers = {{files[0], m_bed->Path("gone.mlv"), files[1]}};
        QAction* command = frame.Action(32771);
        QVERIFY(command->isEnabled());
        command->trigger();
        QCOMPARE(m_bed->dialogs.titles, QStringList({"Open"}));
        QCOMPARE(m_bed->dialogs.filters,
                 QStringList({"MOLVAN and PELLIDOR files (*.mlv, *.pld)|*.mlv;*.pld|MOLVAN files "
                              "(*.mlv) |*.mlv|PELLIDOR files (*.pld)|*.pld||"}));
        // After the files, one message names those that gave no value.
        QCOMPARE(m_bed->ui.messages, std::vector<std::string>(
                                         {"Unable to open file " +
                                              m_bed->Path("gone.mlv").toStdString() + " for input.",
                                          files[0].toStdString() + ": no value read.\n" +
                                              files[1].toStdString() + ": no value read."}));
        QListWidget* list = child->View().Sheet().ProjectInfo().FileList();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), files[0]);
        QCOMPARE(list->item(1)->text(), files[1]);
        QCOMPARE(refreshed, kAllPages);
        QVERIFY(child->Project().Doc().IsModified());

        // Cancel adds nothing but still marks the project.
        child->Project().Doc().SetModifiedFlag(false);
        command->trigger();
        QCOMPARE(list->count(), 2);
        QVERIFY(child->Project().Doc().IsModified());
    }

    void theOtherDataCommandsOpenTheirDialogsForTheActiveProject() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* child = frame.OnFileNew();
        QStringList refreshed;
        RecordRefreshes(child->View().Sheet(), refreshed);
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& d) { d.reject(); });
        frame.Action(32774)->trigger();
        QVERIFY(refreshed.isEmpty());
        WhenShown<CCenturyDialog>([](CCenturyDialog& d) { d.reject(); });
        frame.Action(32775)->trigger();
        QCOMPARE(refreshed.size(), 5);
        frame.Action(32773)->trigger();
        QCOMPARE(m_bed->dialogs.titles, QStringList({"Choose Folder For Generated Files"}));
        QVERIFY(!child->Project().Doc().IsModified());
    }

    void aProjectThatCannotBeReadOpensNothing() {
        QFile broken(m_bed->Path("broken.zav"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a project\n");
        broken.close();
        CMainFrame& frame = MakeFrame();
        QCOMPARE(frame.OpenDocumentFile(broken.fileName()), nullptr);
        QCOMPARE(m_bed->ui.messages,
                 std::vector<std::string>(
                     {"Parse error: unable to find header 'spreaadsheetParseString ='"}));
        QCOMPARE(frame.Children().size(), 0);
        QVERIFY(m_settings->RecentFiles().isEmpty());
    }

    void aSecondWindowSharesTheProjectAndClosingOneKeepsIt() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* first = frame.OnFileNew();
        CChildFrame* second = frame.OnWindowNew();
        QVERIFY(second != first);
        QCOMPARE(&second->Project(), &first->Project());
        QVERIFY(&second->View().Sheet() != &first->View().Sheet());
        frame.UpdateFrameState();
        QCOMPARE(first->windowTitle(), QString("ZAV1:1[*]"));
        QCOMPARE(second->windowTitle(), QString("ZAV1:2[*]"));

        first->Project().Doc().SetModifiedFlag();
        QVERIFY(second->close());
        FlushDeletes();
        QVERIFY(m_bed->ui.questions.empty());
        QCOMPARE(frame.Children(), QList<CChildFrame*>({first}));
        frame.UpdateFrameState();
        QCOMPARE(first->windowTitle(), QString("ZAV1[*]"));
    }

    void exitAsksForEachModifiedProjectAndStopsAtCancel() {
        CMainFrame& frame = MakeFrame();
        frame.OnFileNew()->Project().Doc().SetModifiedFlag();
        frame.OnFileNew()->Project().Doc().SetModifiedFlag();
        m_bed->ui.yesNoCancelAnswers = {zav::UserInterface::Answer::kNo,
                                        zav::UserInterface::Answer::kCancel};
        QVERIFY(!frame.close());
        QCOMPARE(m_bed->ui.questions,
                 std::vector<std::string>({"Save changes to ZAV1?", "Save changes to ZAV2?"}));
        QCOMPARE(frame.Children().size(), 1);
    }

    void startUpOpensTheNamedProjectOrFailsWithoutIt() {
        const QString path = m_bed->WriteProject("start.zav", {"a.mlv"});
        {
            CZAVApp app(m_bed->ui, m_bed->dialogs, *m_bed->settings, m_bed->Path("bin/"));
            StartOptions options;
            options.splash = false;
            options.projectPath = path;
            QVERIFY(app.InitInstance(options));
            QCOMPARE(app.MainFrame()->ActiveChild()->Project().Title(), QString("start.zav"));
        }
        FlushDeletes();
        CZAVApp app(m_bed->ui, m_bed->dialogs, *m_bed->settings, m_bed->Path("bin/"));
        StartOptions options;
        options.splash = false;
        options.projectPath = m_bed->Path("missing.zav");
        QVERIFY(!app.InitInstance(options));
        QCOMPARE(m_bed->ui.messages.back(),
                 "Unable to open " + m_bed->Path("missing.zav").toStdString() + " for reading.");
    }

    void workingDirectoryFollowsZavCwdOrTheExamplesFolder() {
        // Program in <tmp>/prog/bin, started from <tmp>/run/here.
        QDir root(m_bed->dir.path());
        QVERIFY(root.mkpath("prog/bin") && root.mkpath("run/here") && root.mkpath("run/examples"));
        QVERIFY(root.mkpath("chosen"));
        const QString programDir = m_bed->Path("prog/bin/");
        auto startIn = [&](const QString& dir) -> std::unique_ptr<CZAVApp> {
            QDir::setCurrent(dir);
            auto app =
                std::make_unique<CZAVApp>(m_bed->ui, m_bed->dialogs, *m_bed->settings, programDir);
            StartOptions options;
            options.splash = false;
            return app->InitInstance(options) ? std::move(app) : nullptr;
        };
        auto here = [] { return QFileInfo(QDir::currentPath()).canonicalFilePath(); };

        // No "ZAV CWD", no examples beside the program: the current folder's.
        auto app = startIn(m_bed->Path("run/here"));
        QVERIFY(app);
        QCOMPARE(here(), QFileInfo(m_bed->Path("run/examples")).canonicalFilePath());

        // With examples beside the program, every new document goes there.
        QVERIFY(root.mkpath("prog/examples"));
        QDir::setCurrent(m_bed->Path("run/here"));
        app->MainFrame()->OnFileNew();
        QCOMPARE(here(), QFileInfo(m_bed->Path("prog/examples")).canonicalFilePath());

        // "ZAV CWD" wins at start-up and at every document.
        m_bed->settings->setValue("ZAV/ZAV CWD", m_bed->Path("chosen"));
        app = startIn(m_bed->Path("run/here"));
        QVERIFY(app);
        QCOMPARE(here(), QFileInfo(m_bed->Path("chosen")).canonicalFilePath());
        QDir::setCurrent(m_bed->Path("run/here"));
        app->MainFrame()->OnFileNew();
        QCOMPARE(here(), QFileInfo(m_bed->Path("chosen")).canonicalFilePath());
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
