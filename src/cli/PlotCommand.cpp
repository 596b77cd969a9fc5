// zav-cli plot: the graph window's drawing of a selection, written to a
// PNG, SVG or PDF file without a display. The selection is the report's;
// the drawing is the desktop program's own, reached through GraphFiles.
#include <cmath>
#include <cstdlib>

#include "analysis/GraphDescription.h"
#include "app/graphs/GraphFiles.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/Selection.h"
#include "cli/StatisticsArguments.h"
#include "store/ZAVFieldManager.h"

namespace zav::cli {

namespace {

constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 700;

struct PlotStyleName {
    const char* name;
    int style;
};
const PlotStyleName kStyles[] = {{"max-mean-min", kPlotMaxMeanMin},
                                 {"mean", kPlotMean},
                                 {"points", kPlotPoints},
                                 {"heatmap", kPlotHeatMap}};

// "WIDTHxHEIGHT", each side within what a picture may have.
bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    return x != std::string::npos && ParseWholeInt(std::string_view(text).substr(0, x), width) &&
           ParseWholeInt(std::string_view(text).substr(x + 1), height) &&
           width >= graphs::kSmallestSide && height >= graphs::kSmallestSide &&
           width <= graphs::kLargestSide && height <= graphs::kLargestSide;
}

// Reads what the plot adds to the selection; an error text when wrong.
std::string ReadPlotOptions(const Arguments& args, ReportRequest& request, int& width,
                            int& height) {
    AnalysisSettings& s = request.settings;
    const std::string style = args.Value("--style").value_or("max-mean-min");
    s.plotStyle = -1;
    for (const PlotStyleName& known : kStyles) {
        if (style == known.name) {
            s.plotStyle = known.style;
        }
    }
    if (s.plotStyle < 0) {
        return "--style takes max-mean-min, mean, points or heatmap";
    }
    if (s.plotStyle == kPlotPoints && !s.ReportsValues()) {
        return "--style points draws values: it needs --values and --main stations";
    }
    if (auto threshold = args.Value("--threshold")) {
        double value = 0.0;
        if (!ParseNumber(*threshold, value)) {
            return "--threshold takes a number";
        }
        if (!s.ReportsValues()) {
            return "--threshold draws over values: it needs --values and --main stations";
        }
        s.thresholdOn = true;
        // The page's box holds single precision; so does this.
        s.threshold = static_cast<float>(value);
    }
    if (!args.Value("-o")) {
        return "plot needs -o OUT.png|OUT.svg|OUT.pdf";
    }
    if (graphs::GraphFileKind(*args.Value("-o")).empty()) {
        return "-o takes a file ending in .png, .svg or .pdf";
    }
    width = kDefaultWidth;
    height = kDefaultHeight;
    if (auto size = args.Value("--size"); size && !ParseSize(*size, width, height)) {
        return "--size takes WIDTHxHEIGHT, each " + std::to_string(graphs::kSmallestSide) + " to " +
               std::to_string(graphs::kLargestSide);
    }
    return std::string();
}

size_t PointCount(const GraphDescription& graph) {
    size_t n = 0;
    for (const GraphGroup& group : graph.groups) {
        for (const GraphSeries& series : group.series) {
            n += series.values.size();
        }
    }
    return n;
}

}  // namespace

int PlotCommand(const Words& words, std::ostream& out, std::ostream& err) {
    Arguments args(
        words, {"--values", "--fill-gaps"},
        {"--main", "--items", "--item", "--other", "--start", "--end", "--unit", "--every",
         "--style", "--threshold", "-o", "--size", "--expected-step", "--year-start"});
    if (!args.Error().empty()) {
        return Usage(err, args.Error());
    }
    if (args.Positional().size() != 1) {
        return Usage(err, "plot takes one project");
    }
    ReportRequest request;
    int width = 0, height = 0;
    std::string problem = ReadSelection(args, "plot", request);
    if (problem.empty()) {
        problem = ReadPlotOptions(args, request, width, height);
    }
    // The heat map counts coverage as the report does: against the step
    // given and over years from the month given. Only these two are read.
    if (problem.empty()) {
        problem = ReadStatisticsOptions(args, request.settings.statistics);
    }
    if (!problem.empty()) {
        return Usage(err, problem);
    }
    ConsoleUserInterface ui(true);
    auto doc = OpenForSelection(ui, args.Positional()[0], request, err);
    if (!doc) {
        return kFailed;
    }
    ZAVFieldManager& store = doc->FieldManager();
    GraphDescription graph;
    if (BuildGraphDescription(store, request, graph) != GraphOutcome::kBuilt) {
        return kFailed;
    }
    if (request.settings.plotStyle == kPlotPoints && PointCount(graph) == 0) {
        err << "No values of the selection lie in the span: nothing to draw.\n";
        return kFailed;
    }
    std::string error;
    const std::string path = *args.Value("-o");
    if (!graphs::WriteGraphFile(graph, path, width, height, error)) {
        err << error << "\n";
        return kFailed;
    }
    out << "Wrote " << path << " (" << width << "x" << height << ")\n";
    return kOk;
}

}  // namespace zav::cli
