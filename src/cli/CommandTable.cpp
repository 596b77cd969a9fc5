#include "cli/CommandTable.h"

#include <algorithm>

#include "cli/CliCommon.h"

#ifndef ZAV_VERSION
#error "ZAV_VERSION must be defined by the build"
#endif

namespace zav::cli {

namespace {

const char* const kExitStatuses =
    "Exit status: 0 success; 1 the operation failed or read nothing (the\n"
    "project is then left as it was); 2 misuse: an unknown command, option\n"
    "or value, or a missing argument.\n";

// Continuation lines of a usage line up under the command's first word.
constexpr const char* kContinuation = "\n        ";

}  // namespace

// One entry per command; a new command is one more entry here and its
// declaration in Commands.h.
namespace {
std::vector<CommandInfo>& Commands() {
    static std::vector<CommandInfo> commands = {
        {"new", "OUT.zav", "Writes a new, empty project.", "zav-cli new basin.zav", &NewCommand},
        {"info", "PROJECT.zav [--format text|csv|json]",
         "Says what a project holds: its sources, stations, parameters, units\n"
         "records, aggregates, date range and number of points. --format csv\n"
         "lists the series, one a row; --format json (or --json) gives every\n"
         "fact as one object.",
         "zav-cli info basin.zav --format json", &InfoCommand},
        {"add", "PROJECT.zav FILE... [--strict] [-o OUT.zav]",
         "Adds MOLVAN (.mlv) and PELLIDOR (.pld) files as Data > Add MOLVAN or\n"
         "PELLIDOR format does, says what was not used, and saves the project\n"
         "(in place, or to OUT.zav). --strict saves nothing when a cell or a\n"
         "file could not be read.",
         "zav-cli add basin.zav north-basin.mlv talverene-daily.pld", &AddCommand},
        {"add-spreadsheet",
         "PROJECT.zav FILE... --layout 1|2|3\n"
         "[--separator comma|tab] [--parameter NAME] [--units NAME]\n"
         "[--start-column N] [--parse-string TEXT] [--strict] [-o OUT.zav]",
         "Adds spreadsheet text files in layout 1, 2 or 3 as Data > Add From\n"
         "Spreadsheet does; layout 3 reads the columns the parse string names.",
         "zav-cli add-spreadsheet basin.zav pond.csv --layout 1 --parameter pH --units su",
         &AddSpreadsheetCommand},
        {"report",
         "PROJECT.zav --main stations|parameters\n"
         "(--items NAME[,NAME...] | --item NAME...) --other NAME\n"
         "--start YYYY-MM-DD --end YYYY-MM-DD\n"
         "--unit years|months|weeks|days|hours|minutes [--every N]\n"
         "[--values] [--stat min-max-mean|mean|min|max|count|sum|median|\n"
         "p10|p25|p75|p90|sd|coverage] [--expected-step 15min|1h|1d|...]\n"
         "[--min-coverage PERCENT] [--year-start MONTH]\n"
         "[--fill-gaps [--max-gap N] [--mark-filled]]\n"
         "[--transpose | --timeseries] [--format text|csv|json]",
         "Prints the availability page's report table for one selection, as\n"
         "its export writes it. --item may be repeated and takes one name as\n"
         "it is, commas included. --format csv and json print the table with\n"
         "ISO 8601 dates and exact values. --stat shows another statistic in\n"
         "each cell; --expected-step and --min-coverage judge how complete each\n"
         "interval is; --year-start 10 makes water years; --max-gap and\n"
         "--mark-filled limit and mark gap filling.",
         "zav-cli report sample.zav --main stations --item \"Lake 3 basin\" \\\n"
         "    --item \"South Outlet\" --other \"Dissolved oxygen\" \\\n"
         "    --start 1995-01-01 --end 1995-12-31 --unit months --values --format csv",
         &ReportCommand},
        {"import",
         "PROJECT.zav FILE... [-o OUT.zav]\n"
         "[--delimiter auto|comma|semicolon|tab|pipe] [--decimal point|comma]\n"
         "--time COLUMN [--time COLUMN] [--time-format auto|PATTERN] [--utc-offset +HH:MM]\n"
         "(--station NAME | --station-column COLUMN)\n"
         "[--parameter NAME | --parameter-column COLUMN] [--units NAME | --units-column COLUMN]\n"
         "--value COLUMN [--value COLUMN ...] [--remark COLUMN|- ...]\n"
         "[--mask-column COLUMN] [--censored skip|limit|half|zero] [--mask-remarks CODES]\n"
         "[--skip-bad]",
         "Adds CSV and tab-delimited files with a header row, long or wide, as\n"
         "Data > Add From CSV does. Remark columns pair with the value columns\n"
         "by position. Any cell that cannot be read saves nothing and lists the\n"
         "first problems; --skip-bad saves the rest. Exit status 0 only when\n"
         "every cell was read.",
         "zav-cli import basin.zav brook-daily.csv --time Date --station Brook \\\n"
         "    --value \"Air temp\" --value Stage",
         &ImportCommand},
        {"export",
         "PROJECT.zav -o OUT.csv|OUT.nc [--format csv|netcdf] [--scaled]\n"
         "[--stations A,B] [--parameters P,Q] [--start YYYY-MM-DD] [--end YYYY-MM-DD]",
         "Writes the points as tidy CSV (station,parameter,units,time,value,mask,\n"
         "which import reads back) or as CF-1.8 netCDF time series. --scaled\n"
         "applies each series' scaling and the units conversions.",
         "zav-cli export basin.zav -o basin.csv --start 2025-01-01 --end 2025-12-31",
         &ExportCommand},
        {"summary",
         "PROJECT.zav --station S --parameter P [--year-start MONTH]\n"
         "[--stat NAME] [--expected-step STEP] [--min-coverage PERCENT]",
         "Prints, year by year (water years with --year-start), the count of\n"
         "values, their coverage and the chosen statistic (mean by default)\n"
         "of one station and parameter.",
         "zav-cli summary sample.zav --station \"South Outlet\" \\\n"
         "    --parameter \"Dissolved oxygen\" --year-start 10 --stat median",
         &SummaryCommand},
        {"duration",
         "PROJECT.zav --station S --parameter P\n"
         "--start YYYY-MM-DD --end YYYY-MM-DD",
         "Prints the duration table of one station and parameter over a span:\n"
         "the value exceeded 1, 5, 10, 25, 50, 75, 90, 95 and 99 % of the time.",
         "zav-cli duration sample.zav --station \"South Outlet\" \\\n"
         "    --parameter \"Dissolved oxygen\" --start 1994-01-01 --end 1998-12-31",
         &DurationCommand},
        {"century", "PROJECT.zav --last-year YEAR [-o OUT.zav]",
         "Moves every point of YEAR or earlier forward by 100 years, as Data >\n"
         "Add Century does for data written with two-digit years, and saves.",
         "zav-cli century basin.zav --last-year 1930", &CenturyCommand},
        {"generate", "PROJECT.zav --dir DIR",
         "Writes one layout-1 station file per series into the folder DIR; the\n"
         "project is not changed.",
         "zav-cli generate basin.zav --dir stations", &GenerateCommand},
        {"rename-station", "PROJECT.zav OLD NEW [-o OUT.zav]",
         "Renames a station, as the data edit page does, and saves the project\n"
         "(in place, or to OUT.zav). A name in use, or a station in a group, is\n"
         "refused.",
         "zav-cli rename-station basin.zav NB-ASHFORD-0101 \"Ashford Mill\" -o renamed.zav",
         &RenameStationCommand},
        {"rename-parameter", "PROJECT.zav OLD NEW [-o OUT.zav]",
         "Renames a parameter in every series and saves the project. A name in\n"
         "use, or a parameter in a group, is refused.",
         "zav-cli rename-parameter basin.zav \"DISSOLVD OXYGEN\" \"Dissolved oxygen\" \\\n"
         "    -o renamed.zav",
         &RenameParameterCommand},
        {"group-stations", "PROJECT.zav NAME MEMBER... [-o OUT.zav]",
         "Makes the stations one group called NAME, as the aggregation page\n"
         "does; the first member stands for the group. Saves the project.",
         "zav-cli group-stations basin.zav \"North basin\" NB-ASHFORD-0101 \\\n"
         "    NB-DUNMERE-0412 -o grouped.zav",
         &GroupStationsCommand},
        {"ungroup-stations", "PROJECT.zav NAME [-o OUT.zav]",
         "Dissolves the station group NAME; its members are stations of their\n"
         "own again. Saves the project.",
         "zav-cli ungroup-stations grouped.zav \"North basin\"", &UngroupStationsCommand},
        {"group-parameters", "PROJECT.zav NAME MEMBER... [-o OUT.zav]",
         "Makes the parameters one group called NAME, as the aggregation page\n"
         "does. Saves the project.",
         "zav-cli group-parameters basin.zav Nutrients \"NITRATE N\" \"TOTAL PHOS P\" \\\n"
         "    -o grouped.zav",
         &GroupParametersCommand},
        {"ungroup-parameters", "PROJECT.zav NAME [-o OUT.zav]",
         "Dissolves the parameter group NAME. Saves the project.",
         "zav-cli ungroup-parameters grouped.zav Nutrients", &UngroupParametersCommand},
        {"set-scaling",
         "PROJECT.zav --station S --parameter P [--multiplier M] [--offset O]\n[-o OUT.zav]",
         "Gives the series of station S and parameter P a multiplier and an\n"
         "offset (value x M + O), as the data edit page does. Saves the project.",
         "zav-cli set-scaling basin.zav --station NB-ASHFORD-0101 \\\n"
         "    --parameter \"WATER TEMP\" --offset -0.2 -o scaled.zav",
         &SetScalingCommand},
        {"set-units",
         "PROJECT.zav UNITS [--alias A] [--multiplier M] [--offset O]\n"
         "[--conversion \"NAME\"] [-o OUT.zav]",
         "Changes the units record UNITS as the units page does: the units its\n"
         "values are shown in (--alias) and how they are converted (x M + O), or\n"
         "a standard conversion of the conversions file applied by its name.\n"
         "Saves the project.",
         "zav-cli set-units basin.zav \"DEG C\" --alias \"deg F\" --multiplier 1.8 \\\n"
         "    --offset 32 -o units.zav",
         &SetUnitsCommand},
        {"mask",
         "PROJECT.zav --station S --parameter P [--from DATE] [--to DATE]\n"
         "[--below X] [--above X] [--unmask] [-o OUT.zav]",
         "Masks the points of one series from --from to --to (DATE is YYYY-MM-DD\n"
         "or YYYY-MM-DDTHH:MM[:SS]; a --to date alone takes its whole day); with\n"
         "--below or --above only the stored values below or above X. Masked\n"
         "points take no part in reports. --unmask counts them again. Saves the\n"
         "project.",
         "zav-cli mask basin.zav --station NB-ASHFORD-0101 \\\n"
         "    --parameter \"DISSOLVD OXYGEN\" --from 1995-01-01 --to 1995-06-30 \\\n"
         "    --below 9 -o masked.zav",
         &MaskCommand},
        {"delete",
         "PROJECT.zav --station S [--parameter P] [--from DATE] [--to DATE]\n[-o OUT.zav]",
         "Deletes the points of station S (of parameter P only, with it) from\n"
         "--from to --to; a station with neither a parameter nor dates is\n"
         "deleted whole. Saves the project.",
         "zav-cli delete basin.zav --station NB-ASHFORD-0101 \\\n"
         "    --parameter \"DISSOLVD OXYGEN\" --from 1994-01-01 --to 1994-03-31 \\\n"
         "    -o trimmed.zav",
         &DeleteCommand},
        {"run", "PROJECT.zav SCRIPT [-o OUT.zav] [--dry-run]",
         "Runs the editing commands of a command file on the project, one a\n"
         "line, each without the project (rename-station OLD NEW); # begins a\n"
         "comment and words are quoted as in a shell. Saves once at the end; the\n"
         "first line that fails is named and nothing is saved. --dry-run says\n"
         "what each line would change and saves nothing.",
         "zav-cli run basin.zav clean-basin.txt --dry-run", &RunCommand},
    };
    return commands;
}
}  // namespace

const std::vector<CommandInfo>& CommandList() {
    return Commands();
}

void RegisterCommand(const CommandInfo& command) {
    Commands().push_back(command);
}

const CommandInfo* FindCommand(const std::string& name) {
    const auto& commands = CommandList();
    auto it = std::find_if(commands.begin(), commands.end(),
                           [&](const CommandInfo& c) { return name == c.name; });
    return it == commands.end() ? nullptr : &*it;
}

std::string CommandUsage(const CommandInfo& command) {
    std::string usage = std::string("zav-cli ") + command.name + " ";
    for (const char* c = command.arguments; *c != '\0'; ++c) {
        usage += *c == '\n' ? std::string(kContinuation) : std::string(1, *c);
    }
    return usage;
}

namespace {
// Every line of `text` after the first indented by two more blanks.
std::string IndentContinuations(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        text.insert(at + 1, "  ");
    }
    return text;
}
}  // namespace

std::string OverviewText() {
    std::string text =
        "Usage:\n"
        "  zav-cli COMMAND ARGUMENTS...\n"
        "  zav-cli help COMMAND      (or zav-cli COMMAND --help)\n"
        "  zav-cli --version\n"
        "\n"
        "Commands:\n";
    for (const CommandInfo& command : CommandList()) {
        text += "  " + IndentContinuations(CommandUsage(command)) + "\n";
    }
    return text + "\n" + kExitStatuses;
}

std::string CommandHelpText(const CommandInfo& command) {
    return "Usage:\n  " + IndentContinuations(CommandUsage(command)) + "\n\n" + command.summary +
           "\n\nExample:\n  " + IndentContinuations(command.example) + "\n\n" + kExitStatuses;
}

std::string VersionText() {
    return std::string("zav-cli ") + ZAV_VERSION;
}

namespace {

std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    for (const CommandInfo& command : CommandList()) {
        names.emplace_back(command.name);
    }
    return names;
}

int UnknownCommand(const std::string& name, std::ostream& err) {
    err << "zav-cli: unknown command '" << name << "'\n";
    if (std::string nearest = NearestWord(name, CommandNames()); !nearest.empty()) {
        err << "Did you mean '" << nearest << "'?\n";
    }
    err << "Run zav-cli --help for the commands.\n";
    return kUsage;
}

// Printed help is the command's output: a failed write fails the command.
int Print(std::ostream& out, const std::string& text) {
    out << text;
    out.flush();
    return out ? kOk : kFailed;
}

int Help(const Words& topics, std::ostream& out, std::ostream& err) {
    if (topics.empty()) {
        return Print(out, OverviewText());
    }
    if (topics.size() > 1) {
        return Usage(err, "help takes one command");
    }
    const CommandInfo* command = FindCommand(topics[0]);
    return command == nullptr ? UnknownCommand(topics[0], err)
                              : Print(out, CommandHelpText(*command));
}

}  // namespace

int RunCommandLine(const Words& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        err << OverviewText();
        return kUsage;
    }
    const std::string& name = words[0];
    const Words rest(words.begin() + 1, words.end());
    if (name == "--help" || name == "-h" || name == "help") {
        return Help(rest, out, err);
    }
    if (name == "--version") {
        return Print(out, VersionText() + "\n");
    }
    const CommandInfo* command = FindCommand(name);
    if (command == nullptr) {
        return UnknownCommand(name, err);
    }
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
        std::find(rest.begin(), rest.end(), "-h") != rest.end()) {
        return Print(out, CommandHelpText(*command));
    }
    return command->run(rest, out, err);
}

}  // namespace zav::cli
