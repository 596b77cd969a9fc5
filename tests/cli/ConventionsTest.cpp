// What every zav-cli command shares: help for each command, the version,
// suggestions for a misspelt command, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <sstream>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::RunCli;

const std::string kRunHelp = "Run zav-cli --help for the commands.\n";

// The command names as the top-level usage lists them ("  zav-cli NAME ...").
std::vector<std::string> ListedCommands() {
    std::vector<std::string> names;
    std::istringstream usage(RunCli({"--help"}).out);
    for (std::string line; std::getline(usage, line);) {
        std::istringstream words(line);
        std::string program, name;
        if (line.rfind("  zav-cli ", 0) == 0 && words >> program >> name && name[0] != '-' &&
            name != "COMMAND" && name != "help") {
            names.push_back(name);
        }
    }
    return names;
}

TEST(CliConventions, EveryCommandHasHelpWithItsUsageAnExampleAndTheExitStatuses) {
    const std::vector<std::string> names = ListedCommands();
    ASSERT_GE(names.size(), 7u);
    for (const std::string& name : names) {
        auto help = RunCli({"help", name});
        EXPECT_EQ(help.exitStatus, 0) << name;
        EXPECT_EQ(help.err, "") << name;
        EXPECT_EQ(help.out.rfind("Usage:\n  zav-cli " + name + " ", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\n\nExample:\n  zav-cli " + name + " "), std::string::npos)
            << help.out;
        EXPECT_NE(help.out.find("Exit status: 0 success; 1 "), std::string::npos) << help.out;
        // Help wins over whatever else is on the line, even a missing project.
        for (const char* option : {"--help", "-h"}) {
            auto asOption = RunCli({name, "x.zav", option});
            EXPECT_EQ(asOption.exitStatus, 0) << name;
            EXPECT_EQ(asOption.out, help.out) << name;
        }
    }
}

// The examples of the help, pasted into a shell in the order of the usage,
// in a folder holding the files they name: each one must work.
TEST(CliConventions, EveryExampleOfTheHelpRuns) {
    test::TempDir dir;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"../../examples/sample.zav", "sample.zav"},
        {"../../examples/north-basin.mlv", "north-basin.mlv"},
        {"../../examples/talverene-daily.pld", "talverene-daily.pld"},
        {"pond-layout1.csv", "pond.csv"},
        {"../../examples/csv/brook-daily.csv", "brook-daily.csv"},
        {"../../examples/clean-basin.txt", "clean-basin.txt"}};
    for (const auto& [from, to] : files) {
        test::WriteFile(dir.File(to), test::ReadFile(test::DataPath(from)));
    }
    ASSERT_EQ(::mkdir(dir.File("stations").c_str(), 0700), 0);
    const std::string program = ZAV_CLI_PATH;
    const std::string bin = program.substr(0, program.rfind('/'));
    for (const std::string& name : ListedCommands()) {
        const std::string help = RunCli({"help", name}).out;
        const size_t start = help.find("Example:\n") + 9;
        test::WriteFile(dir.File("example.sh"),
                        help.substr(start, help.find("\n\n", start) - start));
        const std::string command = "cd '" + dir.Path() + "' && PATH='" + bin +
                                    "':\"$PATH\" bash example.sh > out.txt 2> err.txt";
        EXPECT_EQ(std::system(command.c_str()), 0)
            << name << ": " << test::ReadFile(dir.File("err.txt"));
    }
}

TEST(CliConventions, VersionAndTheTopLevelUsage) {
    auto version = RunCli({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "zav-cli " ZAV_VERSION "\n");

    auto help = RunCli({"help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out, RunCli({"--help"}).out);
    EXPECT_NE(help.out.find("\nExit status: 0 success;"), std::string::npos);

    // With no command the usage goes to standard error: it is a misuse.
    auto bare = RunCli({});
    EXPECT_EQ(bare.exitStatus, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_EQ(bare.err, help.out);
    EXPECT_EQ(RunCli({"help", "report"}, "/dev/full").exitStatus, 1);
    auto two = RunCli({"help", "info", "report"});
    EXPECT_EQ(two.exitStatus, 2);
    EXPECT_EQ(two.err, "zav-cli: help takes one command\n" + kRunHelp);
}

TEST(CliConventions, AMisspeltCommandSuggestsTheNearestOne) {
    const struct {
        std::vector<std::string> words;
        std::string typed;
        std::string suggested;  // empty: nothing is near enough
    } cases[] = {
        {{"reprot", "p.zav"}, "reprot", "report"},  // two letters swapped
        {{"inf"}, "inf", "info"},                   // one left out
        {{"addd"}, "addd", "add"},                  // one too many
        {{"genrate", "--dir", "x"}, "genrate", "generate"},
        {{"add-spreadsheat"}, "add-spreadsheat", "add-spreadsheet"},
        {{"Info"}, "Info", "info"},  // names are exact, case included
        {{"help", "centry"}, "centry", "century"},
        {{"frobnicate"}, "frobnicate", ""},
        {{"xy"}, "xy", ""},
        {{"--verison"}, "--verison", ""},
    };
    for (const auto& c : cases) {
        auto run = RunCli(c.words);
        EXPECT_EQ(run.exitStatus, 2) << c.typed;
        EXPECT_EQ(run.out, "") << c.typed;
        const std::string suggestion =
            c.suggested.empty() ? "" : "Did you mean '" + c.suggested + "'?\n";
        EXPECT_EQ(run.err, "zav-cli: unknown command '" + c.typed + "'\n" + suggestion + kRunHelp);
    }
}

}  // namespace
}  // namespace zav
