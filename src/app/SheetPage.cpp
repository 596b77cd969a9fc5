#include "app/SheetPage.h"

#include <QLabel>
#include <QVBoxLayout>

SheetPage::SheetPage(zav::CZAVDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {}

void SheetPage::ShowComingLater() {
    auto* layout = new QVBoxLayout(this);
    auto* notice = new QLabel(QStringLiteral("This page comes with a later version of ZAV."), this);
    notice->setObjectName(QStringLiteral("comingLater"));
    notice->setAlignment(Qt::AlignCenter);
    notice->setEnabled(false);
    layout->addWidget(notice);
}
