// The selection of a report or a graph from zav-cli's options, as the
// availability page makes it from its lists and boxes: --main, --items,
// --item, --other, --start, --end, --unit, --every, --values and
// --fill-gaps. Defined beside zav-cli report, which they came from.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "analysis/ReportRequest.h"
#include "cli/CliCommon.h"

namespace zav {
class ZAVFieldManager;
}

namespace zav::cli {

// Reads the options into a request; an error text (naming `command` where
// an option is missing) when they do not make one. Also refuses
// --transpose with --timeseries, which only report takes.
std::string ReadSelection(const Arguments& args, const char* command, ReportRequest& request);

// Names each name of the selection that the project has neither as a name
// nor as an aggregate's alias; true when there was one. Left to the report,
// such a name gave a row of dashes, as if the station had no data.
bool ReportUnknownNames(const ZAVFieldManager& store, const ReportRequest& request,
                        std::ostream& err);

// Opens the project and checks the selection's names against it; nullptr
// (after the message) when it cannot be read or a name is unknown.
std::unique_ptr<CZAVDoc> OpenForSelection(UserInterface& ui, const std::string& path,
                                          const ReportRequest& request, std::ostream& err);

}  // namespace zav::cli
