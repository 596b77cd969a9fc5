// zav-cli info PROJECT.zav [--format text|csv|json]: what a project holds.
// --json is the older spelling of --format json.
#include <algorithm>
#include <sstream>

#include "cli/CliCommon.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "core/TextFormat.h"

namespace zav::cli {

namespace {

struct ProjectSummary {
    struct Source {
        std::string fileName;
        size_t seriesCount;
    };
    struct Aggregate {
        std::string alias;
        std::vector<std::string> members;  // representative first
    };
    std::vector<Source> sources;
    std::vector<std::string> stations;
    std::vector<std::pair<std::string, std::string>> parameters;  // name, units
    std::vector<UnitsRecord> units;
    std::vector<Aggregate> stationAggregates;
    std::vector<Aggregate> parameterAggregates;
    bool hasDates = false;
    std::string firstDate;
    std::string lastDate;
    size_t points = 0;
};

std::vector<ProjectSummary::Aggregate> AggregatesOf(const NameIndex& index) {
    std::vector<IndexInfo> infos;
    std::vector<std::string> aliases;
    index.GetAggregates(infos, aliases);
    std::vector<ProjectSummary::Aggregate> out;
    for (const IndexInfo& info : infos) {
        ProjectSummary::Aggregate aggregate{info.alias, {info.name}};
        aggregate.members.insert(aggregate.members.end(), info.members.begin(), info.members.end());
        out.push_back(std::move(aggregate));
    }
    return out;
}

ProjectSummary Summarise(const ZAVFieldManager& store) {
    ProjectSummary summary;
    for (const DataSource& source : store.Sources()) {
        summary.sources.push_back({source.fileName, source.series.size()});
    }
    std::vector<IndexInfo> infos;
    store.Stations().GetInfoList(infos);
    for (const IndexInfo& info : infos) {
        summary.stations.push_back(info.name);
    }
    store.Parameters().GetInfoList(infos);
    for (const IndexInfo& info : infos) {
        summary.parameters.emplace_back(info.name, info.units);
    }
    store.GetUnitsList(summary.units);
    summary.stationAggregates = AggregatesOf(store.Stations());
    summary.parameterAggregates = AggregatesOf(store.Parameters());
    int fd = 0, fm = 0, fy = -1, ld = 0, lm = 0, ly = -1;
    store.GetDateRange(fd, fm, fy, ld, lm, ly);
    if (fy != -1) {
        summary.hasDates = true;
        summary.firstDate = IsoDate(fy, fm, fd);
        summary.lastDate = IsoDate(ly, lm, ld);
    }
    summary.points = store.PointCount();
    return summary;
}

void WriteAggregatesText(std::ostream& out, const char* title,
                         const std::vector<ProjectSummary::Aggregate>& aggregates) {
    out << title << " (" << aggregates.size() << "):\n";
    for (const auto& aggregate : aggregates) {
        out << "  " << aggregate.alias << ":";
        for (size_t i = 0; i < aggregate.members.size(); ++i) {
            out << (i == 0 ? " " : ", ") << aggregate.members[i];
        }
        out << "\n";
    }
}

void WriteText(std::ostream& out, const std::string& path, const ProjectSummary& s) {
    out << "Project: " << path << "\n";
    out << "Sources (" << s.sources.size() << "):\n";
    for (const auto& source : s.sources) {
        out << "  " << (source.fileName.empty() ? "(no file)" : source.fileName) << "\t"
            << source.seriesCount << " series\n";
    }
    out << "Stations (" << s.stations.size() << "):\n";
    for (const auto& station : s.stations) {
        out << "  " << station << "\n";
    }
    out << "Parameters (" << s.parameters.size() << "):\n";
    for (const auto& [name, units] : s.parameters) {
        out << "  " << name << " (" << units << ")\n";
    }
    out << "Units records (" << s.units.size() << "):\n";
    for (const UnitsRecord& u : s.units) {
        out << "  " << u.name << " -> " << u.alias << "\tx " << FormatExact(u.multiplier) << " + "
            << FormatExact(u.offset) << "\t" << u.comment << "\n";
    }
    WriteAggregatesText(out, "Station aggregates", s.stationAggregates);
    WriteAggregatesText(out, "Parameter aggregates", s.parameterAggregates);
    if (s.hasDates) {
        out << "Date range: " << s.firstDate << " to " << s.lastDate << "\n";
    } else {
        out << "Date range: none\n";
    }
    out << "Points: " << s.points << "\n";
}

void WriteAggregatesJson(JsonWriter& json, const std::vector<ProjectSummary::Aggregate>& list) {
    json.BeginArray();
    for (const auto& aggregate : list) {
        json.BeginObject();
        json.Key("alias").String(aggregate.alias);
        json.Key("members").BeginArray();
        for (const auto& member : aggregate.members) {
            json.String(member);
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteJson(std::ostream& out, const std::string& path, const ProjectSummary& s) {
    JsonWriter json;
    json.BeginObject();
    json.Key("project").String(path);
    json.Key("sources").BeginArray();
    for (const auto& source : s.sources) {
        json.BeginObject();
        json.Key("fileName").String(source.fileName);
        json.Key("seriesCount").Number(static_cast<double>(source.seriesCount));
        json.EndObject();
    }
    json.EndArray();
    json.Key("stations").BeginArray();
    for (const auto& station : s.stations) {
        json.String(station);
    }
    json.EndArray();
    json.Key("parameters").BeginArray();
    for (const auto& [name, units] : s.parameters) {
        json.BeginObject();
        json.Key("name").String(name);
        json.Key("units").String(units);
        json.EndObject();
    }
    json.EndArray();
    json.Key("units").BeginArray();
    for (const UnitsRecord& u : s.units) {
        json.BeginObject();
        json.Key("name").String(u.name);
        json.Key("alias").String(u.alias);
        json.Key("comment").String(u.comment);
        json.Key("multiplier").Number(u.multiplier);
        json.Key("offset").Number(u.offset);
        json.EndObject();
    }
    json.EndArray();
    json.Key("aggregates").BeginObject();
    json.Key("stations");
    WriteAggregatesJson(json, s.stationAggregates);
    json.Key("parameters");
    WriteAggregatesJson(json, s.parameterAggregates);
    json.EndObject();
    json.Key("dateRange");
    if (s.hasDates) {
        json.BeginObject();
        json.Key("first").String(s.firstDate);
        json.Key("last").String(s.lastDate);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("points").Number(static_cast<double>(s.points));
    json.EndObject();
    out << json.Text() << "\n";
}

// "1995-07-14T03:00:00".
std::string IsoTime(const KTRTime& time) {
    const CalendarFields f = time.Fields();
    return Format("%04d-%02d-%02dT%02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
}

// One row per series, in the order of the sources: what a program needs to
// find a series and see how much it holds.
void WriteCsv(std::ostream& out, const ZAVFieldManager& store) {
    out << CsvRecord({"source", "station", "parameter", "units", "multiplier", "offset", "points",
                      "masked", "first", "last"});
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            const auto& times = series.Times();
            const auto [first, last] = std::minmax_element(times.begin(), times.end());
            const auto masked = std::count_if(series.Masks().begin(), series.Masks().end(),
                                              [](int32_t mask) { return mask != 0; });
            out << CsvRecord({source.fileName, series.StationName(), series.ParameterName(),
                              series.Units(), FormatExact(series.Multiplier()),
                              FormatExact(series.Offset()), std::to_string(series.Size()),
                              std::to_string(masked), times.empty() ? "" : IsoTime(*first),
                              times.empty() ? "" : IsoTime(*last)});
        }
    }
}

// --json and --format; an error text when they disagree.
std::string ReadFormat(const Arguments& args, OutputFormat& format) {
    if (std::string problem = ReadOutputFormat(args, format); !problem.empty()) {
        return problem;
    }
    if (args.Has("--json") && args.Has("--format") && format != OutputFormat::kJson) {
        return "--json and --format " + *args.Value("--format") + " exclude each other";
    }
    if (args.Has("--json")) {
        format = OutputFormat::kJson;
    }
    return std::string();
}

}  // namespace

int InfoCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(words, {"--json"}, {"--format"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, "info takes one project: " + CommandUsage(*FindCommand("info")));
    }
    OutputFormat format = OutputFormat::kText;
    if (std::string problem = ReadFormat(args, format); !problem.empty()) {
        return Usage(err, problem);
    }
    const std::string& path = args.Positional()[0];
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, path);
    if (!doc) {
        return kFailed;
    }
    if (format == OutputFormat::kCsv) {
        WriteCsv(out, doc->FieldManager());
    } else if (format == OutputFormat::kJson) {
        WriteJson(out, path, Summarise(doc->FieldManager()));
    } else {
        WriteText(out, path, Summarise(doc->FieldManager()));
    }
    out.flush();
    return out ? kOk : kFailed;
}

}  // namespace zav::cli
