// zav-cli's editing commands, one shot each: what each changes, every way
// each refuses (with its status and whole message) and that a refused or
// empty edit leaves the project file as it was.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TestSupport.h"
#include "cli/CliCommon.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

const std::string kRunHelp = "Run zav-cli --help for the commands.\n";

// report.zav: North/DO six points in January and March (1, 2, 2, 7, 4 and a
// masked 100), South/DO and Lake/DO one point each, South/Temp in deg F; the
// station group Basin of Lake and South.
class CliProjectEditsTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteFile(project, test::ReadFile(DataPath("report.zav"))); }

    // The words with the project after the command's name.
    std::vector<std::string> With(std::vector<std::string> words, const std::string& path) {
        words.insert(words.begin() + 1, path);
        return words;
    }

    // One row of "info --format csv" per series, without the header.
    std::string Series(const std::string& path) {
        const std::string csv = RunCli({"info", path, "--format", "csv"}).out;
        return csv.substr(csv.find('\n') + 1);
    }

    test::TempDir dir;
    std::string project = dir.File("p.zav");
    std::string output = dir.File("out.zav");
};

const char* const kSeries =
    "report-test.mlv,North,DO,mg/l,1,0,6,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n"
    "report-test.mlv,South,DO,mg/l,2,1,1,0,1995-02-02T12:00:00,1995-02-02T12:00:00\n"
    "report-test.mlv,South,Temp,deg F,1,0,1,0,1995-01-15T08:00:00,1995-01-15T08:00:00\n"
    "report-test.mlv,Lake,DO,mg/l,1,0,1,0,1995-03-20T12:00:00,1995-03-20T12:00:00\n";

TEST_F(CliProjectEditsTest, EachEditChangesWhatItNames) {
    const struct {
        std::vector<std::string> words;
        std::string north;        // North/DO's row afterwards
        std::string others = "";  // the other rows afterwards; empty: as they were
    } cases[] = {
        {{"rename-station", "North", "Nord"},
         "report-test.mlv,Nord,DO,mg/l,1,0,6,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"rename-parameter", "DO", "Oxygen"},
         "report-test.mlv,North,Oxygen,mg/l,1,0,6,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n",
         "report-test.mlv,South,Oxygen,mg/l,2,1,1,0,1995-02-02T12:00:00,1995-02-02T12:00:00\n"
         "report-test.mlv,South,Temp,deg F,1,0,1,0,1995-01-15T08:00:00,1995-01-15T08:00:00\n"
         "report-test.mlv,Lake,Oxygen,mg/l,1,0,1,0,1995-03-20T12:00:00,1995-03-20T12:00:00\n"},
        {{"set-scaling", "--station", "North", "--parameter", "DO", "--multiplier", "0.5"},
         "report-test.mlv,North,DO,mg/l,0.5,0,6,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"set-scaling", "--station", "North", "--parameter", "DO", "--offset", "-1.25"},
         "report-test.mlv,North,DO,mg/l,1,-1.25,6,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        // A --to date alone takes its whole day: both points of 1 January.
        {{"mask", "--station", "North", "--parameter", "DO", "--to", "1995-01-01"},
         "report-test.mlv,North,DO,mg/l,1,0,6,3,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"mask", "--station", "North", "--parameter", "DO", "--to", "1995-01-01T12:30"},
         "report-test.mlv,North,DO,mg/l,1,0,6,2,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"mask", "--station", "North", "--parameter", "DO", "--below", "2", "--above", "5"},
         "report-test.mlv,North,DO,mg/l,1,0,6,3,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"mask", "--station", "North", "--parameter", "DO", "--unmask"},
         "report-test.mlv,North,DO,mg/l,1,0,6,0,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"delete", "--station", "North", "--parameter", "DO", "--from", "1995-01-01T13:00:00",
          "--to", "1995-01-06"},
         "report-test.mlv,North,DO,mg/l,1,0,3,1,1995-01-01T12:00:00,1995-03-10T12:00:00\n"},
        {{"delete", "--station", "North", "--from", "1995-03-01"},
         "report-test.mlv,North,DO,mg/l,1,0,4,0,1995-01-01T12:00:00,1995-01-06T12:00:00\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words.back());
        const std::string before = test::ReadFile(project);
        auto run = RunCli(With(c.words, project));
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "");
        const std::string rows = Series(project);
        EXPECT_EQ(rows.substr(0, rows.find('\n') + 1), c.north);
        const std::string unchanged =
            std::string(kSeries).substr(std::string(kSeries).find('\n') + 1);
        EXPECT_EQ(rows.substr(rows.find('\n') + 1), c.others.empty() ? unchanged : c.others);
        test::WriteFile(project, before);
    }
}

TEST_F(CliProjectEditsTest, GroupsUnitsAndWholeStations) {
    ASSERT_EQ(RunCli({"ungroup-stations", project, "Basin", "-o", output}).exitStatus, 0);
    EXPECT_NE(RunCli({"info", output}).out.find("Station aggregates (0):\n"), std::string::npos);
    ASSERT_EQ(RunCli({"group-stations", output, "East", "South", "North"}).exitStatus, 0);
    ASSERT_EQ(RunCli({"group-parameters", output, "All", "DO", "Temp"}).exitStatus, 0);
    std::string info = RunCli({"info", output}).out;
    EXPECT_NE(info.find("Station aggregates (1):\n  East: South, North\n"
                        "Parameter aggregates (1):\n  All: DO, Temp\n"),
              std::string::npos)
        << info;
    ASSERT_EQ(RunCli({"ungroup-parameters", output, "All"}).exitStatus, 0);
    EXPECT_NE(RunCli({"info", output}).out.find("Parameter aggregates (0):\n"), std::string::npos);

    ASSERT_EQ(RunCli({"set-units", project, "deg F", "--conversion", "C to F", "--alias", "F"})
                  .exitStatus,
              0);
    ASSERT_EQ(RunCli({"set-units", project, "mg/l", "--multiplier", "1000", "--alias", "ug/l"})
                  .exitStatus,
              0);
    info = RunCli({"info", project}).out;
    EXPECT_NE(info.find("Units records (2):\n"
                        "  deg F -> F\tx 1.8 + 32\tshown in degrees Celsius -> C to F\n"
                        "  mg/l -> ug/l\tx 1000 + 0\tmg/l\n"),
              std::string::npos)
        << info;

    ASSERT_EQ(RunCli({"delete", project, "--station", "North"}).exitStatus, 0);
    EXPECT_EQ(Series(project), std::string(kSeries).substr(std::string(kSeries).find('\n') + 1));

    // A group's member is edited by its own name, and its group's
    // representative (Lake) is left alone.
    ASSERT_EQ(
        RunCli({"set-scaling", project, "--station", "South", "--parameter", "DO", "--offset", "3"})
            .exitStatus,
        0);
    ASSERT_EQ(RunCli({"mask", project, "--station", "South", "--parameter", "DO"}).exitStatus, 0);
    EXPECT_EQ(Series(project),
              "report-test.mlv,South,DO,mg/l,2,3,1,1,1995-02-02T12:00:00,1995-02-02T12:00:00\n"
              "report-test.mlv,South,Temp,deg F,1,0,1,0,1995-01-15T08:00:00,1995-01-15T08:00:00\n"
              "report-test.mlv,Lake,DO,mg/l,1,0,1,0,1995-03-20T12:00:00,1995-03-20T12:00:00\n");
}

TEST_F(CliProjectEditsTest, RefusalsNameWhatIsWrongAndLeaveTheProject) {
    const std::string conversions =
        std::string(ZAV_CLI_PATH).substr(0, std::string(ZAV_CLI_PATH).rfind('/') + 1) +
        "unitConversions.txt";
    const std::vector<std::string> north = {"--station", "North", "--parameter", "DO"};
    auto onNorth = [&](std::string command, std::vector<std::string> more) {
        std::vector<std::string> words = {command};
        words.insert(words.end(), north.begin(), north.end());
        words.insert(words.end(), more.begin(), more.end());
        return words;
    };
    const struct {
        std::vector<std::string> words;
        int status;
        std::string err;
    } cases[] = {
        // Names that are not in the project, or not what the command takes.
        {{"rename-station", "Nowhere", "X"}, 1, "zav-cli: no station 'Nowhere' in the project\n"},
        {{"rename-station", "Nort", "X"},
         1,
         "zav-cli: no station 'Nort' in the project (did you mean 'North'?)\n"},
        {{"rename-station", "North", "South"},
         1,
         "zav-cli: rename-station: a station or group 'South' exists already\n"},
        {{"rename-station", "North", "Basin"},
         1,
         "zav-cli: rename-station: a station or group 'Basin' exists already\n"},
        {{"rename-station", "South", "X"},
         1,
         "zav-cli: rename-station: station 'South' is in the group 'Basin'; dissolve the group "
         "first (ungroup-stations)\n"},
        {{"rename-parameter", "DO", "Temp"},
         1,
         "zav-cli: rename-parameter: a parameter or group 'Temp' exists already\n"},
        {{"group-stations", "G", "North", "South"},
         1,
         "zav-cli: group-stations: station 'South' is in the group 'Basin' already\n"},
        {{"group-stations", "Basin", "North"},
         1,
         "zav-cli: group-stations: a station or group 'Basin' exists already\n"},
        {{"group-stations", "Lake", "North"},
         1,
         "zav-cli: group-stations: a station or group 'Lake' exists already\n"},
        {{"group-parameters", "G", "DO", "pH"}, 1, "zav-cli: no parameter 'pH' in the project\n"},
        {{"ungroup-stations", "North"}, 1, "zav-cli: no station group 'North' in the project\n"},
        {{"ungroup-stations", "Basn"},
         1,
         "zav-cli: no station group 'Basn' in the project (did you mean 'Basin'?)\n"},
        {{"ungroup-parameters", "Basin"},
         1,
         "zav-cli: no parameter group 'Basin' in the project\n"},
        {{"set-scaling", "--station", "North", "--parameter", "Temp", "--offset", "1"},
         1,
         "zav-cli: station 'North' has no series of 'Temp'\n"},
        {{"set-units", "deg K", "--alias", "K"},
         1,
         "zav-cli: no units 'deg K' in the project (did you mean 'deg F'?)\n"},
        {{"set-units", "mg/l", "--conversion", "K to C"},
         1,
         "zav-cli: no standard conversion 'K to C' in " + conversions + "\n"},
        {{"mask", "--station", "Basin", "--parameter", "DO"},
         1,
         "zav-cli: 'Basin' is a station group; name one of its stations\n"},
        {{"delete", "--station", "Lake"},
         1,
         "zav-cli: delete: station 'Lake' is in the group 'Basin'; dissolve the group first "
         "(ungroup-stations)\n"},
        {{"delete", "--station", "North", "--parameter", "Temp"},
         1,
         "zav-cli: station 'North' has no series of 'Temp'\n"},
        // Misuse: arguments and option values.
        {{"rename-station", "North"},
         2,
         "zav-cli: rename-station needs more arguments: zav-cli rename-station PROJECT.zav OLD "
         "NEW [-o OUT.zav]\n" +
             kRunHelp},
        {{"rename-station", "North", ""},
         2,
         "zav-cli: rename-station: the new name is empty\n" + kRunHelp},
        {{"ungroup-stations", "Basin", "Lake"},
         2,
         "zav-cli: ungroup-stations takes fewer arguments: zav-cli ungroup-stations PROJECT.zav "
         "NAME [-o OUT.zav]\n" +
             kRunHelp},
        {{"group-stations", "G", "North", "North"},
         2,
         "zav-cli: group-stations: a member is named twice\n" + kRunHelp},
        {onNorth("set-scaling", {}), 2,
         "zav-cli: set-scaling needs --multiplier M, --offset O or both\n" + kRunHelp},
        {onNorth("set-scaling", {"--multiplier", "x2"}), 2,
         "zav-cli: --multiplier takes a number, not 'x2'\n" + kRunHelp},
        {onNorth("set-scaling", {"--offset", "nan"}), 2,
         "zav-cli: --offset takes a number, not 'nan'\n" + kRunHelp},
        {{"set-units", "mg/l"},
         2,
         "zav-cli: set-units needs --alias, --multiplier, --offset or --conversion\n" + kRunHelp},
        {{"set-units", "mg/l", "--conversion", "F to C", "--offset", "1"},
         2,
         "zav-cli: set-units takes --conversion or --multiplier and --offset, not both\n" +
             kRunHelp},
        {{"mask", "--station", "North"},
         2,
         "zav-cli: mask needs --station S and --parameter P\n" + kRunHelp},
        {onNorth("mask", {"--from", "1995-02-30"}), 2,
         "zav-cli: --from takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], not '1995-02-30'\n" +
             kRunHelp},
        {onNorth("mask", {"--to", "1995-01-01T24:00"}), 2,
         "zav-cli: --to takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], not '1995-01-01T24:00'\n" +
             kRunHelp},
        {onNorth("mask", {"--from", "1995-03-01", "--to", "1995-02-01"}), 2,
         "zav-cli: --from 1995-03-01 is after --to 1995-02-01\n" + kRunHelp},
        {onNorth("mask", {"--above", "1e400"}), 2,
         "zav-cli: --above takes a number, not '1e400'\n" + kRunHelp},
        {onNorth("mask", {"--unmask", "yes"}), 2,
         "zav-cli: mask takes fewer arguments: zav-cli mask PROJECT.zav --station S --parameter "
         "P [--from DATE] [--to DATE]\n        [--below X] [--above X] [--unmask] [-o OUT.zav]\n" +
             kRunHelp},
        {{"delete", "--station", "North", "--parameter", ""},
         2,
         "zav-cli: delete: --station and --parameter take a name, not ''\n" + kRunHelp},
        {onNorth("delete", {"--below", "1"}), 2, "zav-cli: unknown option --below\n" + kRunHelp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words.back());
        const std::string before = test::ReadFile(project);
        auto run = RunCli(With(c.words, project));
        EXPECT_EQ(run.exitStatus, c.status);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::ReadFile(project), before);
    }
}

TEST_F(CliProjectEditsTest, AnEditThatChangesNothingSaysSoAndSavesOnlyToAnOutput) {
    const std::string before = test::ReadFile(project);
    auto same = RunCli({"rename-station", project, "North", "North"});
    EXPECT_EQ(same.exitStatus, 0);
    EXPECT_EQ(same.err,
              "zav-cli: rename-station: nothing changed: station 'North' has that name already\n");
    EXPECT_EQ(test::ReadFile(project), before);

    auto empty = RunCli({"mask", project, "--station", "North", "--parameter", "DO", "--from",
                         "1996-01-01", "-o", output});
    EXPECT_EQ(empty.exitStatus, 0);
    EXPECT_EQ(empty.err,
              "zav-cli: mask: nothing changed: no point of 'North' / 'DO' from "
              "1996-01-01T00:00:00 to mask\n");
    EXPECT_EQ(Series(output), kSeries);
}

TEST(CliDates, DatesWithAndWithoutATimeOfDay) {
    const struct {
        const char* text;
        cli::DayEnd end;
        bool read;
        KTRTime time;
    } cases[] = {
        {"1996-02-29", cli::DayEnd::kStart, true, KTRTime(1996, 2, 29, 0, 0, 0)},
        {"1996-02-29", cli::DayEnd::kEnd, true, KTRTime(1996, 2, 29, 23, 59, 59)},
        {"1996-02-29T06:30", cli::DayEnd::kEnd, true, KTRTime(1996, 2, 29, 6, 30, 0)},
        {"1996-02-29T06:30:15", cli::DayEnd::kStart, true, KTRTime(1996, 2, 29, 6, 30, 15)},
        {"1995-02-29", cli::DayEnd::kStart, false, KTRTime()},
        {"1996-02-29T6:30", cli::DayEnd::kStart, false, KTRTime()},
        {"1996-02-29T06:60", cli::DayEnd::kStart, false, KTRTime()},
        {"1996-02-29T06:30:", cli::DayEnd::kStart, false, KTRTime()},
        {"1996-02-29 06:30", cli::DayEnd::kStart, false, KTRTime()},
        {"1996-02-29T+6:30", cli::DayEnd::kStart, false, KTRTime()},
    };
    for (const auto& c : cases) {
        KTRTime time;
        EXPECT_EQ(cli::ParseDate(c.text, c.end, time), c.read) << c.text;
        if (c.read) {
            EXPECT_EQ(time, c.time) << c.text;
        }
    }
}

}  // namespace
}  // namespace zav
