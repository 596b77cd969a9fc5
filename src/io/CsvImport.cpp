#include "io/CsvImport.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <unordered_map>

#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CsvRecords.h"
#include "io/CsvTime.h"
#include "io/InputCells.h"
#include "io/Spreadsheet.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

std::string_view CellAt(const std::vector<std::string_view>& fields, size_t column) {
    return column < fields.size() ? fields[column] : std::string_view();
}

// The column type line of agency tab-delimited files ("5s", "15s", "20d",
// "14n" under each header cell): digits then one letter, in every field.
bool IsColumnTypeLine(const std::vector<std::string_view>& fields) {
    for (std::string_view field : fields) {
        if (field.size() < 2 || !std::isalpha(static_cast<unsigned char>(field.back()))) {
            return false;
        }
        for (size_t i = 0; i + 1 < field.size(); ++i) {
            if (field[i] < '0' || field[i] > '9') {
                return false;
            }
        }
    }
    return !fields.empty();
}

// A number cell under the file's decimal mark. With a decimal comma a point
// is no number at all, since it would be a thousands mark to some writers.
bool ReadCsvNumber(std::string_view cell, bool decimalComma, double& value) {
    if (!decimalComma) {
        return ReadNumberCell(cell, value);
    }
    char buffer[64];
    if (cell.size() >= sizeof buffer || cell.find('.') != std::string_view::npos) {
        return false;
    }
    std::copy(cell.begin(), cell.end(), buffer);
    std::replace(buffer, buffer + cell.size(), ',', '.');
    return ReadNumberCell(std::string_view(buffer, cell.size()), value);
}

// A remark carries a code when it is the code, or holds a one-character
// code among its characters ("<E" is both below the limit and estimated).
bool RemarkHas(std::string_view remark, std::string_view code) {
    return remark == code || (code.size() == 1 && remark.find(code[0]) != std::string_view::npos);
}

// A parameter the project does not know, with no units given, gets the
// units the spreadsheet import gives it, which the Units page can rename.
std::string ProjectUnits(const ZAVFieldManager& store, const std::string& parameter) {
    return store.ParameterExists(parameter) ? store.GetParameterUnits(parameter)
                                            : SpreadsheetOptions().units;
}

// The rows of a file as outcomes, one per value cell.
class CsvRowReader {
public:
    CsvRowReader(std::string_view text, const CsvImportOptions& options)
        : m_records(text),
          m_options(options),
          m_times(options.timeFormat, options.utcOffsetMinutes) {}
    CsvRowReader(InputFile& file, size_t pieceSize, const CsvImportOptions& options)
        : m_records(file, pieceSize),
          m_options(options),
          m_times(options.timeFormat, options.utcOffsetMinutes) {}

    std::string Open();
    bool NextRow(std::vector<CsvOutcome>& out);
    char Delimiter() const { return m_delimiter; }
    const std::vector<std::string>& Header() const { return m_header; }
    size_t Position() const { return m_records.Position(); }

private:
    std::string Find(const std::string& name, size_t& column) const;
    std::string FindOptional(const std::string& name, size_t& column) const;
    std::string_view TimeText(const std::vector<std::string_view>& fields);
    void ReadValue(const std::vector<std::string_view>& fields, size_t k, CsvOutcome& o) const;
    bool ReadMarks(const std::vector<std::string_view>& fields, size_t k, CsvOutcome& o,
                   bool& censored) const;

    CsvRecords m_records;
    const CsvImportOptions& m_options;
    CsvTimeReader m_times;
    char m_delimiter = ',';
    std::vector<std::string> m_header;
    std::vector<size_t> m_timeColumns;
    size_t m_stationColumn = kNone;
    size_t m_parameterColumn = kNone;
    size_t m_unitsColumn = kNone;
    size_t m_maskColumn = kNone;
    std::vector<size_t> m_valueColumns;
    std::vector<size_t> m_remarkColumns;
    bool m_pending = false;  // the record after the header is a data row
    std::string m_joinedTime;
};

std::string CsvRowReader::Find(const std::string& name, size_t& column) const {
    auto it = std::find(m_header.begin(), m_header.end(), name);
    if (it != m_header.end()) {
        column = static_cast<size_t>(it - m_header.begin());
        return "";
    }
    int position = 0;
    size_t pos = 0;
    if (ExtractInt(name, pos, position) && pos == name.size() && position >= 1 &&
        static_cast<size_t>(position) <= m_header.size()) {
        column = static_cast<size_t>(position - 1);
        return "";
    }
    std::string known;
    for (const std::string& h : m_header) {
        known += (known.empty() ? "" : ", ") + h;
    }
    return "no column '" + name + "' in the header (" + known + ")";
}

std::string CsvRowReader::FindOptional(const std::string& name, size_t& column) const {
    column = kNone;
    return name.empty() || name == "-" ? "" : Find(name, column);
}

std::string CsvRowReader::Open() {
    if (std::string error = CheckCsvOptions(m_options); !error.empty()) {
        return error;
    }
    m_delimiter = m_options.delimiter != 0 ? m_options.delimiter : m_records.DetectDelimiter();
    m_records.SetDelimiter(m_delimiter);
    if (!m_records.Next()) {
        return "no header line";
    }
    for (std::string_view field : m_records.Fields()) {
        m_header.emplace_back(field);
    }
    m_pending = m_records.Next() && !IsColumnTypeLine(m_records.Fields());
    std::string error;
    for (const std::string& name : m_options.timeColumns) {
        m_timeColumns.push_back(kNone);
        error = error.empty() ? Find(name, m_timeColumns.back()) : error;
    }
    for (size_t k = 0; k < m_options.valueColumns.size(); ++k) {
        m_valueColumns.push_back(kNone);
        m_remarkColumns.push_back(kNone);
        error = error.empty() ? Find(m_options.valueColumns[k], m_valueColumns.back()) : error;
        if (k < m_options.remarkColumns.size() && error.empty()) {
            error = FindOptional(m_options.remarkColumns[k], m_remarkColumns.back());
        }
    }
    for (auto [name, column] : {std::pair{&m_options.stationColumn, &m_stationColumn},
                                {&m_options.parameterColumn, &m_parameterColumn},
                                {&m_options.unitsColumn, &m_unitsColumn},
                                {&m_options.maskColumn, &m_maskColumn}}) {
        error = error.empty() ? FindOptional(*name, *column) : error;
    }
    return error;
}

std::string_view CsvRowReader::TimeText(const std::vector<std::string_view>& fields) {
    if (m_timeColumns.size() == 1) {
        return CellAt(fields, m_timeColumns[0]);
    }
    m_joinedTime.clear();
    for (size_t column : m_timeColumns) {
        m_joinedTime += m_joinedTime.empty() ? "" : " ";
        m_joinedTime += CellAt(fields, column);
    }
    return m_joinedTime;
}

bool CsvRowReader::NextRow(std::vector<CsvOutcome>& out) {
    if (!m_pending && !m_records.Next()) {
        return false;
    }
    m_pending = false;
    out.clear();
    const std::vector<std::string_view>& fields = m_records.Fields();
    CsvOutcome row;
    row.line = m_records.Line();
    row.cell = TimeText(fields);
    row.column = m_timeColumns[0] + 1;
    row.time = m_times.Read(row.cell);
    if (!row.time.IsValid()) {
        row.rule = SkipRule::kUnreadableTime;
        out.push_back(row);
        return true;
    }
    row.station = m_options.station;
    if (m_stationColumn != kNone) {
        row.station = CellAt(fields, m_stationColumn);
        if (row.station.empty()) {
            row.rule = SkipRule::kNoStation;
            row.column = m_stationColumn + 1;
            row.cell = m_records.Text();
            out.push_back(row);
            return true;
        }
    }
    for (size_t k = 0; k < m_valueColumns.size(); ++k) {
        out.push_back(row);
        ReadValue(fields, k, out.back());
    }
    return true;
}

void CsvRowReader::ReadValue(const std::vector<std::string_view>& fields, size_t k,
                             CsvOutcome& o) const {
    o.column = m_valueColumns[k] + 1;
    o.cell = CellAt(fields, m_valueColumns[k]);
    o.parameter = !m_options.parameter.empty() ? std::string_view(m_options.parameter)
                  : m_parameterColumn != kNone ? CellAt(fields, m_parameterColumn)
                                               : std::string_view(m_header[m_valueColumns[k]]);
    o.units =
        m_unitsColumn != kNone ? CellAt(fields, m_unitsColumn) : std::string_view(m_options.units);
    o.unitsFromProject = o.units.empty();
    if (o.cell.empty()) {
        o.rule = SkipRule::kEmptyCell;
        return;
    }
    if (o.parameter.empty()) {
        o.rule = SkipRule::kNoParameter;
        return;
    }
    std::string_view number = o.cell;
    bool censored = number.front() == '<';
    if (censored) {
        number = TrimView(number.substr(1));
    }
    if (!ReadCsvNumber(number, m_options.decimalComma, o.value)) {
        o.rule = SkipRule::kNotANumber;
        return;
    }
    if (!ReadMarks(fields, k, o, censored)) {
        return;
    }
    if (censored) {
        switch (m_options.censored) {
            case CensoredRule::kSkip:
                o.rule = SkipRule::kCensored;
                return;
            case CensoredRule::kLimit:
                break;
            case CensoredRule::kHalf:
                o.value /= 2;
                break;
            case CensoredRule::kZero:
                o.value = 0;
                break;
        }
    }
    o.stored = true;
}

// The remark and mask cells of value k: whether the value is censored and
// what its mask is. False (with the outcome's rule) when the mask cell is
// not a whole number.
bool CsvRowReader::ReadMarks(const std::vector<std::string_view>& fields, size_t k, CsvOutcome& o,
                             bool& censored) const {
    if (m_maskColumn != kNone) {
        const std::string_view cell = CellAt(fields, m_maskColumn);
        int64_t mask = 0;
        if (!cell.empty() &&
            (!ScanIntegerCell(cell, mask) || mask < INT32_MIN || mask > INT32_MAX)) {
            o.rule = SkipRule::kNotANumber;
            o.column = m_maskColumn + 1;
            o.cell = cell;
            return false;
        }
        o.mask = static_cast<int32_t>(mask);
    }
    if (m_remarkColumns[k] == kNone) {
        return true;
    }
    const std::string_view remark = CellAt(fields, m_remarkColumns[k]);
    censored = censored || (!remark.empty() && remark.front() == '<');
    for (const std::string& code : m_options.maskRemarks) {
        if (o.mask == 0 && !code.empty() && RemarkHas(remark, code)) {
            o.mask = 1;
        }
    }
    return true;
}

// The points of one series while the file is read. Files mostly run in
// time order: each point then goes straight into the series, and a second
// value at the time just stored is reported at once. Once a time goes back,
// the points so far and the rest wait here, each with where it came from,
// to be sorted when the file is done.
struct SeriesBuild {
    struct Place {
        uint32_t line;
        uint32_t column;
    };
    std::vector<KTRTime> times;
    std::vector<double> values;
    std::vector<int32_t> masks;
    std::vector<Place> places;
    bool ordered = true;

    void Add(DataSeries& series, const CsvOutcome& o, ImportReport& report) {
        if (ordered) {
            if (series.Empty() || series.Times().back() < o.time) {
                series.AppendPoint(o.time, o.value, o.mask);
                return;
            }
            if (series.Times().back() == o.time) {
                const SkipRule rule = SkipRule::kRepeatedTime;
                report.Skip(rule, o.line, o.column,
                            report.WantsPlace(rule) ? FormatExact(o.value) : std::string());
                return;
            }
            // The points so far are in order and at distinct times, so none
            // of them is ever the one reported: their places are not needed.
            ordered = false;
            times = series.Times();
            values = series.Values();
            masks = series.Masks();
            places.assign(times.size(), Place{0, 0});
        }
        times.push_back(o.time);
        values.push_back(o.value);
        masks.push_back(o.mask);
        places.push_back(Place{static_cast<uint32_t>(o.line), static_cast<uint32_t>(o.column)});
    }

    // Puts the points held back into `series` in time order; of points at
    // one time the first in the file is kept and the others reported.
    void Finish(DataSeries& series, ImportReport& report) {
        if (ordered) {
            return;
        }
        std::vector<size_t> order(times.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return times[a] < times[b]; });
        DataSeries sorted;
        sorted.SetStationName(series.StationName());
        sorted.SetParameterName(series.ParameterName());
        sorted.SetUnits(series.Units());
        sorted.Reserve(times.size());
        std::vector<char> repeated(times.size(), 0);
        for (size_t n = 0; n < order.size(); ++n) {
            const size_t i = order[n];
            if (n > 0 && times[i] == times[order[n - 1]]) {
                repeated[i] = 1;
                continue;
            }
            sorted.AppendPoint(times[i], values[i], masks[i]);
        }
        series = std::move(sorted);
        // Reported in the order of the file, as the points in order are.
        for (size_t i = 0; i < times.size(); ++i) {
            if (repeated[i] != 0) {
                report.Skip(SkipRule::kRepeatedTime, places[i].line, places[i].column,
                            FormatExact(values[i]));
            }
        }
    }
};

// Finds or makes the series of each station and parameter; each value
// column remembers its last one, since files run in blocks of one series.
class SeriesFinder {
public:
    SeriesFinder(DataSource& source, const ZAVFieldManager& store, size_t columns)
        : m_source(source), m_store(store), m_last(columns) {}

    size_t Find(size_t column, const CsvOutcome& o) {
        Last& last = m_last[column];
        if (last.index != kNone && last.station == o.station && last.parameter == o.parameter) {
            return last.index;
        }
        last.station = o.station;
        last.parameter = o.parameter;
        // The station's length leads, so that no two pairs of names make
        // one key whatever characters the names hold.
        std::string key = std::to_string(last.station.size()) + ':' + last.station;
        key += last.parameter;
        auto [it, added] = m_index.emplace(std::move(key), m_source.series.size());
        if (added) {
            DataSeries series;
            series.SetStationName(last.station);
            series.SetParameterName(last.parameter);
            series.SetUnits(o.unitsFromProject ? ProjectUnits(m_store, last.parameter)
                                               : std::string(o.units));
            // Files written series after series give each about as many
            // points as the one before; in files that mix their series the
            // one before has few yet. Room made and not used is given back
            // at the end (see TrimSpare).
            if (!m_source.series.empty()) {
                series.Reserve(m_source.series.back().Size());
            }
            m_source.series.push_back(std::move(series));
            m_builds.emplace_back();
        }
        last.index = it->second;
        return last.index;
    }

    std::vector<SeriesBuild>& Builds() { return m_builds; }

private:
    struct Last {
        std::string station;
        std::string parameter;
        size_t index = kNone;
    };
    DataSource& m_source;
    const ZAVFieldManager& m_store;
    std::vector<Last> m_last;
    std::unordered_map<std::string, size_t> m_index;
    std::vector<SeriesBuild> m_builds;
};

// A series that took far less room than it was given, as when a file's
// series are not of one length, gives the rest back.
void TrimSpare(DataSeries& series) {
    if (series.Size() < series.Times().capacity() / 2) {
        series.ShrinkToFit();
    }
}

std::string IsoTimeText(const KTRTime& time) {
    const CalendarFields f = time.Fields();
    return Format("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
}

}  // namespace

std::string CheckCsvOptions(const CsvImportOptions& options) {
    if (options.timeColumns.empty()) {
        return "no time column given";
    }
    if (options.valueColumns.empty()) {
        return "no value column given";
    }
    if (options.station.empty() == options.stationColumn.empty()) {
        return "give either a station or a station column";
    }
    if (!options.parameter.empty() && !options.parameterColumn.empty()) {
        return "give either a parameter or a parameter column, not both";
    }
    if (!options.units.empty() && !options.unitsColumn.empty()) {
        return "give either units or a units column, not both";
    }
    if (options.remarkColumns.size() > options.valueColumns.size()) {
        return "more remark columns than value columns";
    }
    return CsvTimeReader(options.timeFormat, 0).FormatError();
}

CsvPreview ReadCsvHeader(std::string_view text, char delimiter) {
    CsvPreview preview;
    CsvRecords records(text);
    preview.delimiter = delimiter != 0 ? delimiter : records.DetectDelimiter();
    records.SetDelimiter(preview.delimiter);
    if (!records.Next()) {
        preview.error = "no header line";
        return preview;
    }
    for (std::string_view field : records.Fields()) {
        preview.header.emplace_back(field);
    }
    return preview;
}

CsvPreview PreviewCsv(std::string_view text, const CsvImportOptions& options,
                      const ZAVFieldManager& store, size_t maxRows) {
    CsvPreview preview;
    CsvRowReader reader(text, options);
    preview.error = reader.Open();
    preview.delimiter = reader.Delimiter();
    preview.header = reader.Header();
    std::vector<CsvOutcome> outcomes;
    while (preview.error.empty() && preview.rows.size() < maxRows && reader.NextRow(outcomes)) {
        for (const CsvOutcome& o : outcomes) {
            CsvPreview::Row row;
            row.line = o.line;
            row.column = o.column;
            row.station = o.station;
            row.parameter = o.parameter;
            row.units =
                o.unitsFromProject ? ProjectUnits(store, row.parameter) : std::string(o.units);
            row.time = o.time.IsValid() ? IsoTimeText(o.time) : "";
            row.value = o.stored ? FormatExact(o.value) : "";
            row.mask = o.mask;
            row.stored = o.stored;
            row.problem = o.stored ? "" : SkipRuleText(o.rule);
            row.cell = o.cell;
            preview.rows.push_back(std::move(row));
        }
    }
    return preview;
}

namespace {

std::string ReadRows(CsvRowReader& reader, DataSource& source, const CsvImportOptions& options,
                     const ZAVFieldManager& store, ImportReport& report, Progress& progress,
                     std::uint64_t total, const std::function<std::uint64_t()>& done) {
    if (std::string error = reader.Open(); !error.empty()) {
        return error;
    }
    SeriesFinder finder(source, store, options.valueColumns.size());
    std::vector<CsvOutcome> outcomes;
    // Asking after every row would cost more than the row itself.
    constexpr size_t kRowsBetweenReports = 8192;
    size_t rows = 0;
    while (reader.NextRow(outcomes)) {
        if (++rows % kRowsBetweenReports == 0) {
            progress.Report(done(), total);
            if (progress.Cancelled()) {
                return "";
            }
        }
        for (size_t k = 0; k < outcomes.size(); ++k) {
            const CsvOutcome& o = outcomes[k];
            if (!o.stored) {
                report.Skip(o.rule, o.line, o.column, o.cell);
                continue;
            }
            const size_t index = finder.Find(k, o);
            if (!o.unitsFromProject && source.series[index].Units() != o.units) {
                report.Skip(SkipRule::kOtherUnits, o.line, o.column, o.units);
                continue;
            }
            finder.Builds()[index].Add(source.series[index], o, report);
        }
    }
    for (size_t i = 0; i < source.series.size(); ++i) {
        finder.Builds()[i].Finish(source.series[i], report);
        finder.Builds()[i] = SeriesBuild();
        TrimSpare(source.series[i]);
    }
    return "";
}

}  // namespace

std::string ReadCsvText(DataSource& source, std::string_view text, const CsvImportOptions& options,
                        const ZAVFieldManager& store, ImportReport& report, Progress& progress) {
    CsvRowReader reader(text, options);
    return ReadRows(reader, source, options, store, report, progress, text.size(),
                    [&reader] { return reader.Position(); });
}

std::string ReadCsvFile(DataSource& source, InputFile& file, const CsvImportOptions& options,
                        const ZAVFieldManager& store, ImportReport& report, size_t pieceSize,
                        Progress& progress) {
    CsvRowReader reader(file, pieceSize, options);
    return ReadRows(reader, source, options, store, report, progress, file.Size(),
                    [&file] { return file.Size() - file.Left(); });
}

CsvAddResult AddCsvFiles(ZAVFieldManager& store, const std::vector<std::string>& paths,
                         const CsvImportOptions& options, ImportReport& report,
                         Progress& progress) {
    CsvAddResult result;
    std::vector<DataSource> sources;
    size_t unreadable = report.Unreadable();
    for (size_t n = 0; n < paths.size(); ++n) {
        const std::string& path = paths[n];
        if (progress.Cancelled()) {
            result.cancelled = true;
            return result;
        }
        ProgressShare share(progress, n, paths.size());
        share.Report(0, 1);
        report.StartInput(path);
        const std::string cannotOpen = "Unable to open file " + path + " for input.";
        InputFile file;
        if (const ReadResult opened = file.Open(path); opened != ReadResult::kOk) {
            store.UI().ShowMessage(ReadFailureMessage(opened, path, cannotOpen));
            report.MarkFailed();
            result.allRead = false;
            continue;
        }
        DataSource source;
        source.fileName = path;
        std::string error =
            ReadCsvFile(source, file, options, store, report, CsvRecords::kPieceSize, share);
        if (!error.empty()) {
            store.UI().ShowMessage(path + ": " + error + ".");
            report.MarkFailed();
            result.allRead = false;
            continue;
        }
        if (file.Failed()) {
            // Cut short or changed while it was read: what was read is not
            // the file, and none of it is added.
            store.UI().ShowMessage(ReadFailureMessage(file.Status(), path, cannotOpen));
            report.MarkFailed();
            result.allRead = false;
            continue;
        }
        size_t points = 0;
        for (const DataSeries& series : source.series) {
            points += series.Size();
        }
        report.AddValues(points);
        if (points > 0) {
            sources.push_back(std::move(source));
        }
    }
    if (progress.Cancelled()) {
        result.cancelled = true;
        return result;
    }
    unreadable = report.Unreadable() - unreadable;
    if (!options.skipBad && (unreadable > 0 || !result.allRead)) {
        result.refused = true;
        return result;
    }
    for (DataSource& source : sources) {
        result.added += store.AddSource(std::move(source));
    }
    return result;
}

}  // namespace zav
