// The CSV importer. Option bytes at the front choose the delimiter, the
// decimal mark, the shape (long: station, parameter and units from columns;
// wide: one value column per parameter), the time columns and format, the
// UTC offset, the censored rule, the remark codes that mask and skip-bad;
// columns are picked among the first eight of the header, by their header
// text or their position. The rest is the file. What is read must account
// for every value cell, hold the values an independent reading of the
// cells gives, come back the same through the CSV export, and be the same
// when the text is read from a file in small pieces (the last option byte
// gives their size).
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "io/CsvImport.h"
#include "io/DataExport.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

using namespace zav;

namespace {

constexpr char kDelimiters[] = {0, ',', ';', '\t', '|'};
const char* const kTimeFormats[] = {"",         "auto",     "%Y-%m-%d %H:%M:%S", "%d.%m.%Y %H:%M",
                                    "%m/%d/%y", "%d %b %Y", "%Y%m%d%H%M",        "%H:%M %Y-%m-%d"};
constexpr int kOffsets[] = {0, -300, 60, 330, -720, 840};
const std::vector<std::string> kMaskRemarks[] = {{}, {"P", "E"}, {"<"}, {"EST"}};

// A column among the first eight: its header text or its position.
std::string Column(fuzz::OptionBytes& options, const std::vector<std::string>& header) {
    const uint8_t byte = options.Next();
    const size_t index = byte & 7;
    if ((byte & 8) != 0 && index < header.size()) {
        return header[index];
    }
    return std::to_string(index + 1);
}

CsvImportOptions ImportOptions(fuzz::OptionBytes& options, const std::string& text) {
    CsvImportOptions o;
    o.delimiter = kDelimiters[options.Pick(5)];
    const uint8_t flags = options.Next();
    o.decimalComma = (flags & 1) != 0;
    const bool wide = (flags & 2) != 0;
    o.skipBad = (flags & 4) != 0;
    const bool twoTimeColumns = (flags & 8) != 0;
    const bool fixedStation = (flags & 16) != 0;
    const bool fixedParameter = (flags & 32) != 0;
    const int unitsFrom = (flags >> 6) % 3;  // none, fixed, a column
    o.timeFormat = kTimeFormats[options.Pick(8)];
    o.utcOffsetMinutes = kOffsets[options.Pick(6)];
    o.censored = static_cast<CensoredRule>(options.Pick(4));
    o.maskRemarks = kMaskRemarks[options.Pick(4)];
    const bool maskColumn = options.Pick(4) == 0;

    const std::vector<std::string> header = ReadCsvHeader(text, o.delimiter).header;
    o.timeColumns.push_back(Column(options, header));
    if (twoTimeColumns) {
        o.timeColumns.push_back(Column(options, header));
    }
    if (fixedStation) {
        o.station = "Station";
    } else {
        o.stationColumn = Column(options, header);
    }
    if (!wide) {
        if (fixedParameter) {
            o.parameter = "Parameter";
        } else {
            o.parameterColumn = Column(options, header);
        }
    }
    if (unitsFrom == 1) {
        o.units = "mg/l";
    } else if (unitsFrom == 2) {
        o.unitsColumn = Column(options, header);
    }
    if (maskColumn) {
        o.maskColumn = Column(options, header);
    }
    const int values = wide ? 1 + options.Pick(3) : 1;
    for (int k = 0; k < values; ++k) {
        o.valueColumns.push_back(Column(options, header));
        o.remarkColumns.push_back(options.Pick(3) == 0 ? "-" : Column(options, header));
    }
    return o;
}

// The number of a stored cell, read with strtod: the whole cell, after a
// '<' and with a decimal comma made a point, is the number.
double ModelValue(std::string_view cell, const CsvImportOptions& options) {
    std::string text(TrimView(cell));
    if (!text.empty() && text.front() == '<') {
        text = std::string(TrimView(std::string_view(text).substr(1)));
    }
    if (options.decimalComma) {
        for (char& c : text) {
            c = c == ',' ? '.' : c;
        }
    }
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    ZAV_FUZZ_CHECK(!text.empty() && end == text.c_str() + text.size() && std::isfinite(value),
                   "the stored cell '" + std::string(cell) + "' is no whole number to strtod");
    return value;
}

// One scratch file per process, in memory where the system offers it.
struct ScratchFile {
    std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                       "/zav-fuzz-csv-" + std::to_string(::getpid()) + ".csv";
    ~ScratchFile() { std::remove(path.c_str()); }
};

// The text read from a file in pieces of `pieceSize` bytes gives the same
// series and the same account as the text read whole.
void CheckFileInPieces(const std::string& text, size_t pieceSize, const CsvImportOptions& options,
                       const ZAVFieldManager& store, const DataSource& whole,
                       const ImportReport& wholeReport) {
    static const ScratchFile scratch;
    std::FILE* out = std::fopen(scratch.path.c_str(), "wb");
    if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
        std::fclose(out) != 0) {
        fuzz::Fail("the scratch file is written", scratch.path);
    }
    InputFile file;
    ZAV_FUZZ_CHECK(file.Open(scratch.path) == ReadResult::kOk, scratch.path);
    DataSource pieces;
    ImportReport report;
    report.StartInput("pieces");
    ZAV_FUZZ_CHECK(ReadCsvFile(pieces, file, options, store, report, pieceSize).empty(),
                   "the columns are refused in pieces of " + std::to_string(pieceSize));
    ZAV_FUZZ_CHECK(!file.Failed(), "the file read fails");
    const std::string where = "in pieces of " + std::to_string(pieceSize);
    for (size_t r = 0; r < kSkipRuleCount; ++r) {
        const SkipRule rule = static_cast<SkipRule>(r);
        ZAV_FUZZ_CHECK(report.Count(rule) == wholeReport.Count(rule),
                       where + ": " + SkipRuleText(rule) + " " +
                           std::to_string(report.Count(rule)) + " times, read whole " +
                           std::to_string(wholeReport.Count(rule)));
    }
    ZAV_FUZZ_CHECK(pieces.series.size() == whole.series.size(), where + ": series count");
    for (size_t k = 0; k < whole.series.size(); ++k) {
        const DataSeries& a = whole.series[k];
        const DataSeries& b = pieces.series[k];
        ZAV_FUZZ_CHECK(a.StationName() == b.StationName() &&
                           a.ParameterName() == b.ParameterName() && a.Units() == b.Units() &&
                           a.Times() == b.Times() && a.Masks() == b.Masks() &&
                           a.Values().size() == b.Values().size(),
                       where + ": series " + std::to_string(k));
        for (size_t i = 0; i < a.Size(); ++i) {
            ZAV_FUZZ_CHECK(
                fuzz::SameBits(a.Value(i), b.Value(i)),
                where + ": series " + std::to_string(k) + ", point " + std::to_string(i));
        }
    }
}

using PointKey = std::tuple<std::string, std::string, std::string, std::string>;

// Every outcome the preview shows is one a cell came to: stored points and
// the report's counts together are all of them, rule by rule.
void CheckAccount(const CsvPreview& preview, const DataSource& source, const ImportReport& report) {
    std::map<PointKey, int> stored;
    for (const CsvPreview::Row& row : preview.rows) {
        if (row.stored) {
            ++stored[{row.station, row.parameter, row.time, row.value}];
        }
    }
    size_t points = 0;
    for (const DataSeries& series : source.series) {
        points += series.Size();
        for (size_t i = 0; i < series.Size(); ++i) {
            const CalendarFields f = series.Time(i).Fields();
            const std::string time = Format("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day,
                                            f.hour, f.minute, f.second);
            const PointKey key{series.StationName(), series.ParameterName(), time,
                               FormatExact(series.Value(i))};
            ZAV_FUZZ_CHECK(stored[key]-- > 0, series.StationName() + " / " +
                                                  series.ParameterName() + " at " + time +
                                                  ": a point no cell gave");
        }
    }
    const size_t outcomes = preview.rows.size();
    ZAV_FUZZ_CHECK(points + report.Skipped() == outcomes,
                   std::to_string(points) + " points stored and " +
                       std::to_string(report.Skipped()) + " cells reported of " +
                       std::to_string(outcomes) + " value cells");
}

// The stored outcomes hold what strtod reads in their cells.
void CheckValues(const CsvPreview& preview, const CsvImportOptions& options) {
    for (const CsvPreview::Row& row : preview.rows) {
        if (!row.stored) {
            continue;
        }
        // A '<' before the number, or in a paired remark, marks it censored,
        // which the rule may halve or make zero.
        const double model = ModelValue(row.cell, options);
        const double value = std::strtod(row.value.c_str(), nullptr);
        const bool same =
            fuzz::SameBits(value, model) ||
            (options.censored == CensoredRule::kHalf && fuzz::SameBits(value, model / 2)) ||
            (options.censored == CensoredRule::kZero && value == 0);
        ZAV_FUZZ_CHECK(same, "line " + std::to_string(row.line) + ", column " +
                                 std::to_string(row.column) + ": the cell '" + row.cell +
                                 "' was stored as " + row.value);
    }
}

// Exported as tidy CSV and imported again, the points come back the same.
void CheckExportRoundTrip(const ZAVFieldManager& store) {
    std::string error;
    const std::vector<ExportSeries> selection =
        SelectExportSeries(store, DataExportOptions(), error);
    ZAV_FUZZ_CHECK(error.empty(), error);
    const std::string csv = TidyCsvText(selection);
    CsvImportOptions back;
    back.delimiter = ',';
    back.timeColumns = {"time"};
    back.stationColumn = "station";
    back.parameterColumn = "parameter";
    back.unitsColumn = "units";
    back.valueColumns = {"value"};
    back.maskColumn = "mask";
    fuzz::QuietUserInterface ui;
    ZAVFieldManager empty(ui);
    DataSource again;
    ImportReport report;
    report.StartInput("export");
    ZAV_FUZZ_CHECK(ReadCsvText(again, csv, back, empty, report).empty(), csv);
    ZAV_FUZZ_CHECK(report.Skipped() == 0, "the export reads back with " +
                                              std::to_string(report.Skipped()) +
                                              " cells not stored:\n" + csv);
    std::vector<const DataSeries*> before;
    for (const ExportSeries& s : selection) {
        if (s.last > s.first) {
            before.push_back(s.series);
        }
    }
    ZAV_FUZZ_CHECK(before.size() == again.series.size(),
                   std::to_string(before.size()) + " series came back as " +
                       std::to_string(again.series.size()) + ":\n" + csv);
    for (size_t k = 0; k < before.size(); ++k) {
        const DataSeries& a = *before[k];
        const DataSeries& b = again.series[k];
        const std::string where = "series " + std::to_string(k) + " (" + a.StationName() + " / " +
                                  a.ParameterName() + ")";
        ZAV_FUZZ_CHECK(a.StationName() == b.StationName() &&
                           a.ParameterName() == b.ParameterName() && a.Units() == b.Units(),
                       where + " came back as " + b.StationName() + " / " + b.ParameterName());
        ZAV_FUZZ_CHECK(a.Size() == b.Size(), where + ": " + std::to_string(a.Size()) +
                                                 " points came back as " +
                                                 std::to_string(b.Size()));
        for (size_t i = 0; i < a.Size(); ++i) {
            ZAV_FUZZ_CHECK(a.Time(i) == b.Time(i) && fuzz::SameBits(a.Value(i), b.Value(i)) &&
                               a.Mask(i) == b.Mask(i),
                           where + ", point " + std::to_string(i) + ": " + FormatExact(a.Value(i)) +
                               " came back as " + FormatExact(b.Value(i)));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OptionBytes options(data, size);
    // The text starts after the most option bytes any choice takes.
    constexpr size_t kOptionBytes = 24;
    const size_t skip = size < kOptionBytes ? size : kOptionBytes;
    const std::string text(reinterpret_cast<const char*>(data) + skip, size - skip);
    const CsvImportOptions importOptions = ImportOptions(options, text);
    if (!CheckCsvOptions(importOptions).empty()) {
        return 0;
    }
    fuzz::QuietUserInterface ui;
    ZAVFieldManager store(ui);
    DataSource source;
    ImportReport report;
    report.StartInput("fuzz");
    if (!ReadCsvText(source, text, importOptions, store, report).empty()) {
        ZAV_FUZZ_CHECK(source.series.empty() && report.Skipped() == 0,
                       "columns refused, yet something was read");
        return 0;
    }
    const CsvPreview preview = PreviewCsv(text, importOptions, store, static_cast<size_t>(-1));
    ZAV_FUZZ_CHECK(preview.error.empty(), "the preview refuses what the import read");
    CheckAccount(preview, source, report);
    CheckValues(preview, importOptions);
    const size_t pieceSize = 1 + (size > kOptionBytes - 1 ? data[kOptionBytes - 1] % 64 : 0);
    CheckFileInPieces(text, pieceSize, importOptions, store, source, report);
    for (const DataSeries& series : source.series) {
        for (size_t i = 1; i < series.Size(); ++i) {
            ZAV_FUZZ_CHECK(series.Time(i - 1) < series.Time(i),
                           series.StationName() + ": points out of order or at one time");
        }
    }
    source.fileName = "fuzz.csv";
    if (store.AddSource(std::move(source)) == 1) {
        CheckExportRoundTrip(store);
    }
    return 0;
}
