// zav-cli: the program's own operations from the shell, for batch work.
#include <algorithm>
#include <iostream>
#include <map>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace {

const char* const kHelp =
    "Usage:\n"
    "  zav-cli info PROJECT.zav [--json]\n"
    "  zav-cli new OUT.zav\n"
    "  zav-cli add PROJECT.zav FILE... [--strict] [-o OUT.zav]\n"
    "  zav-cli add-spreadsheet PROJECT.zav FILE... --layout 1|2|3\n"
    "          [--separator comma|tab] [--parameter NAME] [--units NAME]\n"
    "          [--start-column N] [--parse-string TEXT] [--strict] [-o OUT.zav]\n"
    "  zav-cli report PROJECT.zav --main stations|parameters\n"
    "          --items NAME[,NAME...] --other NAME\n"
    "          --start YYYY-MM-DD --end YYYY-MM-DD\n"
    "          --unit years|months|weeks|days|hours|minutes [--every N]\n"
    "          [--values] [--fill-gaps] [--transpose | --timeseries]\n"
    "  zav-cli import PROJECT.zav FILE... [-o OUT.zav]\n"
    "          [--delimiter auto|comma|semicolon|tab|pipe] [--decimal point|comma]\n"
    "          --time COLUMN [--time COLUMN] [--time-format auto|PATTERN]\n"
    "          [--utc-offset +HH:MM] (--station NAME | --station-column COLUMN)\n"
    "          [--parameter NAME | --parameter-column COLUMN]\n"
    "          [--units NAME | --units-column COLUMN]\n"
    "          --value COLUMN [--value COLUMN ...] [--remark COLUMN|- ...]\n"
    "          [--mask-column COLUMN] [--censored skip|limit|half|zero]\n"
    "          [--mask-remarks CODES] [--skip-bad]\n"
    "  zav-cli export PROJECT.zav -o OUT.csv|OUT.nc [--format csv|netcdf] [--scaled]\n"
    "          [--stations A,B] [--parameters P,Q]\n"
    "          [--start YYYY-MM-DD] [--end YYYY-MM-DD]\n"
    "  zav-cli century PROJECT.zav --last-year YEAR [-o OUT.zav]\n"
    "  zav-cli generate PROJECT.zav --dir DIR\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace zav::cli;
    const std::map<std::string, int (*)(const Words&, std::ostream&, std::ostream&)> commands = {
        {"add", &AddCommand},           {"add-spreadsheet", &AddSpreadsheetCommand},
        {"century", &CenturyCommand},   {"export", &ExportCommand},
        {"generate", &GenerateCommand}, {"import", &ImportCommand},
        {"info", &InfoCommand},         {"new", &NewCommand},
        {"report", &ReportCommand},
    };
    if (argc < 2) {
        std::cerr << kHelp;
        return kUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kHelp;
        return kOk;
    }
    auto command = commands.find(name);
    if (command == commands.end()) {
        std::cerr << "zav-cli: unknown command '" << name << "'\n" << kHelp;
        return kUsage;
    }
    Words words(argv + 2, argv + argc);
    if (std::find(words.begin(), words.end(), "--help") != words.end()) {
        std::cout << kHelp;
        return kOk;
    }
    return command->second(words, std::cout, std::cerr);
}
