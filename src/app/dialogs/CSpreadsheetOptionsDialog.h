// CSpreadsheetOptionsDialog: "Choose Spreadsheet Options", the first step of
// Data > Add From Spreadsheet. It settles where the text comes from (files
// or the clipboard), the separator, the layout and the parameter of the
// values; new parameters can be made in it, and "Set Format" edits the
// project's layout 3 columns.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "app/rules/SpreadsheetChoices.h"
#include "io/Spreadsheet.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
namespace zav {
class CZAVDoc;
}

class CSpreadsheetOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CSpreadsheetOptionsDialog(zav::CZAVDoc& doc, QWidget* parent = nullptr);

    // After OK.
    bool FromClipboard() const;
    int Layout() const;  // 1, 2 or 3
    // Layouts 1 and 2: the separator, the chosen parameter and its units
    // ("new param" in "new units" when none is chosen) and the first value
    // column.
    zav::SpreadsheetOptions Options() const;
    // A parameter was made here, so the project changed even if the import
    // does not happen.
    bool ParametersAdded() const { return m_parametersAdded; }

    QRadioButton* FileButton() const { return m_file; }
    QRadioButton* ClipboardButton() const { return m_clipboard; }
    QRadioButton* CommaButton() const { return m_comma; }
    QRadioButton* TabButton() const { return m_tab; }
    // Layout n (1 to 3): its button and the label that describes it.
    QRadioButton* LayoutButton(int layout) const;
    QLabel* LayoutLabel(int layout) const;
    QLineEdit* StartColumnEdit() const { return m_startColumn; }
    QListWidget* ParameterList() const { return m_parameterList; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* UnitsEdit() const { return m_units; }
    QPushButton* AddParameterButton() const { return m_addParameter; }
    QPushButton* SetFormatButton() const { return m_setFormat; }
    QPushButton* OkButton() const { return m_ok; }

    // Stays open, after the message, while the first value column is no
    // integer or layout 3 is chosen in a project without parameters.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QRadioButton* AddRadio(const QString& text, const QRect& rect);
    void AddLayoutChoice(int layout, const char* text, const QRect& buttonRect,
                         const QRect& labelRect);
    void OnLocationChanged();
    void OnAddParameter();
    void FillParameterList(const std::string& select);

    zav::CZAVDoc& m_doc;
    std::vector<zav::ParameterChoice> m_choices;
    int m_startColumnValue = 2;
    bool m_parametersAdded = false;

    QRadioButton* m_file = nullptr;
    QRadioButton* m_clipboard = nullptr;
    QRadioButton* m_comma = nullptr;
    QRadioButton* m_tab = nullptr;
    std::array<QRadioButton*, 3> m_layouts{};
    std::array<QLabel*, 3> m_layoutLabels{};
    QLineEdit* m_startColumn = nullptr;
    QListWidget* m_parameterList = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_units = nullptr;
    QPushButton* m_addParameter = nullptr;
    QPushButton* m_setFormat = nullptr;
    QPushButton* m_ok = nullptr;
};
