#include "app/DataEditRules.h"

#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "store/DataSeries.h"
#include "store/IndexRecords.h"
#include "store/ZAVFieldManager.h"

namespace zav {

const char* const kDuplicateTimeMessage = "Can't add data with duplicate times.";
const char* const kNoParameterMessage =
    "A parameter must first be defined before stations can be added.";
const char* const kNotADateMessage = "Please enter a date.";
const char* const kSeriesLabelStart = "Data for Station:";

namespace {
constexpr std::string_view kAliasOpening = "  (";
constexpr std::string_view kGroupOpening = "  [";

// The text before the last `opening` when the cell ends with `closing`;
// otherwise the cell as it stands.
std::string BeforeSuffix(std::string_view cell, std::string_view opening, char closing) {
    const size_t at = cell.rfind(opening);
    if (at == std::string_view::npos || cell.empty() || cell.back() != closing) {
        return std::string(cell);
    }
    return std::string(cell.substr(0, at));
}
}  // namespace

std::string ListedName(const IndexInfo& entry) {
    if (!entry.isAggregate && !entry.isMember) {
        return entry.name;
    }
    return entry.name + std::string(kGroupOpening) + entry.alias + "]";
}

std::string NameOfRow(std::string_view cell) {
    return BeforeSuffix(cell, kGroupOpening, ']');
}

std::string AggregateLayout(const ZAVFieldManager& store) {
    std::string layout;
    for (int type : {kStationType, kParameterType}) {
        std::vector<IndexInfo> groups;
        std::vector<std::string> aliases;
        store.GetAggregates(groups, aliases, type);
        for (const IndexInfo& group : groups) {
            layout += group.alias + '\n' + group.name + '\n';
            for (const std::string& member : group.members) {
                layout += member + '\n';
            }
            layout += '\n';
        }
        layout += '\f';
    }
    return layout;
}

std::string StationRowParameter(const std::string& parameter, const std::string& unitsAlias) {
    return parameter + std::string(kAliasOpening) + unitsAlias + ")";
}

std::string ParameterOfRow(std::string_view cell) {
    return BeforeSuffix(cell, kAliasOpening, ')');
}

std::string SeriesLabel(const std::string& parameterCell, const std::string& station) {
    return parameterCell + " for station " + station;
}

const char* MaskText(int32_t mask) {
    return mask != 0 ? "yes" : "no";
}

int32_t ToggledMask(std::string_view shown) {
    return shown == "yes" ? 0 : 1;
}

PointRow PointRowTexts(const DataSeries& series, size_t i) {
    return {series.Time(i).ToText(), FormatG(series.Value(i)), FormatG(series.Scaled(i)),
            MaskText(series.Mask(i))};
}

CellEdit ReadDateCell(const std::string& text, KTRTime& time) {
    // Blank text is refused before it is parsed: the parser would warn
    // about it on standard error as well.
    time = TrimView(text).empty() ? KTRTime() : KTRTime(text);
    if (!time.IsValid()) {
        return {false, std::string(), kNotADateMessage};
    }
    return {true, time.ToText(), std::string()};
}

}  // namespace zav
