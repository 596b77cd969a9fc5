#include "cli/Selection.h"

#include <array>

#include "core/Calendar.h"
#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav::cli {

const char* const kSelectionUsage =
    "--main stations|parameters --items NAME[,NAME...]\n"
    "        --other NAME --start YYYY-MM-DD --end YYYY-MM-DD\n"
    "        --unit years|months|weeks|days|hours|minutes [--every N]\n"
    "        [--values] [--fill-gaps]";

namespace {

const std::array<const char*, 6> kUnitNames = {"years", "months", "weeks",
                                               "days",  "hours",  "minutes"};

bool ParseDate(const std::string& text, int& year, int& month, int& day) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    std::string_view view(text);
    return ParseWholeInt(view.substr(0, 4), year) && ParseWholeInt(view.substr(5, 2), month) &&
           ParseWholeInt(view.substr(8, 2), day) && year >= 1000 && month >= 1 && month <= 12 &&
           day >= 1 && day <= MonthLength(year, month);
}

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        items.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return items;
        }
        begin = comma + 1;
    }
}

}  // namespace

std::string ReadSelection(const Arguments& args, const char* command, ReportRequest& request) {
    for (const char* required : {"--main", "--items", "--other", "--start", "--end", "--unit"}) {
        if (!args.Value(required)) {
            return std::string(command) + " needs " + required;
        }
    }
    AnalysisSettings& s = request.settings;
    const std::string main = *args.Value("--main");
    if (main != "stations" && main != "parameters") {
        return "--main takes stations or parameters";
    }
    s.mainListKind = main == "stations" ? kMainStations : kMainParameters;
    // A main list of parameters reports availability only, as on the page.
    s.dataType =
        args.Has("--values") && s.mainListKind == kMainStations ? kDataValues : kDataAvailability;
    s.fillGaps = args.Has("--fill-gaps");
    if (!ParseDate(*args.Value("--start"), s.startYear, s.startMonth, s.startDay)) {
        return "--start takes a date YYYY-MM-DD";
    }
    if (!ParseDate(*args.Value("--end"), s.endYear, s.endMonth, s.endDay)) {
        return "--end takes a date YYYY-MM-DD";
    }
    const std::string unit = *args.Value("--unit");
    s.unit = -1;
    for (size_t i = 0; i < kUnitNames.size(); ++i) {
        if (unit == kUnitNames[i]) {
            s.unit = static_cast<int>(i);
        }
    }
    if (s.unit < 0) {
        return "--unit takes years, months, weeks, days, hours or minutes";
    }
    s.every = 1;
    if (auto every = args.Value("--every"); every && !ParseWholeInt(*every, s.every)) {
        return "--every takes an integer";
    }
    request.mainItems = SplitItems(*args.Value("--items"));
    request.otherItem = *args.Value("--other");
    return std::string();
}

bool ReportUnknownNames(const ZAVFieldManager& store, const ReportRequest& request,
                        std::ostream& err) {
    const bool stationRows = request.settings.mainListKind == kMainStations;
    const NameIndex& rows = stationRows ? store.Stations() : store.Parameters();
    const NameIndex& other = stationRows ? store.Parameters() : store.Stations();
    const char* rowKind = stationRows ? "station" : "parameter";
    const char* otherKind = stationRows ? "parameter" : "station";
    bool unknown = false;
    auto check = [&](const NameIndex& index, const char* kind, const std::string& name) {
        if (index.Lookup(name) == nullptr) {
            err << "The project has no " << kind << " \"" << name << "\".\n";
            unknown = true;
        }
    };
    for (const std::string& item : request.mainItems) {
        check(rows, rowKind, item);
    }
    check(other, otherKind, request.otherItem.value_or(""));
    return unknown;
}

}  // namespace zav::cli
