#include "app/screenshots/EditScreenshots.h"

#include "app/dialogs/CCenturyDialog.h"
#include "app/dialogs/CParseFormatDialog.h"
#include "app/dialogs/CSpreadsheetOptionsDialog.h"
#include "app/frame/CChildFrame.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/OpenProject.h"
#include "app/grid/CGridCtrl.h"
#include "app/pages/DataEditPage.h"
#include "app/rules/DataEditRules.h"
#include "app/screenshots/Screenshots.h"
#include "io/CZAVDoc.h"

namespace {

bool Save(QWidget& widget, const QString& dir, const char* name) {
    widget.show();
    return SaveScreenshot(widget, dir, QString::fromLatin1(name));
}

// Moves the upper table to the row of `station` and `parameter`, as a click
// on it does.
void ShowSeries(DataEditPage& page, const std::string& station, const std::string& parameter) {
    CGridCtrl* upper = page.UpperTable();
    for (int row = 1; row < upper->GetRowCount(); ++row) {
        if (upper->GetItemString(row, zav::kStationName) == station &&
            zav::ParameterOfRow(upper->GetItemString(row, zav::kStationParameter)) == parameter) {
            upper->SetFocusCell(row, zav::kStationName);
            upper->SetSelectedRange({row, 0, row, upper->GetColumnCount() - 1});
            upper->scrollTo(upper->currentIndex());
            return;
        }
    }
}

}  // namespace

bool RenderEditScreenshots(CMainFrame& frame, DataEditPage& page, const QString& dir) {
    ShowSeries(page, "South Outlet", "Discharge");
    bool ok = Save(frame, dir, "3-edit-data-series.png");

    zav::CZAVDoc& doc = frame.ActiveChild()->Project().Doc();
    CSpreadsheetOptionsDialog options(doc, &frame);
    ok = Save(options, dir, "spreadsheet-options.png") && ok;
    CParseFormatDialog format(QString::fromStdString(doc.ParseString()), &frame);
    ok = Save(format, dir, "parse-spreadsheet-information.png") && ok;
    CCenturyDialog century(doc.LastYearOfData(), &frame);
    ok = Save(century, dir, "century.png") && ok;
    return ok;
}
