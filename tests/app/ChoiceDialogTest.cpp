// The choice dialogs and the Qt user interface: results and their order,
// titles, buttons, resizing, message boxes and the clipboard.
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "app/dialogs/ChoiceDialog.h"
#include "app/dialogs/DeleteChoiceDialog.h"
#include "app/dialogs/MultiChoiceDialog.h"
#include "app/frame/QtUserInterface.h"

namespace {

const QStringList kTexts = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};

void SelectRows(ListChoiceDialog& dialog, std::initializer_list<int> rows) {
    for (int row : rows) {
        dialog.List()->item(row)->setSelected(true);
    }
}

// Runs `act` on the modal window once the event loop shows it.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

}  // namespace

class ChoiceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void choiceDialogStartsOnTheFirstRowAndDoubleClickChooses() {
        ChoiceDialog dialog("Choose Parameter(s)", kTexts);
        QCOMPARE(dialog.windowTitle(), QString("Choose Parameter(s)"));
        QCOMPARE(dialog.OkButton()->text(), QString("OK"));
        QCOMPARE(dialog.CancelButton()->text(), QString("Cancel"));
        QCOMPARE(dialog.List()->currentRow(), 0);
        QVERIFY(dialog.List()->item(0)->isSelected());

        WhenModal([](QWidget* modal) {
            auto* shown = qobject_cast<ChoiceDialog*>(modal);
            QVERIFY(shown);
            QListWidget* list = shown->List();
            QRect row = list->visualItemRect(list->item(2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.ChosenIndex(), 2);
        QCOMPARE(dialog.ChosenText(), QString("c"));
    }

    void choiceDialogWithAnEmptyListChoosesNothing() {
        ChoiceDialog dialog("Choose Parameters For Station", {});
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ChosenIndex(), -1);
        QCOMPARE(dialog.ChosenText(), QString());
    }

    void multiChoiceReturnsRowsAscending() {
        MultiChoiceDialog dialog("Choose Parameter(s)", kTexts);
        QVERIFY(dialog.List()->selectedItems().isEmpty());
        QCOMPARE(dialog.List()->selectionMode(), QAbstractItemView::ExtendedSelection);
        SelectRows(dialog, {7, 2, 5});
        dialog.accept();
        QCOMPARE(dialog.ChosenIndices(), (std::vector<int>{2, 5, 7}));

        MultiChoiceDialog cancelled("Choose Parameter(s)", kTexts);
        SelectRows(cancelled, {1});
        cancelled.reject();
        QVERIFY(cancelled.ChosenIndices().empty());
    }

    void deleteChoiceReturnsRowsHighestFirstInAFixedWindow() {
        DeleteChoiceDialog dialog(kTexts);
        QCOMPARE(dialog.windowTitle(), QString("Choose Items to Delete"));
        QVERIFY(dialog.List()->selectedItems().isEmpty());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        SelectRows(dialog, {2, 7, 5});
        dialog.accept();
        QCOMPARE(dialog.ChosenIndices(), (std::vector<int>{7, 5, 2}));
    }

    void enlargingTheChoiceDialogGrowsTheListAndMovesTheButtonsDown() {
        ChoiceDialog dialog("Choose", kTexts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QRect list = dialog.List()->geometry();
        QRect ok = dialog.OkButton()->geometry();
        QRect cancel = dialog.CancelButton()->geometry();
        QCOMPARE(list.right(), cancel.right());  // as the form draws them

        dialog.resize(dialog.width() + 30, dialog.height() + 40);
        QTRY_COMPARE(dialog.List()->geometry().height(), list.height() + 40);
        QCOMPARE(dialog.List()->geometry().width(), list.width() + 30);
        QCOMPARE(dialog.OkButton()->geometry(), ok.translated(0, 40));
        QCOMPARE(dialog.CancelButton()->geometry(), cancel.translated(0, 40));
    }

    void messageBoxesAreTitledZavWithTheirIconsAndButtons() {
        QtUserInterface ui;
        WhenModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QString("ZAV"));
            QCOMPARE(box->text(), QString("Can't add data with duplicate times."));
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        ui.ShowWarning("Can't add data with duplicate times.");

        WhenModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!ui.AskYesNo("There are 501 time points.  Continue?"));

        WhenModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QCOMPARE(box->text(), QString("Save changes to ZAV1?"));
            box->button(QMessageBox::Cancel)->click();
        });
        QCOMPARE(ui.AskYesNoCancel("Save changes to ZAV1?"), zav::UserInterface::Answer::kCancel);
    }

    void choicesThroughTheUserInterfaceKeepTheirOrder() {
        QtUserInterface ui;
        std::vector<std::string> texts(kTexts.size());
        std::transform(kTexts.begin(), kTexts.end(), texts.begin(),
                       [](const QString& t) { return t.toStdString(); });
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<DeleteChoiceDialog*>(modal);
            QVERIFY(dialog);
            SelectRows(*dialog, {5, 2, 7});
            dialog->OkButton()->click();
        });
        QCOMPARE(ui.ChooseToDelete(texts), std::optional<std::vector<int>>({7, 5, 2}));

        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<ChoiceDialog*>(modal);
            QVERIFY(dialog);
            dialog->CancelButton()->click();
        });
        QCOMPARE(ui.ChooseOne("Choose Parameter(s)", texts), std::optional<int>());

        QVERIFY(ui.SetClipboardText("a\tb\nc"));
        QCOMPARE(ui.GetClipboardText(), std::optional<std::string>("a\tb\nc"));
    }
};

QTEST_MAIN(ChoiceDialogTest)
#include "ChoiceDialogTest.moc"
