// DataAvailPage: the "Data Availability" tab, which shows where and when the project has data.
// Until it is built it says that it comes with a later version.
#pragma once

#include "app/SheetPage.h"

class DataAvailPage : public SheetPage {
    Q_OBJECT
public:
    DataAvailPage(zav::CZAVDoc& doc, QWidget* parent);
    void Refresh() override;
};
