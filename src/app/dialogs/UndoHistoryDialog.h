// UndoHistoryDialog: Edit > Undo History. Lists the operations made on the
// project since it was opened, the first line standing for the project as
// opened; the current line is where the project stands. Choosing another
// line and OK undoes or redoes every operation up to it.
#pragma once

#include <QDialog>

namespace zav {
class CZAVDoc;
}
class QListWidget;

class UndoHistoryDialog : public QDialog {
    Q_OBJECT
public:
    UndoHistoryDialog(zav::CZAVDoc& doc, QWidget* parent = nullptr);

    QListWidget& List() const { return *m_list; }
    // Undoes or redoes until `position` operations are done.
    void GoTo(int position);

private:
    zav::CZAVDoc& m_doc;
    QListWidget* m_list;
};
