// The standard conversions file: beside the program, and an installed
// program's per-user copy.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/ConversionTable.h"

namespace zav {
namespace {

TEST(ConversionTableFile, ReadsNamesWithBlanksAndALastLineWithoutEnd) {
    ConversionTable table;
    table.ReadText("0.555556 -17.7778 F to C\r\n  1e-06   0    mg per L  \n2 3 last");
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Name(0), "F to C");
    EXPECT_EQ(table.Multiplier(0), 0.555556);
    EXPECT_EQ(table.Offset(0), -17.7778);
    EXPECT_EQ(table.Name(1), "mg per L  ");
    EXPECT_EQ(table.Name(2), "last");
}

// Reading used to stop at the first such line (and cut a long name), and
// the next save wrote the part before it back over the shared file.
TEST(ConversionTableFile, ReadsEveryReadableLineAndNamesTheOthers) {
    const std::string longName(250, 'n');
    ConversionTable table;
    auto unread = table.ReadText(
        "1 0 ok\n# a comment\n1,5 0 comma\nnan 0 not a number\n"
        "2 inf infinite\n7\n5 0x glued\n\n  \t\n1 0 " +
        longName + "\r\n3 0 after\n");
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Name(0), "ok");
    EXPECT_EQ(table.Name(1), longName);
    EXPECT_EQ(table.Name(2), "after");
    EXPECT_EQ(table.Multiplier(2), 3.0);
    const std::vector<std::pair<int, std::string>> expected = {
        {2, "# a comment"},    {3, "1,5 0 comma"}, {4, "nan 0 not a number"},
        {5, "2 inf infinite"}, {6, "7"},           {7, "5 0x glued"}};
    ASSERT_EQ(unread.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(unread[i].number, expected[i].first);
        EXPECT_EQ(unread[i].text, expected[i].second);
    }
}

TEST(ConversionTableFile, WritesExactNumbersAndReadsThemBack) {
    ConversionTable table;
    table.Append("lb to kg", 0.45359237, 0.0);
    table.Append(" leading blanks", 1.8, 32);
    EXPECT_EQ(table.ToText(), "0.45359237 0 lb to kg\r\n1.8 32  leading blanks\r\n");
    ConversionTable back;
    back.ReadText(table.ToText());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Multiplier(0), 0.45359237);
    EXPECT_EQ(back.Name(1), "leading blanks");
}

TEST(ConversionTableFile, EditingEntries) {
    ConversionTable table;
    table.AddConversion();
    table.Append("x", 2, 0);
    EXPECT_EQ(table.Name(0), "<new entry>");
    EXPECT_EQ(table.Multiplier(0), 1.0);
    EXPECT_FALSE(table.RemoveConversion(2));
    EXPECT_TRUE(table.RemoveConversion(0));
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Name(0), "x");
}

TEST(ConversionTableFile, MissingFileIsReportedAndWritingCreatesIt) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    ConversionTable table;
    EXPECT_FALSE(table.ReadConversions(dir.File("unitConversions.txt"), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Unable to open " + dir.File("unitConversions.txt") + " for reading.");
    table.Append("a", 1, 0);
    EXPECT_TRUE(table.WriteConversions(dir.File("unitConversions.txt"), ui));
    EXPECT_EQ(test::ReadFile(dir.File("unitConversions.txt")), "1 0 a\r\n");
    EXPECT_FALSE(table.WriteConversions(dir.Path(), ui));
    EXPECT_EQ(ui.messages.back(), "Unable to open " + dir.Path() + " for writing.");
}

// The shared file through a document: a file that was not read whole is
// named line by line when it is read and left exactly as it is at every
// save, while the project itself is saved.
class ConversionsFileTest : public test::DocumentTest {
protected:
    std::string Path() const { return dir.File("unitConversions.txt"); }
    std::string LeftAlone() const {
        return "The project was saved. The standard conversions were not: " + Path() +
               " could not be read whole, so it was left as it is.";
    }
};

TEST_F(ConversionsFileTest, ADamagedFileIsReportedAndNeverWrittenBack) {
    const std::string damaged =
        test::ReadFile(test::DataPath("regressions/conversions-offset-1e-32.txt"));
    test::WriteFile(Path(), damaged);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Unable to read 3 lines of " + Path() +
                                       ":\nline 1: nan inf name\nline 2: -0 +1e-32\xff\xff\xff\xff"
                                       "0 tiny " +
                                       std::string(2, '\0') +
                                       "\nline 3: g (\nThe file will be left as it is when a "
                                       "project is saved."});
    EXPECT_FALSE(doc.Conversions().FileReadWhole());
    doc.Conversions().AddConversion();
    ui.messages.clear();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(ui.messages, std::vector<std::string>{LeftAlone()});
    EXPECT_EQ(test::ReadFile(Path()), damaged);
    EXPECT_EQ(test::ReadFile(dir.File("p.zav")), doc.ProjectText());
}

TEST_F(ConversionsFileTest, OneBadLineKeepsTheRestForEveryProject) {
    std::string text = "1 0 no conversion\r\n";
    for (int i = 0; i < 7; ++i) {
        text += "# note " + std::to_string(i) + "\r\n";
    }
    text += "1 0 " + std::string(90, 'x') + "y\r\n2 1 " + std::string(90, 'z') + "\r\n";
    test::WriteFile(Path(),
                    "1 0 " + std::string(90, 'x') + "\n3 x " + std::string(90, 'z') + "\n" + text);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Unable to read 8 lines of " + Path() + ":\nline 2: 3 x " +
                                  std::string(76, 'z') +
                                  "...\nline 4: # note 0\nline 5: # note 1\nline 6: # note 2\n"
                                  "line 7: # note 3\n(and 3 more)\nThe file will be left as it "
                                  "is when a project is saved.");
    EXPECT_EQ(doc.Conversions().Count(), 4);
    const std::string before = test::ReadFile(Path());
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(test::ReadFile(Path()), before);
}

TEST_F(ConversionsFileTest, TinyExactFactorsAreWrittenBackByteForByte) {
    const std::string pico = test::ReadFile(test::DataPath("regressions/conversions-pico.txt"));
    test::WriteFile(Path(), pico);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(doc.Conversions().Count(), 3);
    EXPECT_EQ(doc.Conversions().Multiplier(2), 1e-12);
    test::WriteFile(Path(), "");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(test::ReadFile(Path()), pico);
}

// Only a missing file may be created at a save; anything else that cannot
// be read (a folder, a FIFO) stays as it is. A FIFO once became a plain
// file at the save, and reading one waited for a writer for ever.
TEST_F(ConversionsFileTest, AFileThatCannotBeReadIsLeftAsItIs) {
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(ui.messages.back(), "Unable to open " + Path() + " for reading.");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(test::ReadFile(Path()), "");
    ASSERT_EQ(::unlink(Path().c_str()), 0);
    ASSERT_EQ(::mkfifo(Path().c_str(), 0600), 0);
    CZAVDoc other(ui, test::EnvironmentIn(dir));
    ASSERT_TRUE(other.OnNewDocument());
    EXPECT_EQ(ui.messages.back(), Path() + " is not a regular file.");
    ui.messages.clear();
    ASSERT_TRUE(other.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(ui.messages, std::vector<std::string>{LeftAlone()});
    struct stat info {};
    ASSERT_EQ(::stat(Path().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// An installed program: prefix/bin read by everyone, the standard table in
// prefix/share/zav, and the person's copy under their data folder.
class InstalledConversionsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ScriptedUserInterface ui;
    void SetUp() override {
        for (const char* folder : {"prefix", "prefix/bin", "prefix/share", "prefix/share/zav"}) {
            ASSERT_EQ(::mkdir(dir.File(folder).c_str(), 0755), 0);
        }
        test::WriteFile(Standard(), "0.001 0 mg to g\n");
    }
    std::string Standard() const { return dir.File("prefix/share/zav/unitConversions.txt"); }
    std::string Mine() const { return dir.File("data/zav/unitConversions.txt"); }
    DocumentEnvironment Environment(const std::string& dataHome) const {
        DocumentEnvironment environment;
        environment.programDir = dir.File("prefix/bin/");
        environment.userDataHome = dataHome;
        environment.applyWorkingDirectory = false;
        return environment;
    }
};

TEST_F(InstalledConversionsTest, SavesGoToThePersonsCopyAndTheStandardTableStays) {
    CZAVDoc doc(ui, Environment(dir.File("data/")));
    EXPECT_EQ(doc.ConversionsPath(), Mine());
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.Conversions().Count(), 1);
    doc.Conversions().Append("ft to m", 0.3048, 0);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(test::ReadFile(Mine()), "0.001 0 mg to g\r\n0.3048 0 ft to m\r\n");
    EXPECT_EQ(test::ReadFile(Standard()), "0.001 0 mg to g\n");

    // The next project reads the person's table, not the standard one.
    CZAVDoc next(ui, Environment(dir.File("data/")));
    ASSERT_TRUE(next.OnNewDocument());
    EXPECT_EQ(next.Conversions().Count(), 2);
}

// Without "ZAV CWD", file dialogs start in the installed examples.
TEST_F(InstalledConversionsTest, DocumentsStartInTheInstalledExamples) {
    ASSERT_EQ(::mkdir(dir.File("prefix/share/zav/examples").c_str(), 0755), 0);
    char original[PATH_MAX];
    ASSERT_NE(getcwd(original, sizeof original), nullptr);
    DocumentEnvironment environment = Environment(dir.File("data/"));
    environment.applyWorkingDirectory = true;
    CZAVDoc doc(ui, environment);
    char now[PATH_MAX];
    EXPECT_EQ(std::string(getcwd(now, sizeof now)), dir.File("prefix/share/zav/examples"));
    ASSERT_EQ(::chdir(original), 0);
}

TEST_F(InstalledConversionsTest, AFailedCopyShowsTheStandardTableAndSavesNoCopy) {
    test::WriteFile(dir.File("blocked"), "");
    const std::string mine = dir.File("blocked/zav/unitConversions.txt");
    CZAVDoc doc(ui, Environment(dir.File("blocked/")));
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Unable to copy the standard conversions from " +
                                       Standard() + " to " + mine + "."});
    EXPECT_EQ(doc.Conversions().Count(), 1);
    ui.messages.clear();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The project was saved. The standard "
                                                    "conversions were not: " +
                                                    mine + " could not be made."});
    EXPECT_EQ(test::ReadFile(Standard()), "0.001 0 mg to g\n");
}

}  // namespace
}  // namespace zav
