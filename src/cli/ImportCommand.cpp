// zav-cli import PROJECT.zav FILE... --time COLUMN --value COLUMN ...: adds
// tidy CSV files as Data > Add From CSV does and saves the project. Any cell
// that cannot be read keeps the project as it was unless --skip-bad is given,
// and the exit status is 0 only when every cell was read.
#include <algorithm>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "io/CsvTime.h"

namespace zav::cli {

namespace {

const char* const kImportUsage =
    "zav-cli import PROJECT.zav FILE... [-o OUT.zav]\n"
    "    [--delimiter auto|comma|semicolon|tab|pipe] [--decimal point|comma]\n"
    "    --time COLUMN [--time COLUMN] [--time-format auto|PATTERN] [--utc-offset +HH:MM]\n"
    "    (--station NAME | --station-column COLUMN)\n"
    "    [--parameter NAME | --parameter-column COLUMN] [--units NAME | --units-column COLUMN]\n"
    "    --value COLUMN [--value COLUMN ...] [--remark COLUMN|- ...]\n"
    "    [--mask-column COLUMN] [--censored skip|limit|half|zero] [--mask-remarks CODES]\n"
    "    [--skip-bad]";

// A value from a fixed list of words; false when it is not one of them.
template <typename T>
bool Choose(const Arguments& args, const std::string& option,
            const std::vector<std::pair<std::string, T>>& words, T& value) {
    const std::optional<std::string> given = args.Value(option);
    if (!given) {
        return true;
    }
    for (const auto& [word, meaning] : words) {
        if (*given == word) {
            value = meaning;
            return true;
        }
    }
    return false;
}

std::string ReadChoices(const Arguments& args, CsvImportOptions& options) {
    if (!Choose<char>(
            args, "--delimiter",
            {{"auto", 0}, {"comma", ','}, {"semicolon", ';'}, {"tab", '\t'}, {"pipe", '|'}},
            options.delimiter)) {
        return "--delimiter takes auto, comma, semicolon, tab or pipe";
    }
    if (!Choose<bool>(args, "--decimal", {{"point", false}, {"comma", true}},
                      options.decimalComma)) {
        return "--decimal takes point or comma";
    }
    if (!Choose<CensoredRule>(args, "--censored",
                              {{"skip", CensoredRule::kSkip},
                               {"limit", CensoredRule::kLimit},
                               {"half", CensoredRule::kHalf},
                               {"zero", CensoredRule::kZero}},
                              options.censored)) {
        return "--censored takes skip, limit, half or zero";
    }
    if (auto offset = args.Value("--utc-offset");
        offset && !ReadUtcOffset(*offset, options.utcOffsetMinutes)) {
        return "--utc-offset takes +HH:MM or -HH:MM";
    }
    return "";
}

std::string ReadOptions(const Arguments& args, CsvImportOptions& options) {
    if (std::string error = ReadChoices(args, options); !error.empty()) {
        return error;
    }
    options.timeColumns = args.Values("--time");
    options.timeFormat = args.Value("--time-format").value_or("");
    options.station = args.Value("--station").value_or("");
    options.stationColumn = args.Value("--station-column").value_or("");
    options.parameter = args.Value("--parameter").value_or("");
    options.parameterColumn = args.Value("--parameter-column").value_or("");
    options.units = args.Value("--units").value_or("");
    options.unitsColumn = args.Value("--units-column").value_or("");
    options.valueColumns = args.Values("--value");
    options.remarkColumns = args.Values("--remark");
    options.maskColumn = args.Value("--mask-column").value_or("");
    options.maskRemarks = SplitItems(args.Value("--mask-remarks").value_or(""));
    options.skipBad = args.Has("--skip-bad");
    return CheckCsvOptions(options);
}

// What the files gave, on standard output.
void PrintSummary(std::ostream& out, const ImportReport& report, int added) {
    out << "Imported " << report.Values() << (report.Values() == 1 ? " value" : " values")
        << " from " << added << (added == 1 ? " file" : " files") << ".\n";
}

}  // namespace

int ImportCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(
        words, {"--skip-bad"},
        {"-o", "--delimiter", "--decimal", "--time", "--time-format", "--utc-offset", "--station",
         "--station-column", "--parameter", "--parameter-column", "--units", "--units-column",
         "--value", "--remark", "--mask-column", "--censored", "--mask-remarks"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    const auto& positional = args.Positional();
    if (positional.size() < 2) {
        return Usage(err, std::string("import takes a project and files: ") + kImportUsage);
    }
    CsvImportOptions options;
    if (std::string error = ReadOptions(args, options); !error.empty()) {
        return Usage(err, "import: " + error);
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, positional[0]);
    if (!doc) {
        return kFailed;
    }
    std::vector<std::string> files(positional.begin() + 1, positional.end());
    ImportReport report;
    const CsvAddResult result = doc->AddCsvFiles(files, options, &report);
    if (const std::string message = ImportMessage(report); !message.empty()) {
        err << message << "\n";
    }
    if (result.refused) {
        const size_t cells = report.Unreadable();
        if (cells > 0) {
            err << "Nothing was imported: " << cells << (cells == 1 ? " cell" : " cells")
                << " could not be read. Give --skip-bad to import the rest.\n";
        } else {
            err << "Nothing was imported: not every file could be read.\n";
        }
        return kFailed;
    }
    if (result.added == 0) {
        err << "No data were read from the files given; the project was not saved.\n";
        return kFailed;
    }
    if (!SaveProject(*doc, args)) {
        return kFailed;
    }
    PrintSummary(out, report, result.added);
    return report.Unreadable() == 0 && result.allRead ? kOk : kFailed;
}

}  // namespace zav::cli
