#include "io/DataExport.h"

#include <algorithm>

#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

bool Wanted(const std::vector<std::string>& names, const std::string& name) {
    return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

// Names asked for that the project does not have, as "station X" texts.
std::string UnknownNames(const ZAVFieldManager& store, const DataExportOptions& options) {
    std::string unknown;
    auto check = [&](const std::vector<std::string>& names, bool stations) {
        for (const std::string& name : names) {
            const bool known = std::any_of(
                store.Sources().begin(), store.Sources().end(), [&](const DataSource& source) {
                    return std::any_of(
                        source.series.begin(), source.series.end(), [&](const DataSeries& s) {
                            return (stations ? s.StationName() : s.ParameterName()) == name;
                        });
                });
            if (!known) {
                unknown += (unknown.empty() ? "" : ", ") +
                           std::string(stations ? "station " : "parameter ") + name;
            }
        }
    };
    check(options.stations, true);
    check(options.parameters, false);
    return unknown.empty() ? "" : "no such " + unknown;
}

// A field the import would read otherwise unless quoted: the delimiter, a
// quote, a line end, blanks it would trim, or a '#' that would make the
// line a comment.
bool NeedsQuotes(std::string_view text, bool firstField) {
    if (text.empty()) {
        return false;
    }
    return text.find_first_of(",\"\r\n") != std::string_view::npos || IsBlank(text.front()) ||
           IsBlank(text.back()) || (firstField && text.front() == '#');
}

void AppendField(std::string& out, std::string_view text, bool firstField) {
    if (!NeedsQuotes(text, firstField)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

}  // namespace

std::string IsoTime(const KTRTime& time) {
    const CalendarFields f = time.Fields();
    return Format("%04d-%02d-%02dT%02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
}

std::vector<ExportSeries> SelectExportSeries(const ZAVFieldManager& store,
                                             const DataExportOptions& options, std::string& error) {
    std::vector<ExportSeries> selection;
    error = UnknownNames(store, options);
    if (!error.empty()) {
        return selection;
    }
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            if (!Wanted(options.stations, series.StationName()) ||
                !Wanted(options.parameters, series.ParameterName())) {
                continue;
            }
            ExportSeries out;
            out.series = &series;
            out.first = options.start.IsValid() ? series.LowerBound(options.start) : 0;
            const KTRTime after = options.end + 1;
            out.last =
                options.end.IsValid() && after.IsValid() ? series.LowerBound(after) : series.Size();
            out.last = std::max(out.first, out.last);
            out.values = options.scaled ? store.ConvertedValues(series) : series.Values();
            out.units = options.scaled ? store.ConvertedUnits(series) : series.Units();
            selection.push_back(std::move(out));
        }
    }
    return selection;
}

ExportCounts CountExport(const std::vector<ExportSeries>& selection) {
    ExportCounts counts;
    for (const ExportSeries& s : selection) {
        counts.series += s.last > s.first ? 1 : 0;
        counts.points += s.last - s.first;
    }
    return counts;
}

std::string TidyCsvText(const std::vector<ExportSeries>& selection, Progress& progress) {
    std::string out = "station,parameter,units,time,value,mask\n";
    out.reserve(out.size() + CountExport(selection).points * 48);
    for (size_t n = 0; n < selection.size(); ++n) {
        progress.Report(n, selection.size());
        if (progress.Cancelled()) {
            return std::string();
        }
        const ExportSeries& s = selection[n];
        // The first three fields are the same on every row of a series.
        std::string lead;
        AppendField(lead, s.series->StationName(), true);
        lead += ',';
        AppendField(lead, s.series->ParameterName(), false);
        lead += ',';
        AppendField(lead, s.units, false);
        lead += ',';
        for (size_t i = s.first; i < s.last; ++i) {
            out += lead;
            out += IsoTime(s.series->Time(i));
            out += ',';
            AppendExact(out, s.values[i]);
            out += ',';
            AppendInt(out, s.series->Mask(i));
            out += '\n';
        }
    }
    return out;
}

bool WriteExportFile(const std::vector<ExportSeries>& selection, const std::string& path,
                     bool asNetcdf, std::string& error, Progress& progress) {
    if (asNetcdf) {
        return WriteNetcdf(selection, path, error, progress);
    }
    const std::string text = TidyCsvText(selection, progress);
    // The text is whole unless cancelled; only then is anything written.
    return !progress.Cancelled() && WriteFileSafely(path, text) == WriteResult::kOk;
}

}  // namespace zav
