// The values of each interval, for statistics beyond running sums: which
// values an interval gets (converted, unmasked, numbers only, pooled over
// a group), from which side a pair is listed, and the sampling step and
// leading value a scan reports.
#include <gtest/gtest.h>

#include <limits>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "core/IntervalGrid.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using Points = std::vector<std::pair<KTRTime, double>>;
using Side = ZAVFieldManager::PairSide;

KTRTime At(int month, int day, int hour = 0, int minute = 0) {
    return KTRTime(1995, month, day, hour, minute, 0);
}

class IntervalValuesTest : public ::testing::Test {
protected:
    // Each interval's values, in the order the store hands them over.
    std::vector<std::vector<double>> Values(const std::string& station,
                                            const std::string& parameter, Side side,
                                            const IntervalGrid& grid,
                                            ZAVFieldManager::PairScanInfo* info = nullptr) {
        std::vector<std::vector<double>> all(static_cast<size_t>(grid.Count()));
        result = store.GetIntervalValues(
            station, parameter, side, grid,
            [&](size_t i, std::vector<double>& values) { all[i] = values; }, info);
        return all;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    int result = -1;
};

TEST_F(IntervalValuesTest, ConvertedUnmaskedNumbersPooledOverAGroup) {
    DataSeries a = MakeSeries("A", "DO", "mg/l",
                              {{At(1, 1, 6), 1.0},
                               {At(1, 1, 7), 2.0},
                               {At(1, 2, 6), std::numeric_limits<double>::quiet_NaN()},
                               {At(1, 3, 6), 4.0}});
    a.SetMask(1, 1);
    a.SetMultiplier(2.0);
    a.SetOffset(1.0);
    DataSeries b = MakeSeries("B", "DO", "mg/l", {{At(1, 1, 9), 10.0}, {At(1, 3, 0), 30.0}});
    ASSERT_EQ(store.AddSource(MakeSource("one.txt", {a, b})), 1);
    const IntervalGrid days(At(1, 1), KTRTime(1995, 1, 3, 23, 59, 59), kDays, 1);

    using Lists = std::vector<std::vector<double>>;
    EXPECT_EQ(Values("A", "DO", Side::kParameter, days), (Lists{{3.0}, {}, {9.0}}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Values("A", "Temp", Side::kStation, days), (Lists{{}, {}, {}}));
    EXPECT_EQ(result, 0);
    // Series in list order, each in time order: A's, then B's.
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "AB", kStationType), 1);
    EXPECT_EQ(Values("AB", "DO", Side::kStation, days), (Lists{{3.0, 10.0}, {}, {9.0, 30.0}}));
    EXPECT_EQ(
        ui.messages,
        (std::vector<std::string>{"ZAVFieldManager::GetData: Unable to find parameter Temp"}));
}

TEST_F(IntervalValuesTest, TheMostCommonStepInsideTheSpanAndTheValueBeforeIt) {
    // Every 15 minutes from 00:00 to 06:00 with an hour missing, then
    // hourly until noon: 20 steps of 15 minutes, one of 75, six of 60.
    Points points = {{KTRTime(1994, 12, 31, 23, 0, 0), -5.0}};
    for (int minute = 0; minute <= 360; minute += 15) {
        if (minute < 120 || minute > 165) {
            points.push_back({At(1, 1, minute / 60, minute % 60), 1.0});
        }
    }
    for (int hour = 7; hour <= 12; ++hour) {
        points.push_back({At(1, 1, hour), 1.0});
    }
    ASSERT_EQ(store.AddSource(MakeSource("q.txt", {MakeSeries("A", "Q", "m3/s", points)})), 1);
    ZAVFieldManager::PairScanInfo info;
    Values("A", "Q", Side::kStation, IntervalGrid(At(1, 1), At(1, 1, 23), kHours, 1), &info);
    EXPECT_EQ(info.typicalStep, 900);
    EXPECT_EQ(info.leading, -5.0);
    // From 07:00 on only the hourly steps are inside the span.
    Values("A", "Q", Side::kStation, IntervalGrid(At(1, 1, 7), At(1, 1, 23), kHours, 1), &info);
    EXPECT_EQ(info.typicalStep, 3600);
    EXPECT_EQ(info.leading, 1.0);
    info.wantStep = false;
    Values("A", "Q", Side::kStation, IntervalGrid(At(1, 1), At(1, 1, 23), kHours, 1), &info);
    EXPECT_EQ(info.typicalStep, 0);
}

}  // namespace
}  // namespace zav
