#include <gtest/gtest.h>
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

}  // namespace
}  // namespace zav
