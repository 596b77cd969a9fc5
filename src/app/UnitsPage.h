// UnitsPage: the "Units Page" tab, which edits the units table and the standard conversions.
// Until it is built it says that it comes with a later version.
#pragma once

#include "app/SheetPage.h"

class UnitsPage : public SheetPage {
    Q_OBJECT
public:
    UnitsPage(zav::CZAVDoc& doc, QWidget* parent);
    void Refresh() override;
};
