// CsvText: how the program writes comma-separated records, for zav-cli's
// csv output and the desktop's CSV exports alike.
#pragma once

#include <string>
#include <vector>

namespace zav {

// One CSV record ending in LF; a field holding a comma, a quote or a line
// break is quoted, its quotes doubled.
std::string CsvRecord(const std::vector<std::string>& fields);

}  // namespace zav
