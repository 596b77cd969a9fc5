// Undo and redo from the Edit menu and its keys, the other standard keys,
// the recovery offer at start-up, autosave and the warning on opening a
// project another running copy has open.
#include <sys/wait.h>
#include <unistd.h>

#include <QMdiArea>
#include <QMenuBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/frame/AppSettings.h"
#include "app/frame/CChildFrame.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/HelpWindow.h"
#include "app/frame/OpenProject.h"
#include "app/rules/CommandTable.h"
#include "io/DocumentEdits.h"
#include "io/ProjectGuard.h"
#include "store/ZAVFieldManager.h"

namespace {

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("missing");
}

void Write(const QString& path, const std::string& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace

class UndoFrameTest : public QObject {
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
        m_frame->activateWindow();
        (void)QTest::qWaitForWindowActive(m_frame.get());
        return *m_frame;
    }

    // A saved project with stations "North" and "South" of one source.
    QString WriteStations(const QString& name) {
        zav::ScriptedUserInterface quiet;
        zav::CZAVDoc doc(quiet, QuietEnvironment());
        zav::DataSource source;
        source.fileName = "a.txt";
        for (const char* station : {"North", "South"}) {
            zav::DataSeries series;
            series.SetStationName(station);
            series.SetParameterName("DO");
            series.SetUnits("mg/l");
            series.AppendPoint(zav::KTRTime(1995, 1, 1, 12, 0, 0), 1.5, 0);
            source.series.push_back(series);
        }
        doc.FieldManager().AddSource(std::move(source));
        const QString path = m_bed->Path(name);
        doc.OnSaveDocument(path.toStdString());
        return path;
    }

    void Key(QKeySequence keys) {
        QTest::keySequence(m_frame.get(), keys);
        QCoreApplication::processEvents();
    }

private slots:
    void init() { m_bed = std::make_unique<AppTestBed>(); }
    void cleanup() {
        m_frame.reset();
        FlushDeletes();
        m_settings.reset();
        m_bed.reset();
    }

    void undoAndRedoCarryTheOperationsNameAndAnswerTheirKeys() {
        CMainFrame& frame = MakeFrame();
        CChildFrame* child = frame.OpenDocumentFile(WriteStations("p.zav"));
        QVERIFY(child != nullptr);
        zav::CZAVDoc& doc = child->Project().Doc();
        QAction* undo = frame.Action(cmd::kEditUndo);
        QAction* redo = frame.Action(cmd::kEditRedo);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!child->isWindowModified());

        QVERIFY(zav::RenameStation(doc, "North", "Nord"));
        // Told by the document, not at the next idle moment.
        QCOMPARE(undo->text(), QString("&Undo Rename Station\tCtrl+Z"));
        QVERIFY(undo->isEnabled());
        QVERIFY(child->isWindowModified());

        Key(QKeySequence("Ctrl+Z"));
        zav::StationInfo info;
        QVERIFY(doc.FieldManager().GetStation("North", info) != 0);
        QVERIFY(!doc.IsModified());
        QVERIFY(!child->isWindowModified());
        QCOMPARE(redo->text(), QString("&Redo Rename Station\tCtrl+Y"));
        QCOMPARE(undo->text(), QString("&Undo\tCtrl+Z"));

        Key(QKeySequence("Ctrl+Y"));
        QVERIFY(doc.FieldManager().GetStation("Nord", info) != 0);
        QVERIFY(child->isWindowModified());
        Key(QKeySequence("Ctrl+Z"));
        Key(QKeySequence("Ctrl+Shift+Z"));
        QVERIFY(doc.FieldManager().GetStation("Nord", info) != 0);
    }

    void standardKeysCloseQuitAndOpenTheManual() {
        CMainFrame& frame = MakeFrame();
        QVERIFY(frame.OnFileNew() != nullptr);
        Key(QKeySequence("F1"));
        QVERIFY(frame.Help() != nullptr && frame.Help()->isVisible());
        frame.Help()->close();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        frame.OnFileNew();
        QCOMPARE(frame.Children().size(), 2);
        Key(QKeySequence("Ctrl+W"));
        FlushDeletes();
        QCOMPARE(frame.Children().size(), 1);
        Key(QKeySequence("Ctrl+Q"));
        QVERIFY(!frame.isVisible());
    }

    void autosaveWritesBesideTheProjectAndSaveRemovesIt() {
        CMainFrame& frame = MakeFrame();
        const QString path = WriteStations("p.zav");
        const std::string original = Read(path);
        CChildFrame* child = frame.OpenDocumentFile(path);
        const QString recovery = QString::fromStdString(zav::RecoveryPath(path.toStdString()));
        QCOMPARE(recovery, m_bed->Path(".p.zav.recovery"));
        frame.OnAutosave();
        QVERIFY(!QFile::exists(recovery));  // nothing to keep

        zav::CZAVDoc& doc = child->Project().Doc();
        QVERIFY(zav::RenameStation(doc, "North", "Nord"));
        frame.OnAutosave();
        QCOMPARE(Read(recovery), doc.ProjectText());
        QCOMPARE(Read(path), original);  // the user's file is left alone
        QVERIFY(frame.OnFileSave());
        QVERIFY(!QFile::exists(recovery));
    }

    void aRecoveryFileIsOfferedAtStartWithItsTimes() {
        const QString path = WriteStations("p.zav");
        const std::string recovery = zav::RecoveryPath(path.toStdString());
        std::string recovered;
        {
            zav::ScriptedUserInterface quiet;
            zav::CZAVDoc doc(quiet, QuietEnvironment());
            QVERIFY(doc.OnOpenDocument(path.toStdString()));
            QVERIFY(zav::RenameStation(doc, "South", "Sud"));
            recovered = doc.ProjectText();
            QVERIFY(zav::WriteRecovery(doc, recovery));
        }
        CMainFrame& frame = MakeFrame();
        m_settings->AddRecentFile(path);
        m_bed->ui.yesNoCancelAnswers.push_back(zav::UserInterface::Answer::kYes);
        frame.OfferRecovery();
        QCOMPARE(m_bed->ui.questions, std::vector<std::string>({zav::RecoveryQuestion(
                                          path.toStdString(), zav::FileModifiedTime(recovery),
                                          zav::FileModifiedTime(path.toStdString()))}));
        CChildFrame* child = frame.ActiveChild();
        QVERIFY(child != nullptr);
        QCOMPARE(child->Project().PathName(), path);
        QVERIFY(child->Project().Doc().IsModified());
        QCOMPARE(child->Project().Doc().ProjectText(), recovered);

        // Closing without saving gives the changes up: nothing is offered again.
        m_bed->ui.yesNoCancelAnswers.push_back(zav::UserInterface::Answer::kNo);
        frame.OnFileClose();
        FlushDeletes();
        QVERIFY(!QFile::exists(QString::fromStdString(recovery)));
    }

    void aProjectOpenInAnotherCopyWarnsAndAStaleLockDoesNot() {
        CMainFrame& frame = MakeFrame();
        const QString path = WriteStations("p.zav");
        const QString lock = QString::fromStdString(zav::LockPath(path.toStdString()));
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        // The parent of this test is alive on this host: another copy.
        const long other = static_cast<long>(getppid());
        Write(lock, std::to_string(other) + "\n" + host + "\n");
        m_bed->ui.yesNoCancelAnswers.push_back(zav::UserInterface::Answer::kCancel);
        QVERIFY(frame.OpenDocumentFile(path) == nullptr);
        zav::ProjectLock::Holder holder{other, host};
        QCOMPARE(m_bed->ui.questions, std::vector<std::string>({zav::ProjectLock::OpenTwiceQuestion(
                                          path.toStdString(), holder)}));

        m_bed->ui.yesNoCancelAnswers.push_back(zav::UserInterface::Answer::kYes);
        CChildFrame* child = frame.OpenDocumentFile(path);
        QVERIFY(child != nullptr && child->Project().IsReadOnly());
        QCOMPARE(Read(lock), std::to_string(other) + "\n" + host + "\n");  // still theirs
        // Saving a read-only project asks for another name.
        m_bed->dialogs.saveAnswers.push_back(m_bed->Path("copy.zav"));
        QVERIFY(frame.OnFileSave());
        QCOMPARE(child->Project().PathName(), m_bed->Path("copy.zav"));
        QVERIFY(!child->Project().IsReadOnly());
        frame.OnFileClose();
        FlushDeletes();

        // A lock whose process has ended is taken over without a word.
        pid_t gone = fork();
        if (gone == 0) {
            _exit(0);
        }
        waitpid(gone, nullptr, 0);
        Write(lock, std::to_string(gone) + "\n" + host + "\n");
        m_bed->ui.questions.clear();
        QVERIFY(frame.OpenDocumentFile(path) != nullptr);
        QVERIFY(m_bed->ui.questions.empty());
        QCOMPARE(Read(lock), std::to_string(getpid()) + "\n" + host + "\n");
    }
};

QTEST_MAIN(UndoFrameTest)
#include "UndoFrameTest.moc"
