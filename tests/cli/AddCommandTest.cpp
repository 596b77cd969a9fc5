#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "TestSupport.h"

namespace zav {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs zav-cli with `arguments` (already quoted for the shell).
CliRun RunCli(const test::TempDir& dir, const std::string& arguments) {
    std::string errFile = dir.File("stderr.txt");
    std::string command =
        std::string("'") + ZAV_CLI_PATH + "' " + arguments + " 2>'" + errFile + "'";
    CliRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) {
        run.out.append(buf, n);
    }
    int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = test::ReadFile(errFile);
    return run;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string Example(const std::string& name) {
    return Quoted(std::string(ZAV_EXAMPLES_DIR) + "/" + name);
}

// The part of "info" that does not name the source files.
std::string FromStations(const std::string& info) {
    size_t at = info.find("Stations (");
    return at == std::string::npos ? std::string() : info.substr(at);
}

TEST(AddCommand, ExampleFilesGiveTheirStationsParametersAndUnits) {
    test::TempDir dir;
    std::string project = Quoted(dir.File("basin.zav"));
    ASSERT_EQ(RunCli(dir, "new " + project).status, 0);
    CliRun add = RunCli(dir, "add " + project + " " + Example("north-basin.mlv") + " " +
                                 Example("talverene-daily.pld"));
    EXPECT_EQ(add.status, 0);
    EXPECT_EQ(add.err, "");
    CliRun info = RunCli(dir, "info " + project);
    ASSERT_EQ(info.status, 0);
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

TEST(AddCommand, KeepsTheFilesReadAndFailsWhenOneCouldNotBe) {
    test::TempDir dir;
    std::string project = Quoted(dir.File("basin.zav"));
    std::string out = Quoted(dir.File("out.zav"));
    ASSERT_EQ(RunCli(dir, "new " + project).status, 0);
    std::string before = test::ReadFile(dir.File("basin.zav"));
    std::string bad = test::DataPath("bad-date.mlv");
    CliRun add = RunCli(dir, "add " + project + " " + Quoted(bad) + " " +
                                 Example("talverene-daily.pld") + " -o " + out);
    EXPECT_EQ(add.status, 1);
    EXPECT_EQ(add.err,
              "Parse error reading line 1996-05-15  NB-ASHFORD-0101    14.9     9.6 in file " +
                  bad + "\n");
    EXPECT_EQ(test::ReadFile(dir.File("basin.zav")), before);
    CliRun info = RunCli(dir, "info " + out);
    EXPECT_NE(info.out.find("Sources (1):\n"), std::string::npos);
    EXPECT_NE(info.out.find("talverene-daily.pld\t4 series\n"), std::string::npos);

    CliRun usage = RunCli(dir, "add " + project);
    EXPECT_EQ(usage.status, 2);
    CliRun missingProject =
        RunCli(dir, "add " + Quoted(dir.File("none.zav")) + " " + Example("north-basin.mlv"));
    EXPECT_EQ(missingProject.status, 1);
    EXPECT_EQ(missingProject.err, "Unable to open " + dir.File("none.zav") + " for reading.\n");
}

}  // namespace
}  // namespace zav
