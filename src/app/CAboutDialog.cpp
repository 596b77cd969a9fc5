#include "app/CAboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogUnits.h"
#include "app/TitleArt.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ZAV"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("titlePicture"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(TitlePicture());
    picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* version = new QLabel(QStringLiteral("ZAV Version 1.1.12"), this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 1);
    layout->addWidget(version);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    DialogUnits units(font());
    setFixedSize(units.Size(214, 231).expandedTo(layout->sizeHint()));
}
