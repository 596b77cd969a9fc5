#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

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

// Every step of a save failed in turn, with the errors a full disk, a
// failing disk and a lost permission give: the previous file stays as it
// was and no temporary file is left beside it.
TEST(WriteFaults, EachFailedStepLeavesThePreviousFileAndNoTemporary) {
    for (const test::SaveFault& f : test::EverySaveFault()) {
        SCOPED_TRACE(f.Describe());
        const WriteResult expected =
            f.step == WriteStep::kOpen ? WriteResult::kCannotOpen : WriteResult::kCannotWrite;
        test::TempDir dir;
        const std::string path = dir.File("data.zav");
        test::WriteFile(path, "the previous file");
        {
            test::ScopedWriteFault fault(f.step, f.index, f.error);
            EXPECT_EQ(WriteFileSafely(path, "twelve bytes"), expected);
            EXPECT_EQ(fault.Fired(), 1);
        }
        EXPECT_EQ(test::ReadFile(path), "the previous file");
        EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"data.zav"});

        // With no previous file, nothing at all is left.
        const std::string fresh = dir.File("fresh.zav");
        test::ScopedWriteFault fault(f.step, f.index, f.error);
        EXPECT_EQ(WriteFileSafely(fresh, "twelve bytes"), expected);
        EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"data.zav"});
    }
}

TEST(WriteFaults, ASaveInManyWritesWritesEveryByte) {
    test::TempDir dir;
    const std::string path = dir.File("data.zav");
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += std::to_string(i) + "\r\n";
    }
    test::ScopedWriteFault neverFires(WriteStep::kWrite, -1, EIO, 7);
    EXPECT_EQ(WriteFileSafely(path, text), WriteResult::kOk);
    EXPECT_EQ(test::ReadFile(path), text);
    EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"data.zav"});
}

// A sparse file costs no disk, and its size is what the reader believes.
bool MakeSparseFile(const std::string& path, off_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        return false;
    }
    bool made = ::ftruncate(fd, size) == 0;
    ::close(fd);
    return made;
}

class ScopedReadFaults {
public:
    explicit ScopedReadFaults(FileFaults faults) : m_faults(std::move(faults)) {
        SetFileFaults(&m_faults);
    }
    ~ScopedReadFaults() { SetFileFaults(nullptr); }

private:
    FileFaults m_faults;
};

TEST(HostileSizes, AFileLargerThanMemoryIsRefusedBeforeAnythingIsAllocated) {
    test::TempDir dir;
    const std::string path = dir.File("huge.zav");
    ASSERT_TRUE(MakeSparseFile(path, off_t{64} << 20));
    {
        FileFaults faults;
        faults.readLimit = 1 << 20;  // as if the machine had a megabyte
        ScopedReadFaults scoped(faults);
        std::string text = "old";
        EXPECT_EQ(ReadWholeFile(path, text), ReadResult::kTooLarge);
        EXPECT_EQ(ReadFailureMessage(ReadResult::kTooLarge, path, "usual"),
                  path + " is too large to read.");
    }
    // And on this machine's own memory, where the file system allows a
    // sparse file that large: the sanitizers would stop an allocation that
    // big, so reaching the check at all shows none was tried.
    const off_t memory = static_cast<off_t>(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGE_SIZE);
    if (MakeSparseFile(path, memory + (off_t{1} << 30))) {
        std::string text;
        EXPECT_EQ(ReadWholeFile(path, text), ReadResult::kTooLarge);
    }
}

TEST(HostileSizes, AFileThatChangesWhileReadIsRefused) {
    test::TempDir dir;
    const std::string path = dir.File("growing.zav");
    struct Case {
        const char* what;
        std::function<void(const std::string&)> change;
    };
    const Case cases[] = {
        {"grows", [](const std::string& p) { test::WriteFile(p, std::string(100000, 'x')); }},
        {"shrinks", [](const std::string& p) { (void)::truncate(p.c_str(), 10); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteFile(path, std::string(5000, 'a'));
        FileFaults faults;
        faults.afterSizeTaken = c.change;
        ScopedReadFaults scoped(faults);
        std::string text = "old";
        EXPECT_EQ(ReadWholeFile(path, text), ReadResult::kChanged);
        EXPECT_EQ(text, "");
        EXPECT_EQ(ReadFailureMessage(ReadResult::kChanged, path, "usual"),
                  path + " changed while it was being read; open it again once it is complete.");
    }
}

}  // namespace
}  // namespace zav
