#include "analysis/ReportExport.h"

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalStatistics.h"
#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

const char* const kLineEnd = "\r\n";

// Cell (0, 0), then every name followed by a TAB: the first line of the
// transposed files, so it ends with a TAB.
void AppendNamesLine(std::string& out, const std::string& corner,
                     const std::vector<std::string>& names) {
    out += corner;
    out += '\t';
    for (const std::string& name : names) {
        out += TransposedRowName(name);
        out += '\t';
    }
    out += kLineEnd;
}

std::vector<std::string> RowNames(const ReportTable& table) {
    std::vector<std::string> names;
    for (const ReportRow& row : table.rows) {
        names.push_back(row.name);
    }
    return names;
}

}  // namespace

std::string TransposedRowName(const std::string& name) {
    return name.substr(0, name.find("|||"));
}

std::string TableFileText(const ReportTable& table) {
    std::string out;
    if (table.RowCount() <= 1) {
        return out;
    }
    out += table.Cell(0, 0);
    out += '\t';
    for (int c = 1; c < table.ColumnCount(); ++c) {
        if (c > 1) {
            out += '\t';
        }
        out += table.Cell(0, c);
    }
    out += kLineEnd;
    for (int r = 1; r < table.RowCount(); ++r) {
        for (int c = 0; c < table.ColumnCount(); ++c) {
            if (c > 0) {
                out += '\t';
            }
            out += table.Cell(r, c);
        }
        out += kLineEnd;
    }
    return out;
}

std::string TransposedTableText(const ReportTable& table) {
    std::string out;
    AppendNamesLine(out, table.Cell(0, 0), RowNames(table));
    for (int c = 1; c < table.ColumnCount(); ++c) {
        for (int r = 0; r < table.RowCount(); ++r) {
            if (r > 0) {
                out += '\t';
            }
            out += table.Cell(r, c);
        }
        out += kLineEnd;
    }
    return out;
}

ReportOutcome TransposedStationsText(ZAVFieldManager& store, const ReportRequest& request,
                                     std::string& text) {
    const AnalysisSettings& s = request.settings;
    if (s.every < 1) {
        store.UI().ShowMessage("Interval span must be greater than zero.");
        return ReportOutcome::kBadStep;
    }
    // Labelled as the intervals the values are taken over.
    const IntervalGrid grid = s.CalendarGrid();
    const size_t n = static_cast<size_t>(grid.Count());
    const std::vector<std::string> labels = IntervalLabels(grid, s.unit);
    std::vector<IntervalStatistics> stations;
    for (const std::string& station : request.mainItems) {
        stations.push_back(IntervalStatistics::Compute(
            store, station, request.otherItem.value_or(""), s.SpanStart(), s.SpanEnd(), s.unit,
            s.every, n, s.fillGaps));
    }
    static const char* const kTitles[3] = {"Min", "Max", "Mean"};
    static std::vector<double> IntervalStatistics::*const kColumns[3] = {
        &IntervalStatistics::min, &IntervalStatistics::max, &IntervalStatistics::mean};
    text.clear();
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            text += kLineEnd;
        }
        text += kTitles[k];
        text += kLineEnd;
        AppendNamesLine(text, MainListTitle(kMainStations), request.mainItems);
        for (size_t i = 0; i < n; ++i) {
            text += labels[i];
            for (const IntervalStatistics& station : stations) {
                text += '\t';
                text += station.ValueCell(station.*kColumns[k], i);
            }
            text += kLineEnd;
        }
    }
    return ReportOutcome::kComputed;
}

ReportOutcome TransposedFileText(ZAVFieldManager& store, const ReportRequest& request,
                                 const ReportTable& table, std::string& text) {
    // A statistic other than the page's own has one value per cell, which
    // the table holds already.
    if (request.settings.mainListKind == kMainParameters ||
        request.settings.statistics.statistic != Statistic::kMinMaxMean) {
        text = TransposedTableText(table);
        return ReportOutcome::kComputed;
    }
    return TransposedStationsText(store, request, text);
}

bool BuildTimeseriesText(ZAVFieldManager& store, const ReportRequest& request, std::string& text) {
    text.clear();
    if (request.mainItems.size() != 1 || !request.otherItem) {
        store.UI().ShowMessage(
            "Only timeseries data for a single station and parameter can be output.");
        return false;
    }
    const AnalysisSettings& s = request.settings;
    const std::string& item = request.mainItems.front();
    // Always by days, whatever unit the page shows; the page's step applies.
    const KTRTime start = s.SpanStart();
    const KTRTime end = s.SpanEnd();
    const size_t days = static_cast<size_t>(start.UnitsBetween(end, kDays));
    IntervalStatistics stats =
        IntervalStatistics::Compute(store, request.StationFor(item), request.ParameterFor(item),
                                    start, end, kDays, s.every, days, s.fillGaps);
    size_t previous = 0;
    for (size_t i = 0; i < days; ++i) {
        if (!stats.Present(i)) {
            continue;
        }
        AppendG(text, stats.mean[i]);
        text += '\t';
        AppendInt(text, static_cast<long long>(i - previous));
        text += '\t';
        previous = i;
    }
    return true;
}

std::string ClipboardText(const ReportTable& table) {
    std::string out;
    for (int r = 0; r < table.RowCount(); ++r) {
        if (r > 0) {
            out += '\n';
        }
        for (int c = 0; c < table.ColumnCount(); ++c) {
            if (c > 0) {
                out += '\t';
            }
            out += table.Cell(r, c);
        }
    }
    return out;
}

bool WriteTableFile(UserInterface& ui, const std::string& path, const std::string& text) {
    if (WriteFileSafely(path, text) != WriteResult::kOk) {
        ui.ShowMessage("Unable to open file " + path);
        return false;
    }
    return true;
}

bool WriteTimeseriesFile(UserInterface& ui, const std::string& path, const std::string& text) {
    if (WriteFileSafely(path, text + kLineEnd) != WriteResult::kOk) {
        ui.ShowMessage(path + " file open attempt failed.  Perhaps the file is in use?\n");
        return false;
    }
    return true;
}

bool PutTimeseriesOnClipboard(UserInterface& ui, const std::string& text) {
    if (!ui.SetClipboardText(text)) {
        ui.ShowMessage("Failed to open clipboard");
        return false;
    }
    return true;
}

}  // namespace zav
