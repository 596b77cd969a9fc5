// Stations or parameters grouped under an alias, and what dissolving leaves.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

class AggregatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.AddSource(
            MakeSource("f", {MakeSeries("A", "DO", "mg/l"), MakeSeries("B", "DO", "mg/l"),
                             MakeSeries("C", "DO", "mg/l"), MakeSeries("D", "pH", "su")}));
    }
    std::vector<std::string> Names(bool aggregatesOnly = false) {
        std::vector<std::string> list;
        store.GetNameList(list, kStationType, aggregatesOnly);
        return list;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
};

TEST_F(AggregatesTest, AnAggregateStandsForItsMembers) {
    ASSERT_EQ(store.AddAggregate({"A", "B", "C"}, "X", kStationType), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"D", "X"}));
    EXPECT_EQ(Names(true), (std::vector<std::string>{"X"}));
    for (const char* name : {"A", "B", "C", "X"}) {
        StationInfo info;
        ASSERT_EQ(store.GetStation(name, info), 1) << name;
        EXPECT_EQ(info.alias, "X");
        EXPECT_EQ(info.isAggregate, 1);
        EXPECT_EQ(info.name, "A");
        EXPECT_EQ(info.members, (std::vector<std::string>{"B", "C"}));
        EXPECT_EQ(info.seriesIndices, (std::vector<int>{0}));
    }
    std::vector<std::string> members;
    store.GetAggregateMembers("B", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"A", "B", "C"}));
    store.GetAggregateMembers("D", members, kStationType);
    EXPECT_TRUE(members.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AggregatesTest, TakenAliasesAreRefused) {
    ASSERT_EQ(store.AddAggregate({"A", "B", "C"}, "X", kStationType), 1);
    EXPECT_EQ(store.AddAggregate({"D"}, "B", kStationType), 0);
    EXPECT_EQ(store.AddAggregate({"D"}, "X", kStationType), 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], "Alias B already exists.  Please choose another.");
    EXPECT_EQ(ui.messages[1], "Alias X already exists.  Please choose another.");
    // The representative's own key was removed, so its name is free.
    EXPECT_EQ(store.AddAggregate({"D"}, "A", kStationType), 1);
}

TEST_F(AggregatesTest, DissolvingRestoresEveryMemberUnderItsOwnName) {
    ASSERT_EQ(store.AddAggregate({"A", "B", "C"}, "X", kStationType), 1);
    std::vector<std::string> names;
    ASSERT_EQ(store.RemoveAggregationItem("X", names, kStationType), 1);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
    for (const char* name : {"A", "B", "C"}) {
        StationInfo info;
        ASSERT_EQ(store.GetStation(name, info), 1) << name;
        EXPECT_EQ(info.name, name);
        EXPECT_EQ(info.alias, name);
        EXPECT_EQ(info.isAggregate + info.isMember, 0);
        EXPECT_TRUE(info.members.empty());
    }
    EXPECT_TRUE(store.Stations().Aliases().empty());
    // The alias can be used again, and the old group does not come back.
    ASSERT_EQ(store.AddAggregate({"C", "D"}, "X", kStationType), 1);
    std::vector<std::string> members;
    store.GetAggregateMembers("A", members, kStationType);
    EXPECT_TRUE(members.empty());
}

TEST_F(AggregatesTest, AddingAnInputKeepsTheAggregates) {
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "X", kStationType), 1);
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "Quality", kParameterType), 1);
    store.AddSource(MakeSource("g", {MakeSeries("B", "DO", "mg/l"), MakeSeries("E", "pH", "su")}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"C", "D", "E", "X"}));
    StationInfo x;
    ASSERT_EQ(store.GetStation("B", x), 1);
    EXPECT_EQ(x.alias, "X");
    EXPECT_EQ(x.members, (std::vector<std::string>{"B"}));
    EXPECT_EQ(x.seriesIndices, (std::vector<int>{0}));
    ASSERT_NE(store.Stations().Find("B"), nullptr);
    EXPECT_EQ(store.Stations().Find("B")->seriesIndices, (std::vector<int>{1, 4}));
    ParameterInfo quality;
    ASSERT_EQ(store.GetParameter("pH", quality), 1);
    EXPECT_EQ(quality.alias, "Quality");
    EXPECT_TRUE(ui.messages.empty());
}

// A station or parameter named like a group would take the group's key and
// dissolve it: the input is refused whole, and the group stays.
TEST_F(AggregatesTest, AnInputWithAGroupsNameIsRefused) {
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "X", kStationType), 1);
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "Quality", kParameterType), 1);
    EXPECT_EQ(store.AddSource(MakeSource(
                  "g.mlv", {MakeSeries("E", "DO", "mg/l"), MakeSeries("X", "DO", "mg/l")})),
              0);
    EXPECT_EQ(store.AddSource(MakeSource("", {MakeSeries("E", "Quality", "mg/l")})), 0);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{
                  "Nothing was added from g.mlv: its station X has the name of a group of "
                  "stations. Dissolve that group first, or rename the station in the input.",
                  "Nothing was added from the input: its parameter Quality has the name of a "
                  "group of parameters. Dissolve that group first, or rename the parameter in "
                  "the input."}));
    EXPECT_EQ(store.Sources().size(), 1u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"C", "D", "X"}));
    std::vector<std::string> members;
    store.GetAggregateMembers("X", members, kStationType);
    EXPECT_EQ(members, (std::vector<std::string>{"A", "B"}));
}

TEST_F(AggregatesTest, ParameterAggregatesUseTheirOwnIndex) {
    store.SetAggregationType(kParameterType);
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "Quality", kCurrentType), 1);
    ParameterInfo info;
    ASSERT_EQ(store.GetParameter("pH", info), 1);
    EXPECT_EQ(info.alias, "Quality");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
    std::vector<IndexInfo> infos;
    std::vector<std::string> aliases;
    store.GetAggregates(infos, aliases, kParameterType);
    EXPECT_EQ(aliases, (std::vector<std::string>{"Quality"}));
}

TEST_F(AggregatesTest, MissingPiecesAreReportedWithTheProgramsWords) {
    EXPECT_EQ(store.AddAggregate({"A"}, "X", kCurrentType), 1);  // no type known
    std::vector<std::string> names;
    store.RemoveAggregationItem("nothing", names, kStationType);
    store.GetAggregateMembers("ghost", names, kStationType);
    store.AddAggregate({"ghost", "A"}, "Y", kStationType);
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[0], "No aggregation type specified");
    EXPECT_EQ(ui.messages[1], "Internal error in RemoveAggregationItem: can't find alias.");
    EXPECT_EQ(ui.messages[2], "Unable to find ghost in aggregated objects list.");
    EXPECT_EQ(ui.messages[3], "Error looking up station name ghost");
}

}  // namespace
}  // namespace zav
