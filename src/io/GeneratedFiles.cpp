#include "io/GeneratedFiles.h"

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

}  // namespace

std::string GeneratedFileText(const DataSeries& series) {
    std::string out = series.StationName();
    out += kLineEnd;
    out += kLineEnd;
    out += kLineEnd;
    out += kLineEnd;
    for (size_t i = 0; i < series.Size(); ++i) {
        CalendarFields f = series.Time(i).Fields();
        const char* month = f.month >= 1 && f.month <= 12 ? kMonthNames[f.month - 1] : "";
        AppendInt(out, static_cast<long long>(i));
        out += ", ";
        AppendG(out, series.Scaled(i));
        out += Format(", %d:%d:%d, %02d-%s-%02d,", f.hour, f.minute, f.second, f.day, month,
                      f.year % 100);
        out += kLineEnd;
    }
    return out;
}

int WriteSourceFiles(const ZAVFieldManager& store, const std::string& folder, UserInterface& ui) {
    int failed = 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            const std::string& station = series.StationName();
            if (!IsPlainFileName(station) ||
                WriteFileSafely(prefix + station + ".txt", GeneratedFileText(series)) !=
                    WriteResult::kOk) {
                ui.ShowMessage("Unable to create file " + station);
                ++failed;
            }
        }
    }
    return failed;
}

}  // namespace zav
