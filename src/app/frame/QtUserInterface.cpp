#include "app/frame/QtUserInterface.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>
#include <functional>

#include "app/dialogs/ChoiceDialog.h"
#include "app/dialogs/DeleteChoiceDialog.h"
#include "app/dialogs/MultiChoiceDialog.h"
#include "app/dialogs/TextPromptDialog.h"

namespace {

QStringList ToStringList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<int>(texts.size()));
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

// Work running off the window's thread (BackgroundWork) asks through here
// too: its questions are put on the window's thread, and the work waits
// for the answer.
void OnWindowThread(const std::function<void()>& call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(app, call, Qt::BlockingQueuedConnection);
}

}  // namespace

QWidget* QtUserInterface::Parent() const {
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

int QtUserInterface::Ask(int icon, const std::string& text, int buttons) const {
    int answer = QMessageBox::NoButton;
    OnWindowThread([&] { answer = AskHere(icon, text, buttons); });
    return answer;
}

int QtUserInterface::AskHere(int icon, const std::string& text, int buttons) const {
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), QStringLiteral("ZAV"),
                    QString::fromStdString(text),
                    static_cast<QMessageBox::StandardButtons>(buttons), Parent());
    // A message in the middle of a long command is answered with the
    // ordinary pointer, not the hourglass the command shows.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const int answer = box.exec();
    if (waiting) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

void QtUserInterface::ShowMessage(const std::string& text) {
    Ask(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void QtUserInterface::ShowWarning(const std::string& text) {
    Ask(QMessageBox::Warning, text, QMessageBox::Ok);
}

bool QtUserInterface::AskYesNo(const std::string& text) {
    return Ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

zav::UserInterface::Answer QtUserInterface::AskYesNoCancel(const std::string& text) {
    switch (
        Ask(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::kYes;
        case QMessageBox::No:
            return Answer::kNo;
        default:
            return Answer::kCancel;
    }
}

std::optional<int> QtUserInterface::ChooseOne(const std::string& caption,
                                              const std::vector<std::string>& texts) {
    std::optional<int> chosen;
    OnWindowThread([&] {
        ChoiceDialog dialog(QString::fromStdString(caption), ToStringList(texts), Parent());
        if (dialog.exec() == QDialog::Accepted && dialog.ChosenIndex() >= 0) {
            chosen = dialog.ChosenIndex();
        }
    });
    return chosen;
}

std::optional<std::vector<int>> QtUserInterface::ChooseSeveral(
    const std::string& caption, const std::vector<std::string>& texts) {
    std::optional<std::vector<int>> chosen;
    OnWindowThread([&] {
        MultiChoiceDialog dialog(QString::fromStdString(caption), ToStringList(texts), Parent());
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.ChosenIndices();
        }
    });
    return chosen;
}

std::optional<std::vector<int>> QtUserInterface::ChooseToDelete(
    const std::vector<std::string>& texts) {
    std::optional<std::vector<int>> chosen;
    OnWindowThread([&] {
        DeleteChoiceDialog dialog(ToStringList(texts), Parent());
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.ChosenIndices();
        }
    });
    return chosen;
}

std::optional<std::string> QtUserInterface::AskText(const std::string& title,
                                                    const std::string& prompt,
                                                    const std::string& initial) {
    std::optional<std::string> text;
    OnWindowThread([&] {
        TextPromptDialog dialog(QString::fromStdString(title), QString::fromStdString(prompt),
                                QString::fromStdString(initial), Parent());
        if (dialog.exec() == QDialog::Accepted) {
            text = dialog.Text().toStdString();
        }
    });
    return text;
}

std::optional<std::string> QtUserInterface::GetClipboardText() {
    std::optional<std::string> text;
    OnWindowThread([&] {
        if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
            text = clipboard->text().toStdString();
        }
    });
    return text;
}

bool QtUserInterface::SetClipboardText(const std::string& text) {
    bool set = false;
    OnWindowThread([&] {
        if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
            clipboard->setText(QString::fromStdString(text));
            set = true;
        }
    });
    return set;
}
