// The files beside an open project: their names, the file times the
// recovery offer shows, and the lock that tells a running copy from a
// crashed one.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CancelAfter.h"
#include "TestSupport.h"
#include "io/ProjectGuard.h"

namespace zav {
namespace {

TEST(ProjectGuard, NamesAreHiddenBesideTheProjectAndLeadBack) {
    struct Case {
        const char* project;
        const char* recovery;
        const char* lock;
    };
    for (const Case& c :
         {Case{"/data/lake.zav", "/data/.lake.zav.recovery", "/data/.lake.zav.lock"},
          Case{"lake.zav", ".lake.zav.recovery", ".lake.zav.lock"},
          Case{"/a b/.x", "/a b/..x.recovery", "/a b/..x.lock"}}) {
        EXPECT_EQ(RecoveryPath(c.project), c.recovery);
        EXPECT_EQ(LockPath(c.project), c.lock);
        EXPECT_EQ(ProjectOfRecovery(c.recovery), c.project);
    }
    for (const char* notRecovery :
         {"/data/lake.zav", "/data/lake.zav.recovery", "/data/.recovery"}) {
        EXPECT_EQ(ProjectOfRecovery(notRecovery), "") << notRecovery;
    }
}

TEST(ProjectGuard, FileTimesReadTheSameInEveryZone) {
    for (const char* zone : {"UTC", "America/New_York", "Australia/Lord_Howe"}) {
        test::ScopedTimeZone tz(zone);
        EXPECT_EQ(FormatFileTime(1796738709), "2026-12-08 14:05:09 UTC") << zone;
        EXPECT_EQ(FormatFileTime(-1), "missing");
    }
}

// A document saved as p.zav in a folder of its own.
class SavedProject : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnSaveDocument(project)); }

    test::TempDir dir;
    ScriptedUserInterface ui;
    CZAVDoc doc{ui, test::EnvironmentIn(dir)};
    const std::string project = dir.File("p.zav");
};

TEST_F(SavedProject, RecoveryNeverGoesOverTheProject) {
    const std::string saved = test::ReadFile(project);
    EXPECT_FALSE(WriteRecovery(doc, project));
    EXPECT_TRUE(WriteRecovery(doc, RecoveryPath(project)));
    EXPECT_EQ(test::ReadFile(RecoveryPath(project)), doc.ProjectText());
    EXPECT_EQ(test::ReadFile(project), saved);
}

// Autosave can be cancelled on a large project: the recovery file written
// before stays whole and no temporary file is left beside it.
TEST_F(SavedProject, ACancelledRecoveryKeepsTheOneBefore) {
    const std::string recovery = RecoveryPath(project);
    ASSERT_TRUE(WriteRecovery(doc, recovery));
    const std::string before = test::ReadFile(recovery);
    const std::vector<std::string> files = test::FilesIn(dir.Path());
    doc.FieldManager().AddNewParameters(1, "DO", "mg/l");
    ASSERT_NE(doc.ProjectText(), before);
    test::CancelAfter cancel(0);
    EXPECT_FALSE(WriteRecovery(doc, recovery, cancel));
    EXPECT_EQ(test::ReadFile(recovery), before);
    EXPECT_EQ(test::FilesIn(dir.Path()), files);
    EXPECT_TRUE(WriteRecovery(doc, recovery));
    EXPECT_EQ(test::ReadFile(recovery), doc.ProjectText());
}

TEST(ProjectGuard, ALockCountsWhileItsProcessRuns) {
    test::TempDir dir;
    const std::string project = dir.File("p.zav");
    EXPECT_FALSE(ProjectLock::HeldByOther(project));
    {
        ProjectLock mine;
        ASSERT_TRUE(mine.Acquire(project));
        EXPECT_FALSE(ProjectLock::HeldByOther(project));  // this process's own
    }
    EXPECT_EQ(FileModifiedTime(LockPath(project)), -1);  // released

    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string running = std::to_string(getppid()) + "\n" + host + "\n";
    test::WriteFile(LockPath(project), running);
    ProjectLock::Holder holder;
    EXPECT_TRUE(ProjectLock::HeldByOther(project, &holder));
    EXPECT_EQ(holder.pid, static_cast<long>(getppid()));
    EXPECT_EQ(holder.host, host);
    {
        ProjectLock anyway;
        ASSERT_TRUE(anyway.Acquire(project));
        test::WriteFile(LockPath(project), running);  // the other copy takes it back
    }
    EXPECT_EQ(test::ReadFile(LockPath(project)), running);  // not ours to remove

    pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    test::WriteFile(LockPath(project), std::to_string(gone) + "\n" + host + "\n");
    EXPECT_FALSE(ProjectLock::HeldByOther(project));
    test::WriteFile(LockPath(project), std::to_string(gone) + "\nelsewhere\n");
    EXPECT_TRUE(ProjectLock::HeldByOther(project));  // cannot be looked at from here
    test::WriteFile(LockPath(project), "not a number\n");
    EXPECT_FALSE(ProjectLock::HeldByOther(project));
}

}  // namespace
}  // namespace zav
