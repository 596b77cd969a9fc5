// The "Data Availability" page driven as a person drives it: lists and
// dates filled from the project, the enable rules, what makes the table out
// of date, the report table against what the analysis layer computes, the
// number boxes, the exports, the context menu, the graph windows and the
// layout when the page grows.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QtCharts>
#include <QtTest>
#include <cmath>

#include "AppTestSupport.h"
#include "StoreBuilders.h"
#include "analysis/ReportBuilder.h"
#include "analysis/ReportExport.h"
#include "app/dialogs/CExportOptionsDialog.h"
#include "app/dialogs/StatisticsOptionsDialog.h"
#include "app/frame/CZAVView.h"
#include "app/graphs/GraphView.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/DataEditPage.h"
#include "app/pages/UnitsPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "io/CZAVDoc.h"

namespace {
// The time the graphs give February 1995, the second month of the quarter.
double February() {
    return static_cast<double>(zav::KTRTime(1995, 2, 1, 0, 0, 0).Instant());
}
}  // namespace

namespace {

using zav::test::MakeSeries;
using zav::test::MakeSource;

zav::KTRTime Noon(int year, int month, int day) {
    return zav::KTRTime(year, month, day, 12, 0, 0);
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("<none>");
}

// Three stations from 10 January 1995 to 29 February 1996.
void AddThreeStations(zav::CZAVDoc& doc) {
    doc.FieldManager().AddSource(MakeSource(
        "f.mlv", {MakeSeries("A", "DO", "mg/l",
                             {{Noon(1995, 1, 10), 4},
                              {Noon(1995, 1, 20), 8},
                              {Noon(1995, 3, 5), 5},
                              {Noon(1996, 2, 29), 6}}),
                  MakeSeries("B", "DO", "mg/l", {{Noon(1995, 2, 10), -1}, {Noon(1995, 3, 10), 2}}),
                  MakeSeries("B", "pH", "su", {{Noon(1995, 1, 10), 7}}),
                  MakeSeries("C", "pH", "su", {{Noon(1996, 2, 10), 7.2}}),
                  MakeSeries("C", "Temp", "deg C", {{Noon(1995, 6, 1), 20}})}));
}

// A project of three stations (or none), and the page of a view on it,
// shown.
struct PageBed : ProjectWindow {
    explicit PageBed(bool withData = true)
        : ProjectWindow(kAvailTab, withData ? Fill(AddThreeStations) : Fill(), QSize(1100, 700)) {}

    const DataAvailForm& form() const { return page.Form(); }

    void Click(const QString& text, Qt::KeyboardModifiers modifiers = {}) {
        ClickIn(form().mainList, text, modifiers);
    }
    static void ClickIn(QListWidget* list, const QString& text,
                        Qt::KeyboardModifiers modifiers = {}) {
        QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(text));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(items.front()).center());
    }
    // Stations A and B, DO, 1 January to 31 March 1995 by months.
    void ChooseFirstQuarter(const QStringList& stations = {"A", "B"}) {
        for (int i = 0; i < stations.size(); ++i) {
            Click(stations[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        }
        ClickIn(form().secondList, "DO");
        Choose(form().startYear, "1995");
        Choose(form().startMonth, "Jan");
        Choose(form().startDay, "1");
        Choose(form().endYear, "1995");
        Choose(form().endMonth, "Mar");
        Choose(form().endDay, "31");
        Choose(form().unit, "Months");
    }
    // The table widget's cells, row by row.
    std::vector<std::vector<std::string>> Shown() const {
        std::vector<std::vector<std::string>> cells;
        const CGridCtrl& table = *form().table;
        for (int r = 0; r < table.GetRowCount(); ++r) {
            cells.emplace_back();
            for (int c = 0; c < table.GetColumnCount(); ++c) {
                cells.back().push_back(table.GetItemString(r, c));
            }
        }
        return cells;
    }
    // What the analysis layer makes of the same choice.
    zav::ReportTable Expected(const QStringList& stations) {
        zav::ReportRequest request;
        request.settings = page.Settings();
        for (const QString& station : stations) {
            request.mainItems.push_back(station.toStdString());
        }
        request.otherItem = "DO";
        zav::ScriptedUserInterface quiet;
        zav::ReportTable table;
        zav::RebuildTable(doc.FieldManager(), request, table);
        return table;
    }
    QList<GraphView*> Graphs() const { return view->findChildren<GraphView*>(); }

    DataAvailPage& page = Sheet().DataAvail();
};

}  // namespace

class DataAvailPageTest : public QObject {
    Q_OBJECT

private slots:
    void statisticsShowTheChosenValueWithHintsAndTheFilledLook() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        Choose(f.statistic, "Count");
        f.refresh->click();
        using Cells = std::vector<std::vector<std::string>>;
        QCOMPARE(bed.Shown(), (Cells{{"Station", "1/1995", "2/1995", "3/1995"},
                                     {"A", "2", "0", "1"},
                                     {"B", "0", "1", "1"}}));
        // A's points inside the span are 10 and 44 days apart: the shorter
        // is its step, so January expects 3.1 values.
        const QAbstractItemModel& model = f.table->Model();
        QCOMPARE(model.data(model.index(0, 1), Qt::ToolTipRole).toString(),
                 QString("2 values, 64.5161% of 3.1 expected"));

        // The page's own means with the gaps filled: A's February is filled
        // and looks it.
        Choose(f.statistic, "Mean");
        f.fillGaps->click();
        f.refresh->click();
        QCOMPARE(bed.Shown()[1], (std::vector<std::string>{"A", "6", "5.5", "5"}));
        QVERIFY(f.table->IsItemMarked(1, 2));
        QVERIFY(!f.table->IsItemMarked(1, 1));
        QVERIFY(model.data(model.index(0, 2), Qt::ToolTipRole)
                    .toString()
                    .endsWith("; value filled by interpolation"));

        // A statistic is for values only.
        f.availability->click();
        QVERIFY(!f.statistic->isEnabled());
        QVERIFY(bed.ui.messages.empty());
    }

    void statisticsOptionsRefuseAStepTheyCannotRead() {
        zav::ScriptedUserInterface ui;
        zav::StatisticsOptions given;
        given.statistic = zav::Statistic::kMedian;
        StatisticsOptionsDialog dialog(given, ui);
        dialog.StepBox()->setCurrentText("1.5h");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(
            ui.messages,
            (std::vector<std::string>{"Please enter a sampling step such as 15min, 1h or 1d."}));
        dialog.StepBox()->setCurrentText("15min");
        dialog.YearStartBox()->setCurrentIndex(9);
        dialog.CoverageBox()->setValue(80);
        dialog.MaxGapBox()->setValue(2);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const zav::StatisticsOptions options = dialog.Options();
        QCOMPARE(options.expectedStep, int64_t{900});
        QCOMPARE(options.yearStartMonth, 10);
        QCOMPARE(options.minCoverage, 80.0);
        QCOMPARE(options.maxGap, size_t{2});
        QVERIFY(options.statistic == zav::Statistic::kMedian);
    }

    void firstShowingFillsTheListsAndDates() {
        ProjectWindow hidden(kProjectInfoTab, [](zav::CZAVDoc& doc) {
            doc.FieldManager().AddSource(
                MakeSource("f", {MakeSeries("A", "DO", "mg/l", {{Noon(1995, 1, 10), 4}})}));
        });
        DataAvailPage& page = hidden.Sheet().DataAvail();
        page.Refresh();  // not shown yet
        QCOMPARE(page.Form().mainList->count(), 0);

        PageBed bed;
        const DataAvailForm& f = bed.form();
        QCOMPARE(Texts(f.startYear), QStringList({"1995", "1996"}));
        QCOMPARE(Texts(f.endYear), QStringList({"1995", "1996"}));
        QCOMPARE(f.startMonth->count(), 12);
        QCOMPARE(f.startMonth->itemText(0), QString("Jan"));
        QCOMPARE(
            f.startYear->currentText() + f.startMonth->currentText() + f.startDay->currentText(),
            QString("1995Jan10"));
        QCOMPARE(f.endYear->currentText() + f.endMonth->currentText() + f.endDay->currentText(),
                 QString("1996Feb29"));
        QCOMPARE(f.endDay->count(), 29);
        QCOMPARE(Texts(f.mainList), QStringList({"A", "B", "C"}));
        // Nothing chosen: what every station relates to, in the order met.
        QCOMPARE(Texts(f.secondList), QStringList({"DO", "pH", "Temp"}));
        QCOMPARE(f.mainLabel->text(), QString("Stations"));
        QCOMPARE(f.secondLabel->text(), QString("Parameters"));
        QVERIFY(!bed.page.IsOutOfDate());
        QCOMPARE(bed.Shown(), (std::vector<std::vector<std::string>>{{"Station"}}));
        QCOMPARE(f.dataFor->text(), QString("Data for:"));

        // Parameters sort byte-wise; their second list holds stations.
        f.parameters->click();
        QCOMPARE(Texts(f.mainList), QStringList({"DO", "Temp", "pH"}));
        QCOMPARE(Texts(f.secondList), QStringList({"A", "B", "C"}));
        QCOMPARE(f.mainLabel->text(), QString("Parameters"));
        QCOMPARE(f.secondLabel->text(), QString("Stations"));

        f.stations->click();
        QVERIFY(bed.doc.FieldManager().AddAggregate({"A", "B"}, "AB", zav::kStationType));
        bed.doc.NotifyViews(zav::HintAggregatesChanged);
        QCOMPARE(Texts(f.mainList), QStringList({"AB", "C"}));
        f.aggregatesOnly->click();
        QCOMPARE(Texts(f.mainList), QStringList({"AB"}));
    }

    void dayListsFollowTheMonthAndKeepTheDay() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        QCOMPARE(f.endDay->currentText(), QString("29"));
        Choose(f.endYear, "1995");  // a year alone leaves the days alone
        QCOMPARE(f.endDay->count(), 29);
        Choose(f.endMonth, "Mar");
        QCOMPARE(f.endDay->count(), 31);
        QCOMPARE(f.endDay->currentText(), QString("29"));
        Choose(f.endDay, "31");
        Choose(f.endMonth, "Feb");
        QCOMPARE(f.endDay->count(), 28);
        QCOMPARE(f.endDay->currentText(), QString("28"));
        Choose(f.endMonth, "Dec");
        QCOMPARE(f.endDay->count(), 31);
        QCOMPARE(f.endDay->currentText(), QString("28"));
        QVERIFY(bed.page.IsOutOfDate());
        QCOMPARE(f.startDay->currentText(), QString("10"));
    }

    void refreshShowsWhatTheReportGives() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        QVERIFY(bed.page.IsOutOfDate());
        f.refresh->click();
        QVERIFY(!bed.page.IsOutOfDate());
        using Cells = std::vector<std::vector<std::string>>;
        QCOMPARE(bed.Shown(), (Cells{{"Station", "1/1995", "2/1995", "3/1995"},
                                     {"A", "6", "-", "5"},
                                     {"B", "-", "-1", "2"}}));
        QCOMPARE(bed.Shown(), bed.Expected({"A", "B"}).Grid());
        QCOMPARE(f.dataFor->text(), QString("Data for parameter DO"));
        QVERIFY(!f.table->IsCellEditable(1, 1));

        // Availability, then with the gaps filled.
        f.availability->click();
        f.refresh->click();
        QCOMPARE(bed.Shown(), (Cells{{"Station", "1/1995", "2/1995", "3/1995"},
                                     {"A", "1", "0", "1"},
                                     {"B", "0", "1", "1"}}));
        // B has no value before February: nothing to fill January from.
        f.fillGaps->click();
        f.refresh->click();
        QCOMPARE(bed.Shown(), (Cells{{"Station", "1/1995", "2/1995", "3/1995"},
                                     {"A", "1", "1", "1"},
                                     {"B", "0", "1", "1"}}));
        QCOMPARE(bed.Shown(), bed.Expected({"A", "B"}).Grid());
        QVERIFY(bed.ui.messages.empty());

        // Choosing a station drops the rows at once; the header stays.
        bed.Click("C");
        QCOMPARE(bed.Shown(), (Cells{{"Station", "1/1995", "2/1995", "3/1995"}}));
        QCOMPARE(Texts(f.secondList), QStringList({"pH", "Temp"}));
        QVERIFY(f.secondList->selectedItems().isEmpty());
    }

    void enableRulesFollowTheMainListAndTheDataType() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        QVERIFY(f.values->isChecked());
        QVERIFY(f.maxMeanMin->isEnabled());
        QVERIFY(f.threshold->isEnabled());
        QVERIFY(!f.thresholdValue->isEnabled());
        f.threshold->click();
        QVERIFY(f.thresholdValue->isEnabled());

        f.parameters->click();
        QVERIFY(f.availability->isChecked());
        QVERIFY(!f.values->isEnabled());
        QVERIFY(!f.maxMeanMin->isEnabled());
        QVERIFY(f.mean->isEnabled());
        QVERIFY(f.mean->isChecked());
        QVERIFY(!f.threshold->isEnabled());
        QVERIFY(!f.thresholdValue->isEnabled());

        f.stations->click();
        QVERIFY(f.values->isEnabled());
        QVERIFY(f.availability->isChecked());
        QVERIFY(!f.maxMeanMin->isEnabled());
        QVERIFY(!bed.page.IsOutOfDate());
        f.values->click();
        QVERIFY(bed.page.IsOutOfDate());
        QVERIFY(f.maxMeanMin->isEnabled());
        QVERIFY(f.mean->isChecked());
        QVERIFY(f.threshold->isEnabled());
        QVERIFY(f.thresholdValue->isEnabled());
    }

    void everyUserChangeMarksTheTableOutOfDate() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        std::vector<std::function<void()>> changes = {
            [&] { PageBed::ClickIn(f.secondList, "pH"); },
            [&] { Choose(f.unit, "Days"); },
            [&] { Choose(f.startDay, "3"); },
            [&] { Choose(f.startYear, "1996"); },
            [&] { Choose(f.endDay, "2"); },
            [&] { Choose(f.endYear, "1995"); },
            [&] { Choose(f.startMonth, "Feb"); },
            [&] { f.fillGaps->click(); },
            [&] { QTest::keyClick(f.every, Qt::Key_2); },
            [&] { f.availability->click(); },
        };
        for (size_t i = 0; i < changes.size(); ++i) {
            bed.page.RebuildTable();
            QVERIFY(!bed.page.IsOutOfDate());
            changes[i]();
            QVERIFY2(bed.page.IsOutOfDate(), qPrintable(QString::number(i)));
        }
        // The plot style acts on the graph only.
        bed.page.RebuildTable();
        f.maxMeanMin->click();
        QVERIFY(!bed.page.IsOutOfDate());
    }

    // Units, masks and the rest change the numbers without a reload: the
    // table stops showing them as current, and every table export writes
    // what Refresh would show.
    void changesToTheDataMarkTheTableOutOfDateAndExportsRecompute() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        f.refresh->click();
        using Cells = std::vector<std::vector<std::string>>;
        const Cells header = {{"Station", "1/1995", "2/1995", "3/1995"}};

        // mg/l ten times larger, typed on the units page.
        bed.Sheet().setCurrentIndex(kUnitsTab);
        CGridCtrl* units = bed.Sheet().Units().UnitsTable();
        const int row = GridColumnTexts(units, 0).indexOf("mg/l") + 1;
        QVERIFY(row > 0);
        TypeIntoCell(units, row, 1, "10");
        bed.Sheet().setCurrentIndex(kAvailTab);
        QVERIFY(bed.page.IsOutOfDate());
        QCOMPARE(bed.Shown(), header);
        QTemporaryDir dir;
        const QString table = dir.filePath("table.txt");
        bed.dialogs.saveAnswers = {table};
        bed.page.ExportAs(DataAvailPage::kToFile, false);
        QCOMPARE(ReadText(table), QString("Station\t1/1995\t2/1995\t3/1995\r\n"
                                          "A\t60\t-\t50\r\nB\t-\t-10\t20\r\n"));
        QVERIFY(!bed.page.IsOutOfDate());
        QCOMPARE(bed.Shown(), bed.Expected({"A", "B"}).Grid());

        // A's January value of 4 set aside on the edit page, which is not
        // left: every window knows at once.
        bed.Sheet().setCurrentIndex(kEditTab);
        ClickGridCell(bed.Sheet().DataEdit().LowerTable(), 1, 3);
        QVERIFY(bed.page.IsOutOfDate());
        QCOMPARE(bed.Shown(), header);
        bed.page.ExportAs(DataAvailPage::kToClipboard, false);
        QCOMPARE(bed.Shown()[1], (std::vector<std::string>{"A", "80", "-", "50"}));
        QCOMPARE(*bed.ui.clipboard, zav::ClipboardText(bed.page.Report()));
        QVERIFY(bed.ui.messages.empty());
    }

    void wideTablesAreBuiltOnlyWhenConfirmed() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter({"A"});
        f.refresh->click();
        Choose(f.unit, "Days");
        Choose(f.endYear, "1996");
        Choose(f.endMonth, "May");
        Choose(f.endDay, "15");  // 501 days
        bed.ui.yesNoAnswers = {false};
        f.refresh->click();
        QCOMPARE(bed.ui.questions,
                 std::vector<std::string>{"There are 501 time points.  Continue?"});
        QCOMPARE(bed.form().table->GetRowCount(), 1);
        QCOMPARE(bed.form().table->GetItemString(0, 3), std::string("3/1995"));
        QVERIFY(!bed.page.IsOutOfDate());
        bed.page.RebuildTable();  // Yes
        QCOMPARE(bed.form().table->GetColumnCount(), 502);
        QCOMPARE(bed.form().table->GetRowCount(), 2);
    }

    void numberBoxesThatHoldNoNumberKeepTheirSettings() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        f.every->setText("3");
        f.refresh->click();
        QCOMPARE(bed.page.Settings().every, 3);
        f.every->clear();
        f.threshold->click();
        f.fillGaps->click();
        f.refresh->click();
        QCOMPARE(bed.ui.messages, std::vector<std::string>{"Please enter an integer."});
        QCOMPARE(bed.page.Settings().every, 3);
        QVERIFY(!bed.page.Settings().thresholdOn);  // read after the faulty box

        bed.ui.messages.clear();
        f.every->setText("2");
        f.thresholdValue->setText("2,5");
        f.refresh->click();
        QCOMPARE(bed.ui.messages, std::vector<std::string>{"Please enter a number."});
        QCOMPARE(bed.page.Settings().every, 2);
        QVERIFY(bed.page.Settings().thresholdOn);
        QCOMPARE(bed.page.Settings().threshold, 0.0f);
        QVERIFY(!bed.page.Settings().fillGaps);
        f.thresholdValue->setText(" 7.5 ");  // no part of the table
        QVERIFY(!bed.page.IsOutOfDate());
        bed.page.RebuildTable();
        QCOMPARE(bed.page.Settings().threshold, 7.5f);
        QVERIFY(bed.page.Settings().fillGaps);
    }

    void aProjectWithoutDataDoesNothing() {
        PageBed bed(false);
        const DataAvailForm& f = bed.form();
        for (QComboBox* combo :
             {f.startMonth, f.startDay, f.startYear, f.endMonth, f.endDay, f.endYear}) {
            QCOMPARE(combo->count(), 0);
        }
        f.refresh->setEnabled(true);
        f.refresh->click();
        f.graph->click();
        QVERIFY(bed.ui.messages.empty());
        QVERIFY(bed.Graphs().isEmpty());
        bed.page.ExportAs(DataAvailPage::kToClipboard, false);
        QCOMPARE(*bed.ui.clipboard, std::string("Station"));
    }

    void exportsWriteTheReport() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        f.refresh->click();
        QTemporaryDir dir;
        const QString table = dir.filePath("table.txt");

        bed.page.ExportAs(DataAvailPage::kToClipboard, true);
        QCOMPARE(*bed.ui.clipboard, zav::ClipboardText(bed.page.Report()));

        bed.dialogs.saveAnswers = {table};
        bed.page.ExportAs(DataAvailPage::kToFile, false);
        QCOMPARE(bed.dialogs.titles.back(), QString("Choose an output file."));
        QCOMPARE(bed.dialogs.filters.back(),
                 QString("Text files (*.txt)|*.txt|All Files (*.*) |*.*||"));
        QCOMPARE(ReadText(table), QString("Station\t1/1995\t2/1995\t3/1995\r\n"
                                          "A\t6\t-\t5\r\nB\t-\t-1\t2\r\n"));

        bed.dialogs.saveAnswers = {table};
        bed.page.ExportAs(DataAvailPage::kToFile, true);
        QVERIFY(ReadText(table).startsWith("Min\r\nStation\tA\tB\t\r\n1/1995\t4\t-\r\n"));
        QVERIFY(ReadText(table).contains("\r\n\r\nMean\r\n"));

        bed.page.ExportAs(DataAvailPage::kToFile, false);  // cancelled
        const QString unwritable = dir.filePath("no/such/folder.txt");
        bed.dialogs.saveAnswers = {unwritable};
        bed.page.ExportAs(DataAvailPage::kToFile, false);
        QCOMPARE(bed.ui.messages,
                 std::vector<std::string>{"Unable to open file " + unwritable.toStdString()});

        // A time series needs one station.
        bed.ui.messages.clear();
        const int asked = bed.dialogs.titles.size();
        bed.page.ExportAs(DataAvailPage::kTimeseriesToFile, false);
        bed.ui.clipboard = std::string("old");
        bed.page.ExportAs(DataAvailPage::kTimeseriesToClipboard, false);
        const std::string refusal =
            "Only timeseries data for a single station and parameter can be output.";
        QCOMPARE(bed.ui.messages, (std::vector<std::string>{refusal, refusal}));
        QCOMPARE(bed.dialogs.titles.size(), asked);
        QCOMPARE(*bed.ui.clipboard, std::string());

        bed.Click("A");
        PageBed::ClickIn(f.secondList, "DO");
        const QString series = dir.filePath("timeseries.txt");
        bed.dialogs.saveAnswers = {series};
        bed.page.ExportAs(DataAvailPage::kTimeseriesToFile, false);
        QCOMPARE(bed.dialogs.proposedNames.back(), QString("timeseries.txt"));
        QCOMPARE(bed.dialogs.filters.back(),
                 QString("text files (*.txt)|*.txt|All Files (*.*)|*.*||"));
        // Days 9, 19 and 63 of the span hold data.
        QCOMPARE(ReadText(series), QString("4\t9\t8\t10\t5\t44\t\r\n"));
        bed.page.ExportAs(DataAvailPage::kTimeseriesToClipboard, false);
        QCOMPARE(*bed.ui.clipboard, std::string("4\t9\t8\t10\t5\t44\t"));
        QCOMPARE(bed.ui.messages.size(), size_t(2));
    }

    void theExportDialogStartsAfreshEachTime() {
        PageBed bed;
        QStringList seen;
        auto answer = [&](int option, bool transpose, bool accept) {
            QTimer::singleShot(0, this, [&, option, transpose, accept] {
                auto* dialog =
                    qobject_cast<CExportOptionsDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QStringList texts;
                for (QAbstractButton* button : dialog->findChildren<QRadioButton*>()) {
                    texts << button->text() + (button->isChecked() ? "*" : "");
                }
                texts << dialog->TransposeBox()->text() +
                             (dialog->TransposeBox()->isChecked() ? "*" : "");
                seen << dialog->windowTitle() << texts.join('|')
                     << dialog->findChild<QLabel*>()->text();
                dialog->SetOption(option);
                dialog->TransposeBox()->setChecked(transpose);
                accept ? dialog->accept() : dialog->reject();
            });
        };
        answer(1, true, false);
        bed.page.OnExport();
        answer(0, false, true);
        bed.ui.clipboard = std::string("old");
        bed.page.OnExport();
        const QString fresh =
            "To clipboard*|To file, tab-delimited|To file, as timeseries|"
            "To clipboard, as timeseries |Transpose";
        QCOMPARE(seen, QStringList({"Export Report Table Options", fresh, "VORN helpers:",
                                    "Export Report Table Options", fresh, "VORN helpers:"}));
        QCOMPARE(*bed.ui.clipboard, std::string("Station"));
        QVERIFY(bed.dialogs.titles.isEmpty());
    }

    void contextMenuCopiesAndPastesNothing() {
        PageBed bed;
        bed.ChooseFirstQuarter();
        bed.form().refresh->click();
        CGridCtrl& table = *bed.form().table;
        std::unique_ptr<QMenu> menu = bed.page.CreateTableMenu();
        QCOMPARE(menu->title(), QString("Table1 Context"));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QString("&Copy"));
        QCOMPARE(menu->actions()[1]->text(), QString("&Paste"));
        table.SetSelectedRange({1, 1, 2, 2});
        menu->actions()[0]->trigger();
        QCOMPARE(*bed.ui.clipboard, std::string("6\t-\n-\t-1"));
        bed.ui.clipboard = std::string("9\t9");
        menu->actions()[1]->trigger();
        table.SetFocusCell(1, 1);
        table.OnEditPaste();  // the keys do not change the results either
        QCOMPARE(table.GetItemString(1, 1), std::string("6"));

        // A right click opens the menu where the mouse is.
        QTimer::singleShot(0, this, [] {
            QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(open);
            QCOMPARE(open->title(), QString("Table1 Context"));
            open->close();
        });
        const QRect cell = table.visualRect(table.Model().IndexOf(1, 1));
        QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(),
                                table.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(table.viewport(), &event);
    }

    void maxMeanMinGraphStepsThroughTheStationsOnClicks() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        f.graph->click();
        QCOMPARE(bed.Graphs().size(), 1);
        GraphView* graph = bed.Graphs().front();
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        QCOMPARE(graph->objectName(), QString("zav_data_values"));
        QCOMPARE(graph->size(), QSize(800, 600));
        QCOMPARE(graph->windowTitle(), QString("DO"));
        QCOMPARE(graph->GroupCount(), 2);
        QStringList titles;
        for (int i = 0; i < 3; ++i) {
            titles << graph->Chart()->title();
            QTest::mouseClick(graph->ChartView()->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
        }
        QCOMPARE(titles, QStringList({"A", "B", "A"}));
        QCOMPARE(graph->CurrentGroup(), 1);

        // A click on a drawn point is no click on empty area.
        auto* series = qobject_cast<QXYSeries*>(graph->Chart()->series().front());
        QVERIFY(series);
        const QPointF scene = graph->Chart()->mapToPosition(series->at(1), series);
        QTest::mouseClick(graph->ChartView()->viewport(), Qt::LeftButton, {},
                          graph->ChartView()->mapFromScene(scene));
        QCOMPARE(graph->CurrentGroup(), 1);

        // Each press opens another window; the page keeps none.
        f.graph->click();
        QCOMPARE(bed.Graphs().size(), 2);
    }

    void meanGraphLeavesGapsAndDrawsTheThreshold() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter({"A"});
        f.mean->click();
        f.threshold->click();  // at 0
        f.graph->click();
        GraphView* graph = bed.Graphs().value(0);
        QVERIFY(graph);
        QCOMPARE(graph->objectName(), QString("zav_data_values_line"));
        QStringList names;
        QList<double> thresholdValues;
        for (QAbstractSeries* series : graph->Chart()->series()) {
            auto* xy = static_cast<QXYSeries*>(series);
            names << series->name();
            for (const QPointF& point : xy->points()) {
                if (series->name() == "Threshold") {
                    thresholdValues << point.y();
                }
                // February holds no data: nothing is drawn there.
                QVERIFY(series->name() == "Threshold" || point.x() != February());
            }
        }
        QVERIFY(names.contains("A"));
        QCOMPARE(thresholdValues, QList<double>({0, 0, 0}));

        // Nothing chosen in a list: the message, and no window.
        bed.Click("A", Qt::ControlModifier);
        f.graph->click();
        QCOMPARE(bed.ui.messages,
                 std::vector<std::string>{"Please select items to graph from the listboxes."});
        QCOMPARE(bed.Graphs().size(), 1);
    }

    // Zoom by rectangle, wheel and keys, pan, reset; the time and value under
    // the cursor; the picture saved as SVG holds the series and the labels.
    void graphWindowZoomsAndSaves() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        f.graph->click();
        GraphView* graph = bed.Graphs().value(0);
        QVERIFY(graph);
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        QApplication::processEvents();
        const graphs::GraphWindow full = graph->Window();
        QCOMPARE(full.x0, February() - 31 * 86400.0);  // January 1
        QWidget* canvas = graph->Canvas();
        const QPoint middle = canvas->rect().center();

        // A dragged rectangle zooms into both axes and is no click.
        QTest::mousePress(canvas, Qt::LeftButton, {}, middle - QPoint(100, 60));
        QMouseEvent move(QEvent::MouseMove, QPointF(middle + QPoint(100, 60)),
                         canvas->mapToGlobal(QPointF(middle + QPoint(100, 60))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, middle + QPoint(100, 60));
        QCOMPARE(graph->CurrentGroup(), 0);
        const graphs::GraphWindow zoomed = graph->Window();
        QVERIFY(zoomed.x0 > full.x0 && zoomed.x1 < full.x1);
        QVERIFY(zoomed.y0 > full.y0 && zoomed.y1 < full.y1);

        // The wheel zooms in about the cursor: the value there stays put.
        const QString before = graph->Readout(middle);
        QVERIFY(before.contains("1995"));
        QVERIFY(before.endsWith("mg/l"));
        QWheelEvent wheel(QPointF(middle), canvas->mapToGlobal(QPointF(middle)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        const graphs::GraphWindow wheeled = graph->Window();
        QVERIFY(wheeled.x1 - wheeled.x0 < zoomed.x1 - zoomed.x0);
        QCOMPARE(graph->Readout(middle), before);

        // Arrow keys pan; Escape shows the whole graph again.
        QTest::keyClick(graph, Qt::Key_Right);
        QVERIFY(graph->Window().x0 > wheeled.x0);
        QTest::keyClick(graph, Qt::Key_Escape);
        QCOMPARE(graph->Window().x0, full.x0);
        QCOMPARE(graph->Window().x1, full.x1);

        // Round ticks on the value axis.
        auto* values = qobject_cast<QCategoryAxis*>(graph->Chart()->axes(Qt::Vertical).front());
        QVERIFY(values);
        for (const QString& label : values->categoriesLabels()) {
            bool number = false;
            const double v = label.toDouble(&number);
            QVERIFY2(number && std::fmod(v, 1.0) == 0.0, qPrintable(label));
        }

        QTemporaryDir dir;
        const QString path = dir.filePath("graph.svg");
        QString error;
        QVERIFY(graph->SaveAs(path, QSize(640, 480), error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        for (const char* text : {">A</text>", ">Max</text>", ">Min</text>", ">Mean</text>",
                                 ">mg/l</text>", ">Time</text>"}) {
            QVERIFY2(svg.contains(text), text);
        }
        // Dates of the quarter along the time axis.
        QVERIFY(svg.contains(QRegularExpression(">[0-9/]+/1995</text>")));
        QVERIFY(!graph->SaveAs(dir.filePath("graph.gif"), QSize(640, 480), error));
        QCOMPARE(error, "A graph is saved as .png, .svg or .pdf: " + dir.filePath("graph.gif"));
    }

    void rawPointsAndHeatMapOpenTheirOwnWindows() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        bed.ChooseFirstQuarter();
        QVERIFY(f.pointsGraph->isEnabled());
        f.pointsGraph->click();
        f.heatMap->click();
        QCOMPARE(bed.Graphs().size(), 2);
        GraphView* points = bed.Graphs().value(0);
        GraphView* heat = bed.Graphs().value(1);
        QCOMPARE(points->objectName(), QString("zav_data_points"));
        QCOMPARE(heat->objectName(), QString("zav_data_heatmap"));
        QVERIFY(heat->Chart() == nullptr);
        // Availability has no values to draw point by point.
        f.availability->click();
        QVERIFY(!f.pointsGraph->isEnabled());
        QVERIFY(f.heatMap->isEnabled());
    }

    void controlsFollowThePageSize() {
        PageBed bed;
        const DataAvailForm& f = bed.form();
        QWidget* watched[] = {f.refresh, f.mainList, f.secondList, f.secondLabel,
                              f.graph,   f.every,    f.table,      f.startYear};
        std::vector<QRect> before;
        for (QWidget* widget : watched) {
            before.push_back(widget->geometry());
        }
        const QSize size = bed.page.size();
        bed.view->resize(bed.view->size() + QSize(100, 60));
        QTRY_COMPARE(bed.page.size(), size + QSize(100, 60));
        QCOMPARE(f.refresh->geometry(), before[0].translated(50, 0));
        QCOMPARE(f.mainList->geometry(), before[1].adjusted(0, 0, 50, 0));
        QCOMPARE(f.secondList->geometry(), before[2].adjusted(50, 0, 100, 0));
        QCOMPARE(f.secondLabel->geometry(), before[3].translated(50, 0));
        QCOMPARE(f.graph->geometry(), before[4].translated(100, 0));
        QCOMPARE(f.every->geometry(), before[5].translated(100, 0));
        QCOMPARE(f.table->geometry(), before[6].adjusted(0, 0, 100, 60));
        QCOMPARE(f.startYear->geometry(), before[7]);
    }
};

QTEST_MAIN(DataAvailPageTest)
#include "DataAvailPageTest.moc"
