// Whole-file reading and writing. Writing never destroys the previous file
// before the new one is complete: the text goes to a temporary file beside
// the target, is flushed to disk, and then replaces the target in one rename.
#pragma once

#include <string>

namespace zav {

enum class WriteResult { kOk, kCannotOpen, kCannotWrite };

WriteResult WriteFileSafely(const std::string& path, const std::string& content);

// Reads the whole file; false when it cannot be opened.
bool ReadFileText(const std::string& path, std::string& text);

}  // namespace zav

namespace zav {
// The folder that holds the running program, with a trailing separator.
std::string ProgramDirectory();
}  // namespace zav
