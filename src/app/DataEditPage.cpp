#include "app/DataEditPage.h"

DataEditPage::DataEditPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    ShowComingLater();
}

void DataEditPage::Refresh() {}
