// The text rules of the table widget's clipboard commands, kept free of Qt so
// that they read as plain rules: what a copy writes and how a paste is cut
// into cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

using TextBlock = std::vector<std::vector<std::string>>;

// Cells of a row joined by a tab, rows by a line feed, nothing after the
// last row.
std::string BuildCopyText(const TextBlock& block);

// Rows at line feeds, cells at tabs or commas; each cell loses its leading
// and trailing blanks (a carriage return included). Every field keeps its
// place, empty ones too, so a pasted row never shifts into other columns. A
// line end after the last row (spreadsheets always write one) does not make
// an extra empty row.
TextBlock SplitPasteText(std::string_view text);

}  // namespace zav
