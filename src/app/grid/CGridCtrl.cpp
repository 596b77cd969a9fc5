#include "app/grid/CGridCtrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "app/grid/GridCellSource.h"
#include "app/grid/GridDelegate.h"
#include "app/grid/GridListener.h"
#include "app/grid/GridModel.h"
#include "core/UserInterface.h"

namespace {
// Column widths are measured on at most this many rows, spread over the
// table, so that fitting a table of 100,000 rows stays instant.
constexpr int kWidthSampleRows = 2000;
// A wide table whose source knows its texts' lengths measures fewer rows per
// column (about this many cells in all, and at least kMinSampleRows rows),
// and the longest text of each column besides.
constexpr int kWidthSampleCells = 20000;
constexpr int kMinSampleRows = 4;
constexpr int kCellPadding = 12;
}  // namespace

CGridCtrl::CGridCtrl(zav::UserInterface& ui, QWidget* parent)
    : QTableView(parent),
      m_ui(ui),
      m_model(new GridModel(this)),
      m_delegate(new GridDelegate(*this)) {
    setModel(m_model);
    setItemDelegate(m_delegate);
    // Editing starts only through BeginEdit, so the page hears of it first.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    horizontalHeader()->hide();
    AutoSizeRows();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CGridCtrl::OnHeaderClicked);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &CGridCtrl::OnHeaderMenu);
}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::SetListener(GridListener* listener) {
    m_listener = listener ? listener->m_alive : std::weak_ptr<GridListener*>();
}

GridListener* CGridCtrl::Listener() const {
    std::shared_ptr<GridListener*> alive = m_listener.lock();
    return alive ? *alive : nullptr;
}

void CGridCtrl::Create(const QRect& rect, QWidget* parent, int id) {
    setParent(parent);
    setGeometry(rect);
    setObjectName(QStringLiteral("grid%1").arg(id));
    show();
}

// --- shape -------------------------------------------------------------------

void CGridCtrl::SetFixedRowCount(int count) {
    m_model->SetFixedRowCount(count);
    horizontalHeader()->setVisible(m_model->FixedRowCount() > 0);
}

int CGridCtrl::GetFixedRowCount() const {
    return m_model->FixedRowCount();
}
void CGridCtrl::SetFixedColumnCount(int count) {
    m_model->SetFixedColumnCount(count);
}
int CGridCtrl::GetFixedColumnCount() const {
    return m_model->FixedColumnCount();
}
void CGridCtrl::SetColumnCount(int count) {
    m_model->SetColumnCount(count);
}
int CGridCtrl::GetColumnCount() const {
    return m_model->GridColumnCount();
}
void CGridCtrl::SetRowCount(int count) {
    m_model->SetRowCount(count);
}
int CGridCtrl::GetRowCount() const {
    return m_model->GridRowCount();
}
int CGridCtrl::InsertRow(const QString& heading) {
    return m_model->AppendRow(heading);
}

int CGridCtrl::InsertRow(const std::string& heading) {
    return m_model->AppendRow(QString::fromStdString(heading));
}

void CGridCtrl::DeleteNonFixedRows() {
    m_model->RemoveNonFixedRows();
}

void CGridCtrl::DeleteAllItems() {
    m_model->RemoveAllRows();
    horizontalHeader()->hide();
}

void CGridCtrl::SetHeaderTexts(const QStringList& headers) {
    SetColumnCount(static_cast<int>(headers.size()));
    for (int column = 0; column < headers.size(); ++column) {
        SetItemText(0, column, headers[column]);
    }
}

void CGridCtrl::SetCellSource(std::unique_ptr<GridCellSource> source) {
    m_model->SetSource(std::move(source));
}

void CGridCtrl::CellsChanged() {
    m_model->SourceChanged();
}

// --- cells ---------------------------------------------------------------------

QString CGridCtrl::GetItemText(int row, int column) const {
    return m_model->Text(row, column);
}

std::string CGridCtrl::GetItemString(int row, int column) const {
    return m_model->Text(row, column).toStdString();
}

bool CGridCtrl::SetItemText(int row, int column, const QString& text) {
    return m_model->SetText(row, column, text);
}

bool CGridCtrl::SetItemText(int row, int column, const std::string& text) {
    return m_model->SetText(row, column, QString::fromStdString(text));
}

bool CGridCtrl::SetItemText(int row, int column, const char* text) {
    return m_model->SetText(row, column, QString::fromUtf8(text));
}

void CGridCtrl::SetItemReadOnly(int row, int column, bool readOnly) {
    m_model->SetReadOnly(row, column, readOnly);
}

bool CGridCtrl::IsItemReadOnly(int row, int column) const {
    return m_model->IsReadOnly(row, column);
}

void CGridCtrl::SetItemHint(int row, int column, const std::string& hint) {
    m_model->SetHint(row, column, QString::fromStdString(hint));
}

void CGridCtrl::SetItemMarked(int row, int column, bool marked) {
    m_model->SetMarked(row, column, marked);
}

bool CGridCtrl::IsItemMarked(int row, int column) const {
    return m_model->IsMarked(row, column);
}

bool CGridCtrl::IsCellEditable(int row, int column) const {
    return m_model->IsEditable(row, column);
}

// --- look ----------------------------------------------------------------------

void CGridCtrl::AutoSize() {
    AutoSizeRows();
    AutoSizeColumns();
}

void CGridCtrl::AutoSizeColumns() {
    m_model->Flush();
    TextWidths widths;
    for (int column = 0; column < GetColumnCount(); ++column) {
        setColumnWidth(column, ColumnWidth(column, widths));
    }
}

void CGridCtrl::AutoSizeColumn(int column) {
    m_model->Flush();
    TextWidths widths;
    setColumnWidth(column, ColumnWidth(column, widths));
}

// Tables repeat their texts ("1", "0", "-", "no"): each is measured once.
int CGridCtrl::TextWidth(const QString& text, TextWidths& widths) const {
    auto known = widths.constFind(text);
    if (known != widths.constEnd()) {
        return *known;
    }
    const int width = fontMetrics().horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}

int CGridCtrl::ColumnWidth(int column, TextWidths& widths) const {
    int width = 0;
    if (GetFixedRowCount() > 0) {
        width = horizontalHeader()->fontMetrics().horizontalAdvance(GetItemText(0, column));
    }
    int first = GetFixedRowCount();
    int rows = GetRowCount() - first;
    int sampleRows = kWidthSampleRows;
    if (const int longest = LongestRow(column); longest >= 0) {
        width = std::max(width, TextWidth(GetItemText(longest, column), widths));
        sampleRows = std::clamp(kWidthSampleCells / std::max(1, GetColumnCount()), kMinSampleRows,
                                kWidthSampleRows);
    }
    int step = std::max(1, rows / sampleRows);
    for (int r = 0; r < rows; r += step) {
        width = std::max(width, TextWidth(GetItemText(first + r, column), widths));
    }
    if (rows > 0) {  // the last row often holds the widest date or total
        width = std::max(width, TextWidth(GetItemText(first + rows - 1, column), widths));
    }
    return width + kCellPadding;
}

int CGridCtrl::LongestRow(int column) const {
    const GridCellSource* source = m_model->Source();
    const int first = GetFixedRowCount();
    if (source == nullptr || GetRowCount() <= first || source->TextLength(0, column) < 0) {
        return -1;
    }
    int longest = first;
    int length = -1;
    for (int row = first; row < GetRowCount(); ++row) {
        // A text the user changed may be longer than the source's.
        const int at = m_model->OverrideCount() > 0
                           ? static_cast<int>(GetItemText(row, column).size())
                           : source->TextLength(row - first, column);
        if (at > length) {
            longest = row;
            length = at;
        }
    }
    return longest;
}

void CGridCtrl::AutoSizeRows() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void CGridCtrl::Redraw() {
    m_model->Flush();
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

// --- focus and selection -----------------------------------------------------

std::pair<int, int> CGridCtrl::GetFocusCell() const {
    QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return {-1, -1};
    }
    return {m_model->GridRow(current), current.column()};
}

void CGridCtrl::SetFocusCell(int row, int column) {
    m_model->Flush();
    QModelIndex index = m_model->IndexOf(row, column);
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
}

GridRange CGridCtrl::GetSelectedRange() const {
    GridRange range;
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& part : selection) {
        int top = m_model->GridRow(part.topLeft());
        int bottom = m_model->GridRow(part.bottomRight());
        if (!range.IsValid()) {
            range = {top, part.left(), bottom, part.right()};
            continue;
        }
        range.minRow = std::min(range.minRow, top);
        range.minColumn = std::min(range.minColumn, part.left());
        range.maxRow = std::max(range.maxRow, bottom);
        range.maxColumn = std::max(range.maxColumn, part.right());
    }
    return range;
}

void CGridCtrl::SetSelectedRange(const GridRange& range) {
    m_model->Flush();
    QModelIndex topLeft = m_model->IndexOf(range.minRow, range.minColumn);
    QModelIndex bottomRight = m_model->IndexOf(range.maxRow, range.maxColumn);
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
}

bool CGridCtrl::IsCellSelected(int row, int column) const {
    QModelIndex index = m_model->IndexOf(row, column);
    return index.isValid() && selectionModel()->isSelected(index);
}

// --- clipboard ---------------------------------------------------------------

std::string CGridCtrl::CopyText() const {
    m_model->Flush();
    GridRange range = GetSelectedRange();
    const bool everything = !range.IsValid();
    if (everything) {
        range = {0, 0, GetRowCount() - 1, GetColumnCount() - 1};
    }
    zav::TextBlock block;
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        std::vector<std::string> cells;
        for (int column = range.minColumn; column <= range.maxColumn; ++column) {
            // Cells inside the block that the user left out stay empty.
            bool wanted = everything || IsCellSelected(row, column);
            cells.push_back(wanted ? GetItemString(row, column) : std::string());
        }
        block.push_back(std::move(cells));
    }
    return zav::BuildCopyText(block);
}

void CGridCtrl::OnEditCopy() {
    m_ui.SetClipboardText(CopyText());
}

void CGridCtrl::OnEditCut() {
    OnEditCopy();
    GridRange range = GetSelectedRange();
    if (!range.IsValid()) {
        return;
    }
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int column = range.minColumn; column <= range.maxColumn; ++column) {
            if (IsCellSelected(row, column) && IsCellEditable(row, column)) {
                WriteCellAsEdit(row, column, QString());
            }
        }
    }
}

void CGridCtrl::OnEditPaste() {
    if (std::optional<std::string> text = m_ui.GetClipboardText()) {
        PasteText(*text);
    }
}

int CGridCtrl::PasteText(const std::string& text) {
    auto [top, left] = GetFocusCell();
    if (top < 0) {
        return 0;
    }
    int written = 0;
    zav::TextBlock block = zav::SplitPasteText(text);
    for (size_t i = 0; i < block.size() && top + static_cast<int>(i) < GetRowCount(); ++i) {
        int row = top + static_cast<int>(i);
        for (size_t j = 0; j < block[i].size() && left + static_cast<int>(j) < GetColumnCount();
             ++j) {
            int column = left + static_cast<int>(j);
            if (IsCellEditable(row, column)) {
                WriteCellAsEdit(row, column, QString::fromStdString(block[i][j]));
                ++written;
            }
        }
    }
    Redraw();
    return written;
}

std::unique_ptr<QMenu> CGridCtrl::ContextMenu(const QString& name, QWidget* parent) {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(name);
    menu->addAction(QStringLiteral("&Copy"), this, &CGridCtrl::OnEditCopy);
    menu->addAction(QStringLiteral("&Paste"), this, &CGridCtrl::OnEditPaste);
    return menu;
}

void CGridCtrl::OnEditSelectAll() {
    m_model->Flush();
    selectAll();
}

void CGridCtrl::WriteCellAsEdit(int row, int column, const QString& text) {
    GridListener* listener = Listener();
    if (listener) {
        listener->OnGridBeginEdit(*this, row, column);
    }
    QString previous = GetItemText(row, column);
    SetItemText(row, column, text);
    listener = Listener();
    if (listener && !listener->OnGridEndEdit(*this, row, column)) {
        SetItemText(row, column, previous);
    }
}

// --- editing -------------------------------------------------------------------

bool CGridCtrl::BeginEdit(const QModelIndex& index, const QString& typed) {
    if (!index.isValid() || state() == QAbstractItemView::EditingState) {
        return false;
    }
    int row = m_model->GridRow(index);
    if (!IsCellEditable(row, index.column())) {
        return false;
    }
    if (GridListener* listener = Listener()) {
        listener->OnGridBeginEdit(*this, row, index.column());
    }
    m_editRow = row;
    m_editColumn = index.column();
    m_textBeforeEdit = GetItemText(row, index.column());
    m_delegate->SetExitOnArrows(!typed.isEmpty());
    if (!QAbstractItemView::edit(index, QAbstractItemView::AllEditTriggers, nullptr)) {
        m_editRow = m_editColumn = -1;
        return false;
    }
    if (auto* line = qobject_cast<QLineEdit*>(indexWidget(index))) {
        if (typed.isEmpty()) {
            line->selectAll();
        } else {
            line->setText(typed);
        }
    }
    return true;
}

void CGridCtrl::CommitEdit(const QModelIndex& index, const QString& text) {
    int row = m_model->GridRow(index);
    int column = index.column();
    QString previous =
        (row == m_editRow && column == m_editColumn) ? m_textBeforeEdit : GetItemText(row, column);
    if (m_endPending.row == row && m_endPending.column == column) {
        previous = m_endPending.previous;  // committed twice before closing
    }
    m_editRow = m_editColumn = -1;
    SetItemText(row, column, text);
    // The page hears of it once the editor is gone (closeEditor): a message
    // it shows must not find the editor still open and committing again.
    m_endPending = {row, column, previous};
}

void CGridCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    EndEdit ended = m_endPending;
    m_endPending = EndEdit();
    if (ended.row < 0 && hint == QAbstractItemDelegate::RevertModelCache && m_editRow >= 0) {
        // A cancelled edit still ends, with the text unchanged, so that a
        // page that prepared something at its start can let go of it.
        ended = {m_editRow, m_editColumn, GetItemText(m_editRow, m_editColumn)};
    }
    m_editRow = m_editColumn = -1;
    GridListener* listener = Listener();
    if (ended.row >= 0 && listener && !listener->OnGridEndEdit(*this, ended.row, ended.column)) {
        SetItemText(ended.row, ended.column, ended.previous);
    }
}

void CGridCtrl::MoveFocus(QAbstractItemView::CursorAction action) {
    QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid()) {
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
    }
}

// --- events ----------------------------------------------------------------------

CGridCtrl::ClipboardKey CGridCtrl::ClassifyKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    if (mods == Qt::ControlModifier) {
        switch (key) {
            case Qt::Key_C:
            case Qt::Key_Insert:
                return ClipboardKey::kCopy;
            case Qt::Key_V:
                return ClipboardKey::kPaste;
            case Qt::Key_X:
                return ClipboardKey::kCut;
            case Qt::Key_A:
                return ClipboardKey::kSelectAll;
            default:
                return ClipboardKey::kNone;
        }
    }
    if (mods == Qt::ShiftModifier && key == Qt::Key_Insert) {
        return ClipboardKey::kPaste;
    }
    return ClipboardKey::kNone;
}

bool CGridCtrl::event(QEvent* event) {
    // While the table has the focus its clipboard keys are its own, whatever
    // shortcuts the windows around it define.
    if (event->type() == QEvent::ShortcutOverride &&
        ClassifyKey(static_cast<QKeyEvent*>(event)) != ClipboardKey::kNone) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    switch (ClassifyKey(event)) {
        case ClipboardKey::kCopy:
            OnEditCopy();
            return;
        case ClipboardKey::kCut:
            OnEditCut();
            return;
        case ClipboardKey::kPaste:
            OnEditPaste();
            return;
        case ClipboardKey::kSelectAll:
            OnEditSelectAll();
            return;
        case ClipboardKey::kNone:
            break;
    }
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_F2) {
            BeginEdit(currentIndex(), QString());
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            MoveFocus(QAbstractItemView::MoveDown);
            return;
        }
        const QString typed = event->text();
        const bool plain =
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        if (plain && !typed.isEmpty() && typed.at(0).isPrint()) {
            if (BeginEdit(currentIndex(), typed)) {
                return;
            }
        }
    }
    QTableView::keyPressEvent(event);
}

std::pair<int, int> CGridCtrl::CellAt(const QPoint& viewportPos) const {
    QModelIndex index = indexAt(viewportPos);
    if (!index.isValid()) {
        return {-1, -1};
    }
    return {m_model->GridRow(index), index.column()};
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    GridListener* listener = Listener();
    if (event->button() == Qt::LeftButton && listener) {
        auto [row, column] = CellAt(event->position().toPoint());
        listener->OnGridClick(*this, row, column);
    }
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        BeginEdit(indexAt(event->position().toPoint()), QString());
    }
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event) {
    if (GridListener* listener = Listener()) {
        auto [row, column] = CellAt(event->pos());
        listener->OnGridRightClick(*this, row, column, event->globalPos());
    }
}

void CGridCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (GridListener* listener = Listener()) {
        auto [row, column] = GetFocusCell();
        listener->OnGridFocusChanged(*this, row, column);
    }
}

void CGridCtrl::OnHeaderClicked(int section) {
    GridListener* listener = Listener();
    if (listener && GetFixedRowCount() > 0) {
        listener->OnGridClick(*this, 0, section);
    }
}

void CGridCtrl::OnHeaderMenu(const QPoint& pos) {
    GridListener* listener = Listener();
    if (listener && GetFixedRowCount() > 0) {
        int section = horizontalHeader()->logicalIndexAt(pos);
        listener->OnGridRightClick(*this, section < 0 ? -1 : 0, section,
                                   horizontalHeader()->mapToGlobal(pos));
    }
}
