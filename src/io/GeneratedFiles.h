// Generated station files: one small text file per series, written in
// layout 1 of the spreadsheet import (comma separator) so that it can be
// read back as a project input, and named so that no series' file takes
// another's place.
#pragma once

#include <string>
#include <vector>

#include "store/DataSeries.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class UserInterface;

// The file of one series: the station name, three empty lines, then one
// line per point: "i, scaled value, H:M:S, DD-Month-YY,". A point whose
// scaled value is no finite number is left out; `leftOut` receives how
// many were.
std::string GeneratedFileText(const DataSeries& series, size_t* leftOut = nullptr);

// The file name (without ".txt") of every series of every source, in
// order: the station name when the station has one series in the project,
// otherwise "station - parameter" (a '/' in the parameter becomes '_').
// A name met before (ignoring case) gets " (2)", " (3)", ... added.
std::vector<std::string> GeneratedFileNames(const ZAVFieldManager& store);

// Writes the file of every series of every source, in order, into `folder`,
// under the names above. A file that cannot be created is reported as
// "Unable to create file " + its name and the others are still written;
// so is a station name that is no plain file name (a '/' in it would write
// outside the folder). Points left out are reported per file. Returns the
// number of files not written.
int WriteSourceFiles(const ZAVFieldManager& store, const std::string& folder, UserInterface& ui);

}  // namespace zav
