// Editing the stored data: deletions, renames, units, new stations,
// parameters and points, and the century offset.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

KTRTime Day(int year, int month, int day) {
    return KTRTime(year, month, day, 0, 0, 0);
}

class EditingTest : public ::testing::Test {
protected:
    // a.mlv: S1/DO, S1/pH, S2/DO; b.pld: S3/Flow.
    void AddTwoSources() {
        store.AddSource(MakeSource("a.mlv", {MakeSeries("S1", "DO", "mg/l", {{Day(1995, 1, 1), 1}}),
                                             MakeSeries("S1", "pH", "su", {{Day(1995, 1, 2), 7}}),
                                             MakeSeries("S2", "DO", "mg/l")}));
        store.AddSource(MakeSource("b.pld", {MakeSeries("S3", "Flow", "cfs")}));
    }

    // Every entry lists exactly the series that carry its name.
    void ExpectValidIndices() {
        for (int type : {kStationType, kParameterType}) {
            std::vector<IndexInfo> infos;
            store.GetInfoList(infos, type);
            for (const IndexInfo& info : infos) {
                for (int i : info.seriesIndices) {
                    ASSERT_GE(i, 0);
                    ASSERT_LE(i, store.GetLastSeriesIndex());
                    const DataSeries& s = store.GetSeries(i);
                    EXPECT_EQ(type == kStationType ? s.StationName() : s.ParameterName(),
                              info.name);
                }
            }
        }
    }

    std::vector<std::string> SeriesNames() {
        std::vector<std::string> names;
        for (int i = 0; i <= store.GetLastSeriesIndex(); ++i) {
            names.push_back(store.GetSeries(i).StationName() + "/" +
                            store.GetSeries(i).ParameterName());
        }
        return names;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
};

TEST_F(EditingTest, DeleteStationDataRemovesThePositionsTheCallerSaw) {
    std::vector<std::pair<KTRTime, double>> points;
    for (int d = 1; d <= 8; ++d) {
        points.emplace_back(Day(1995, 1, d), d);
    }
    store.AddSource(MakeSource("", {MakeSeries("S", "DO", "mg/l", points)}));
    EXPECT_EQ(store.DeleteStationData("S", "DO", {5, 2}), 1);
    EXPECT_EQ(store.FindSeries("S", "DO")->Values(), (std::vector<double>{1, 2, 4, 5, 7, 8}));
    // Lowest first, repeated or out of range: still the positions listed.
    EXPECT_EQ(store.DeleteStationData("S", "DO", {0, 3, 3, 40, -1}), 1);
    EXPECT_EQ(store.FindSeries("S", "DO")->Values(), (std::vector<double>{2, 4, 7, 8}));
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(store.DeleteStationData("S", "pH", {0}), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "ZAVFieldManager::DeleteStationData: Error: no data found for station S, "
              "parameter pH");
}

TEST_F(EditingTest, DeletingTheOnlyStationOfASourceRemovesTheSource) {
    AddTwoSources();
    store.DeleteStations({"S3", "no such station"});
    EXPECT_EQ(store.Sources().size(), 1u);
    EXPECT_EQ(store.GetLastSeriesIndex(), 2);
    StationInfo info;
    EXPECT_EQ(store.GetStation("S3", info), 0);
    ParameterInfo flow;
    ASSERT_EQ(store.GetParameter("Flow", flow), 1);
    EXPECT_TRUE(flow.seriesIndices.empty());
    ExpectValidIndices();

    store.DeleteStations({"S1"});
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"S2/DO"}));
    ExpectValidIndices();
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditingTest, DeletingAParameterDropsItsUnitsOnlyWhenUnused) {
    AddTwoSources();
    store.AddSource(MakeSource("c.mlv", {MakeSeries("S4", "BOD", "mg/l")}));
    UnitsRecord record;
    store.DeleteParameters({"pH"});
    EXPECT_EQ(store.GetUnits("su", record), 0);
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"S1/DO", "S2/DO", "S3/Flow", "S4/BOD"}));
    store.DeleteParameters({"DO"});
    EXPECT_EQ(store.GetUnits("mg/l", record), 1);  // BOD is still in mg/l
    EXPECT_EQ(store.ParameterExists("DO"), 0);
    // Both series of the first source went, and the source with them.
    EXPECT_EQ(store.Sources().size(), 2u);
    ExpectValidIndices();
}

TEST_F(EditingTest, DeletingAggregatedStationsLeavesNoHiddenMembers) {
    AddTwoSources();
    ASSERT_EQ(store.AddAggregate({"S1", "S2", "S3"}, "Basin", kStationType), 1);
    // A member leaves its aggregate; the others stay in it.
    store.DeleteStations({"S3"});
    std::vector<std::string> members;
    store.GetAggregateMembers("Basin", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"S1", "S2"}));
    // Without its representative the aggregate stays, S2 standing for it;
    // it goes with its last member.
    store.DeleteStations({"S1"});
    std::vector<std::string> names;
    store.GetNameList(names, kStationType, false);
    EXPECT_EQ(names, (std::vector<std::string>{"Basin"}));
    store.GetAggregateMembers("Basin", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"S2"}));
    EXPECT_EQ(store.FindSeries("Basin", "DO"), &store.GetSeries(0));
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"S2/DO"}));
    ExpectValidIndices();
    store.DeleteStations({"S2"});
    store.GetNameList(names, kStationType, false);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(store.Stations().Entries().size(), 0u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditingTest, RenameStationMovesTheEntryAndEverySeries) {
    AddTwoSources();
    EXPECT_EQ(store.RenameStation("S1", "T"), 1);
    StationInfo info;
    EXPECT_EQ(store.GetStation("S1", info), 0);
    ASSERT_EQ(store.GetStation("T", info), 1);
    EXPECT_EQ(info.name, "T");
    EXPECT_EQ(info.alias, "T");
    EXPECT_EQ(info.seriesIndices, (std::vector<int>{0, 1}));
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"T/DO", "T/pH", "S2/DO", "S3/Flow"}));
    // Onto an existing station: the two become one.
    EXPECT_EQ(store.RenameStation("S3", "T"), 1);
    ASSERT_EQ(store.GetStation("T", info), 1);
    EXPECT_EQ(info.seriesIndices, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(store.RenameStation("nowhere", "X"), 0);
    EXPECT_EQ(store.GetStation("X", info), 0);
    ExpectValidIndices();
}

TEST_F(EditingTest, RenamingAnAggregatedStationKeepsItInItsAggregate) {
    AddTwoSources();
    store.AddAggregate({"S1", "S2"}, "Basin", kStationType);
    // A member: its own series take the name, not the representative's.
    EXPECT_EQ(store.RenameStation("S2", "South"), 1);
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"S1/DO", "S1/pH", "South/DO", "S3/Flow"}));
    std::vector<std::string> members;
    store.GetAggregateMembers("Basin", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"S1", "South"}));
    // The representative: the aggregate's entry takes the new name.
    EXPECT_EQ(store.RenameStation("S1", "North"), 1);
    store.GetAggregateMembers("North", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"North", "South"}));
    StationInfo basin;
    ASSERT_EQ(store.GetStation("North", basin), 1);
    EXPECT_EQ(basin.alias, "Basin");
    EXPECT_EQ(basin.seriesIndices, (std::vector<int>{0, 1}));
    EXPECT_TRUE(ui.messages.empty());
}

// A group's name, or a name in a group, cannot be taken by a rename: the
// group's entry would be overwritten or its member's series would leave it.
TEST_F(EditingTest, RenamingOntoAGroupOrItsMembersIsRefused) {
    AddTwoSources();
    store.AddSource(MakeSource("c.mlv", {MakeSeries("S4", "BOD", "mg/l")}));
    ASSERT_EQ(store.AddAggregate({"S1", "S2"}, "Basin", kStationType), 1);
    ASSERT_EQ(store.AddAggregate({"DO", "BOD"}, "Oxygen", kParameterType), 1);
    const std::vector<std::string> before = SeriesNames();
    const struct {
        bool station;
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {true, "S3", "Basin",
         "Error: Can't change S3 to Basin because Basin is the name of a group."},
        {true, "S3", "S2", "Error: Can't change S3 to S2 because S2 belongs to the group Basin."},
        {true, "S3", "S1", "Error: Can't change S3 to S1 because S1 belongs to the group Basin."},
        {true, "S2", "S1", "Error: Can't change S2 to S1 because S1 belongs to the group Basin."},
        {false, "Flow", "Oxygen",
         "Error: Can't change Flow to Oxygen because Oxygen is the name of a group."},
        {false, "Flow", "BOD", "Error: Can't change Flow to BOD because BOD already exists."},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        EXPECT_EQ(
            c.station ? store.RenameStation(c.from, c.to) : store.RenameParameter(c.from, c.to), 0)
            << c.to;
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(SeriesNames(), before) << c.to;
    }
    std::vector<std::string> members;
    store.GetAggregateMembers("Basin", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"S1", "S2"}));
    store.GetAggregateMembers("Oxygen", members, kParameterType);
    EXPECT_EQ(members, (std::vector<std::string>{"DO", "BOD"}));
    ExpectValidIndices();
}

TEST_F(EditingTest, RenameParameterOntoAnExistingNameIsRefused) {
    AddTwoSources();
    EXPECT_EQ(store.RenameParameter("pH", "DO"), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Error: Can't change pH to DO because DO already exists.");
    EXPECT_EQ(store.GetSeries(1).ParameterName(), "pH");

    EXPECT_EQ(store.RenameParameter("pH", "Acidity"), 1);
    ParameterInfo info;
    EXPECT_EQ(store.GetParameter("pH", info), 0);
    ASSERT_EQ(store.GetParameter("Acidity", info), 1);
    EXPECT_EQ(info.units, "su");
    EXPECT_EQ(info.seriesIndices, (std::vector<int>{1}));
    EXPECT_EQ(store.FindSeries("S1", "Acidity"), &store.GetSeries(1));
}

TEST_F(EditingTest, ChangeParameterUnitsCarriesTheConversionAlong) {
    AddTwoSources();
    store.SetUnits("su", UnitsRecord{"su", "pH units", "lab", 2.0, 0.5});
    EXPECT_EQ(store.ChangeParameterUnits("pH", "su", "std"), 1);
    UnitsRecord record;
    EXPECT_EQ(store.GetUnits("su", record), 0);
    ASSERT_EQ(store.GetUnits("std", record), 1);
    EXPECT_EQ(record.alias, "std");
    EXPECT_EQ(record.comment, "lab");
    EXPECT_EQ(record.multiplier, 2.0);
    EXPECT_EQ(record.offset, 0.5);
    EXPECT_EQ(store.GetParameterUnits("pH"), "std");
    EXPECT_EQ(store.GetSeries(1).Units(), "std");

    // DO shares mg/l with no one else once BOD is gone; with BOD it keeps it.
    store.AddSource(MakeSource("c.mlv", {MakeSeries("S4", "BOD", "mg/l")}));
    EXPECT_EQ(store.ChangeParameterUnits("DO", "mg/l", "ug/l"), 1);
    EXPECT_EQ(store.GetUnits("mg/l", record), 1);
    EXPECT_EQ(store.GetUnits("ug/l", record), 1);
    EXPECT_EQ(store.GetParameterUnits("BOD"), "mg/l");
    EXPECT_EQ(store.ChangeParameterUnits("Nothing", "mg/l", "x"), 0);
    EXPECT_EQ(store.GetUnits("x", record), 0);
}

TEST_F(EditingTest, ChangeParameterUnitsLeavesTheRecordsOfUnitsInUse) {
    AddTwoSources();
    store.AddSource(
        MakeSource("c.mlv", {MakeSeries("S4", "BOD", "mg/l"), MakeSeries("S5", "DO", "ug/l")}));
    store.SetUnits("su", UnitsRecord{"su", "pH units", "lab", 2.0, 0.5});
    store.SetUnits("mg/l", UnitsRecord{"mg/l", "g/m3", "same", 1.0, 0.0});
    store.SetUnits("ug/l", UnitsRecord{"ug/l", "mg/l", "milli", 0.001, 0.0});
    // pH into mg/l, which BOD and DO use: their conversion stays theirs,
    // and pH now converts as they do; su is used no more.
    EXPECT_EQ(store.ChangeParameterUnits("pH", "su", "mg/l"), 1);
    UnitsRecord record;
    ASSERT_EQ(store.GetUnits("mg/l", record), 1);
    EXPECT_EQ(record.alias, "g/m3");
    EXPECT_EQ(record.comment, "same");
    EXPECT_EQ(store.GetUnits("su", record), 0);
    EXPECT_EQ(store.GetSeries(1).Units(), "mg/l");
    // DO's entry is in mg/l, but its S5 series is in ug/l: that record
    // stays while the series uses it.
    EXPECT_EQ(store.ChangeParameterUnits("BOD", "mg/l", "ppm"), 1);
    EXPECT_EQ(store.GetUnits("mg/l", record), 1);
    store.DeleteParameters({"pH", "Flow"});
    ASSERT_EQ(store.GetUnits("ug/l", record), 1);
    EXPECT_EQ(record.multiplier, 0.001);
}

TEST_F(EditingTest, AMemberOfAGroupIsEditedUnderItsOwnName) {
    AddTwoSources();
    store.AddSource(MakeSource("c.mlv", {MakeSeries("S2", "BOD", "mg/l")}));
    ASSERT_EQ(store.AddAggregate({"S1", "S2"}, "Basin", kStationType), 1);
    ASSERT_EQ(store.AddAggregate({"DO", "BOD"}, "Oxygen", kParameterType), 1);
    // Each name finds its own series, not its group's representative's.
    EXPECT_EQ(store.FindSeries("S2", "DO"), &store.GetSeries(2));
    EXPECT_EQ(store.FindSeries("S2", "BOD"), &store.GetSeries(4));
    EXPECT_EQ(store.FindSeries("Basin", "Oxygen"), &store.GetSeries(0));
    EXPECT_EQ(store.SetStationParameter("S2", "Flow"), 1);
    EXPECT_EQ(SeriesNames(),
              (std::vector<std::string>{"S1/DO", "S1/pH", "S2/Flow", "S3/Flow", "S2/Flow"}));
    EXPECT_EQ(store.ChangeParameterUnits("BOD", "mg/l", "ppm"), 1);
    EXPECT_EQ(store.Parameters().OwnEntry("DO")->units, "mg/l");
    EXPECT_EQ(store.GetSeries(0).Units(), "mg/l");
    EXPECT_EQ(store.Parameters().Find("BOD")->units, "ppm");
    ExpectValidIndices();
}

TEST_F(EditingTest, SetStationParameterMovesTheSeriesBetweenParameterLists) {
    AddTwoSources();
    EXPECT_EQ(store.SetStationParameter("S1", "Flow"), 1);
    EXPECT_EQ(SeriesNames(), (std::vector<std::string>{"S1/Flow", "S1/Flow", "S2/DO", "S3/Flow"}));
    ParameterInfo flow;
    ASSERT_EQ(store.GetParameter("Flow", flow), 1);
    EXPECT_EQ(flow.seriesIndices, (std::vector<int>{0, 1, 3}));
    ParameterInfo ph;
    ASSERT_EQ(store.GetParameter("pH", ph), 1);
    EXPECT_TRUE(ph.seriesIndices.empty());
    EXPECT_EQ(store.SetStationParameter("nowhere", "Flow"), 0);
}

TEST_F(EditingTest, AddCenturyReachesEverySourceAndKeepsTimesValid) {
    store.AddSource(MakeSource(
        "", {MakeSeries("A", "DO", "mg/l", {{Day(1905, 2, 3), 1}, {Day(1931, 1, 1), 3}})}));
    store.AddSource(MakeSource(
        "", {MakeSeries("B", "DO", "mg/l", {{Day(1930, 12, 31), 2}, {Day(9950, 1, 1), 4}})}));
    store.AddCentury(1930);
    EXPECT_EQ(store.GetSeries(0).Times(), (std::vector<KTRTime>{Day(1931, 1, 1), Day(2005, 2, 3)}));
    EXPECT_EQ(store.GetSeries(0).Values(), (std::vector<double>{3, 1}));
    EXPECT_EQ(store.GetSeries(1).Time(0), Day(2030, 12, 31));
    // A year past what a time can hold stays where it was.
    store.AddCentury(9999);
    EXPECT_EQ(store.GetSeries(1).Time(1), Day(9950, 1, 1));
}

TEST_F(EditingTest, AddCenturyCountsThePointsItMerged) {
    store.AddSource(MakeSource(
        "", {MakeSeries("A", "DO", "mg/l", {{Day(1903, 2, 3), 1}, {Day(2003, 2, 3), 2}}),
             MakeSeries("B", "DO", "mg/l", {{Day(1904, 1, 1), 3}, {Day(2004, 1, 1), 4}})}));
    EXPECT_EQ(store.AddCentury(1905), 2u);
    EXPECT_EQ(store.GetSeries(0).Times(), std::vector<KTRTime>{Day(2003, 2, 3)});
    EXPECT_EQ(store.GetSeries(0).Values(), std::vector<double>{1});
    EXPECT_EQ(store.GetSeries(1).Values(), std::vector<double>{3});
    EXPECT_EQ(store.AddCentury(1905), 0u);
}

TEST_F(EditingTest, AddNewStationsTakesTheFirstFreeNamesWithTheChosenParameters) {
    EXPECT_EQ(store.AddNewStations(2), "");  // no parameters: nothing to ask
    EXPECT_TRUE(ui.captions.empty());
    store.AddSource(MakeSource(
        "a.mlv", {MakeSeries("station1", "DO", "mg/l"), MakeSeries("station1", "pH", "su")}));
    ui.severalAnswers.push_back(std::vector<int>{0, 1});
    EXPECT_EQ(store.AddNewStations(2), "station3");
    EXPECT_EQ(ui.captions, (std::vector<std::string>{"Choose Parameter(s)"}));
    ASSERT_EQ(store.Sources().size(), 3u);
    EXPECT_EQ(store.Sources()[1].fileName, "");
    EXPECT_EQ(SeriesNames(),
              (std::vector<std::string>{"station1/DO", "station1/pH", "station2/DO", "station2/pH",
                                        "station3/DO", "station3/pH"}));
    EXPECT_EQ(store.GetSeries(3).Units(), "su");
    EXPECT_EQ(store.GetSeries(3).Multiplier(), 1.0);
    ExpectValidIndices();
    ParameterInfo ph;
    store.GetParameter("pH", ph);
    EXPECT_EQ(ph.seriesIndices, (std::vector<int>{1, 3, 5}));

    // Cancelled, or nothing chosen: no station.
    EXPECT_EQ(store.AddNewStations(1), "");
    ui.severalAnswers.push_back(std::vector<int>{});
    EXPECT_EQ(store.AddNewStations(1), "");
    EXPECT_EQ(store.Sources().size(), 3u);
}

TEST_F(EditingTest, AddEmptyPointsFollowTheLatestPointHourByHour) {
    store.AddSource(MakeSource(
        "", {MakeSeries("A", "DO", "mg/l"),
             MakeSeries("B", "DO", "mg/l",
                        {{KTRTime(1995, 1, 1, 8, 0, 0), 4}, {KTRTime(1995, 1, 1, 9, 0, 0), 5}})}));
    ASSERT_TRUE(store.AddEmptyPoints("A", "DO", 3, KTRTime(1999, 6, 1, 14, 25, 10)));
    const DataSeries& a = *store.FindSeries("A", "DO");
    EXPECT_EQ(a.Times(),
              (std::vector<KTRTime>{KTRTime(1999, 6, 1, 15, 0, 0), KTRTime(1999, 6, 1, 16, 0, 0),
                                    KTRTime(1999, 6, 1, 17, 0, 0)}));
    EXPECT_EQ(a.Values(), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(a.Masks(), (std::vector<int32_t>{0, 0, 0}));

    // After a date edit the last point is not the latest; the new points
    // must not land on an existing one.
    DataSeries& b = *store.FindSeries("B", "DO");
    ASSERT_EQ(b.ReplacePoint(0, KTRTime(1995, 1, 1, 10, 0, 0), 4, 0), 1);
    ASSERT_TRUE(store.AddEmptyPoints("B", "DO", 1, KTRTime(1999, 6, 1, 14, 25, 10)));
    b.SortByTime(0);
    EXPECT_EQ(b.Values(), (std::vector<double>{5, 4, 0}));
    EXPECT_EQ(b.Time(2), KTRTime(1995, 1, 1, 11, 0, 0));
    EXPECT_FALSE(store.AddEmptyPoints("A", "pH", 1));
}

TEST_F(EditingTest, AddNewParametersNumbersNamesAndUnitsThatAreTaken) {
    store.AddSource(MakeSource("", {MakeSeries("A", "parameter", "units")}));
    EXPECT_EQ(store.AddNewParameters(2, "parameter", "units"), "parameter2");
    ParameterInfo info;
    ASSERT_EQ(store.GetParameter("parameter1", info), 1);
    EXPECT_EQ(info.alias, "parameter1");
    EXPECT_EQ(info.units, "units1");
    EXPECT_TRUE(info.seriesIndices.empty());
    EXPECT_EQ(store.GetParameterUnits("parameter2"), "units1");
    UnitsRecord record;
    ASSERT_EQ(store.GetUnits("units1", record), 1);
    EXPECT_EQ(record.alias, "units1");
    EXPECT_EQ(record.multiplier, 1.0);
    EXPECT_EQ(record.offset, 0.0);
    EXPECT_EQ(store.AddNewParameters(1, "DO", "mg/l"), "DO");
    EXPECT_EQ(store.Parameters().OwnEntry("DO")->units, "mg/l");
    EXPECT_EQ(store.AddNewParameters(0, "none", "none"), "");
    EXPECT_EQ(store.GetUnits("none", record), 0);
}

TEST_F(EditingTest, CreateStationForParameterSharesStation1AcrossParameters) {
    store.AddNewParameters(1, "DO", "mg/l");
    store.AddNewParameters(1, "pH", "su");
    EXPECT_EQ(store.CreateStationForParameter("DO"), "station1");
    EXPECT_EQ(store.CreateStationForParameter("pH"), "station1");
    EXPECT_EQ(store.CreateStationForParameter("DO"), "station2");
    EXPECT_EQ(store.CreateStationForParameter("Unknown"), "");
    // A group's name is no station of its own.
    ASSERT_EQ(store.AddAggregate({"station2"}, "station3", kStationType), 1);
    EXPECT_EQ(store.CreateStationForParameter("pH", "station3"), "station4");
    std::vector<std::string> freed;
    store.RemoveAggregationItem("station3", freed, kStationType);
    store.DeleteStations({"station4"});
    EXPECT_EQ(SeriesNames(),
              (std::vector<std::string>{"station1/DO", "station1/pH", "station2/DO"}));
    EXPECT_EQ(store.Sources().size(), 3u);
    EXPECT_EQ(store.GetSeries(1).Units(), "su");
    ParameterInfo info;
    store.GetParameter("DO", info);
    EXPECT_EQ(info.seriesIndices, (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace zav
