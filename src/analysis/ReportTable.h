// ReportTable: the report as text cells, what the availability page's grid
// shows and what the exports write. Row 0 is the header ("Station" or
// "Parameter", then one label per interval); each further row is one
// main-list item, its name first, then "1"/"0" or a value/"-" per interval.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zav {

// What the page tells about a cell beyond its text: how many values and
// how complete the interval is, and whether its value was filled in.
struct CellNote {
    std::string hint;
    bool filled = false;
};

struct ReportRow {
    std::string name;
    std::vector<std::string> cells;  // one per interval
    // The number each cell shows, unrounded (1 or 0 for presence); none
    // where the cell shows "-". Machine-readable output is written from these.
    std::vector<std::optional<double>> values = {};
};

class ReportTable {
public:
    ReportTable() : header{"Station"} {}

    // Counts and cells in grid terms, header row and name column included;
    // a cell outside the table reads as empty text.
    int RowCount() const { return static_cast<int>(rows.size()) + 1; }
    int ColumnCount() const { return static_cast<int>(header.size()); }
    const std::string& Cell(int row, int column) const;
    // Every cell, row by row, for a grid with one fixed header row and one
    // fixed header column.
    std::vector<std::vector<std::string>> Grid() const;

    std::vector<std::string> header;
    std::vector<ReportRow> rows;
    std::string dataFor;  // the "Data for:" text; empty until computed
    // Per row, one note per cell when the request asked for them; else none.
    std::vector<std::vector<CellNote>> notes;
};

}  // namespace zav
