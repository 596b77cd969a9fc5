#include "app/dialogs/CCenturyDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/layout/DialogUnits.h"
#include "core/TextFormat.h"

CCenturyDialog::CCenturyDialog(int lastYear, QWidget* parent)
    : FieldDialog(QStringLiteral("Choose last year to offset:"),
                  QString::fromStdString(zav::Format("%d", lastYear)), parent) {
    // Wide enough for the title to show in full.
    DialogUnits units(font());
    Field()->setGeometry(units.Rect(7, 7, 146, 13));
    OkButton()->setGeometry(units.Rect(20, 28, 50, 14));
    CancelButton()->setGeometry(units.Rect(90, 28, 50, 14));
    setFixedSize(units.Size(160, 49));
}

int CCenturyDialog::LastYear() const {
    return zav::AtoI(Field()->text().toStdString());
}
