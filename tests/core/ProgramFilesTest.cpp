// Where the program finds the files it ships and where it keeps the
// conversions: in its build folder, installed under a prefix, and read-only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "core/ProgramFiles.h"

namespace zav {
namespace {

TEST(ProgramFiles, UserDataHomeFollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/data/me", "/home/me", "/data/me/"},
        {"/data/me/", "/home/me", "/data/me/"},
        {nullptr, "/home/me", "/home/me/.local/share/"},
        {"", "/home/me/", "/home/me/.local/share/"},
        {"relative/data", "/home/me", "/home/me/.local/share/"},
        {nullptr, nullptr, ""},
        {nullptr, "not/absolute", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UserDataHome(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
    }
}

TEST(ProgramFiles, ParentFolder) {
    EXPECT_EQ(ParentFolder("/usr/bin/"), "/usr/");
    EXPECT_EQ(ParentFolder("/opt/zav/bin"), "/opt/zav/");
    EXPECT_EQ(ParentFolder("/bin/"), "/");
}

TEST(ProgramFiles, ChoosesTheFileByHowTheProgramIsInstalled) {
    struct Case {
        const char* what;
        bool writable;
        bool installed;
        bool beside;
        const char* dataHome;
        ConversionsLocation expected;
    };
    const std::string mine = "/home/me/.local/share/zav/unitConversions.txt";
    const Case cases[] = {
        {"build folder",
         true,
         false,
         true,
         "/home/me/.local/share/",
         {"/p/bin/unitConversions.txt", "", false}},
        {"build folder, no file yet",
         true,
         false,
         false,
         "/home/me/.local/share/",
         {"/p/bin/unitConversions.txt", "", false}},
        {"installed in a system folder",
         false,
         true,
         false,
         "/home/me/.local/share/",
         {mine, "/p/share/zav/unitConversions.txt", true}},
        {"installed under a folder of one's own",
         true,
         true,
         false,
         "/home/me/.local/share/",
         {mine, "/p/share/zav/unitConversions.txt", true}},
        {"read-only copy with the file beside it",
         false,
         false,
         true,
         "/home/me/.local/share/",
         {mine, "/p/bin/unitConversions.txt", true}},
        {"read-only copy without a table",
         false,
         false,
         false,
         "/home/me/.local/share/",
         {mine, "", true}},
        {"no per-user folder known",
         false,
         true,
         false,
         "",
         {"/p/bin/unitConversions.txt", "", false}},
    };
    for (const Case& c : cases) {
        ConversionsFacts facts;
        facts.programDir = "/p/bin/";
        facts.programDirWritable = c.writable;
        facts.installedTableExists = c.installed;
        facts.besideTableExists = c.beside;
        facts.userDataHome = c.dataHome;
        const ConversionsLocation got = ChooseConversions(facts);
        EXPECT_EQ(got.path, c.expected.path) << c.what;
        EXPECT_EQ(got.seedFrom, c.expected.seedFrom) << c.what;
        EXPECT_EQ(got.perUser, c.expected.perUser) << c.what;
    }
}

// A prefix on disk: prefix/bin, and prefix/share/zav when `installed`.
class ProgramFilesOnDisk : public ::testing::Test {
protected:
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::string Bin() const { return dir.File("prefix/bin/"); }
    std::string Home() const { return dir.File("home/"); }
    std::string Mine() const { return dir.File("home/zav/unitConversions.txt"); }
    std::string Standard() const { return dir.File("prefix/share/zav/unitConversions.txt"); }
    void MakePrefix(bool installed) {
        ASSERT_EQ(::mkdir(dir.File("prefix").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(Bin().c_str(), 0755), 0);
        if (installed) {
            ASSERT_EQ(::mkdir(dir.File("prefix/share").c_str(), 0755), 0);
            ASSERT_EQ(::mkdir(dir.File("prefix/share/zav").c_str(), 0755), 0);
            test::WriteFile(Standard(), "1 0 standard\n");
        }
    }
};

TEST_F(ProgramFilesOnDisk, ABuildFolderKeepsTheFileBesideTheProgram) {
    MakePrefix(false);
    const ConversionsLocation location = LocateConversions(Bin(), Home());
    EXPECT_EQ(location.path, Bin() + "unitConversions.txt");
    EXPECT_FALSE(location.perUser);
    EXPECT_TRUE(PrepareConversionsFile(location, ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProgramFilesOnDisk, AnInstalledProgramCopiesTheStandardTableOnFirstUseOnly) {
    MakePrefix(true);
    const ConversionsLocation location = LocateConversions(Bin(), Home());
    EXPECT_EQ(location.path, Mine());
    EXPECT_EQ(location.seedFrom, dir.File("prefix/share/zav/unitConversions.txt"));
    // The person's folder does not exist yet: it is made on the way.
    ASSERT_TRUE(PrepareConversionsFile(location, ui));
    EXPECT_EQ(test::ReadFile(Mine()), "1 0 standard\n");
    // Later edits are the person's own and are never replaced.
    test::WriteFile(Mine(), "2 0 edited\n");
    ASSERT_TRUE(PrepareConversionsFile(location, ui));
    EXPECT_EQ(test::ReadFile(Mine()), "2 0 edited\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProgramFilesOnDisk, AFailedCopyIsReported) {
    MakePrefix(true);
    // A file where the person's data folder should be: no folder can be
    // made under it, whoever runs the test.
    test::WriteFile(dir.File("blocked"), "");
    ConversionsLocation location = LocateConversions(Bin(), dir.File("blocked/"));
    EXPECT_FALSE(PrepareConversionsFile(location, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Unable to copy the standard conversions from " + Standard() +
                                  " to " + dir.File("blocked/zav/unitConversions.txt") + ".");

    // An unreadable standard table (here: a folder) is a failed copy too,
    // and leaves no empty file that would hide it afterwards.
    ::unlink(Standard().c_str());
    ASSERT_EQ(::mkdir(Standard().c_str(), 0755), 0);
    location = LocateConversions(Bin(), Home());
    EXPECT_FALSE(PrepareConversionsFile(location, ui));
    EXPECT_EQ(ui.messages.size(), 2u);
    struct stat info {};
    EXPECT_NE(::stat(Mine().c_str(), &info), 0);
}

TEST_F(ProgramFilesOnDisk, ShippedFoldersAreFoundInBothLayouts) {
    MakePrefix(true);
    // Installed: only share/zav/examples exists.
    ASSERT_EQ(::mkdir(dir.File("prefix/share/zav/examples").c_str(), 0755), 0);
    EXPECT_EQ(ProgramFolder(Bin(), "examples"), dir.File("prefix/share/zav/examples"));
    // Neither: the build-folder place, as the working-directory rule had it.
    EXPECT_EQ(ProgramFolder(Bin(), "manual"), dir.File("prefix/manual"));
    // A build folder's own examples come first.
    ASSERT_EQ(::mkdir(dir.File("prefix/examples").c_str(), 0755), 0);
    EXPECT_EQ(ProgramFolder(Bin(), "examples"), dir.File("prefix/examples"));
    EXPECT_EQ(ProgramFolder(dir.File("prefix/bin"), "examples"), dir.File("prefix/examples"));
}

}  // namespace
}  // namespace zav
