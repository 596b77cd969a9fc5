// The two pick lists of the availability page: the main list (aggregates and
// names outside any aggregate, sorted) and the second list, the names of the
// other kind related to the chosen main items, in the order first met.
#pragma once

#include <string>
#include <vector>

namespace zav {

class ZAVFieldManager;

std::vector<std::string> MainListNames(const ZAVFieldManager& store, int mainListKind,
                                       bool aggregatesOnly);

// `items` are the selected main-list items, or all of them when none is
// selected.
std::vector<std::string> SecondListNames(const ZAVFieldManager& store, int mainListKind,
                                         const std::vector<std::string>& items);

}  // namespace zav
