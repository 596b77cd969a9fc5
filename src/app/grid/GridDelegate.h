// GridDelegate: the in-place editor of CGridCtrl. It hands the finished text
// to the grid (which lets the page vet it) and turns Enter, Tab, the arrow
// and page keys into "end the edit and move", Escape into "cancel".
#pragma once

#include <QStyledItemDelegate>

class CGridCtrl;

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(CGridCtrl& grid);

    // Left and Right end the edit only when it began with a typed
    // character; otherwise they move inside the text.
    void SetExitOnArrows(bool exit) { m_exitOnArrows = exit; }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CGridCtrl& m_grid;
    bool m_exitOnArrows = false;
};
