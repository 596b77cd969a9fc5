// Long document work reports its progress and can be stopped part way:
// a stopped open, save or import leaves the document, the files on disk
// and the undo history exactly as they were, and says nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AgencyText.h"
#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "core/Progress.h"
#include "io/CZAVDoc.h"

namespace zav {
namespace {

// Presses Cancel once `after` reports have come (never, for a large
// `after`), and keeps the last report.
class CancelPartWay final : public Progress {
public:
    explicit CancelPartWay(int after) : m_after(after) {}
    void Report(std::uint64_t done, std::uint64_t total) override {
        ++reports;
        lastDone = done;
        lastTotal = total;
        m_cancelled = m_cancelled || reports >= m_after;
    }
    bool Cancelled() const override { return m_cancelled; }

    int reports = 0;
    std::uint64_t lastDone = 0;
    std::uint64_t lastTotal = 0;

private:
    int m_after;
    bool m_cancelled = false;
};

constexpr int kNever = 1 << 30;

class ReadCancelTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteFile(dir.File("unitConversions.txt"), "1.8 32 C to F\r\n"); }
    DocumentEnvironment Environment() const { return test::EnvironmentIn(dir); }

    // A project of a few megabytes: more than one piece of reading or
    // writing.
    void FillLarge(CZAVDoc& doc) {
        DataSeries series;
        series.SetStationName("Long");
        series.SetParameterName("DO");
        KTRTime time(1990, 1, 1, 0, 0, 0);
        for (int i = 0; i < 120000; ++i, time = time + 900) {
            series.AppendPoint(time, i * 0.25, 0);
        }
        doc.FieldManager().AddSource(test::MakeSource("long.mlv", {series}));
    }

    test::TempDir dir;
    ScriptedUserInterface ui;
};

TEST_F(ReadCancelTest, AnOpenReportsItsBytesAndOneCancelledChangesNothing) {
    const std::string large = dir.File("large.zav");
    {
        CZAVDoc maker(ui, Environment());
        FillLarge(maker);
        ASSERT_TRUE(maker.OnSaveDocument(large));
    }
    const std::string small = dir.File("small.zav");
    CZAVDoc doc(ui, Environment());
    doc.FieldManager().AddSource(test::MakeSource(
        "a.mlv", {test::MakeSeries("A", "pH", "su", {{KTRTime(1995, 3, 10, 9, 30, 0), 7.5}})}));
    ASSERT_TRUE(doc.OnSaveDocument(small));
    ASSERT_TRUE(doc.OnOpenDocument(small));
    const std::string before = doc.ProjectText();

    CancelPartWay cancel(1);
    EXPECT_FALSE(doc.OnOpenDocument(large, cancel));
    EXPECT_EQ(doc.ProjectText(), before);
    EXPECT_EQ(doc.PathName(), small);
    EXPECT_EQ(ui.messages, std::vector<std::string>{});

    CancelPartWay watch(kNever);
    ASSERT_TRUE(doc.OnOpenDocument(large, watch));
    const std::uint64_t size = test::ReadFile(large).size();
    EXPECT_GT(watch.reports, 1);
    EXPECT_EQ(watch.lastDone, size);
    EXPECT_EQ(watch.lastTotal, size);
}

TEST_F(ReadCancelTest, ASaveCancelledPartWayLeavesTheOldFileAndNoTemporary) {
    CZAVDoc doc(ui, Environment());
    FillLarge(doc);
    const std::string path = dir.File("p.zav");
    test::WriteFile(path, "the previous file");
    doc.SetModifiedFlag();

    for (int after : {1, 2}) {
        CancelPartWay cancel(after);
        EXPECT_FALSE(doc.OnSaveDocument(path, cancel));
        EXPECT_FALSE(doc.OnSaveDocument(dir.File("fresh.zav"), cancel));
        EXPECT_EQ(test::ReadFile(path), "the previous file");
        EXPECT_EQ(test::FilesIn(dir.Path()),
                  (std::vector<std::string>{"p.zav", "unitConversions.txt"}));
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(ui.messages, std::vector<std::string>{});

    CancelPartWay watch(kNever);
    ASSERT_TRUE(doc.OnSaveDocument(path, watch));
    EXPECT_GT(watch.reports, 1);
    EXPECT_EQ(watch.lastDone, test::ReadFile(path).size());
    EXPECT_GE(watch.lastTotal, watch.lastDone);
}

// Two files for each import, the second over a megabyte; Cancel is pressed
// while the second is read, after the first was added.
TEST_F(ReadCancelTest, AnImportCancelledPartWayTakesBackEveryFile) {
    std::string molvan = test::MolvanHeadings({"WATER"}, {"TEMP"}, {"DEG C"});
    std::string layout1 = "Kestrel Pond\r\nsampled by crew B\r\n";
    std::string layout3;
    auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    for (int i = 0; i < 60000; ++i) {
        // A minute apart, in order: 28-day months from January 1999.
        const int day = i / 1440;
        const std::string month = two(1 + day / 28);
        const std::string dayOfMonth = two(1 + day % 28);
        const std::string clock = two(i / 60 % 24) + ":" + two(i % 60);
        molvan += test::MolvanLine("1999" + month + dayOfMonth + two(i / 60 % 24) + two(i % 60),
                                   "KESTREL-01", {std::to_string(i)});
        const std::string date = month + "/" + dayOfMonth + "/99";
        layout1 += std::to_string(i) + ", 7.25, " + clock + ":00, " + date + "\r\n";
        layout3 += date + " " + clock + ", " + std::to_string(i) + ".5\n";
    }
    struct Case {
        const char* what;
        std::string text;
        std::function<bool(CZAVDoc&, const std::vector<std::string>&, Progress&)> add;
    };
    const Case cases[] = {
        {"agency", molvan,
         [](CZAVDoc& doc, const std::vector<std::string>& paths, Progress& progress) {
             return doc.AddAgencyFiles(paths, nullptr, progress) > 0;
         }},
        {"layout 1", layout1,
         [](CZAVDoc& doc, const std::vector<std::string>& paths, Progress& progress) {
             SpreadsheetOptions options;
             options.layout = 1;
             return doc.AddSpreadsheetFiles(paths, options, nullptr, progress) > 0;
         }},
        {"layout 3", layout3,
         [](CZAVDoc& doc, const std::vector<std::string>& paths, Progress& progress) {
             return doc.AddParsedSpreadsheetFiles(paths, {"DO"}, nullptr, progress);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t cut = c.text.find('\n', 2000) + 1;
        const std::vector<std::string> paths = {dir.File("first.txt.mlv"),
                                                dir.File("second.txt.mlv")};
        test::WriteFile(paths[0], c.text.substr(0, cut));
        test::WriteFile(paths[1], c.text);
        ASSERT_GT(c.text.size(), size_t{1} << 20);

        CZAVDoc doc(ui, Environment());
        doc.SetParseString("MM/DD/[YY]YY HH:MM\tVALUE");
        doc.FieldManager().AddNewParameters(1, "DO", "mg/l");
        const int before = doc.FieldManager().SeriesCount();
        CancelPartWay cancel(2);  // the first file takes one report
        EXPECT_FALSE(c.add(doc, paths, cancel));
        EXPECT_EQ(doc.FieldManager().SeriesCount(), before);
        EXPECT_EQ(doc.History().Size(), 0u);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(ui.messages, std::vector<std::string>{});

        CancelPartWay watch(kNever);
        EXPECT_TRUE(c.add(doc, paths, watch));
        EXPECT_GT(doc.FieldManager().SeriesCount(), before);
        // Each file is an equal share of the whole; the last report is all of it.
        EXPECT_EQ(watch.lastDone, watch.lastTotal);
        EXPECT_GT(watch.reports, 2);
        ui.messages.clear();
    }
}

}  // namespace
}  // namespace zav
