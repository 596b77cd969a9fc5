// CSV import: records, times, columns in both shapes, remark codes and what
// happens to every cell that is not stored.
#include <gtest/gtest.h>

#include <algorithm>

#include "ReportPlaces.h"
#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "io/CsvImport.h"
#include "io/CsvRecords.h"
#include "io/CsvTime.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

std::vector<std::vector<std::string>> AllRecords(const std::string& text, char delimiter) {
    CsvRecords records(text);
    records.SetDelimiter(delimiter);
    std::vector<std::vector<std::string>> out;
    while (records.Next()) {
        out.emplace_back(records.Fields().begin(), records.Fields().end());
    }
    return out;
}

TEST(CsvRecords, QuotingBlankAndCommentLinesAndLineEnds) {
    const std::string text =
        "\xEF\xBB\xBF# comment\r\n"
        "a , \"b,c\" ,d\r\n"
        "\r\n"
        "\"say \"\"hi\"\"\",\"two\nlines\",\r\n"
        "\"#not a comment\",x,y\n"
        "last,,";
    EXPECT_EQ(AllRecords(text, ','), (std::vector<std::vector<std::string>>{
                                         {"a", "b,c", "d"},
                                         {"say \"hi\"", "two\nlines", ""},
                                         {"#not a comment", "x", "y"},
                                         {"last", "", ""},
                                     }));
    CsvRecords records(text);
    std::vector<size_t> lines;
    while (records.Next()) {
        lines.push_back(records.Line());
    }
    EXPECT_EQ(lines, (std::vector<size_t>{2, 4, 6, 7}));
}

// A file is read in pieces: wherever the ends of pieces fall (inside a
// quoted field, between CR and LF, in a comment, in the byte-order mark,
// within a header longer than a piece) its records, their lines and texts
// and the delimiter found are those of the text read whole.
TEST(CsvRecords, AFileInPiecesReadsAsTheWholeText) {
    struct Record {
        std::vector<std::string> fields;
        size_t line;
        std::string text;
        bool operator==(const Record& o) const {
            return fields == o.fields && line == o.line && text == o.text;
        }
    };
    auto readAll = [](CsvRecords& records) {
        std::vector<Record> out;
        const char delimiter = records.DetectDelimiter();
        records.SetDelimiter(delimiter);
        while (records.Next()) {
            out.push_back({{records.Fields().begin(), records.Fields().end()},
                           records.Line(),
                           std::string(records.Text())});
        }
        out.push_back({{std::string(1, delimiter)}, 0, ""});
        return out;
    };
    const std::vector<std::string> texts = {
        "\xEF\xBB\xBF# comment;;;\r\na , \"b;c\" ;d\r\n\r\n\"say \"\"hi\"\"\";\"two\nlines\";\r\n"
        "\"#not a comment\";x;y\nlast;;",
        "# " + std::string(40, '#') + "\n\n   \n" + std::string(30, 'h') + "|b|c\n1|\"\"\"\"|3\n",
        "a,b\n\"unterminated,\n2,3\n",
        "",
        "\xEF\xBB",
    };
    test::TempDir dir;
    const std::string path = dir.File("pieces.csv");
    for (const std::string& text : texts) {
        ASSERT_EQ(WriteFileSafely(path, text), WriteResult::kOk);
        CsvRecords whole(text);
        const std::vector<Record> expected = readAll(whole);
        for (size_t piece : {1, 2, 3, 5, 8, 64}) {
            InputFile file;
            ASSERT_EQ(file.Open(path), ReadResult::kOk);
            CsvRecords records(file, piece);
            EXPECT_TRUE(readAll(records) == expected) << text << " in pieces of " << piece;
            EXPECT_FALSE(file.Failed());
        }
    }
}

TEST(CsvRecords, DetectsTheDelimiterOfTheHeader) {
    const std::vector<std::pair<std::string, char>> cases = {
        {"a,b,c\n1;2;3;4;5\n", ','}, {"# x,y,z,w\na;b;c\n", ';'}, {"a\tb\tc\n", '\t'},
        {"a|b|\"c,d,e\"\n", '|'},    {"single\n", ','},
    };
    for (const auto& [text, delimiter] : cases) {
        EXPECT_EQ(CsvRecords(text).DetectDelimiter(), delimiter) << text;
    }
}

TEST(CsvTime, AutomaticFormsAndOffsets) {
    const CsvTimeReader reader("auto", -5 * 60);
    const std::vector<std::pair<std::string, KTRTime>> cases = {
        {"2024-05-17", KTRTime(2024, 5, 17, 0, 0, 0)},
        {"2024-05-17 08:30", KTRTime(2024, 5, 17, 8, 30, 0)},
        {"2024-05-17T08:30:15", KTRTime(2024, 5, 17, 8, 30, 15)},
        {"2024-05-17T08:30:15.000", KTRTime(2024, 5, 17, 8, 30, 15)},
        // With an offset: moved to UTC-05:00.
        {"2024-05-17T08:30:00Z", KTRTime(2024, 5, 17, 3, 30, 0)},
        {"2024-05-17T08:30:00+02:00", KTRTime(2024, 5, 17, 1, 30, 0)},
        {"2024-01-01 02:00-0500", KTRTime(2024, 1, 1, 2, 0, 0)},
        {"2024-01-01T01:00:00+01", KTRTime(2023, 12, 31, 19, 0, 0)},
        {"5/17/2024", KTRTime(2024, 5, 17, 0, 0, 0)},
        {"12/31/1999 23:59:59", KTRTime(1999, 12, 31, 23, 59, 59)},
        {"  2/29/2024 7:05  ", KTRTime(2024, 2, 29, 7, 5, 0)},
    };
    for (const auto& [text, time] : cases) {
        EXPECT_EQ(reader.Read(text), time) << text;
    }
}

TEST(CsvTime, RefusesWhatItCannotHoldExactly) {
    const CsvTimeReader reader("", 0);
    for (const char* text : {"", "2024-13-01", "2023-02-29", "2024-05-17 24:00", "2024-05-17 08:60",
                             "2024-05-17T08:30:15.5", "2024-05-17 08:30 CET", "0999-01-01",
                             "5/17/24", "2024-05-17x", "17.05.2024", "2024-05-17T08:30+19:00"}) {
        EXPECT_FALSE(reader.Read(text).IsValid()) << text;
    }
}

TEST(CsvTime, Patterns) {
    const std::vector<std::tuple<std::string, std::string, KTRTime>> cases = {
        {"%d.%m.%Y %H:%M", "17.05.2024 08:30", KTRTime(2024, 5, 17, 8, 30, 0)},
        {"%d-%b-%Y", "07-mar-1998", KTRTime(1998, 3, 7, 0, 0, 0)},
        {"%d %b %y", "7 March 24", KTRTime(2024, 3, 7, 0, 0, 0)},
        {"%d %b %y", "7 Mar 69", KTRTime(1969, 3, 7, 0, 0, 0)},
        {"%Y%m%d%H%M%S", "20240517083015", KTRTime(2024, 5, 17, 8, 30, 15)},
    };
    for (const auto& [pattern, text, time] : cases) {
        const CsvTimeReader reader(pattern, 0);
        EXPECT_EQ(reader.FormatError(), "");
        EXPECT_EQ(reader.Read(text), time) << pattern << " " << text;
    }
    EXPECT_FALSE(CsvTimeReader("%d.%m.%Y", 0).Read("17/05/2024").IsValid());
    EXPECT_FALSE(CsvTimeReader("%d %b %Y", 0).Read("7 Xyz 2024").IsValid());
    EXPECT_EQ(CsvTimeReader("%Y-%j", 0).FormatError(),
              "the time format '%Y-%j' has %j, which is not one of %Y %m %d %H %M %S %b %y");
    EXPECT_EQ(CsvTimeReader("%H:%M", 0).FormatError(),
              "the time format '%H:%M' has no year (%Y or %y)");
}

struct CsvRead {
    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    DataSource source;
    ImportReport report;
    std::string error;

    CsvRead(const std::string& text, const CsvImportOptions& options) {
        report.StartInput("test.csv");
        error = ReadCsvText(source, text, options, store, report);
    }
    const DataSeries& Series(size_t i) const { return source.series.at(i); }
};

CsvImportOptions LongOptions() {
    CsvImportOptions o;
    o.timeColumns = {"time"};
    o.stationColumn = "station";
    o.parameterColumn = "parameter";
    o.unitsColumn = "units";
    o.valueColumns = {"value"};
    return o;
}

TEST(CsvImport, LongShapeMakesOneSeriesPerStationAndParameterInTimeOrder) {
    const CsvRead read(
        "station,parameter,units,time,value\n"
        "A,DO,mg/l,2024-01-02,7.5\n"
        "A,DO,mg/l,2024-01-01,8\n"
        "B,DO,mg/l,2024-01-01,6.25\n"
        "A,pH,,2024-01-01,7.1\n",
        LongOptions());
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.source.series.size(), 3u);
    const DataSeries& a = read.Series(0);
    EXPECT_EQ(a.StationName() + "/" + a.ParameterName() + "/" + a.Units(), "A/DO/mg/l");
    EXPECT_EQ(a.Times(),
              (std::vector<KTRTime>{KTRTime(2024, 1, 1, 0, 0, 0), KTRTime(2024, 1, 2, 0, 0, 0)}));
    EXPECT_EQ(a.Values(), (std::vector<double>{8, 7.5}));
    EXPECT_EQ(read.Series(1).StationName(), "B");
    // No units given and a parameter the project lacks: the import's default.
    EXPECT_EQ(read.Series(2).Units(), "new units");
    EXPECT_EQ(read.report.Skipped(), 0u);
}

// Points go straight into their series while the file runs forward in
// time and are held and sorted once it goes back; either way each series
// ends in time order, the first value at a time is kept and every later
// one is reported where it is.
TEST(CsvImport, RepeatedTimesKeepTheFirstInTheFileInOrderOrNot) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, double>> rows;  // day of January, value
        std::vector<double> values;                // stored, in time order
        std::vector<std::string> repeated;         // line:column:text
    };
    const std::vector<Case> cases = {
        {"in order", {{1, 1}, {2, 2}, {2, 3}, {3, 4}}, {1, 2, 4}, {"4:5:3"}},
        {"back before the first", {{2, 1}, {3, 2}, {1, 3}, {3, 4}}, {3, 1, 2}, {"5:5:4"}},
        {"a held point repeats one before the turn",
         {{1, 1}, {5, 2}, {3, 3}, {5, 4}, {3, 5}, {1, 6}},
         {1, 3, 2},
         {"5:5:4", "6:5:5", "7:5:6"}},
    };
    for (const Case& c : cases) {
        std::string text = "station,parameter,units,time,value\n";
        for (const auto& [day, value] : c.rows) {
            text += "A,DO,mg/l,2024-01-0" + std::to_string(day) + "," + FormatExact(value) + "\n";
        }
        // A second series of another length after it, given the first's room.
        text += "B,DO,mg/l,2024-02-01,9\n";
        const CsvRead read(text, LongOptions());
        ASSERT_EQ(read.error, "") << c.name;
        EXPECT_EQ(read.Series(0).Values(), c.values) << c.name;
        const std::vector<KTRTime>& times = read.Series(0).Times();
        EXPECT_TRUE(std::is_sorted(times.begin(), times.end())) << c.name;
        EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kRepeatedTime), c.repeated) << c.name;
        EXPECT_EQ(read.Series(1).Values(), std::vector<double>{9}) << c.name;
        EXPECT_EQ(read.report.Skipped(), c.repeated.size()) << c.name;
    }
}

// Names may hold any character, the unit separator among them: two pairs
// of names that read alike once joined stay two series.
TEST(CsvImport, NamesThatJoinAlikeStayApart) {
    const CsvRead read(
        "station,parameter,units,time,value\n"
        "a\x1f"
        "b,c,mg/l,2024-01-01,1\n"
        "a,b\x1f"
        "c,mg/l,2024-01-02,2\n"
        "1:a,b,mg/l,2024-01-03,3\n"
        "1,:ab,mg/l,2024-01-04,4\n",
        LongOptions());
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.source.series.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.Series(i).Values(), std::vector<double>{double(i + 1)});
    }
    EXPECT_EQ(read.Series(1).StationName(), "a");
    EXPECT_EQ(read.Series(1).ParameterName(),
              "b\x1f"
              "c");
}

TEST(CsvImport, WideShapeWithSeparateDateAndTimeAndAFixedStation) {
    CsvImportOptions o;
    o.timeColumns = {"Date", "Clock"};
    o.station = "Weir";
    o.units = "m";
    o.valueColumns = {"Stage", "3"};
    const CsvRead read(
        "Date;Clock;Flow;Stage\n"
        "2024-03-01;06:00;1,5;0,25\n"
        "2024-03-01;07:00;;0,5\n",
        [&] {
            o.decimalComma = true;
            return o;
        }());
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.source.series.size(), 2u);
    EXPECT_EQ(read.Series(0).ParameterName(), "Stage");
    EXPECT_EQ(read.Series(0).Values(), (std::vector<double>{0.25, 0.5}));
    EXPECT_EQ(read.Series(1).ParameterName(), "Flow");
    EXPECT_EQ(read.Series(1).Times(), (std::vector<KTRTime>{KTRTime(2024, 3, 1, 6, 0, 0)}));
    EXPECT_EQ(read.report.Count(SkipRule::kEmptyCell), 1u);
}

TEST(CsvImport, CensoredValuesFollowTheUsersChoice) {
    const std::string text =
        "time,value,code\n"
        "2024-01-01,0.5,<\n"
        "2024-01-02,<0.2,\n"
        "2024-01-03,3,E\n"
        "2024-01-04,4,<E\n";
    const std::vector<std::pair<CensoredRule, std::vector<double>>> cases = {
        {CensoredRule::kSkip, {3}},
        {CensoredRule::kLimit, {0.5, 0.2, 3, 4}},
        {CensoredRule::kHalf, {0.25, 0.1, 3, 2}},
        {CensoredRule::kZero, {0, 0, 3, 0}},
    };
    for (const auto& [rule, values] : cases) {
        CsvImportOptions o;
        o.timeColumns = {"time"};
        o.station = "S";
        o.parameter = "P";
        o.valueColumns = {"value"};
        o.remarkColumns = {"code"};
        o.censored = rule;
        o.maskRemarks = {"E"};
        const CsvRead read(text, o);
        ASSERT_EQ(read.source.series.size(), 1u);
        EXPECT_EQ(read.Series(0).Values(), values);
        EXPECT_EQ(read.report.Count(SkipRule::kCensored), rule == CensoredRule::kSkip ? 3u : 0u);
        EXPECT_EQ(read.report.Unreadable(), 0u);
        // "E" and "<E" are stored masked; the rest count.
        std::vector<int32_t> masks(values.size(), 0);
        if (rule != CensoredRule::kSkip) {
            masks = {0, 0, 1, 1};
        } else {
            masks = {1};
        }
        EXPECT_EQ(read.Series(0).Masks(), masks);
    }
}

TEST(CsvImport, EveryCellNotStoredIsReportedWhereItIs) {
    CsvImportOptions o = LongOptions();
    o.maskColumn = "mask";
    const CsvRead read(
        "station,parameter,units,time,value,mask\n"
        "A,DO,mg/l,2024-01-01,1,0\n"
        "A,DO,mg/l,2024-02-30,2,0\n"
        ",DO,mg/l,2024-01-02,3,0\n"
        "A,,mg/l,2024-01-03,4,0\n"
        "A,DO,mg/l,2024-01-04,n/a,0\n"
        "A,DO,g/l,2024-01-05,5,0\n"
        "A,DO,mg/l,2024-01-01,6,0\n"
        "A,DO,mg/l,2024-01-06,7,x\n"
        "A,DO,mg/l,2024-01-07,8,2\n",
        o);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.Series(0).Values(), (std::vector<double>{1, 8}));
    EXPECT_EQ(read.Series(0).Masks(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"3:4:2024-02-30"}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoStation),
              (std::vector<std::string>{"4:1:,DO,mg/l,2024-01-02,3,0"}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoParameter),
              (std::vector<std::string>{"5:5:4"}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNotANumber),
              (std::vector<std::string>{"6:5:n/a", "9:6:x"}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kOtherUnits),
              (std::vector<std::string>{"7:5:g/l"}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kRepeatedTime),
              (std::vector<std::string>{"8:5:6"}));
    EXPECT_EQ(read.report.Unreadable(), 7u);
}

TEST(CsvImport, AgencyTypeLineIsPassedOverButADataLineIsNot) {
    CsvImportOptions o;
    o.timeColumns = {"date"};
    o.stationColumn = "site";
    o.valueColumns = {"flow"};
    o.remarkColumns = {"flow_cd"};
    const std::string header = "# retrieved today\nagency\tsite\tdate\tflow\tflow_cd\n";
    const CsvRead typed(header + "5s\t15s\t20d\t14n\t10s\nX\t01\t2024-01-01\t2.5\tA\n", o);
    EXPECT_EQ(typed.Series(0).Values(), (std::vector<double>{2.5}));
    EXPECT_EQ(typed.report.Unreadable(), 0u);
    const CsvRead untyped(header + "X\t01\t2024-01-01\t2.5\tA\n", o);
    EXPECT_EQ(untyped.Series(0).Values(), (std::vector<double>{2.5}));
}

TEST(CsvImport, ColumnsAndOptionsThatCannotBeUsedReadNothing) {
    CsvImportOptions o = LongOptions();
    o.valueColumns = {"Value"};
    const CsvRead missing("station,parameter,units,time,value\nA,DO,mg/l,2024-01-01,1\n", o);
    EXPECT_EQ(missing.error,
              "no column 'Value' in the header (station, parameter, units, time, value)");
    EXPECT_TRUE(missing.source.series.empty());
    o = LongOptions();
    o.station = "fixed";
    EXPECT_EQ(CheckCsvOptions(o), "give either a station or a station column");
    o = LongOptions();
    o.remarkColumns = {"-", "x"};
    EXPECT_EQ(CheckCsvOptions(o), "more remark columns than value columns");
    const CsvRead empty("# only a comment\n", LongOptions());
    EXPECT_EQ(empty.error, "no header line");
}

}  // namespace
}  // namespace zav
