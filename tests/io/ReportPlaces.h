// The places an import report kept for one rule, as "line:column:text"
// texts, so that a test states them in one expectation.
#pragma once

#include <string>
#include <vector>

#include "io/ImportReport.h"

namespace zav::test {

std::vector<std::string> PlacesOf(const ImportReport& report, SkipRule rule);

}  // namespace zav::test
