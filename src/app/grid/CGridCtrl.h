// CGridCtrl: the editable table of text cells that every page uses. One
// optional fixed header row (row 0, shown as column headers that stay in
// view) and one optional fixed column; read-only cells; in-place editing by
// typing; copy, cut and paste as tab-separated text through the program's
// UserInterface. The page learns of clicks and edits through a GridListener
// and may refuse an edit.
#pragma once

#include <QHash>
#include <QTableView>
#include <memory>
#include <string>

#include "app/rules/GridText.h"

class GridCellSource;
class GridDelegate;
class GridListener;
class GridModel;
class QMenu;
namespace zav {
class UserInterface;
}

// A block of cells, inclusive on both ends; invalid (all -1) for "none".
struct GridRange {
    int minRow = -1;
    int minColumn = -1;
    int maxRow = -1;
    int maxColumn = -1;
    bool IsValid() const { return minRow >= 0 && minColumn >= 0; }
};

class CGridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CGridCtrl(zav::UserInterface& ui, QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Takes the place and the size of a placeholder on `parent`; `id` names
    // the widget ("grid" followed by the number) for tests and style sheets.
    void Create(const QRect& rect, QWidget* parent, int id);
    // The listener is heard until it goes; it may go before the table.
    void SetListener(GridListener* listener);

    // --- shape -------------------------------------------------------------
    void SetFixedRowCount(int count = 1);
    int GetFixedRowCount() const;
    void SetFixedColumnCount(int count = 1);
    int GetFixedColumnCount() const;
    void SetColumnCount(int count);
    int GetColumnCount() const;
    void SetRowCount(int count);
    int GetRowCount() const;
    // Appends a row with `heading` in its first cell; returns the new row.
    int InsertRow(const QString& heading);
    int InsertRow(const std::string& heading);
    void DeleteNonFixedRows();
    // Removes every row, the fixed row included (columns stay).
    void DeleteAllItems();
    // One column per text, the texts written in the header row (which must
    // be there).
    void SetHeaderTexts(const QStringList& headers);
    // The rows below the header come from `source` when they are shown,
    // in place of the rows the table held (see GridModel::SetSource).
    void SetCellSource(std::unique_ptr<GridCellSource> source);
    // The source's data changed in place: shown cells read it again.
    void CellsChanged();

    // --- cells -------------------------------------------------------------
    QString GetItemText(int row, int column) const;
    std::string GetItemString(int row, int column) const;
    bool SetItemText(int row, int column, const QString& text);
    bool SetItemText(int row, int column, const std::string& text);
    bool SetItemText(int row, int column, const char* text);
    void SetItemReadOnly(int row, int column, bool readOnly = true);
    bool IsItemReadOnly(int row, int column) const;
    // Hover text of a cell, and a different background for marked cells.
    void SetItemHint(int row, int column, const std::string& hint);
    void SetItemMarked(int row, int column, bool marked = true);
    bool IsItemMarked(int row, int column) const;
    bool IsCellEditable(int row, int column) const;
    // An in-place editor is open.
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

    // --- look --------------------------------------------------------------
    void AutoSize();
    void AutoSizeColumns();
    void AutoSizeColumn(int column);
    void AutoSizeRows();
    void Redraw();

    // --- focus and selection -----------------------------------------------
    // The focused cell as (row, column), or (-1, -1).
    std::pair<int, int> GetFocusCell() const;
    void SetFocusCell(int row, int column);
    GridRange GetSelectedRange() const;
    void SetSelectedRange(const GridRange& range);
    bool IsCellSelected(int row, int column) const;

    // --- clipboard (the keys, and the pages' context menus) --------------
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditSelectAll();
    // What copy puts on the clipboard: the selected block, or every cell
    // when nothing is selected.
    std::string CopyText() const;
    // Writes pasted text from the focused cell on; returns the cells written.
    int PasteText(const std::string& text);
    // The popup a page shows on a right click over the table: "&Copy" and
    // "&Paste", which run the table's own copy and paste. `name` is the
    // popup's name ("Table1 Context", ...).
    std::unique_ptr<QMenu> ContextMenu(const QString& name, QWidget* parent);

    GridModel& Model() const { return *m_model; }

    // Typing in a cell that cannot be changed does nothing; it does not
    // jump to a cell that starts with the letters typed.
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class GridDelegate;

    enum class ClipboardKey { kNone, kCopy, kCut, kPaste, kSelectAll };
    static ClipboardKey ClassifyKey(const QKeyEvent* event);

    // Opens the editor on the focused cell after telling the page;
    // `typed` (when not empty) replaces the cell's text in the editor.
    bool BeginEdit(const QModelIndex& index, const QString& typed);
    // Called by the delegate with the editor's text.
    void CommitEdit(const QModelIndex& index, const QString& text);
    // One cell written by cut or paste: begin, write, end, restore if refused.
    void WriteCellAsEdit(int row, int column, const QString& text);
    void MoveFocus(QAbstractItemView::CursorAction action);
    void OnHeaderClicked(int section);
    void OnHeaderMenu(const QPoint& pos);
    std::pair<int, int> CellAt(const QPoint& viewportPos) const;
    // The row below the header whose text in `column` is the longest, when
    // the cell source can tell lengths cheaply; else -1.
    int LongestRow(int column) const;
    // The width that shows `column`'s texts, measured on a sample of rows.
    using TextWidths = QHash<QString, int>;
    int ColumnWidth(int column, TextWidths& widths) const;
    int TextWidth(const QString& text, TextWidths& widths) const;
    // The listener, or null when there is none or it has gone.
    GridListener* Listener() const;

    zav::UserInterface& m_ui;
    GridModel* m_model;
    GridDelegate* m_delegate;
    std::weak_ptr<GridListener*> m_listener;
    // The cell being edited and its text when the edit began.
    QString m_textBeforeEdit;
    int m_editRow = -1;
    int m_editColumn = -1;
    // An edit whose text is in the cell but whose end the page has not
    // heard of yet.
    struct EndEdit {
        int row = -1;
        int column = -1;
        QString previous;
    };
    EndEdit m_endPending;

    friend class GridDelegateAccess;
};
