// The rules of the "Edit Data" page: what its rows say, how a row names its
// series, what a typed date becomes, and when the page must relist its rows.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "app/rules/DataEditRules.h"
#include "core/KTRTime.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

TEST(DataEditRulesTest, StationRowsNameTheirParameterWithAndWithoutTheUnits) {
    EXPECT_EQ(StationRowParameter("pH", "su"), "pH  (su)");
    EXPECT_EQ(ParameterOfRow("pH  (su)"), "pH");
    // Only the last "  (...)" is the units; a name may hold parentheses.
    EXPECT_EQ(ParameterOfRow("Flow (daily)  (m3/s)"), "Flow (daily)");
    EXPECT_EQ(ParameterOfRow("Flow (daily)"), "Flow (daily)");
    EXPECT_EQ(ParameterOfRow("temp"), "temp");  // chosen from the list
    EXPECT_EQ(SeriesLabel("pH  (su)", "station1"), "pH  (su) for station station1");
}

TEST(DataEditRulesTest, EveryStationIsListedByItsOwnNameWithItsGroupAfterIt) {
    IndexInfo entry;
    entry.name = "Birch";
    entry.alias = "Trees";
    EXPECT_EQ(ListedName(entry), "Birch");
    entry.isAggregate = 1;
    EXPECT_EQ(ListedName(entry), "Birch  [Trees]");
    entry.isAggregate = 0;
    entry.isMember = 1;
    EXPECT_EQ(ListedName(entry), "Birch  [Trees]");
}

TEST(DataEditRulesTest, ANameTypedOverAGroupedRowLosesOnlyItsOwnGroupMark) {
    EXPECT_EQ(TypedName("Aspen  [Trees]", "  [Trees]"), "Aspen");
    EXPECT_EQ(TypedName("Aspen", "  [Trees]"), "Aspen");
    EXPECT_EQ(TypedName("Aspen  [Oaks]", "  [Trees]"), "Aspen  [Oaks]");
    EXPECT_EQ(TypedName("Pump  [old]", ""), "Pump  [old]");
}

TEST(DataEditRulesTest, MasksShowAsYesOrNoAndAClickSwitchesThem) {
    EXPECT_STREQ(MaskText(0), "no");
    EXPECT_STREQ(MaskText(-7), "yes");
    EXPECT_EQ(ToggledMask("yes"), 0);
    EXPECT_EQ(ToggledMask("no"), 1);
}

TEST(DataEditRulesTest, APointRowShowsTheValueAndTheScaledValue) {
    DataSeries series =
        test::MakeSeries("Alder", "pH", "su", {{KTRTime("1/2/1999 10:00:00"), 7.25}});
    series.SetMultiplier(2.0);
    series.SetOffset(0.5);
    series.InsertPoint(KTRTime("1/3/1999 10:00:00"), 1e-7, 3);
    const PointRow first = PointRowTexts(series, 0);
    EXPECT_EQ(first.date, " 1/ 2/1999 10:00:00");
    EXPECT_EQ(first.value, "7.25");
    EXPECT_EQ(first.scaled, "15");
    EXPECT_STREQ(first.mask, "no");
    const PointRow second = PointRowTexts(series, 1);
    EXPECT_EQ(second.value, "1e-07");
    EXPECT_STREQ(second.mask, "yes");
}

TEST(DataEditRulesTest, ADateCellTakesAnyDateTheProgramReadsAndRefusesTheRest) {
    KTRTime time;
    CellEdit date = ReadDateCell("1999-3-7 14:05:09", time);
    EXPECT_TRUE(date.accepted);
    EXPECT_EQ(date.shown, " 3/ 7/1999 14:05:09");
    EXPECT_EQ(time.Day(), 7);
    for (const char* text : {"", "  ", "soon", "3/7"}) {
        date = ReadDateCell(text, time);
        EXPECT_FALSE(date.accepted) << text;
        EXPECT_EQ(date.message, "Please enter a date.") << text;
    }
}

TEST(DataEditRulesTest, TheAggregateLayoutChangesWithEveryGroupingOfEitherKind) {
    ScriptedUserInterface ui;
    ZAVFieldManager store(ui);
    store.AddSource(test::MakeSource(
        "f", {test::MakeSeries("A", "DO", "mg/l"), test::MakeSeries("B", "DO", "mg/l"),
              test::MakeSeries("A", "pH", "su")}));
    const std::string plain = AggregateLayout(store);
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "X", kStationType), 1);
    const std::string stations = AggregateLayout(store);
    EXPECT_NE(stations, plain);
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "Y", kParameterType), 1);
    EXPECT_NE(AggregateLayout(store), stations);
    // The same grouping under another name is a different layout as well:
    // the rows show the alias.
    std::vector<std::string> members;
    store.RemoveAggregationItem("Y", members, kParameterType);
    EXPECT_EQ(AggregateLayout(store), stations);
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "Z", kParameterType), 1);
    EXPECT_NE(AggregateLayout(store), stations);
}

}  // namespace
}  // namespace zav
