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

// Text written piece by piece: a writer appends to Text() and calls Pass()
// after each piece; when WriteFileSafely owns it, Pass sends what has
// gathered on to the file once it passes a megabyte, so a large project
// never sits in memory whole. Otherwise the text simply gathers.
class PieceWriter {
public:
    static constexpr size_t kPieceBytes = size_t{1} << 20;

    explicit PieceWriter(std::string& text) : m_text(text) {}
    std::string& Text() { return m_text; }
    void Pass() {
        if (m_fd >= 0 && m_text.size() >= kPieceBytes) {
            Send();
        }
    }
    // Adds a whole text at once, sent on as it is, without a copy.
    void PassWhole(const std::string& text);

private:
    friend WriteResult WriteFileSafely(const std::string&,
                                       const std::function<void(PieceWriter&)>&);
    void Send();

    std::string& m_text;
    int m_fd = -1;
    int m_writes = 0;  // the writes of this save so far
    bool m_failed = false;
};

// The same safe replacement, for text that `write` produces in pieces.
WriteResult WriteFileSafely(const std::string& path,
                            const std::function<void(PieceWriter&)>& write);

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

// A regular file read in pieces, no further than the size it had when it
// was opened, so a file that grows meanwhile cannot make the read run on.
// Readers of large inputs keep only a piece of the text at a time. A file
// larger than the machine's memory is refused at opening (kTooLarge), as
// nothing read from it could be held; one that grew or shrank while it was
// read ends as kChanged, as a part of it would be taken for the whole.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() { Close(); }

    // Folders, FIFOs and devices are refused before anything can block.
    ReadResult Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // The size at opening, and what of it is still to come.
    size_t Size() const { return m_size; }
    size_t Left() const { return m_size - m_read; }
    // Appends at most `count` bytes to `text`; false once the read failed or
    // the file changed, after which the file reads as ended.
    bool ReadMore(std::string& text, size_t count);
    // kOk, or kCannotRead or kChanged once the read went wrong.
    ReadResult Status() const { return m_status; }
    bool Failed() const { return m_status != ReadResult::kOk; }

private:
    void Fail(ReadResult why);
    void CheckEnded();

    int m_fd = -1;
    size_t m_size = 0;
    size_t m_read = 0;
    ReadResult m_status = ReadResult::kOk;
};

// Reads a whole regular file the same way, into one string allocated once.
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
