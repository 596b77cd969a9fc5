// zav-cli add-spreadsheet, century and generate, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

// The part of "info" from the stations on: sources of spreadsheet data have
// no file name to show.
std::string FromStations(const std::string& info) {
    size_t at = info.find("Stations (");
    return at == std::string::npos ? std::string() : info.substr(at);
}

class CliEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RunCli({"new", project}).exitStatus, 0); }
    std::string Info() { return FromStations(RunCli({"info", project}).out); }

    test::TempDir dir;
    std::string project = dir.File("p.zav");
};

TEST_F(CliEditTest, LayoutOneAndTwoFiles) {
    auto one = RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"), "--layout", "1",
                       "--parameter", "DO", "--units", "mg/l"});
    EXPECT_EQ(one.exitStatus, 0);
    EXPECT_EQ(one.err, "");
    auto two = RunCli({"add-spreadsheet", project, DataPath("lakes-layout2.tsv"), "--layout", "2",
                       "--separator", "tab"});
    // Cells that were not imported are told, and the import still succeeds.
    EXPECT_EQ(two.exitStatus, 0);
    EXPECT_EQ(two.err,
              DataPath("lakes-layout2.tsv") +
                  ": 4 values read; 3 cells not used:\n"
                  "  value under a header cell that is not a date: 1 (line 2, column 4: "
                  "'9')\n"
                  "  empty cell: 1\n"
                  "  begins with a minus sign (layout 2 skips these): 1\n"
                  "Lines and columns are counted from 1; a column is one cell of a line.\n");
    EXPECT_TRUE(
        test::SameLines("Stations (3):\n"
                        "  Kestrel Pond\n"
                        "  North\n"
                        "  South\n"
                        "Parameters (2):\n"
                        "  DO (mg/l)\n"
                        "  new param (new units)\n"
                        "Units records (2):\n"
                        "  mg/l -> mg/l\tx 1 + 0\tmg/l\n"
                        "  new units -> new units\tx 1 + 0\tnew units\n"
                        "Station aggregates (0):\n"
                        "Parameter aggregates (0):\n"
                        "Date range: 1998-03-07 to 1999-03-01\n"
                        "Points: 7\n",
                        Info()));
}

TEST_F(CliEditTest, LayoutThreeTakesOneParameterPerValueColumn) {
    const std::string parse = "MM/DD/[YY]YY HH:MM\tVALUE\tVALUE";
    auto add = RunCli({"add-spreadsheet", project, DataPath("columns-layout3.txt"), "--layout", "3",
                       "--parse-string", parse, "--parameter", "DO", "--parameter", "pH", "--units",
                       "su"});
    EXPECT_EQ(add.exitStatus, 0);
    EXPECT_EQ(add.err, DataPath("columns-layout3.txt") +
                           ": 4 values read; 2 cells not used:\n"
                           "  -999 or less (layout 3 stores nothing for these): 2\n");
    // Only the first column named: the second is skipped, as Cancel would.
    auto second = RunCli({"add-spreadsheet", project, DataPath("columns-layout3.txt"), "--layout",
                          "3", "--parameter", "pH"});
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_TRUE(
        test::SameLines("Stations (2):\n"
                        "  station1\n"
                        "  station2\n"
                        "Parameters (2):\n"
                        "  DO (su)\n"
                        "  pH (su)\n"
                        "Units records (1):\n"
                        "  su -> su\tx 1 + 0\tsu\n"
                        "Station aggregates (0):\n"
                        "Parameter aggregates (0):\n"
                        "Date range: 1999-01-02 to 1999-01-04\n"
                        "Points: 6\n",
                        Info()));
    // The parse string given stays with the project.
    EXPECT_NE(test::ReadFile(project).find("spreaadsheetParseString =" + parse + "\r\n"),
              std::string::npos);
}

// ISO dates against the default M/D/Y parse string read no point: the
// command fails and leaves no empty stations behind.
TEST_F(CliEditTest, LayoutThreeThatReadsNothingSavesNothing) {
    const std::string before = test::ReadFile(project);
    const std::string iso = DataPath("iso-dates-layout3.csv");
    auto add = RunCli(
        {"add-spreadsheet", project, iso, "--layout", "3", "--parameter", "DO", "--units", "mg/l"});
    EXPECT_EQ(add.exitStatus, 1);
    EXPECT_EQ(add.err,
              iso +
                  ": no value read; 2 cells not used:\n"
                  "  date or time that cannot be read or is outside the years 1000 to 9999: 2 "
                  "(line 1, column 1: '2016-01-09 10:30'; line 2, column 1: '2016-01-10 10:30')\n"
                  "Lines and columns are counted from 1; a column is one cell of a line.\n"
                  "No data were read from the files given; the project was not saved.\n");
    EXPECT_EQ(test::ReadFile(project), before);

    // Cells skipped by the layout's own rule (-999) do not fail --strict.
    auto strict = RunCli({"add-spreadsheet", project, DataPath("columns-layout3.txt"), "--layout",
                          "3", "--parse-string", "MM/DD/[YY]YY HH:MM\tVALUE\tVALUE", "--parameter",
                          "DO", "--units", "mg/l", "--strict"});
    EXPECT_EQ(strict.exitStatus, 0);
    EXPECT_NE(Info().find("Points: 2\n"), std::string::npos);
}

// As in the dialog, a listed parameter brings its own units; --units only
// names those of a new parameter, or overrides them.
TEST_F(CliEditTest, AParameterWithoutUnitsKeepsItsOwn) {
    ASSERT_EQ(RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"), "--layout", "1",
                      "--parameter", "DO", "--units", "mg/l"})
                  .exitStatus,
              0);
    auto again = RunCli({"add-spreadsheet", project, DataPath("lakes-layout2.tsv"), "--layout", "2",
                         "--separator", "tab", "--parameter", "DO"});
    EXPECT_EQ(again.exitStatus, 0);
    const std::string info = Info();
    EXPECT_NE(info.find("Parameters (1):\n  DO (mg/l)\nUnits records (1):\n"), std::string::npos)
        << info;
}

TEST_F(CliEditTest, UsageErrorsAndUnreadableFiles) {
    std::string before = test::ReadFile(project);
    auto noLayout = RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv")});
    EXPECT_EQ(noLayout.exitStatus, 2);
    EXPECT_EQ(noLayout.err,
              "zav-cli: add-spreadsheet needs --layout 1, 2 or 3\n"
              "Run zav-cli --help for the commands.\n");
    auto badToken = RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"), "--layout",
                            "3", "--parse-string", "VALUES"});
    EXPECT_EQ(badToken.exitStatus, 2);
    EXPECT_EQ(badToken.err,
              "zav-cli: --parse-string: unknown token 'VALUES'\n"
              "Run zav-cli --help for the commands.\n");
    auto tooMany = RunCli({"add-spreadsheet", project, DataPath("columns-layout3.txt"), "--layout",
                           "3", "--parameter", "DO", "--parameter", "pH"});
    EXPECT_EQ(tooMany.exitStatus, 2);
    EXPECT_EQ(test::ReadFile(project), before);

    const std::string missing = dir.File("missing.csv");
    const std::string out = dir.File("out.zav");
    auto partly = RunCli({"add-spreadsheet", project, missing, DataPath("pond-layout1.csv"),
                          "--layout", "1", "-o", out});
    EXPECT_EQ(partly.exitStatus, 1);
    EXPECT_EQ(partly.err, "Unable to open file " + missing + " for input.\n");
    EXPECT_EQ(test::ReadFile(project), before);
    EXPECT_NE(RunCli({"info", out}).out.find("Points: 3\n"), std::string::npos);
}

TEST_F(CliEditTest, CenturyMovesEarlyYearsAndSaves) {
    ASSERT_EQ(RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"), "--layout", "1"})
                  .exitStatus,
              0);
    const std::string out = dir.File("moved.zav");
    auto century = RunCli({"century", project, "--last-year", "1998", "-o", out});
    EXPECT_EQ(century.exitStatus, 0);
    EXPECT_EQ(century.err, "");
    EXPECT_NE(RunCli({"info", out}).out.find("Date range: 1999-01-05 to 2098-03-07\n"),
              std::string::npos);
    EXPECT_NE(Info().find("Date range: 1998-03-07 to 1999-01-06\n"), std::string::npos);
    EXPECT_EQ(RunCli({"century", project, "--last-year", "19x"}).exitStatus, 2);
    EXPECT_EQ(RunCli({"century", project}).exitStatus, 2);
}

// A station with several series writes each into a file of its own.
TEST_F(CliEditTest, GenerateWritesEverySeries) {
    for (const char* parameter : {"DO", "pH", "Temp", "DO"}) {
        ASSERT_EQ(RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"), "--layout", "1",
                          "--parameter", parameter, "--units", "u"})
                      .exitStatus,
                  0);
    }
    const std::string folder = dir.File("generated");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    auto generate = RunCli({"generate", project, "--dir", folder});
    EXPECT_EQ(generate.exitStatus, 0);
    EXPECT_EQ(generate.err, "");
    for (const char* name : {"Kestrel Pond - DO", "Kestrel Pond - pH", "Kestrel Pond - Temp",
                             "Kestrel Pond - DO (2)"}) {
        EXPECT_EQ(test::ReadFile(folder + "/" + name + ".txt").rfind("Kestrel Pond\r\n", 0), 0u)
            << name;
    }
    struct stat info {};
    EXPECT_NE(::stat((folder + "/Kestrel Pond.txt").c_str(), &info), 0);
}

TEST_F(CliEditTest, GenerateWritesInsideTheFolderOnly) {
    ASSERT_EQ(RunCli({"add-spreadsheet", project, DataPath("pond-layout1.csv"),
                      DataPath("escaping-station.csv"), "--layout", "1"})
                  .exitStatus,
              0);
    const std::string folder = dir.File("generated");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    auto generate = RunCli({"generate", project, "--dir", folder});
    EXPECT_EQ(generate.exitStatus, 1);
    EXPECT_EQ(generate.err, "Unable to create file ../outside\n");
    EXPECT_EQ(test::ReadFile(folder + "/Kestrel Pond.txt"),
              "Kestrel Pond\r\n\r\n\r\n\r\n"
              "0, 8, 9:0:0, 07-March-98,\r\n"
              "1, 7.25, 10:30:0, 05-January-99,\r\n"
              "2, 6.5, 14:5:0, 06-January-99,\r\n");
    struct stat info {};
    EXPECT_NE(::stat(dir.File("outside.txt").c_str(), &info), 0);

    auto noFolder = RunCli({"generate", project, "--dir", dir.File("none")});
    EXPECT_EQ(noFolder.exitStatus, 2);
    EXPECT_EQ(noFolder.err, "zav-cli: --dir must name an existing folder: " + dir.File("none") +
                                "\nRun zav-cli --help for the commands.\n");
}

}  // namespace
}  // namespace zav
