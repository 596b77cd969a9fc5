// Generated station files: one small text file per series, named after its
// station with ".txt", written in layout 1 of the spreadsheet import (comma
// separator) so that it can be read back as a project input.
#pragma once

#include <string>

#include "store/DataSeries.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class UserInterface;

// The file of one series: the station name, three empty lines, then one
// line per point: "i, scaled value, H:M:S, DD-Month-YY,".
std::string GeneratedFileText(const DataSeries& series);

// Writes the file of every series of every source, in order, into `folder`
// (a station with several parameters leaves the file of its last series).
// A file that cannot be created is reported as "Unable to create file " +
// the station name and the others are still written; so is a station name
// that is no plain file name (a '/' in it would write outside the folder).
// Returns the number of files not written.
int WriteSourceFiles(const ZAVFieldManager& store, const std::string& folder, UserInterface& ui);

}  // namespace zav
