#include "app/rules/DataEditRules.h"

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
}  // namespace

std::string GroupMark(const IndexInfo& entry) {
    if (!entry.isAggregate && !entry.isMember) {
        return std::string();
    }
    return "  [" + entry.alias + "]";
}

std::string ListedName(const IndexInfo& entry) {
    return entry.name + GroupMark(entry);
}

std::string TypedName(std::string_view typed, std::string_view mark) {
    const bool marked = !mark.empty() && typed.size() >= mark.size() &&
                        typed.substr(typed.size() - mark.size()) == mark;
    return std::string(marked ? typed.substr(0, typed.size() - mark.size()) : typed);
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
    const size_t opening = cell.rfind(kAliasOpening);
    if (opening == std::string_view::npos || cell.empty() || cell.back() != ')') {
        return std::string(cell);
    }
    return std::string(cell.substr(0, opening));
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
    return {PointCellText(series, i, kPointDate), PointCellText(series, i, kPointValue),
            PointCellText(series, i, kPointScaled), MaskText(series.Mask(i))};
}

std::string PointCellText(const DataSeries& series, size_t i, int column) {
    switch (column) {
        case kPointDate:
            return series.Time(i).ToText();
        case kPointValue:
            return FormatG(series.Value(i));
        case kPointScaled:
            return FormatG(series.Scaled(i));
        case kPointMask:
            return MaskText(series.Mask(i));
        default:
            return std::string();
    }
}

bool IsPointColumnReadOnly(int column) {
    return column == kPointScaled || column == kPointMask;
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
