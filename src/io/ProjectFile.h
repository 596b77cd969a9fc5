// The project file's body (everything after the parse-string line): the data
// sources, the station and parameter aggregates and the units records.
#pragma once

#include <string>

#include "core/TextReader.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;

void WriteProject(std::string& out, const ZAVFieldManager& store);

// Reads into `store`, which should be empty; rebuilds the indexes, replays
// the aggregates and replaces the units records by the stored ones.
// Raises InputError naming the first missing item. Stored numbers that are
// not numbers are left out and noted in `report` (see ReadSeriesBlock).
void ReadProject(TextReader& in, ZAVFieldManager& store, ImportReport& report);

// A whole project file: the parse-string line, then the body. Open and
// Save go through these, and so do the tests that take a project apart.
std::string ProjectFileText(const std::string& parseString, const ZAVFieldManager& store);
// Raises InputError as ReadProject does; `parseString` and `store` are
// then only partly filled and are to be dropped.
void ReadProjectFileText(std::string text, std::string& parseString, ZAVFieldManager& store,
                         ImportReport& report);

}  // namespace zav
