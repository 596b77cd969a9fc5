#include "app/pages/PointCells.h"

#include <algorithm>
#include <climits>

#include "app/rules/DataEditRules.h"
#include "store/DataSeries.h"
#include "store/ZAVFieldManager.h"

PointCells::PointCells(zav::ZAVFieldManager& store, std::string station, std::string parameter)
    : m_store(store), m_station(std::move(station)), m_parameter(std::move(parameter)) {
    const zav::DataSeries* series = Series();
    // A table has at most INT_MAX rows; no series comes near it.
    m_rows = series ? static_cast<int>(std::min<size_t>(series->Size(), INT_MAX)) : 0;
}

const zav::DataSeries* PointCells::Series() const {
    return m_store.FindSeries(m_station, m_parameter);
}

QString PointCells::Text(int row, int column) const {
    const zav::DataSeries* series = Series();
    if (series == nullptr || row < 0 || static_cast<size_t>(row) >= series->Size()) {
        return QString();
    }
    return QString::fromStdString(zav::PointCellText(*series, static_cast<size_t>(row), column));
}

bool PointCells::IsReadOnly(int, int column) const {
    return zav::IsPointColumnReadOnly(column);
}
