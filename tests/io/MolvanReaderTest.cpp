#include <gtest/gtest.h>

#include <random>

#include "AgencyText.h"
#include "ReportPlaces.h"
#include "ScriptedUserInterface.h"
#include "core/KTRTime.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"

namespace zav {
namespace {

using test::MolvanHeadings;
using test::MolvanLine;

const char* const kPath = "lake.mlv";

std::string StandardHeadings() {
    return MolvanHeadings({"WATER", "DISSOLVD", "PH"}, {"TEMP", "OXYGEN", ""},
                          {"DEG C", "MG/L", "UNITS"});
}

struct MolvanRead {
    bool ok = false;
    DataSource source;
    ScriptedUserInterface ui;
    ImportReport report;
};

void Read(MolvanRead& read, const std::string& text) {
    read.ok = ReadMolvanText(read.source, text, kPath, read.ui, read.report);
}

TEST(MolvanReader, BuildsSeriesFromHeadingsAndDataLines) {
    MolvanRead read;
    Read(read, StandardHeadings() +
                   MolvanLine("199503011030", "KESTREL-01", {"4.5", "11.2", "7.1"}) +
                   MolvanLine("199503021030", "KESTREL-01", {"5.0", "-9", "7.3"}) +
                   MolvanLine("199503011100", "HARROW-BRIDGE", {"-9.0", "10.4", "-9.5"}));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    const auto& series = read.source.series;
    // -9, -9.0 and -9.5 all mark missing values: no series for them.
    ASSERT_EQ(series.size(), 4u);
    // Series in the order their first value is met; the station keeps the
    // blanks that pad it to 15 characters.
    EXPECT_EQ(series[0].StationName(), "KESTREL-01     ");
    EXPECT_EQ(series[0].ParameterName(), "WATER TEMP");
    EXPECT_EQ(series[0].Units(), "DEG C");
    EXPECT_EQ(series[1].ParameterName(), "DISSOLVD OXYGEN");
    EXPECT_EQ(series[1].Units(), "MG/L");
    // An empty second heading part still leaves the joining blank.
    EXPECT_EQ(series[2].ParameterName(), "PH ");
    EXPECT_EQ(series[2].Units(), "UNITS");
    EXPECT_EQ(series[3].StationName(), "HARROW-BRIDGE  ");
    EXPECT_EQ(series[3].ParameterName(), "DISSOLVD OXYGEN");
    EXPECT_EQ(series[0].Size(), 2u);
    EXPECT_EQ(series[0].Time(0), KTRTime(1995, 3, 1, 10, 30, 0));
    EXPECT_DOUBLE_EQ(series[0].Value(1), 5.0);
    EXPECT_EQ(series[0].Mask(1), 0);
    EXPECT_EQ(series[1].Size(), 1u);
    EXPECT_EQ(series[2].Size(), 2u);
    EXPECT_DOUBLE_EQ(series[3].Value(0), 10.4);
}

TEST(MolvanReader, HeadingFieldsAreEightColumnsFromColumn26) {
    // The last field stops after eight characters even when the line goes on.
    std::string first = test::MolvanHeading({"A", "B", "C", "D", "E", "F", "SEVENTH"}) + "OVERFLOW";
    std::string text = "title\n" + first + "\n  short\n" +
                       test::MolvanHeading({" mg/l ", "", "", "", "", "", "cfs"}) + "\n" +
                       MolvanLine("199501010000", "S", {"1", "2", "3", "4", "5", "6", "7"});
    MolvanRead read;
    Read(read, text);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.source.series.size(), 7u);
    EXPECT_EQ(read.source.series[0].ParameterName(), "A ");
    EXPECT_EQ(read.source.series[0].Units(), "mg/l");
    EXPECT_EQ(read.source.series[1].Units(), "");
    EXPECT_EQ(read.source.series[6].ParameterName(), "SEVENTH ");
    EXPECT_EQ(read.source.series[6].Units(), "cfs");
    EXPECT_DOUBLE_EQ(read.source.series[6].Value(0), 7.0);
}

TEST(MolvanReader, SkipsBlankLinesAndTreatsMissingFieldsAsMissing) {
    MolvanRead read;
    Read(read, StandardHeadings() + "   \t  \r\n\r\n" +
                   MolvanLine("199503011030", "KESTREL-01", {"4.5"}) +
                   MolvanLine("199503021030", "KESTREL-01", {}));
    ASSERT_TRUE(read.ok);
    // No out-of-range message per missing field, and no made-up values.
    EXPECT_TRUE(read.ui.messages.empty());
    ASSERT_EQ(read.source.series.size(), 1u);
    EXPECT_EQ(read.source.series[0].Size(), 1u);
}

TEST(MolvanReader, LaterLineAtTheSameTimeReplacesTheValue) {
    MolvanRead read;
    Read(read, StandardHeadings() + MolvanLine("199503021030", "K", {"2", "8", "7"}) +
                   MolvanLine("199503011030", "K", {"1", "9", "7"}) +
                   MolvanLine("199503021030", "K", {"3", "-9", "7"}));
    ASSERT_TRUE(read.ok);
    const DataSeries& temp = read.source.series[0];
    ASSERT_EQ(temp.Size(), 2u);
    EXPECT_EQ(temp.Time(0), KTRTime(1995, 3, 1, 10, 30, 0));
    EXPECT_DOUBLE_EQ(temp.Value(1), 3.0);
    // A missing value on the later line leaves the earlier one.
    EXPECT_DOUBLE_EQ(read.source.series[1].Value(1), 8.0);
}

TEST(MolvanReader, HeadingsOnlyGiveNoSeries) {
    MolvanRead read;
    Read(read, StandardHeadings());
    EXPECT_TRUE(read.ok);
    EXPECT_TRUE(read.source.series.empty());
    MolvanRead empty;
    Read(empty, "");
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.source.series.empty());
}

TEST(MolvanReader, UnreadableDateFailsTheWholeFile) {
    const std::vector<std::string> badLines = {
        "STATION     KESTREL-01      4.5",  // no digits at all
        "1995030110  KESTREL-01      4.5",  // four numbers only
        "1995-03-01  KESTREL-01      4.5",  // dashes are not signs here
        "+99503011030KESTREL-01      4.5",
    };
    for (const std::string& bad : badLines) {
        MolvanRead read;
        Read(read, StandardHeadings() + MolvanLine("199503011030", "K", {"1"}) + bad + "\r\n" +
                       MolvanLine("199503021030", "K", {"2"}));
        EXPECT_FALSE(read.ok) << bad;
        ASSERT_EQ(read.ui.messages.size(), 1u);
        EXPECT_EQ(read.ui.messages[0], "Parse error reading line " + bad + " in file lake.mlv");
    }
}

// Values once stored as 0 (text) or as infinity, and times that carried
// into a year no project can hold, lose only their cell or line.
TEST(MolvanReader, ValuesThatAreNotNumbersAndTimesOutOfRangeAreSkippedAndNoted) {
    MolvanRead read;
    Read(read, StandardHeadings() +                                           // lines 1-4
                   MolvanLine("199503011030", "K", {"4.5", "<0.5", "***"}) +  // line 5
                   MolvanLine("999913011200", "K", {"1", "2", "3"}) +         // month 13 of 9999
                   MolvanLine("100000011200", "K", {"1", "2", "3"}) +         // month 0 of 1000
                   MolvanLine("050003011030", "K", {"1"}) +                   // year 500
                   MolvanLine("199503021030", "K", {"abc", "nan", "1e999"}) +
                   MolvanLine("199503031030", "K", {"-9", "-9.5abc", "+2.5"}));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    const auto& series = read.source.series;
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].Values(), (std::vector<double>{4.5}));
    EXPECT_EQ(series[1].ParameterName(), "PH ");
    EXPECT_EQ(series[1].Values(), (std::vector<double>{2.5}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNotANumber),
              (std::vector<std::string>{"5:3:<0.5", "5:4:***", "9:2:abc", "9:3:nan", "9:4:1e999"}));
    EXPECT_EQ(
        test::PlacesOf(read.report, SkipRule::kUnreadableTime),
        (std::vector<std::string>{"6:1:999913011200K", "7:1:100000011200K", "8:1:050003011030K"}));
    // The format's own missing value (-9 as an integer reads) is no news.
    EXPECT_EQ(read.report.Skipped(), 8u);
}

TEST(MolvanReader, SurvivesBinaryJunkAndVeryLongLines) {
    std::mt19937 random(7);
    std::string junk;
    for (int i = 0; i < 200000; ++i) {
        junk.push_back(static_cast<char>(random() & 0xff));
    }
    MolvanRead binary;
    Read(binary, junk);  // either verdict will do; it must end
    EXPECT_LE(binary.ui.messages.size(), 1u);

    // Numbers after the 511th character of a line are not read.
    std::string longLine = "199503011030K              1 2 3" + std::string(600, ' ') + "4";
    MolvanRead read;
    Read(read, StandardHeadings() + longLine + "\n" + std::string(100000, 'x'));
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.source.series.size(), 3u);
    ASSERT_EQ(read.ui.messages.size(), 1u);
    EXPECT_EQ(read.ui.messages[0],
              "Parse error reading line " + std::string(511, 'x') + " in file lake.mlv");
}

}  // namespace
}  // namespace zav
