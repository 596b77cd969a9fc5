// DataEditPage: the "Edit Data" tab, which edits stations, parameters and values by hand.
// Until it is built it says that it comes with a later version.
#pragma once

#include "app/SheetPage.h"

class DataEditPage : public SheetPage {
    Q_OBJECT
public:
    DataEditPage(zav::CZAVDoc& doc, QWidget* parent);
    void Refresh() override;
};
