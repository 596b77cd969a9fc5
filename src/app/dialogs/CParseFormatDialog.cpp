#include "app/dialogs/CParseFormatDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/layout/DialogUnits.h"
#include "app/rules/SpreadsheetChoices.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"
#include "io/ParsedColumns.h"

CParseFormatDialog::CParseFormatDialog(const QString& parseString, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Parse Spreadsheet Information"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DialogUnits units(font());
    auto* heading = new QLabel(
        QStringLiteral("The first five columns of each line has the following form:"), this);
    heading->setGeometry(units.Rect(7, 7, 236, 9));

    const zav::ParseColumns choices = zav::ParseColumnChoices(parseString.toStdString());
    for (int column = 0; column < zav::kParseColumnCount; ++column) {
        const int y = 21 + column * 17;
        auto* label = new QLabel(QStringLiteral("Column %1:").arg(column + 1), this);
        label->setGeometry(units.Rect(14, y + 2, 40, 9));
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("list%1").arg(column + 1));
        for (const char* token : zav::kParseTokens) {
            list->addItem(QString::fromLatin1(token));
        }
        list->setCurrentIndex(choices[static_cast<size_t>(column)]);
        list->setGeometry(units.Rect(58, y, 120, 14));
        m_lists[static_cast<size_t>(column)] = list;
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    ok->setGeometry(units.Rect(136, 110, 50, 14));
    cancel->setGeometry(units.Rect(193, 110, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(units.Size(250, 131));
}

QString CParseFormatDialog::ParseString() const {
    zav::ParseColumns choices;
    for (size_t column = 0; column < choices.size(); ++column) {
        choices[column] = m_lists[column]->currentIndex();
    }
    return QString::fromStdString(zav::BuildParseString(choices));
}

bool CParseFormatDialog::EditDocumentFormat(zav::CZAVDoc& doc, QWidget* parent) {
    CParseFormatDialog dialog(QString::fromStdString(doc.ParseString()), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const std::string chosen = dialog.ParseString().toStdString();
    zav::ChangeParseFormat(doc, chosen);
    return true;
}
