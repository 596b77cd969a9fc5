// What the two spreadsheet dialogs show and give back, apart from their
// widgets: the parameter list of "Choose Spreadsheet Options" and the five
// column choices of "Parse Spreadsheet Information".
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zav {

class ZAVFieldManager;

// One row of the parameter list: "name (units)".
struct ParameterChoice {
    std::string name;
    std::string units;
    std::string text;
};
// Every parameter of the project, sorted by name.
std::vector<ParameterChoice> ParameterChoices(const ZAVFieldManager& store);

// The parse string describes the first five columns of a line.
constexpr int kParseColumnCount = 5;
using ParseColumns = std::array<int, kParseColumnCount>;

// For each column, the position in kParseTokens of the parse string's token
// there, or -1 when it holds no token spelled exactly so (or none at all).
ParseColumns ParseColumnChoices(const std::string& parseString);
// The five choices joined by tabs; a column without a choice is "SKIP".
std::string BuildParseString(const ParseColumns& choices);

}  // namespace zav
