#include "app/dialogs/CSpreadsheetOptionsDialog.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "analysis/NumberBoxes.h"
#include "app/dialogs/CParseFormatDialog.h"
#include "app/layout/DialogUnits.h"
#include "app/rules/DataEditRules.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {

const char* const kLayoutTexts[3] = {
    "Single station.  1st line is station name; 2nd is skipped (comment); rest is 4 columns of "
    "data: ID, value, HH:MM:SS, DAY-MON-YEAR.",
    "Multiple stations.  1st line is header with first column arbitrary, each successive column "
    "the date of the reading. 1 station per line, 1st column is station name, each successive "
    "column is a value.  ",
    "Single Station with multiple parameters.  No header line."};

const char* const kNoParametersMessage =
    "Please add the parameters that the station will use in the dialog.";

}  // namespace

CSpreadsheetOptionsDialog::CSpreadsheetOptionsDialog(zav::CZAVDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("Choose Spreadsheet Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    FillParameterList(std::string());
}

void CSpreadsheetOptionsDialog::BuildControls() {
    DialogUnits units(font());
    auto group = [&](const QString& title, const QRect& rect) {
        auto* box = new QGroupBox(title, this);
        box->setGeometry(rect);
        box->lower();  // under the buttons placed over it
    };

    group(QStringLiteral("Data Location"), units.Rect(7, 5, 140, 28));
    m_file = AddRadio(QStringLiteral("File"), units.Rect(14, 17, 50, 10));
    m_clipboard = AddRadio(QStringLiteral("Clipboard"), units.Rect(74, 17, 60, 10));
    group(QStringLiteral("Separator"), units.Rect(153, 5, 140, 28));
    m_comma = AddRadio(QStringLiteral("Comma"), units.Rect(160, 17, 50, 10));
    m_tab = AddRadio(QStringLiteral("Tab"), units.Rect(220, 17, 50, 10));
    for (auto [first, second] : {std::pair{m_file, m_clipboard}, std::pair{m_comma, m_tab}}) {
        auto* buttons = new QButtonGroup(this);
        buttons->addButton(first);
        buttons->addButton(second);
        first->setChecked(true);
    }
    connect(m_clipboard, &QRadioButton::toggled, this,
            &CSpreadsheetOptionsDialog::OnLocationChanged);

    group(QStringLiteral("Layout"), units.Rect(7, 38, 286, 108));
    AddLayoutChoice(1, kLayoutTexts[0], units.Rect(14, 51, 10, 10), units.Rect(26, 51, 260, 18));
    AddLayoutChoice(2, kLayoutTexts[1], units.Rect(14, 73, 10, 10), units.Rect(26, 73, 260, 27));
    AddLayoutChoice(3, kLayoutTexts[2], units.Rect(14, 125, 10, 10), units.Rect(26, 125, 200, 9));
    auto* layouts = new QButtonGroup(this);
    for (QRadioButton* button : m_layouts) {
        layouts->addButton(button);
    }
    m_layouts[0]->setChecked(true);
    auto* startLabel = new QLabel(QStringLiteral("Data starts at column:"), this);
    startLabel->setGeometry(units.Rect(26, 105, 80, 9));
    m_startColumn = new QLineEdit(QStringLiteral("2"), this);
    m_startColumn->setObjectName(QStringLiteral("startColumn"));
    m_startColumn->setGeometry(units.Rect(108, 103, 30, 13));
    m_setFormat = new QPushButton(QStringLiteral("Set Format"), this);
    m_setFormat->setGeometry(units.Rect(236, 122, 50, 14));
    connect(m_setFormat, &QPushButton::clicked, this,
            [this] { CParseFormatDialog::EditDocumentFormat(m_doc, this); });

    group(QStringLiteral("Parameter"), units.Rect(7, 151, 286, 78));
    m_parameterList = new QListWidget(this);
    m_parameterList->setGeometry(units.Rect(14, 163, 150, 59));
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), this);
    nameLabel->setGeometry(units.Rect(172, 165, 24, 9));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setGeometry(units.Rect(198, 163, 88, 13));
    auto* unitsLabel = new QLabel(QStringLiteral("Units:"), this);
    unitsLabel->setGeometry(units.Rect(172, 183, 24, 9));
    m_units = new QLineEdit(this);
    m_units->setObjectName(QStringLiteral("units"));
    m_units->setGeometry(units.Rect(198, 181, 88, 13));
    m_addParameter = new QPushButton(QStringLiteral("Add Parameter"), this);
    m_addParameter->setGeometry(units.Rect(226, 208, 60, 14));
    connect(m_addParameter, &QPushButton::clicked, this,
            &CSpreadsheetOptionsDialog::OnAddParameter);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setGeometry(units.Rect(186, 236, 50, 14));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(units.Rect(243, 236, 50, 14));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(units.Size(300, 257));
}

QRadioButton* CSpreadsheetOptionsDialog::AddRadio(const QString& text, const QRect& rect) {
    auto* button = new QRadioButton(text, this);
    button->setGeometry(rect);
    return button;
}

// A radio button cannot wrap its text, so each layout's description is a
// label beside its button; a click on the label chooses the layout.
void CSpreadsheetOptionsDialog::AddLayoutChoice(int layout, const char* text,
                                                const QRect& buttonRect, const QRect& labelRect) {
    const QString description = QString::fromLatin1(text);
    QRadioButton* button = AddRadio(QString(), buttonRect);
    button->setObjectName(QStringLiteral("layout%1").arg(layout));
    button->setAccessibleName(description);
    auto* label = new QLabel(description, this);
    label->setObjectName(QStringLiteral("layoutText%1").arg(layout));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(labelRect);
    label->installEventFilter(this);
    m_layouts[static_cast<size_t>(layout - 1)] = button;
    m_layoutLabels[static_cast<size_t>(layout - 1)] = label;
}

bool CSpreadsheetOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (size_t i = 0; i < m_layoutLabels.size(); ++i) {
            if (watched == m_layoutLabels[i]) {
                m_layouts[i]->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QRadioButton* CSpreadsheetOptionsDialog::LayoutButton(int layout) const {
    return m_layouts.at(static_cast<size_t>(layout - 1));
}

QLabel* CSpreadsheetOptionsDialog::LayoutLabel(int layout) const {
    return m_layoutLabels.at(static_cast<size_t>(layout - 1));
}

// Clipboard text from a spreadsheet is always separated by tabs.
void CSpreadsheetOptionsDialog::OnLocationChanged() {
    const bool clipboard = m_clipboard->isChecked();
    m_comma->setEnabled(!clipboard);
    if (clipboard) {
        m_tab->setChecked(true);
    }
}

void CSpreadsheetOptionsDialog::OnAddParameter() {
    const std::string name = m_name->text().toStdString();
    const std::string units = m_units->text().toStdString();
    if (zav::Trim(name).empty() || zav::Trim(units).empty()) {
        return;
    }
    std::string made;
    m_doc.Perform("Add Parameters", 0, [&] {
        made = m_doc.FieldManager().AddNewParameters(1, name, units);
        return !made.empty();
    });
    m_parametersAdded = true;
    // The list is sorted by name, so the new parameter is chosen by name:
    // it need not be the last entry.
    FillParameterList(made);
}

void CSpreadsheetOptionsDialog::FillParameterList(const std::string& select) {
    m_choices = zav::ParameterChoices(m_doc.FieldManager());
    m_parameterList->clear();
    for (const zav::ParameterChoice& choice : m_choices) {
        m_parameterList->addItem(QString::fromStdString(choice.text));
        if (!select.empty() && choice.name == select) {
            m_parameterList->setCurrentRow(m_parameterList->count() - 1);
        }
    }
}

void CSpreadsheetOptionsDialog::accept() {
    std::optional<int> start = zav::ReadIntegerBox(m_startColumn->text().toStdString());
    if (!start) {
        m_doc.UI().ShowMessage(zav::kEnterIntegerMessage);
        m_startColumn->setFocus();
        return;
    }
    m_startColumnValue = *start;
    if (Layout() == 3 && m_choices.empty()) {
        m_doc.UI().ShowMessage(kNoParametersMessage);
        return;
    }
    QDialog::accept();
}

bool CSpreadsheetOptionsDialog::FromClipboard() const {
    return m_clipboard->isChecked();
}

int CSpreadsheetOptionsDialog::Layout() const {
    for (size_t i = 0; i < m_layouts.size(); ++i) {
        if (m_layouts[i]->isChecked()) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

zav::SpreadsheetOptions CSpreadsheetOptionsDialog::Options() const {
    zav::SpreadsheetOptions options;
    options.layout = Layout();
    options.separator = m_tab->isChecked() ? '\t' : ',';
    options.startColumn = m_startColumnValue;
    const int row = m_parameterList->currentRow();
    const bool chosen = m_parameterList->currentItem() != nullptr &&
                        m_parameterList->currentItem()->isSelected() && row >= 0 &&
                        static_cast<size_t>(row) < m_choices.size();
    if (chosen) {
        options.parameter = m_choices[static_cast<size_t>(row)].name;
        options.units = m_choices[static_cast<size_t>(row)].units;
    }
    return options;
}
