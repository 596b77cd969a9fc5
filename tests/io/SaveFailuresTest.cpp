// Saves that fail part way, at every step and with every error a disk
// gives: the project, the conversions file and the generated station files
// keep what was on disk, leave no temporary file and tell the person.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "io/GeneratedFiles.h"

namespace zav {
namespace {

DataSource PondSource(double value) {
    DataSeries s;
    s.SetStationName("Pond");
    s.SetParameterName("DO");
    s.SetUnits("mg/l");
    s.InsertPoint(KTRTime(1998, 3, 7, 14, 5, 0), value, 0);
    DataSource source;
    source.series.push_back(std::move(s));
    return source;
}

std::string FailedSaveMessage(const test::SaveFault& f, const std::string& path) {
    return f.step == WriteStep::kOpen
               ? "Unable to open " + path + " for writing."
               : "Unable to write " + path + "; the file on disk was left as it was.";
}

using SaveFailuresTest = test::DocumentTest;

TEST_F(SaveFailuresTest, AProjectKeepsTheSavedFileAndStaysModified) {
    const std::string folder = dir.File("projects");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/p.zav";
    doc.FieldManager().AddSource(PondSource(1.5));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::string saved = test::ReadFile(path);
    doc.FieldManager().AddSource(PondSource(2.5));
    doc.SetModifiedFlag();
    for (const test::SaveFault& f : test::EverySaveFault()) {
        SCOPED_TRACE(f.Describe());
        ui.messages.clear();
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_FALSE(doc.OnSaveDocument(path));
        }
        EXPECT_EQ(ui.messages, std::vector<std::string>{FailedSaveMessage(f, path)});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(test::ReadFile(path), saved);
        EXPECT_EQ(test::FilesIn(folder), std::vector<std::string>{"p.zav"});
    }
}

TEST_F(SaveFailuresTest, TheConversionsFileIsKeptAsItWas) {
    const std::string path = dir.File("conversions.txt");
    const std::string previous = "1 0 mg/l\r\n";
    test::WriteFile(path, previous);
    ConversionTable table;
    table.Append("ug/l", 1000, 0);
    for (const test::SaveFault& f : test::EverySaveFault()) {
        SCOPED_TRACE(f.Describe());
        ui.messages.clear();
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_FALSE(table.WriteConversions(path, ui));
        }
        EXPECT_EQ(ui.messages,
                  std::vector<std::string>{"Unable to open " + path + " for writing."});
        EXPECT_EQ(test::ReadFile(path), previous);
        EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"conversions.txt"});
    }
}

TEST_F(SaveFailuresTest, AGeneratedFileIsKeptAndNamedAndTheOthersStillWritten) {
    const std::string folder = dir.File("out");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    test::WriteFile(folder + "/Pond.txt", "previous");
    DataSource source = PondSource(1.5);
    DataSeries lake = source.series[0];
    lake.SetStationName("Lake");
    source.series.push_back(lake);
    doc.FieldManager().AddSource(std::move(source));
    for (const test::SaveFault& f : test::EverySaveFault()) {
        SCOPED_TRACE(f.Describe());
        ui.messages.clear();
        std::remove((folder + "/Lake.txt").c_str());
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_EQ(WriteSourceFiles(doc.FieldManager(), folder, ui), 1);
            EXPECT_EQ(fault.Fired(), 1);
        }
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Unable to create file Pond"});
        EXPECT_EQ(test::ReadFile(folder + "/Pond.txt"), "previous");
        EXPECT_EQ(test::FilesIn(folder), (std::vector<std::string>{"Lake.txt", "Pond.txt"}));
    }
}

}  // namespace
}  // namespace zav
