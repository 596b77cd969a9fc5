// The aggregation page: making and dissolving aggregates from the lists as a
// user does, what the store holds afterwards, the texts of both lists, the
// hint sent when the page is left, the kind switch, the name prompt and the
// layout.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "AppTestSupport.h"
#include "StoreBuilders.h"
#include "app/dialogs/TextPromptDialog.h"
#include "app/frame/CZAVView.h"
#include "app/pages/AggregationPage.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/NameListDelegate.h"
#include "app/pages/ZAVViewSheet.h"
#include "app/rules/AggregationLists.h"
#include "io/CZAVDoc.h"

namespace {

using zav::test::MakeSeries;

// Stations station1 ... station<count>, each measuring flow, ph and temp.
void AddStations(zav::CZAVDoc& doc, int count) {
    zav::DataSource source;
    for (int i = 1; i <= count; ++i) {
        for (const char* parameter : {"temp", "flow", "ph"}) {
            source.series.push_back(MakeSeries("station" + std::to_string(i), parameter, "u"));
        }
    }
    doc.FieldManager().AddSource(std::move(source));
}

// Rows drawn grey: the names that belong to an aggregate.
QList<int> GreyRows(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(NameListDelegate::kAggregatedRole).toBool()) {
            rows << i;
        }
    }
    return rows;
}

void Select(QListWidget* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int row : rows) {
        list->item(row)->setSelected(true);
    }
}

std::vector<std::string> Names(const zav::ZAVFieldManager& store, int type) {
    std::vector<std::string> names;
    store.GetNameList(names, type, false);
    return names;
}

// A project window whose sheet shows the aggregation page, with a record of
// the pages that reloaded.
struct Window : ProjectWindow {
    explicit Window(int stations)
        : ProjectWindow(kAggregationTab,
                        [stations](zav::CZAVDoc& project) { AddStations(project, stations); }) {}
    AggregationPage& Page() { return Sheet().Aggregation(); }
};

}  // namespace

class AggregationPageTest : public QObject {
    Q_OBJECT

private slots:
    void makingAnAggregateGroupsTheSelectedNamesAndTellsTheViewsOnLeaving() {
        Window w(4);
        AggregationPage& page = w.Page();
        QCOMPARE(Texts(page.NameList()),
                 QStringList({"1. station1", "2. station2", "3. station3", "4. station4"}));
        QCOMPARE(page.NamesLabel()->text(), QString("Stations"));
        QCOMPARE(page.AggregatesLabel()->text(), QString("Aggregated Stations"));
        QVERIFY(page.StationsButton()->isChecked());

        Select(page.NameList(), {0, 2});
        w.ui.textAnswers.push_back(std::string("North"));
        page.MakeButton()->click();
        QCOMPARE(w.ui.textPrompts,
                 std::vector<std::string>(
                     {"Aggregation Name|Choose a name for this group:|+ station1"}));
        QVERIFY(w.ui.messages.empty());
        // Just made, the numbers are followed by blanks; the grouped rows are
        // grey and no longer selected.
        QCOMPARE(Texts(page.AggregateList()), QStringList({"North: 1 3 "}));
        QCOMPARE(GreyRows(page.NameList()), QList<int>({0, 2}));
        QVERIFY(page.NameList()->selectedItems().isEmpty());
        QVERIFY(w.doc.IsModified());

        const zav::ZAVFieldManager& store = w.doc.FieldManager();
        QCOMPARE(Names(store, zav::kStationType),
                 std::vector<std::string>({"North", "station2", "station4"}));
        std::vector<std::string> members;
        store.GetAggregateMembers("North", members, zav::kStationType);
        QCOMPARE(members, std::vector<std::string>({"station1", "station3"}));

        // Nothing reloads until the page is left; then the availability page
        // once, and only that.
        QVERIFY(w.refreshed.isEmpty());
        w.Sheet().setCurrentIndex(kEditTab);
        QCOMPARE(w.refreshed, QStringList({"DataAvailPage"}));

        // Back again, the list is read from the store: blanks before the
        // numbers. Leaving without a change sends nothing.
        w.refreshed.clear();
        w.Sheet().setCurrentIndex(kAggregationTab);
        QCOMPARE(Texts(page.AggregateList()), QStringList({"North:  1 3"}));
        QCOMPARE(GreyRows(page.NameList()), QList<int>({0, 2}));
        w.Sheet().setCurrentIndex(kEditTab);
        QVERIFY(w.refreshed.isEmpty());
    }

    // Another window of the project shows reports that pool the groups:
    // they go out of date as soon as a group is made or dissolved.
    void anotherWindowsReportGoesOutOfDateAtOnce() {
        Window w(3);
        CZAVView second(w.doc, w.dialogs, nullptr);
        second.Sheet().setCurrentIndex(kAvailTab);
        DataAvailPage& report = second.Sheet().DataAvail();
        QVERIFY(!report.IsOutOfDate());
        Select(w.Page().NameList(), {0, 1});
        w.ui.textAnswers.push_back(std::string("North"));
        w.Page().MakeButton()->click();
        QVERIFY(report.IsOutOfDate());
        second.Sheet().RefreshPage(report);
        QVERIFY(!report.IsOutOfDate());
        Select(w.Page().AggregateList(), {0});
        w.Page().DissolveButton()->click();
        QVERIFY(report.IsOutOfDate());
    }

    void onlyNamesOutsideAggregatesAreGroupedAndNothingElseIsRefused() {
        Window w(4);
        AggregationPage& page = w.Page();
        page.MakeButton()->click();
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Please select items to aggregate."}));
        QVERIFY(w.ui.textPrompts.empty());

        QVERIFY(w.doc.FieldManager().AddAggregate({"station1", "station2"}, "West", 0));
        page.Refresh();
        Select(page.NameList(), {0, 1});
        page.MakeButton()->click();
        QCOMPARE(w.ui.messages.size(), size_t(2));
        QCOMPARE(w.ui.messages.back(), std::string("Please select items to aggregate."));
        QVERIFY(w.ui.textPrompts.empty());

        // A grey row among white ones is left out; Cancel changes nothing.
        Select(page.NameList(), {1, 2, 3});
        page.MakeButton()->click();
        QCOMPARE(w.ui.textPrompts.back(),
                 std::string("Aggregation Name|Choose a name for this group:|+ station3"));
        QCOMPARE(Texts(page.AggregateList()), QStringList({"West:  1 2"}));
        QVERIFY(!w.doc.IsModified());
        QVERIFY(!page.HasChanged());

        w.ui.textAnswers.push_back(std::string("East"));
        page.MakeButton()->click();
        QCOMPARE(Texts(page.AggregateList()), QStringList({"West:  1 2", "East: 3 4 "}));
        std::vector<std::string> members;
        w.doc.FieldManager().GetAggregateMembers("East", members, zav::kStationType);
        QCOMPARE(members, std::vector<std::string>({"station3", "station4"}));
    }

    void aTakenOrBlankNameMakesNoAggregate() {
        Window w(3);
        AggregationPage& page = w.Page();
        Select(page.NameList(), {0, 1});
        w.ui.textAnswers.push_back(std::string("station3"));
        page.MakeButton()->click();
        QCOMPARE(w.ui.messages, std::vector<std::string>(
                                    {"Alias station3 already exists.  Please choose another."}));
        QCOMPARE(page.AggregateList()->count(), 0);
        QVERIFY(GreyRows(page.NameList()).isEmpty());
        QCOMPARE(page.NameList()->selectedItems().size(), 2);  // ready for another try
        QVERIFY(!w.doc.IsModified());
        QVERIFY(!page.HasChanged());

        // A name of blanks would be a group nobody can pick out of a list.
        w.ui.textAnswers.push_back(std::string("  "));
        page.MakeButton()->click();
        QCOMPARE(page.AggregateList()->count(), 0);
        QCOMPARE(Names(w.doc.FieldManager(), zav::kStationType),
                 std::vector<std::string>({"station1", "station2", "station3"}));
        QCOMPARE(w.ui.messages.size(), size_t(1));
    }

    void dissolvingRemovesExactlyTheSelectedAggregates() {
        Window w(6);
        zav::ZAVFieldManager& store = w.doc.FieldManager();
        QVERIFY(store.AddAggregate({"station1", "station2"}, "A", 0));
        QVERIFY(store.AddAggregate({"station4", "station3"}, "B", 0));
        QVERIFY(store.AddAggregate({"station5", "station6"}, "C", 0));
        AggregationPage& page = w.Page();
        page.Refresh();
        QCOMPARE(Texts(page.AggregateList()), QStringList({"A:  1 2", "B:  4 3", "C:  5 6"}));

        page.DissolveButton()->click();
        QCOMPARE(w.ui.messages, std::vector<std::string>({"Please select items to de-aggregate."}));
        QVERIFY(!w.doc.IsModified());

        Select(page.NameList(), {0});
        Select(page.AggregateList(), {0, 1});
        page.DissolveButton()->click();
        QCOMPARE(Texts(page.AggregateList()), QStringList({"C:  5 6"}));
        QCOMPARE(GreyRows(page.NameList()), QList<int>({4, 5}));
        QCOMPARE(page.NameList()->selectedItems().size(), 1);
        QCOMPARE(Names(store, zav::kStationType),
                 std::vector<std::string>({"C", "station1", "station2", "station3", "station4"}));
        zav::StationInfo info;
        QVERIFY(store.GetStation("station3", info));
        QCOMPARE(info.name, std::string("station3"));
        QVERIFY(w.doc.IsModified());
        QVERIFY(page.HasChanged());

        w.Sheet().setCurrentIndex(kEditTab);
        QCOMPARE(w.refreshed, QStringList({"DataAvailPage"}));
    }

    void parametersListTheirOwnKindAndTheCurrentKindIsNotReloaded() {
        Window w(2);
        zav::ZAVFieldManager& store = w.doc.FieldManager();
        QVERIFY(store.AddAggregate({"temp", "ph"}, "Quality", 1));
        AggregationPage& page = w.Page();
        QTest::mouseClick(page.ParametersButton(), Qt::LeftButton);
        QCOMPARE(page.AggregationType(), 1);
        QCOMPARE(store.GetAggregationType(), 1);
        QVERIFY(page.ParametersButton()->isChecked());
        QCOMPARE(Texts(page.NameList()), QStringList({"1. flow", "2. ph", "3. temp"}));
        QCOMPARE(Texts(page.AggregateList()), QStringList({"Quality:  3 2"}));
        QCOMPARE(GreyRows(page.NameList()), QList<int>({1, 2}));
        QCOMPARE(page.NamesLabel()->text(), QString("Parameters"));
        QCOMPARE(page.AggregatesLabel()->text(), QString("Aggregated Parameters"));

        // Making one now groups parameters.
        Select(page.NameList(), {0});
        w.ui.textAnswers.push_back(std::string("Q2"));
        page.MakeButton()->click();
        std::vector<std::string> members;
        store.GetAggregateMembers("Q2", members, zav::kParameterType);
        QCOMPARE(members, std::vector<std::string>({"flow"}));
        QCOMPARE(Names(store, zav::kParameterType), std::vector<std::string>({"Q2", "Quality"}));

        // Clicking the kind already shown keeps the lists (and a selection).
        Select(page.NameList(), {1});
        QTest::mouseClick(page.ParametersButton(), Qt::LeftButton);
        QCOMPARE(page.NameList()->selectedItems().size(), 1);
        QTest::mouseClick(page.StationsButton(), Qt::LeftButton);
        QCOMPARE(Texts(page.NameList()), QStringList({"1. station1", "2. station2"}));
        QCOMPARE(store.GetAggregationType(), 0);
    }

    void theNamePromptNeedsANameAndGivesItBack() {
        TextPromptDialog dialog("Aggregation Name", "Choose a name for this group:", "+ station1");
        QCOMPARE(dialog.windowTitle(), QString("Aggregation Name"));
        QCOMPARE(dialog.findChild<QLabel*>()->text(), QString("Choose a name for this group:"));
        QCOMPARE(dialog.Field()->text(), QString("+ station1"));
        QVERIFY(dialog.OkButton()->isEnabled());
        dialog.Field()->setText(" ");
        QVERIFY(!dialog.OkButton()->isEnabled());
        dialog.Field()->setText("North");
        QVERIFY(dialog.OkButton()->isEnabled());
        QTimer::singleShot(0, dialog.OkButton(), &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.Text(), QString("North"));
    }

    void theListsShareTheWidthAndTakeTheHeight() {
        LonePage<AggregationPage> lone(QSize(700, 400));
        AggregationPage& page = lone.page;
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QRect left = page.NameList()->geometry();
        const QRect right = page.AggregateList()->geometry();
        const QRect make = page.MakeButton()->geometry();
        const QRect dissolve = page.DissolveButton()->geometry();
        const QRect label = page.AggregatesLabel()->geometry();
        page.resize(800, 430);
        QTRY_COMPARE(page.size(), QSize(800, 430));
        QCOMPARE(page.NameList()->geometry(), left.adjusted(0, 0, 50, 30));
        QCOMPARE(page.AggregateList()->geometry(), right.adjusted(50, 0, 100, 30));
        QCOMPARE(page.MakeButton()->geometry(), make.translated(50, 0));
        QCOMPARE(page.DissolveButton()->geometry(), dissolve.translated(50, 0));
        QCOMPARE(page.AggregatesLabel()->geometry(), label.translated(50, 0));
    }
};

QTEST_MAIN(AggregationPageTest)
#include "AggregationPageTest.moc"
