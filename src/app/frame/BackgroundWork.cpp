#include "app/frame/BackgroundWork.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <exception>

namespace BackgroundWork {
namespace {

int g_running = 0;

// Swallows what a person does to the windows that were open when the work
// began (clicks, keys, shortcuts, closing), so that no command reaches a
// project while work is under way. Windows opened since (the progress
// dialog, a message the work shows) work as usual; painting goes on.
class InputBlocker : public QObject {
public:
    InputBlocker() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                m_windows.insert(window);
                // Closing from the title bar reaches the platform window first.
                if (QWindow* handle = window->windowHandle()) {
                    m_windows.insert(handle);
                }
            }
        }
        qApp->installEventFilter(this);
    }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!IsInput(event->type())) {
            return false;
        }
        if (m_windows.contains(watched)) {
            return true;
        }
        // Shortcuts go to actions and shortcut objects: they follow the
        // window of the widget that owns them (the progress dialog's Escape
        // works); one without a widget is refused.
        for (QObject* owner = watched; owner != nullptr; owner = owner->parent()) {
            if (auto* widget = qobject_cast<QWidget*>(owner)) {
                return m_windows.contains(widget->window());
            }
        }
        return event->type() == QEvent::Shortcut;
    }

private:
    static bool IsInput(QEvent::Type type) {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::Drop:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Close:
                return true;
            default:
                return false;
        }
    }

    QSet<QObject*> m_windows;
};

constexpr int kSteps = 1000;
constexpr int kPollMs = 50;

}  // namespace

bool Busy() {
    return g_running > 0;
}

bool Run(QWidget* parent, const QString& label, const std::function<void(zav::Progress&)>& work,
         Cancel cancel) {
    zav::SharedProgress progress;
    std::exception_ptr failure;
    QThread* thread = QThread::create([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    ++g_running;
    InputBlocker blocker;
    QApplication::setOverrideCursor(Qt::BusyCursor);

    QProgressDialog dialog(label, QStringLiteral("Cancel"), 0, kSteps, parent);
    dialog.setWindowTitle(QStringLiteral("ZAV"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(kDialogDelayMs);
    dialog.setValue(0);
    const auto askToStop = [&] {
        if (!progress.Cancelled()) {
            progress.Cancel();
            dialog.setLabelText(QStringLiteral("Cancelling..."));
            dialog.show();
        }
    };
    if (cancel == Cancel::kAllowed) {
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, askToStop);
        QObject::connect(&dialog, &QDialog::rejected, &dialog, askToStop);
    } else {
        dialog.setCancelButton(nullptr);
        QObject::connect(&dialog, &QDialog::rejected, &dialog, [&] { dialog.show(); });
    }

    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, &dialog, [&] { dialog.show(); });
    show.start(kDialogDelayMs);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        // Before it shows, a value would have the dialog guess it is needed.
        if (!dialog.isVisible()) {
            return;
        }
        const std::uint64_t total = progress.Total();
        if (total == 0) {
            dialog.setMaximum(0);  // how long is not known yet: a busy bar
            return;
        }
        dialog.setMaximum(kSteps);
        const std::uint64_t done = std::min(progress.Done(), total);
        dialog.setValue(static_cast<int>(done * kSteps / total));
    });
    poll.start(kPollMs);

    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;

    QApplication::restoreOverrideCursor();
    --g_running;
    if (failure) {
        std::rethrow_exception(failure);
    }
    return !progress.Cancelled();
}

}  // namespace BackgroundWork
