// Whole-file reading and writing. Writing never destroys the previous file
// before the new one is complete: the text goes to a temporary file beside
// the target, is flushed to disk, and then replaces the target in one rename.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace zav {

class UserInterface;

// The steps of a safe write, in order: open the temporary file, write it
// (as many writes as it takes), fsync it to the disk, close it, rename it
// over the target. There is no buffer of our own to flush: every write goes
// straight to the system.
enum class WriteStep { kOpen, kWrite, kSync, kClose, kRename };

// A test seam on whole-file reading and writing, so that tests can fail
// each step of a save with the errno a full or broken disk gives, and fake
// files too large or changing while read. The programs never set one.
struct FileFaults {
    // Called before each step; `index` counts the writes of one save from
    // 0 (0 for the other steps). A non-zero errno makes the step fail as
    // the system call would, having done nothing.
    std::function<int(WriteStep step, int index)> beforeStep;
    // The most bytes one write may take (0: no limit), so that a test save
    // takes several writes.
    size_t writeChunk = 0;
    // The most a whole-file read may hold (0: the machine's memory).
    size_t readLimit = 0;
    // Called once a file to be read is open and its size taken.
    std::function<void(const std::string& path)> afterSizeTaken;
};
// Null restores the real system calls.
void SetFileFaults(const FileFaults* faults);

// A folder or something else that is not a regular file (a FIFO, a device)
// is refused before it is opened for anything that could block or run on
// without end.
enum class WriteResult { kOk, kCannotOpen, kCannotWrite, kFolder, kNotRegularFile };

WriteResult WriteFileSafely(const std::string& path, const std::string& content);

enum class ReadResult {
    kOk,
    kMissing,
    kCannotOpen,
    kCannotRead,
    kFolder,
    kNotRegularFile,
    kTooLarge,
    kChanged
};

// Reads a whole regular file. A file larger than the machine's memory is
// refused before anything is allocated (kTooLarge). No more than the size
// it had when it was opened is read, so a file that grows meanwhile cannot
// make the read run on; one that grew or shrank during the read is refused
// (kChanged), as a part of it would be taken for the whole.
ReadResult ReadWholeFile(const std::string& path, std::string& text);
// The same; false when it could not be read.
bool ReadFileText(const std::string& path, std::string& text);
// Reads a file the user named. On failure shows `cannotOpen` (the caller's
// own message), or for a folder, a FIFO, a device or an impossible size a
// message saying so, and returns false.
bool ReadUserFile(const std::string& path, std::string& text, UserInterface& ui,
                  const std::string& cannotOpen);

// "PATH is a folder, not a file." or "PATH is not a regular file."
std::string NotRegularFileMessage(const std::string& path, bool isFolder);
// The message for a failed read: one of the above, "PATH is too large to
// read.", "PATH changed while it was being read; open it again once it is
// complete.", or otherwise `cannotOpen`.
std::string ReadFailureMessage(ReadResult result, const std::string& path,
                               const std::string& cannotOpen);

}  // namespace zav

namespace zav {
// The folder that holds the running program, with a trailing separator.
std::string ProgramDirectory();
}  // namespace zav
