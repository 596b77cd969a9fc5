// Long work stopped part way: an add or Add Century cancelled at any report
// leaves the project as it was to the byte, unmodified and without an undo
// step; an export cancelled leaves the file that was there and no temporary.
#include <gtest/gtest.h>

#include <functional>

#include "CancelAfter.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/DataExport.h"

namespace zav {
namespace {

using test::CancelAfter;

// A long CSV: enough rows that the import reports between rows too.
std::string LongCsv(const std::string& station) {
    std::string text = "station,time,DO\n";
    for (int hour = 0; hour < 20000; ++hour) {
        const int day = hour / 24;
        const KTRTime time(1990 + day / 336, 1 + day / 28 % 12, 1 + day % 28, hour % 24, 0, 0);
        text += station + "," + IsoTime(time) + "," + std::to_string(hour % 13) + ".5\n";
    }
    return text;
}

class CancelTest : public test::DocumentTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("report.zav")));
        test::WriteFile(dir.File("a.csv"), LongCsv("Weir"));
        test::WriteFile(dir.File("b.csv"), LongCsv("Ford"));
        test::WriteFile(dir.File("rows.txt"), "1/2/99\t5.5\n1/3/99\t6\n");
        ui.messages.clear();
    }
};

struct Operation {
    const char* name;
    const char* step;  // the undo step it leaves
    std::function<void(CZAVDoc&, const test::TempDir&, Progress&)> run;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"Add From CSV", "Add From CSV",
         [](CZAVDoc& doc, const test::TempDir& dir, Progress& progress) {
             CsvImportOptions options;
             options.stationColumn = "station";
             options.timeColumns = {"time"};
             options.valueColumns = {"DO"};
             doc.AddCsvFiles({dir.File("a.csv"), dir.File("b.csv")}, options, nullptr, progress);
         }},
        {"Add MOLVAN or PELLIDOR Files", "Add MOLVAN or PELLIDOR Files",
         [](CZAVDoc& doc, const test::TempDir&, Progress& progress) {
             const std::string file = test::DataPath("censored-values.mlv");
             doc.AddAgencyFiles({file, file}, nullptr, progress);
         }},
        {"Add From Spreadsheet", "Add From Spreadsheet",
         [](CZAVDoc& doc, const test::TempDir&, Progress& progress) {
             const std::string file = test::DataPath("pond-layout1.csv");
             doc.AddSpreadsheetFiles({file, file}, SpreadsheetOptions(), nullptr, progress);
         }},
        {"Add From Spreadsheet, layout 3", "Add From Spreadsheet",
         [](CZAVDoc& doc, const test::TempDir& dir, Progress& progress) {
             const std::string file = dir.File("rows.txt");
             doc.AddParsedSpreadsheetFiles({file, file}, {"DO"}, nullptr, progress);
         }},
        {"Add Century", "Add Century",
         [](CZAVDoc& doc, const test::TempDir&, Progress& progress) {
             doc.AddCentury(2010, progress);
         }},
    };
    return operations;
}

TEST_F(CancelTest, CancelledOperationsChangeNothing) {
    const std::string before = doc.ProjectText();
    for (const Operation& operation : Operations()) {
        for (int reports = 0; reports < 2; ++reports) {
            CancelAfter cancel(reports);
            operation.run(doc, dir, cancel);
            SCOPED_TRACE(std::string(operation.name) + ", cancelled after " +
                         std::to_string(reports) + " reports");
            EXPECT_EQ(doc.ProjectText(), before);
            EXPECT_FALSE(doc.IsModified());
            EXPECT_FALSE(doc.History().CanUndo());
        }
    }
    // Let run, each changes the project: the cancels above stopped real work.
    for (const Operation& operation : Operations()) {
        ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("report.zav")));
        CancelAfter never(1000000);
        operation.run(doc, dir, never);
        EXPECT_NE(doc.ProjectText(), before) << operation.name;
        EXPECT_GE(never.Reports(), 2) << operation.name;
        EXPECT_EQ(doc.History().UndoName(), operation.step) << operation.name;
    }
}

// The scratch copy takes an operation away from the project; adopting it
// gives the same project, undo step and flag as running it in place.
TEST_F(CancelTest, ScratchWorkAdoptedMatchesWorkInPlace) {
    for (const Operation& operation : Operations()) {
        ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("report.zav")));
        const std::string before = doc.ProjectText();
        std::unique_ptr<CZAVDoc> scratch = doc.MakeScratch();
        operation.run(*scratch, dir, NoProgress());
        EXPECT_EQ(doc.ProjectText(), before) << operation.name;
        EXPECT_TRUE(doc.AdoptScratch(*scratch)) << operation.name;
        const std::string adopted = doc.ProjectText();
        const std::string step = doc.History().UndoName();

        ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("report.zav")));
        operation.run(doc, dir, NoProgress());
        EXPECT_EQ(adopted, doc.ProjectText()) << operation.name;
        EXPECT_EQ(step, doc.History().UndoName()) << operation.name;
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.ProjectText(), before) << operation.name;
    }
}

TEST_F(CancelTest, CancelledExportLeavesTheOldFile) {
    std::string error;
    const std::vector<ExportSeries> selection =
        SelectExportSeries(doc.FieldManager(), DataExportOptions(), error);
    ASSERT_GE(selection.size(), 2u);
    test::TempDir out;
    const std::string path = out.File("export");
    std::vector<bool> formats = {false};
    if (NetcdfAvailable()) {
        formats.push_back(true);
    }
    for (bool netcdf : formats) {
        SCOPED_TRACE(netcdf ? "netCDF" : "CSV");
        for (int reports = 0; reports < 2; ++reports) {
            test::WriteFile(path, "old");
            CancelAfter cancel(reports);
            EXPECT_FALSE(WriteExportFile(selection, path, netcdf, error, cancel));
            EXPECT_EQ(error, "");
            EXPECT_EQ(test::ReadFile(path), "old");
            EXPECT_EQ(test::FilesIn(out.Path()), std::vector<std::string>{"export"});
        }
        CancelAfter never(1000000);
        EXPECT_TRUE(WriteExportFile(selection, path, netcdf, error, never));
        EXPECT_NE(test::ReadFile(path), "old");
    }
}

}  // namespace
}  // namespace zav
