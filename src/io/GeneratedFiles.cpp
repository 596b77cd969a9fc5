#include "io/GeneratedFiles.h"

#include <cmath>
#include <map>
#include <set>

#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {

// Written in English whatever the locale, so the files read back anywhere.
const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

// A name that stays inside the chosen folder: no separator (which could
// also climb out with "..") and no NUL, which would cut the name short.
bool IsPlainFileName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

// A parameter name in a file name: a separator or NUL in it becomes '_'
// ("NO2/NO3" gives NO2_NO3), so the file stays in the folder.
std::string FileNamePart(const std::string& name) {
    std::string part = name;
    for (char& c : part) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    return part;
}

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string LeftOutMessage(const std::string& name, size_t count) {
    return name + ".txt: " + std::to_string(count) +
           (count == 1 ? " point was left out because its scaled value is"
                       : " points were left out because their scaled values are") +
           " not a finite number (value x multiplier + offset).";
}

}  // namespace

std::string GeneratedFileText(const DataSeries& series, size_t* leftOut) {
    std::string out = series.StationName();
    out += kLineEnd;
    out += kLineEnd;
    out += kLineEnd;
    out += kLineEnd;
    size_t skipped = 0;
    for (size_t i = 0; i < series.Size(); ++i) {
        const double scaled = series.Scaled(i);
        // A scaling that overflows gives no number a reader could take back.
        if (!std::isfinite(scaled)) {
            ++skipped;
            continue;
        }
        CalendarFields f = series.Time(i).Fields();
        const char* month = f.month >= 1 && f.month <= 12 ? kMonthNames[f.month - 1] : "";
        AppendInt(out, static_cast<long long>(i));
        out += ", ";
        AppendG(out, scaled);
        out += Format(", %d:%d:%d, %02d-%s-%02d,", f.hour, f.minute, f.second, f.day, month,
                      f.year % 100);
        out += kLineEnd;
    }
    if (leftOut != nullptr) {
        *leftOut = skipped;
    }
    return out;
}

std::vector<std::string> GeneratedFileNames(const ZAVFieldManager& store) {
    std::map<std::string, int> seriesOfStation;
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            ++seriesOfStation[series.StationName()];
        }
    }
    std::vector<std::string> names;
    std::set<std::string> taken;  // lower case: some file systems ignore case
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            std::string base = series.StationName();
            if (seriesOfStation[base] > 1) {
                base += " - " + FileNamePart(series.ParameterName());
            }
            std::string name = base;
            for (int k = 2; !taken.insert(LowerCase(name)).second; ++k) {
                name = base + " (" + std::to_string(k) + ")";
            }
            names.push_back(name);
        }
    }
    return names;
}

int WriteSourceFiles(const ZAVFieldManager& store, const std::string& folder, UserInterface& ui) {
    int failed = 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    const std::vector<std::string> names = GeneratedFileNames(store);
    size_t n = 0;
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            const std::string& name = names[n++];
            size_t leftOut = 0;
            const std::string text = GeneratedFileText(series, &leftOut);
            // The station's own part of the name is never changed: a name
            // that is no plain file name is refused as it stands.
            if (!IsPlainFileName(series.StationName()) ||
                WriteFileSafely(prefix + name + ".txt", text) != WriteResult::kOk) {
                ui.ShowMessage("Unable to create file " + name);
                ++failed;
            } else if (leftOut > 0) {
                ui.ShowMessage(LeftOutMessage(name, leftOut));
            }
        }
    }
    return failed;
}

}  // namespace zav
