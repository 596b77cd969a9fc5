// Layout 3: value columns read by the parse string, and the document's
// command that asks a parameter for each of them.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ReportPlaces.h"
#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"
#include "io/ParsedColumns.h"

namespace zav {
namespace {

// One read of layout 3 rows: the columns asked for and what was noted.
struct ColumnsRead {
    bool ok = false;
    std::vector<DataSeries> columns;
    ImportReport report;
    ScriptedUserInterface ui;
};

void ReadColumns(ColumnsRead& read, const std::string& parse, const std::string& text,
                 const std::vector<bool>& wanted = {true}) {
    read.ok = ReadParsedColumns(parse, text, wanted, read.columns, read.ui, read.report);
}

// Rows of every kind a long file may hold: good rows, blank lines, dates
// that cannot be read, empty, missing and unreadable values, times again
// (a later row replaces an earlier one) and out of order, in CR LF and LF.
std::string MixedRows(std::mt19937& random, int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) {
        const int hour = random() % 10 == 0 ? static_cast<int>(random() % 24) : i % 24;
        const int day = 1 + (i / 24) % 28;
        std::string row = "3/" + std::to_string(day) + "/2001 " + std::to_string(hour) + ":00";
        switch (random() % 12) {
            case 0:
                row = "";
                break;
            case 1:
                row = "13/45/2001 1:00";
                break;
            case 2:
                row += ", , 4";
                break;
            case 3:
                row += ", x, -999";
                break;
            default:
                row += ", " + std::to_string(i) + ".5, " + std::to_string(i % 7);
        }
        text += row + (random() % 3 == 0 ? "\n" : "\r\n");
    }
    return text;
}

// What a reading gave, all of it.
std::string Outcome(TextReader& in, const ParsedReading& how) {
    std::vector<DataSeries> columns;
    ImportReport report;
    report.StartInput("rows.txt");
    ScriptedUserInterface ui;
    const bool ok = ReadParsedColumns("MM/DD/[YY]YY HH:MM\tVALUE\tVALUE", in, {true, true}, columns,
                                      ui, report, how);
    std::string out = ok ? "ok\n" : "stopped\n";
    for (const std::string& message : ui.messages) {
        out += message + "\n";
    }
    for (const DataSeries& column : columns) {
        for (size_t i = 0; i < column.Size(); ++i) {
            out += column.Time(i).ToText() + " " + FormatG(column.Value(i)) + "; ";
        }
        out += "\n";
    }
    return out + ImportMessage(report);
}

// Pieces read side by side give exactly what one reading line by line
// gives, wherever the pieces and their parts are cut, also when a row in
// no readable form ends the reading part way.
TEST(ParsedColumns, ReadingSideBySideGivesWhatOneReadingGives) {
    test::TempDir dir;
    const std::string path = dir.File("rows.txt");
    std::mt19937 random(7);
    for (int variant = 0; variant < 6; ++variant) {
        std::string text = MixedRows(random, 400);
        if (variant % 2 == 1) {  // a date and time on the row's last cell
            const size_t at = text.find('\n', text.size() / 2 + random() % 2000) + 1;
            text.insert(at, "3/9/2001\r\n");
        }
        TextReader alone(text);
        const std::string expected = Outcome(alone, ParsedReading{1, text.size(), text.size()});
        ASSERT_NE(expected.find(variant % 2 == 1 ? "stopped\nBad spreadsheet format.\n" : "ok\n"),
                  std::string::npos);
        test::WriteFile(path, text);
        for (size_t piece : {size_t{40}, size_t{700}, size_t{5000}}) {
            SCOPED_TRACE("variant " + std::to_string(variant) + ", pieces of " +
                         std::to_string(piece));
            TextReader whole(text);
            EXPECT_EQ(Outcome(whole, ParsedReading{3, piece, 30}), expected);
            TextReader file;
            file.SetPieceSize(97);
            ASSERT_EQ(file.OpenFile(path), ReadResult::kOk);
            EXPECT_EQ(Outcome(file, ParsedReading{3, piece, 30}), expected);
        }
    }
}

TEST(ParsedColumns, DateTimeTokenTakesOneCellOrTwo) {
    ColumnsRead read;
    ReadColumns(read, "MM/DD/[YY]YY HH:MM\tVALUE",
                "1/2/99 10:30, 5.5\n"        // date and time in one cell
                "1/3/99,10:30,6.5\n"         // in two cells
                "1/4/99 10:30 7.5\n"         // blanks only
                "1/5/99\t10:30:15\t8.5\n");  // the seconds are kept
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(
        read.columns[0].Times(),
        (std::vector<KTRTime>{KTRTime(1999, 1, 2, 10, 30, 0), KTRTime(1999, 1, 3, 10, 30, 0),
                              KTRTime(1999, 1, 4, 10, 30, 0), KTRTime(1999, 1, 5, 10, 30, 15)}));
    EXPECT_EQ(read.columns[0].Values(), (std::vector<double>{5.5, 6.5, 7.5, 8.5}));
    EXPECT_EQ(read.report.Skipped(), 0u);
    EXPECT_TRUE(read.ui.messages.empty());
}

TEST(ParsedColumns, EachTokenReadsItsWholeCell) {
    ColumnsRead read;
    ReadColumns(read, "YYYY.MM.DD HH:MM\tSKIP\tHH:MM:SS\tVALUE",
                "1998.07.04 08:15 x 9:10:11 2.5\n"
                "1998.07.05 08:15 x 9:10 3.5\n"
                "1998.07.06 08:15 x 9 4.5\n"
                "1998.07.07 08:15 x 9:10pm 5.5\n");
    ASSERT_TRUE(read.ok);
    // The one-field time token after the two-field date sets the time; a
    // time that is not H:M or H:M:S loses its row.
    EXPECT_EQ(read.columns[0].Times(), (std::vector<KTRTime>{KTRTime(1998, 7, 4, 9, 10, 11),
                                                             KTRTime(1998, 7, 5, 9, 10, 0)}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"3:4:9", "4:4:9:10pm"}));

    ColumnsRead second;
    ReadColumns(second, "MM/DD/[YY]YY\tHH:MM\tVALUE\tVALUE\tSKIP",
                "3/4/1997,13:45,1,2,3\n3/5/97 13:00 1 2\n", {false, true});
    ASSERT_TRUE(second.ok);
    EXPECT_TRUE(second.columns[0].Empty());
    EXPECT_EQ(second.columns[1].Values(), (std::vector<double>{2, 2}));
    EXPECT_EQ(second.columns[1].Time(0), KTRTime(1997, 3, 4, 13, 45, 0));
}

// Separators do not merge: an empty cell keeps its column, and a cell that
// is not a number stores nothing rather than 0.
TEST(ParsedColumns, EmptyCellsKeepTheirColumnsAndTextIsNotANumber) {
    ColumnsRead read;
    ReadColumns(read, "MM/DD/[YY]YY\tVALUE\tVALUE",
                "1/9/2016,,13.78\r\n"
                "1/10/2016, 4 ,\"5\"\r\n"
                "1/11/2016,NA,<0.01\r\n"
                "1/12/2016,0.05 E,***\r\n"
                "1/13/2016,nan,-999\r\n"
                "1/14/2016\r\n",
                {true, true});
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.columns[0].Values(), (std::vector<double>{4}));
    EXPECT_EQ(read.columns[1].Times(),
              (std::vector<KTRTime>{KTRTime(2016, 1, 9, 0, 0, 0), KTRTime(2016, 1, 10, 0, 0, 0)}));
    EXPECT_EQ(read.columns[1].Values(), (std::vector<double>{13.78, 5}));
    EXPECT_EQ(
        test::PlacesOf(read.report, SkipRule::kNotANumber),
        (std::vector<std::string>{"3:2:NA", "3:3:<0.01", "4:2:0.05 E", "4:3:***", "5:2:nan"}));
    // Line 1's empty cell and both of line 6's missing ones.
    EXPECT_EQ(read.report.Count(SkipRule::kEmptyCell), 3u);
    EXPECT_EQ(read.report.Count(SkipRule::kMissingValue), 1u);
}

TEST(ParsedColumns, DatesThatCannotBeReadLoseTheirRow) {
    ColumnsRead read;
    ReadColumns(read, "MM/DD/[YY]YY HH:MM:SS\tVALUE",
                "2016-01-09 10:00:00, 1\n"   // ISO dates are not M/D/Y
                "12/31/9999 24:00:00, 2\n"   // carries into the year 10000
                "1/99999999/1999 0:00, 3\n"  // millions of years on
                "1/2/99 10:00 11:00, 4\n"    // a third word in the cell
                "1/3/99 10:00:00, 5\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.columns[0].Values(), (std::vector<double>{5}));
    EXPECT_EQ(test::PlacesOf(read.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"1:1:2016-01-09 10:00:00", "2:1:12/31/9999 24:00:00",
                                        "3:1:1/99999999/1999 0:00", "4:1:1/2/99 10:00 11:00"}));
    // A row without its date cell has no date; one without its time has
    // midnight, as it always had.
    ColumnsRead shorter;
    ReadColumns(shorter, "VALUE\tMM/DD/[YY]YY\tHH:MM", "5\n6 1/2/99\n");
    EXPECT_EQ(shorter.columns[0].Times(), (std::vector<KTRTime>{KTRTime(1999, 1, 2, 0, 0, 0)}));
    EXPECT_EQ(test::PlacesOf(shorter.report, SkipRule::kUnreadableTime),
              (std::vector<std::string>{"1:2:"}));
}

TEST(ParsedColumns, DateTimeOnTheLastCellEndsTheImport) {
    ColumnsRead read;
    ReadColumns(read, "VALUE\tMM/DD/[YY]YY HH:MM", "4 1/2/99 10:30\n5 1/3/99\n6 1/4/99 10:30\n");
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.ui.messages, (std::vector<std::string>{"Bad spreadsheet format."}));
    EXPECT_EQ(read.columns[0].Values(), (std::vector<double>{4}));
}

TEST(ParsedColumns, BinaryJunkEndsWithoutHarm) {
    std::string junk;
    unsigned seed = 5;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk.push_back(static_cast<char>((seed >> 16) & 0xff));
    }
    for (const char* token : kParseTokens) {
        ColumnsRead read;
        std::string parse = std::string(token) + "\tVALUE\t" + token + "\tVALUE\tSKIP";
        ReadColumns(read, parse, junk, {true, true});
        EXPECT_LE(read.ui.messages.size(), 1u);
        for (const DataSeries& column : read.columns) {
            for (const KTRTime& time : column.Times()) {
                EXPECT_TRUE(time.IsValid());
            }
        }
    }
}

class EditPagePasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.AddNewParameters(1, "DO", "mg/l");
        station = store.CreateStationForParameter("DO");
    }
    const DataSeries& Series() { return *store.FindSeries(station, "DO"); }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    std::string station;
};

TEST_F(EditPagePasteTest, ReadsOneColumnAndTellsWhatItSkipped) {
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY\tVALUE\tVALUE", 2,
                                   "1/2/99, 1, 5.5\n1/3/99, 2, n/a\n"));
    EXPECT_EQ(Series().Times(), (std::vector<KTRTime>{KTRTime(1999, 1, 2, 0, 0, 0)}));
    EXPECT_EQ(Series().Values(), (std::vector<double>{5.5}));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Clipboard: 1 value read; 1 cell not used:\n"
                               "  not a number: 1 (line 2, column 3: 'n/a')\n"
                               "Lines and columns are counted from 1; a column is one cell of a "
                               "line."}));
    EXPECT_FALSE(ImportParsedColumn(store, "nowhere", "DO", "VALUE", 1, "1\n"));
    // Without a date token no row could have a date.
    ui.messages.clear();
    EXPECT_FALSE(ImportParsedColumn(store, station, "DO", "HH:MM\tVALUE", 1, "10:00 1\n"));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kNoDateTokenMessage}));
    EXPECT_EQ(Series().Size(), 1u);
}

TEST(ParseString, CountsValueColumnsAndKnowsItsTokens) {
    EXPECT_EQ(CountValueColumns("MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP"), 1);
    EXPECT_EQ(CountValueColumns("VALUE\tVALUE\tVALUE VALUE\tSKIP"), 2);
    EXPECT_EQ(CountValueColumns(""), 0);
    EXPECT_TRUE(HasDateToken("SKIP\tYYYY.MM.DD HH:MM\tVALUE"));
    EXPECT_FALSE(HasDateToken("HH:MM:SS\tVALUE\tMM/DD/YY"));
    for (const char* token : kParseTokens) {
        EXPECT_TRUE(IsParseToken(token));
    }
    EXPECT_FALSE(IsParseToken("value"));
}

class ParsedDocTest : public test::DocumentTest {
protected:
    void SetUp() override {
        doc.FieldManager().AddNewParameters(1, "pH", "su");
        doc.FieldManager().AddNewParameters(1, "DO", "mg/l");
        doc.SetParseString("MM/DD/[YY]YY HH:MM\tVALUE\tVALUE\tSKIP\tSKIP");
        test::WriteFile(dir.File("rows.txt"), "1/2/99 10:30, 5.5, 7.1\n1/3/99 11:00 6 -999\n");
    }
};

TEST_F(ParsedDocTest, TwoValueColumnsAskTwiceAndFillTwoSeries) {
    ui.oneAnswers = {0, 1};  // the list is sorted: DO, pH
    std::vector<std::string> chosen = doc.ChooseColumnParameters();
    EXPECT_EQ(chosen, (std::vector<std::string>{"DO", "pH"}));
    EXPECT_EQ(ui.captions,
              (std::vector<std::string>{"Choose Parameter(s)", "Choose Parameter(s)"}));
    EXPECT_TRUE(doc.AddParsedSpreadsheetFiles({dir.File("rows.txt")}, chosen));
    EXPECT_TRUE(doc.IsModified());
    ZAVFieldManager& store = doc.FieldManager();
    const DataSeries* dissolved = store.FindSeries("station1", "DO");
    const DataSeries* ph = store.FindSeries("station1", "pH");
    ASSERT_TRUE(dissolved && ph);
    EXPECT_EQ(dissolved->Values(), (std::vector<double>{5.5, 6}));
    EXPECT_EQ(ph->Values(), (std::vector<double>{7.1}));
    EXPECT_EQ(ph->Time(0), KTRTime(1999, 1, 2, 10, 30, 0));
    EXPECT_EQ(ph->Units(), "su");
    EXPECT_TRUE(ui.messages.empty());

    // A second input is a second station, both its columns in it.
    EXPECT_TRUE(doc.AddParsedSpreadsheetFiles({dir.File("rows.txt")}, chosen));
    EXPECT_EQ(store.GetLastSeriesIndex(), 3);
    ASSERT_TRUE(store.FindSeries("station2", "DO") && store.FindSeries("station2", "pH"));
    EXPECT_EQ(store.FindSeries("station2", "pH")->Values(), (std::vector<double>{7.1}));
}

// ISO dates against the default M/D/Y date: nothing is read, and no empty
// stations are left behind.
TEST_F(ParsedDocTest, AnInputThatGivesNoValueMakesNoStation) {
    const std::string iso = dir.File("iso.txt");
    test::WriteFile(iso, "2016-01-09 10:30, 5.5, 7.1\r\n2016-01-10 10:30, 6, 7\r\n");
    ImportReport report;
    EXPECT_FALSE(doc.AddParsedSpreadsheetFiles({iso}, {"DO", "pH"}, &report));
    EXPECT_EQ(doc.FieldManager().GetLastSeriesIndex(), -1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ImportMessage(report),
              iso +
                  ": no value read; 2 cells not used:\n"
                  "  date or time that cannot be read or is outside the years 1000 to 9999: 2 "
                  "(line 1, column 1: '2016-01-09 10:30'; line 2, column 1: '2016-01-10 10:30')\n"
                  "Lines and columns are counted from 1; a column is one cell of a line.");

    // A parse string without a date token is refused before anything is read.
    doc.SetParseString("HH:MM\tVALUE");
    ImportReport refused;
    EXPECT_FALSE(doc.AddParsedSpreadsheetFiles({dir.File("rows.txt")}, {"DO"}, &refused));
    ui.clipboard = "10:30 1\n";
    EXPECT_FALSE(doc.AddParsedClipboard({"DO"}, &refused));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kNoDateTokenMessage, kNoDateTokenMessage}));
    EXPECT_TRUE(refused.Inputs().empty());
    EXPECT_EQ(doc.FieldManager().GetLastSeriesIndex(), -1);
}

TEST_F(ParsedDocTest, CancelledColumnsNoFilesAndUnreadableFilesChangeNothing) {
    ui.oneAnswers = {std::nullopt, 1};
    std::vector<std::string> chosen = doc.ChooseColumnParameters();
    EXPECT_EQ(chosen, (std::vector<std::string>{"", "pH"}));
    EXPECT_TRUE(doc.AddParsedSpreadsheetFiles({}, chosen));
    EXPECT_TRUE(doc.AddParsedSpreadsheetFiles({dir.File("rows.txt")}, {"", ""}));
    const std::string missing = dir.File("none.txt");
    EXPECT_FALSE(doc.AddParsedSpreadsheetFiles({missing}, chosen));
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Unable to open file " + missing + " for input."}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.FieldManager().GetLastSeriesIndex(), -1);

    ui.clipboard = "1/2/99 10:30 1 2\n";
    EXPECT_TRUE(doc.AddParsedClipboard(chosen));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.FieldManager().FindSeries("station1", "pH")->Values(), (std::vector<double>{2}));
}

}  // namespace
}  // namespace zav
