#include "app/grid/GridModel.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <functional>

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::ResetWith(const std::function<void()>& change) {
    beginResetModel();
    change();
    m_reportedRows = StoredModelRows();
    endResetModel();
}

int GridModel::StoredModelRows() const {
    return std::max(0, GridRowCount() - m_fixedRows);
}

void GridModel::SetFixedRowCount(int count) {
    count = std::clamp(count, 0, 1);
    if (count == m_fixedRows && GridRowCount() >= count) {
        return;
    }
    DropSource();
    ResetWith([&] {
        m_fixedRows = count;
        if (GridRowCount() < count) {
            m_rows.resize(count);
        }
    });
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_columns - 1));
}

void GridModel::SetFixedColumnCount(int count) {
    count = std::clamp(count, 0, 1);
    if (count == m_fixedColumns) {
        return;
    }
    ResetWith([&] {
        m_fixedColumns = count;
        m_columns = std::max(m_columns, count);
    });
}

void GridModel::SetColumnCount(int count) {
    count = std::max(count, m_fixedColumns);
    if (count == m_columns) {
        return;
    }
    Flush();
    if (count > m_columns) {
        beginInsertColumns(QModelIndex(), m_columns, count - 1);
        m_columns = count;
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), count, m_columns - 1);
        m_columns = count;
        for (auto& row : m_rows) {
            if (static_cast<int>(row.size()) > count) {
                row.resize(count);
            }
        }
        for (auto it = m_overrides.begin(); it != m_overrides.end();) {
            const int column = static_cast<int>(it->first & 0xffffffffU);
            it = column >= count ? m_overrides.erase(it) : std::next(it);
        }
        endRemoveColumns();
    }
}

void GridModel::SetRowCount(int count) {
    DropSource();
    count = std::max(count, m_fixedRows);
    if (count >= GridRowCount()) {
        m_rows.resize(count);
        ScheduleFlush();
        return;
    }
    Flush();
    int firstGone = std::max(0, count - m_fixedRows);
    if (firstGone < m_reportedRows) {
        beginRemoveRows(QModelIndex(), firstGone, m_reportedRows - 1);
    }
    m_rows.resize(count);
    ForgetRowsFrom(count);
    if (firstGone < m_reportedRows) {
        m_reportedRows = firstGone;
        endRemoveRows();
    }
}

// What belongs to the cells of rows `count` and after goes with them.
void GridModel::ForgetRowsFrom(int count) {
    auto gone = [count](quint64 key) { return static_cast<int>(key >> 32) >= count; };
    for (auto it = m_readOnly.begin(); it != m_readOnly.end();) {
        it = gone(*it) ? m_readOnly.erase(it) : std::next(it);
    }
    for (auto it = m_marked.begin(); it != m_marked.end();) {
        it = gone(*it) ? m_marked.erase(it) : std::next(it);
    }
    for (auto it = m_hints.begin(); it != m_hints.end();) {
        it = gone(it->first) ? m_hints.erase(it) : std::next(it);
    }
    for (auto it = m_overrides.begin(); it != m_overrides.end();) {
        it = gone(it->first) ? m_overrides.erase(it) : std::next(it);
    }
}

void GridModel::SetSource(std::unique_ptr<GridCellSource> source) {
    ResetWith([&] {
        m_sourceRows = 0;
        m_rows.resize(static_cast<size_t>(m_fixedRows));
        ForgetRowsFrom(m_fixedRows);
        m_overrides.clear();
        m_source = std::move(source);
        m_sourceRows = m_source ? std::max(0, m_source->RowCount()) : 0;
    });
}

void GridModel::DropSource() {
    if (m_source) {
        SetSource(nullptr);
    }
}

void GridModel::SourceChanged() {
    if (m_source && m_reportedRows > 0 && m_columns > 0) {
        emit dataChanged(index(0, 0), index(m_reportedRows - 1, m_columns - 1),
                         {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Qt::BackgroundRole});
    }
}

int GridModel::SourceRow(int row) const {
    const int held = static_cast<int>(m_rows.size());
    return m_source && row >= held && row < GridRowCount() ? row - held : -1;
}

void GridModel::SetHint(int row, int column, const QString& hint) {
    if (hint.isEmpty()) {
        m_hints.erase(Key(row, column));
    } else {
        m_hints[Key(row, column)] = hint;
    }
}

QString GridModel::Hint(int row, int column) const {
    auto hint = m_hints.find(Key(row, column));
    if (hint != m_hints.end()) {
        return hint->second;
    }
    const int sourceRow = SourceRow(row);
    return sourceRow >= 0 ? m_source->Hint(sourceRow, column) : QString();
}

void GridModel::SetMarked(int row, int column, bool marked) {
    if (marked) {
        m_marked.insert(Key(row, column));
    } else {
        m_marked.erase(Key(row, column));
    }
}

bool GridModel::IsMarked(int row, int column) const {
    if (m_marked.count(Key(row, column)) != 0) {
        return true;
    }
    const int sourceRow = SourceRow(row);
    return sourceRow >= 0 && m_source->IsMarked(sourceRow, column);
}

QColor GridModel::MarkedColor() {
    return QColor(255, 224, 160);
}

int GridModel::AppendRow(const QString& firstCell) {
    DropSource();
    if (GridRowCount() < m_fixedRows) {
        m_rows.resize(m_fixedRows);
    }
    std::vector<QString> row;
    row.reserve(std::max(1, m_columns));
    row.push_back(firstCell);
    m_rows.push_back(std::move(row));
    ScheduleFlush();
    return GridRowCount() - 1;
}

void GridModel::RemoveNonFixedRows() {
    SetRowCount(m_fixedRows);
}

void GridModel::RemoveAllRows() {
    ResetWith([&] {
        m_source.reset();
        m_sourceRows = 0;
        m_overrides.clear();
        m_rows.clear();
        m_readOnly.clear();
        m_hints.clear();
        m_marked.clear();
        m_fixedRows = 0;
    });
}

bool GridModel::IsValidCell(int row, int column) const {
    return row >= 0 && row < GridRowCount() && column >= 0 && column < m_columns;
}

bool GridModel::IsFixedCell(int row, int column) const {
    return row < m_fixedRows || column < m_fixedColumns;
}

QString GridModel::Text(int row, int column) const {
    if (!IsValidCell(row, column)) {
        return QString();
    }
    const int sourceRow = SourceRow(row);
    if (sourceRow >= 0) {
        auto changed = m_overrides.find(Key(row, column));
        return changed != m_overrides.end() ? changed->second : m_source->Text(sourceRow, column);
    }
    const auto& cells = m_rows[static_cast<size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)] : QString();
}

bool GridModel::SetText(int row, int column, const QString& text) {
    if (!IsValidCell(row, column)) {
        return false;
    }
    const int sourceRow = SourceRow(row);
    if (sourceRow >= 0) {
        // Only a text that differs from the source's is kept.
        if (text == m_source->Text(sourceRow, column)) {
            m_overrides.erase(Key(row, column));
        } else {
            m_overrides[Key(row, column)] = text;
        }
    } else {
        auto& cells = m_rows[static_cast<size_t>(row)];
        if (static_cast<int>(cells.size()) <= column) {
            cells.resize(static_cast<size_t>(m_columns));
        }
        cells[static_cast<size_t>(column)] = text;
    }
    if (row < m_fixedRows) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else if (row - m_fixedRows < m_reportedRows) {
        QModelIndex at = index(row - m_fixedRows, column);
        emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    }
    return true;
}

bool GridModel::IsReadOnly(int row, int column) const {
    if (m_readOnly.count(Key(row, column)) != 0) {
        return true;
    }
    const int sourceRow = SourceRow(row);
    return sourceRow >= 0 && m_source->IsReadOnly(sourceRow, column);
}

void GridModel::SetReadOnly(int row, int column, bool readOnly) {
    if (!IsValidCell(row, column)) {
        return;
    }
    if (readOnly) {
        m_readOnly.insert(Key(row, column));
    } else {
        m_readOnly.erase(Key(row, column));
    }
}

bool GridModel::IsEditable(int row, int column) const {
    return IsValidCell(row, column) && !IsFixedCell(row, column) && !IsReadOnly(row, column);
}

QModelIndex GridModel::IndexOf(int row, int column) const {
    int modelRow = row - m_fixedRows;
    if (modelRow < 0 || modelRow >= m_reportedRows || column < 0 || column >= m_columns) {
        return QModelIndex();
    }
    return index(modelRow, column);
}

void GridModel::ScheduleFlush() {
    if (m_flushQueued) {
        return;
    }
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, &GridModel::Flush, Qt::QueuedConnection);
}

void GridModel::Flush() {
    m_flushQueued = false;
    int stored = StoredModelRows();
    if (stored > m_reportedRows) {
        beginInsertRows(QModelIndex(), m_reportedRows, stored - 1);
        m_reportedRows = stored;
        endInsertRows();
    }
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_reportedRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    int row = GridRow(index);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return Text(row, index.column());
        case Qt::BackgroundRole:
            if (index.column() < m_fixedColumns) {
                return QBrush(QGuiApplication::palette().color(QPalette::Button));
            }
            if (IsMarked(row, index.column())) {
                return QBrush(MarkedColor());
            }
            return QVariant();
        case Qt::ToolTipRole: {
            const QString hint = Hint(row, index.column());
            return hint.isEmpty() ? QVariant() : QVariant(hint);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Horizontal) {
        return m_fixedRows > 0 ? Text(0, section) : QVariant();
    }
    return section + m_fixedRows;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    int row = GridRow(index);
    if (IsFixedCell(row, index.column())) {
        return Qt::ItemIsEnabled;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!IsReadOnly(row, index.column())) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !IsEditable(GridRow(index), index.column())) {
        return false;
    }
    return SetText(GridRow(index), index.column(), value.toString());
}
