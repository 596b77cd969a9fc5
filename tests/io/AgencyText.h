// Builders for small agency texts in the tests: they put headings, station
// codes and table cells in the columns the two layouts fix, so each test
// states only what it is about.
#pragma once

#include <string>
#include <vector>

namespace zav::test {

// A MOLVAN heading line: 26 leading blanks, then each text left in an
// 8-character column.
std::string MolvanHeading(const std::vector<std::string>& columns);
// Title, the two parameter lines and the units line, each ended by CR LF.
std::string MolvanHeadings(const std::vector<std::string>& first,
                           const std::vector<std::string>& second,
                           const std::vector<std::string>& units);
// A data line: "YYYYMMDDhhmm", the station padded to 15 characters, then
// the values separated by blanks; ended by CR LF.
std::string MolvanLine(const std::string& stamp, const std::string& station,
                       const std::vector<std::string>& values);

// The banner and station line of a PELLIDOR block (28 characters before
// the number), three other header lines, the parameter line (38 characters
// between the units' comma and the year) and three heading lines.
std::string PellidorHeader(const std::string& number, const std::string& name,
                           const std::string& parameter, const std::string& units, int waterYear);
// A day row: the day in the first 20 columns, then twelve 9-character cells
// (October first); missing trailing cells are left off.
std::string PellidorRow(int day, const std::vector<std::string>& cells);
// A whole block whose rows all hold "---" except the cells given as
// (day, field index, text).
struct PellidorCell {
    int day;
    int field;
    std::string text;
};
std::string PellidorBlock(const std::string& number, const std::string& name,
                          const std::string& parameter, const std::string& units, int waterYear,
                          const std::vector<PellidorCell>& cells);

}  // namespace zav::test
