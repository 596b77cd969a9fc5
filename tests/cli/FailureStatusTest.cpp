// zav-cli never reports a failure as success: unknown options and names,
// files that are not regular files, operations that read nothing and
// output that could not be written all give a non-zero status, a message
// on standard error, and leave the project as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "CliRunner.h"
#include "StoreBuilders.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

const std::string kRunHelp = "Run zav-cli --help for the commands.\n";

class CliFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(project, test::ReadFile(DataPath("report.zav")));
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    }
    // Runs zav-cli and expects the status and the whole of standard error,
    // nothing on standard output and the project unchanged.
    void ExpectFailure(const std::vector<std::string>& words, int status, const std::string& err) {
        const std::string before = test::ReadFile(project);
        auto run = RunCli(words);
        EXPECT_EQ(run.exitStatus, status) << words[0] << " " << words.back();
        EXPECT_EQ(run.err, err) << words[0] << " " << words.back();
        EXPECT_EQ(run.out, "") << words[0] << " " << words.back();
        EXPECT_EQ(test::ReadFile(project), before) << words[0] << " " << words.back();
    }

    test::TempDir dir;
    std::string project = dir.File("p.zav");
    std::string fifo = dir.File("pipe.mlv");
    std::string out = dir.File("out.zav");
};

TEST_F(CliFailureTest, EveryCommandRefusesAnUnknownOptionOrAMissingValue) {
    const std::string mlv = test::DataPath("../../examples/north-basin.mlv");
    const std::string csv = DataPath("pond-layout1.csv");
    const struct {
        std::vector<std::string> words;
        std::string option;
        std::string suggested;  // the nearest option when one is near enough
    } cases[] = {
        {{"info", project, "--jsno"}, "--jsno", "--json"},
        {{"new", out, "--force"}, "--force", ""},
        {{"add", project, mlv, "--dry-run"}, "--dry-run", ""},
        {{"add-spreadsheet", project, csv, "--layout", "1", "--seperator", "tab"},
         "--seperator",
         "--separator"},
        {{"report", project, "--main", "stations", "--items", "North", "--other", "DO", "--start",
          "1995-01-01", "--end", "1995-03-31", "--unit", "months", "--value"},
         "--value",
         "--values"},
        {{"century", project, "--last-yaer", "1930"}, "--last-yaer", "--last-year"},
        {{"generate", project, "--dir", dir.Path(), "-d"}, "-d", ""},
    };
    for (const auto& c : cases) {
        const std::string hint = c.suggested.empty() ? "" : " (did you mean " + c.suggested + "?)";
        ExpectFailure(c.words, 2, "zav-cli: unknown option " + c.option + hint + "\n" + kRunHelp);
    }
    EXPECT_NE(::access(out.c_str(), F_OK), 0);
    ExpectFailure({"add", project, mlv, "-o"}, 2, "zav-cli: option -o needs a value\n" + kRunHelp);
    ExpectFailure({"report", project, "--main", "stations", "--items", "--other", "DO"}, 2,
                  "zav-cli: option --items needs a value\n" + kRunHelp);
    auto help = RunCli({"report", "--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out.rfind("Usage:\n", 0), 0u);
}

// Once a row of dashes with status 0, as if the station had no data.
TEST_F(CliFailureTest, ReportRefusesNamesTheProjectDoesNotHave) {
    const std::vector<std::string> span = {"--start",    "1995-01-01", "--end",
                                           "1995-03-31", "--unit",     "months"};
    auto words = [&](std::vector<std::string> selection) {
        std::vector<std::string> all = {"report", project};
        all.insert(all.end(), selection.begin(), selection.end());
        all.insert(all.end(), span.begin(), span.end());
        return all;
    };
    ExpectFailure(words({"--main", "stations", "--items", "North,Nowhere", "--other", "DO"}), 1,
                  "The project has no station \"Nowhere\".\n");
    ExpectFailure(words({"--main", "stations", "--items", "North", "--other", "pH"}), 1,
                  "The project has no parameter \"pH\".\n");
    ExpectFailure(words({"--main", "parameters", "--items", "DO,Cond,", "--other", "Atlantis"}), 1,
                  "The project has no parameter \"Cond\".\nThe project has no parameter \"\".\n"
                  "The project has no station \"Atlantis\".\n");
    ExpectFailure(words({"--main", "stations", "--items", "North,Lake", "--other", "DO"}), 1,
                  "The station \"Lake\" stands for the group \"Basin\"; name the group.\n");
    // An aggregate's alias and its members are names the project has.
    auto known = RunCli(words({"--main", "stations", "--items", "Basin,South", "--other", "DO"}));
    EXPECT_EQ(known.exitStatus, 0) << known.err;
}

TEST_F(CliFailureTest, OnlyRegularFilesAreReadOrWritten) {
    ExpectFailure({"info", fifo}, 1, fifo + " is not a regular file.\n");
    ExpectFailure({"info", "/dev/zero"}, 1, "/dev/zero is not a regular file.\n");
    ExpectFailure({"info", dir.Path()}, 1, dir.Path() + " is a folder, not a file.\n");
    const std::string mlv = test::DataPath("../../examples/north-basin.mlv");
    ExpectFailure({"add", project, fifo}, 1,
                  fifo +
                      " is not a regular file.\nNo data were read from the files given; the "
                      "project was not saved.\n");
    ExpectFailure({"add", project, mlv, "-o", dir.Path()}, 1,
                  dir.Path() + " is a folder, not a file.\n");
    ExpectFailure({"add", project, mlv, "-o", fifo}, 1, fifo + " is not a regular file.\n");
    ExpectFailure({"new", dir.Path()}, 1, dir.Path() + " is a folder, not a file.\n");
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A file that adds no point (headings only, or one that failed) once
// saved the project unchanged with status 0.
TEST_F(CliFailureTest, AddThatReadsNothingSavesNothing) {
    const std::string empty = dir.File("empty.mlv");
    test::WriteFile(empty, "");
    const std::string none = "No data were read from the files given; the project was not saved.\n";
    // The import report names the file first.
    ExpectFailure({"add", project, empty}, 1, empty + ": no value read.\n" + none);
    ExpectFailure({"add", project, empty, "-o", out}, 1, empty + ": no value read.\n" + none);
    EXPECT_NE(::access(out.c_str(), F_OK), 0);
}

TEST_F(CliFailureTest, InfoFailsWhenItsOutputCannotBeWritten) {
    auto full = RunCli({"info", project}, "/dev/full");
    EXPECT_EQ(full.exitStatus, 1);
}

// Names are bytes from the inputs; agency files are often Latin-1. Python's
// json module reads the output strictly and writes it back in ASCII.
TEST_F(CliFailureTest, InfoJsonIsValidUtf8WhateverBytesTheNamesHold) {
    const std::vector<std::string> names = {"1 Z\xfcrich",
                                            "2 caf\xc3\xa9",
                                            "3 over\xc0\xaflong",
                                            "4 sur\xed\xa0\x80",
                                            "5 cut\xe2\x82",
                                            "6 bell\x01\x7f\t\"\\",
                                            "7 wave \xf0\x9f\x8c\x8a",
                                            "8 high\xf4\x90\x80\x80"};
    DataSource source = test::MakeSource(
        "lat\xed"
        "n.mlv",
        {});
    for (const std::string& name : names) {
        source.series.push_back(test::MakeSeries(name, "DO", "mg/l"));
    }
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, test::EnvironmentIn(dir));
    doc.FieldManager().AddSource(std::move(source));
    ASSERT_TRUE(doc.OnSaveDocument(project));
    const std::string json = dir.File("info.json");
    ASSERT_EQ(RunCli({"info", project, "--json"}, json).exitStatus, 0);
    const std::string check = dir.File("check.txt");
    const std::string command =
        std::string(ZAV_PYTHON_PATH) +
        " -c \"import json,sys; d=json.load(open(sys.argv[1],encoding='utf-8')); "
        "print(json.dumps([d['sources'][0]['fileName']] + d['stations']))\" " +
        json + " > " + check;
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test::ReadFile(check),
              "[\"lat\\u00edn.mlv\", \"1 Z\\u00fcrich\", \"2 caf\\u00e9\", "
              "\"3 over\\u00c0\\u00aflong\", \"4 sur\\u00ed\\u00a0\\u0080\", "
              "\"5 cut\\u00e2\\u0082\", \"6 bell\\u0001\\u007f\\t\\\"\\\\\", "
              "\"7 wave \\ud83c\\udf0a\", \"8 high\\u00f4\\u0090\\u0080\\u0080\"]\n");
}

}  // namespace
}  // namespace zav
