#include <gtest/gtest.h>

#include <filesystem>

#include "AgencyText.h"
#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/AgencyFile.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"

namespace zav {
namespace {

const char* const kUnknownType =
    "ReadFile: unknown file type; must be either MOLVAN (.mlv) or PELLIDOR (.pld).";

std::string MolvanText() {
    return test::MolvanHeadings({"WATER"}, {"TEMP"}, {"DEG C"}) +
           test::MolvanLine("199503011030", "KESTREL-01", {"4.5"});
}

std::string PellidorText() {
    return test::PellidorBlock("01234500", "RAVEN CREEK", "DISCHARGE", "CFS", 1999, {{1, 0, "12"}});
}

class AgencyFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        std::string path = m_dir.File(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test::WriteFile(path, text);
        return path;
    }

    test::TempDir m_dir;
    ScriptedUserInterface m_ui;
    ZAVFieldManager m_store{m_ui};
    ImportReport m_report;
};

TEST_F(AgencyFileTest, ReaderIsChosenByThePath) {
    // ".mlv" anywhere wins, even in a folder name before a ".pld" extension.
    std::string molvanInFolder = Write("export.mlv.d/station.pld", MolvanText());
    std::string pellidor = Write("river.pld", PellidorText());
    EXPECT_EQ(AddAgencyFile(m_store, molvanInFolder, m_report), 1);
    EXPECT_EQ(AddAgencyFile(m_store, pellidor, m_report), 1);
    EXPECT_TRUE(m_ui.messages.empty());
    ASSERT_EQ(m_store.Sources().size(), 2u);
    EXPECT_EQ(m_store.Sources()[0].fileName, molvanInFolder);
    EXPECT_EQ(m_store.Sources()[0].series[0].ParameterName(), "WATER TEMP");
    EXPECT_EQ(m_store.Sources()[1].fileName, pellidor);
    // The indexes know the new names at once.
    StationInfo station;
    EXPECT_EQ(m_store.GetStation("RAVEN CREEK (01234500)", station), 1);
    EXPECT_EQ(m_store.GetParameterUnits("WATER TEMP"), "DEG C");
    UnitsRecord units;
    EXPECT_EQ(m_store.GetUnits("CFS", units), 1);
}

TEST_F(AgencyFileTest, UnknownTypeIsRefusedAndAddsNothing) {
    for (const char* name : {"LAKE.MLV", "river.PLD", "notes.txt"}) {
        m_ui.messages.clear();
        std::string path = Write(name, MolvanText());
        EXPECT_EQ(AddAgencyFile(m_store, path, m_report), 0) << name;
        ASSERT_EQ(m_ui.messages.size(), 1u);
        EXPECT_EQ(m_ui.messages[0], kUnknownType);
    }
    EXPECT_TRUE(m_store.Sources().empty());
}

TEST_F(AgencyFileTest, FileThatCannotBeOpenedAddsNothing) {
    for (const std::string& path : {m_dir.File("missing.mlv"), m_dir.File("missing.pld")}) {
        m_ui.messages.clear();
        EXPECT_EQ(AddAgencyFile(m_store, path, m_report), 0);
        ASSERT_EQ(m_ui.messages.size(), 1u);
        EXPECT_EQ(m_ui.messages[0], "Unable to open file " + path + " for input.");
    }
    std::string folder = Write("folder.pld/keep", "");
    folder = folder.substr(0, folder.find("/keep"));
    m_ui.messages.clear();
    EXPECT_EQ(AddAgencyFile(m_store, folder, m_report), 0);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{folder + " is a folder, not a file."});
    EXPECT_TRUE(m_store.Sources().empty());
}

TEST_F(AgencyFileTest, FailedReadDropsTheSeriesBuiltSoFar) {
    std::string bad = Write("bad.mlv", MolvanText() + "garbage line\r\n");
    EXPECT_EQ(AddAgencyFile(m_store, bad, m_report), 0);
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0], "Parse error reading line garbage line in file " + bad);
    EXPECT_TRUE(m_store.Sources().empty());
    EXPECT_EQ(m_store.GetLastSeriesIndex(), -1);

    // A file with headings only is still a source, without series.
    EXPECT_EQ(
        AddAgencyFile(m_store, Write("empty.mlv", test::MolvanHeadings({}, {}, {})), m_report), 1);
    ASSERT_EQ(m_store.Sources().size(), 1u);
    EXPECT_TRUE(m_store.Sources()[0].series.empty());
}

TEST_F(AgencyFileTest, DocumentAddsEachFileAndMarksItselfModified) {
    CZAVDoc doc(m_ui, test::EnvironmentIn(m_dir));
    // Nothing chosen still marks the document, as the menu command does.
    EXPECT_EQ(doc.AddAgencyFiles({}), 0);
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);

    std::vector<std::string> paths = {Write("a.mlv", MolvanText()), m_dir.File("gone.pld"),
                                      Write("b.pld", PellidorText())};
    EXPECT_EQ(doc.AddAgencyFiles(paths), 2);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0], "Unable to open file " + paths[1] + " for input.");
    const auto& sources = doc.FieldManager().Sources();
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].fileName, paths[0]);
    EXPECT_EQ(sources[1].fileName, paths[2]);
}

}  // namespace
}  // namespace zav
