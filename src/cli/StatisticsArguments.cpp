#include "cli/StatisticsArguments.h"

#include <cctype>
#include <cstdlib>

#include "core/Calendar.h"

namespace zav::cli {

const std::vector<std::string> kStatisticsValueOptions = {"--stat", "--expected-step",
                                                          "--min-coverage", "--year-start"};

namespace {

const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};

// 1 to 12, or a month's first three letters in any case.
bool ParseMonth(const std::string& text, int& month) {
    if (ParseWholeInt(text, month)) {
        return month >= 1 && month <= 12;
    }
    std::string lower;
    for (char c : text) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (int m = 0; m < 12; ++m) {
        if (lower == kMonths[m]) {
            month = m + 1;
            return true;
        }
    }
    return false;
}

bool ParsePercent(const std::string& text, double& percent) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) {
        return false;
    }
    char* end = nullptr;
    percent = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && percent >= 0.0 && percent <= 100.0;
}

}  // namespace

std::string ReadStatisticsOptions(const Arguments& args, StatisticsOptions& options) {
    if (auto name = args.Value("--stat")) {
        auto statistic = StatisticFromName(*name);
        if (!statistic) {
            return "--stat takes " + StatisticNames();
        }
        options.statistic = *statistic;
    }
    if (auto step = args.Value("--expected-step")) {
        auto seconds = ParseStep(*step);
        if (!seconds) {
            return "--expected-step takes a step such as 15min, 1h or 1d";
        }
        options.expectedStep = *seconds;
    }
    if (auto percent = args.Value("--min-coverage");
        percent && !ParsePercent(*percent, options.minCoverage)) {
        return "--min-coverage takes a percentage from 0 to 100";
    }
    if (auto month = args.Value("--year-start");
        month && !ParseMonth(*month, options.yearStartMonth)) {
        return "--year-start takes a month: 1 to 12, or jan to dec";
    }
    return std::string();
}

}  // namespace zav::cli
