// CParseFormatDialog: "Parse Spreadsheet Information" — what the first five
// columns of a spreadsheet line hold, one list per column, for layout 3 of
// the spreadsheet import. It edits the project's parse string.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QComboBox;
namespace zav {
class CZAVDoc;
}

class CParseFormatDialog : public QDialog {
    Q_OBJECT
public:
    // The lists start at the tokens of `parseString`; a column whose token
    // is not one of the eight starts unset.
    explicit CParseFormatDialog(const QString& parseString, QWidget* parent = nullptr);

    // The five choices joined by tabs, "SKIP" for a list left unset.
    QString ParseString() const;
    QComboBox* ColumnList(int column) const { return m_lists[static_cast<size_t>(column)]; }

    // Shows the dialog on the project's parse string; OK makes the result
    // the project's (a change marks the project modified, since it is saved
    // with it). True after OK.
    static bool EditDocumentFormat(zav::CZAVDoc& doc, QWidget* parent);

private:
    std::array<QComboBox*, 5> m_lists{};
};
