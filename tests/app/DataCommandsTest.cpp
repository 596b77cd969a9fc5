// The Data menu commands that open dialogs of their own: Add From Spreadsheet
// ("Choose Spreadsheet Options" and "Parse Spreadsheet Information"), Add
// Century and Generate new data files for each station, driven through the
// dialogs as a user fills them.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "StoreBuilders.h"
#include "app/dialogs/CCenturyDialog.h"
#include "app/dialogs/CParseFormatDialog.h"
#include "app/dialogs/CSpreadsheetOptionsDialog.h"
#include "app/frame/CZAVView.h"
#include "app/pages/SheetPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "io/CZAVDoc.h"

namespace {

using zav::test::MakeSeries;

// Station Pond measures pH (in su) and Discharge (in cfs), one point each,
// in `years`.
void AddPond(zav::CZAVDoc& doc, std::vector<int> years = {1998}) {
    zav::DataSource source;
    for (auto [parameter, units] : {std::pair{"pH", "su"}, {"Discharge", "cfs"}}) {
        zav::DataSeries series = MakeSeries("Pond", parameter, units);
        for (int year : years) {
            series.InsertPoint(zav::KTRTime(year, 3, 7, 14, 5, 0), 2.5, 0);
        }
        source.series.push_back(series);
    }
    doc.FieldManager().AddSource(std::move(source));
}

const char* const kPond =
    "Kestrel Pond\r\nGrab samples\r\n1, 7.25, 10:30:00, 05-January-99\r\n2, 6.5, 14:05:00, "
    "1/6/99\r\n";

}  // namespace

class DataCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsDialogStartsAsTheImportNeedsAndFollowsTheLocation() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        AddPond(doc);
        CSpreadsheetOptionsDialog dialog(doc);
        QCOMPARE(dialog.windowTitle(), QString("Choose Spreadsheet Options"));
        QVERIFY(dialog.FileButton()->isChecked() && dialog.CommaButton()->isChecked());
        QVERIFY(dialog.LayoutButton(1)->isChecked());
        QCOMPARE(dialog.StartColumnEdit()->text(), QString("2"));
        QCOMPARE(Texts(dialog.ParameterList()), QStringList({"Discharge (cfs)", "pH (su)"}));
        QVERIFY(dialog.ParameterList()->selectedItems().isEmpty());
        QVERIFY(dialog.NameEdit()->text().isEmpty() && dialog.UnitsEdit()->text().isEmpty());
        QCOMPARE(dialog.LayoutLabel(1)->text(),
                 QString("Single station.  1st line is station name; 2nd is skipped (comment); "
                         "rest is 4 columns of data: ID, value, HH:MM:SS, DAY-MON-YEAR."));
        QCOMPARE(dialog.LayoutLabel(2)->text(),
                 QString("Multiple stations.  1st line is header with first column arbitrary, "
                         "each successive column the date of the reading. 1 station per line, "
                         "1st column is station name, each successive column is a value.  "));
        QCOMPARE(dialog.LayoutLabel(3)->text(),
                 QString("Single Station with multiple parameters.  No header line."));
        zav::SpreadsheetOptions options = dialog.Options();
        QCOMPARE(options.parameter, std::string("new param"));
        QCOMPARE(options.units, std::string("new units"));
        QCOMPARE(options.separator, ',');

        // Spreadsheets put tabs between the cells they copy.
        dialog.ClipboardButton()->click();
        QVERIFY(!dialog.CommaButton()->isEnabled());
        QVERIFY(dialog.TabButton()->isChecked());
        dialog.FileButton()->click();
        QVERIFY(dialog.CommaButton()->isEnabled());
        QVERIFY(dialog.TabButton()->isChecked());

        dialog.show();
        QTest::mouseClick(dialog.LayoutLabel(2), Qt::LeftButton);
        QCOMPARE(dialog.Layout(), 2);
        dialog.StartColumnEdit()->setText("3");
        dialog.ParameterList()->setCurrentRow(1);
        dialog.OkButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        options = dialog.Options();
        QCOMPARE(options.layout, 2);
        QCOMPARE(options.separator, '\t');
        QCOMPARE(options.startColumn, 3);
        QCOMPARE(options.parameter, std::string("pH"));
        QCOMPARE(options.units, std::string("su"));
        QVERIFY(!dialog.FromClipboard());
        QVERIFY(!doc.IsModified());
    }

    void addParameterMakesAndChoosesTheNewParameter() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        AddPond(doc);
        CSpreadsheetOptionsDialog dialog(doc);
        dialog.NameEdit()->setText("Alkalinity");
        dialog.AddParameterButton()->click();  // no units: nothing
        QCOMPARE(dialog.ParameterList()->count(), 2);
        QVERIFY(!dialog.ParametersAdded());

        dialog.UnitsEdit()->setText("mg/l");
        dialog.AddParameterButton()->click();
        QCOMPARE(Texts(dialog.ParameterList()),
                 QStringList({"Alkalinity (mg/l)", "Discharge (cfs)", "pH (su)"}));
        // The new parameter is chosen, though it sorts first.
        QCOMPARE(dialog.ParameterList()->currentRow(), 0);
        QCOMPARE(dialog.Options().parameter, std::string("Alkalinity"));
        QVERIFY(dialog.ParametersAdded() && doc.IsModified());

        dialog.NameEdit()->setText("pH");
        dialog.UnitsEdit()->setText("su");
        dialog.AddParameterButton()->click();
        QCOMPARE(dialog.ParameterList()->currentItem()->text(), QString("pH1 (su1)"));
    }

    void okStaysOpenWhileTheChoicesCannotBeRead() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        CSpreadsheetOptionsDialog dialog(doc);
        dialog.show();
        dialog.LayoutButton(3)->click();
        dialog.OkButton()->click();
        QCOMPARE(ui.messages, std::vector<std::string>(
                                  {"Please add the parameters that the station will use in the "
                                   "dialog."}));
        QVERIFY(dialog.isVisible());

        dialog.NameEdit()->setText("pH");
        dialog.UnitsEdit()->setText("su");
        dialog.AddParameterButton()->click();
        dialog.StartColumnEdit()->setText("two");
        dialog.OkButton()->click();
        QCOMPARE(ui.messages.back(), std::string("Please enter an integer."));
        QVERIFY(dialog.isVisible());
        dialog.StartColumnEdit()->setText(" 2");
        dialog.OkButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ui.messages.size(), size_t{2});
    }

    void parseDialogStartsAtTheTokensAndWritesSkipForUnsetLists() {
        CParseFormatDialog dialog("HH:MM\tVALUE\tvalue\tSKIP");
        QCOMPARE(dialog.windowTitle(), QString("Parse Spreadsheet Information"));
        QVERIFY(dialog.findChild<QLabel*>()->text() ==
                QString("The first five columns of each line has the following form:"));
        QCOMPARE(Texts(dialog.ColumnList(0)),
                 QStringList({"VALUE", "MM/DD/[YY]YY HH:MM:SS", "MM/DD/[YY]YY HH:MM",
                              "YYYY.MM.DD HH:MM", "MM/DD/[YY]YY", "HH:MM:SS", "HH:MM", "SKIP"}));
        QList<int> chosen;
        for (int column = 0; column < 5; ++column) {
            chosen << dialog.ColumnList(column)->currentIndex();
        }
        QCOMPARE(chosen, QList<int>({6, 0, -1, 7, -1}));  // "value" is no token
        QCOMPARE(dialog.ParseString(), QString("HH:MM\tVALUE\tSKIP\tSKIP\tSKIP"));
        dialog.ColumnList(4)->setCurrentIndex(0);
        QCOMPARE(dialog.ParseString(), QString("HH:MM\tVALUE\tSKIP\tSKIP\tVALUE"));

        // Through the options dialog, on the project's string: OK keeps it.
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        CSpreadsheetOptionsDialog options(doc);
        WhenShown<CParseFormatDialog>([](CParseFormatDialog& format) { format.reject(); });
        options.SetFormatButton()->click();
        QCOMPARE(doc.ParseString(), std::string("MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP"));
        QVERIFY(!doc.IsModified());
        WhenShown<CParseFormatDialog>([](CParseFormatDialog& format) {
            format.ColumnList(2)->setCurrentIndex(0);
            format.accept();
        });
        options.SetFormatButton()->click();
        QCOMPARE(doc.ParseString(), std::string("MM/DD/[YY]YY\tVALUE\tVALUE\tSKIP\tSKIP"));
        QVERIFY(doc.IsModified());
    }

    void addFromSpreadsheetReadsTheChosenFilesOrTheClipboard() {
        ProjectWindow w;
        AddPond(w.doc);
        const QString pond = w.bed.Path("pond.csv");
        QFile file(pond);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kPond);
        file.close();

        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& dialog) {
            dialog.ParameterList()->setCurrentRow(1);
            dialog.accept();
        });
        w.dialogs.openAnswers.push_back({pond});
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.dialogs.titles, QStringList({"Open"}));
        QCOMPARE(w.dialogs.filters, QStringList({"All Files (*.*) |*.*||"}));
        QVERIFY(w.Find("Kestrel Pond", "pH") != nullptr);
        QCOMPARE(w.Find("Kestrel Pond", "pH")->Size(), size_t{2});
        QVERIFY(w.doc.IsModified());
        QCOMPARE(w.refreshed, kAllPages);

        // Layout 2 from the clipboard: no file dialog.
        w.refreshed.clear();
        w.ui.clipboard = std::string("Station\t1/1/1999\t2/1/1999\nNorth\t5\t4.5\n");
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& dialog) {
            dialog.ClipboardButton()->click();
            dialog.LayoutButton(2)->click();
            dialog.accept();
        });
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.dialogs.titles.size(), 1);
        QCOMPARE(w.Find("North", "new param")->Size(), size_t{2});
        QCOMPARE(w.refreshed, kAllPages);

        // Layout 3 asks for the parameter of each value column.
        w.ui.clipboard = std::string("1/2/99\t5.5\n");
        w.ui.oneAnswers.push_back(2);  // Discharge, new param, pH
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& dialog) {
            dialog.ClipboardButton()->click();
            dialog.LayoutButton(3)->click();
            dialog.accept();
        });
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.ui.captions, std::vector<std::string>({"Choose Parameter(s)"}));
        zav::DataSeries* column = w.Find("station1", "pH");
        QVERIFY(column != nullptr);
        QCOMPARE(column->Size(), size_t{1});
        QCOMPARE(column->Value(0), 5.5);

        // Cancelled, or no file chosen: nothing is read, no page reloads.
        w.refreshed.clear();
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& d) { d.reject(); });
        w.view->OnAddFromSpreadsheet();
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& d) { d.accept(); });
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.dialogs.titles.size(), 2);
        QVERIFY(w.refreshed.isEmpty());
    }

    void anImportThatSkipsCellsSaysSoInOneMessage() {
        ProjectWindow w;
        w.ui.clipboard = std::string(
            "Station\t1/1/1999\t2/1/1999\t3/1/1999\r\n"
            "North\t5\tNA\t-1\r\n"
            "South\t<0.5\t\t6\r\n");
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& dialog) {
            dialog.ClipboardButton()->click();
            dialog.LayoutButton(2)->click();
            dialog.accept();
        });
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.Find("North", "new param")->Size(), size_t{1});
        QCOMPARE(w.Find("South", "new param")->Size(), size_t{1});
        QCOMPARE(w.refreshed, kAllPages);
        QCOMPARE(w.ui.messages,
                 std::vector<std::string>(
                     {"Clipboard: 2 values read; 4 cells not used:\n"
                      "  not a number: 2 (line 2, column 3: 'NA'; line 3, column 2: '<0.5')\n"
                      "  empty cell: 1\n"
                      "  begins with a minus sign (layout 2 skips these): 1\n"
                      "Lines and columns are counted from 1; a column is one cell of a line."}));

        // An import that skipped nothing says nothing.
        w.ui.messages.clear();
        w.ui.clipboard = std::string("Station\t1/1/1999\r\nEast\t7\r\n");
        WhenShown<CSpreadsheetOptionsDialog>([](CSpreadsheetOptionsDialog& dialog) {
            dialog.ClipboardButton()->click();
            dialog.LayoutButton(2)->click();
            dialog.accept();
        });
        w.view->OnAddFromSpreadsheet();
        QCOMPARE(w.Find("East", "new param")->Size(), size_t{1});
        QVERIFY(w.ui.messages.empty());
    }

    void addCenturyMovesTheYearsAskedForAndReloadsThePages() {
        ProjectWindow w;
        AddPond(w.doc, {1905, 1930, 1931});
        WhenShown<CCenturyDialog>([](CCenturyDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Choose last year to offset:"));
            QCOMPARE(dialog.Field()->text(), QString("1931"));
            dialog.Field()->setText(" 1930 or so");
            dialog.accept();
        });
        w.view->OnAddCentury();
        const zav::DataSeries* series = w.Find("Pond", "pH");
        QCOMPARE(series->Time(0).Year(), 1931);
        QCOMPARE(series->Time(1).Year(), 2005);
        QCOMPARE(series->Time(2).Year(), 2030);
        QCOMPARE(w.refreshed, kAllPages);
        QVERIFY(w.doc.IsModified());

        w.refreshed.clear();
        w.doc.SetModifiedFlag(false);
        WhenShown<CCenturyDialog>([](CCenturyDialog& dialog) {
            QCOMPARE(dialog.Field()->text(), QString("2030"));
            dialog.reject();
        });
        w.view->OnAddCentury();
        QCOMPARE(w.refreshed, kAllPages);
        QCOMPARE(series->Time(2).Year(), 2030);
        QVERIFY(!w.doc.IsModified());

        CCenturyDialog empty(-1);
        QCOMPARE(empty.Field()->text(), QString("-1"));
        empty.Field()->setText("nineteen");
        QCOMPARE(empty.LastYear(), 0);
    }

    void generatedFilesGoIntoTheChosenFolderWhichBecomesTheWorkingOne() {
        ProjectWindow w;
        AddPond(w.doc);
        const QString start = QDir::currentPath();
        w.view->OnGenerateStationFiles();  // cancelled
        QCOMPARE(w.dialogs.titles, QStringList({"Choose Folder For Generated Files"}));
        QCOMPARE(QDir::currentPath(), start);

        const QString folder = w.bed.Path("generated");
        QVERIFY(QDir().mkpath(folder));
        w.dialogs.folderAnswers.push_back(folder);
        w.view->OnGenerateStationFiles();
        QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
        // Pond has two series: a file for each.
        for (const char* name : {"Pond - pH.txt", "Pond - Discharge.txt"}) {
            QFile written(QDir(folder).filePath(name));
            QVERIFY2(written.open(QIODevice::ReadOnly), name);
            QCOMPARE(QString::fromLatin1(written.readAll()).split('\n').first().trimmed(),
                     QString("Pond"));
        }
        QVERIFY(w.ui.messages.empty());
        QVERIFY(!w.doc.IsModified());
    }
};

QTEST_MAIN(DataCommandsTest)
#include "DataCommandsTest.moc"
