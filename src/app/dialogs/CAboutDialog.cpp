#include "app/dialogs/CAboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame/TitleArt.h"
#include "app/layout/DialogUnits.h"

const char* const kLicenceText =
    "This program is free software under the GNU General Public License, "
    "version 3 or later. It comes with no warranty.";

CAboutDialog::CAboutDialog(const QString& conversionsPath, QWidget* parent) : QDialog(parent) {
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

    auto* licence = new QLabel(QString::fromUtf8(kLicenceText), this);
    licence->setObjectName(QStringLiteral("licence"));
    licence->setAlignment(Qt::AlignCenter);
    licence->setWordWrap(true);

    // A path can be longer than the box is wide: a read-only field scrolls
    // and lets it be copied.
    auto* conversionsLabel = new QLabel(QStringLiteral("Standard conversions:"), this);
    auto* conversions = new QLineEdit(conversionsPath, this);
    conversions->setObjectName(QStringLiteral("conversionsPath"));
    conversions->setReadOnly(true);
    conversions->setCursorPosition(0);
    conversionsLabel->setBuddy(conversions);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addWidget(picture);
    layout->addWidget(version);
    auto* details = new QVBoxLayout;
    details->setContentsMargins(units.X(7), 0, units.X(7), 0);
    details->addWidget(licence);
    details->addWidget(conversionsLabel);
    details->addWidget(conversions);
    layout->addLayout(details);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(width, layout->sizeHint().height());
}
