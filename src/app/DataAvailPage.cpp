#include "app/DataAvailPage.h"

DataAvailPage::DataAvailPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    ShowComingLater();
}

void DataAvailPage::Refresh() {}
