// zav-cli report: the availability page's report table for one selection,
// printed as the page's export writes it (the table file, the transposed
// file or the time series). Where the page would stop with a message, the
// message goes to standard error and nothing to standard output.
#include <array>

#include "analysis/ReportExport.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/StatisticsArguments.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"

namespace zav::cli {

namespace {

const char* const kReportUsage =
    "zav-cli report PROJECT.zav --main stations|parameters --items NAME[,NAME...]\n"
    "        --other NAME --start YYYY-MM-DD --end YYYY-MM-DD\n"
    "        --unit years|months|weeks|days|hours|minutes [--every N]\n"
    "        [--values] [--stat NAME] [--expected-step STEP] [--min-coverage PERCENT]\n"
    "        [--year-start MONTH] [--fill-gaps [--max-gap N] [--mark-filled]]\n"
    "        [--transpose | --timeseries]";

const std::array<const char*, 6> kUnitNames = {"years", "months", "weeks",
                                               "days",  "hours",  "minutes"};

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        items.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return items;
        }
        begin = comma + 1;
    }
}

// The statistic and its options. A statistic makes a table of values;
// filling options need --fill-gaps, and the time series is the daily
// means alone.
std::string ReadReportStatistics(const Arguments& args, AnalysisSettings& s) {
    StatisticsOptions& options = s.statistics;
    if (std::string problem = ReadStatisticsOptions(args, options); !problem.empty()) {
        return problem;
    }
    if (args.Has("--stat")) {
        if (s.mainListKind != kMainStations) {
            return "--stat needs --main stations: a main list of parameters reports availability";
        }
        s.dataType = kDataValues;
    }
    if (auto gap = args.Value("--max-gap")) {
        int intervals = 0;
        if (!ParseWholeInt(*gap, intervals) || intervals < 1) {
            return "--max-gap takes a number of intervals, 1 or more";
        }
        options.maxGap = static_cast<size_t>(intervals);
    }
    options.markFilled = args.Has("--mark-filled");
    if ((options.maxGap > 0 || options.markFilled) && !s.fillGaps) {
        return "--max-gap and --mark-filled need --fill-gaps";
    }
    if (args.Has("--timeseries") && !options.IsPageDefault()) {
        return "--timeseries writes daily means: it takes no statistics options";
    }
    return std::string();
}

// Reads the options into a request; an error text when they do not make one.
std::string ReadRequest(const Arguments& args, ReportRequest& request) {
    for (const char* required : {"--main", "--items", "--other", "--start", "--end", "--unit"}) {
        if (!args.Value(required)) {
            return std::string("report needs ") + required;
        }
    }
    AnalysisSettings& s = request.settings;
    const std::string main = *args.Value("--main");
    if (main != "stations" && main != "parameters") {
        return "--main takes stations or parameters";
    }
    s.mainListKind = main == "stations" ? kMainStations : kMainParameters;
    // A main list of parameters reports availability only, as on the page.
    s.dataType =
        args.Has("--values") && s.mainListKind == kMainStations ? kDataValues : kDataAvailability;
    s.fillGaps = args.Has("--fill-gaps");
    if (!ParseIsoDate(*args.Value("--start"), s.startYear, s.startMonth, s.startDay)) {
        return "--start takes a date YYYY-MM-DD";
    }
    if (!ParseIsoDate(*args.Value("--end"), s.endYear, s.endMonth, s.endDay)) {
        return "--end takes a date YYYY-MM-DD";
    }
    const std::string unit = *args.Value("--unit");
    s.unit = -1;
    for (size_t i = 0; i < kUnitNames.size(); ++i) {
        if (unit == kUnitNames[i]) {
            s.unit = static_cast<int>(i);
        }
    }
    if (s.unit < 0) {
        return "--unit takes years, months, weeks, days, hours or minutes";
    }
    s.every = 1;
    if (auto every = args.Value("--every"); every && !ParseWholeInt(*every, s.every)) {
        return "--every takes an integer";
    }
    request.mainItems = SplitItems(*args.Value("--items"));
    request.otherItem = *args.Value("--other");
    if (args.Has("--transpose") && args.Has("--timeseries")) {
        return "--transpose and --timeseries exclude each other";
    }
    return ReadReportStatistics(args, s);
}

// Names each name of the selection that the project has neither as a name
// nor as an aggregate's alias; true when there was one. Left to the report,
// such a name gave a row of dashes, as if the station had no data.
bool ReportUnknownNames(const ZAVFieldManager& store, const ReportRequest& request,
                        std::ostream& err) {
    const bool stationRows = request.settings.mainListKind == kMainStations;
    const NameIndex& rows = stationRows ? store.Stations() : store.Parameters();
    const NameIndex& other = stationRows ? store.Parameters() : store.Stations();
    const char* rowKind = stationRows ? "station" : "parameter";
    const char* otherKind = stationRows ? "parameter" : "station";
    bool unknown = false;
    auto check = [&](const NameIndex& index, const char* kind, const std::string& name) {
        if (index.Lookup(name) == nullptr) {
            err << "The project has no " << kind << " \"" << name << "\".\n";
            unknown = true;
        }
    };
    for (const std::string& item : request.mainItems) {
        check(rows, rowKind, item);
    }
    check(other, otherKind, request.otherItem.value_or(""));
    return unknown;
}

bool Stopped(ReportOutcome outcome) {
    return outcome == ReportOutcome::kDeclined || outcome == ReportOutcome::kNoIntervals ||
           outcome == ReportOutcome::kBadStep;
}

}  // namespace

int ReportCommand(const Words& words, std::ostream& out, std::ostream& err) {
    std::vector<std::string> valueOptions = {"--main", "--items", "--other", "--start",
                                             "--end",  "--unit",  "--every", "--max-gap"};
    valueOptions.insert(valueOptions.end(), kStatisticsValueOptions.begin(),
                        kStatisticsValueOptions.end());
    Arguments args(words,
                   {"--values", "--fill-gaps", "--mark-filled", "--transpose", "--timeseries"},
                   valueOptions);
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, std::string("report takes one project: ") + kReportUsage);
    }
    ReportRequest request;
    if (std::string problem = ReadRequest(args, request); !problem.empty()) {
        return Usage(err, problem);
    }
    ConsoleUserInterface ui(true);
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    ZAVFieldManager& store = doc->FieldManager();
    if (ReportUnknownNames(store, request, err)) {
        return kFailed;
    }
    ReportTable table;
    if (Stopped(RebuildTable(store, request, table))) {
        return kFailed;
    }
    std::string text;
    if (args.Has("--timeseries")) {
        if (!BuildTimeseriesText(store, request, text)) {
            return kFailed;
        }
        // The page writes no file for an empty series.
        if (!text.empty()) {
            text += "\r\n";
        }
    } else if (args.Has("--transpose")) {
        if (Stopped(TransposedFileText(store, request, table, text))) {
            return kFailed;
        }
    } else {
        text = TableFileText(table);
    }
    out << text;
    out.flush();
    return out ? kOk : kFailed;
}

}  // namespace zav::cli
