// Generated station files and the century command of the document.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/GeneratedFiles.h"
#include "io/ImportReport.h"
#include "io/Spreadsheet.h"

namespace zav {
namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

DataSeries PondSeries() {
    DataSeries s;
    s.SetStationName("Pond");
    s.SetParameterName("DO");
    s.SetUnits("mg/l");
    s.SetMultiplier(2.0);
    s.SetOffset(0.5);
    s.InsertPoint(KTRTime(1998, 3, 7, 14, 5, 0), 1.25, 0);
    s.InsertPoint(KTRTime(1999, 12, 31, 23, 59, 59), 1.0 / 3.0, 1);
    s.InsertPoint(KTRTime(2004, 1, 9, 0, 0, 0), 100000, 0);
    return s;
}

using GeneratedFilesTest = test::DocumentTest;

TEST_F(GeneratedFilesTest, OneLinePerPointWithScaledValueTimeAndDate) {
    EXPECT_EQ(GeneratedFileText(PondSeries()),
              "Pond\r\n\r\n\r\n\r\n"
              "0, 3, 14:5:0, 07-March-98,\r\n"
              "1, 1.16667, 23:59:59, 31-December-99,\r\n"
              "2, 200000, 0:0:0, 09-January-04,\r\n");
}

TEST_F(GeneratedFilesTest, ReadsBackWithLayoutOneAndCenturyRepairsTheYears) {
    EXPECT_EQ(doc.LastYearOfData(), -1);
    DataSource source;
    source.series.push_back(PondSeries());
    doc.FieldManager().AddSource(std::move(source));
    const std::string folder = dir.File("out");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_EQ(doc.GenerateStationFiles(folder), 0);

    DataSource back;
    SpreadsheetOptions options;
    ImportReport report;
    ASSERT_TRUE(
        ReadSingleStationLayout(back, test::ReadFile(folder + "/Pond.txt"), options, ui, report));
    EXPECT_EQ(report.Skipped(), 0u);
    const DataSeries& s = back.series.at(0);
    EXPECT_EQ(s.StationName(), "Pond");
    EXPECT_EQ(s.Multiplier(), 1.0);
    EXPECT_EQ(s.Values(), (std::vector<double>{200000, 3, 1.16667}));
    // 2004 comes back as 1904 and sorts first.
    EXPECT_EQ(s.Times(),
              (std::vector<KTRTime>{KTRTime(1904, 1, 9, 0, 0, 0), KTRTime(1998, 3, 7, 14, 5, 0),
                                    KTRTime(1999, 12, 31, 23, 59, 59)}));
    EXPECT_TRUE(ui.messages.empty());

    ZAVFieldManager& store = doc.FieldManager();
    store.AddSource(std::move(back));
    EXPECT_EQ(doc.LastYearOfData(), 2004);
    struct Counter : DocumentObserver {
        std::vector<int> hints;
        void OnDocumentUpdate(int hint) override { hints.push_back(hint); }
    } views;
    doc.AddObserver(&views);
    doc.SetModifiedFlag(false);
    doc.AddCentury(1905);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(views.hints, (std::vector<int>{HintDataChanged}));
    EXPECT_EQ(store.GetSeries(1).Time(2), KTRTime(2004, 1, 9, 0, 0, 0));
    EXPECT_EQ(store.GetSeries(1).Time(0), KTRTime(1998, 3, 7, 14, 5, 0));
}

TEST_F(GeneratedFilesTest, CenturySaysWhenMovedPointsTookOthersPlaces) {
    DataSource source;
    source.series.push_back(PondSeries());
    source.series.front().InsertPoint(KTRTime(1904, 1, 9, 0, 0, 0), 7, 1);
    source.series.push_back(source.series.front());
    doc.FieldManager().AddSource(std::move(source));
    doc.AddCentury(1905);
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Add Century moved 2 points onto times that already had a point; "
                               "each moved point replaced the one there."});
    const DataSeries& s = doc.FieldManager().GetSeries(0);
    EXPECT_EQ(s.Size(), 3u);
    EXPECT_EQ(s.Value(2), 7);
    EXPECT_EQ(s.Mask(2), 1);
    EXPECT_EQ(CenturyMergeMessage(1),
              "Add Century moved 1 point onto a time that already had a point; the moved point "
              "replaced it.");
}

TEST_F(GeneratedFilesTest, StationNamesNeverWriteOutsideTheFolder) {
    const std::string folder = dir.File("out");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder + "/sub").c_str(), 0755), 0);
    DataSource source;
    for (const char* name : {"../escape", "sub/inner", "..", "Lake", "Lake"}) {
        DataSeries s = PondSeries();
        s.SetStationName(name);
        source.series.push_back(std::move(s));
    }
    source.series.back().SetParameterName("pH");
    source.series.back().SetMultiplier(1.0);
    source.series.back().SetOffset(0.0);
    source.series.push_back(PondSeries());
    source.series.back().SetStationName(std::string("nul\0/../../x", 12));
    doc.FieldManager().AddSource(std::move(source));

    EXPECT_EQ(doc.GenerateStationFiles(folder), 3);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Unable to create file ../escape", "Unable to create file sub/inner",
                               "Unable to create file " + std::string("nul\0/../../x", 12)}));
    EXPECT_FALSE(Exists(dir.File("escape.txt")));
    EXPECT_FALSE(Exists(folder + "/sub/inner.txt"));
    EXPECT_FALSE(Exists(dir.File("x.txt")));
    EXPECT_FALSE(Exists(folder + "/nul"));
    EXPECT_TRUE(Exists(folder + "/...txt"));
    EXPECT_TRUE(Exists(folder + "/Lake - DO.txt"));
    EXPECT_TRUE(Exists(folder + "/Lake - pH.txt"));

    // A folder that is not there: every file is reported, nothing else.
    ui.messages.clear();
    EXPECT_EQ(doc.GenerateStationFiles(dir.File("missing")), 6);
    EXPECT_EQ(ui.messages.size(), 6u);
    EXPECT_EQ(ui.messages[3], "Unable to create file Lake - DO");
}

// Every series lands in a file of its own: the station's name alone where
// it has one series, with the parameter where it has several, and numbered
// where even that repeats.
TEST_F(GeneratedFilesTest, EverySeriesHasAFileOfItsOwn) {
    const std::string folder = dir.File("out");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    auto series = [](const char* station, const char* parameter, double value) {
        DataSeries s;
        s.SetStationName(station);
        s.SetParameterName(parameter);
        s.InsertPoint(KTRTime(1998, 3, 7, 14, 5, 0), value, 0);
        return s;
    };
    DataSource first;
    for (DataSeries s :
         {series("Lake", "DO", 1), series("Lake", "pH", 2), series("Lake", "NO2/NO3", 3),
          series("Pond", "DO", 4), series("lake - do", "DO", 5)}) {
        first.series.push_back(std::move(s));
    }
    DataSource second;
    second.series.push_back(series("Lake", "DO", 6));
    doc.FieldManager().AddSource(std::move(first));
    doc.FieldManager().AddSource(std::move(second));

    const std::vector<std::string> names = {"Lake - DO", "Lake - pH",     "Lake - NO2_NO3",
                                            "Pond",      "lake - do (2)", "Lake - DO (3)"};
    EXPECT_EQ(GeneratedFileNames(doc.FieldManager()), names);
    EXPECT_EQ(doc.GenerateStationFiles(folder), 0);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string text = test::ReadFile(folder + "/" + names[i] + ".txt");
        EXPECT_NE(text.find("0, " + std::to_string(i + 1) + ", 14:5:0"), std::string::npos)
            << names[i];
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GeneratedFilesTest, PointsWithoutAFiniteScaledValueAreLeftOutAndReported) {
    const std::string folder = dir.File("out");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    DataSeries pond = PondSeries();
    pond.SetMultiplier(1e304);
    DataSource source;
    source.series.push_back(pond);
    doc.FieldManager().AddSource(std::move(source));
    EXPECT_EQ(doc.GenerateStationFiles(folder), 0);
    EXPECT_EQ(test::ReadFile(folder + "/Pond.txt"),
              "Pond\r\n\r\n\r\n\r\n"
              "0, 1.25e+304, 14:5:0, 07-March-98,\r\n"
              "1, 3.33333e+303, 23:59:59, 31-December-99,\r\n");
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Pond.txt: 1 point was left out because its scaled value "
                                       "is not a finite number (value x multiplier + offset)."});
}

}  // namespace
}  // namespace zav
