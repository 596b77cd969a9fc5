// TextPromptDialog: asks for one line of text under a short prompt, as when
// a group of stations gets its name. OK stays off while the field holds
// nothing but blanks, so a name can never be empty.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TextPromptDialog : public QDialog {
    Q_OBJECT
public:
    TextPromptDialog(const QString& title, const QString& prompt, const QString& initial,
                     QWidget* parent = nullptr);

    QString Text() const;
    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void UpdateOk();

    QLineEdit* m_field;
    QPushButton* m_ok;
};
