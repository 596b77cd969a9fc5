// zav-cli run: a command file does what the same commands typed one by one
// do, to the byte; a failing line or a dry run leaves the project file as
// it was; lines are split as a shell splits them.
#include <gtest/gtest.h>
#include <unistd.h>

#include "CliRunner.h"
#include "TestSupport.h"
#include "cli/CommandFile.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

const std::string kRunHelp = "Run zav-cli --help for the commands.\n";

class CliCommandFileTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteFile(project, test::ReadFile(DataPath("report.zav"))); }

    // Writes the command file and runs it on the project.
    test::CliResult Run(const std::string& text, std::vector<std::string> more = {}) {
        test::WriteFile(script, text);
        std::vector<std::string> words = {"run", project, script};
        words.insert(words.end(), more.begin(), more.end());
        return RunCli(words);
    }

    test::TempDir dir;
    std::string project = dir.File("p.zav");
    std::string script = dir.File("clean.txt");
};

// Every editing command, as a command file line and as its words.
const struct {
    const char* line;
    std::vector<std::string> words;
} kCommands[] = {
    {"ungroup-stations Basin  # Lake and South apart again", {"ungroup-stations", "Basin"}},
    {"rename-station North 'North Bank'", {"rename-station", "North", "North Bank"}},
    {"rename-parameter DO \"Dissolved \\\"O\\\"\"", {"rename-parameter", "DO", "Dissolved \"O\""}},
    {"group-stations East\\ side South 'North Bank'",
     {"group-stations", "East side", "South", "North Bank"}},
    {"group-parameters Everything 'Dissolved \"O\"' Temp",
     {"group-parameters", "Everything", "Dissolved \"O\"", "Temp"}},
    {"ungroup-parameters Everything", {"ungroup-parameters", "Everything"}},
    {"\tset-scaling --station Lake --parameter 'Dissolved \"O\"' --multiplier 2.5",
     {"set-scaling", "--station", "Lake", "--parameter", "Dissolved \"O\"", "--multiplier", "2.5"}},
    {"set-units 'deg F' --conversion 'F to C'", {"set-units", "deg F", "--conversion", "F to C"}},
    {"mask --station 'North Bank' --parameter 'Dissolved \"O\"' --above 3",
     {"mask", "--station", "North Bank", "--parameter", "Dissolved \"O\"", "--above", "3"}},
    {"delete --station Lake", {"delete", "--station", "Lake"}},
};

TEST_F(CliCommandFileTest, ACommandFileEqualsTheCommandsOneByOne) {
    std::string text = "# clean-up\r\n\r\n";
    for (const auto& command : kCommands) {
        text += std::string(command.line) + "\r\n";
    }
    const std::string original = test::ReadFile(project);
    const std::string oneByOne = dir.File("one-by-one.zav");
    test::WriteFile(oneByOne, original);
    for (const auto& command : kCommands) {
        std::vector<std::string> words = command.words;
        words.insert(words.begin() + 1, oneByOne);
        auto run = RunCli(words);
        ASSERT_EQ(run.exitStatus, 0) << command.line << ": " << run.err;
    }

    const std::string out = dir.File("out.zav");
    auto run = Run(text, {"-o", out});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFile(out), test::ReadFile(oneByOne));
    EXPECT_EQ(test::ReadFile(project), original);

    // In place, the same.
    ASSERT_EQ(Run(text).exitStatus, 0);
    EXPECT_EQ(test::ReadFile(project), test::ReadFile(oneByOne));
}

TEST_F(CliCommandFileTest, ADryRunSaysWhatEachLineWouldChangeAndSavesNothing) {
    const std::string original = test::ReadFile(project);
    auto run =
        Run("\xEF\xBB\xBFrename-station North Nord\n"
            "mask --station Nord --parameter DO \\\n"
            "    --from 1995-01-02 --to 1995-03-09T12:00 --below 5\n"
            "# a comment\n"
            "mask --station Nord --parameter DO --above 1000\n"
            "set-units mg/l --alias ug/l --multiplier 1000\n"
            "delete --station Nord --to 1995-01-01\n",
            {"--dry-run", "-o", dir.File("out.zav")});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "line 1: station 'North' renamed to 'Nord'\n"
              "line 2: 2 points of 'Nord' / 'DO' from 1995-01-02T00:00:00 to 1995-03-09T12:00:00 "
              "below 5 masked\n"
              "line 5: nothing changed: no point of 'Nord' / 'DO' above 1000 to mask\n"
              "line 6: units 'mg/l' shown as 'ug/l': x 1000 + 0\n"
              "line 7: 2 points of 'Nord' to 1995-01-01T23:59:59 deleted\n"
              "Dry run: nothing was saved.\n");
    EXPECT_EQ(test::ReadFile(project), original);
    EXPECT_EQ(::access(dir.File("out.zav").c_str(), F_OK), -1);
}

TEST_F(CliCommandFileTest, TheFirstFailingLineIsNamedAndNothingIsSaved) {
    const struct {
        std::string text;
        int status;
        std::string err;
    } cases[] = {
        {"rename-station North Nord\nrename-station North Norte\n", 1,
         "zav-cli: no station 'North' in the project\n"
         "zav-cli: stopped at SCRIPT line 2: rename-station North Norte\n"
         "The project was not saved.\n"},
        {"rename-station North Nord\n\nmask --station Nord --parameter DO --from May\n", 2,
         "zav-cli: --from takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], not 'May'\n" + kRunHelp +
             "zav-cli: stopped at SCRIPT line 3: mask --station Nord --parameter DO --from May\n"
             "The project was not saved.\n"},
        {"info\n", 2,
         "zav-cli: 'info' is no editing command\n" + kRunHelp +
             "zav-cli: stopped at SCRIPT line 1: info\nThe project was not saved.\n"},
        {"rename-statoin North Nord\n", 2,
         "zav-cli: 'rename-statoin' is no editing command (did you mean 'rename-station'?)\n" +
             kRunHelp +
             "zav-cli: stopped at SCRIPT line 1: rename-statoin North Nord\n"
             "The project was not saved.\n"},
        // The project is named once, on the command line.
        {"rename-station p.zav North Nord\n", 2,
         "zav-cli: rename-station takes fewer arguments: zav-cli rename-station PROJECT.zav OLD "
         "NEW [-o OUT.zav]\n" +
             kRunHelp +
             "zav-cli: stopped at SCRIPT line 1: rename-station p.zav North Nord\n"
             "The project was not saved.\n"},
        {"rename-station North Nord -o x.zav\n", 2,
         "zav-cli: unknown option -o\n" + kRunHelp +
             "zav-cli: stopped at SCRIPT line 1: rename-station North Nord -o x.zav\n"
             "The project was not saved.\n"},
        // A line that cannot be split stops the file before anything runs.
        {"rename-station North Nord\nrename-station 'South Lake\n", 2,
         "zav-cli: SCRIPT line 2: a single quote is not closed: rename-station 'South Lake\n"},
        {"rename-station North \\\n  'South Lake\n", 2,
         "zav-cli: SCRIPT line 1: a single quote is not closed: rename-station North   'South "
         "Lake\n"},
        {"rename-station North Nord \\\n", 2,
         "zav-cli: SCRIPT line 1: the line ends in a backslash: rename-station North Nord \\\n"},
        {"# only a comment\n\n", 1,
         "zav-cli: SCRIPT holds no command; the project was not saved.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string before = test::ReadFile(project);
        auto run = Run(c.text);
        EXPECT_EQ(run.exitStatus, c.status);
        std::string err = c.err;
        for (size_t at = err.find("SCRIPT"); at != std::string::npos; at = err.find("SCRIPT")) {
            err.replace(at, 6, script);
        }
        EXPECT_EQ(run.err, err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::ReadFile(project), before);
    }
    auto missing = RunCli({"run", project, dir.File("none.txt")});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.err, "zav-cli: cannot read the command file " + dir.File("none.txt") + "\n");
    EXPECT_EQ(RunCli({"run", project}).exitStatus, 2);
}

TEST(CommandFileLines, WordsAreSplitAsAShellSplitsThem) {
    const struct {
        const char* line;
        std::vector<std::string> words;
        const char* error;  // empty when the line splits
    } cases[] = {
        {"", {}, ""},
        {"   # all comment", {}, ""},
        {"mask --station A\t--parameter B", {"mask", "--station", "A", "--parameter", "B"}, ""},
        {"a 'b c' \"d e\" f\\ g", {"a", "b c", "d e", "f g"}, ""},
        {"a 'it''s' x", {"a", "its", "x"}, ""},
        {"a \"x\\\"y\\\\z\\n\"", {"a", "x\"y\\z\\n"}, ""},
        {"a '' \"\"", {"a", "", ""}, ""},
        {"a b#c # comment", {"a", "b#c"}, ""},
        {"a '#' \\#b", {"a", "#", "#b"}, ""},
        {"a 'b", {}, "a single quote is not closed"},
        {"a \"b\\\"", {}, "a double quote is not closed"},
        {"a b\\", {}, "the line ends in a backslash"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words;
        std::string error;
        const bool split = cli::SplitCommandLine(c.line, words, error);
        EXPECT_EQ(split, std::string(c.error).empty()) << c.line;
        EXPECT_EQ(error, c.error) << c.line;
        if (split) {
            EXPECT_EQ(words, c.words) << c.line;
        }
    }
}

}  // namespace
}  // namespace zav
