// Layout 3: value columns read by the parse string, and the document's
// command that asks a parameter for each of them.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/ParsedColumns.h"

namespace zav {
namespace {

class ParsedColumnsTest : public ::testing::Test {
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

TEST_F(ParsedColumnsTest, DateTimeTokenShiftsTheValueColumn) {
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY HH:MM\tVALUE", 1,
                                   "1/2/99 10:30, 5.5\n"));
    EXPECT_EQ(Series().Times(), (std::vector<KTRTime>{KTRTime(1999, 1, 2, 10, 30, 0)}));
    EXPECT_EQ(Series().Values(), (std::vector<double>{5.5}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ParsedColumnsTest, EachTokenReadsItsFields) {
    const std::string parse = "YYYY.MM.DD HH:MM\tSKIP\tHH:MM:SS\tVALUE";
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", parse, 1,
                                   "1998.07.04 08:15 x 9:10:11 2.5\n"
                                   "1998.07.05 08:15 x 9:10 3.5\n"
                                   "1998.07.06 08:15 x 9 4.5\n"));
    // The one-field time token after the two-field date sets the time; the
    // last row's time cannot be read and the row is left out.
    EXPECT_EQ(Series().Times(), (std::vector<KTRTime>{KTRTime(1998, 7, 4, 9, 10, 11),
                                                      KTRTime(1998, 7, 5, 9, 10, 0)}));
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY\tHH:MM\tVALUE\tVALUE\tSKIP",
                                   2, "3/4/1997,13:45,1,2,3\n3/5/97 13 1 2\n"));
    EXPECT_EQ(Series().Time(0), KTRTime(1997, 3, 4, 13, 45, 0));
    EXPECT_EQ(Series().Value(0), 2);
    EXPECT_EQ(Series().Size(), 3u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ParsedColumnsTest, MissingValuesAndExtraFieldsStoreNothing) {
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY\tVALUE", 1,
                                   "1/1/99 -999\n"
                                   "1/2/99 -1000.5\n"
                                   "1/3/99 -998 extra fields 7 8\n"
                                   "1/4/99\n"
                                   "1/5/99, 2, 3, 4, 5, 6, 7, 8\n"));
    EXPECT_EQ(Series().Values(), (std::vector<double>{-998, 2}));
    // A two-field token with its value missing stores nothing either.
    ASSERT_TRUE(ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY HH:MM:SS\tVALUE", 1,
                                   "2/1/99 10:00\n"));
    EXPECT_EQ(Series().Size(), 2u);
    // Lines beyond the tokens ask for no field that is not there.
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(ImportParsedColumn(store, "nowhere", "DO", "VALUE", 1, "1\n"));
}

TEST_F(ParsedColumnsTest, DateTimeOnTheLastFieldEndsTheImport) {
    EXPECT_FALSE(ImportParsedColumn(store, station, "DO", "VALUE\tMM/DD/[YY]YY HH:MM", 1,
                                    "4 1/2/99 10:30\n5 1/3/99\n6 1/4/99 10:30\n"));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Bad spreadsheet format."}));
    EXPECT_EQ(Series().Values(), (std::vector<double>{4}));
}

TEST_F(ParsedColumnsTest, BinaryJunkEndsWithoutHarm) {
    std::string junk;
    unsigned seed = 5;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk.push_back(static_cast<char>((seed >> 16) & 0xff));
    }
    for (const char* token : kParseTokens) {
        std::string parse = std::string(token) + "\tVALUE\t" + token + "\tVALUE\tSKIP";
        ImportParsedColumn(store, station, "DO", parse, 2, junk);
    }
    EXPECT_LE(ui.messages.size(), static_cast<size_t>(kParseTokenCount));
    for (const KTRTime& time : Series().Times()) {
        EXPECT_TRUE(time.IsValid());
    }
}

TEST(ParseString, CountsValueColumnsAndKnowsItsTokens) {
    EXPECT_EQ(CountValueColumns("MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP"), 1);
    EXPECT_EQ(CountValueColumns("VALUE\tVALUE\tVALUE VALUE\tSKIP"), 2);
    EXPECT_EQ(CountValueColumns(""), 0);
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
