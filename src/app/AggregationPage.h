// AggregationPage: the "Aggregation" tab, which groups stations or parameters into aggregates.
// Until it is built it says that it comes with a later version.
#pragma once

#include "app/SheetPage.h"

class AggregationPage : public SheetPage {
    Q_OBJECT
public:
    AggregationPage(zav::CZAVDoc& doc, QWidget* parent);
    void Refresh() override;
};
