// GridCellSource: where a table's rows come from when they are not copied
// into it. The table asks for a cell's text only when the cell is shown,
// copied or measured, so a table of a million rows costs no more than the
// data it reads. Rows count from 0 below the fixed header row; columns are
// the table's own, the fixed column included.
#pragma once

#include <QString>

class GridCellSource {
public:
    virtual ~GridCellSource() = default;

    virtual int RowCount() const = 0;
    virtual QString Text(int row, int column) const = 0;
    // Read-only by rule (a whole column, say), not cell by cell.
    virtual bool IsReadOnly(int /*row*/, int /*column*/) const { return false; }
    // Hover text, and the different background of marked cells.
    virtual QString Hint(int /*row*/, int /*column*/) const { return QString(); }
    virtual bool IsMarked(int /*row*/, int /*column*/) const { return false; }
    // The length in characters of a cell's text when the source knows it
    // without making the text, else -1. Fitting a column measures the
    // longest text as well as a sample of rows when the lengths are known.
    virtual int TextLength(int /*row*/, int /*column*/) const { return -1; }
};
