// AnalysisSettings: what the availability page reads from its controls before
// every computation (which list is the main one, availability or values,
// the date span, the interval unit and step, gap filling, the threshold,
// the statistic and its options),
// and the span, counts and grid that follow from them.
#pragma once

#include "analysis/Statistic.h"
#include "core/IntervalGrid.h"
#include "core/KTRTime.h"

namespace zav {

enum MainListKind { kMainStations = 0, kMainParameters = 1 };
enum DataType { kDataAvailability = 0, kDataValues = 1 };
// The page offers the first two; every point of the series and the heat map
// of availability are asked for from the graph menu or zav-cli plot.
enum PlotStyle { kPlotMaxMeanMin = 0, kPlotMean = 1, kPlotPoints = 2, kPlotHeatMap = 3 };

struct AnalysisSettings {
    int mainListKind = kMainStations;
    int dataType = kDataValues;
    int plotStyle = kPlotMaxMeanMin;
    // Calendar dates: year, month 1..12, day 1..31.
    int startYear = 0;
    int startMonth = 1;
    int startDay = 1;
    int endYear = 0;
    int endMonth = 1;
    int endDay = 1;
    int unit = kYears;  // IntervalUnit
    int every = 1;
    bool fillGaps = false;
    bool thresholdOn = false;
    float threshold = 0.0f;
    // The statistic, coverage, year and filling choices; at their defaults
    // the report is the page's own.
    StatisticsOptions statistics;

    // Start day at 00:00:00 and end day at 23:59:59.
    KTRTime SpanStart() const;
    KTRTime SpanEnd() const;
    // Calendar units touched by the span; 0 when it ends before it starts.
    int UnitCount() const;
    // Ceiling of UnitCount / every; 0 when every is below 1.
    int IntervalCount() const;
    IntervalGrid Grid() const;
    // The grid with years from January: the intervals of the page's own
    // minima, maxima and means (IntervalStatistics), which the graphs of
    // values and the Min, Max and Mean blocks show.
    IntervalGrid CalendarGrid() const;
    // A main list of parameters always reports availability.
    bool ReportsValues() const { return mainListKind == kMainStations && dataType == kDataValues; }
};

}  // namespace zav
