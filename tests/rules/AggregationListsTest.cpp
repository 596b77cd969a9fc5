// What the aggregation page lists, apart from its widgets: numbered names,
// which of them are grouped, the line of each aggregate, and making and
// dissolving aggregates through the store.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "app/rules/AggregationLists.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

TEST(AggregationRowsTest, NamesAreNumberedFromOne) {
    EXPECT_EQ(NumberedName(2, "station7"), "3. station7");
    EXPECT_EQ(NumberedName(0, ""), "1. ");
}

TEST(AggregationRowsTest, GroupedNamesAreGreyWhetherSelectedOrNot) {
    auto colours = [](bool aggregated, bool selected) {
        RowColors c = NameRowColors(aggregated, selected);
        return std::make_pair(c.text, c.background);
    };
    EXPECT_EQ(colours(true, false), std::make_pair(0xC8C8C8u, 0xFFFFFFu));
    EXPECT_EQ(colours(true, true), std::make_pair(0xC8C8C8u, 0xFFFFFFu));
    EXPECT_EQ(colours(false, true), std::make_pair(0xFFFFFFu, 0x0000FFu));
    EXPECT_EQ(colours(false, false), std::make_pair(0x000000u, 0xFFFFFFu));
}

// Stations s1 ... s4 measuring DO; parameters DO and pH at s1.
class AggregationListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<DataSeries> series;
        for (const char* station : {"s1", "s2", "s3", "s4"}) {
            series.push_back(test::MakeSeries(station, "DO", "mg/l"));
        }
        series.push_back(test::MakeSeries("s1", "pH", "su"));
        store.AddSource(test::MakeSource("f", std::move(series)));
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    AggregationLists lists;
};

TEST_F(AggregationListsTest, MakingAnAggregateMarksItsMembersAndAddsItsLine) {
    lists.Fill(store, kStationType);
    ASSERT_EQ(lists.Count(), 4);
    EXPECT_EQ(lists.Row(3), "4. s4");
    EXPECT_EQ(lists.Find("s3"), 2);
    EXPECT_EQ(lists.Find("nowhere"), -1);

    ASSERT_TRUE(lists.Make(store, {1, 3}, "pair"));
    EXPECT_TRUE(lists.IsAggregated(1));
    EXPECT_TRUE(lists.IsAggregated(3));
    EXPECT_FALSE(lists.IsAggregated(0));
    EXPECT_EQ(lists.Aliases(), std::vector<std::string>{"pair"});
    EXPECT_EQ(lists.Lines(), std::vector<std::string>{"pair: 2 4 "});
    // Read back from the store, the line is written the other way round.
    lists.Fill(store, kStationType);
    EXPECT_EQ(lists.Lines(), std::vector<std::string>{"pair:  2 4"});
    EXPECT_TRUE(lists.IsAggregated(1));
    EXPECT_TRUE(lists.IsAggregated(3));
}

TEST_F(AggregationListsTest, OnlyNamesOutsideAggregatesCanBeGroupedOnce) {
    lists.Fill(store, kStationType);
    ASSERT_TRUE(lists.Make(store, {0, 1}, "pair"));
    EXPECT_EQ(lists.Groupable({3, 1, 2, 3, -1, 9, 0}), (std::vector<int>{2, 3}));
    EXPECT_FALSE(lists.Make(store, {}, "empty"));
    // A taken alias is refused by the store, which says why.
    EXPECT_FALSE(lists.Make(store, {2}, "pair"));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(lists.Lines().size(), 1u);
}

TEST_F(AggregationListsTest, DissolvingRemovesTheChosenLinesAndFreesTheirNames) {
    lists.Fill(store, kStationType);
    ASSERT_TRUE(lists.Make(store, {0}, "a"));
    ASSERT_TRUE(lists.Make(store, {1}, "b"));
    ASSERT_TRUE(lists.Make(store, {2, 3}, "c"));
    lists.Dissolve(store, {0, 2, 2, 7});
    EXPECT_EQ(lists.Aliases(), std::vector<std::string>{"b"});
    EXPECT_FALSE(lists.IsAggregated(0));
    EXPECT_TRUE(lists.IsAggregated(1));
    EXPECT_FALSE(lists.IsAggregated(3));
    std::vector<std::string> aggregates;
    store.GetNameList(aggregates, kStationType, true);
    EXPECT_EQ(aggregates, std::vector<std::string>{"b"});
}

TEST_F(AggregationListsTest, EachKindListsItsOwnNamesAndBecomesTheStoresKind) {
    lists.Fill(store, kParameterType);
    EXPECT_EQ(store.GetAggregationType(), kParameterType);
    ASSERT_EQ(lists.Count(), 2);
    EXPECT_EQ(lists.Name(0), "DO");
    ASSERT_TRUE(lists.Make(store, {0, 1}, "all"));
    std::vector<std::string> aggregates;
    store.GetNameList(aggregates, kParameterType, true);
    EXPECT_EQ(aggregates, std::vector<std::string>{"all"});
    store.GetNameList(aggregates, kStationType, true);
    EXPECT_TRUE(aggregates.empty());
}

}  // namespace
}  // namespace zav
