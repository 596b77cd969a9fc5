// Whole-file reading and writing. Writing never destroys the previous file
// before the new one is complete: the text goes to a temporary file beside
// the target, is flushed to disk, and then replaces the target in one rename.
#pragma once

#include <string>

namespace zav {

class UserInterface;

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
    kTooLarge
};

// Reads a whole regular file: no more than the size it had when it was
// opened, so a file that grows meanwhile cannot make the read run on.
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
