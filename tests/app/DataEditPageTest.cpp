// The "Edit Data" page driven as a user drives it: the two tables filled from
// the project, renames, scaling, dates, values and masks typed and clicked,
// stations, parameters and points added and deleted, the parameter choice,
// the hint sent when the page is left, Set Format, Add From Spreadsheet and
// the layout.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>
#include <functional>

#include "AppTestSupport.h"
#include "StoreBuilders.h"
#include "app/dialogs/CParseFormatDialog.h"
#include "app/frame/CZAVView.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/pages/DataEditPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "app/rules/DataEditRules.h"
#include "io/CZAVDoc.h"

namespace {

using zav::test::MakeSeries;

zav::DataSeries Series(const char* station, const char* parameter, const char* units,
                       std::vector<std::tuple<const char*, double, int>> points) {
    zav::DataSeries series = MakeSeries(station, parameter, units);
    for (auto [time, value, mask] : points) {
        series.InsertPoint(zav::KTRTime(time), value, mask);
    }
    return series;
}

// Alder measures pH (three points, the second set aside), flow (units cfs,
// shown as ft3/s) and temp (no points); Birch measures pH.
void FillProject(zav::CZAVDoc& doc) {
    zav::DataSource source;
    source.fileName = "trees.mlv";
    source.series.push_back(Series("Alder", "pH", "su",
                                   {{"1/1/1999 10:00:00", 7.1, 0},
                                    {"1/2/1999 10:00:00", 7.3, 1},
                                    {"1/3/1999 10:00:00", 6.9, 0}}));
    source.series.push_back(Series("Alder", "flow", "cfs", {{"1/1/1999 0:00:00", 12.5, 0}}));
    source.series.push_back(Series("Alder", "temp", "deg F", {}));
    source.series.push_back(Series("Birch", "pH", "su", {{"2/1/1999 8:30:00", 8.0, 0}}));
    doc.FieldManager().AddSource(std::move(source));
    doc.FieldManager().SetUnits("cfs", {"cfs", "ft3/s", "cubic feet", 1.0, 0.0});
}

// A project window shown on the edit page, recording which pages reload.
struct Window : ProjectWindow {
    explicit Window(bool filled = true)
        : ProjectWindow(kEditTab, filled ? Fill(FillProject) : Fill(), QSize(1000, 700)) {}
    DataEditPage& Page() { return Sheet().DataEdit(); }
    CGridCtrl* Upper() { return Page().UpperTable(); }
    CGridCtrl* Lower() { return Page().LowerTable(); }
    QString Label() { return Page().SeriesLabel()->text(); }
    void Leave() {
        Sheet().setCurrentIndex(0);
        Sheet().setCurrentIndex(kEditTab);
    }
};

QStringList Dates(const zav::DataSeries& series) {
    QStringList dates;
    for (size_t i = 0; i < series.Size(); ++i) {
        dates << QString::fromStdString(series.Time(i).ToText());
    }
    return dates;
}

}  // namespace

class DataEditPageTest : public QObject {
    Q_OBJECT

private slots:
    void tablesShowStationRowsAndThePointsOfTheChosenOne() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* upper = w.Upper();
        CGridCtrl* lower = w.Lower();
        QCOMPARE(upper->objectName(), QString("grid1010"));
        QCOMPARE(GridRowTexts(upper, 0),
                 QStringList({"Station", "Parameter", "Multiplier", "Offset"}));
        QCOMPARE(GridRowTexts(upper, 1), QStringList({"Alder", "pH  (su)", "1", "0"}));
        QCOMPARE(GridColumnTexts(upper, 0), QStringList({"Alder", "Alder", "Alder", "Birch"}));
        QCOMPARE(GridColumnTexts(upper, 1),
                 QStringList({"pH  (su)", "flow  (ft3/s)", "temp  (deg F)", "pH  (su)"}));
        QCOMPARE(w.Page().SelectedUpperRow(), 0);

        QCOMPARE(w.Label(), QString("pH  (su) for station Alder"));
        QCOMPARE(GridRowTexts(lower, 0), QStringList({"Date", "Value", "Scaled Value", "Mask"}));
        QCOMPARE(GridRowTexts(lower, 1), QStringList({" 1/ 1/1999 10:00:00", "7.1", "7.1", "no"}));
        QCOMPARE(GridColumnTexts(lower, 3), QStringList({"no", "yes", "no"}));
        QVERIFY(lower->IsCellEditable(1, 0) && lower->IsCellEditable(1, 1));
        QVERIFY(!lower->IsCellEditable(1, 2) && !lower->IsCellEditable(1, 3));

        ClickGridCell(upper, 4, 0);
        QCOMPARE(w.Page().SelectedUpperRow(), 3);
        QCOMPARE(w.Label(), QString("pH  (su) for station Birch"));
        QCOMPARE(GridColumnTexts(lower, 0), QStringList({" 2/ 1/1999  8:30:00"}));
        upper->SetFocusCell(3, 2);  // keys move the choice too
        QCOMPARE(w.Label(), QString("temp  (deg F) for station Alder"));
        QCOMPARE(lower->GetRowCount(), 1);

        // Parameters have their units beside them and no points below.
        w.Page().ParametersButton()->click();
        QCOMPARE(w.Page().EditType(), 1);
        QCOMPARE(GridRowTexts(upper, 0), QStringList({"Parameter", "Units"}));
        QCOMPARE(GridColumnTexts(upper, 0), QStringList({"flow", "pH", "temp"}));
        QCOMPARE(GridColumnTexts(upper, 1), QStringList({"cfs", "su", "deg F"}));
        QCOMPARE(lower->GetRowCount(), 1);
        QCOMPARE(w.Label(), QString("Data for Station:"));
        QVERIFY(!lower->isEnabled() && !w.Page().LowerAddButton()->isEnabled() &&
                !w.Page().LowerDeleteButton()->isEnabled());
        QVERIFY(w.Page().SetFormatButton()->isEnabled());
        w.Page().StationsButton()->click();
        QVERIFY(lower->isEnabled() && w.Page().LowerAddButton()->isEnabled());
        QCOMPARE(lower->GetRowCount(), 4);
        QVERIFY(!w.doc.IsModified());
    }

    void everyMemberOfAGroupIsListedAndEditedUnderItsOwnName() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        // Grouped on the aggregation page, which tells only the
        // availability page: showing this page again reloads it.
        w.view->Sheet().setCurrentIndex(1);
        zav::ZAVFieldManager& store = w.doc.FieldManager();
        store.AddAggregate({"Birch", "Alder"}, "Trees", zav::kStationType);
        store.AddAggregate({"pH", "flow"}, "Water", zav::kParameterType);
        QCOMPARE(GridColumnTexts(w.Upper(), 0), QStringList({"Alder", "Alder", "Alder", "Birch"}));
        w.view->Sheet().setCurrentIndex(kEditTab);
        QCOMPARE(GridColumnTexts(w.Upper(), 0), QStringList({"Alder  [Trees]", "Alder  [Trees]",
                                                             "Alder  [Trees]", "Birch  [Trees]"}));
        QCOMPARE(GridColumnTexts(w.Upper(), 1),
                 QStringList({"pH  (su)", "flow  (ft3/s)", "temp  (deg F)", "pH  (su)"}));

        // Each row shows and changes its own station's series.
        QCOMPARE(w.Label(), QString("pH  (su) for station Alder"));
        QCOMPARE(GridColumnTexts(w.Lower(), 1), QStringList({"7.1", "7.3", "6.9"}));
        TypeIntoCell(w.Lower(), 1, 1, "7.5");
        QCOMPARE(w.Find("Alder", "pH")->Value(0), 7.5);
        TypeIntoCell(w.Upper(), 2, 2, "3");
        QCOMPARE(w.Find("Alder", "flow")->Multiplier(), 3.0);
        ClickGridCell(w.Upper(), 4, 0);
        QCOMPARE(w.Label(), QString("pH  (su) for station Birch"));
        QCOMPARE(GridColumnTexts(w.Lower(), 1), QStringList({"8"}));

        // A rename keeps the group; a group's name is refused with a word.
        TypeIntoCell(w.Upper(), 1, 0, "Aspen");
        QCOMPARE(GridColumnTexts(w.Upper(), 0), QStringList({"Aspen  [Trees]", "Aspen  [Trees]",
                                                             "Aspen  [Trees]", "Birch  [Trees]"}));
        std::vector<std::string> members;
        store.GetAggregateMembers("Trees", members, zav::kStationType);
        QCOMPARE(members, std::vector<std::string>({"Birch", "Aspen"}));
        TypeIntoCell(w.Upper(), 4, 0, "Trees");
        QCOMPARE(w.ui.messages,
                 std::vector<std::string>(
                     {"Error: Can't change Birch to Trees because Trees is the name of a group."}));
        QCOMPARE(w.Upper()->GetItemText(4, 0), QString("Birch  [Trees]"));

        // Deleting the group's first station deletes that station; the
        // group goes on with the others.
        w.ui.severalAnswers.push_back(std::vector<int>{3});
        w.Page().UpperDeleteButton()->click();
        QCOMPARE(w.ui.captions.back(), std::string("Choose Items to Delete"));
        QCOMPARE(GridColumnTexts(w.Upper(), 0),
                 QStringList({"Aspen  [Trees]", "Aspen  [Trees]", "Aspen  [Trees]"}));
        QVERIFY(w.Find("Birch", "pH") == nullptr);
        store.GetAggregateMembers("Trees", members, zav::kStationType);
        QCOMPARE(members, std::vector<std::string>({"Aspen"}));

        // Parameters too, each with its own units.
        w.Page().ParametersButton()->click();
        QCOMPARE(GridColumnTexts(w.Upper(), 0),
                 QStringList({"flow  [Water]", "pH  [Water]", "temp"}));
        TypeIntoCell(w.Upper(), 1, 1, "m3/s");
        QCOMPARE(store.Parameters().OwnEntry("flow")->units, std::string("m3/s"));
        QCOMPARE(store.Parameters().OwnEntry("pH")->units, std::string("su"));
        QCOMPARE(w.Find("Aspen", "flow")->Units(), std::string("m3/s"));
        QCOMPARE(w.ui.messages.size(), size_t{1});
    }

    void renamesAndUnitsAreAcceptedOrRefusedAsTheStoreSays() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* upper = w.Upper();
        // Pasted, so that the focus stays on the row whose points are shown.
        w.ui.clipboard = std::string("Aspen");
        upper->SetFocusCell(2, 0);
        upper->OnEditPaste();
        QCOMPARE(GridColumnTexts(upper, 0), QStringList({"Aspen", "Aspen", "Aspen", "Birch"}));
        zav::StationInfo info;
        QVERIFY(w.doc.FieldManager().GetStation("Aspen", info));
        QVERIFY(!w.doc.FieldManager().GetStation("Alder", info));
        QCOMPARE(w.Label(), QString("flow  (ft3/s) for station Aspen"));
        QVERIFY(w.doc.IsModified() && w.Page().HasChanged());
        TypeIntoCell(w.Lower(), 1, 1, "7.5");  // the points shown still take edits
        QCOMPARE(w.Find("Aspen", "flow")->Value(0), 7.5);

        // A station row's parameter is chosen, not typed; a name is never blank.
        TypeIntoCell(upper, 1, 1, "x");
        TypeIntoCell(upper, 4, 0, " ");
        QCOMPARE(GridRowTexts(upper, 1).mid(0, 2), QStringList({"Aspen", "pH  (su)"}));
        QCOMPARE(upper->GetItemText(4, 0), QString("Birch"));
        QVERIFY(w.ui.messages.empty());

        w.Page().ParametersButton()->click();
        TypeIntoCell(upper, 2, 0, "flow");
        QCOMPARE(w.ui.messages,
                 std::vector<std::string>({"Error: Can't change pH to flow because flow already "
                                           "exists."}));
        QCOMPARE(upper->GetItemText(2, 0), QString("pH"));
        QVERIFY(w.Find("Birch", "pH") != nullptr);
        TypeIntoCell(upper, 2, 0, "acidity");
        QVERIFY(w.Find("Birch", "acidity") != nullptr);
        TypeIntoCell(upper, 1, 1, "m3/s");
        QCOMPARE(w.doc.FieldManager().GetParameterUnits("flow"), std::string("m3/s"));
        QCOMPARE(w.Find("Aspen", "flow")->Units(), std::string("m3/s"));
        QCOMPARE(w.doc.FieldManager().GetParameterUnitsAlias("flow"), std::string("m3/s"));
    }

    void multiplierAndOffsetScaleTheSeries() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        TypeIntoCell(w.Upper(), 1, 2, "2abc");
        QCOMPARE(w.Upper()->GetItemText(1, 2), QString("2"));
        TypeIntoCell(w.Upper(), 1, 3, "-1.5");
        // Nothing that is no finite number gets into a series.
        for (const char* text : {"1e999", "nan", "-inf", " Infinity"}) {
            TypeIntoCell(w.Upper(), 1, 2, text);
        }
        TypeIntoCell(w.Lower(), 1, 1, "NaN");
        QCOMPARE(w.ui.messages, std::vector<std::string>(5, "Please enter a number."));
        QCOMPARE(w.Upper()->GetItemText(1, 2), QString("2"));
        QCOMPARE(w.Find("Alder", "pH")->Value(0), 7.1);
        QCOMPARE(w.Find("Alder", "pH")->Multiplier(), 2.0);
        QCOMPARE(w.Find("Alder", "pH")->Offset(), -1.5);
        ClickGridCell(w.Upper(), 1, 0);  // Enter moved the choice on
        QCOMPARE(GridColumnTexts(w.Lower(), 2), QStringList({"12.7", "13.1", "12.3"}));

        TypeIntoCell(w.Lower(), 3, 1, "7");
        QCOMPARE(GridRowTexts(w.Lower(), 3),
                 QStringList({" 1/ 3/1999 10:00:00", "7", "12.5", "no"}));
        // Pasted cells pass the same rules.
        w.ui.clipboard = std::string("8\n9");
        w.Lower()->SetFocusCell(1, 1);
        w.Lower()->OnEditPaste();
        QCOMPARE(GridColumnTexts(w.Lower(), 1), QStringList({"8", "9", "7"}));
        QCOMPARE(w.Find("Alder", "pH")->Value(1), 9.0);
    }

    // The points table reads the series when a cell is shown. Whatever the
    // series holds (set aside, scaled, missing) and whatever was just typed,
    // each row shows the texts the table showed when it copied every cell.
    void pointCellsShowTheSeriesAsItStandsNow() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        struct Case {
            const char* name;
            std::function<void()> act;
            int row;
            QStringList expected;
        };
        const Case cases[] = {
            {"as read, the second set aside",
             [] {},
             2,
             {" 1/ 2/1999 10:00:00", "7.3", "7.3", "yes"}},
            {"scaled by 2 and -1.5",
             [&] {
                 TypeIntoCell(w.Upper(), 1, 2, "2");
                 TypeIntoCell(w.Upper(), 1, 3, "-1.5");
                 ClickGridCell(w.Upper(), 1, 0);
             },
             1,
             {" 1/ 1/1999 10:00:00", "7.1", "12.7", "no"}},
            {"a missing value",
             [&] {
                 w.Find("Alder", "pH")
                     ->InsertPoint(zav::KTRTime("1/4/1999 10:00:00"), std::nan(""), 0);
                 w.Page().Refresh();
             },
             4,
             {" 1/ 4/1999 10:00:00", "nan", "nan", "no"}},
            {"a value typed, not yet saved",
             [&] { TypeIntoCell(w.Lower(), 3, 1, "1e3"); },
             3,
             {" 1/ 3/1999 10:00:00", "1000", "1998.5", "no"}},
            {"a value refused",
             [&] { TypeIntoCell(w.Lower(), 3, 1, "nan"); },
             3,
             {" 1/ 3/1999 10:00:00", "1000", "1998.5", "no"}},
            {"a mask switched",
             [&] { ClickGridCell(w.Lower(), 3, 3); },
             3,
             {" 1/ 3/1999 10:00:00", "1000", "1998.5", "yes"}},
        };
        for (const Case& c : cases) {
            c.act();
            QVERIFY2(GridRowTexts(w.Lower(), c.row) == c.expected, c.name);
            // Nothing is held for the rows beyond the series itself.
            QVERIFY2(w.Lower()->Model().Source() != nullptr, c.name);
            QCOMPARE(w.Lower()->Model().OverrideCount(), size_t{0});
        }
        QCOMPARE(w.Lower()->GetRowCount(), 5);
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Please enter a number."}));
        QVERIFY(w.doc.IsModified());
    }

    // Read-only by column: the scaled value and the mask are shown, never
    // typed or pasted; a value edit is one step that Undo takes back.
    void pointEditsFollowTheColumnsRulesAndUndo() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* lower = w.Lower();
        for (int row = 1; row <= 3; ++row) {
            QVERIFY(lower->IsCellEditable(row, zav::kPointDate));
            QVERIFY(lower->IsCellEditable(row, zav::kPointValue));
            QVERIFY(!lower->IsCellEditable(row, zav::kPointScaled));
            QVERIFY(!lower->IsCellEditable(row, zav::kPointMask));
        }
        w.ui.clipboard = std::string("5\t6\tyes");
        lower->SetFocusCell(2, 1);
        QCOMPARE(lower->PasteText(*w.ui.clipboard), 1);
        QCOMPARE(GridRowTexts(lower, 2), QStringList({" 1/ 2/1999 10:00:00", "5", "5", "yes"}));
        QCOMPARE(w.doc.History().UndoName(), std::string("Edit Value"));
        QVERIFY(w.doc.Undo());
        QCOMPARE(GridRowTexts(lower, 2), QStringList({" 1/ 2/1999 10:00:00", "7.3", "7.3", "yes"}));
        QCOMPARE(w.Find("Alder", "pH")->Value(1), 7.3);
    }

    void datesAreCheckedForDuplicatesAndSortedLater() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        CGridCtrl* lower = w.Lower();
        zav::DataSeries* series = w.Find("Alder", "pH");
        TypeIntoCell(lower, 1, 0, "1/2/1999 10:00:00");
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Can't add data with duplicate times."}));
        QCOMPARE(lower->GetItemText(1, 0), QString(" 1/ 1/1999 10:00:00"));
        QCOMPARE(Dates(*series), QStringList({" 1/ 1/1999 10:00:00", " 1/ 2/1999 10:00:00",
                                              " 1/ 3/1999 10:00:00"}));
        QVERIFY(!w.Page().HasChanged());

        TypeIntoCell(lower, 1, 0, "tomorrow");
        QCOMPARE(w.ui.messages.back(), std::string("Please enter a date."));
        QCOMPARE(lower->GetItemText(1, 0), QString(" 1/ 1/1999 10:00:00"));

        // A later date keeps its row until another series has been shown.
        TypeIntoCell(lower, 1, 0, "1/5/99 7:00:00");
        QCOMPARE(
            GridColumnTexts(lower, 0),
            QStringList({" 1/ 5/1999  7:00:00", " 1/ 2/1999 10:00:00", " 1/ 3/1999 10:00:00"}));
        QCOMPARE(GridColumnTexts(lower, 1), QStringList({"7.1", "7.3", "6.9"}));
        QVERIFY(w.Page().HasChanged());
        ClickGridCell(w.Upper(), 4, 0);
        ClickGridCell(w.Upper(), 1, 0);
        QCOMPARE(
            GridColumnTexts(lower, 0),
            QStringList({" 1/ 2/1999 10:00:00", " 1/ 3/1999 10:00:00", " 1/ 5/1999  7:00:00"}));
        QCOMPARE(GridColumnTexts(lower, 1), QStringList({"7.3", "6.9", "7.1"}));
        QCOMPARE(GridColumnTexts(lower, 3), QStringList({"yes", "no", "no"}));
    }

    void masksSwitchByClickAndCountAsADataChange() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        ClickGridCell(w.Lower(), 1, 3);
        QCOMPARE(GridColumnTexts(w.Lower(), 3), QStringList({"yes", "yes", "no"}));
        QCOMPARE(w.Find("Alder", "pH")->Mask(0), 1);
        ClickGridHeader(w.Lower(), 3);
        QCOMPARE(GridColumnTexts(w.Lower(), 3), QStringList({"no", "no", "yes"}));
        const zav::DataSeries* series = w.Find("Alder", "pH");
        QCOMPARE(std::vector<int32_t>(series->Masks()), std::vector<int32_t>({0, 0, 1}));
        ClickGridCell(w.Lower(), 2, 1);  // other columns do not switch
        QCOMPARE(series->Mask(1), 0);
        QVERIFY(w.doc.IsModified());
        QVERIFY(w.Page().HasChanged());
    }

    void pointsAreAddedAfterTheLastAndDeletedAsChosen() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        DataEditPage& page = w.Page();
        page.PointCountEdit()->setText("3");
        page.LowerAddButton()->click();
        QCOMPARE(
            GridColumnTexts(w.Lower(), 0).mid(3),
            QStringList({" 1/ 3/1999 11:00:00", " 1/ 3/1999 12:00:00", " 1/ 3/1999 13:00:00"}));
        QCOMPARE(GridRowTexts(w.Lower(), 6), QStringList({" 1/ 3/1999 13:00:00", "0", "0", "no"}));
        QVERIFY(page.HasChanged() && w.doc.IsModified());

        // A count that is no integer keeps the last one.
        page.PointCountEdit()->setText("two");
        page.LowerAddButton()->click();
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Please enter an integer."}));
        QCOMPARE(w.Find("Alder", "pH")->Size(), size_t{9});

        w.doc.SetModifiedFlag(false);
        page.LowerDeleteButton()->click();  // cancelled
        QCOMPARE(w.ui.captions, std::vector<std::string>({"Choose Items to Delete"}));
        QCOMPARE(w.Find("Alder", "pH")->Size(), size_t{9});
        QVERIFY(!w.doc.IsModified());
        w.ui.severalAnswers.push_back(std::vector<int>{8, 3, 1});
        page.LowerDeleteButton()->click();
        QCOMPARE(
            GridColumnTexts(w.Lower(), 0).mid(0, 3),
            QStringList({" 1/ 1/1999 10:00:00", " 1/ 3/1999 10:00:00", " 1/ 3/1999 12:00:00"}));
        QCOMPARE(w.Find("Alder", "pH")->Size(), size_t{6});
        QVERIFY(w.doc.IsModified());

        // The Delete key deletes the selected rows at once; Undo brings
        // them back where they were.
        const QStringList before = GridColumnTexts(w.Lower(), 0);
        w.view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.view.get()));
        w.Lower()->setFocus();
        w.Lower()->SetSelectedRange({2, 0, 3, 2});
        QTest::keyClick(w.Lower(), Qt::Key_Delete);
        QCOMPARE(w.Find("Alder", "pH")->Size(), size_t{4});
        QCOMPARE(w.doc.History().UndoName(), std::string("Delete Points"));
        QVERIFY(w.doc.Undo());
        QCOMPARE(GridColumnTexts(w.Lower(), 0), before);
    }

    void stationsAndParametersAreAddedAndDeleted() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        DataEditPage& page = w.Page();
        page.ParametersButton()->click();
        page.UpperCountEdit()->setText("2");
        page.UpperAddButton()->click();
        QCOMPARE(GridColumnTexts(w.Upper(), 0),
                 QStringList({"flow", "pH", "parameter", "parameter1", "temp"}));
        QCOMPARE(w.Upper()->GetItemText(3, 1), QString("units"));

        page.StationsButton()->click();
        // A date edit waits to be sorted while the new stations' sources
        // move every series in memory.
        TypeIntoCell(w.Lower(), 1, 0, "1/9/1999");
        w.ui.severalAnswers.push_back(std::vector<int>{0, 4});  // flow, temp
        page.UpperAddButton()->click();
        QCOMPARE(w.ui.captions.back(), std::string("Choose Parameter(s)"));
        QCOMPARE(Dates(*w.Find("Alder", "pH")).last(), QString(" 1/ 9/1999  0:00:00"));
        QCOMPARE(GridColumnTexts(w.Upper(), 0).mid(4),
                 QStringList({"station1", "station1", "station2", "station2"}));
        QCOMPARE(GridColumnTexts(w.Upper(), 1).mid(4, 2),
                 QStringList({"flow  (ft3/s)", "temp  (deg F)"}));
        QVERIFY(page.HasChanged());

        page.UpperAddButton()->click();  // cancelled
        QCOMPARE(w.ui.messages, std::vector<std::string>(
                                    {"A parameter must first be defined before stations can be "
                                     "added."}));

        // Rows highest first; a station named on several rows goes once.
        w.ui.severalAnswers.push_back(std::vector<int>{7, 3, 1});
        page.UpperDeleteButton()->click();
        QCOMPARE(GridColumnTexts(w.Upper(), 0), QStringList({"station1", "station1"}));
        QVERIFY(w.Find("Birch", "pH") == nullptr);
        QCOMPARE(w.Label(), QString("flow  (ft3/s) for station station1"));
    }

    void stationsNeedAParameterFirst() {
        Window w(false);
        w.Page().UpperAddButton()->click();
        QCOMPARE(w.ui.messages, std::vector<std::string>(
                                    {"A parameter must first be defined before stations can be "
                                     "added."}));
        QVERIFY(w.ui.captions.empty());
        QCOMPARE(w.Upper()->GetRowCount(), 1);
        QCOMPARE(w.Label(), QString("Data for Station:"));
        w.Page().LowerAddButton()->click();  // no series: nothing
        QVERIFY(!w.doc.IsModified());
    }

    void aStationRowTakesAParameterChosenFromTheList() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        w.ui.oneAnswers.push_back(2);  // flow, pH, temp
        ClickGridCell(w.Upper(), 4, 1);
        QCOMPARE(w.ui.captions, std::vector<std::string>({"Choose Parameters For Station"}));
        QCOMPARE(w.Upper()->GetItemText(4, 1), QString("temp"));
        QVERIFY(w.Find("Birch", "temp") != nullptr);
        QCOMPARE(w.Label(), QString("temp for station Birch"));
        QCOMPARE(GridColumnTexts(w.Lower(), 1), QStringList({"8"}));
        QVERIFY(w.doc.IsModified());
        QVERIFY(w.Page().HasChanged());

        ClickGridCell(w.Upper(), 1, 1);  // cancelled
        QCOMPARE(w.Upper()->GetItemText(1, 1), QString("pH  (su)"));
    }

    void leavingAfterAChangeTellsTheViewsOnce() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        w.refreshed.clear();
        ClickGridCell(w.Upper(), 4, 0);
        w.Leave();
        QCOMPARE(w.Page().SelectedUpperRow(), 3);  // not reloaded
        QVERIFY(w.refreshed.isEmpty());
        // A mask decides what counts, so it is a change of data.
        ClickGridCell(w.Lower(), 1, 3);
        w.Leave();
        QCOMPARE(w.refreshed, kAllPages);
        w.refreshed.clear();

        ClickGridCell(w.Upper(), 1, 0);
        TypeIntoCell(w.Lower(), 1, 0, "1/9/1999");
        TypeIntoCell(w.Lower(), 1, 1, "5");
        w.view->Sheet().setCurrentIndex(0);
        QCOMPARE(w.refreshed, kAllPages);
        QVERIFY(!w.Page().HasChanged());
        QCOMPARE(w.Page().SelectedUpperRow(), 0);  // reloaded
        const zav::DataSeries& series = *w.Find("Alder", "pH");
        QCOMPARE(Dates(series), QStringList({" 1/ 2/1999 10:00:00", " 1/ 3/1999 10:00:00",
                                             " 1/ 9/1999  0:00:00"}));
        QCOMPARE(series.Value(2), 5.0);
        w.refreshed.clear();
        w.view->Sheet().setCurrentIndex(kEditTab);
        w.Leave();
        QVERIFY(w.refreshed.isEmpty());
    }

    void setFormatEditsTheProjectsLayoutAndTheClipboardAddsPoints() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        WhenShown<CParseFormatDialog>([](CParseFormatDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Parse Spreadsheet Information"));
            QCOMPARE(dialog.ColumnList(0)->currentText(), QString("MM/DD/[YY]YY"));
            dialog.ColumnList(0)->setCurrentIndex(2);  // MM/DD/[YY]YY HH:MM
            dialog.ColumnList(3)->setCurrentIndex(0);  // VALUE
            dialog.accept();
        });
        w.Page().SetFormatButton()->click();
        QCOMPARE(w.doc.ParseString(), std::string("MM/DD/[YY]YY HH:MM\tVALUE\tSKIP\tVALUE\tSKIP"));
        QVERIFY(w.doc.IsModified());

        // The first value column goes into the series shown.
        w.ui.clipboard = std::string("1/4/99 10:30, 5.5, x, 1\n1/1/99 10:00 7 x 2\n");
        w.Page().AddFromSpreadsheetButton()->click();
        QCOMPARE(GridColumnTexts(w.Lower(), 0),
                 QStringList({" 1/ 1/1999 10:00:00", " 1/ 2/1999 10:00:00", " 1/ 3/1999 10:00:00",
                              " 1/ 4/1999 10:30:00"}));
        QCOMPARE(GridColumnTexts(w.Lower(), 1), QStringList({"7", "7.3", "6.9", "5.5"}));
        QVERIFY(w.Page().HasChanged());
    }

    void contextMenusAndLayoutFollowTheSize() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(w.view.get()));
        DataEditPage& page = w.Page();
        for (CGridCtrl* grid : {w.Upper(), w.Lower()}) {
            std::unique_ptr<QMenu> menu = page.TableMenu(*grid);
            QCOMPARE(menu->objectName(),
                     QString(grid == w.Upper() ? "Table1 Context" : "Table2 Context"));
            QCOMPARE(menu->actions().size(), 2);
            QCOMPARE(menu->actions()[0]->text(), QString("&Copy"));
            QCOMPARE(menu->actions()[1]->text(), QString("&Paste"));
        }

        const QSize before = page.size();
        QWidget* watched[] = {w.Upper(),
                              w.Lower(),
                              page.UpperAddButton(),
                              page.SeriesLabel(),
                              page.LowerAddButton(),
                              page.LowerDeleteButton(),
                              page.StationsButton()};
        std::vector<QRect> rects;
        for (QWidget* widget : watched) {
            rects.push_back(widget->geometry());
        }
        w.view->resize(w.view->size() + QSize(60, 41));
        QTRY_COMPARE(page.size(), before + QSize(60, 41));
        QCOMPARE(w.Upper()->geometry(), rects[0].adjusted(0, 0, 60, 20));
        QCOMPARE(w.Lower()->geometry(), rects[1].adjusted(0, 20, 60, 41));
        QCOMPARE(page.UpperAddButton()->geometry(), rects[2].translated(60, 0));
        QCOMPARE(page.SeriesLabel()->geometry(), rects[3].translated(0, 20));
        QCOMPARE(page.LowerAddButton()->geometry(), rects[4].translated(0, 41));
        QCOMPARE(page.LowerDeleteButton()->geometry(), rects[5].translated(60, 41));
        QCOMPARE(page.StationsButton()->geometry(), rects[6]);
    }
};

QTEST_MAIN(DataEditPageTest)
#include "DataEditPageTest.moc"
