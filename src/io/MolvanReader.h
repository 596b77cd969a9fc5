// The MOLVAN reader: a title line, three heading lines that name the seven
// value columns (parameter in two parts, then units), and data lines of a
// date and time, a station and up to seven values.
#pragma once

#include <string>

#include "store/DataSource.h"

namespace zav {

class UserInterface;

// Reads the file at `path` into `source`. False (after a message) when the
// file cannot be opened or a data line has no readable date; the source is
// then to be dropped whole.
bool ReadMolvanFile(DataSource& source, const std::string& path, UserInterface& ui);

// The same over text already in memory; `path` is only named in messages.
bool ReadMolvanText(DataSource& source, std::string text, const std::string& path,
                    UserInterface& ui);

}  // namespace zav
