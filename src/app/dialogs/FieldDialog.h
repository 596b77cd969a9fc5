// FieldDialog: what every dialog that asks for one line of text shares — the
// field (its text selected, so typing replaces it), OK as the default button
// and Cancel. A dialog built on it places these and adds what it needs.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class FieldDialog : public QDialog {
    Q_OBJECT
public:
    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    FieldDialog(const QString& title, const QString& initial, QWidget* parent);

    QPushButton* CancelButton() const { return m_cancel; }

private:
    QLineEdit* m_field;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
