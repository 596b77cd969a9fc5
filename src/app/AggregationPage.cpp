#include "app/AggregationPage.h"

AggregationPage::AggregationPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    ShowComingLater();
}

void AggregationPage::Refresh() {}
