// The MOLVAN reader: a title line, three heading lines that name the seven
// value columns (parameter in two parts, then units), and data lines of a
// date and time, a station and up to seven values.
#pragma once

#include <string>

#include "core/Progress.h"
#include "store/DataSource.h"

namespace zav {

class ImportReport;
class UserInterface;

// Reads the file at `path` into `source`. False (after a message) when the
// file cannot be opened or a data line does not begin with the twelve digits
// of its date and time; the source is then to be dropped whole. A line whose
// digits make no time a project can hold (month 13 of 9999, say) and a
// value that is not a number are skipped and noted in `report`; a value
// whose integer reading is -9 is the format's missing value.
bool ReadMolvanFile(DataSource& source, const std::string& path, UserInterface& ui,
                    ImportReport& report, Progress& progress = NoProgress());

// The same over text already in memory; `path` is only named in messages.
bool ReadMolvanText(DataSource& source, std::string text, const std::string& path,
                    UserInterface& ui, ImportReport& report);

}  // namespace zav
