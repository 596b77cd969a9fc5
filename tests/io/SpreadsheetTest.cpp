// Spreadsheet text in layouts 1 and 2, and adding it from files and the
// clipboard.
#include <gtest/gtest.h>

#include <random>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/Spreadsheet.h"

namespace zav {
namespace {

struct SheetRead {
    bool ok = false;
    DataSource source;
    ScriptedUserInterface ui;
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
    read.ok = ReadSpreadsheetText(read.source, text, options, read.ui);
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

TEST(SingleStationLayout, MonthNamesAreFoundCaseSensitively) {
    EXPECT_EQ(MonthFromName("January"), 1);
    EXPECT_EQ(MonthFromName("Jan"), 1);
    EXPECT_EQ(MonthFromName("Sept."), 9);
    EXPECT_EQ(MonthFromName("December"), 12);
    EXPECT_EQ(MonthFromName("JAN"), -1);
    EXPECT_EQ(MonthFromName(""), -1);
    // A month the name does not give is not stored under some other date:
    // the line cannot be read and the whole input is refused.
    SheetRead read;
    Read(read, "Pond\n\n1, 2.5, 0:0:0, 05-January-99\n2, 3.5, 10:00:00, 05-JAN-99\n", Options(1));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.ui.messages,
              (std::vector<std::string>{
                  "Unable to read station data from line 2, 3.5, 10:00:00, 05-JAN-99"}));
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
