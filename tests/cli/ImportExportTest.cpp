// zav-cli import and export: the example files, what a cell that cannot be
// read does to the project, export then import giving the same data back,
// and netCDF read back by ncdump (and by xarray where it is installed).
#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::RunCli;

std::string Example(const std::string& name) {
    return test::DataPath("../../examples/csv/" + name);
}

struct Project {
    test::TempDir dir;
    std::string path = dir.File("p.zav");
    Project() { EXPECT_EQ(RunCli({"new", path}).exitStatus, 0); }

    test::CliResult Import(std::vector<std::string> words) {
        words.insert(words.begin(), {"import", path});
        return RunCli(words);
    }
    std::string Csv(std::vector<std::string> options = {}) {
        const std::string out = dir.File("out.csv");
        options.insert(options.begin(), {"export", path, "-o", out});
        EXPECT_EQ(RunCli(options).exitStatus, 0);
        return test::ReadFile(out);
    }
};

const std::vector<std::string> kHollin = {Example("hollin-daily.tsv"),
                                          "--time",
                                          "date",
                                          "--station-column",
                                          "site",
                                          "--value",
                                          "flow",
                                          "--remark",
                                          "flow_cd",
                                          "--value",
                                          "turbidity",
                                          "--remark",
                                          "turbidity_cd",
                                          "--mask-remarks",
                                          "P,E"};

TEST(CliImport, AgencyTabDelimitedFileWithCommentAndTypeLines) {
    Project p;
    const auto run = p.Import(kHollin);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "Imported 14 values from 1 file.\n");
    EXPECT_EQ(run.err, Example("hollin-daily.tsv") +
                           ": 14 values read; 2 cells not used:\n"
                           "  empty cell: 1\n"
                           "  below the detection limit (not stored with --censored skip): 1\n");
    EXPECT_EQ(p.Csv({"--stations", "0411500", "--parameters", "turbidity"}),
              "station,parameter,units,time,value,mask\n"
              "0411500,turbidity,new units,2025-06-01T00:00:00,3.1,0\n"
              "0411500,turbidity,new units,2025-06-02T00:00:00,2.8,0\n"
              "0411500,turbidity,new units,2025-06-04T00:00:00,4.6,1\n");
}

TEST(CliImport, SemicolonFileWithDecimalCommaAndRemarkColumn) {
    Project p;
    const auto run = p.Import({Example("talbach-lab.csv"),
                               "--time",
                               "Datum",
                               "--time",
                               "Uhrzeit",
                               "--station-column",
                               "Messstelle",
                               "--parameter-column",
                               "Parameter",
                               "--units-column",
                               "Einheit",
                               "--value",
                               "Wert",
                               "--remark",
                               "Bemerkung",
                               "--decimal",
                               "comma",
                               "--censored",
                               "half",
                               "--mask-remarks",
                               "E",
                               "--utc-offset",
                               "+01:00"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(p.Csv({"--stations", "Talbach West", "--end", "2025-04-30"}),
              "station,parameter,units,time,value,mask\n"
              "Talbach West,Nitrat,mg/l,2025-04-07T11:05:00,7.35,0\n"
              "Talbach West,Phosphat,mg/l,2025-04-07T11:05:00,0.11,1\n");
}

TEST(CliImport, DailyWideFileWithMonthDayYearDates) {
    Project p;
    const auto run = p.Import({Example("brook-daily.csv"), "--time", "Date", "--station", "Brook",
                               "--units", "deg C", "--value", "Air temp", "--value", "Water temp"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(p.Csv({"--parameters", "Air temp", "--start", "2025-02-28"}),
              "station,parameter,units,time,value,mask\n"
              "Brook,Air temp,deg C,2025-02-28T00:00:00,4.5,0\n"
              "Brook,Air temp,deg C,2025-03-01T00:00:00,6,0\n");
}

TEST(CliImport, AnUnreadableCellKeepsTheProjectUnlessSkipBadIsGiven) {
    Project p;
    const std::string file = p.dir.File("bad.csv");
    test::WriteFile(file,
                    "time,level\n2024-01-01,1.5\n2024-01-02,ice\n2024-01-03,2\n2024-01-40,3\n");
    const std::string before = test::ReadFile(p.path);
    const std::vector<std::string> words = {file, "--time",  "time", "--station",
                                            "S",  "--value", "level"};
    const auto strict = p.Import(words);
    EXPECT_EQ(strict.exitStatus, 1);
    EXPECT_EQ(strict.err,
              file +
                  ": 2 values read; 2 cells not used:\n"
                  "  not a number: 1 (line 3, column 2: 'ice')\n"
                  "  date or time that cannot be read or is outside the years 1000 to 9999: 1 "
                  "(line 5, column 1: '2024-01-40')\n"
                  "Lines and columns are counted from 1; a column is one cell of a line.\n"
                  "Nothing was imported: 2 cells could not be read. Give --skip-bad to import "
                  "the rest.\n");
    EXPECT_EQ(test::ReadFile(p.path), before);
    std::vector<std::string> skipping = words;
    skipping.push_back("--skip-bad");
    const auto skipped = p.Import(skipping);
    EXPECT_EQ(skipped.exitStatus, 1);
    EXPECT_EQ(p.Csv(),
              "station,parameter,units,time,value,mask\n"
              "S,level,new units,2024-01-01T00:00:00,1.5,0\n"
              "S,level,new units,2024-01-03T00:00:00,2,0\n");
}

TEST(CliImport, OptionsThatMakeNoImportAreUsageErrors) {
    Project p;
    const std::string file = Example("brook-daily.csv");
    const std::vector<std::vector<std::string>> cases = {
        {file, "--station", "S", "--value", "Stage"},
        {file, "--time", "Date", "--value", "Stage"},
        {file, "--time", "Date", "--station", "S", "--value", "Stage", "--censored", "drop"},
        {file, "--time", "Date", "--station", "S", "--value", "Stage", "--utc-offset", "5"},
        {file, "--time", "Date", "--station", "S", "--value", "Stage", "--delimiter", "colon"},
        {file, "--time", "Date", "--station", "S", "--value", "Stage", "--time-format", "%Q"},
        {file, "--time", "Date", "--station", "S", "--value", "Stage", "--strict"},
    };
    for (const auto& words : cases) {
        EXPECT_EQ(p.Import(words).exitStatus, 2) << words.back();
    }
    const auto missing = p.Import({file, "--time", "Day", "--station", "S", "--value", "Stage"});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.err, file +
                               ": no column 'Day' in the header (Date, Air temp, Water temp, "
                               "Stage).\nNothing was imported: not every file could be read.\n");
}

// Awkward names (a comma, quotes, a leading '#', blanks), masks and values
// that need every digit survive export and import unchanged.
TEST(CliExport, TidyCsvReadsBackToTheSameData) {
    Project p;
    const std::string file = p.dir.File("awkward.csv");
    test::WriteFile(file,
                    "station;parameter;units;time;value;mask\n"
                    "\"#3, \"\"east\"\"\";DO;mg/l;2024-02-29T23:59:59;0.1;0\n"
                    "\"#3, \"\"east\"\"\";DO;mg/l;2024-03-01T00:00:00;1e-300;5\n"
                    "\" west \";pH;;1999-12-31 12:00;7.123456789012345;0\n");
    const std::vector<std::string> tidy = {
        "--time",         "time",  "--station-column", "station", "--parameter-column", "parameter",
        "--units-column", "units", "--value",          "value",   "--mask-column",      "mask"};
    std::vector<std::string> first = {file};
    first.insert(first.end(), tidy.begin(), tidy.end());
    ASSERT_EQ(p.Import(first).exitStatus, 0);
    const std::string exported = p.Csv();
    EXPECT_EQ(exported,
              "station,parameter,units,time,value,mask\n"
              "\"#3, \"\"east\"\"\",DO,mg/l,2024-02-29T23:59:59,0.1,0\n"
              "\"#3, \"\"east\"\"\",DO,mg/l,2024-03-01T00:00:00,1e-300,5\n"
              "\" west \",pH,new units,1999-12-31T12:00:00,7.123456789012345,0\n");
    Project again;
    const std::string copy = again.dir.File("copy.csv");
    test::WriteFile(copy, exported);
    std::vector<std::string> second = {copy};
    second.insert(second.end(), tidy.begin(), tidy.end());
    ASSERT_EQ(again.Import(second).exitStatus, 0);
    EXPECT_EQ(again.Csv(), exported);
}

TEST(CliExport, ScaledValuesAndSelectionErrors) {
    Project p;
    ASSERT_EQ(p.Import({Example("brook-daily.csv"), "--time", "Date", "--station", "Brook",
                        "--value", "Stage"})
                  .exitStatus,
              0);
    // Without a units record change, scaled equals stored.
    EXPECT_EQ(p.Csv({"--scaled", "--end", "2025-01-01"}),
              "station,parameter,units,time,value,mask\n"
              "Brook,Stage,new units,2025-01-01T00:00:00,1.42,0\n");
    EXPECT_EQ(RunCli({"export", p.path, "-o", p.dir.File("x.csv"), "--stations", "Nobody"}).err,
              "zav-cli: export: no such station Nobody\n");
    EXPECT_EQ(
        RunCli({"export", p.path, "-o", p.dir.File("x.csv"), "--start", "2030-01-01"}).exitStatus,
        1);
    EXPECT_EQ(RunCli({"export", p.path, "-o", p.dir.File("x.csv"), "--format", "xlsx"}).exitStatus,
              2);
    EXPECT_EQ(RunCli({"export", p.path}).exitStatus, 2);
}

#ifdef ZAV_NCDUMP_PATH
std::string RunShell(const std::string& command, const std::string& output) {
    EXPECT_EQ(std::system((command + " > " + output + " 2>&1").c_str()), 0) << command;
    return test::ReadFile(output);
}

TEST(CliExport, NetcdfReadsBackWithNcdump) {
    Project p;
    ASSERT_EQ(p.Import({Example("brook-daily.csv"), "--time", "Date", "--station", "Brook",
                        "--value", "Stage", "--value", "Air temp", "--units", "m"})
                  .exitStatus,
              0);
    const std::string nc = p.dir.File("out.nc");
    const auto run = RunCli({"export", p.path, "-o", nc, "--end", "2025-01-03"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "Exported 6 points of 2 series to " + nc + ".\n");
    const std::string dump =
        RunShell(std::string(ZAV_NCDUMP_PATH) + " -v row_size,time,value,mask,parameter_name " + nc,
                 p.dir.File("dump.txt"));
    for (const char* expected :
         {":Conventions = \"CF-1.8\" ;", ":featureType = \"timeSeries\" ;",
          "row_size:sample_dimension = \"obs\" ;", "series_id:cf_role = \"timeseries_id\" ;",
          "time:units = \"seconds since 1970-01-01 00:00:00\" ;", "value:units = \"m\" ;",
          " row_size = 3, 3 ;", " value = 1.42, 1.4, 1.41, -3.5, -1, 0.5 ;",
          " mask = 0, 0, 0, 0, 0, 0 ;", "  \"Stage\",\n  \"Air temp\" ;",
          // 2025-01-01 to 2025-01-03 at midnight, as written.
          " time = 1735689600, 1735776000, 1735862400, 1735689600, 1735776000, 1735862400 ;"}) {
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump;
    }
    const std::string check = std::string(ZAV_PYTHON_PATH) + " -c \"import xarray\"";
    if (std::system((check + " > /dev/null 2>&1").c_str()) != 0) {
        GTEST_SKIP() << "xarray is not installed; ncdump alone checked the file";
    }
    const std::string read =
        RunShell(std::string(ZAV_PYTHON_PATH) +
                     " -c \"import sys, xarray; d = xarray.open_dataset(sys.argv[1]); "
                     "print(list(d['value'].values), [str(t)[:10] for t in d['time'].values])\" " +
                     nc,
                 p.dir.File("xarray.txt"));
    EXPECT_EQ(read,
              "[1.42, 1.4, 1.41, -3.5, -1.0, 0.5] ['2025-01-01', '2025-01-02', '2025-01-03', "
              "'2025-01-01', '2025-01-02', '2025-01-03']\n");
}
#endif

}  // namespace
}  // namespace zav
