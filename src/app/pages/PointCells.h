// PointCells: the rows of the Edit Data points table, read from the project's
// store when a cell is shown, so that a series of a million points shows at
// once and costs no memory beyond itself. The series is looked up by name
// at each reading: adding or removing series moves the others in memory.
#pragma once

#include <string>

#include "app/grid/GridCellSource.h"

namespace zav {
class DataSeries;
class ZAVFieldManager;
}  // namespace zav

class PointCells : public GridCellSource {
public:
    // The points of `station`'s `parameter` as they stand now; the table is
    // given a new source when their number changes.
    PointCells(zav::ZAVFieldManager& store, std::string station, std::string parameter);

    int RowCount() const override { return m_rows; }
    QString Text(int row, int column) const override;
    bool IsReadOnly(int row, int column) const override;

private:
    const zav::DataSeries* Series() const;

    zav::ZAVFieldManager& m_store;
    std::string m_station;
    std::string m_parameter;
    int m_rows = 0;
};
