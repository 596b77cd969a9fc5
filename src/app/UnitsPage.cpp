#include "app/UnitsPage.h"

UnitsPage::UnitsPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    ShowComingLater();
}

void UnitsPage::Refresh() {}
