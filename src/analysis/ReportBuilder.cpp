#include "analysis/ReportBuilder.h"

#include <string>

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalStatistics.h"
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

ReportOutcome RebuildTable(ZAVFieldManager& store, const ReportRequest& request,
                           ReportTable& table) {
    const AnalysisSettings& s = request.settings;
    UserInterface& ui = store.UI();
    table.rows.clear();
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
    return FillTable(store, request, table);
}

ReportOutcome FillTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table) {
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
    for (size_t r = 0; r < table.rows.size() && r < request.mainItems.size(); ++r) {
        FillRow(store, request, request.mainItems[r], n, stats, table.rows[r]);
    }
    return ReportOutcome::kComputed;
}

}  // namespace zav
