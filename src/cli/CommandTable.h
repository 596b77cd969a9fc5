// The table of zav-cli's commands: each command's usage, what it does and an
// example, with the function that runs it. The top-level usage, each
// command's help, the dispatch from main, the suggestion for a misspelt
// command, the bash completion and the man page all follow this one table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace zav::cli {

struct CommandInfo {
    const char* name;
    // What follows "zav-cli NAME"; '\n' starts a continuation line.
    const char* arguments;
    const char* summary;
    // A whole command line as typed in a shell, "zav-cli" first; a long one
    // goes on over lines ending in a backslash.
    const char* example;
    int (*run)(const Words& words, std::ostream& out, std::ostream& err);
};

// Every command, in the order the usage lists them.
const std::vector<CommandInfo>& CommandList();

// Adds a command at the end of the list, before any use of it: zav-cli plot,
// which only a build with the desktop program's drawing has.
void RegisterCommand(const CommandInfo& command);

// The command called `name`; nullptr when there is none.
const CommandInfo* FindCommand(const std::string& name);

// "zav-cli NAME ARGUMENTS", continuation lines indented under the first.
std::string CommandUsage(const CommandInfo& command);

// What "zav-cli --help" prints: every command's usage and the exit statuses.
std::string OverviewText();

// What "zav-cli help NAME" and "zav-cli NAME --help" print.
std::string CommandHelpText(const CommandInfo& command);

// "zav-cli X.Y.Z".
std::string VersionText();

// Runs a whole command line (the words after "zav-cli") and returns the
// exit status.
int RunCommandLine(const Words& words, std::ostream& out, std::ostream& err);

}  // namespace zav::cli
