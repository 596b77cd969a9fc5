#include "analysis/PickLists.h"

#include <algorithm>

#include "analysis/AnalysisSettings.h"
#include "store/ZAVFieldManager.h"

namespace zav {

std::vector<std::string> MainListNames(const ZAVFieldManager& store, int mainListKind,
                                       bool aggregatesOnly) {
    std::vector<std::string> names;
    store.GetNameList(names, mainListKind == kMainStations ? kStationType : kParameterType,
                      aggregatesOnly);
    return names;
}

std::vector<std::string> SecondListNames(const ZAVFieldManager& store, int mainListKind,
                                         const std::vector<std::string>& items) {
    const bool stations = mainListKind == kMainStations;
    // A station's related names come as triples: parameter, multiplier and
    // offset; a parameter's as station names alone.
    const size_t stride = stations ? 3 : 1;
    std::vector<std::string> names;
    for (const std::string& item : items) {
        std::vector<std::string> related;
        store.GetRelatedNames(item, related, stations ? kStationType : kParameterType);
        for (size_t i = 0; i < related.size(); i += stride) {
            if (std::find(names.begin(), names.end(), related[i]) == names.end()) {
                names.push_back(related[i]);
            }
        }
    }
    return names;
}

}  // namespace zav
