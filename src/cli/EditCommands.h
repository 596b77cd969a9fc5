// The editing commands of zav-cli (rename-station, group-stations, mask,
// delete, ...): each one a document operation of io/DocumentEdits on a
// loaded project. The one-shot commands and zav-cli run go through the one
// dispatcher here, so a command file does exactly what the same commands
// typed one by one do.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "io/CZAVDoc.h"

namespace zav::cli {

// What an editing command did.
struct EditOutcome {
    int status = 0;  // the exit status: 0, 1 (failed) or 2 (misuse)
    bool changed = false;
    // What changed, or why nothing did: "station 'A' renamed to 'B'".
    std::string what;
};

// True for the name of an editing command.
bool IsEditCommand(const std::string& name);
// The editing commands' names, in the order of the command table.
std::vector<std::string> EditCommandNames();

// Runs one editing command on the loaded project: `words` is the command's
// name and its arguments without the project and without -o. A failure or
// misuse is said on `err`; a failed command leaves the project as it was.
EditOutcome RunEdit(CZAVDoc& doc, const Words& words, std::ostream& err);

}  // namespace zav::cli
