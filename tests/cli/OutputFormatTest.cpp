// zav-cli report and info with --format csv and json: the exact text, and
// what Python's standard library reads from it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRunner.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

std::vector<std::string> Quarter(const std::string& project) {
    return {"report", project,  "--start", "1995-01-01", "--end",   "1995-03-31",
            "--unit", "months", "--main",  "stations",   "--other", "DO"};
}

std::vector<std::string> With(std::vector<std::string> words,
                              const std::vector<std::string>& more) {
    words.insert(words.end(), more.begin(), more.end());
    return words;
}

TEST(OutputFormatTest, ReportCsvAndJsonHoldTheTableWithIsoDates) {
    const auto base = Quarter(DataPath("report.zav"));
    const struct {
        std::vector<std::string> options;
        std::string out;
    } cases[] = {
        {{"--items", "South,North,Basin", "--values", "--format", "csv"},
         "Station,1995-01-01,1995-02-01,1995-03-01\nSouth,,13,\nNorth,3,,4\nBasin,,13,5\n"},
        // --items and --item mixed keep the order given.
        {{"--item", "Basin", "--items", "North,South", "--format", "csv"},
         "Station,1995-01-01,1995-02-01,1995-03-01\nBasin,0,1,1\nNorth,1,0,1\nSouth,0,1,0\n"},
        {{"--item", "North", "--item", "South", "--values", "--format", "json"},
         "{\"main\":\"stations\",\"other\":\"DO\",\"data\":\"values\","
         "\"labels\":[\"1995-01-01\",\"1995-02-01\",\"1995-03-01\"],"
         "\"rows\":[\"North\",\"South\"],\"cells\":[[3,null,4],[null,13,null]]}\n"},
        // Text stays the export form, whether --format text is said or not.
        {{"--items", "North", "--values", "--format", "text"},
         "Station\t1/1995\t2/1995\t3/1995\r\nNorth\t3\t-\t4\r\n"},
    };
    for (const auto& c : cases) {
        auto run = RunCli(With(base, c.options));
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
    // Hours and minutes carry the time at which each interval begins: an
    // hour grid is centred on its points, so the first one is clipped.
    auto hours = RunCli({"report", DataPath("report.zav"), "--start", "1995-01-01", "--end",
                         "1995-01-01", "--unit", "hours", "--every", "12", "--main", "stations",
                         "--item", "North", "--other", "DO", "--format", "csv"});
    EXPECT_EQ(hours.out, "Station,1995-01-01T00:00,1995-01-01T06:00\nNorth,0,1\n");
}

TEST(OutputFormatTest, FormatsThatMakeNoSenseAreMisuse) {
    const std::string project = DataPath("report.zav");
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {With(Quarter(project), {"--item", "North", "--format", "xml"}),
         "--format takes text, csv or json"},
        {With(Quarter(project), {"--item", "North", "--format", "csv", "--transpose"}),
         "--transpose and --timeseries are text exports; leave out --format"},
        {With(Quarter(project), {"--format", "csv"}), "report needs --items or --item"},
        {{"info", project, "--json", "--format", "csv"},
         "--json and --format csv exclude each other"},
        {{"info", project, "--format", "yaml"}, "--format takes text, csv or json"},
    };
    for (const auto& c : cases) {
        auto run = RunCli(c.words);
        EXPECT_EQ(run.exitStatus, 2) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "zav-cli: " + c.message + "\nRun zav-cli --help for the commands.\n");
    }
    auto same = RunCli({"info", project, "--json", "--format", "json"});
    EXPECT_EQ(same.exitStatus, 0);
    EXPECT_EQ(same.out, RunCli({"info", project, "--json"}).out);
}

// Names with commas and quotes, and a mean that "%g" would round: the
// files say it exactly, and Python's csv and json modules agree on them.
class PythonReadsTheOutput : public ::testing::Test {
protected:
    void SetUp() override {
        const KTRTime jan3(1995, 1, 3, 12, 0, 0), jan20(1995, 1, 20, 12, 0, 0);
        const KTRTime feb2(1995, 2, 2, 8, 30, 0);
        DataSource source = test::MakeSource(
            "x.mlv", {test::MakeSeries(kAwkward, "DO", "mg/l", {{jan3, 0.1}, {jan20, 0.2}}),
                      test::MakeSeries("Plain", "DO", "mg/l", {{feb2, 1e-7}})});
        ScriptedUserInterface ui;
        CZAVDoc doc(ui, test::EnvironmentIn(dir));
        doc.FieldManager().AddSource(std::move(source));
        ASSERT_TRUE(doc.OnSaveDocument(project));
    }
    // Runs the reader script and returns what it printed.
    std::string Python(const std::string& arguments) {
        const std::string printed = dir.File("printed.txt");
        const std::string command = std::string(ZAV_PYTHON_PATH) + " " +
                                    DataPath("../cli/read_outputs.py") + " " + arguments + " > " +
                                    printed;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return test::ReadFile(printed);
    }

    const std::string kAwkward = "Upper, \"A\" pool";
    test::TempDir dir;
    std::string project = dir.File("p.zav");
};

TEST_F(PythonReadsTheOutput, ReportCsvAndJsonSayTheSame) {
    const auto words = With(Quarter(project), {"--item", kAwkward, "--item", "Plain", "--values"});
    const std::string csv = dir.File("t.csv"), json = dir.File("t.json");
    ASSERT_EQ(RunCli(With(words, {"--format", "csv"}), csv).exitStatus, 0);
    ASSERT_EQ(RunCli(With(words, {"--format", "json"}), json).exitStatus, 0);
    EXPECT_EQ(test::ReadFile(csv),
              "Station,1995-01-01,1995-02-01,1995-03-01\n"
              "\"Upper, \"\"A\"\" pool\",0.15000000000000002,,\nPlain,,1e-07,\n");
    EXPECT_EQ(Python("report " + csv + " " + json),
              "[\"Station\", [\"1995-01-01\", \"1995-02-01\", \"1995-03-01\"], "
              "[\"Upper, \\\"A\\\" pool\", \"Plain\"], "
              "[[0.15000000000000002, null, null], [null, 1e-07, null]]]\n");
}

TEST_F(PythonReadsTheOutput, InfoCsvHasOneRowPerSeries) {
    const std::string csv = dir.File("i.csv");
    ASSERT_EQ(RunCli({"info", project, "--format", "csv"}, csv).exitStatus, 0);
    EXPECT_EQ(Python("info " + csv),
              "[\"Upper, \\\"A\\\" pool\", \"DO\", 2, \"1995-01-03T12:00:00\", "
              "\"1995-01-20T12:00:00\"]\n"
              "[\"Plain\", \"DO\", 1, \"1995-02-02T08:30:00\", \"1995-02-02T08:30:00\"]\n");
}

}  // namespace
}  // namespace zav
