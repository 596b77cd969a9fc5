// zav-cli report: the availability page's report table for one selection,
// printed as the page's export writes it (the table file, the transposed
// file or the time series). Where the page would stop with a message, the
// message goes to standard error and nothing to standard output. --format
// csv and json write the same table for programs to read.
#include <array>

#include "analysis/IntervalLabels.h"
#include "analysis/ReportExport.h"
#include "cli/CliCommon.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/Selection.h"
#include "cli/StatisticsArguments.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"

namespace zav::cli {

namespace {

const std::array<const char*, 6> kUnitNames = {"years", "months", "weeks",
                                               "days",  "hours",  "minutes"};

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

// The names of --items and --item, in the order given: --items splits its
// value at commas, --item takes one name as it is.
std::vector<std::string> MainItems(const Arguments& args) {
    std::vector<std::string> items;
    for (const auto& [option, value] : args.Options()) {
        if (option == "--items") {
            const std::vector<std::string> split = SplitItems(value);
            items.insert(items.end(), split.begin(), split.end());
        } else if (option == "--item") {
            items.push_back(value);
        }
    }
    return items;
}

}  // namespace

std::string ReadSelection(const Arguments& args, const char* command, ReportRequest& request) {
    for (const char* required : {"--main", "--other", "--start", "--end", "--unit"}) {
        if (!args.Value(required)) {
            return std::string(command) + " needs " + required;
        }
    }
    if (!args.Has("--items") && !args.Has("--item")) {
        return std::string(command) + " needs --items or --item";
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
    if (!ParseDate(*args.Value("--start"), s.startYear, s.startMonth, s.startDay)) {
        return "--start takes a date YYYY-MM-DD";
    }
    if (!ParseDate(*args.Value("--end"), s.endYear, s.endMonth, s.endDay)) {
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
    request.mainItems = MainItems(args);
    request.otherItem = *args.Value("--other");
    if (args.Has("--transpose") && args.Has("--timeseries")) {
        return "--transpose and --timeseries exclude each other";
    }
    return ReadReportStatistics(args, s);
}

namespace {

// --format csv and json write the table itself; the transposed file and the
// time series are text exports only.
std::string ReadFormat(const Arguments& args, OutputFormat& format) {
    if (std::string problem = ReadOutputFormat(args, format); !problem.empty()) {
        return problem;
    }
    if (format != OutputFormat::kText && (args.Has("--transpose") || args.Has("--timeseries"))) {
        return "--transpose and --timeseries are text exports; leave out --format";
    }
    return std::string();
}

}  // namespace

std::unique_ptr<CZAVDoc> OpenForSelection(UserInterface& ui, const std::string& path,
                                          const ReportRequest& request, std::ostream& err) {
    auto doc = OpenProject(ui, path);
    if (doc && ReportUnknownNames(doc->FieldManager(), request, err)) {
        doc.reset();
    }
    return doc;
}

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
        } else if (index.Find(name) == nullptr) {
            // A group's representative lends its series to the group and has
            // no row of its own: asked for by name it gave a row of dashes.
            err << "The " << kind << " \"" << name << "\" stands for the group \""
                << index.GroupOf(name) << "\"; name the group.\n";
            unknown = true;
        }
    };
    for (const std::string& item : request.mainItems) {
        check(rows, rowKind, item);
    }
    check(other, otherKind, request.otherItem.value_or(""));
    return unknown;
}

namespace {

// The header row: the first cell's title, then where each interval begins.
std::vector<std::string> CsvHeader(const ReportTable& table, const ReportRequest& request) {
    std::vector<std::string> header = {table.header.front()};
    const std::vector<std::string> starts =
        IsoIntervalStarts(request.settings.Grid(), request.settings.unit);
    header.insert(header.end(), starts.begin(), starts.end());
    return header;
}

std::string TableCsv(const ReportTable& table, const ReportRequest& request) {
    std::string text = CsvRecord(CsvHeader(table, request));
    for (const ReportRow& row : table.rows) {
        std::vector<std::string> fields = {row.name};
        for (const std::optional<double>& value : row.values) {
            fields.push_back(value ? FormatExact(*value) : std::string());
        }
        text += CsvRecord(fields);
    }
    return text;
}

std::string TableJson(const ReportTable& table, const ReportRequest& request) {
    const AnalysisSettings& s = request.settings;
    JsonWriter json;
    json.BeginObject();
    json.Key("main").String(s.mainListKind == kMainStations ? "stations" : "parameters");
    json.Key("other").String(request.otherItem.value_or(""));
    json.Key("data").String(s.ReportsValues() ? "values" : "availability");
    json.Key("labels").BeginArray();
    for (const std::string& label : IsoIntervalStarts(s.Grid(), s.unit)) {
        json.String(label);
    }
    json.EndArray();
    json.Key("rows").BeginArray();
    for (const ReportRow& row : table.rows) {
        json.String(row.name);
    }
    json.EndArray();
    json.Key("cells").BeginArray();
    for (const ReportRow& row : table.rows) {
        json.BeginArray();
        for (const std::optional<double>& value : row.values) {
            value ? json.Number(*value) : json.Null();
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

bool Stopped(ReportOutcome outcome) {
    return outcome == ReportOutcome::kDeclined || outcome == ReportOutcome::kNoIntervals ||
           outcome == ReportOutcome::kBadStep;
}

}  // namespace

int ReportCommand(const Words& words, std::ostream& out, std::ostream& err) {
    std::vector<std::string> valueOptions = {"--main",   "--items",  "--item", "--other",
                                             "--start",  "--end",    "--unit", "--every",
                                             "--format", "--max-gap"};
    valueOptions.insert(valueOptions.end(), kStatisticsValueOptions.begin(),
                        kStatisticsValueOptions.end());
    Arguments args(words,
                   {"--values", "--fill-gaps", "--mark-filled", "--transpose", "--timeseries"},
                   valueOptions);
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, "report takes one project: " + CommandUsage(*FindCommand("report")));
    }
    ReportRequest request;
    OutputFormat format = OutputFormat::kText;
    if (std::string problem = ReadSelection(args, "report", request); !problem.empty()) {
        return Usage(err, problem);
    }
    if (std::string problem = ReadFormat(args, format); !problem.empty()) {
        return Usage(err, problem);
    }
    ConsoleUserInterface ui(true);
    auto doc = OpenForSelection(ui, args.Positional()[0], request, err);
    if (!doc) {
        return kFailed;
    }
    ZAVFieldManager& store = doc->FieldManager();
    ReportTable table;
    if (Stopped(RebuildTable(store, request, table))) {
        return kFailed;
    }
    std::string text;
    if (format == OutputFormat::kCsv) {
        text = TableCsv(table, request);
    } else if (format == OutputFormat::kJson) {
        text = TableJson(table, request);
    } else if (args.Has("--timeseries")) {
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
