// Operations on a project and taking them back: any sequence of operations,
// undone, leaves the project as it was to the byte; redone, as it was after
// them; the modified flag follows the saved state; steps keep what changed.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "StoreBuilders.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

class UndoTest : public test::DocumentTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("report.zav")));
        ui.messages.clear();
    }

    // Some name of the given kind now in the project, or "" when none.
    std::string AnyName(std::mt19937& random, int type) {
        std::vector<IndexInfo> infos;
        doc.FieldManager().GetInfoList(infos, type);
        return infos.empty() ? std::string() : infos[random() % infos.size()].name;
    }

    // A station and parameter with a series, or false when there is none.
    bool AnySeries(std::mt19937& random, std::string& station, std::string& parameter) {
        ZAVFieldManager& store = doc.FieldManager();
        if (store.SeriesCount() == 0) {
            return false;
        }
        DataSeries& series = store.GetSeries(static_cast<int>(random() % store.SeriesCount()));
        station = series.StationName();
        parameter = series.ParameterName();
        return store.FindSeries(station, parameter) != nullptr;
    }

    size_t AnyPoint(std::mt19937& random, const std::string& station,
                    const std::string& parameter) {
        const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
        return series == nullptr || series->Empty() ? 0 : random() % series->Size();
    }

    // One operation chosen by the random numbers, as a person might make.
    void RandomOperation(std::mt19937& random) {
        std::string station, parameter;
        const bool haveSeries = AnySeries(random, station, parameter);
        const std::string extra = "n" + std::to_string(random() % 4);
        const double number = static_cast<double>(random() % 1000) / 8.0;
        switch (random() % 19) {
            case 0:
                RenameStation(doc, AnyName(random, kStationType), extra);
                break;
            case 1:
                RenameParameter(doc, AnyName(random, kParameterType), extra);
                break;
            case 2:
                DeleteStations(doc, {AnyName(random, kStationType)});
                break;
            case 3:
                DeleteParameters(doc, {AnyName(random, kParameterType)});
                break;
            case 4:
                if (haveSeries) {
                    AddEmptyPoints(doc, station, parameter, 1 + static_cast<int>(random() % 3));
                }
                break;
            case 5:
                if (haveSeries) {
                    DeletePoints(doc, station, parameter,
                                 {static_cast<int>(AnyPoint(random, station, parameter))});
                }
                break;
            case 6:
                SetPointValue(doc, station, parameter, AnyPoint(random, station, parameter),
                              number);
                break;
            case 7:
                SetPointTime(doc, station, parameter, AnyPoint(random, station, parameter),
                             KTRTime(1990 + static_cast<int>(random() % 10), 6, 1, 0, 0, 0));
                if (random() % 2 == 0) {
                    PutInTimeOrder(doc, station, parameter);
                }
                break;
            case 8:
                SetPointMasks(doc, station, parameter, {AnyPoint(random, station, parameter), 0},
                              {static_cast<int32_t>(random() % 2), 1});
                break;
            case 9:
                SetMultiplier(doc, station, parameter, number);
                break;
            case 10:
                SetOffset(doc, station, parameter, -number);
                break;
            case 11:
                if (haveSeries) {
                    const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
                    ChangeParameterUnits(doc, parameter, series->Units(), extra);
                }
                break;
            case 12:
                MakeGroup(doc, {AnyName(random, kStationType), AnyName(random, kStationType)},
                          "G" + extra, kStationType);
                break;
            case 13: {
                std::vector<std::string> members;
                DissolveGroup(doc, "Basin", kStationType, members);
                break;
            }
            case 14:
                doc.AddCentury(1990 + static_cast<int>(random() % 8));
                break;
            case 15: {
                PointFilter filter;
                filter.from = KTRTime(1995, 1, 1, 13, 0, 0);
                filter.above = number / 40.0;
                MaskPoints(doc, station, parameter, filter, static_cast<int32_t>(random() % 2));
                break;
            }
            case 16: {
                PointFilter filter;
                filter.to = KTRTime(1995, 1, static_cast<int>(1 + random() % 9), 0, 0, 0);
                DeletePointsIn(doc, station, random() % 2 ? parameter : std::string(), filter);
                break;
            }
            case 17:
                if (haveSeries) {
                    const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
                    ApplyConversion(doc, series->Units(), "x" + extra, number, -1.0);
                }
                break;
            default: {
                SpreadsheetOptions options;
                doc.AddSpreadsheetFiles({test::DataPath("pond-layout1.csv")}, options);
                break;
            }
        }
    }
};

TEST_F(UndoTest, RandomOperationsUndoneSaveTheOriginalBytes) {
    const std::string original = dir.File("original.zav");
    ASSERT_TRUE(doc.OnSaveDocument(original));
    for (const char* zone : {"UTC", "America/New_York", "Australia/Lord_Howe"}) {
        test::ScopedTimeZone tz(zone);
        for (unsigned seed = 1; seed <= 12; ++seed) {
            std::mt19937 random(seed);
            for (int k = 0; k < 60; ++k) {
                RandomOperation(random);
            }
            ASSERT_GT(doc.History().Position(), 15u) << seed;
            const std::string after = doc.ProjectText();

            while (doc.Undo()) {
            }
            EXPECT_FALSE(doc.IsModified()) << zone << " seed " << seed;
            const std::string undone = dir.File("undone.zav");
            ASSERT_TRUE(doc.OnSaveDocument(undone));
            ASSERT_EQ(test::ReadFile(original), test::ReadFile(undone)) << zone << " seed " << seed;

            while (doc.Redo()) {
            }
            EXPECT_TRUE(doc.IsModified());
            ASSERT_TRUE(test::SameLines(after, doc.ProjectText())) << zone << " seed " << seed;
            while (doc.Undo()) {
            }
            ASSERT_TRUE(doc.OnSaveDocument(original));
        }
    }
}

TEST_F(UndoTest, NamesTheStepsAndForgetsTheUndoneOnANewOperation) {
    ASSERT_TRUE(RenameStation(doc, "North", "Nord"));
    ASSERT_TRUE(SetPointValue(doc, "Nord", "DO", 0, 9.5));
    EXPECT_EQ(doc.History().UndoName(), "Edit Value");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.History().UndoName(), "Rename Station");
    EXPECT_EQ(doc.History().RedoName(), "Edit Value");
    ASSERT_TRUE(SetOffset(doc, "Nord", "DO", 2.0));
    EXPECT_EQ(doc.History().Names(), (std::vector<std::string>{"Rename Station", "Change Offset"}));
    EXPECT_FALSE(doc.History().CanRedo());
}

TEST_F(UndoTest, OperationsThatChangeNothingLeaveNoStep) {
    EXPECT_FALSE(RenameStation(doc, "Nowhere", "Somewhere"));
    EXPECT_FALSE(DeleteStations(doc, {"Nowhere"}));
    EXPECT_FALSE(SetPointTime(doc, "North", "DO", 1, KTRTime(1995, 1, 1, 12, 0, 0)));
    EXPECT_FALSE(SetPointMasks(doc, "North", "DO", {0}, {0}));
    EXPECT_EQ(doc.History().Size(), 0u);
    EXPECT_FALSE(doc.IsModified());
}

// The span edits of zav-cli: which points they take, and that a change of
// nothing leaves no step.
TEST_F(UndoTest, SpanEditsTakeThePointsInTheSpanAndWithinTheLimits) {
    PointFilter day;
    day.from = KTRTime(1995, 1, 1, 13, 0, 0);
    day.to = KTRTime(1995, 1, 6, 12, 0, 0);
    PointFilter outside;
    outside.below = 2.0;
    outside.above = 5.0;
    const struct {
        const char* name;
        PointFilter filter;
        std::vector<size_t> taken;  // North / DO: values 1, 2, 2, 7, 4, 100
    } cases[] = {
        {"everything", PointFilter{}, {0, 1, 2, 3, 4, 5}},
        {"both ends included", day, {1, 2, 3}},
        {"below or above", outside, {0, 3, 5}},
    };
    DataSeries& series = *doc.FieldManager().FindSeries("North", "DO");
    for (const auto& c : cases) {
        EXPECT_EQ(PointsMatching(series, c.filter), c.taken) << c.name;
    }
    // A series waiting for its sort is searched whole.
    ASSERT_TRUE(SetPointTime(doc, "North", "DO", 0, KTRTime(1995, 1, 3, 0, 0, 0)));
    EXPECT_EQ(PointsMatching(series, day), (std::vector<size_t>{0, 1, 2, 3}));
}

TEST_F(UndoTest, MaskingAndDeletingASpanAreOneStepEach) {
    PointFilter filter;
    filter.above = 5.0;
    // Point 5 is masked already and keeps its mask: only the 7 changes.
    EXPECT_EQ(MaskPoints(doc, "North", "DO", filter, 1), 1u);
    EXPECT_EQ(MaskPoints(doc, "North", "DO", filter, 1), 0u);
    EXPECT_EQ(doc.History().Names(), std::vector<std::string>{"Mask Points"});
    filter.above.reset();
    filter.to = KTRTime(1995, 1, 2, 12, 0, 0);
    EXPECT_EQ(DeletePointsIn(doc, "North", "", filter), 3u);
    EXPECT_EQ(doc.FieldManager().FindSeries("North", "DO")->Size(), 3u);
    EXPECT_EQ(DeletePointsIn(doc, "Nowhere", "", filter), 0u);
    EXPECT_EQ(doc.History().Size(), 2u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.FieldManager().FindSeries("North", "DO")->Size(), 6u);

    // Points apart from each other in a series waiting for its sort: the
    // others keep their order.
    ASSERT_TRUE(SetPointTime(doc, "North", "DO", 5, KTRTime(1995, 1, 3, 0, 0, 0)));
    PointFilter days;
    days.from = KTRTime(1995, 1, 2, 0, 0, 0);
    days.to = KTRTime(1995, 1, 4, 0, 0, 0);
    EXPECT_EQ(DeletePointsIn(doc, "North", "DO", days), 2u);
    const DataSeries& series = *doc.FieldManager().FindSeries("North", "DO");
    EXPECT_EQ(series.Values(), (std::vector<double>{1, 2, 7, 4}));
}

// Records the modified flag each time the document says its state changed.
class StateWatcher : public DocumentObserver {
public:
    explicit StateWatcher(const CZAVDoc& doc) : m_doc(doc) {}
    void OnDocumentUpdate(int) override {}
    void OnDocumentStateChanged() override { seen.push_back(m_doc.IsModified()); }
    std::vector<bool> seen;

private:
    const CZAVDoc& m_doc;
};

TEST_F(UndoTest, ModifiedFollowsTheSavedPosition) {
    StateWatcher observer(doc);
    doc.AddObserver(&observer);
    ASSERT_TRUE(RenameStation(doc, "North", "Nord"));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("saved.zav")));
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());
    // A new operation after undoing past the save: the saved state cannot
    // be reached by Redo any more.
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(SetMultiplier(doc, "North", "DO", 3.0));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());
    // A change made outside the stack keeps the project modified.
    doc.SetModifiedFlag();
    while (doc.Undo()) {
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(observer.seen, (std::vector<bool>{true, false, true, false, true, true, true, true}));
    doc.RemoveObserver(&observer);
}

// A step keeps the series an operation changed; the others stay shared
// with the project, so a rename of a large project costs its names only.
TEST_F(UndoTest, StepsShareTheSeriesTheyDidNotChange) {
    ZAVFieldManager::Contents before = doc.FieldManager().SaveContents();
    ASSERT_TRUE(RenameStation(doc, "North", "Nord"));
    ASSERT_TRUE(SetPointValue(doc, "South", "DO", 0, 1.0));
    ZAVFieldManager& store = doc.FieldManager();
    const std::vector<DataSeries>& kept = before.sources[0].series;
    EXPECT_TRUE(store.GetSeries(0).SharesPointsWith(kept[0]));   // North, renamed
    EXPECT_FALSE(store.GetSeries(1).SharesPointsWith(kept[1]));  // South DO, edited
    EXPECT_TRUE(store.GetSeries(2).SharesPointsWith(kept[2]));
}

TEST_F(UndoTest, ATimeEditUndoneAfterSortingFindsItsPoint) {
    ASSERT_TRUE(SetPointTime(doc, "North", "DO", 0, KTRTime(1996, 1, 1, 0, 0, 0)));
    PutInTimeOrder(doc, "North", "DO");
    ASSERT_TRUE(SetPointValue(doc, "North", "DO", 5, 42.0));  // the moved point, now last
    const std::string edited = doc.ProjectText();
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    const DataSeries* series = doc.FieldManager().FindSeries("North", "DO");
    EXPECT_EQ(series->Time(0), KTRTime(1995, 1, 1, 12, 0, 0));
    EXPECT_EQ(series->Value(0), 1.0);
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(test::SameLines(edited, doc.ProjectText()));
}

}  // namespace
}  // namespace zav
