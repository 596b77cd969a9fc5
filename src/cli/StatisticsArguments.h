// The statistics options that "report" and "summary" share (--stat,
// --expected-step, --min-coverage, --year-start, and for the report the
// filling options), read into the analysis layer's StatisticsOptions.
#pragma once

#include <string>

#include "analysis/Statistic.h"
#include "cli/CliCommon.h"

namespace zav::cli {

// The value options read here, for a command's Arguments.
extern const std::vector<std::string> kStatisticsValueOptions;

// Fills `options` from the arguments; an error text when a value is not
// one the option takes. --max-gap and --mark-filled are the report's.
std::string ReadStatisticsOptions(const Arguments& args, StatisticsOptions& options);

}  // namespace zav::cli
