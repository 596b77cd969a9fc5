// The project file's body (everything after the parse-string line): the data
// sources, the station and parameter aggregates and the units records.
#pragma once

#include <string>

#include "core/FileIO.h"
#include "core/TextReader.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;

// Passes the text on after every series and every few thousand points.
void WriteProject(PieceWriter& out, const ZAVFieldManager& store);

// Reads into `store`, which should be empty; rebuilds the indexes, replays
// the aggregates and replaces the units records by the stored ones.
// Raises InputError naming the first missing item. Stored numbers that are
// not numbers are left out and noted in `report` (see ReadSeriesBlock).
// The series are parsed on `threads` cores (0: all of them), with the same
// result, messages and first error as one after another (threads 1).
void ReadProject(TextReader& in, ZAVFieldManager& store, ImportReport& report,
                 unsigned threads = 0);

// A whole project file: the parse-string line, then the body. Open and
// Save go through these, and so do the tests that take a project apart.
void WriteProjectFile(PieceWriter& out, const std::string& parseString,
                      const ZAVFieldManager& store);
std::string ProjectFileText(const std::string& parseString, const ZAVFieldManager& store);
// Raises InputError as ReadProject does; `parseString` and `store` are
// then only partly filled and are to be dropped.
void ReadProjectFile(TextReader& in, std::string& parseString, ZAVFieldManager& store,
                     ImportReport& report, unsigned threads = 0);
void ReadProjectFileText(std::string text, std::string& parseString, ZAVFieldManager& store,
                         ImportReport& report);

}  // namespace zav
