// zav-cli export PROJECT.zav -o OUT.csv|OUT.nc ...: writes the project's
// points, or a selection of them, as tidy CSV or netCDF, as File > Export
// Data does.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "core/FileIO.h"
#include "io/DataExport.h"

namespace zav::cli {

namespace {

const char* const kExportUsage =
    "zav-cli export PROJECT.zav -o OUT.csv|OUT.nc [--format csv|netcdf] [--scaled]\n"
    "    [--stations A,B] [--parameters P,Q] [--start YYYY-MM-DD] [--end YYYY-MM-DD]";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The date option as the first (or with `last`, the last) second of its day.
bool ReadDay(const Arguments& args, const std::string& option, bool last, KTRTime& time) {
    const std::optional<std::string> text = args.Value(option);
    int year = 0, month = 0, day = 0;
    if (!text) {
        return true;
    }
    if (!ParseDate(*text, year, month, day)) {
        return false;
    }
    time = last ? KTRTime(year, month, day, 23, 59, 59) : KTRTime(year, month, day, 0, 0, 0);
    return true;
}

std::string ReadExportOptions(const Arguments& args, DataExportOptions& options, bool& netcdf) {
    const std::string out = args.Value("-o").value_or("");
    if (out.empty()) {
        return "export needs -o OUT.csv or -o OUT.nc";
    }
    const std::string format =
        args.Value("--format").value_or(EndsWith(out, ".nc") ? "netcdf" : "csv");
    if (format != "csv" && format != "netcdf") {
        return "--format takes csv or netcdf";
    }
    netcdf = format == "netcdf";
    if (auto stations = args.Value("--stations")) {
        options.stations = SplitItems(*stations);
    }
    if (auto parameters = args.Value("--parameters")) {
        options.parameters = SplitItems(*parameters);
    }
    if (!ReadDay(args, "--start", false, options.start) ||
        !ReadDay(args, "--end", true, options.end)) {
        return "--start and --end take a date YYYY-MM-DD";
    }
    if (options.start.IsValid() && options.end.IsValid() && options.end < options.start) {
        return "--end is before --start";
    }
    options.scaled = args.Has("--scaled");
    return "";
}

}  // namespace

int ExportCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(words, {"--scaled"},
                   {"-o", "--format", "--stations", "--parameters", "--start", "--end"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, std::string("export takes one project: ") + kExportUsage);
    }
    DataExportOptions options;
    bool netcdf = false;
    if (std::string error = ReadExportOptions(args, options, netcdf); !error.empty()) {
        return Usage(err, error);
    }
    ConsoleUserInterface ui;
    auto doc = OpenProject(ui, args.Positional()[0]);
    if (!doc) {
        return kFailed;
    }
    std::string error;
    const std::vector<ExportSeries> selection =
        SelectExportSeries(doc->FieldManager(), options, error);
    if (!error.empty()) {
        err << "zav-cli: export: " << error << "\n";
        return kFailed;
    }
    const ExportCounts counts = CountExport(selection);
    if (counts.points == 0) {
        err << "zav-cli: export: no points in the selection; nothing was written.\n";
        return kFailed;
    }
    const std::string path = *args.Value("-o");
    if (!WriteExportFile(selection, path, netcdf, error)) {
        err << "zav-cli: export: " << (error.empty() ? "cannot write " + path : error) << "\n";
        return kFailed;
    }
    out << "Exported " << counts.points << (counts.points == 1 ? " point" : " points") << " of "
        << counts.series << (counts.series == 1 ? " series" : " series") << " to " << path << ".\n";
    return kOk;
}

}  // namespace zav::cli
