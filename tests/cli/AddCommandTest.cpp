// zav-cli add, run as a user runs it on the example agency files.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::RunCli;

std::string Example(const std::string& name) {
    return test::DataPath("../../examples/" + name);
}

// The part of "info" that does not name the source files.
std::string FromStations(const std::string& info) {
    size_t at = info.find("Stations (");
    return at == std::string::npos ? std::string() : info.substr(at);
}

TEST(CliAdd, ExampleFilesGiveTheirStationsParametersAndUnits) {
    test::TempDir dir;
    std::string project = dir.File("basin.zav");
    ASSERT_EQ(RunCli({"new", project}).exitStatus, 0);
    auto add = RunCli({"add", project, Example("north-basin.mlv"), Example("talverene-daily.pld")});
    EXPECT_EQ(add.exitStatus, 0);
    EXPECT_EQ(add.err, "");
    auto info = RunCli({"info", project});
    ASSERT_EQ(info.exitStatus, 0);
    EXPECT_NE(info.out.find("north-basin.mlv\t28 series\n"), std::string::npos);
    EXPECT_NE(info.out.find("talverene-daily.pld\t4 series\n"), std::string::npos);
    EXPECT_TRUE(
        test::SameLines("Stations (7):\n"
                        "  NB-ASHFORD-0101\n"
                        "  NB-BRAYLEY-0220\n"
                        "  NB-CORRAN-00315\n"
                        "  NB-DUNMERE-0412\n"
                        "  OSTLEY RIVER AT BRAMWICK FALLS (03271500)\n"
                        "  RAVEN CREEK NEAR HOLLINS MILL (03274020)\n"
                        "  SALLOW BROOK AT KINGS FORD (03278800)\n"
                        "Parameters (9):\n"
                        "  DISCHARGE (CFS)\n"
                        "  DISSOLVD OXYGEN (MG/L)\n"
                        "  NITRATE N (MG/L)\n"
                        "  PH  (SU)\n"
                        "  SPECIFIC CONDUCT (US/CM)\n"
                        "  SUSP SOLIDS (MG/L)\n"
                        "  TOTAL PHOS P (MG/L)\n"
                        "  WATER TEMP (DEG C)\n"
                        "  WATER TEMPERATURE (DEG C)\n"
                        "Units records (5):\n"
                        "  CFS -> CFS\tx 1 + 0\tCFS\n"
                        "  DEG C -> DEG C\tx 1 + 0\tDEG C\n"
                        "  MG/L -> MG/L\tx 1 + 0\tMG/L\n"
                        "  SU -> SU\tx 1 + 0\tSU\n"
                        "  US/CM -> US/CM\tx 1 + 0\tUS/CM\n"
                        "Station aggregates (0):\n"
                        "Parameter aggregates (0):\n"
                        "Date range: 1994-01-06 to 1997-12-19\n"
                        "Points: 3464\n",
                        FromStations(info.out)));
}

TEST(CliAdd, KeepsTheFilesReadAndFailsWhenOneCouldNotBe) {
    test::TempDir dir;
    std::string project = dir.File("basin.zav");
    std::string out = dir.File("out.zav");
    ASSERT_EQ(RunCli({"new", project}).exitStatus, 0);
    std::string before = test::ReadFile(project);
    std::string bad = test::DataPath("bad-date.mlv");
    auto add = RunCli({"add", project, bad, Example("talverene-daily.pld"), "-o", out});
    EXPECT_EQ(add.exitStatus, 1);
    EXPECT_EQ(add.err,
              "Parse error reading line 1996-05-15  NB-ASHFORD-0101    14.9     9.6 "
              "in file " +
                  bad + "\n");
    // -o leaves the project as it was; the output holds the file that was read.
    EXPECT_EQ(test::ReadFile(project), before);
    auto info = RunCli({"info", out});
    EXPECT_NE(info.out.find("Sources (1):\n"), std::string::npos);
    EXPECT_NE(info.out.find("talverene-daily.pld\t4 series\n"), std::string::npos);

    EXPECT_EQ(RunCli({"add", project}).exitStatus, 2);
    auto missingProject = RunCli({"add", dir.File("none.zav"), Example("north-basin.mlv")});
    EXPECT_EQ(missingProject.exitStatus, 1);
    EXPECT_EQ(missingProject.err, "Unable to open " + dir.File("none.zav") + " for reading.\n");
}

TEST(CliAdd, CellsThatAreNotNumbersAreReportedAndStrictRefusesThem) {
    test::TempDir dir;
    const std::string project = dir.File("lab.zav");
    ASSERT_EQ(RunCli({"new", project}).exitStatus, 0);
    const std::string before = test::ReadFile(project);
    const std::string censored = test::DataPath("censored-values.mlv");
    const std::string report = censored +
                               ": 4 values read; 2 cells not used:\n"
                               "  not a number: 2 (line 5, column 3: '<0.01'; line 7, column 2: "
                               "'***')\n"
                               "Lines and columns are counted from 1; a column is one cell of a "
                               "line.\n";
    auto strict = RunCli({"add", project, censored, "--strict"});
    EXPECT_EQ(strict.exitStatus, 1);
    EXPECT_EQ(
        strict.err,
        report + "zav-cli: --strict: 2 cells could not be read; the project was not saved.\n");
    EXPECT_EQ(test::ReadFile(project), before);

    auto add = RunCli({"add", project, censored});
    EXPECT_EQ(add.exitStatus, 0);
    EXPECT_EQ(add.err, report);
    EXPECT_NE(RunCli({"info", project}).out.find("Points: 4\n"), std::string::npos);
}

TEST(CliAdd, FilesThatGiveNoValueSaveNothing) {
    test::TempDir dir;
    const std::string project = dir.File("empty.zav");
    ASSERT_EQ(RunCli({"new", project}).exitStatus, 0);
    const std::string before = test::ReadFile(project);
    const std::string headings = dir.File("headings.mlv");
    test::WriteFile(headings, "title\r\n  one\r\n  two\r\n  units\r\n");
    auto add = RunCli({"add", project, headings});
    EXPECT_EQ(add.exitStatus, 1);
    EXPECT_EQ(add.err, headings +
                           ": no value read.\n"
                           "No data were read from the files given; the project was not saved.\n");
    EXPECT_EQ(test::ReadFile(project), before);
}

}  // namespace
}  // namespace zav
