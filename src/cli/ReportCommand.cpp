// zav-cli report: the availability page's report table for one selection,
// printed as the page's export writes it (the table file, the transposed
// file or the time series). Where the page would stop with a message, the
// message goes to standard error and nothing to standard output.
#include <array>

#include "analysis/ReportExport.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/Selection.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"

namespace zav::cli {

namespace {

const char* const kReportUsage =
    "zav-cli report PROJECT.zav --main stations|parameters --items NAME[,NAME...]\n"
    "        --other NAME --start YYYY-MM-DD --end YYYY-MM-DD\n"
    "        --unit years|months|weeks|days|hours|minutes [--every N]\n"
    "        [--values] [--fill-gaps] [--transpose | --timeseries]";

bool Stopped(ReportOutcome outcome) {
    return outcome == ReportOutcome::kDeclined || outcome == ReportOutcome::kNoIntervals ||
           outcome == ReportOutcome::kBadStep;
}

}  // namespace

int ReportCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(words, {"--values", "--fill-gaps", "--transpose", "--timeseries"},
                   {"--main", "--items", "--other", "--start", "--end", "--unit", "--every"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, std::string("report takes one project: ") + kReportUsage);
    }
    ReportRequest request;
    if (std::string problem = ReadSelection(args, "report", request); !problem.empty()) {
        return Usage(err, problem);
    }
    if (args.Has("--transpose") && args.Has("--timeseries")) {
        return Usage(err, "--transpose and --timeseries exclude each other");
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
