// What a page hears from a table widget. Rows and columns are the grid's own
// (row 0 is the header row); a click outside every cell reports -1, -1.
#pragma once

#include <memory>

class CGridCtrl;
class QPoint;

class GridListener {
public:
    GridListener() = default;
    GridListener(const GridListener&) = delete;
    GridListener& operator=(const GridListener&) = delete;
    virtual ~GridListener() = default;

    virtual void OnGridClick(CGridCtrl& grid, int row, int column);
    // Before the editor opens, and before cut or paste writes a cell.
    virtual void OnGridBeginEdit(CGridCtrl& grid, int row, int column);
    // The new text is already in the cell. Returning false refuses it: the
    // cell gets its previous text back.
    virtual bool OnGridEndEdit(CGridCtrl& grid, int row, int column);
    virtual void OnGridFocusChanged(CGridCtrl& grid, int row, int column);
    // For the page's context menu; `globalPos` is where to open it.
    virtual void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos);

private:
    friend class CGridCtrl;
    // Lives exactly as long as the listener; tables hold it weakly, so a
    // table never calls a listener that has gone. A page's tables are its
    // children and outlive the page's own part.
    std::shared_ptr<GridListener*> m_alive = std::make_shared<GridListener*>(this);
};
