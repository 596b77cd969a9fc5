// Whole-file reading and writing. Writing never destroys the previous file
// before the new one is complete: the text goes to a temporary file beside
// the target, is flushed to disk, and then replaces the target in one rename.
#pragma once

#include <functional>
#include <string>

namespace zav {

class UserInterface;

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
    kTooLarge
};

// A regular file read in pieces, no further than the size it had when it
// was opened, so a file that grows meanwhile cannot make the read run on.
// Readers of large inputs keep only a piece of the text at a time.
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
    // Appends at most `count` bytes to `text`; false on a read error, after
    // which the file reads as ended.
    bool ReadMore(std::string& text, size_t count);
    bool Failed() const { return m_failed; }

private:
    int m_fd = -1;
    size_t m_size = 0;
    size_t m_read = 0;
    bool m_failed = false;
};

// Reads a whole regular file the same way, into one string.
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
// read.", or otherwise `cannotOpen`.
std::string ReadFailureMessage(ReadResult result, const std::string& path,
                               const std::string& cannotOpen);

}  // namespace zav

namespace zav {
// The folder that holds the running program, with a trailing separator.
std::string ProgramDirectory();
}  // namespace zav
