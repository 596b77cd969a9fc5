#include "AppTestSupport.h"

#include "app/CGridCtrl.h"

namespace {
QString Cell(int row, int column) {
    return QStringLiteral("%1,%2").arg(row).arg(column);
}
}  // namespace

void RecordingGridListener::OnGridClick(CGridCtrl&, int row, int column) {
    events << "click " + Cell(row, column);
}

void RecordingGridListener::OnGridBeginEdit(CGridCtrl& grid, int row, int column) {
    editorOpenAtBegin = grid.IsEditing();
    events << "begin " + Cell(row, column);
}

bool RecordingGridListener::OnGridEndEdit(CGridCtrl& grid, int row, int column) {
    QString text = grid.GetItemText(row, column);
    events << "end " + Cell(row, column) + "=" + text;
    return !(refuse && refuse(row, column, text));
}

void RecordingGridListener::OnGridFocusChanged(CGridCtrl&, int row, int column) {
    events << "focus " + Cell(row, column);
}

void RecordingGridListener::OnGridRightClick(CGridCtrl&, int row, int column, const QPoint&) {
    events << "right " + Cell(row, column);
}
