// zav-cli report run on tests/data/report.zav: the bytes it prints, its
// messages and its exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using CliRun = test::CliResult;

// `options` are words separated by single blanks.
CliRun Report(const std::string& options) {
    std::vector<std::string> words = {"report", test::DataPath("report.zav")};
    std::istringstream in(options);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return test::RunCli(words);
}

const char* const kQuarter = "--start 1995-01-01 --end 1995-03-31 --unit months ";

TEST(ReportCommandTest, PrintsTheTableFileWithRowsInTheOrderGiven) {
    CliRun values = Report(std::string(kQuarter) +
                           "--main stations --items South,North,Basin "
                           "--other DO --values");
    EXPECT_EQ(values.exitStatus, 0);
    EXPECT_EQ(values.out,
              "Station\t1/1995\t2/1995\t3/1995\r\n"
              "South\t-\t13\t-\r\n"
              "North\t3\t-\t4\r\n"
              "Basin\t-\t13\t5\r\n");
    EXPECT_EQ(values.err, "");

    CliRun filled = Report(std::string(kQuarter) +
                           "--main stations --items North --other DO --values --fill-gaps");
    EXPECT_EQ(filled.out, "Station\t1/1995\t2/1995\t3/1995\r\nNorth\t3\t3.5\t4\r\n");

    // A main list of parameters reports availability, --values or not.
    CliRun parameters =
        Report(std::string(kQuarter) + "--main parameters --items Temp,DO --other South --values");
    EXPECT_EQ(parameters.out,
              "Parameter\t1/1995\t2/1995\t3/1995\r\nTemp\t1\t0\t0\r\nDO\t0\t1\t0\r\n");
}

TEST(ReportCommandTest, PrintsTheTransposedFileAndTheTimeseries) {
    CliRun transposed = Report(std::string(kQuarter) +
                               "--main stations --items North,South --other DO --transpose");
    EXPECT_EQ(transposed.exitStatus, 0);
    EXPECT_EQ(transposed.out,
              "Min\r\nStation\tNorth\tSouth\t\r\n1/1995\t1\t-\r\n2/1995\t-\t13\r\n3/1995\t4\t-\r\n"
              "\r\nMax\r\nStation\tNorth\tSouth\t\r\n1/1995\t7\t-\r\n2/1995\t-\t13\r\n"
              "3/1995\t4\t-\r\n"
              "\r\nMean\r\nStation\tNorth\tSouth\t\r\n1/1995\t3\t-\r\n2/1995\t-\t13\r\n"
              "3/1995\t4\t-\r\n");

    CliRun byParameter = Report(std::string(kQuarter) +
                                "--main parameters --items DO,Temp --other South --transpose");
    EXPECT_EQ(byParameter.out,
              "Parameter\tDO\tTemp\t\r\n1/1995\t0\t1\r\n2/1995\t1\t0\r\n3/1995\t0\t0\r\n");

    CliRun series = Report(
        "--start 1995-01-01 --end 1995-01-10 --unit weeks --main stations --items North "
        "--other DO --timeseries");
    EXPECT_EQ(series.exitStatus, 0);
    EXPECT_EQ(series.out, "1.5\t0\t2\t1\t7\t4\t\r\n");
}

TEST(ReportCommandTest, WhereThePageStopsItPrintsTheMessageAndNothingElse) {
    const struct {
        std::string options;
        std::string message;
    } cases[] = {
        {std::string(kQuarter) + "--main stations --items North,South --other DO --timeseries",
         "Only timeseries data for a single station and parameter can be output.\n"},
        {"--start 1995-02-01 --end 1995-01-31 --unit days --main stations --items North "
         "--other DO",
         "Date span selected yields no plotting intervals.\n"},
        {std::string(kQuarter) + "--every 0 --main stations --items North --other DO",
         "Interval span must be greater than zero.\n"},
    };
    for (const auto& c : cases) {
        CliRun run = Report(c.options);
        EXPECT_NE(run.exitStatus, 0) << c.options;
        EXPECT_EQ(run.out, "") << c.options;
        EXPECT_EQ(run.err, c.message) << c.options;
    }
}

TEST(ReportCommandTest, AnswersYesToWideTables) {
    CliRun wide = Report(
        "--start 1995-01-01 --end 1996-05-15 --unit days --main stations "
        "--items North --other DO");
    EXPECT_EQ(wide.exitStatus, 0);
    EXPECT_EQ(wide.err, "There are 501 time points.  Continue? Yes\n");
    EXPECT_EQ(wide.out.substr(0, 28), "Station\t1/1/1995\t1/2/1995\t1/");
    EXPECT_EQ(wide.out.substr(wide.out.size() - 14), "\t0\t0\t0\t0\t0\t0\r\n");
}

TEST(ReportCommandTest, RefusesOptionsThatMakeNoRequest) {
    for (const char* options :
         {"--start 1995-02-30 --end 1995-03-01 --unit days --main stations --items A --other B",
          "--start 1995-01-01 --end 1995-03-01 --unit fortnights --main stations --items A "
          "--other B",
          "--start 1995-01-01 --end 1995-03-01 --unit days --every 2x --main stations --items A "
          "--other B",
          "--start 1995-01-01 --end 1995-03-01 --unit days --main stations --items A",
          "--start 1995-01-01 --end 1995-03-01 --unit days --main stations --items A --other B "
          "--transpose --timeseries"}) {
        CliRun run = Report(options);
        EXPECT_EQ(run.exitStatus, 2) << options;
        EXPECT_EQ(run.out, "") << options;
    }
}

}  // namespace
}  // namespace zav
