// HeatMapPainter: the availability heat map, items as rows and intervals as
// columns, each cell coloured by its coverage (1 or 0 in a row whose
// sampling step is unknown), with the time axis below and a colour bar
// labelled in percent beside.
#pragma once

#include <QColor>
#include <QRectF>

#include "analysis/GraphDescription.h"
#include "app/graphs/GraphChart.h"

class QPainter;

namespace graphs {

// Where the cells go inside `target`: the room left by the title, the row
// names, the time axis and the colour bar.
QRectF HeatMapPlotArea(const QRectF& target, const zav::GraphDescription& graph);

// Draws the heat map into `target`, the times window.x0 .. x1 across.
void PaintHeatMap(QPainter& painter, const QRectF& target, const zav::GraphDescription& graph,
                  const GraphWindow& window);

// The colour of a cell holding `share` (0 no data .. 1 all expected).
QColor HeatColor(double share);

}  // namespace graphs
