// Helpers for the desktop tests: a grid listener that writes down what it
// hears, and scratch folders.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/GridListener.h"

// Records every notification as text ("begin 1,2", "end 1,2=new text",
// "click 0,1", "focus 2,0", "right 1,1") and refuses the end of an edit when
// `refuse` says so.
class RecordingGridListener : public GridListener {
public:
    QStringList events;
    std::function<bool(int row, int column, const QString& text)> refuse;

    void OnGridClick(CGridCtrl& grid, int row, int column) override;
    void OnGridBeginEdit(CGridCtrl& grid, int row, int column) override;
    bool OnGridEndEdit(CGridCtrl& grid, int row, int column) override;
    void OnGridFocusChanged(CGridCtrl& grid, int row, int column) override;
    void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos) override;

    // Set during OnGridBeginEdit: whether an editor was already open.
    bool editorOpenAtBegin = false;
};
