// GraphFiles: a graph drawn into a PNG, SVG or PDF file. This header holds
// no Qt, so that zav-cli can draw graphs without knowing how: the drawing
// itself is the desktop program's (GraphChart, HeatMapPainter).
#pragma once

#include <string>

#include "analysis/GraphDescription.h"

namespace graphs {

// Sizes a picture may have, in pixels (points for PDF), each side.
constexpr int kSmallestSide = 64;
constexpr int kLargestSide = 10000;

// The file's kind by its name's ending (.png, .svg, .pdf, any case); empty
// for any other.
std::string GraphFileKind(const std::string& path);

// Draws the whole graph, every group one above the other (or the heat map),
// into `path` at width x height, replacing the file only once the new one
// is complete. Starts a Qt application of its own when the program has none,
// drawing offscreen when there is no display. False, with the reason in
// `error`, when the file cannot be written or the size or kind is wrong.
bool WriteGraphFile(const zav::GraphDescription& graph, const std::string& path, int width,
                    int height, std::string& error);

}  // namespace graphs
