// GraphSave: a graph, or the part of it in view, drawn into a file, onto the
// clipboard or to a printer, at a chosen size.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "analysis/GraphDescription.h"
#include "app/graphs/GraphChart.h"

class QPrinter;

namespace graphs {

// What to draw: groups first .. first + count - 1 of the graph, `window` in view.
struct GraphPicture {
    const zav::GraphDescription* graph = nullptr;
    int firstGroup = 0;
    int groupCount = 1;
    GraphWindow window;
};

// The picture as an image, on white.
QImage GraphImage(const GraphPicture& picture, QSize size);

// Writes a PNG, SVG or PDF file by the path's ending; false with the
// reason in `error`.
bool SaveGraphPicture(const GraphPicture& picture, const QString& path, QSize size, QString& error);

// Prints the picture on one page, as large as the page allows.
void PrintGraphPicture(const GraphPicture& picture, QPrinter& printer);

}  // namespace graphs
