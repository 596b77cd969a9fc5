// Add From CSV and Export Data as a user fills them: the dialog's first
// guess, the preview with the cells that will not be stored marked, and the
// options the import and the export then run with.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include "AppTestSupport.h"
#include "app/dialogs/CsvImportDialog.h"
#include "app/dialogs/ExportDataDialog.h"
#include "io/CZAVDoc.h"

namespace {

const char* const kAgency =
    "# comment\n"
    "agency\tsite\tdate\tflow\tflow_cd\n"
    "5s\t15s\t20d\t14n\t10s\n"
    "X\t01\t2025-06-01\t12.5\tA\n"
    "X\t01\t2025-06-02\tIce\tA\n"
    "X\t01\t2025-06-03\t<0.5\t<\n";

QStringList RowTexts(const QTableWidget* table, int row) {
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c) {
        texts << table->item(row, c)->text();
    }
    return texts;
}

}  // namespace

class CsvDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void importDialogGuessesColumnsAndMarksWhatWillNotBeStored() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        CsvImportDialog dialog(doc.FieldManager(), "/data/agency.tsv", kAgency);
        QCOMPARE(dialog.TimeList()->item(2)->checkState(), Qt::Checked);
        QCOMPARE(dialog.StationBox()->currentText(), QString("site"));
        QCOMPARE(dialog.ValueTable()->item(3, 0)->checkState(), Qt::Checked);
        const QTableWidget* preview = dialog.PreviewTable();
        QCOMPARE(preview->rowCount(), 3);
        QCOMPARE(RowTexts(preview, 0), QStringList({"4", "01", "flow", "new units",
                                                    "2025-06-01 00:00:00", "12.5", "0", ""}));
        QCOMPARE(RowTexts(preview, 1).last(), QString("not a number (column 4: 'Ice')"));
        QCOMPARE(RowTexts(preview, 2).last(),
                 QString("below the detection limit (not stored with --censored skip) "
                         "(column 4: '<0.5')"));
        QCOMPARE(preview->item(1, 0)->background().color(), QColor(255, 220, 220));
        QCOMPARE(dialog.StatusLabel()->text(),
                 QString("2 of the first 3 cells will not be stored."));

        // Storing censored values at half the limit changes the preview at once.
        dialog.CensoredBox()->setCurrentIndex(2);
        QCOMPARE(RowTexts(preview, 2).mid(5, 3), QStringList({"0.25", "0", ""}));

        dialog.SkipBadBox()->setChecked(true);
        const zav::CsvImportOptions options = dialog.Options();
        QCOMPARE(options.timeColumns, std::vector<std::string>({"date"}));
        QCOMPARE(options.stationColumn, std::string("site"));
        QCOMPARE(options.valueColumns, std::vector<std::string>({"flow"}));
        QCOMPARE(options.remarkColumns, std::vector<std::string>({"flow_cd"}));
        QVERIFY(options.censored == zav::CensoredRule::kHalf && options.skipBad);
    }

    void importDialogStaysOpenWithoutAValueColumn() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        CsvImportDialog dialog(doc.FieldManager(), "/data/agency.tsv", kAgency);
        dialog.ValueTable()->item(3, 0)->setCheckState(Qt::Unchecked);
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.StatusLabel()->text(), QString("Please no value column given."));
    }

    void exportDialogSelectsAllAndLimitsTheSpanOnlyWhenAsked() {
        zav::ScriptedUserInterface ui;
        zav::CZAVDoc doc(ui, QuietEnvironment());
        zav::DataSource source;
        for (const char* station : {"A", "B"}) {
            zav::DataSeries series;
            series.SetStationName(station);
            series.SetParameterName("DO");
            series.SetUnits("mg/l");
            series.InsertPoint(zav::KTRTime(2020, 5, 1, 0, 0, 0), 1, 0);
            series.InsertPoint(zav::KTRTime(2021, 7, 9, 0, 0, 0), 2, 0);
            source.series.push_back(series);
        }
        doc.FieldManager().AddSource(std::move(source));
        ExportDataDialog dialog(doc.FieldManager());
        zav::DataExportOptions options = dialog.Options();
        QVERIFY(options.stations.empty() && options.parameters.empty());
        QVERIFY(!options.start.IsValid() && !options.end.IsValid());
        QCOMPARE(dialog.StartEdit()->date(), QDate(2020, 5, 1));
        QCOMPARE(dialog.EndEdit()->date(), QDate(2021, 7, 9));
        dialog.StationList()->item(0)->setSelected(false);
        dialog.SpanBox()->setChecked(true);
        dialog.EndEdit()->setDate(QDate(2020, 12, 31));
        options = dialog.Options();
        QCOMPARE(options.stations, std::vector<std::string>({"B"}));
        QVERIFY(options.end == zav::KTRTime(2020, 12, 31, 23, 59, 59));
    }
};

QTEST_MAIN(CsvDialogsTest)
#include "CsvDialogsTest.moc"
