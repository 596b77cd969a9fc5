#include "app/grid/GridListener.h"

// A page overrides only what it needs; the rest accepts and ignores.
void GridListener::OnGridClick(CGridCtrl&, int, int) {}
void GridListener::OnGridBeginEdit(CGridCtrl&, int, int) {}
bool GridListener::OnGridEndEdit(CGridCtrl&, int, int) {
    return true;
}
void GridListener::OnGridFocusChanged(CGridCtrl&, int, int) {}
void GridListener::OnGridRightClick(CGridCtrl&, int, int, const QPoint&) {}
