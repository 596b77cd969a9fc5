// zav-cli summary and duration: the summary tables of one station and
// parameter, year by year or as a duration table over a span.
#include "analysis/Summaries.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/StatisticsArguments.h"

namespace zav::cli {

namespace {

const char* const kSummaryUsage =
    "zav-cli summary PROJECT.zav --station S --parameter P [--year-start MONTH]\n"
    "        [--stat NAME] [--expected-step STEP] [--min-coverage PERCENT]";
const char* const kDurationUsage =
    "zav-cli duration PROJECT.zav --station S --parameter P --start YYYY-MM-DD --end YYYY-MM-DD";

// The options every summary needs; an error text when one is missing.
std::string Missing(const Arguments& args, std::initializer_list<const char*> required,
                    const char* command) {
    for (const char* option : required) {
        if (!args.Value(option)) {
            return std::string(command) + " needs " + option;
        }
    }
    return std::string();
}

// True, after saying so, when the project lacks the station or parameter.
bool UnknownPair(const ZAVFieldManager& store, const std::string& station,
                 const std::string& parameter, std::ostream& err) {
    bool unknown = false;
    if (store.Stations().Lookup(station) == nullptr) {
        err << "The project has no station \"" << station << "\".\n";
        unknown = true;
    }
    if (store.Parameters().Lookup(parameter) == nullptr) {
        err << "The project has no parameter \"" << parameter << "\".\n";
        unknown = true;
    }
    return unknown;
}

// Opens the project and prints what `make` gives; fails when it gives
// nothing, saying that the pair has no value.
template <class Make>
int PrintFor(const Arguments& args, std::ostream& out, std::ostream& err, Make make) {
    const std::string station = *args.Value("--station");
    const std::string parameter = *args.Value("--parameter");
    ConsoleUserInterface ui(true);
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    ZAVFieldManager& store = doc->FieldManager();
    if (UnknownPair(store, station, parameter, err)) {
        return kFailed;
    }
    std::optional<std::string> text = make(store, station, parameter);
    if (!text) {
        err << NoValuesMessage(station, parameter) << "\n";
        return kFailed;
    }
    out << *text;
    out.flush();
    return out ? kOk : kFailed;
}

}  // namespace

int SummaryCommand(const Words& words, std::ostream& out, std::ostream& err) {
    std::vector<std::string> valueOptions = {"--station", "--parameter"};
    valueOptions.insert(valueOptions.end(), kStatisticsValueOptions.begin(),
                        kStatisticsValueOptions.end());
    Arguments args(words, {}, valueOptions);
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, std::string("summary takes one project: ") + kSummaryUsage);
    }
    if (std::string problem = Missing(args, {"--station", "--parameter"}, "summary");
        !problem.empty()) {
        return Usage(err, problem);
    }
    StatisticsOptions options;
    options.statistic = Statistic::kMean;
    if (std::string problem = ReadStatisticsOptions(args, options); !problem.empty()) {
        return Usage(err, problem);
    }
    return PrintFor(
        args, out, err,
        [&](ZAVFieldManager& store, const std::string& station, const std::string& parameter) {
            return YearSummaryText(store, station, parameter, options);
        });
}

int DurationCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(words, {}, {"--station", "--parameter", "--start", "--end"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, std::string("duration takes one project: ") + kDurationUsage);
    }
    if (std::string problem =
            Missing(args, {"--station", "--parameter", "--start", "--end"}, "duration");
        !problem.empty()) {
        return Usage(err, problem);
    }
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    if (!ParseDate(*args.Value("--start"), y1, m1, d1)) {
        return Usage(err, "--start takes a date YYYY-MM-DD");
    }
    if (!ParseDate(*args.Value("--end"), y2, m2, d2)) {
        return Usage(err, "--end takes a date YYYY-MM-DD");
    }
    const KTRTime start(y1, m1, d1, 0, 0, 0);
    const KTRTime end(y2, m2, d2, 23, 59, 59);
    if (end < start) {
        err << "Date span selected yields no plotting intervals.\n";
        return kFailed;
    }
    return PrintFor(
        args, out, err,
        [&](ZAVFieldManager& store, const std::string& station, const std::string& parameter) {
            return DurationText(store, station, parameter, start, end);
        });
}

}  // namespace zav::cli
