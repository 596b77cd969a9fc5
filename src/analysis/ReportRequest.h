// ReportRequest: everything a report computation takes from the page, the
// settings and the selections: the chosen main-list items in list order
// (they become the table's rows in that order) and the second-list item.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisSettings.h"

namespace zav {

struct ReportRequest {
    AnalysisSettings settings;
    std::vector<std::string> mainItems;
    std::optional<std::string> otherItem;  // nothing: no second-list selection
    // The rows also get a note per cell (count, coverage, filled), for
    // the page's hints; the cells stay the same.
    bool cellNotes = false;

    bool HasSelection() const { return !mainItems.empty() && otherItem.has_value(); }
    // The station and the parameter of a main-list item and the other item.
    std::string StationFor(const std::string& mainItem) const {
        return settings.mainListKind == kMainStations ? mainItem : otherItem.value_or("");
    }
    std::string ParameterFor(const std::string& mainItem) const {
        return settings.mainListKind == kMainStations ? otherItem.value_or("") : mainItem;
    }
};

}  // namespace zav
