#include "ReportPlaces.h"

namespace zav::test {

std::vector<std::string> PlacesOf(const ImportReport& report, SkipRule rule) {
    std::vector<std::string> texts;
    for (const ImportReport::Input& input : report.Inputs()) {
        for (const SkipPlace& place : input.places[static_cast<size_t>(rule)]) {
            texts.push_back(std::to_string(place.line) + ":" + std::to_string(place.column) + ":" +
                            place.text);
        }
    }
    return texts;
}

}  // namespace zav::test
