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
#include "store/ZAVFieldManager.h"

namespace {

bool Save(QWidget& widget, const QString& dir, const char* name) {
    widget.show();
    return SaveScreenshot(widget, dir, QString::fromLatin1(name));
}

// The upper table's row of `station` and `parameter`, or -1.
int RowOf(CGridCtrl& upper, const std::string& station, const std::string& parameter) {
    for (int row = 1; row < upper.GetRowCount(); ++row) {
        if (upper.GetItemString(row, zav::kStationName) == station &&
            zav::ParameterOfRow(upper.GetItemString(row, zav::kStationParameter)) == parameter) {
            return row;
        }
    }
    return -1;
}

// The first row of the upper table whose series has points, or -1.
int FirstRowWithData(CGridCtrl& upper, zav::ZAVFieldManager& store) {
    for (int row = 1; row < upper.GetRowCount(); ++row) {
        const zav::DataSeries* series =
            store.FindSeries(upper.GetItemString(row, zav::kStationName),
                             zav::ParameterOfRow(upper.GetItemString(row, zav::kStationParameter)));
        if (series != nullptr && series->Size() > 0) {
            return row;
        }
    }
    return -1;
}

// Moves the upper table to `row`, as a click on it does.
void ShowRow(CGridCtrl& upper, int row) {
    upper.SetFocusCell(row, zav::kStationName);
    upper.SetSelectedRange({row, 0, row, upper.GetColumnCount() - 1});
    upper.scrollTo(upper.currentIndex());
}

}  // namespace

bool RenderEditScreenshots(CMainFrame& frame, DataEditPage& page, const QString& dir) {
    zav::CZAVDoc& doc = frame.ActiveChild()->Project().Doc();
    CGridCtrl& upper = *page.UpperTable();
    int row = RowOf(upper, kExampleScene.station, kExampleScene.parameter);
    if (row < 0) {
        row = FirstRowWithData(upper, doc.FieldManager());
    }
    if (row > 0) {
        ShowRow(upper, row);
    }
    bool ok = Save(frame, dir, "3-edit-data-series.png");

    CSpreadsheetOptionsDialog options(doc, &frame);
    ok = Save(options, dir, "spreadsheet-options.png") && ok;
    CParseFormatDialog format(QString::fromStdString(doc.ParseString()), &frame);
    ok = Save(format, dir, "parse-spreadsheet-information.png") && ok;
    CCenturyDialog century(doc.LastYearOfData(), &frame);
    ok = Save(century, dir, "century.png") && ok;
    return ok;
}
