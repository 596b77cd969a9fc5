#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "TestSupport.h"
#include "core/FileIO.h"

namespace zav {
namespace {

int SaveRepeatedly(const std::string& path, const std::string& text) {
    int failures = 0;
    for (int i = 0; i < 300; ++i) {
        failures += WriteFileSafely(path, text) == WriteResult::kOk ? 0 : 1;
    }
    return failures;
}

// Every open project saves the one conversions file beside the program, so
// two programs may well save it at the same moment.
TEST(SafeWriting, TwoProcessesSavingOneFileBothSucceed) {
    test::TempDir dir;
    const std::string path = dir.File("unitConversions.txt");
    const std::string mine(20000, 'a');
    const std::string theirs(30000, 'b');
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(SaveRepeatedly(path, theirs) == 0 ? 0 : 1);
    }
    EXPECT_EQ(SaveRepeatedly(path, mine), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::string result = test::ReadFile(path);
    EXPECT_TRUE(result == mine || result == theirs);
}

// Only a regular file is read or replaced: /dev/zero once ran the program
// out of memory, a FIFO made it wait for ever, and a save to a device put a
// plain file in its place.
TEST(NonRegularFiles, AreRefusedWithoutBeingOpenedForABlockingRead) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe.zav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::WriteFile(dir.File("plain.zav"), "text");
    struct Case {
        std::string path;
        ReadResult read;
        std::string message;
    };
    const Case cases[] = {
        {fifo, ReadResult::kNotRegularFile, fifo + " is not a regular file."},
        {"/dev/zero", ReadResult::kNotRegularFile, "/dev/zero is not a regular file."},
        {dir.Path(), ReadResult::kFolder, dir.Path() + " is a folder, not a file."},
        {dir.File("none"), ReadResult::kMissing, "usual"},
        {dir.File("plain.zav/x"), ReadResult::kCannotOpen, "usual"},
    };
    for (const Case& c : cases) {
        std::string text = "old";
        EXPECT_EQ(ReadWholeFile(c.path, text), c.read) << c.path;
        EXPECT_EQ(text, "");
        EXPECT_EQ(ReadFailureMessage(c.read, c.path, "usual"), c.message);
    }
    std::string text;
    EXPECT_EQ(ReadWholeFile(dir.File("plain.zav"), text), ReadResult::kOk);
    EXPECT_EQ(text, "text");

    EXPECT_EQ(WriteFileSafely(fifo, "x"), WriteResult::kNotRegularFile);
    EXPECT_EQ(WriteFileSafely(dir.Path(), "x"), WriteResult::kFolder);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace zav
