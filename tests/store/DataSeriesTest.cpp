// A series keeps its points in time order with one point per time.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "store/DataSeries.h"

namespace zav {
namespace {

KTRTime Day(int d) {
    return KTRTime(1995, 3, d, 0, 0, 0);
}

std::vector<int> Days(const DataSeries& s) {
    std::vector<int> days;
    for (const KTRTime& t : s.Times()) {
        days.push_back(t.Day());
    }
    return days;
}

TEST(DataSeriesPoints, InsertKeepsTimeOrderAndReplacesEqualTimes) {
    DataSeries s;
    s.InsertPoint(Day(3), 30, 0);
    s.InsertPoint(Day(1), 10, 0);
    s.InsertPoint(Day(2), 20, 0);
    EXPECT_EQ(Days(s), (std::vector<int>{1, 2, 3}));
    s.InsertPoint(Day(2), 22, 5);
    EXPECT_EQ(s.Size(), 3u);
    EXPECT_EQ(s.Value(1), 22);
    EXPECT_EQ(s.Mask(1), 5);
    EXPECT_EQ(s.Values(), (std::vector<double>{10, 22, 30}));
}

TEST(DataSeriesPoints, ReplaceRefusesAnotherPointsTimeAndSortRestoresOrder) {
    DataSeries s;
    for (int d = 1; d <= 4; ++d) {
        s.InsertPoint(Day(d), d, 0);
    }
    EXPECT_EQ(s.ReplacePoint(0, Day(3), 9, 0), 0);
    EXPECT_EQ(s.ReplacePoint(4, Day(9), 9, 0), 0);
    EXPECT_EQ(Days(s), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(s.NeedsSort());
    EXPECT_EQ(s.ReplacePoint(1, Day(2), 7, 1), 1);  // its own time
    EXPECT_EQ(s.ReplacePoint(0, Day(9), 1, 0), 1);
    EXPECT_TRUE(s.NeedsSort());
    s.SortByTime(0);
    EXPECT_EQ(Days(s), (std::vector<int>{2, 3, 4, 9}));
    EXPECT_EQ(s.Values(), (std::vector<double>{7, 3, 4, 1}));
    EXPECT_FALSE(s.NeedsSort());
    s.SortByTime(0);
    EXPECT_EQ(Days(s), (std::vector<int>{2, 3, 4, 9}));
}

TEST(DataSeriesPoints, InsertIntoAnUnsortedSeriesReplacesAnEqualTimeWhereverItStands) {
    // A date edit moved the first point past the others; the series waits
    // for its sort, and a point at that time must not come in twice.
    DataSeries s;
    for (int d = 1; d <= 4; ++d) {
        s.InsertPoint(Day(d), d, 0);
    }
    ASSERT_EQ(s.ReplacePoint(0, Day(9), 1, 0), 1);
    s.InsertPoint(Day(9), 90, 3);
    s.InsertPoint(Day(5), 50, 0);
    s.SortByTime(0);
    EXPECT_EQ(Days(s), (std::vector<int>{2, 3, 4, 5, 9}));
    EXPECT_EQ(s.Values(), (std::vector<double>{2, 3, 4, 50, 90}));
    EXPECT_EQ(s.Mask(4), 3);
}

// Points taken in one go must give what adding them one by one gives,
// whatever the two series hold, and must not change the series they came
// from when they are shared.
TEST(DataSeriesPoints, InsertPointsGivesWhatInsertingOneByOneGives) {
    struct Case {
        std::vector<int> into;
        std::vector<int> from;  // appended as they stand, in or out of order
    };
    const Case cases[] = {
        {{}, {}},      {{}, {1, 2, 3}},     {{1, 2}, {3, 4}}, {{1, 3}, {3, 4}}, {{1, 5}, {2, 3}},
        {{4}, {1, 2}}, {{1, 2}, {5, 4, 6}}, {{}, {3, 1, 2}},  {{}, {2, 2, 3}},
    };
    for (const Case& c : cases) {
        DataSeries into;
        DataSeries expected;
        for (int d : c.into) {
            into.InsertPoint(Day(d), d, 0);
            expected.InsertPoint(Day(d), d, 0);
        }
        DataSeries from;
        for (int d : c.from) {
            from.AppendPoint(Day(d), 100 + d, d % 2);
        }
        for (size_t i = 0; i < from.Size(); ++i) {
            expected.InsertPoint(from.Time(i), from.Value(i), from.Mask(i));
        }
        into.InsertPoints(from);
        EXPECT_EQ(Days(into), Days(expected));
        EXPECT_EQ(into.Values(), expected.Values());
        EXPECT_EQ(into.Masks(), expected.Masks());
        into.InsertPoint(Day(20), 1, 0);
        EXPECT_EQ(from.Size(), c.from.size());
    }
}

// The same over random series: points landing among the series' points,
// repeated times in what is added, added points out of order, and series
// waiting for a sort after a time was replaced.
TEST(DataSeriesPoints, InsertPointsMatchesOneByOneOnRandomSeries) {
    std::mt19937 random(11);
    for (int round = 0; round < 400; ++round) {
        const int span = 1 + static_cast<int>(random() % 300);
        DataSeries into;
        for (int n = static_cast<int>(random() % 150); n > 0; --n) {
            into.InsertPoint(Day(static_cast<int>(random() % span)), n, 0);
        }
        if (round % 5 == 0 && into.Size() > 1) {
            into.ReplacePoint(0, Day(span + 1), -1, 1);
        }
        DataSeries expected = into;
        DataSeries from;
        for (int n = static_cast<int>(random() % 150); n > 0; --n) {
            from.AppendPoint(Day(static_cast<int>(random() % span)), 1000 + n,
                             static_cast<int32_t>(random() % 3));
        }
        if (round % 3 == 0) {
            from.SortByTime(1);
        }
        for (size_t i = 0; i < from.Size(); ++i) {
            expected.InsertPoint(from.Time(i), from.Value(i), from.Mask(i));
        }
        into.InsertPoints(from);
        ASSERT_EQ(Days(into), Days(expected)) << round;
        ASSERT_EQ(into.Values(), expected.Values()) << round;
        ASSERT_EQ(into.Masks(), expected.Masks()) << round;
    }
}

TEST(DataSeriesPoints, SortIsStableForEqualTimes) {
    DataSeries s;
    s.AppendPoint(Day(2), 1, 0);
    s.AppendPoint(Day(1), 2, 0);
    s.AppendPoint(Day(2), 3, 0);
    s.SortByTime(1);
    EXPECT_EQ(s.Values(), (std::vector<double>{2, 1, 3}));
}

TEST(DataSeriesPoints, RemoveClosesTheGap) {
    DataSeries s;
    for (int d = 1; d <= 8; ++d) {
        s.InsertPoint(Day(d), d, 0);
    }
    s.RemovePoint(5);
    s.RemovePoint(2);
    s.RemovePoint(100);
    EXPECT_EQ(Days(s), (std::vector<int>{1, 2, 4, 5, 7, 8}));
}

TEST(DataSeriesRange, WidensARunningDateRange) {
    DataSeries a;
    a.InsertPoint(KTRTime(1995, 3, 10, 23, 0, 0), 1, 0);
    a.InsertPoint(KTRTime(1996, 1, 2, 0, 0, 0), 1, 0);
    DataSeries b;
    b.InsertPoint(KTRTime(1995, 3, 9, 0, 0, 0), 1, 0);
    b.InsertPoint(KTRTime(1995, 12, 31, 0, 0, 0), 1, 0);
    DataSeries empty;
    int fd = 0, fm = 0, fy = -1, ld = 0, lm = 0, ly = -1;
    empty.GetDateRange(fd, fm, fy, ld, lm, ly);
    EXPECT_EQ(fy, -1);
    a.GetDateRange(fd, fm, fy, ld, lm, ly);
    b.GetDateRange(fd, fm, fy, ld, lm, ly);
    EXPECT_EQ((std::vector<int>{fy, fm, fd, ly, lm, ld}),
              (std::vector<int>{1995, 3, 9, 1996, 1, 2}));
}

// A point moved onto the time of one that stayed takes its place, value and
// mask, exactly as inserting the moved point would: one point per time.
TEST(DataSeriesCentury, AMovedPointReplacesThePointAtItsNewTime) {
    struct Point {
        KTRTime time;
        double value;
        int32_t mask;
    };
    const KTRTime early(1903, 2, 3, 12, 0, 0);
    const KTRTime late(2003, 2, 3, 12, 0, 0);
    const struct {
        const char* name;
        std::vector<Point> points;
        size_t merged;
        std::vector<double> values;
        std::vector<int32_t> masks;
    } cases[] = {
        {"moved onto a later point", {{early, 1, 0}, {late, 2, 0}}, 1, {1}, {0}},
        {"its mask comes along", {{early, 1, 4}, {late, 2, 0}}, 1, {1}, {4}},
        {"neighbours stay",
         {{KTRTime(1903, 1, 1, 0, 0, 0), 5, 0},
          {early, 1, 0},
          {late, 2, 1},
          {KTRTime(2004, 1, 1, 0, 0, 0), 6, 0}},
         1,
         {5, 1, 6},
         {0, 0, 0}},
        {"no clash", {{early, 1, 0}, {late + 1, 2, 0}}, 0, {1, 2}, {0, 0}},
    };
    for (const auto& c : cases) {
        DataSeries s;
        for (const Point& p : c.points) {
            s.InsertPoint(p.time, p.value, p.mask);
        }
        EXPECT_EQ(s.AddCentury(1905), c.merged) << c.name;
        EXPECT_EQ(s.Values(), c.values) << c.name;
        EXPECT_EQ(s.Masks(), c.masks) << c.name;
        EXPECT_TRUE(std::adjacent_find(s.Times().begin(), s.Times().end(),
                                       [](const KTRTime& a, const KTRTime& b) {
                                           return !(a < b);
                                       }) == s.Times().end())
            << c.name;
        EXPECT_EQ(std::count(s.Times().begin(), s.Times().end(), late), 1) << c.name;
    }
}

TEST(DataSeriesCentury, MovesEarlyYearsAndSorts) {
    DataSeries s;
    s.InsertPoint(KTRTime(1905, 6, 1, 8, 0, 0), 1, 0);
    s.InsertPoint(KTRTime(1930, 2, 3, 0, 0, 0), 2, 0);
    s.InsertPoint(KTRTime(1931, 1, 1, 0, 0, 0), 3, 0);
    s.AddCentury(1930);
    EXPECT_EQ(s.Values(), (std::vector<double>{3, 1, 2}));
    EXPECT_EQ(s.Time(1), KTRTime(2005, 6, 1, 8, 0, 0));
    EXPECT_EQ(s.Time(2), KTRTime(2030, 2, 3, 0, 0, 0));
}

}  // namespace
}  // namespace zav
