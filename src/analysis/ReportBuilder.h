// Computing the report table from a request, as the availability page's
// Refresh does: checks and messages in the page's order, the header of
// interval labels, one row per main-list item, and its cells from the store.
#pragma once

#include "analysis/ReportRequest.h"
#include "analysis/ReportTable.h"
#include "core/Progress.h"

namespace zav {

class UserInterface;
class ZAVFieldManager;

enum class ReportOutcome {
    kComputed,
    kNothingToCompute,  // no data in the project or no selection: no message
    kDeclined,          // No to the question about a wide table
    kNoIntervals,       // the span ends before it starts
    kBadStep,           // a step below 1
    kCancelled,         // stopped through the progress: the table is as it was
};

// Clears the item rows, writes the header's first cell and, unless a check
// stops it, the labels and rows; then FillTable. Messages and the question
// go through the store's UserInterface. Reports row by row through
// `progress`; cancelled, it leaves `table` as it was.
ReportOutcome RebuildTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table,
                           Progress& progress = NoProgress());

// Computes the cells of the rows RebuildTable made (one per main item) and
// the "Data for:" text. Cancelled, it stops between rows (kCancelled) and
// the rows not reached are left empty.
ReportOutcome FillTable(ZAVFieldManager& store, const ReportRequest& request, ReportTable& table,
                        Progress& progress = NoProgress());

// The notes of one computed row's cells, as FillTable gives them when the
// request asks for notes. A page showing a wide table asks for them a row
// at a time when they are shown: notes for every cell cost more than the
// table itself.
std::vector<CellNote> RowNotes(ZAVFieldManager& store, const ReportRequest& request,
                               const ReportRow& row);

// The question asked before more than 500 intervals are computed ("There
// are n time points.  Continue?"); true to go on.
bool ConfirmIntervalCount(UserInterface& ui, int count);

// The text of the header's first cell.
const char* MainListTitle(int mainListKind);

}  // namespace zav
