// The export texts of the report, byte for byte, and the writers' messages.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "analysis/ReportExport.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

KTRTime Day(int year, int month, int day) {
    return KTRTime(year, month, day, 12, 0, 0);
}

class ReportExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.AddSource(MakeSource(
            "f", {MakeSeries("North", "DO", "mg/l",
                             {{Day(1995, 1, 1), 1}, {Day(1995, 1, 2), 2}, {Day(1995, 3, 9), 4}}),
                  MakeSeries("South|||x", "DO", "mg/l", {{Day(1995, 2, 2), 6}}),
                  MakeSeries("Pond", "DO", "mg/l",
                             {{Day(1995, 1, 1), 1},
                              {Day(1995, 1, 1) + 3600, 2},
                              {Day(1995, 1, 2), 2},
                              {Day(1995, 1, 6), 7}}),
                  MakeSeries("Pond", "pH", "su", {{Day(1995, 1, 1), 7}})}));
        request.settings.startYear = request.settings.endYear = 1995;
        request.settings.endMonth = 3;
        request.settings.endDay = 31;
        request.settings.unit = kMonths;
        request.mainItems = {"North", "South|||x"};
        request.otherItem = "DO";
    }
    ReportTable Table() {
        ReportTable table;
        EXPECT_EQ(RebuildTable(store, request, table), ReportOutcome::kComputed);
        return table;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    ReportRequest request;
};

TEST_F(ReportExportTest, TableFileHasAHeaderLineAndOneLinePerRow) {
    EXPECT_EQ(TableFileText(Table()),
              "Station\t1/1995\t2/1995\t3/1995\r\n"
              "North\t1.5\t-\t4\r\n"
              "South|||x\t-\t6\t-\r\n");
    EXPECT_EQ(TableFileText(ReportTable()), "");
    EXPECT_EQ(ClipboardText(Table()),
              "Station\t1/1995\t2/1995\t3/1995\n"
              "North\t1.5\t-\t4\n"
              "South|||x\t-\t6\t-");
    EXPECT_EQ(ClipboardText(ReportTable()), "Station");
}

TEST_F(ReportExportTest, TransposedStationsAreThreeFreshBlocks) {
    ReportTable stale = Table();
    request.mainItems = {"North"};  // the selection changed since
    std::string text;
    ASSERT_EQ(TransposedFileText(store, request, stale, text), ReportOutcome::kComputed);
    EXPECT_EQ(text,
              "Min\r\nStation\tNorth\t\r\n1/1995\t1\r\n2/1995\t-\r\n3/1995\t4\r\n"
              "\r\nMax\r\nStation\tNorth\t\r\n1/1995\t2\r\n2/1995\t-\r\n3/1995\t4\r\n"
              "\r\nMean\r\nStation\tNorth\t\r\n1/1995\t1.5\r\n2/1995\t-\r\n3/1995\t4\r\n");

    request.mainItems = {"North", "South|||x"};
    request.settings.endMonth = 1;
    ASSERT_EQ(TransposedStationsText(store, request, text), ReportOutcome::kComputed);
    EXPECT_EQ(text,
              "Min\r\nStation\tNorth\tSouth\t\r\n1/1995\t1\t-\r\n"
              "\r\nMax\r\nStation\tNorth\tSouth\t\r\n1/1995\t2\t-\r\n"
              "\r\nMean\r\nStation\tNorth\tSouth\t\r\n1/1995\t1.5\t-\r\n");

    // The blocks hold calendar years' values and say so in their labels,
    // whatever month the statistics options start years in.
    request.settings.unit = kYears;
    request.settings.statistics.yearStartMonth = 10;
    ASSERT_EQ(TransposedStationsText(store, request, text), ReportOutcome::kComputed);
    EXPECT_EQ(text,
              "Min\r\nStation\tNorth\tSouth\t\r\n1/1995\t1\t-\r\n"
              "\r\nMax\r\nStation\tNorth\tSouth\t\r\n1/1995\t2\t-\r\n"
              "\r\nMean\r\nStation\tNorth\tSouth\t\r\n1/1995\t1.5\t-\r\n");

    request.settings.every = 0;
    EXPECT_EQ(TransposedStationsText(store, request, text), ReportOutcome::kBadStep);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Interval span must be greater than zero."});
}

TEST_F(ReportExportTest, TransposedParametersTurnTheTable) {
    request.settings.mainListKind = kMainParameters;
    request.mainItems = {"DO", "pH"};
    request.otherItem = "Pond";
    std::string text;
    ASSERT_EQ(TransposedFileText(store, request, Table(), text), ReportOutcome::kComputed);
    EXPECT_EQ(text,
              "Parameter\tDO\tpH\t\r\n"
              "1/1995\t1\t1\r\n"
              "2/1995\t0\t0\r\n"
              "3/1995\t0\t0\r\n");
    ReportTable named;
    named.header = {"Parameter", "1/1995"};
    named.rows = {{"Flow|||cfs", {"1"}}};
    EXPECT_EQ(TransposedTableText(named), "Parameter\tFlow\t\r\n1/1995\t1\r\n");
}

TEST_F(ReportExportTest, TimeseriesGivesDailyMeansAndTheGapsBetween) {
    // Data on the 1st, 2nd and 6th day of 1..10 January, whatever unit the
    // table shows.
    request.mainItems = {"Pond"};
    request.settings.endMonth = 1;
    request.settings.endDay = 10;
    std::string text;
    ASSERT_TRUE(BuildTimeseriesText(store, request, text));
    EXPECT_EQ(text, "1.5\t0\t2\t1\t7\t4\t");

    request.settings.mainListKind = kMainParameters;
    request.mainItems = {"DO"};
    request.otherItem = "Pond";
    ASSERT_TRUE(BuildTimeseriesText(store, request, text));
    EXPECT_EQ(text, "1.5\t0\t2\t1\t7\t4\t");

    test::TempDir dir;
    ASSERT_TRUE(WriteTimeseriesFile(ui, dir.File("timeseries.txt"), text));
    EXPECT_EQ(test::ReadFile(dir.File("timeseries.txt")), "1.5\t0\t2\t1\t7\t4\t\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportExportTest, TimeseriesNeedsOneItemInEachList) {
    std::string text = "old";
    EXPECT_FALSE(BuildTimeseriesText(store, request, text));
    EXPECT_EQ(text, "");
    request.mainItems = {"North"};
    request.otherItem.reset();
    EXPECT_FALSE(BuildTimeseriesText(store, request, text));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>(
                  2, "Only timeseries data for a single station and parameter can be output."));
}

TEST_F(ReportExportTest, FailedWritesAreReported) {
    test::TempDir dir;
    const std::string blocked = dir.File("missing/out.txt");
    EXPECT_FALSE(WriteTableFile(ui, blocked, "x"));
    EXPECT_FALSE(WriteTimeseriesFile(ui, blocked, "x"));
    ui.clipboard.reset();
    EXPECT_FALSE(PutTimeseriesOnClipboard(ui, "x"));
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{
                  "Unable to open file " + blocked,
                  blocked + " file open attempt failed.  Perhaps the file is in use?\n",
                  "Failed to open clipboard"}));
    EXPECT_TRUE(WriteTableFile(ui, dir.File("table.txt"), TableFileText(ReportTable())));
    EXPECT_EQ(test::ReadFile(dir.File("table.txt")), "");
}

// An export that fails part way (disk full, disk failing, permission lost)
// keeps the file it was to replace, leaves no temporary file and says so.
TEST_F(ReportExportTest, ExportsFailedAtAnyStepKeepThePreviousFile) {
    test::TempDir dir;
    const std::string table = dir.File("table.txt");
    const std::string series = dir.File("series.txt");
    test::WriteFile(table, "previous table");
    test::WriteFile(series, "previous series");
    for (const test::SaveFault& f : test::EverySaveFault()) {
        SCOPED_TRACE(f.Describe());
        ui.messages.clear();
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_FALSE(WriteTableFile(ui, table, "Station\t1995\r\nNorth\t1\r\n"));
        }
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_FALSE(WriteTimeseriesFile(ui, series, "1.5\t0\t2\t1\t7\t4\t"));
        }
        EXPECT_EQ(ui.messages,
                  (std::vector<std::string>{
                      "Unable to open file " + table,
                      series + " file open attempt failed.  Perhaps the file is in use?\n"}));
        EXPECT_EQ(test::ReadFile(table), "previous table");
        EXPECT_EQ(test::ReadFile(series), "previous series");
        EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"series.txt", "table.txt"}));
    }
}

}  // namespace
}  // namespace zav
