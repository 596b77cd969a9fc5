// The report's export texts, built without any window: the tab-delimited
// table file (plain or transposed), the time series for the water-quality
// model, and the clipboard text of the table. Files end lines with CR LF.
// The Write/Put helpers hand a text to a file or the clipboard and show the
// program's message when that fails.
#pragma once

#include <string>

#include "analysis/ReportBuilder.h"
#include "analysis/ReportRequest.h"
#include "analysis/ReportTable.h"

namespace zav {

class UserInterface;
class ZAVFieldManager;

// The table as it stands: the header line when there are item rows, then
// one line per row. An empty table gives an empty text.
std::string TableFileText(const ReportTable& table);

// Transposed, for a main list of parameters: the row names across, then one
// line per interval.
std::string TransposedTableText(const ReportTable& table);

// Transposed, for a main list of stations: the blocks "Min", "Max" and
// "Mean", computed afresh from the store for the request's stations; the
// names and labels written are those of this computation.
ReportOutcome TransposedStationsText(ZAVFieldManager& store, const ReportRequest& request,
                                     std::string& text);

// The transposed file for the request's main-list kind.
ReportOutcome TransposedFileText(ZAVFieldManager& store, const ReportRequest& request,
                                 const ReportTable& table, std::string& text);

// Daily means of one station and parameter with the gaps between them:
// "mean TAB gap TAB" per day with data, no line end. False (after the
// message) unless exactly one main item and a second item are selected.
bool BuildTimeseriesText(ZAVFieldManager& store, const ReportRequest& request, std::string& text);

// Cells joined by TAB, rows by a line feed, nothing after the last row.
std::string ClipboardText(const ReportTable& table);

// Writing what the texts above give; false after the message.
bool WriteTableFile(UserInterface& ui, const std::string& path, const std::string& text);
bool WriteTimeseriesFile(UserInterface& ui, const std::string& path, const std::string& text);
bool PutTimeseriesOnClipboard(UserInterface& ui, const std::string& text);

// A row name as the transposed files write it: the text before "|||".
std::string TransposedRowName(const std::string& name);

}  // namespace zav
