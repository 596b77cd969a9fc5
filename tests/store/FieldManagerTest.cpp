// The store's sources, global series numbering, indexes and lookups.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

class FieldManagerTest : public ::testing::Test {
protected:
    void AddTwoSources() {
        store.AddSource(
            MakeSource("a.mlv", {MakeSeries("S1", "DO", "mg/l"), MakeSeries("S1", "pH", "su"),
                                 MakeSeries("S2", "DO", "ug/l")}));
        store.AddSource(MakeSource(
            "b.pld", {MakeSeries("S3", "Flow", "cfs"), MakeSeries("S1", "Flow", "cfs")}));
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
};

TEST_F(FieldManagerTest, GlobalIndicesRunSourceBySource) {
    EXPECT_EQ(store.GetLastSeriesIndex(), -1);
    AddTwoSources();
    EXPECT_EQ(store.GetLastSeriesIndex(), 4);
    EXPECT_EQ(store.GetSeries(3).StationName(), "S3");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FieldManagerTest, GetSeriesOutOfRangeReportsAndNeverCrashes) {
    DataSeries& none = store.GetSeries(0);  // an empty store
    EXPECT_EQ(none.Size(), 0u);
    AddTwoSources();
    EXPECT_EQ(store.GetSeries(7).StationName(), "S1");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1],
              "Error: Index 7 is greater than the number of stations in the project.");
}

TEST_F(FieldManagerTest, IndexesListSeriesOfEverySourceAndFirstUnitsSeen) {
    AddTwoSources();
    StationInfo s1;
    ASSERT_EQ(store.GetStation("S1", s1), 1);
    EXPECT_EQ(s1.seriesIndices, (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(s1.alias, "S1");
    ParameterInfo dissolved;
    ASSERT_EQ(store.GetParameter("DO", dissolved), 1);
    EXPECT_EQ(dissolved.units, "mg/l");
    EXPECT_EQ(dissolved.seriesIndices, (std::vector<int>{0, 2}));
    UnitsRecord record;
    ASSERT_EQ(store.GetUnits("ug/l", record), 1);
    EXPECT_EQ(record.alias, "ug/l");
    EXPECT_EQ(record.comment, "ug/l");
    EXPECT_EQ(record.multiplier, 1.0);
    EXPECT_EQ(store.GetStation("nope", s1), 0);
    EXPECT_EQ(store.ParameterExists("pH"), 1);
    EXPECT_EQ(store.ParameterExists("ph"), 0);
}

TEST_F(FieldManagerTest, UnitsLookupsOfAParameter) {
    AddTwoSources();
    UnitsRecord record = UnitsRecord{"cfs", "cms", "converted", 0.0283168, 0.0};
    store.SetUnits("cfs", record);
    EXPECT_EQ(store.GetParameterUnits("Flow"), "cfs");
    EXPECT_EQ(store.GetParameterUnitsAlias("Flow"), "cms");
    EXPECT_EQ(store.GetParameterUnits("Temp"), "<error>");
    EXPECT_EQ(store.GetParameterUnitsAlias("Temp"), "<error>");
    // Adding an input keeps the conversions already set up, and new units
    // start from the identity.
    store.AddSource(
        MakeSource("c.mlv", {MakeSeries("S9", "Flow", "cfs"), MakeSeries("S9", "Stage", "ft")}));
    EXPECT_EQ(store.GetParameterUnitsAlias("Flow"), "cms");
    EXPECT_EQ(store.GetParameterUnitsAlias("Stage"), "ft");
}

TEST_F(FieldManagerTest, DropOrphanUnitsKeepsOnlyUnitsOfParametersAndSeries) {
    AddTwoSources();
    store.SetUnits("", UnitsRecord::Identity("furlongs"));
    store.DropOrphanUnits();
    std::vector<UnitsRecord> units;
    store.GetUnitsList(units);
    std::vector<std::string> names;
    for (const auto& u : units) {
        names.push_back(u.name);
    }
    // ug/l belongs to no parameter entry (DO took mg/l from its first
    // series), but S2's DO series is in ug/l: dropping its record would
    // show that series unconverted.
    EXPECT_EQ(names, (std::vector<std::string>{"cfs", "mg/l", "su", "ug/l"}));
}

TEST_F(FieldManagerTest, FindSeriesAndRelatedNames) {
    AddTwoSources();
    store.GetSeries(1).SetMultiplier(2.5);
    DataSeries* found = store.FindSeries("S1", "pH");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Multiplier(), 2.5);
    EXPECT_EQ(store.FindSeries("S2", "pH"), nullptr);
    std::vector<std::string> related;
    store.GetRelatedNames("S1", related, kStationType);
    EXPECT_EQ(related,
              (std::vector<std::string>{"DO", "1", "0", "pH", "2.5", "0", "Flow", "1", "0"}));
    related.clear();
    store.GetRelatedNames("Flow", related, kParameterType);
    EXPECT_EQ(related, (std::vector<std::string>{"S3", "S1"}));
    related.clear();
    store.GetRelatedNames("nobody", related, kParameterType);
    EXPECT_TRUE(related.empty());
}

TEST_F(FieldManagerTest, DateRangeCoversAllSeries) {
    int fd = 0, fm = 0, fy = 0, ld = 0, lm = 0, ly = 0;
    store.GetDateRange(fd, fm, fy, ld, lm, ly);
    EXPECT_EQ(fy, -1);
    EXPECT_EQ(ly, -1);
    store.AddSource(MakeSource(
        "x", {MakeSeries("A", "P", "u",
                         {{KTRTime(1996, 5, 1, 0, 0, 0), 1}, {KTRTime(1997, 2, 3, 0, 0, 0), 1}}),
              MakeSeries("B", "P", "u", {{KTRTime(1995, 7, 9, 0, 0, 0), 1}})}));
    store.GetDateRange(fd, fm, fy, ld, lm, ly);
    EXPECT_EQ((std::vector<int>{fy, fm, fd, ly, lm, ld}),
              (std::vector<int>{1995, 7, 9, 1997, 2, 3}));
}

TEST_F(FieldManagerTest, InfoListIsSortedByName) {
    AddTwoSources();
    std::vector<IndexInfo> list;
    store.GetInfoList(list, kParameterType);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "DO");
    EXPECT_EQ(list[1].name, "Flow");
    EXPECT_EQ(list[2].name, "pH");
    store.GetInfoList(list, kCurrentType);
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "No aggregation type specified");
}

}  // namespace
}  // namespace zav
