// Command files for zav-cli run: one editing command a line, words split
// as a shell splits them.
#pragma once

#include <string>
#include <vector>

namespace zav::cli {

// Splits one line into words as a shell does: blanks and tabs separate
// words; 'single quotes' keep everything; "double quotes" keep everything
// but a backslash before ", \, $ or `; a backslash outside quotes keeps the
// next character; '#' at the start of a word begins a comment. An empty
// list for a blank or comment line. False with `error` set for a quote left
// open or a backslash ending the line (which zav-cli run takes as going on
// to the next line).
bool SplitCommandLine(const std::string& line, std::vector<std::string>& words, std::string& error);

}  // namespace zav::cli
