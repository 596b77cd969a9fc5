// ProgramFiles: where the running program finds the files it ships with (the
// standard conversions, the examples, the manual), whether it runs from its
// build folder or installed under a prefix (bin/ beside share/zav/), and the
// per-user copy of the conversions an installed program reads and writes.
// zav and zav-cli both ask here, so they always agree on the file in use.
#pragma once

#include <string>

namespace zav {

class UserInterface;

// The per-user data folder: $XDG_DATA_HOME when it is an absolute path,
// otherwise $HOME/.local/share; empty when neither is usable. Arguments are
// the variables' values (nullptr when unset).
std::string UserDataHome(const char* xdgDataHome, const char* home);
// The same from the process's environment.
std::string UserDataHome();

// A program folder's parent: "/usr/bin/" gives "/usr/". Lexical, so a build
// folder reached through a link keeps the path the person sees.
std::string ParentFolder(const std::string& folder);

// Where the conversions file of a program in `programDir` lives.
struct ConversionsLocation {
    std::string path;      // the file every document reads and writes
    std::string seedFrom;  // copied to `path` when that does not exist yet; empty: nothing
    bool perUser = false;  // `path` is the per-user copy
};

// What the choice rests on, found on disk by LocateConversions.
struct ConversionsFacts {
    std::string programDir;  // with a trailing separator
    bool programDirWritable = true;
    bool installedTableExists = false;  // share/zav/unitConversions.txt beside bin/
    bool besideTableExists = false;     // unitConversions.txt beside the program
    std::string userDataHome;           // empty: no per-user folder known
};

// The program's own folder keeps the file (as a build-folder run always
// has) unless the program is installed or that folder is read-only; then
// the file is the per-user copy, first made from the installed standard
// table (or from a table beside the program, as older installs left it).
ConversionsLocation ChooseConversions(const ConversionsFacts& facts);
ConversionsLocation LocateConversions(const std::string& programDir,
                                      const std::string& userDataHome);

// Makes the per-user copy on first use: its folder, and the standard table
// copied in when there is one. True when nothing was needed or it worked;
// otherwise shows ConversionsCopyFailedMessage and returns false (the
// document then starts with the table it could read, as with a missing file).
bool PrepareConversionsFile(const ConversionsLocation& location, UserInterface& ui);
std::string ConversionsCopyFailedMessage(const ConversionsLocation& location);

// A folder the program ships (`name` is "examples" or "manual"): beside
// the program's folder in a build folder, under share/zav when installed.
// The build-folder place is given when neither exists.
std::string ProgramFolder(const std::string& programDir, const std::string& name);

}  // namespace zav
