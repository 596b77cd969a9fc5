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
    "          [--values] [--stat min-max-mean|mean|min|max|count|sum|median|\n"
    "                            p10|p25|p75|p90|sd|coverage]\n"
    "          [--expected-step 15min|1h|1d|...] [--min-coverage PERCENT]\n"
    "          [--year-start MONTH] [--fill-gaps [--max-gap N] [--mark-filled]]\n"
    "          [--transpose | --timeseries]\n"
    "  zav-cli summary PROJECT.zav --station S --parameter P [--year-start MONTH]\n"
    "          [--stat NAME] [--expected-step STEP] [--min-coverage PERCENT]\n"
    "  zav-cli duration PROJECT.zav --station S --parameter P\n"
    "          --start YYYY-MM-DD --end YYYY-MM-DD\n"
    "  zav-cli century PROJECT.zav --last-year YEAR [-o OUT.zav]\n"
    "  zav-cli generate PROJECT.zav --dir DIR\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace zav::cli;
    const std::map<std::string, int (*)(const Words&, std::ostream&, std::ostream&)> commands = {
        {"add", &AddCommand},           {"add-spreadsheet", &AddSpreadsheetCommand},
        {"century", &CenturyCommand},   {"generate", &GenerateCommand},
        {"info", &InfoCommand},         {"new", &NewCommand},
        {"report", &ReportCommand},     {"summary", &SummaryCommand},
        {"duration", &DurationCommand},
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
