// The units page: the two tables filled from the project, edits typed and
// pasted into them with their exact outcomes, applying a conversion, adding
// and deleting conversions, the modified flag, the pages that reload, the
// context menu and the layout.
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "StoreBuilders.h"
#include "app/frame/CZAVView.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/pages/UnitsPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "io/CZAVDoc.h"

namespace {

using zav::test::MakeSeries;

// Units cfs, deg F and su (rows 1 to 3), deg F converted by a multiplier
// that "%g" cannot show in full; four standard conversions.
void FillProject(zav::CZAVDoc& doc) {
    zav::DataSource source;
    for (auto [parameter, units] : {std::pair{"flow", "cfs"}, {"temp", "deg F"}, {"ph", "su"}}) {
        source.series.push_back(MakeSeries("station1", parameter, units));
    }
    doc.FieldManager().AddSource(std::move(source));
    doc.FieldManager().SetUnits("deg F", {"deg F", "deg F", "deg F", 0.45359237, 0.0});
    zav::ConversionTable& conversions = doc.Conversions();
    conversions.Append("no conversion", 1, 0);
    conversions.Append("F to C", 0.555556, -17.7778);
    conversions.Append("cfs to cms", 0.0283168, 0);
    conversions.Append("ft to m", 0.3048, 0);
}

zav::UnitsRecord Units(const zav::CZAVDoc& doc, const std::string& name) {
    zav::UnitsRecord record;
    doc.FieldManager().GetUnits(name, record);
    return record;
}

// A project window, shown on the units page, that records which pages
// reloaded.
struct Window : ProjectWindow {
    Window() : ProjectWindow(kUnitsTab, FillProject, QSize(1000, 700)) {}
    UnitsPage& Page() { return Sheet().Units(); }
    CGridCtrl* UnitsTable() { return Page().UnitsTable(); }
    CGridCtrl* Conversions() { return Page().ConversionsTable(); }
};

}  // namespace

class UnitsPageTest : public QObject {
    Q_OBJECT

private slots:
    void tablesShowTheUnitsRecordsAndTheConversions() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* units = w.UnitsTable();
        QCOMPARE(units->objectName(), QString("grid1070"));
        QCOMPARE(GridRowTexts(units, 0),
                 QStringList({"Description", "Multiplier", "Offset", "Alias", "Comment"}));
        QCOMPARE(GridRowTexts(units, 1), QStringList({"cfs", "1", "0", "cfs", "cfs"}));
        QCOMPARE(GridRowTexts(units, 2), QStringList({"deg F", "0.453592", "0", "deg F", "deg F"}));
        QCOMPARE(units->GetRowCount(), 4);
        QVERIFY(!units->IsCellEditable(1, 0));
        QVERIFY(units->IsCellEditable(1, 1) && units->IsCellEditable(3, 4));

        CGridCtrl* conversions = w.Conversions();
        QCOMPARE(GridRowTexts(conversions, 0),
                 QStringList({"Conversion Name", "Multiplier", "Offset"}));
        QCOMPARE(GridRowTexts(conversions, 2), QStringList({"F to C", "0.555556", "-17.7778"}));
        QCOMPARE(GridColumnTexts(conversions, 0),
                 QStringList({"no conversion", "F to C", "cfs to cms", "ft to m"}));
        QCOMPARE(w.Page().ApplyButton()->text(), QString("Apply"));
        QVERIFY(!w.Page().ApplyButton()->isEnabled());
        QCOMPARE(w.Page().findChild<QGroupBox*>()->title(), QString("Standard conversions"));
    }

    void applyingAConversionChangesTheUnitsAndIsSaved() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        UnitsPage& page = w.Page();
        ClickGridCell(w.UnitsTable(), 2, 0);
        ClickGridCell(w.Conversions(), 2, 1);
        QCOMPARE(page.ApplyButton()->text(), QString("Apply F to C conversion to deg F"));
        QVERIFY(page.ApplyButton()->isEnabled());
        ClickGridHeader(w.UnitsTable(), 1);
        QCOMPARE(page.ApplyButton()->text(), QString("Apply"));
        QVERIFY(!page.ApplyButton()->isEnabled());

        ClickGridCell(w.UnitsTable(), 2, 3);
        QVERIFY(!w.doc.IsModified());
        page.ApplyButton()->click();
        zav::UnitsRecord record = Units(w.doc, "deg F");
        QCOMPARE(record.multiplier, 0.555556);
        QCOMPARE(record.offset, -17.7778);
        QCOMPARE(record.alias, std::string("F to C"));
        QCOMPARE(record.comment, std::string("deg F -> F to C"));
        QCOMPARE(GridRowTexts(w.UnitsTable(), 2),
                 QStringList({"deg F", "0.555556", "-17.7778", "F to C", "deg F -> F to C"}));
        QCOMPARE(page.SelectedUnitsRow(), -1);
        QCOMPARE(page.ApplyButton()->text(), QString("Apply"));
        // The new alias is shown on other pages, and the project must ask to
        // be saved.
        QVERIFY(w.doc.IsModified());
        QCOMPARE(w.refreshed, kAllPages);

        ClickGridCell(w.UnitsTable(), 2, 0);
        ClickGridCell(w.Conversions(), 2, 0);
        page.ApplyButton()->click();
        QCOMPARE(Units(w.doc, "deg F").comment, std::string("deg F -> F to C -> F to C"));
    }

    void unitsEditsChangeTheRecordAndOnlyAnAliasReloadsThePages() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* units = w.UnitsTable();

        TypeIntoCell(units, 2, 2, "-32x");
        QCOMPARE(units->GetItemText(2, 2), QString("-32"));
        QCOMPARE(Units(w.doc, "deg F").offset, -32.0);
        QCOMPARE(Units(w.doc, "deg F").multiplier, 0.45359237);  // untouched, in full
        QVERIFY(w.doc.IsModified());

        TypeIntoCell(units, 1, 1, "abc");
        QCOMPARE(units->GetItemText(1, 1), QString("0"));
        QCOMPARE(Units(w.doc, "cfs").multiplier, 0.0);
        TypeIntoCell(units, 1, 1, "2.50");
        QCOMPARE(units->GetItemText(1, 1), QString("2.5"));
        // Nothing that is no finite number becomes a conversion.
        for (const char* text : {"1e999", "nan", "-INF"}) {
            TypeIntoCell(units, 1, 1, text);
            TypeIntoCell(units, 1, 2, text);
        }
        QCOMPARE(w.ui.messages, std::vector<std::string>(6, "Please enter a number."));
        QCOMPARE(units->GetItemText(1, 1), QString("2.5"));
        QCOMPARE(Units(w.doc, "cfs").multiplier, 2.5);
        QCOMPARE(Units(w.doc, "cfs").offset, 0.0);

        TypeIntoCell(units, 3, 4, "standard units");
        QCOMPARE(Units(w.doc, "su").comment, std::string("standard units"));
        QVERIFY(w.refreshed.isEmpty());

        TypeIntoCell(units, 2, 3, "deg C");
        QCOMPARE(Units(w.doc, "deg F").alias, std::string("deg C"));
        QCOMPARE(w.refreshed, kAllPages);
        QCOMPARE(units->GetItemText(2, 3), QString("deg C"));
        QCOMPARE(units->GetFocusCell(), std::make_pair(3, 3));  // Enter moved on

        // An edit that leaves the text as it was changes nothing.
        w.doc.SetModifiedFlag(false);
        w.refreshed.clear();
        units->SetFocusCell(1, 3);
        QTest::keyClick(units, Qt::Key_F2);
        QLineEdit* editor = CellEditor(units, 1, 3);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        TypeIntoCell(units, 1, 3, "cfs");
        QVERIFY(!w.doc.IsModified());
        QVERIFY(w.refreshed.isEmpty());

        // Pasted cells pass the same rules.
        w.ui.clipboard = std::string("3\tfour");
        units->SetFocusCell(3, 1);
        units->setFocus();
        QTest::keyClick(units, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Units(w.doc, "su").multiplier, 3.0);
        QCOMPARE(Units(w.doc, "su").offset, 0.0);
        QCOMPARE(GridRowTexts(units, 3), QStringList({"su", "3", "0", "su", "standard units"}));
    }

    void conversionsAreDeletedHighestFirstAddedAndEdited() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        UnitsPage& page = w.Page();
        zav::ConversionTable& table = w.doc.Conversions();

        page.DeleteButton()->click();  // cancelled
        QCOMPARE(w.ui.captions, std::vector<std::string>({"Choose Items to Delete"}));
        QCOMPARE(table.Count(), 4);
        QVERIFY(!w.doc.IsModified());

        w.ui.severalAnswers.push_back(std::vector<int>{2, 0});
        page.DeleteButton()->click();
        QCOMPARE(GridColumnTexts(w.Conversions(), 0), QStringList({"F to C", "ft to m"}));
        QCOMPARE(table.Count(), 2);
        QCOMPARE(table.Name(1), std::string("ft to m"));
        QVERIFY(w.doc.IsModified());

        w.doc.SetModifiedFlag(false);
        page.AddButton()->click();
        QCOMPARE(GridRowTexts(w.Conversions(), 3), QStringList({"<new entry>", "1", "0"}));
        QVERIFY(w.doc.IsModified());

        ClickGridCell(w.UnitsTable(), 1, 0);
        ClickGridCell(w.Conversions(), 3, 0);
        TypeIntoCell(w.Conversions(), 3, 0, "cfs to cfm");
        TypeIntoCell(w.Conversions(), 3, 1, "60");
        TypeIntoCell(w.Conversions(), 3, 2, "none");
        QCOMPARE(GridRowTexts(w.Conversions(), 3), QStringList({"cfs to cfm", "60", "0"}));
        QCOMPARE(table.Name(2), std::string("cfs to cfm"));
        QCOMPARE(table.Multiplier(2), 60.0);
        QCOMPARE(page.ApplyButton()->text(), QString("Apply cfs to cfm conversion to cfs"));
        TypeIntoCell(w.Conversions(), 3, 1, "-1e400");
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Please enter a number."}));
        QCOMPARE(table.Multiplier(2), 60.0);

        // The dialog's order is not relied on.
        w.ui.severalAnswers.push_back(std::vector<int>{0, 1});
        page.DeleteButton()->click();
        QCOMPARE(GridColumnTexts(w.Conversions(), 0), QStringList({"cfs to cfm"}));
        QCOMPARE(page.SelectedConversionRow(), -1);
    }

    void theContextMenuCopiesAndPastesThroughTheTable() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* units = w.UnitsTable();
        std::unique_ptr<QMenu> menu = w.Page().TableMenu(*units);
        QCOMPARE(menu->objectName(), QString("Table1 Context"));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QString("&Copy"));
        QCOMPARE(menu->actions()[1]->text(), QString("&Paste"));
        QCOMPARE(w.Page().TableMenu(*w.Conversions())->objectName(), QString("Table2 Context"));

        units->SetSelectedRange({2, 1, 2, 2});
        menu->actions()[0]->trigger();
        QCOMPARE(*w.ui.clipboard, std::string("0.453592\t0"));
        units->SetFocusCell(1, 1);
        menu->actions()[1]->trigger();
        QCOMPARE(Units(w.doc, "cfs").multiplier, 0.453592);
        QCOMPARE(GridRowTexts(units, 1), QStringList({"cfs", "0.453592", "0", "cfs", "cfs"}));
    }

    void theUnitsTakeTheUpperHalfOfTheHeightAndTheConversionsTheLower() {
        LonePage<UnitsPage> lone(QSize(700, 500));
        UnitsPage& page = lone.page;
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto geometry = [&page](QWidget* widget) { return widget->geometry(); };
        const QRect units = geometry(page.UnitsTable());
        const QRect conversions = geometry(page.ConversionsTable());
        const QRect group = geometry(page.findChild<QGroupBox*>());
        const QRect add = geometry(page.AddButton());
        const QRect remove = geometry(page.DeleteButton());
        const QRect apply = geometry(page.ApplyButton());
        page.resize(740, 530);
        QTRY_COMPARE(page.size(), QSize(740, 530));
        QCOMPARE(geometry(page.UnitsTable()), units.adjusted(0, 0, 40, 15));
        QCOMPARE(geometry(page.ConversionsTable()), conversions.adjusted(0, 15, 40, 30));
        QCOMPARE(geometry(page.findChild<QGroupBox*>()), group.adjusted(0, 15, 40, 30));
        QCOMPARE(geometry(page.AddButton()), add.translated(40, 15));
        QCOMPARE(geometry(page.DeleteButton()), remove.translated(40, 15));
        QCOMPARE(geometry(page.ApplyButton()), apply.translated(0, 30));
    }
};

QTEST_MAIN(UnitsPageTest)
#include "UnitsPageTest.moc"
