#include "io/Spreadsheet.h"

#include <algorithm>

#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"

namespace zav {

namespace {

const char* const kUnreadableLine = "Unable to read station data from line ";

bool IsBlankLine(const std::string& line) {
    return TrimView(line).empty();
}

// The series of the station in the source, made when it is not there yet.
// Readers keep `position` between rows so a run of rows for one station
// finds it at once.
DataSeries& SeriesFor(DataSource& source, const std::string& station,
                      const SpreadsheetOptions& options, int& position) {
    if (DataSeries* found = source.FindSeriesFrom(station, options.parameter, position)) {
        return *found;
    }
    DataSeries series;
    series.SetStationName(station);
    series.SetParameterName(options.parameter);
    series.SetUnits(options.units);
    source.series.push_back(std::move(series));
    position = static_cast<int>(source.series.size()) - 1;
    return source.series.back();
}

// A value cell that holds nothing is the empty-cell rule; anything else that
// is not a number cannot be read.
SkipRule UnreadValueRule(std::string_view cell) {
    return cell.empty() ? SkipRule::kEmptyCell : SkipRule::kNotANumber;
}

// Layout 1's station line is the whole line, trimmed. Spreadsheet programs
// pad a one-cell row with separators up to the sheet's width and may quote
// the cell; such a row gives its one cell.
std::string StationOfLine(const std::string& line, char separator, CellSplitter& cells) {
    cells.Split(line, separator);
    size_t used = cells.size();
    while (used > 0 && cells[used - 1].empty()) {
        --used;
    }
    return used == 1 ? std::string(cells[0]) : Trim(line);
}

// A layout 1 row: ID (ignored), value, H:M:S, then the date as
// DAY-MonthName-YEAR or, failing that, MONTH/DAY/YEAR. False when the row
// does not have that shape; `time` is invalid when the fields make no time
// a project can hold.
bool ScanSingleStationRow(const CellSplitter& cells, KTRTime& time) {
    int64_t id = 0;
    TimeFields fields;
    if (cells.size() < 4 || !ScanIntegerCell(cells[0], id) ||
        !ScanClockCell(cells[2], false, false, fields)) {
        return false;
    }
    if (!ScanNamedDateCell(cells[3], fields.day, fields.month, fields.year) &&
        !ScanDateCell(cells[3], '/', false, fields.month, fields.day, fields.year)) {
        return false;
    }
    // A month name that names no month would otherwise be carried back
    // into a month of the year before, silently storing a wrong date.
    time = fields.month == -1 ? KTRTime() : StorableTime(fields);
    return true;
}

bool ReadSingleStation(DataSource& source, TextReader& in, const SpreadsheetOptions& options,
                       UserInterface& ui, ImportReport& report) {
    CellSplitter cells;
    std::string line;
    in.ReadLine(line);
    const std::string station = StationOfLine(line, options.separator, cells);
    // No station line (an empty input) would make a station without a name.
    if (station.empty()) {
        ui.ShowMessage(kUnreadableLine + line);
        return false;
    }
    int position = 0;
    DataSeries& series = SeriesFor(source, station, options, position);
    in.ReadLine(line);  // a comment
    for (size_t lineNumber = 3; in.ReadLine(line); ++lineNumber) {
        if (IsBlankLine(line)) {
            continue;
        }
        cells.Split(line, options.separator);
        KTRTime time;
        if (!ScanSingleStationRow(cells, time)) {
            ui.ShowMessage(kUnreadableLine + line);
            return false;
        }
        if (!time.IsValid()) {
            report.Skip(SkipRule::kUnreadableTime, lineNumber, 3, cells.Span(2, 3));
            continue;
        }
        double value = 0.0;
        if (!ReadNumberCell(cells[1], value)) {
            report.Skip(UnreadValueRule(cells[1]), lineNumber, 2, cells[1]);
            continue;
        }
        series.InsertPoint(time, value, 0);
    }
    return true;
}

class MultiStationReader {
public:
    MultiStationReader(DataSource& source, const SpreadsheetOptions& options, UserInterface& ui,
                       ImportReport& report)
        : m_source(source), m_options(options), m_ui(ui), m_report(report) {
        // Values start at the second column at the earliest: the first
        // always names the station.
        m_firstValue = static_cast<size_t>(std::max(options.startColumn, 2) - 1);
    }

    // Rows are read whole: a row of a station's values across many dates
    // is long by nature, and cutting it at the usual line length would cut
    // the header and the rows at different cells.
    bool Read(TextReader& in) {
        std::string header;
        in.ReadWholeLine(header);
        if (!ReadHeader(header)) {
            m_ui.ShowMessage("Header doesn't have enough columns: " + header);
            return false;
        }
        std::string line;
        for (size_t lineNumber = 2; in.ReadWholeLine(line); ++lineNumber) {
            if (IsBlankLine(line)) {
                continue;
            }
            m_cells.Split(line, m_options.separator);
            if (m_cells.size() != m_times.size()) {
                m_ui.ShowMessage("Invalid line: not enough columns; expected " +
                                 std::to_string(m_times.size()) + ", got " +
                                 std::to_string(m_cells.size()));
                return true;
            }
            ReadRow(lineNumber);
        }
        return true;
    }

private:
    // A header cell that is not a date, or not one a project can hold,
    // leaves its column unread.
    bool ReadHeader(const std::string& header) {
        m_cells.Split(header, m_options.separator);
        if (m_cells.size() < 2) {
            return false;
        }
        m_times.assign(m_cells.size(), KTRTime());
        for (size_t i = 1; i < m_cells.size(); ++i) {
            if (!m_cells[i].empty()) {
                m_times[i] = KTRTime(m_cells[i]);
            }
        }
        return true;
    }

    // Station name cells run up to the first value column, joined by "|||".
    // A row without a name and without values is one a spreadsheet program
    // padded out with separators.
    void ReadRow(size_t lineNumber) {
        const size_t width = m_cells.size();
        std::string station(m_cells[0]);
        for (size_t i = 1; i < m_firstValue && i < width; ++i) {
            station += "|||";
            station.append(m_cells[i]);
        }
        station = Trim(station);
        if (station.empty() || station.find_first_not_of('|') == std::string::npos) {
            if (HasValueCells()) {
                m_report.Skip(SkipRule::kNoStation, lineNumber, 1, m_cells[0]);
            }
            return;
        }
        DataSeries& series = SeriesFor(m_source, station, m_options, m_position);
        for (size_t i = m_firstValue; i < width; ++i) {
            ReadCell(series, lineNumber, i);
        }
    }

    bool HasValueCells() const {
        for (size_t i = m_firstValue; i < m_cells.size(); ++i) {
            if (!m_cells[i].empty()) {
                return true;
            }
        }
        return false;
    }

    // Cells that begin with a minus sign are passed over by the layout's
    // rule: such cells often code a missing value.
    void ReadCell(DataSeries& series, size_t lineNumber, size_t i) {
        const std::string_view cell = m_cells[i];
        const bool dated = m_times[i].IsValid();
        if (cell.empty()) {
            if (dated) {
                m_report.Skip(SkipRule::kEmptyCell, lineNumber, i + 1, cell);
            }
            return;
        }
        double value = 0.0;
        if (!dated) {
            m_report.Skip(SkipRule::kNoColumnDate, lineNumber, i + 1, cell);
        } else if (cell.front() == '-') {
            m_report.Skip(SkipRule::kMinusSign, lineNumber, i + 1, cell);
        } else if (!ReadNumberCell(cell, value)) {
            m_report.Skip(SkipRule::kNotANumber, lineNumber, i + 1, cell);
        } else {
            series.InsertPoint(m_times[i], value, 0);
        }
    }

    DataSource& m_source;
    const SpreadsheetOptions& m_options;
    UserInterface& m_ui;
    ImportReport& m_report;
    size_t m_firstValue = 1;
    CellSplitter m_cells;
    std::vector<KTRTime> m_times;  // per header column; column 0 unused
    int m_position = 0;
};

bool ReadLayout(DataSource& source, TextReader& in, const SpreadsheetOptions& options,
                UserInterface& ui, ImportReport& report) {
    switch (options.layout) {
        case 1:
            return ReadSingleStation(source, in, options, ui, report);
        case 2:
            return MultiStationReader(source, options, ui, report).Read(in);
        default:
            return false;
    }
}

// `path` is empty for the clipboard, whose text is whole in memory.
int AddRead(ZAVFieldManager& store, TextReader& in, const SpreadsheetOptions& options,
            ImportReport& report, const std::string& path = std::string()) {
    DataSource source;
    if (!ReadLayout(source, in, options, store.UI(), report) ||
        (!path.empty() && !ReadToTheEnd(in, path, store.UI()))) {
        report.MarkFailed();
        return 0;
    }
    return AddReadSource(store, std::move(source), report);
}

}  // namespace

bool ReadSingleStationLayout(DataSource& source, std::string text,
                             const SpreadsheetOptions& options, UserInterface& ui,
                             ImportReport& report) {
    TextReader in(std::move(text));
    return ReadSingleStation(source, in, options, ui, report);
}

bool ReadMultiStationLayout(DataSource& source, std::string text, const SpreadsheetOptions& options,
                            UserInterface& ui, ImportReport& report) {
    TextReader in(std::move(text));
    return MultiStationReader(source, options, ui, report).Read(in);
}

bool ReadSpreadsheetText(DataSource& source, std::string text, const SpreadsheetOptions& options,
                         UserInterface& ui, ImportReport& report) {
    TextReader in(std::move(text));
    return ReadLayout(source, in, options, ui, report);
}

std::optional<std::string> ReadClipboard(UserInterface& ui) {
    std::optional<std::string> text = ui.GetClipboardText();
    if (!text) {
        ui.ShowMessage("Failed to open clipboard");
    }
    return text;
}

int AddSpreadsheetFile(ZAVFieldManager& store, const std::string& path,
                       const SpreadsheetOptions& options, ImportReport& report) {
    report.StartInput(path);
    TextReader in;
    if (!LoadAgencyText(in, path, store.UI())) {
        report.MarkFailed();
        return 0;
    }
    return AddRead(store, in, options, report, path);
}

int AddClipboardData(ZAVFieldManager& store, const SpreadsheetOptions& options,
                     ImportReport& report) {
    report.StartInput(kClipboardInput);
    std::optional<std::string> text = ReadClipboard(store.UI());
    if (!text) {
        report.MarkFailed();
        return 0;
    }
    TextReader in(std::move(*text));
    return AddRead(store, in, options, report);
}

}  // namespace zav
