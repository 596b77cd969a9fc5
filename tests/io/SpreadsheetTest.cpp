// Spreadsheet text in layouts 1 and 2, and adding it from files and the
// clipboard.
#include <gtest/gtest.h>

#include <random>

#include "ReportPlaces.h"
#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"
#include "io/Spreadsheet.h"

namespace zav {
namespace {

struct SheetRead {
    bool ok = false;
    DataSource source;
    ScriptedUserInterface ui;
    ImportReport report;
};

SpreadsheetOptions Options(int layout, char separator = ',', int startColumn = 2) {
    SpreadsheetOptions options;
    options.layout = layout;
    options.separator = separator;
    options.parameter = "DO";
    options.units = "mg/l";
    options.startColumn = startColumn;
    return options;
}

void Read(SheetRead& read, const std::string& text, const SpreadsheetOptions& options) {
    read.ok = ReadSpreadsheetText(read.source, text, options, read.ui, read.report);
}

TEST(SingleStationLayout, ReadsNamedAndNumericDates) {
    SheetRead read;
    Read(read,
         "  Kestrel Pond  \r\n"
         "sampled by crew B, 1999\r\n"
         "1, 7.25, 10:30:00, 05-January-99\r\n"
         "   \r\n"
         "2, 6.5, 14:05:09, 1/6/99\r\n"
         "3, 8, 9:00:00, 07-Mar-1998\r\n",
         Options(1));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    ASSERT_EQ(read.source.series.size(), 1u);
    const DataSeries& s = read.source.series[0];
    EXPECT_EQ(s.StationName(), "Kestrel Pond");
    EXPECT_EQ(s.ParameterName(), "DO");
    EXPECT_EQ(s.Units(), "mg/l");
    EXPECT_EQ(s.Times(),
              (std::vector<KTRTime>{KTRTime(1998, 3, 7, 9, 0, 0), KTRTime(1999, 1, 5, 10, 30, 0),
                                    KTRTime(1999, 1, 6, 14, 5, 9)}));
    EXPECT_EQ(s.Values(), (std::vector<double>{8, 7.25, 6.5}));
    EXPECT_EQ(s.Masks(), (std::vector<int32_t>{0, 0, 0}));

    // Both date forms give 5 January 1999, with tabs as well.
    SheetRead tabbed;
    Read(tabbed, "Pond\nx\n1\t2.5\t0:0:0\t05-January-99\n2\t3.5\t0:0:0\t1/5/99\n",
         Options(1, '\t'));
    ASSERT_TRUE(tabbed.ok);
    EXPECT_EQ(tabbed.source.series[0].Times(),
              (std::vector<KTRTime>{KTRTime(1999, 1, 5, 0, 0, 0)}));
    EXPECT_EQ(tabbed.source.series[0].Values(), (std::vector<double>{3.5}));
}

TEST(SingleStationLayout, MonthNamesMatchInAnyCase) {
    EXPECT_EQ(MonthFromName("January"), 1);
    EXPECT_EQ(MonthFromName("JAN"), 1);
    EXPECT_EQ(MonthFromName("sept."), 9);
    EXPECT_EQ(MonthFromName("December"), 12);
    EXPECT_EQ(MonthFromName("Foo"), -1);
    EXPECT_EQ(MonthFromName(""), -1);
    // A name that gives no month is not stored under some other date: the
    // row is skipped and noted.
    SheetRead read;
    Read(read, "Pond\n\n1, 2.5, 0:0:0, 05-JAN-99\n2, 3.5, 10:00:00, 05-Foo-99\n", Options(1));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    EXPECT_EQ(read.source.series[0].Times(), (std::vector<KTRTime>{KTRTime(1999, 1, 5, 0, 0, 0)}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"4:3:10:00:00, 05-Foo-99"}));
}

// Rows as spreadsheet programs write them: CR LF, a padded and quoted
// station cell, text where a value would be, end-of-time sentinels.
TEST(SingleStationLayout, CellsThatCannotBeReadLoseOnlyTheirRow) {
    SheetRead read;
    Read(read,
         "\"Kestrel Pond\",,,\r\n"
         "ID,Value,Time,Date\r\n"
         "1, NA, 10:00:00, 1/5/99\r\n"
         "2, , 10:00:00, 1/6/99\r\n"
         "3, <0.5, 10:00:00, 1/7/99\r\n"
         "4, 0.05 E, 10:00:00, 1/8/99\r\n"
         "5, 2.5, 24:00:00, 12/31/9999\r\n"
         "6, 2.5, 12:00:00, 1/99999999/1999\r\n"
         "7, 2.5, 12:00:00, 1/-2147483648/1999\r\n"
         "8,\" 4.5 \",12:00:00,1/9/99\r\n"
         "9, +3, 0:0:0, 1/10/99,,\r\n"
         "10, nan, 0:0:0, 1/11/99\r\n"
         "11, 1e999, 0:0:0, 1/12/99\r\n"
         "12, 7, 23:59:59, 12/31/9999\r\n",
         Options(1));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    const DataSeries& s = read.source.series.at(0);
    EXPECT_EQ(s.StationName(), "Kestrel Pond");
    EXPECT_EQ(s.Times(),
              (std::vector<KTRTime>{KTRTime(1999, 1, 9, 12, 0, 0), KTRTime(1999, 1, 10, 0, 0, 0),
                                    KTRTime(9999, 12, 31, 23, 59, 59)}));
    EXPECT_EQ(s.Values(), (std::vector<double>{4.5, 3, 7}));
    EXPECT_EQ(
        test::PlacesOf(read.report, SkipRule::kNotANumber),
        (std::vector<std::string>{"3:2:NA", "5:2:<0.5", "6:2:0.05 E", "12:2:nan", "13:2:1e999"}));
    EXPECT_EQ(read.report.Count(SkipRule::kEmptyCell), 1u);
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"7:3:24:00:00, 12/31/9999", "8:3:12:00:00, 1/99999999/1999",
                                        "9:3:12:00:00, 1/-2147483648/1999"}));
}

TEST(SingleStationLayout, UnreadableInputsAreRefusedWithTheLine) {
    SheetRead bad;
    Read(bad, "Pond\n\n1, 2.5, 10:00, 1/5/99\n", Options(1));
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.ui.messages,
              (std::vector<std::string>{"Unable to read station data from line 1, 2.5, 10:00, "
                                        "1/5/99"}));
    // Comma rows read with the tab separator do not match either form.
    SheetRead wrongSeparator;
    Read(wrongSeparator, "Pond\n\n1, 2.5, 0:0:0, 1/5/99\n", Options(1, '\t'));
    EXPECT_FALSE(wrongSeparator.ok);
    // No station line: no station without a name.
    SheetRead empty;
    Read(empty, "", Options(1));
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.ui.messages,
              (std::vector<std::string>{"Unable to read station data from line "}));
    // A station line without data rows is a station without points.
    SheetRead bare;
    Read(bare, "Pond\r\n", Options(1));
    ASSERT_TRUE(bare.ok);
    EXPECT_EQ(bare.source.series[0].Size(), 0u);
}

TEST(MultiStationLayout, BuildsStationNamesAndReadsOnlyUnsignedNumbers) {
    SheetRead read;
    Read(read,
         "Site\tArea\t1/1/1999\t2/1/1999 12:00:00\tnot a date\r\n"
         "Lake\tNorth\t5\t-3.5\t9\r\n"
         "\r\n"
         "Lake\tSouth\t.5\t\t7\r\n"
         "Lake\tNorth\tn/a\t6\t1\r\n",
         Options(2, '\t', 3));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    const auto& series = read.source.series;
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].StationName(), "Lake|||North");
    EXPECT_EQ(series[0].Times(),
              (std::vector<KTRTime>{KTRTime(1999, 1, 1, 0, 0, 0), KTRTime(1999, 2, 1, 12, 0, 0)}));
    EXPECT_EQ(series[0].Values(), (std::vector<double>{5, 6}));
    EXPECT_EQ(series[1].StationName(), "Lake|||South");
    EXPECT_EQ(series[1].Values(), (std::vector<double>{0.5}));
    EXPECT_EQ(series[1].Units(), "mg/l");
}

// Separators do not merge: an empty cell keeps its column, and a cell that
// is not a number stores nothing rather than 0.
TEST(MultiStationLayout, EveryCellKeepsItsColumnAndTextIsNotZero) {
    SheetRead read;
    Read(read,
         "Station,1/9/2016,1/10/2016,1/11/2016,Notes\r\n"
         "North,,13.78, 4,\r\n"
         "South,NA,<0.01,ND,checked\r\n"
         "East,***,0.05 E,-1,\r\n"
         "\"West, upper\",+2,\"3\",1e999,\r\n"
         ",,,,\r\n"
         ",5,,,\r\n",
         Options(2));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.ui.messages.empty());
    const auto& series = read.source.series;
    ASSERT_EQ(series.size(), 4u);
    EXPECT_EQ(series[0].StationName(), "North");
    EXPECT_EQ(series[0].Times(),
              (std::vector<KTRTime>{KTRTime(2016, 1, 10, 0, 0, 0), KTRTime(2016, 1, 11, 0, 0, 0)}));
    EXPECT_EQ(series[0].Values(), (std::vector<double>{13.78, 4}));
    EXPECT_EQ(series[1].Size(), 0u);
    EXPECT_EQ(series[3].StationName(), "West, upper");
    EXPECT_EQ(series[3].Values(), (std::vector<double>{2, 3}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNotANumber),
              (std::vector<std::string>{"3:2:NA", "3:3:<0.01", "3:4:ND", "4:2:***", "4:3:0.05 E"}));
    EXPECT_EQ(read.report.Count(SkipRule::kNotANumber), 6u);
    EXPECT_EQ(read.report.Count(SkipRule::kEmptyCell), 1u);
    EXPECT_EQ(read.report.Count(SkipRule::kMinusSign), 1u);
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoColumnDate),
              (std::vector<std::string>{"3:5:checked"}));
    // A row padded out with separators is no row; one with values needs a name.
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoStation),
              (std::vector<std::string>{"7:1:"}));
}

TEST(MultiStationLayout, AHeaderDateNoProjectCanHoldLeavesItsColumnUnread) {
    SheetRead read;
    Read(read, "Station\t12/31/9999 23:00:00\t12/31/9999 24:00:00\nNorth\t1\t2\n",
         Options(2, '\t'));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.source.series[0].Values(), (std::vector<double>{1}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kNoColumnDate),
              (std::vector<std::string>{"2:3:2"}));
}

TEST(MultiStationLayout, ShortHeadersAndRowsOfOtherWidths) {
    SheetRead shortHeader;
    Read(shortHeader, "Station\nNorth,5\n", Options(2));
    EXPECT_FALSE(shortHeader.ok);
    EXPECT_EQ(shortHeader.ui.messages,
              (std::vector<std::string>{"Header doesn't have enough columns: Station"}));

    SheetRead read;
    Read(read, "Station,1/1/1999,1/2/1999\nNorth,1,2\nSouth,3\nEast,5,6\n", Options(2));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.ui.messages,
              (std::vector<std::string>{"Invalid line: not enough columns; expected 3, got 2"}));
    ASSERT_EQ(read.source.series.size(), 1u);
    EXPECT_EQ(read.source.series[0].Values(), (std::vector<double>{1, 2}));

    // Wide sheets: a header of 400 dates, far past the usual line length.
    std::string header = "Station";
    std::string row = "North";
    for (int d = 1; d <= 400; ++d) {
        header += ",1/1/1999 " + std::to_string(d / 60) + ":" + std::to_string(d % 60) + ":00";
        row += "," + std::to_string(d);
    }
    SheetRead wide;
    Read(wide, header + "\n" + row + "\n", Options(2));
    ASSERT_TRUE(wide.ok);
    EXPECT_TRUE(wide.ui.messages.empty());
    EXPECT_EQ(wide.source.series.at(0).Size(), 400u);
}

TEST(MultiStationLayout, StartColumnsOutsideTheCellsAndAnEmptyCornerCell) {
    // Values start at the second column at the earliest.
    SheetRead low;
    Read(low, ",1/1/1999,1/2/1999\nNorth,1,2\n", Options(2, ',', 0));
    ASSERT_TRUE(low.ok);
    ASSERT_EQ(low.source.series.size(), 1u);
    EXPECT_EQ(low.source.series[0].StationName(), "North");
    EXPECT_EQ(low.source.series[0].Times(),
              (std::vector<KTRTime>{KTRTime(1999, 1, 1, 0, 0, 0), KTRTime(1999, 1, 2, 0, 0, 0)}));
    // Past the last cell: the name from the cells there are, and no values.
    SheetRead high;
    Read(high, "a,1/1/1999,1/2/1999\nNorth,East,2\n", Options(2, ',', 9));
    ASSERT_TRUE(high.ok);
    ASSERT_EQ(high.source.series.size(), 1u);
    EXPECT_EQ(high.source.series[0].StationName(), "North|||East|||2");
    EXPECT_EQ(high.source.series[0].Size(), 0u);
    EXPECT_TRUE(low.ui.messages.empty());
    EXPECT_TRUE(high.ui.messages.empty());
}

TEST(SpreadsheetLayouts, BinaryJunkEndsWithoutHarm) {
    std::mt19937 random(11);
    std::string junk;
    for (int i = 0; i < 100000; ++i) {
        junk.push_back(static_cast<char>(random() & 0xff));
    }
    for (int layout : {1, 2}) {
        for (char separator : {',', '\t'}) {
            SheetRead read;
            Read(read, junk, Options(layout, separator, layout + 1));
            // Either verdict will do; it must end, with one message at most.
            EXPECT_LE(read.ui.messages.size(), 1u);
        }
    }
}

using SpreadsheetDocTest = test::DocumentTest;

TEST_F(SpreadsheetDocTest, FilesAreAddedOneSourceEachAndFailuresReported) {
    test::WriteFile(dir.File("pond.csv"), "Pond\n\n1, 2.5, 0:0:0, 1/5/99\n");
    test::WriteFile(dir.File("bad.csv"), "Pond\n\nnothing here\n");
    const std::string missing = dir.File("missing.csv");
    EXPECT_EQ(
        doc.AddSpreadsheetFiles({dir.File("pond.csv"), missing, dir.File("bad.csv")}, Options(1)),
        1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Unable to open file " + missing + " for input.",
                                        "Unable to read station data from line nothing here"}));
    const ZAVFieldManager& store = doc.FieldManager();
    ASSERT_EQ(store.Sources().size(), 1u);
    EXPECT_EQ(store.Sources()[0].fileName, "");
    StationInfo info;
    EXPECT_EQ(store.GetStation("Pond", info), 1);
    EXPECT_EQ(store.GetParameterUnits("DO"), "mg/l");
}

TEST_F(SpreadsheetDocTest, ClipboardTextIsReadUnlessTheClipboardCannotBeOpened) {
    ui.clipboard = "Lake\t1/1/1999\nNorth\t4\n";
    EXPECT_EQ(doc.AddClipboardData(Options(2, '\t')), 1);
    EXPECT_EQ(doc.FieldManager().GetLastSeriesIndex(), 0);
    EXPECT_TRUE(ui.messages.empty());

    doc.SetModifiedFlag(false);
    ui.clipboard.reset();
    EXPECT_EQ(doc.AddClipboardData(Options(1)), 0);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Failed to open clipboard"}));
    EXPECT_EQ(doc.FieldManager().Sources().size(), 1u);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace zav
