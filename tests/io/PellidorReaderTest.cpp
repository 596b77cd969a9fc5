#include <gtest/gtest.h>

#include "AgencyText.h"
#include "ReportPlaces.h"
#include "ScriptedUserInterface.h"
#include "core/KTRTime.h"
#include "io/ImportReport.h"
#include "io/PellidorReader.h"

namespace zav {
namespace {

using test::PellidorBlock;
using test::PellidorHeader;
using test::PellidorRow;

struct PellidorRead {
    bool ok = false;
    DataSource source;
    ScriptedUserInterface ui;
    ImportReport report;
};

void Read(PellidorRead& read, const std::string& text) {
    read.ok = ReadPellidorText(read.source, text, "river.pld", read.ui, read.report);
}

constexpr int kOct = 0;
constexpr int kDec = 2;
constexpr int kJan = 3;
constexpr int kFeb = 4;
constexpr int kSep = 11;

TEST(PellidorReader, ReadsAWaterYearBlock) {
    PellidorRead read;
    Read(read,
         "cover page text\r\n" +
             PellidorBlock("01234500", "  RAVEN CREEK NEAR OSTLEY  ", " DISCHARGE ", " CFS ", 1999,
                           {{1, kOct, "12"},
                            {31, kDec, "7.5"},
                            {1, kJan, "  6.25 "},
                            {30, kSep, "3"},
                            {2, kOct, ""}}) +
             "trailing text\r\n");
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    ASSERT_EQ(read.source.series.size(), 1u);
    const DataSeries& series = read.source.series[0];
    EXPECT_EQ(series.StationName(), "RAVEN CREEK NEAR OSTLEY (01234500)");
    EXPECT_EQ(series.ParameterName(), "DISCHARGE");
    EXPECT_EQ(series.Units(), "CFS");
    // "---" and blank cells hold nothing; October to December belong to the
    // year before the water year. Points come out in time order at midnight.
    ASSERT_EQ(series.Size(), 4u);
    EXPECT_EQ(series.Time(0), KTRTime(1998, 10, 1, 0, 0, 0));
    EXPECT_DOUBLE_EQ(series.Value(0), 12.0);
    EXPECT_EQ(series.Time(1), KTRTime(1998, 12, 31, 0, 0, 0));
    EXPECT_EQ(series.Time(2), KTRTime(1999, 1, 1, 0, 0, 0));
    EXPECT_DOUBLE_EQ(series.Value(2), 6.25);
    EXPECT_EQ(series.Time(3), KTRTime(1999, 9, 30, 0, 0, 0));
    EXPECT_EQ(series.Mask(3), 0);
}

TEST(PellidorReader, ShortRowInsideTheTableIsReplacedByTheNextLine) {
    std::string text = PellidorHeader("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 1999);
    for (int day = 1; day <= 31; ++day) {
        if (day == 6 || day == 11) {
            text += "\r\n";  // separator rows every five days
        }
        if (day == 21) {
            text += "  ----------\r\n";
        }
        text += PellidorRow(day, {std::to_string(day)});
    }
    text += test::PellidorRow(1, {"999"});  // not part of the table
    PellidorRead read;
    Read(read, text);
    ASSERT_TRUE(read.ok);
    const DataSeries& series = read.source.series[0];
    ASSERT_EQ(series.Size(), 31u);
    for (size_t i = 0; i < series.Size(); ++i) {
        EXPECT_DOUBLE_EQ(series.Value(i), static_cast<double>(i + 1));
    }
}

TEST(PellidorReader, BlocksOfOneStationAndParameterShareASeries) {
    // A water year split over two pages, the second page correcting day 1,
    // then the next water year and another parameter.
    PellidorRead read;
    Read(read,
         PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 1999,
                       {{1, kOct, "10"}, {2, kOct, "11"}}) +
             "\f\r\n" +
             PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 1999,
                           {{1, kOct, "15"}, {3, kOct, "12"}}) +
             PellidorBlock("01234500", "RAVEN CREEK", "WATER TEMP", "DEG C", 1999,
                           {{1, kOct, "9.5"}}) +
             PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 2000, {{1, kOct, "20"}}));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.source.series.size(), 2u);
    const DataSeries& flow = read.source.series[0];
    ASSERT_EQ(flow.Size(), 4u);
    EXPECT_DOUBLE_EQ(flow.Value(0), 15.0);
    EXPECT_DOUBLE_EQ(flow.Value(1), 11.0);
    EXPECT_DOUBLE_EQ(flow.Value(2), 12.0);
    EXPECT_EQ(flow.Time(3), KTRTime(1999, 10, 1, 0, 0, 0));
    EXPECT_EQ(read.source.series[1].ParameterName(), "WATER TEMP");
}

TEST(PellidorReader, StationLineFollowsItsFixedColumns) {
    // Exactly 28 characters are skipped; the number is at most eight
    // characters, and whatever follows it belongs to the name.
    PellidorRead read;
    Read(read,
         PellidorBlock("0123456789", "LONG NUMBER", "DISCHARGE", "CFS", 1999, {{1, kOct, "1"}}));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.source.series[0].StationName(), "89 LONG NUMBER (01234567)");
}

TEST(PellidorReader, CellForADayTheMonthLacksIsSkippedAndNoted) {
    PellidorRead read;
    Read(read, PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 2000,
                             {{1, 5, "1"}, {29, kFeb, "29"}, {30, kFeb, "30"}, {31, kFeb, "31"}}));
    ASSERT_TRUE(read.ok);
    const DataSeries& series = read.source.series[0];
    // 2000 is a leap year: 29 February is kept, the 30th and 31st would have
    // overwritten 1 and 2 March.
    ASSERT_EQ(series.Size(), 2u);
    EXPECT_EQ(series.Time(0), KTRTime(2000, 2, 29, 0, 0, 0));
    EXPECT_EQ(series.Time(1), KTRTime(2000, 3, 1, 0, 0, 0));
    EXPECT_DOUBLE_EQ(series.Value(1), 1.0);
    // Day d's row is line 9 + d; February is the sixth column.
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoSuchDay),
              (std::vector<std::string>{"39:6:30", "40:6:31"}));
}

TEST(PellidorReader, CellsThatAreNotNumbersAreSkippedAndNoted) {
    PellidorRead read;
    Read(read, PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 1999,
                             {{1, kOct, "<0.5"},
                              {1, kDec, "12.5"},
                              {2, kOct, "***"},
                              {2, kJan, "abc"},
                              {3, kOct, "12 E"},
                              {4, kOct, "inf"},
                              {5, kOct, "  "}}));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    EXPECT_EQ(read.source.series[0].Values(), (std::vector<double>{12.5}));
    EXPECT_EQ(
        test::PlacesOf(read.report, SkipRule::kNotANumber),
        (std::vector<std::string>{"10:2:<0.5", "11:2:***", "11:5:abc", "12:2:12 E", "13:2:inf"}));
    // Blank cells and "---" are the format's empty cells.
    EXPECT_EQ(read.report.Skipped(), 5u);
}

TEST(PellidorReader, FileWithoutBannerGivesNoSeries) {
    for (const std::string& text : {std::string(), std::string("a report\r\nwithout blocks\r\n")}) {
        PellidorRead read;
        Read(read, text);
        EXPECT_TRUE(read.ok);
        EXPECT_TRUE(read.source.series.empty());
        EXPECT_TRUE(read.ui.messages.empty());
    }
}

TEST(PellidorReader, UnreadableStationLineFailsTheFile) {
    const std::string good = PellidorBlock("01234500", "RAVEN", "DISCHARGE", "CFS", 1999, {});
    const std::string banner = "UNITED STATES OFFICE OF TALVERENE - HYDROMETRIC ARCHIVES\r\n";
    struct Case {
        std::string text;
        std::string line;
    };
    const std::vector<Case> cases = {
        {good + banner + "STATION: 01234500 RAVEN\r\n", "STATION: 01234500 RAVEN"},
        {good + banner + "STATION NUMBER AND NAME:    01234500\r\n",
         "STATION NUMBER AND NAME:    01234500"},
        {good + banner, ""},  // banner on the last line
    };
    for (const Case& c : cases) {
        PellidorRead read;
        Read(read, c.text);
        EXPECT_FALSE(read.ok);
        ASSERT_EQ(read.ui.messages.size(), 1u);
        EXPECT_EQ(read.ui.messages[0],
                  "Unable to read station number and name from PELLIDOR file.  Line is '" + c.line +
                      "'.");
    }
}

TEST(PellidorReader, UnreadableParameterLineFailsTheFile) {
    const std::string head =
        "UNITED STATES OFFICE OF TALVERENE - HYDROMETRIC ARCHIVES\r\n"
        "STATION NUMBER AND NAME:    01234500 RAVEN\r\n\r\n\r\n\r\n";
    const std::string padding(38, ' ');
    const std::vector<std::string> lines = {
        "DISCHARGE CFS WATER YEAR 1999",          // no commas
        "DISCHARGE,CFS," + padding + "NINETEEN",  // no year where it is due
        "DISCHARGE,CFS, WATER YEAR 1999",         // year inside the skipped 38
        ",CFS," + padding + "1999",               // empty name
        "DISCHARGE,CFS," + padding + "500",       // a year no date can have
        // Years beyond the int range once wrapped round to other years.
        "DISCHARGE,CFS," + padding + "2147483648",
        "DISCHARGE,CFS," + padding + "-2147483648",
        "DISCHARGE,CFS," + padding + "99999999999999999999",
    };
    for (const std::string& line : lines) {
        PellidorRead read;
        Read(read, head + line + "\r\n");
        EXPECT_FALSE(read.ok) << line;
        ASSERT_EQ(read.ui.messages.size(), 1u);
        EXPECT_EQ(read.ui.messages[0],
                  "Unable to read parameter name, units, and water year from PELLIDOR file.  "
                  "Line is '" +
                      line + "'.");
    }
}

TEST(PellidorReader, SurvivesTruncationJunkAndLongLines) {
    // A block cut off in its table keeps what it has.
    std::string cut = PellidorHeader("01234500", "RAVEN", "DISCHARGE", "CFS", 1999) +
                      PellidorRow(1, {"5"}) + PellidorRow(2, {"6"});
    PellidorRead read;
    Read(read, cut);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.source.series[0].Size(), 2u);

    std::string binary;
    for (int i = 0; i < 100000; ++i) {
        binary.push_back(static_cast<char>((i * 7919) & 0xff));
    }
    std::string longName(2000, 'N');
    PellidorRead junk;
    Read(junk, binary + PellidorHeader("01234500", longName, "DISCHARGE", "CFS", 1999) + binary);
    EXPECT_TRUE(junk.ok);
    ASSERT_EQ(junk.source.series.size(), 1u);
    // The line is cut at 511 characters: 28 skipped, 8 of number, a blank.
    EXPECT_EQ(junk.source.series[0].StationName(), std::string(511 - 37, 'N') + " (01234500)");
}

}  // namespace
}  // namespace zav
