#include "analysis/ReportTable.h"

namespace zav {

namespace {
const std::string kNoText;

const std::string& At(const std::vector<std::string>& cells, int index) {
    return index >= 0 && static_cast<size_t>(index) < cells.size()
               ? cells[static_cast<size_t>(index)]
               : kNoText;
}
}  // namespace

const std::string& ReportTable::Cell(int row, int column) const {
    if (row == 0) {
        return At(header, column);
    }
    if (row < 0 || row >= RowCount()) {
        return kNoText;
    }
    const ReportRow& r = rows[static_cast<size_t>(row - 1)];
    return column == 0 ? r.name : At(r.cells, column - 1);
}

std::vector<std::vector<std::string>> ReportTable::Grid() const {
    std::vector<std::vector<std::string>> grid;
    grid.reserve(static_cast<size_t>(RowCount()));
    for (int r = 0; r < RowCount(); ++r) {
        std::vector<std::string> line;
        line.reserve(header.size());
        for (int c = 0; c < ColumnCount(); ++c) {
            line.push_back(Cell(r, c));
        }
        grid.push_back(std::move(line));
    }
    return grid;
}

}  // namespace zav
