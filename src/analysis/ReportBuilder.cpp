#include "analysis/ReportBuilder.h"

#include <string>

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalStatistics.h"
#include "analysis/IntervalSummary.h"
#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

// Wider tables than this are built only after the user agrees.
constexpr int kIntervalsWithoutAsking = 500;

const char* const kNoIntervalsMessage = "Date span selected yields no plotting intervals.";
const char* const kBadStepMessage = "Interval span must be greater than zero.";

bool ProjectHasData(const ZAVFieldManager& store) {
    int fd = 0, fm = 0, fy = -1, ld = 0, lm = 0, ly = -1;
    store.GetDateRange(fd, fm, fy, ld, lm, ly);
    return fy != -1;
}

std::vector<CellNote> NotesOf(const SummaryRow& summary, const IntervalGrid& grid) {
    std::vector<CellNote> notes;
    notes.reserve(summary.intervals.size());
    for (size_t i = 0; i < summary.intervals.size(); ++i) {
        const IntervalGrid::Bounds b = grid.IntervalBounds(static_cast<int>(i));
        const IntervalSummary& interval = summary.intervals[i];
        notes.push_back(
            CellNote{SummaryHint(interval, summary.step, b.first, b.last), interval.filled});
    }
    return notes;
}

// A row with the statistic and options beyond the page's own. Filling is
// for values: in availability a filled interval is never available.
ReportRow SummaryRowOf(ZAVFieldManager& store, const ReportRequest& request,
                       const std::string& item, std::vector<CellNote>& notes) {
    const AnalysisSettings& s = request.settings;
    const IntervalGrid grid = s.Grid();
    const SummaryRow summary =
        SummariseRow(store, request.StationFor(item), request.ParameterFor(item), PairSideOf(s),
                     grid, s.statistics, s.fillGaps && s.ReportsValues(), request.cellNotes);
    ReportRow row{item, {}, {}};
    for (const IntervalSummary& interval : summary.intervals) {
        if (s.ReportsValues()) {
            row.cells.push_back(SummaryValueCell(interval, s.statistics.markFilled));
            row.values.push_back(interval.value);
        } else {
            row.cells.push_back(SummaryAvailabilityCell(interval));
            row.values.emplace_back(interval.available ? 1.0 : 0.0);
        }
    }
    if (request.cellNotes) {
        notes = NotesOf(summary, grid);
    }
    return row;
}

// Whether the page's own cell i shows a value ("1" in availability), as its
// row's values say.
bool ShowsValue(const AnalysisSettings& s, const ReportRow& row, size_t i) {
    return i < row.values.size() && row.values[i].has_value() &&
           (s.ReportsValues() || *row.values[i] > 0.0);
}

// The page's own cells get their notes from a count of the same intervals;
// an interval shown with a value but holding none was filled.
std::vector<CellNote> PageCellNotes(ZAVFieldManager& store, const ReportRequest& request,
                                    const ReportRow& row) {
    const AnalysisSettings& s = request.settings;
    StatisticsOptions counting;
    counting.statistic = Statistic::kCount;
    const IntervalGrid grid = s.Grid();
    SummaryRow summary =
        SummariseRow(store, request.StationFor(row.name), request.ParameterFor(row.name),
                     PairSideOf(s), grid, counting, false);
    for (size_t i = 0; i < summary.intervals.size(); ++i) {
        IntervalSummary& interval = summary.intervals[i];
        interval.filled =
            s.mainListKind == kMainStations && ShowsValue(s, row, i) && interval.count == 0;
    }
    return NotesOf(summary, grid);
}

// Fills one row's cells and values; `stats` is scratch storage shared by
// the rows.
void FillRow(ZAVFieldManager& store, const ReportRequest& request, const std::string& item,
             size_t n, IntervalStatistics& stats, ReportRow& row) {
    const AnalysisSettings& s = request.settings;
    row.cells.clear();
    row.values.clear();
    row.cells.reserve(n);
    row.values.reserve(n);
    if (s.mainListKind == kMainParameters) {
        std::vector<double>& present = stats.present;
        present.assign(n, 0.0);
        store.GetAvailability(item, *request.otherItem, s.SpanStart(), s.SpanEnd(), s.unit, s.every,
                              present);
        for (double flag : present) {
            row.cells.push_back(flag > 0.0 ? "1" : "0");
            row.values.emplace_back(flag > 0.0 ? 1.0 : 0.0);
        }
        return;
    }
    // With gap filling on, filled intervals come back present and show "1".
    stats.Fill(store, item, *request.otherItem, s.SpanStart(), s.SpanEnd(), s.unit, s.every, n,
               s.fillGaps);
    for (size_t i = 0; i < n; ++i) {
        if (!s.ReportsValues()) {
            row.cells.push_back(stats.PresenceCell(i));
            row.values.emplace_back(stats.Present(i) ? 1.0 : 0.0);
        } else {
            row.cells.push_back(stats.MeanCell(i));
            row.values.push_back(stats.Present(i) ? std::optional<double>(stats.mean[i])
                                                  : std::nullopt);
        }
    }
}

}  // namespace

bool ConfirmIntervalCount(UserInterface& ui, int count) {
    return count <= kIntervalsWithoutAsking ||
           ui.AskYesNo("There are " + std::to_string(count) + " time points.  Continue?");
}

const char* MainListTitle(int mainListKind) {
    return mainListKind == kMainStations ? "Station" : "Parameter";
}

namespace {
ReportOutcome BuildTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table,
                         Progress& progress) {
    const AnalysisSettings& s = request.settings;
    UserInterface& ui = store.UI();
    table.rows.clear();
    table.notes.clear();
    if (table.header.empty()) {
        table.header.emplace_back();
    }
    table.header[0] = MainListTitle(s.mainListKind);
    if (!ProjectHasData(store) || !request.HasSelection()) {
        return ReportOutcome::kNothingToCompute;
    }
    // A step below 1 gives no usable count, so only the step is reported.
    if (s.every < 1) {
        ui.ShowMessage(kBadStepMessage);
        return ReportOutcome::kBadStep;
    }
    const int n = s.IntervalCount();
    if (!ConfirmIntervalCount(ui, n)) {
        return ReportOutcome::kDeclined;
    }
    if (n == 0) {
        ui.ShowMessage(kNoIntervalsMessage);
        return ReportOutcome::kNoIntervals;
    }
    std::vector<std::string> labels = IntervalLabels(s.Grid(), s.unit);
    table.header.resize(1);
    table.header.insert(table.header.end(), labels.begin(), labels.end());
    for (const std::string& item : request.mainItems) {
        table.rows.push_back(ReportRow{item, {}, {}});
    }
    return FillTable(store, request, table, progress);
}
}  // namespace

ReportOutcome RebuildTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table,
                           Progress& progress) {
    // Built aside, so that a cancelled refresh leaves the table shown as it was.
    ReportTable built = table;
    const ReportOutcome outcome = BuildTable(store, request, built, progress);
    if (outcome != ReportOutcome::kCancelled) {
        table = std::move(built);
    }
    return outcome;
}

std::vector<CellNote> RowNotes(ZAVFieldManager& store, const ReportRequest& request,
                               const ReportRow& row) {
    if (request.settings.statistics.IsPageDefault()) {
        return PageCellNotes(store, request, row);
    }
    ReportRequest noted = request;
    noted.cellNotes = true;
    std::vector<CellNote> notes;
    SummaryRowOf(store, noted, row.name, notes);
    return notes;
}

ReportOutcome FillTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table,
                        Progress& progress) {
    const AnalysisSettings& s = request.settings;
    UserInterface& ui = store.UI();
    if (!request.HasSelection()) {
        return ReportOutcome::kNothingToCompute;
    }
    if (s.UnitCount() == 0) {
        ui.ShowMessage(kNoIntervalsMessage);
        return ReportOutcome::kNoIntervals;
    }
    if (s.every < 1) {
        ui.ShowMessage(kBadStepMessage);
        return ReportOutcome::kBadStep;
    }
    const size_t n = static_cast<size_t>(s.IntervalCount());
    table.dataFor =
        (s.mainListKind == kMainStations ? "Data for parameter " : "Data for station ") +
        *request.otherItem;
    IntervalStatistics stats;
    const bool pageOwn = s.statistics.IsPageDefault();
    table.notes.assign(table.rows.size(), {});
    for (size_t r = 0; r < table.rows.size() && r < request.mainItems.size(); ++r) {
        progress.Report(r, table.rows.size());
        if (progress.Cancelled()) {
            return ReportOutcome::kCancelled;
        }
        const std::string& item = request.mainItems[r];
        if (!pageOwn) {
            table.rows[r] = SummaryRowOf(store, request, item, table.notes[r]);
            continue;
        }
        FillRow(store, request, item, n, stats, table.rows[r]);
        if (request.cellNotes) {
            table.notes[r] = PageCellNotes(store, request, table.rows[r]);
        }
    }
    return ReportOutcome::kComputed;
}

}  // namespace zav
