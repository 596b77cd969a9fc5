// The page sheet and what sits around it: which pages a hint reloads and in
// which order, the project information page, the splash window, the about
// box, the help window and the file filters.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/dialogs/CAboutDialog.h"
#include "app/frame/CSplashWindow.h"
#include "app/frame/CZAVView.h"
#include "app/frame/HelpWindow.h"
#include "app/pages/AggregationPage.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/DataEditPage.h"
#include "app/pages/ProjectInfoPage.h"
#include "app/pages/UnitsPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "io/CZAVDoc.h"

class SheetTest : public QObject {
    Q_OBJECT

private slots:
    void hintsReloadTheirPagesInOrder() {
        ProjectWindow w;
        w.doc.NotifyViews(zav::HintDataChanged);
        QCOMPARE(w.refreshed, kAllPages);
        w.refreshed.clear();
        w.doc.NotifyViews(zav::HintAggregatesChanged);
        QCOMPARE(w.refreshed, QStringList({"DataAvailPage"}));
        w.refreshed.clear();
        for (int hint : {0, 4, -1}) {
            w.view->OnDocumentUpdate(hint);
        }
        QVERIFY(w.refreshed.isEmpty());
    }

    // A second window of the project hears every change the first one makes,
    // imports included.
    void everyWindowOfTheProjectReloadsAfterAnImport() {
        ProjectWindow w;
        CZAVView second(w.doc, w.dialogs, nullptr);
        QStringList secondRefreshed;
        RecordRefreshes(second.Sheet(), secondRefreshed);
        w.view->OnAddAgencyFiles();  // nothing chosen: the command reloads anyway
        QCOMPARE(w.refreshed, kAllPages);
        QCOMPARE(secondRefreshed, kAllPages);
    }

    void aViewStopsListeningWhenItGoes() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        ScriptedFileDialogs dialogs;
        { CZAVView view(doc, dialogs, nullptr); }
        doc.NotifyViews(zav::HintDataChanged);  // would touch a deleted view
    }

    void projectInfoListsNamedSourcesInStoreOrderAndFollowsTheSize() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        for (const char* name : {"north.mlv", "", "south.pld", ""}) {
            zav::DataSource source;
            source.fileName = name;
            doc.FieldManager().AddSource(std::move(source));
        }
        ScriptedFileDialogs dialogs;
        CZAVView view(doc, dialogs, nullptr);
        ProjectInfoPage& page = view.Sheet().ProjectInfo();
        QCOMPARE(Texts(page.FileList()), QStringList({"north.mlv", "south.pld"}));
        zav::DataSource later;
        later.fileName = "east.mlv";
        doc.FieldManager().AddSource(std::move(later));
        view.Sheet().RefreshAllPages();
        QCOMPARE(Texts(page.FileList()), QStringList({"north.mlv", "south.pld", "east.mlv"}));
        QCOMPARE(page.findChild<QLabel*>()->text(), QString("Input Data Files:"));

        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QRect list = page.FileList()->geometry();
        QSize before = page.size();
        view.resize(650, 440);
        QTRY_COMPARE(page.size(), before + QSize(50, 40));
        QCOMPARE(page.FileList()->geometry(), list.adjusted(0, 0, 50, 40));
        QCOMPARE(page.width() - page.FileList()->geometry().right(), before.width() - list.right());
    }

    void aKeyPressClosesTheSplashAndGoesNoFurther() {
        QWidget frame;
        frame.resize(300, 200);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CSplashWindow* splash = CSplashWindow::ShowSplashScreen(&frame, 60000);
        QVERIFY(splash);
        QVERIFY(CSplashWindow::IsShowing());
        QCOMPARE(CSplashWindow::ShowSplashScreen(&frame), nullptr);  // one at a time
        QCOMPARE(splash->size(), QSize(360, 200));

        class KeySpy : public QObject {
        public:
            int keys = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                keys += event->type() == QEvent::KeyPress;
                return false;
            }
        } spy;
        frame.installEventFilter(&spy);
        QTest::keyClick(&frame, Qt::Key_A);
        QVERIFY(!CSplashWindow::IsShowing());
        QCOMPARE(spy.keys, 0);
        QTest::keyClick(&frame, Qt::Key_B);
        QCOMPARE(spy.keys, 1);
    }

    void theSplashGoesByItself() {
        QWidget frame;
        QVERIFY(CSplashWindow::ShowSplashScreen(&frame, 50));
        QTRY_VERIFY(!CSplashWindow::IsShowing());
    }

    void aboutBoxShowsThePictureAndTheVersion() {
        CAboutDialog about(QStringLiteral("/home/me/.local/share/zav/unitConversions.txt"));
        QCOMPARE(about.windowTitle(), QString("About ZAV"));
        QCOMPARE(about.findChild<QLabel*>("version")->text(), QString("ZAV Version 1.1.12"));
        QCOMPARE(about.findChild<QLabel*>("licence")->text(),
                 QString("This program is free software under the GNU General Public License, "
                         "version 3 or later. It comes with no warranty."));
        QCOMPARE(about.findChild<QLineEdit*>("conversionsPath")->text(),
                 QString("/home/me/.local/share/zav/unitConversions.txt"));
        QVERIFY(!about.findChild<QLabel*>("titlePicture")->pixmap().isNull());
        QCOMPARE(about.minimumSize(), about.maximumSize());
    }

    void helpWindowShowsTheManual() {
        // No manual folder: the copy built into the program.
        HelpWindow help(QStringLiteral("/nonexistent/manual"));
        QCOMPARE(help.windowTitle(), QString("ZAV Help"));
        QVERIFY(help.Browser().toPlainText().startsWith("ZAV user manual"));
        // The shipped folder's manual when there is one.
        QTemporaryDir folder;
        QFile file(folder.filePath("manual.md"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# Manual as installed\n");
        file.close();
        HelpWindow installed(folder.path());
        QCOMPARE(installed.Browser().toPlainText(), QString("Manual as installed"));
    }

    void agencyFilterKeepsItsNamesAndFiltersByItsPatterns() {
        const QString filterList =
            "MOLVAN and PELLIDOR files (*.mlv, *.pld)|*.mlv;*.pld|MOLVAN files (*.mlv) "
            "|*.mlv|PELLIDOR files (*.pld)|*.pld||";
        std::vector<NameFilter> filters = ParseFilterList(filterList);
        QCOMPARE(filters.size(), size_t(3));
        QCOMPARE(filters[0].name, QString("MOLVAN and PELLIDOR files (*.mlv, *.pld)"));
        QCOMPARE(filters[0].patterns, QStringList({"*.mlv", "*.pld"}));
        QCOMPARE(filters[1].name, QString("MOLVAN files (*.mlv) "));
        QCOMPARE(ParseFilterList("All Files (*.*)|*.*||")[0].patterns, QStringList({"*"}));

        QFileDialog dialog;
        ApplyFilterList(dialog, filterList);
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i) {
            shown << types->itemText(i);
        }
        QCOMPARE(shown, QStringList({"MOLVAN and PELLIDOR files (*.mlv, *.pld)",
                                     "MOLVAN files (*.mlv) ", "PELLIDOR files (*.pld)"}));
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        QCOMPARE(model->nameFilters(), QStringList({"*.mlv", "*.pld"}));
        types->setCurrentIndex(1);
        types->activated(1);
        QCOMPARE(model->nameFilters(), QStringList({"*.mlv"}));
    }
};

QTEST_MAIN(SheetTest)
#include "SheetTest.moc"
