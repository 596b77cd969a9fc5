// zav-cli's statistics on tests/data/report.zav: report --stat and its
// options, summary and duration; their outputs, messages and statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using CliRun = test::CliResult;

// The command, the project, then `options` (words separated by blanks).
CliRun Cli(const std::string& command, const std::string& options) {
    std::vector<std::string> words = {command, test::DataPath("report.zav")};
    std::istringstream in(options);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return test::RunCli(words);
}

const std::string kNorth =
    "--start 1995-01-01 --end 1995-03-31 --unit months --main stations --items North --other DO ";
const std::string kHeader = "Station\t1/1995\t2/1995\t3/1995\r\n";

TEST(StatisticsCommandTest, ReportShowsTheChosenStatisticInEachCell) {
    // North's January: 1, 2, 2 and 7; March: 4 (and a masked 100).
    struct Case {
        const char* options;
        const char* row;
    };
    const Case cases[] = {
        {"--stat median", "North\t2\t-\t4\r\n"},
        {"--stat sd", "North\t2.70801\t-\t-\r\n"},
        {"--stat sum", "North\t12\t-\t4\r\n"},
        {"--stat p90", "North\t5.5\t-\t4\r\n"},
        {"--stat count", "North\t4\t0\t1\r\n"},
        {"--stat coverage --expected-step 1d", "North\t12.9032\t0\t3.22581\r\n"},
        {"--stat mean --min-coverage 10 --expected-step 1d", "North\t3\t-\t-\r\n"},
        {"--values --fill-gaps --mark-filled", "North\t3\t3.5*\t4\r\n"},
        {"--stat max --fill-gaps --max-gap 1 --mark-filled", "North\t7\t5.5*\t4\r\n"},
    };
    for (const Case& c : cases) {
        CliRun run = Cli("report", kNorth + c.options);
        EXPECT_EQ(run.exitStatus, 0) << c.options;
        EXPECT_EQ(run.out, kHeader + c.row) << c.options;
        EXPECT_EQ(run.err, "") << c.options;
    }
    // The page's own statistic by name is the --values table, byte for byte.
    EXPECT_EQ(Cli("report", kNorth + "--stat min-max-mean").out,
              Cli("report", kNorth + "--values").out);
    // Availability counts only intervals covered enough.
    EXPECT_EQ(Cli("report", kNorth + "--min-coverage 10 --expected-step 1d").out,
              kHeader + "North\t1\t0\t0\r\n");
    // Water years keep the usual labels.
    EXPECT_EQ(Cli("report",
                  "--start 1995-01-01 --end 1995-12-31 --unit years --year-start oct "
                  "--main stations --items North --other DO --stat count")
                  .out,
              "Station\t10/1994\t10/1995\r\nNorth\t5\t0\r\n");
}

TEST(StatisticsCommandTest, RefusesValuesItDoesNotTake) {
    struct Case {
        const char* options;
        const char* message;
    };
    const Case cases[] = {
        {"--stat p33",
         "--stat takes min-max-mean|mean|min|max|count|sum|median|p10|p25|p75|p90|sd|coverage"},
        {"--stat median --expected-step 1.5h",
         "--expected-step takes a step such as 15min, 1h or 1d"},
        {"--min-coverage 120", "--min-coverage takes a percentage from 0 to 100"},
        {"--year-start 13", "--year-start takes a month: 1 to 12, or jan to dec"},
        {"--values --max-gap 2", "--max-gap and --mark-filled need --fill-gaps"},
        {"--fill-gaps --max-gap 0", "--max-gap takes a number of intervals, 1 or more"},
        {"--stat median --timeseries",
         "--timeseries writes daily means: it takes no statistics options"},
    };
    for (const Case& c : cases) {
        CliRun run = Cli("report", kNorth + c.options);
        EXPECT_EQ(run.exitStatus, 2) << c.options;
        EXPECT_EQ(run.out, "") << c.options;
        EXPECT_EQ(run.err,
                  std::string("zav-cli: ") + c.message + "\nRun zav-cli --help for the commands.\n")
            << c.options;
    }
    CliRun parameters = Cli("report",
                            "--start 1995-01-01 --end 1995-03-31 --unit months --main parameters "
                            "--items DO --other North --stat median");
    EXPECT_EQ(parameters.exitStatus, 2);
}

TEST(StatisticsCommandTest, SummaryByWaterYearAndDurationTable) {
    CliRun summary = Cli("summary",
                         "--station North --parameter DO --year-start 10 "
                         "--stat median --expected-step 1d");
    EXPECT_EQ(summary.exitStatus, 0);
    // The project's data run from 1 January to 20 March 1995: 79 days.
    EXPECT_EQ(summary.out, "Year\tCount\tCoverage (%)\tMedian\r\n10/1994\t5\t6.32911\t2\r\n");

    CliRun duration = Cli("duration",
                          "--station North --parameter DO --start 1995-01-01 "
                          "--end 1995-12-31");
    EXPECT_EQ(duration.exitStatus, 0);
    EXPECT_EQ(duration.out,
              "Exceeded (%)\tValue\r\n1\t6.88\r\n5\t6.4\r\n10\t5.8\r\n25\t4\r\n50\t2\r\n"
              "75\t2\r\n90\t1.4\r\n95\t1.2\r\n99\t1.04\r\n");

    CliRun empty = Cli("duration",
                       "--station North --parameter DO --start 1996-01-01 "
                       "--end 1996-12-31");
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "No values of DO at North.\n");

    CliRun unknown = Cli("summary", "--station Nowhere --parameter DO");
    EXPECT_EQ(unknown.exitStatus, 1);
    EXPECT_EQ(unknown.err, "The project has no station \"Nowhere\".\n");
    EXPECT_EQ(Cli("duration", "--station North --parameter DO --start 1995-01-01").exitStatus, 2);
    EXPECT_EQ(Cli("summary", "--station North --parameter DO --stat p33").exitStatus, 2);
}

}  // namespace
}  // namespace zav
