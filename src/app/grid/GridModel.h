// GridModel: the cells of one table widget. Row 0 (when the grid has a
// fixed row) is shown as the view's column headers; the other rows are the
// model's rows. Rows are either held here as texts (appended row by row) or
// read from a GridCellSource when a cell is shown; a cell of a source's row
// that the user changed keeps the changed text here until it is what the
// source gives again. Read-only cells are set cell by cell, or by the
// source's own rule (a whole column, say).
//
// Appended rows are announced to the views in one batch when control
// returns to the event loop (or at Flush), so that filling a table row by
// row costs no more than filling it at once.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/grid/GridCellSource.h"

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    int GridRowCount() const { return static_cast<int>(m_rows.size()) + m_sourceRows; }
    int GridColumnCount() const { return m_columns; }
    int FixedRowCount() const { return m_fixedRows; }
    int FixedColumnCount() const { return m_fixedColumns; }
    void SetFixedRowCount(int count);
    void SetFixedColumnCount(int count);
    void SetColumnCount(int count);
    void SetRowCount(int count);

    // The rows below the fixed one become the source's (null: none); what
    // was held for the rows it replaces goes. Appending a row, or changing
    // the row count or the fixed rows, lets go of the source first.
    void SetSource(std::unique_ptr<GridCellSource> source);
    const GridCellSource* Source() const { return m_source.get(); }
    // The source's data changed in place (its row count did not): the views
    // ask again.
    void SourceChanged();
    // The texts the user changed in a source's rows, which differ from it.
    size_t OverrideCount() const { return m_overrides.size(); }

    // Appends a row whose first cell holds `firstCell`; returns its row.
    int AppendRow(const QString& firstCell);
    void RemoveNonFixedRows();
    void RemoveAllRows();

    QString Text(int row, int column) const;
    bool SetText(int row, int column, const QString& text);
    bool IsValidCell(int row, int column) const;
    bool IsFixedCell(int row, int column) const;
    bool IsReadOnly(int row, int column) const;
    void SetReadOnly(int row, int column, bool readOnly);
    // A cell's hover text, and a marked cell's different background (the
    // report's filled values); both go with the cell's row.
    void SetHint(int row, int column, const QString& hint);
    void SetMarked(int row, int column, bool marked);
    bool IsMarked(int row, int column) const;
    // The background of marked cells, for the legends that explain them.
    static QColor MarkedColor();
    QString Hint(int row, int column) const;
    // Not fixed and not read-only: typing, cut and paste may change it.
    bool IsEditable(int row, int column) const;

    // Grid row of a model index, and the index of a grid cell (invalid for
    // the fixed row, which the views show as headers).
    int GridRow(const QModelIndex& index) const { return index.row() + m_fixedRows; }
    QModelIndex IndexOf(int row, int column) const;

    // Tells the views about rows appended since the last call.
    void Flush();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    int StoredModelRows() const;
    void ScheduleFlush();
    void ResetWith(const std::function<void()>& change);
    void ForgetRowsFrom(int count);
    void DropSource();
    // The source's row of grid row `row`, or -1 for a row held here.
    int SourceRow(int row) const;
    static quint64 Key(int row, int column) {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 32) |
               static_cast<quint32>(column);
    }

    std::vector<std::vector<QString>> m_rows;  // grid rows; cells may be fewer than columns
    std::unique_ptr<GridCellSource> m_source;
    int m_sourceRows = 0;
    std::unordered_map<quint64, QString> m_overrides;  // changed cells of the source's rows
    std::unordered_set<quint64> m_readOnly;
    std::unordered_map<quint64, QString> m_hints;
    std::unordered_set<quint64> m_marked;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_reportedRows = 0;  // model rows the views know of
    bool m_flushQueued = false;
};
