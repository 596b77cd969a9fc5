#include "app/dialogs/CAboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame/TitleArt.h"
#include "app/layout/DialogUnits.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ZAV"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The picture fills the width of the box; the text and OK sit below.
    DialogUnits units(font());
    const int width = units.X(214);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("titlePicture"));
    picture->setPixmap(TitlePicture(width));

    auto* version = new QLabel(QStringLiteral("ZAV Version 1.1.12"), this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addWidget(picture);
    layout->addWidget(version);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(width, layout->sizeHint().height());
}
