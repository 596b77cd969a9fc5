// GraphChart: one group of a graph description as a Qt chart, on a time
// axis with round value ticks, and the part of it in view (the window).
// The graph window, the saved pictures and zav-cli plot all draw through it.
#pragma once

#include <QSizeF>

#include "analysis/GraphDescription.h"

class QChart;
class QPainter;
class QRectF;

namespace graphs {

// What part of the graph is in view: times x0 .. x1, values y0 .. y1.
struct GraphWindow {
    double x0 = 0.0;
    double x1 = 1.0;
    double y0 = 0.0;
    double y1 = 1.0;
};

// The whole graph: the span and the description's value range.
GraphWindow FullWindow(const zav::GraphDescription& graph);

// A new chart of `group` (its caller owns it), showing `window`.
QChart* BuildChart(const zav::GraphDescription& graph, int group, const GraphWindow& window);

// Shows `window` on a chart BuildChart made: axis ranges, ticks and labels
// thinned to the chart's present size, and long series decimated afresh.
void ShowWindow(QChart* chart, const zav::GraphDescription& graph, int group,
                const GraphWindow& window);

// The window a chart shows.
GraphWindow WindowOf(QChart* chart);

// Draws the graph into `target` on `painter`: a chart per group, one above
// the other, or the heat map. For pictures and prints.
void PaintGraph(QPainter& painter, const QRectF& target, const zav::GraphDescription& graph,
                int firstGroup, int groupCount, const GraphWindow& window);

}  // namespace graphs
