// The summary tables window opened from the availability page: on the
// example project it shows, cell for cell, what zav-cli summary and
// zav-cli duration print for the same choices; Copy and Export CSV give
// the table shown; a pair without values says so.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <sstream>

#include "AppTestSupport.h"
#include "app/dialogs/StatisticsOptionsDialog.h"
#include "app/dialogs/SummaryTablesDialog.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "cli/Commands.h"

namespace {

const char* const kStation = "South Outlet";
const char* const kParameter = "Dissolved oxygen";

// What the shell prints for `words`, with its CR LF line ends.
std::string Shell(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const bool summary = words.front() == "summary";
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    const int status = summary ? zav::cli::SummaryCommand(rest, out, err)
                               : zav::cli::DurationCommand(rest, out, err);
    return status == 0 ? out.str() : "exit " + std::to_string(status) + ": " + err.str();
}

// The table widget's header and cells as the shell writes them.
std::string Shown(const QTableWidget& table) {
    std::string text;
    for (int c = 0; c < table.columnCount(); ++c) {
        text += (c == 0 ? "" : "\t") + table.horizontalHeaderItem(c)->text().toStdString();
    }
    text += "\r\n";
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            text += (c == 0 ? "" : "\t") + table.item(r, c)->text().toStdString();
        }
        text += "\r\n";
    }
    return text;
}

QString Joined(const std::vector<std::string>& messages) {
    QString text;
    for (const std::string& message : messages) {
        text += QString::fromStdString(message) + "\n";
    }
    return text;
}

// The page's span from day `from` to day `to`, each {year, month, day} as
// the boxes show them.
void ChooseSpan(const DataAvailForm& f, const QStringList& from, const QStringList& to) {
    Choose(f.startYear, from[0]);
    Choose(f.startMonth, from[1]);
    Choose(f.startDay, from[2]);
    Choose(f.endYear, to[0]);
    Choose(f.endMonth, to[1]);
    Choose(f.endDay, to[2]);
}

void Select(QListWidget* list, const QStringList& names) {
    list->clearSelection();
    for (const QString& name : names) {
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        items.front()->setSelected(true);
    }
}

// The example project on the availability page.
struct SampleBed : ProjectWindow {
    SampleBed()
        : ProjectWindow(
              kAvailTab,
              [](zav::CZAVDoc& project) { QVERIFY(project.OnOpenDocument(ZAV_SAMPLE_PROJECT)); },
              QSize(1100, 700)) {
        // The quiet document has no conversions file to read, and says so.
        ui.messages.clear();
    }
    DataAvailPage& Page() const { return Sheet().DataAvail(); }
    const DataAvailForm& Form() const { return Page().Form(); }

    // Opens the window and returns it; null when none opened.
    SummaryTablesDialog* Open() {
        Form().summaryTables->click();
        return Page().findChild<SummaryTablesDialog*>();
    }
};

}  // namespace

class SummaryTablesTest : public QObject {
    Q_OBJECT
private slots:
    void showsWhatTheShellPrints_data() {
        QTest::addColumn<QString>("statistic");
        QTest::addColumn<int>("yearStart");
        QTest::addColumn<QString>("shellStat");
        QTest::addColumn<QString>("shellYear");
        QTest::newRow("page's mean, calendar years") << "Mean" << 0 << ""
                                                     << "";
        QTest::newRow("median, water years") << "Median" << 9 << "median"
                                             << "oct";
        QTest::newRow("coverage, April") << "Coverage (%)" << 3 << "coverage"
                                         << "4";
        QTest::newRow("90th percentile") << "90th percentile" << 0 << "p90"
                                         << "";
    }
    void showsWhatTheShellPrints() {
        QFETCH(QString, statistic);
        QFETCH(int, yearStart);
        QFETCH(QString, shellStat);
        QFETCH(QString, shellYear);
        SampleBed bed;
        const DataAvailForm& f = bed.Form();
        Select(f.mainList, {"Lake 3 basin", kStation});
        Select(f.secondList, {kParameter});
        f.values->click();
        ChooseSpan(f, {"1995", "Mar", "15"}, {"1997", "Oct", "31"});
        Choose(f.statistic, statistic);
        QTimer::singleShot(0, [yearStart] {
            auto* options =
                qobject_cast<StatisticsOptionsDialog*>(QApplication::activeModalWidget());
            QVERIFY(options != nullptr);
            options->YearStartBox()->setCurrentIndex(yearStart);
            options->accept();
        });
        f.statisticsOptions->click();

        SummaryTablesDialog* window = bed.Open();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QCOMPARE(window->SeriesBox()->count(), 2);
        QCOMPARE(window->SeriesBox()->itemText(1), QString("South Outlet / Dissolved oxygen"));
        window->SeriesBox()->setCurrentIndex(1);

        std::vector<std::string> summary = {"summary", ZAV_SAMPLE_PROJECT, "--station",
                                            kStation,  "--parameter",      kParameter};
        if (!shellStat.isEmpty()) {
            summary.insert(summary.end(), {"--stat", shellStat.toStdString()});
        }
        if (!shellYear.isEmpty()) {
            summary.insert(summary.end(), {"--year-start", shellYear.toStdString()});
        }
        const std::string years = Shell(summary);
        QVERIFY2(years.rfind("Year\tCount\tCoverage (%)", 0) == 0, years.c_str());
        QCOMPARE(Shown(*window->Table(SummaryTablesDialog::kYearsTab)), years);
        const std::string duration =
            Shell({"duration", ZAV_SAMPLE_PROJECT, "--station", kStation, "--parameter", kParameter,
                   "--start", "1995-03-15", "--end", "1997-10-31"});
        QVERIFY2(duration.rfind("Exceeded (%)\tValue\r\n", 0) == 0, duration.c_str());
        QCOMPARE(Shown(*window->Table(SummaryTablesDialog::kDurationTab)), duration);
        QVERIFY(window->Note()->text().isEmpty());

        // Copy gives the tab shown, line feeds between lines; Export the CSV.
        window->Tabs()->setCurrentIndex(SummaryTablesDialog::kDurationTab);
        window->Copy();
        std::string copied = duration;
        copied.erase(copied.size() - 2);
        for (size_t at = copied.find("\r\n"); at != std::string::npos; at = copied.find("\r\n")) {
            copied.replace(at, 2, "\n");
        }
        QCOMPARE(QApplication::clipboard()->text().toStdString(), copied);
        const QString csv = bed.bed.Path("duration.csv");
        bed.dialogs.saveAnswers.push_back(csv);
        window->ExportCsv();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::string expected = copied;
        for (char& c : expected) {
            c = c == '\t' ? ',' : c;
        }
        QCOMPARE(file.readAll().toStdString(), expected + "\n");
        QCOMPARE(Joined(bed.ui.messages), QString());
    }

    void aPairWithoutValuesSaysSo() {
        SampleBed bed;
        const DataAvailForm& f = bed.Form();
        Select(f.mainList, {kStation});
        Select(f.secondList, {kParameter});
        f.values->click();
        // New Year's Day 1994 holds no sample.
        ChooseSpan(f, {"1994", "Jan", "1"}, {"1994", "Jan", "1"});
        SummaryTablesDialog* window = bed.Open();
        QVERIFY(window != nullptr);
        window->Tabs()->setCurrentIndex(SummaryTablesDialog::kDurationTab);
        QCOMPARE(window->Table(SummaryTablesDialog::kDurationTab)->rowCount(), 0);
        QCOMPARE(window->Note()->text(), QString("No values of Dissolved oxygen at South Outlet."));
        window->Tabs()->setCurrentIndex(SummaryTablesDialog::kYearsTab);
        QVERIFY(window->Note()->text().isEmpty());
    }

    void withoutASelectionNothingOpens() {
        SampleBed bed;
        bed.Form().mainList->clearSelection();
        QVERIFY(bed.Open() == nullptr);
        QCOMPARE(Joined(bed.ui.messages),
                 QString("Please select stations or parameters and the other item from the "
                         "listboxes.\n"));
    }
};

QTEST_MAIN(SummaryTablesTest)
#include "SummaryTablesTest.moc"
