// GraphDescription: what a graph window draws, worked out from the page's
// selection without drawing anything: groups (pages shown one at a time),
// each with named series over the interval grid whose points may be marked
// missing and an optional threshold line; titles, the x labels and which of
// them show, the y range and labels, and whether the grid is fine. Every
// point also has its time (seconds on the civil time line), so the graph can
// be drawn on a time axis.
#pragma once

#include <string>
#include <vector>

#include "analysis/ReportRequest.h"

namespace zav {

class ZAVFieldManager;

enum class GraphKind {
    kValuesMaxMeanMin,  // a group per station: max, min and mean, every point drawn
    kValuesMean,        // one series of means per station; missing points are not drawn
    kAvailability,      // a strip of points per item at height i + 1 where there are data
    kRawPoints,         // every stored point of each station over the span, at its time
    kHeatMap,           // availability as cells: items as rows, intervals as columns
};

struct GraphSeries {
    std::string name;            // the legend text
    std::vector<double> values;  // one per interval; 0.0 where missing
    std::vector<bool> missing;   // true: the point is not drawn
    // Raw points only: the time of each value; values then hold only
    // points that are drawn and `missing` is empty.
    std::vector<double> times;
};

// The heat map's cells, row by row: each interval's coverage as a share
// (0 to 1, the report's coverage over 100). A row whose sampling step is
// unknown (fewer than two values and no expected step given) has no
// coverage: its cells are 1 where the item has data and 0 where not.
struct HeatMapCells {
    std::vector<std::string> rows;
    std::vector<double> cells;       // rows x intervals, row-major
    std::vector<bool> presenceOnly;  // per row: cells are 1/0, not coverage
    double At(size_t row, size_t interval, size_t intervals) const {
        return cells[row * intervals + interval];
    }
};

struct GraphGroup {
    std::string caption;  // the window's caption while the group is shown
    std::string title;
    std::vector<GraphSeries> series;
    std::vector<GraphSeries> overlays;  // the threshold line, when asked for
};

struct GraphDescription {
    // Names the graph's kind for the window and any saved look:
    // "zav_data_values", "zav_data_values_line" or "zav_data_avail".
    std::string name;
    GraphKind kind = GraphKind::kAvailability;
    std::string bottomTitle;
    std::string leftTitle;
    std::vector<GraphGroup> groups;
    std::vector<std::string> xLabels;  // one per point: the report's column labels
    int labelStep = 1;                 // every labelStep-th x label shows, from the first
    bool fineGrid = false;             // a grid line at every point
    double yMin = 0.0;
    double yMax = 0.0;
    int yTicks = 0;                    // intervals between y grid lines; 0: none
    std::vector<std::string> yLabels;  // yLabels[i] stands at height i + 1
    std::vector<double> xTimes;        // the time of each point: its interval's label time
    std::vector<double> xEdges;        // interval i runs from xEdges[i] to xEdges[i + 1]
    HeatMapCells heatMap;              // kHeatMap only

    int PointCount() const { return static_cast<int>(xLabels.size()); }
    bool ShowsXLabel(int point) const { return point % labelStep == 0; }
};

// What a heat map's cell says, for the readout under the cursor: the row's
// name and "45.2 %", or "data" / "no data" in a row without coverage.
// Empty outside the cells (`time` in seconds, as the edges).
std::string HeatMapCellText(const GraphDescription& graph, size_t row, double time);

// With many points only every k-th label has room: k = points / 50 + 1.
int GraphLabelStep(int points);
// Few points get a grid line at each of them.
bool GraphUsesFineGrid(int points);

enum class GraphOutcome {
    kBuilt,
    kNoSelection,  // "Please select items to graph from the listboxes."
    kBadStep,      // "Interval span must be greater than zero."
    kNoIntervals,  // "Date span selected yields no plotting intervals."
    kDeclined,     // No to the question about more than 500 points
};

// The graph of the request's selection, read from the store once; the
// messages go through the store's UserInterface. The plot style picks
// between the values graphs; a main list of parameters, or the data type
// availability, gives the availability graph. The heat map style gives the
// coverage heat map whatever the data type, counted as the report counts it
// (the statistics options' expected step and year start).
GraphOutcome BuildGraphDescription(ZAVFieldManager& store, const ReportRequest& request,
                                   GraphDescription& graph);

// The units a parameter's values are shown in: its units record's alias, or
// its stored units when the record names none.
std::string ShownUnits(const ZAVFieldManager& store, const std::string& parameter);

}  // namespace zav
