// Data export: a project's points as files that other tools read directly.
// Tidy CSV has one row per point (station,parameter,units,time,value,mask)
// and reads back through the CSV import; netCDF follows the CF conventions
// for time series (one feature per series, contiguous ragged arrays).
// Values are written as stored, or with --scaled as reports show them.
#pragma once

#include <string>
#include <vector>

#include "core/KTRTime.h"
#include "core/Progress.h"

namespace zav {

class DataSeries;
class ZAVFieldManager;

struct DataExportOptions {
    std::vector<std::string> stations;    // by their own names; empty: all
    std::vector<std::string> parameters;  // likewise
    KTRTime start;                        // invalid: from the first point
    KTRTime end;                          // invalid: to the last point (included)
    bool scaled = false;                  // series scaling and units conversion applied
};

// One series as exported: the points from `first` up to `last` (excluded),
// their values (converted when scaled) and the units they are in.
struct ExportSeries {
    const DataSeries* series = nullptr;
    size_t first = 0;
    size_t last = 0;
    std::vector<double> values;  // indexed like the series' points
    std::string units;
};

// The series the options select, in the store's order; "" in `error`, or
// the names that are neither a station nor a parameter of the project.
std::vector<ExportSeries> SelectExportSeries(const ZAVFieldManager& store,
                                             const DataExportOptions& options, std::string& error);

// ISO 8601 with a 'T': "2024-05-17T08:30:00".
std::string IsoTime(const KTRTime& time);

// The tidy CSV text of the selection: LF line ends, values in the shortest
// form that reads back exactly, fields quoted where the import would
// otherwise read them differently. Reports series by series through
// `progress`; cancelled, it stops and gives an empty text.
std::string TidyCsvText(const std::vector<ExportSeries>& selection,
                        Progress& progress = NoProgress());

// Writes the selection to `path` as netCDF; false with `error` set when it
// cannot (the old file, if any, is then left as it was). Cancelled through
// `progress`, it stops between series, leaves the old file and no
// temporary, and returns false with `error` empty.
bool WriteNetcdf(const std::vector<ExportSeries>& selection, const std::string& path,
                 std::string& error, Progress& progress = NoProgress());

// Writes the selection to `path`, as netCDF or tidy CSV, the way zav-cli
// export and the desktop's Export Data both do: false with `error` set (or
// empty for a file that could not be written) when it could not. Cancelled,
// the old file is left as it was, no temporary remains, and it returns
// false with `error` empty.
bool WriteExportFile(const std::vector<ExportSeries>& selection, const std::string& path,
                     bool asNetcdf, std::string& error, Progress& progress = NoProgress());

// Whether this build can write netCDF.
bool NetcdfAvailable();

// Counts of what an export wrote.
struct ExportCounts {
    size_t series = 0;
    size_t points = 0;
};
ExportCounts CountExport(const std::vector<ExportSeries>& selection);

}  // namespace zav
