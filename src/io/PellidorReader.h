// The PELLIDOR reader: printed reports of daily values, one block per
// station, parameter and water year (October to September), each a table of
// 31 day rows by 12 month columns. Text between blocks is passed over.
#pragma once

#include <string>

#include "core/Progress.h"
#include "store/DataSource.h"

namespace zav {

class ImportReport;
class UserInterface;

// Reads the file at `path` into `source`. False (after a message) when the
// file cannot be opened or a block's station or parameter line cannot be
// read (a water year no project can hold included); the source is then to
// be dropped whole. A cell that is not a number, or that holds a value for
// a day its month does not have, is skipped and noted in `report`; blank
// cells and "---" are the format's empty cells.
bool ReadPellidorFile(DataSource& source, const std::string& path, UserInterface& ui,
                      ImportReport& report, Progress& progress = NoProgress());

// The same over text already in memory; `path` is only named in messages.
bool ReadPellidorText(DataSource& source, std::string text, const std::string& path,
                      UserInterface& ui, ImportReport& report);

}  // namespace zav
