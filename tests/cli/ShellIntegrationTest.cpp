// The manual pages and the bash completion against the program they
// describe: every command and option of zav-cli's own help is in its manual
// page, groff reads both pages without a warning, and the completion offers
// what the help lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::DataPath;
using test::RunCli;

const std::string kManPage = DataPath("../../docs/man/zav-cli.1");
const std::string kDesktopManPage = DataPath("../../docs/man/zav.1");

// A word as roff writes it: each '-' escaped.
std::string Roff(const std::string& word) {
    std::string out;
    for (char c : word) {
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return out;
}

// The commands the top-level usage lists and the options in each one's usage.
std::vector<std::pair<std::string, std::vector<std::string>>> CommandsAndOptions() {
    std::vector<std::pair<std::string, std::vector<std::string>>> commands;
    std::istringstream usage(RunCli({"--help"}).out);
    for (std::string line; std::getline(usage, line);) {
        std::istringstream words(line);
        std::string program, name;
        if (line.rfind("  zav-cli ", 0) != 0 || !(words >> program >> name) || name[0] == '-' ||
            name == "COMMAND" || name == "help") {
            continue;
        }
        std::string help = RunCli({"help", name}).out;
        help = help.substr(0, help.find("\n\n"));
        std::vector<std::string> options;
        std::istringstream helpWords(help);
        for (std::string word; helpWords >> word;) {
            word.erase(0, word.find_first_not_of("[("));
            if (word.size() > 1 && word[0] == '-') {
                options.push_back(word.substr(0, word.find_first_of("])")));
            }
        }
        commands.emplace_back(name, options);
    }
    return commands;
}

TEST(ShellIntegration, TheManualPageHasEveryCommandAndOption) {
    const std::string page = test::ReadFile(kManPage);
    const auto commands = CommandsAndOptions();
    ASSERT_GE(commands.size(), 7u);
    for (const auto& [name, options] : commands) {
        EXPECT_NE(page.find("\n.BI \"" + Roff(name) + " "), std::string::npos) << name;
        for (const std::string& option : options) {
            EXPECT_NE(page.find(Roff(option)), std::string::npos) << name << " " << option;
        }
    }
    for (const std::string& path : {kManPage, kDesktopManPage}) {
        EXPECT_EQ(test::ReadFile(path).rfind(".TH ", 0), 0u) << path;
        EXPECT_NE(test::ReadFile(path).find(" \"ZAV " ZAV_VERSION "\" "), std::string::npos)
            << path << " names another version";
        // -ww: every warning; -z: no output. Warnings go to standard error.
        test::TempDir dir;
        const std::string warnings = dir.File("warnings.txt");
        const std::string command = "groff -man -ww -z " + path + " 2> " + warnings;
        EXPECT_EQ(std::system(command.c_str()), 0) << path;
        EXPECT_EQ(test::ReadFile(warnings), "") << path;
    }
}

// What the completion offers for the words typed, the cursor on the last one.
std::string Complete(const std::vector<std::string>& typed) {
    test::TempDir dir;
    std::string script = "source '" + DataPath("../../data/shell/zav-cli.bash") +
                         "'; COMP_WORDS=('" ZAV_CLI_PATH "'";
    for (const std::string& word : typed) {
        script += " '" + word + "'";
    }
    script += "); COMP_CWORD=" + std::to_string(typed.size()) +
              "; _zav_cli; printf '%s\\n' \"${COMPREPLY[@]}\" | sort";
    test::WriteFile(dir.File("complete.sh"), script);
    const std::string offered = dir.File("offered.txt");
    const std::string command = "bash " + dir.File("complete.sh") + " > " + offered;
    EXPECT_EQ(std::system(command.c_str()), 0) << script;
    return test::ReadFile(offered);
}

TEST(ShellIntegration, CompletionOffersWhatTheHelpLists) {
    const struct {
        std::vector<std::string> typed;
        std::string offered;
    } cases[] = {
        {{"rep"}, "report\n"},
        {{"a"}, "add\nadd-spreadsheet\n"},
        {{"--v"}, "--version\n"},
        {{"help", "ce"}, "century\n"},
        {{"report", "p.zav", "--un"}, "--unit\n"},
        {{"report", "p.zav", "--it"}, "--item\n--items\n"},
        {{"report", "p.zav", "--unit", "m"}, "minutes\nmonths\n"},
        {{"report", "p.zav", "--main", ""}, "parameters\nstations\n"},
        {{"info", "p.zav", "--format", ""}, "csv\njson\ntext\n"},
        {{"add-spreadsheet", "p.zav", "f.csv", "--layout", ""}, "1\n2\n3\n"},
        // Names, numbers and dates: nothing to offer.
        {{"report", "p.zav", "--other", ""}, "\n"},
        {{"century", "p.zav", "--last-year", ""}, "\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Complete(c.typed), c.offered) << c.typed.back();
    }
}

// After --item, --items and --other: the project's names, aggregates
// included, of the kind the option asks for, quoted for the shell; after
// --station and --parameter, the stations or parameters.
TEST(ShellIntegration, CompletionOffersTheProjectsNames) {
    const std::string sample = DataPath("../../examples/sample.zav");
    const struct {
        std::vector<std::string> typed;
        std::string offered;
    } cases[] = {
        {{"report", sample, "--item", "La"}, "Lake\\ 3\nLake\\ 3\\ basin\n"},
        {{"report", sample, "--main", "stations", "--other", "D"},
         "Discharge\nDissolved\\ oxygen\n"},
        {{"report", sample, "--main", "parameters", "--items", "p"}, "pH\n"},
        {{"report", sample, "--main", "parameters", "--other", "S"}, "South\\ Outlet\n"},
        {{"report", "none.zav", "--item", ""}, "\n"},
        {{"mask", sample, "--station", "M"}, "Mill\\ Creek\\ at\\ Route\\ 9\n"},
        {{"delete", sample, "--station", "Lake", "--parameter", "W"}, "Water\\ temperature\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Complete(c.typed), c.offered) << c.typed.back();
    }
}

TEST(ShellIntegration, CompletionOffersFilesForProjectsAndFoldersForDir) {
    const std::string examples = DataPath("../../examples/");
    EXPECT_EQ(Complete({"info", examples + "sam"}), examples + "sample.zav\n");
    EXPECT_EQ(Complete({"add", "p.zav", "-o", examples + "sam"}), examples + "sample.zav\n");
    const std::string tests = DataPath("../");
    EXPECT_EQ(Complete({"generate", "p.zav", "--dir", tests + "dat"}), tests + "data\n");
}

}  // namespace
}  // namespace zav
