#include "app/frame/QtUserInterface.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

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

}  // namespace

QWidget* QtUserInterface::Parent() const {
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

int QtUserInterface::Ask(int icon, const std::string& text, int buttons) const {
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
    ChoiceDialog dialog(QString::fromStdString(caption), ToStringList(texts), Parent());
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenIndex() < 0) {
        return std::nullopt;
    }
    return dialog.ChosenIndex();
}

std::optional<std::vector<int>> QtUserInterface::ChooseSeveral(
    const std::string& caption, const std::vector<std::string>& texts) {
    MultiChoiceDialog dialog(QString::fromStdString(caption), ToStringList(texts), Parent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.ChosenIndices();
}

std::optional<std::vector<int>> QtUserInterface::ChooseToDelete(
    const std::vector<std::string>& texts) {
    DeleteChoiceDialog dialog(ToStringList(texts), Parent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.ChosenIndices();
}

std::optional<std::string> QtUserInterface::AskText(const std::string& title,
                                                    const std::string& prompt,
                                                    const std::string& initial) {
    TextPromptDialog dialog(QString::fromStdString(title), QString::fromStdString(prompt),
                            QString::fromStdString(initial), Parent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Text().toStdString();
}

std::optional<std::string> QtUserInterface::GetClipboardText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return std::nullopt;
    }
    return clipboard->text().toStdString();
}

bool QtUserInterface::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(QString::fromStdString(text));
    return true;
}
