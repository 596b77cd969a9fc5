// Work off the window's thread: the progress dialog shows for slow work
// only, Cancel and Escape stop the work, the windows take no input while it
// runs, and a message the work shows opens on the window's thread.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/frame/BackgroundWork.h"
#include "app/frame/QtUserInterface.h"

namespace {

// Work of `steps` pauses of 20 ms that reports each and stops when asked;
// how many steps it took.
int SlowWork(zav::Progress& progress, int steps) {
    int done = 0;
    for (; done < steps && !progress.Cancelled(); ++done) {
        progress.Report(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(steps));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done;
}

QProgressDialog* VisibleProgressDialog() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(window);
            dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Calls `act` with the progress dialog once it shows (polled every 20 ms).
void WhenProgressShows(std::function<void(QProgressDialog*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QProgressDialog* dialog = VisibleProgressDialog()) {
            poll->deleteLater();
            poll->stop();
            act(dialog);
        }
    });
    poll->start(20);
}

}  // namespace

class BackgroundWorkTest : public QObject {
    Q_OBJECT

private slots:
    void quickWorkShowsNoDialog() {
        bool seen = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] { seen = seen || VisibleProgressDialog(); });
        watch.start(10);
        int done = 0;
        QVERIFY(BackgroundWork::Run(nullptr, "Quick",
                                    [&](zav::Progress& p) { done = SlowWork(p, 5); }));
        QCOMPARE(done, 5);
        QVERIFY(!seen);
        QVERIFY(!BackgroundWork::Busy());
    }

    // Slow work: the dialog comes after about half a second, and Cancel or
    // Escape stops the work at its next report; Run says it was cancelled.
    void cancelAndEscapeStopSlowWork() {
        for (const bool escape : {false, true}) {
            QElapsedTimer clock;
            qint64 shownAfter = -1;
            WhenProgressShows([&](QProgressDialog* dialog) {
                shownAfter = clock.elapsed();
                QCOMPARE(dialog->labelText(), QString("Working"));
                if (escape) {
                    QTest::keyClick(dialog, Qt::Key_Escape);
                } else {
                    auto* cancel = dialog->findChild<QPushButton*>();
                    QVERIFY(cancel != nullptr);
                    QTest::mouseClick(cancel, Qt::LeftButton);
                }
            });
            int done = 0;
            clock.start();
            QVERIFY2(!BackgroundWork::Run(nullptr, "Working",
                                          [&](zav::Progress& p) { done = SlowWork(p, 500); }),
                     escape ? "Escape" : "Cancel");
            QVERIFY2(shownAfter >= BackgroundWork::kDialogDelayMs - 50,
                     qPrintable(QString::number(shownAfter)));
            QVERIFY2(shownAfter < 2000, qPrintable(QString::number(shownAfter)));
            QVERIFY2(done > 0 && done < 500, qPrintable(QString::number(done)));
        }
    }

    void workThatCannotStopKeepsGoing() {
        WhenProgressShows([](QProgressDialog* dialog) {
            QVERIFY(dialog->findChild<QPushButton*>() == nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        int done = 0;
        QVERIFY(BackgroundWork::Run(
            nullptr, "Saving", [&](zav::Progress& p) { done = SlowWork(p, 40); },
            BackgroundWork::Cancel::kNotAllowed));
        QCOMPARE(done, 40);
    }

    // A window open before the work takes no click while it runs, and does
    // again afterwards; it is painted all the while.
    void windowsTakeNoInputWhileWorkRuns() {
        QPushButton button("Edit");
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&] { ++clicks; });
        QTimer::singleShot(50, this, [&] {
            QTest::mouseClick(&button, Qt::LeftButton);
            QTest::keyClick(&button, Qt::Key_Space);
            button.close();
        });
        QVERIFY(BackgroundWork::Run(&button, "Working", [](zav::Progress& p) { SlowWork(p, 10); }));
        QCOMPARE(clicks, 0);
        QVERIFY(button.isVisible());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void messagesFromTheWorkOpenOnTheWindowThread() {
        QThread* windowThread = QThread::currentThread();
        QThread* boxThread = nullptr;
        QString text;
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                poll->stop();
                boxThread = box->thread();
                text = box->text();
                box->accept();
            }
        });
        poll->start(10);
        QtUserInterface ui;
        QVERIFY(BackgroundWork::Run(nullptr, "Working", [&](zav::Progress&) {
            ui.ShowMessage("Half the files were read.");
        }));
        QCOMPARE(text, QString("Half the files were read."));
        QCOMPARE(boxThread, windowThread);
    }

    void anExceptionReachesTheCaller() {
        bool caught = false;
        try {
            BackgroundWork::Run(nullptr, "Working",
                                [](zav::Progress&) { throw std::runtime_error("disk gone"); });
        } catch (const std::runtime_error& error) {
            caught = std::string(error.what()) == "disk gone";
        }
        QVERIFY(caught);
        QVERIFY(!BackgroundWork::Busy());
    }
};

QTEST_MAIN(BackgroundWorkTest)
#include "BackgroundWorkTest.moc"
