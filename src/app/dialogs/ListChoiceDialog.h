// What the three choice dialogs share: a list of texts with OK and Cancel
// below it, placed as their forms give them in dialog units. A resizable one
// lets the list take the new room and keeps the buttons under it.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "app/layout/AnchorLayout.h"

class QListWidget;
class QPushButton;

class ListChoiceDialog : public QDialog {
    Q_OBJECT
public:
    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    // Positions and sizes in dialog units.
    struct Form {
        QSize client;
        QRect list;
        QRect ok;
        QRect cancel;
    };
    // The form the single and the multiple choice dialogs share.
    static Form ChoiceForm() {
        return {{138, 113}, {7, 7, 124, 82}, {7, 92, 37, 14}, {94, 92, 37, 14}};
    }

    ListChoiceDialog(const QString& title, const QStringList& texts, const Form& form,
                     bool resizable, QWidget* parent);
    // The selected rows, lowest first.
    std::vector<int> SelectedRows() const;
    void resizeEvent(QResizeEvent* event) override;

private:
    QListWidget* m_list;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    AnchorLayout m_layout;
};
