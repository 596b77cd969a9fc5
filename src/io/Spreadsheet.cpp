#include "io/Spreadsheet.h"

#include <algorithm>
#include <cstdio>

#include "core/Calendar.h"
#include "core/KTRTime.h"
#include "core/StringArray.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"

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

// A layout 1 row: ID (ignored), value, HH:MM:SS, then the date as
// DAY-MonthName-YEAR or, failing that, MONTH/DAY/YEAR.
bool ScanSingleStationRow(const std::string& line, char separator, KTRTime& time, double& value) {
    const bool tab = separator == '\t';
    char monthName[512] = "";
    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    int items = tab ? std::sscanf(line.c_str(), "%*d\t %lf\t %d:%d:%d\t %d-%511[^-]-%d", &value,
                                  &hour, &minute, &second, &day, monthName, &year)
                    : std::sscanf(line.c_str(), "%*d, %lf, %d:%d:%d, %d-%511[^-]-%d", &value, &hour,
                                  &minute, &second, &day, monthName, &year);
    if (items == 7) {
        month = MonthFromName(monthName);
    } else {
        items = tab ? std::sscanf(line.c_str(), "%*d\t %lf\t %d:%d:%d\t %d/%d/%d", &value, &hour,
                                  &minute, &second, &month, &day, &year)
                    : std::sscanf(line.c_str(), "%*d, %lf, %d:%d:%d, %d/%d/%d", &value, &hour,
                                  &minute, &second, &month, &day, &year);
        if (items != 7) {
            return false;
        }
    }
    // A month name that names no month would otherwise be carried back
    // into a month of the year before, silently storing a wrong date.
    if (month == -1) {
        return false;
    }
    time = KTRTime(year, month, day, hour, minute, second);
    return time.IsValid();
}

bool ReadSingleStation(DataSource& source, TextReader& in, const SpreadsheetOptions& options,
                       UserInterface& ui) {
    std::string line;
    in.ReadLine(line);
    const std::string station = Trim(line);
    // No station line (an empty input) would make a station without a name.
    if (station.empty()) {
        ui.ShowMessage(kUnreadableLine + line);
        return false;
    }
    int position = 0;
    DataSeries& series = SeriesFor(source, station, options, position);
    in.ReadLine(line);  // a comment
    while (in.ReadLine(line)) {
        if (IsBlankLine(line)) {
            continue;
        }
        KTRTime time;
        double value = 0.0;
        if (!ScanSingleStationRow(line, options.separator, time, value)) {
            ui.ShowMessage(kUnreadableLine + line);
            return false;
        }
        series.InsertPoint(time, value, 0);
    }
    return true;
}

// A value cell starts with a digit or a point; anything else (empty cells,
// text, and numbers with a sign) is passed over.
bool IsValueCell(const std::string& cell) {
    return !cell.empty() && ((cell[0] >= '0' && cell[0] <= '9') || cell[0] == '.');
}

class MultiStationReader {
public:
    MultiStationReader(DataSource& source, const SpreadsheetOptions& options, UserInterface& ui)
        : m_source(source), m_options(options), m_ui(ui), m_delimiter(1, options.separator) {
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
        while (in.ReadWholeLine(line)) {
            if (IsBlankLine(line)) {
                continue;
            }
            m_cells.Split(line, false, m_delimiter);
            if (m_cells.size() != m_times.size()) {
                m_ui.ShowMessage("Invalid line: not enough columns; expected " +
                                 std::to_string(m_times.size()) + ", got " +
                                 std::to_string(m_cells.size()));
                return true;
            }
            ReadRow();
        }
        return true;
    }

private:
    bool ReadHeader(const std::string& header) {
        // The top-left cell is often left empty; splitting would drop it
        // and shift every date one column to the left of its values.
        const bool emptyFirstCell = !header.empty() && header[0] == m_options.separator;
        m_cells.Split(emptyFirstCell ? " " + header : header, false, m_delimiter);
        if (m_cells.size() < 2) {
            return false;
        }
        m_times.assign(m_cells.size(), KTRTime());
        for (size_t i = 1; i < m_cells.size(); ++i) {
            m_times[i] = KTRTime(m_cells[i]);
        }
        return true;
    }

    // Station name cells run up to the first value column, joined by "|||".
    void ReadRow() {
        const size_t width = m_cells.size();
        std::string station = m_cells[0];
        for (size_t i = 1; i < m_firstValue && i < width; ++i) {
            station += "|||";
            station += m_cells[i];
        }
        DataSeries& series = SeriesFor(m_source, Trim(station), m_options, m_position);
        for (size_t i = m_firstValue; i < width; ++i) {
            const std::string& cell = m_cells[i];
            if (m_times[i].IsValid() && IsValueCell(cell)) {
                series.InsertPoint(m_times[i], AtoF(cell), 0);
            }
        }
    }

    DataSource& m_source;
    const SpreadsheetOptions& m_options;
    UserInterface& m_ui;
    std::string m_delimiter;
    size_t m_firstValue = 1;
    StringArray m_cells;
    std::vector<KTRTime> m_times;  // per header column; column 0 unused
    int m_position = 0;
};

bool ReadLayout(DataSource& source, TextReader& in, const SpreadsheetOptions& options,
                UserInterface& ui) {
    switch (options.layout) {
        case 1:
            return ReadSingleStation(source, in, options, ui);
        case 2:
            return MultiStationReader(source, options, ui).Read(in);
        default:
            return false;
    }
}

int AddRead(ZAVFieldManager& store, TextReader& in, const SpreadsheetOptions& options) {
    DataSource source;
    if (!ReadLayout(source, in, options, store.UI())) {
        return 0;
    }
    return store.AddSource(std::move(source));
}

}  // namespace

int MonthFromName(std::string_view name) {
    for (int m = 0; m < 12; ++m) {
        if (name.find(kMonthAbbreviations[m]) != std::string_view::npos) {
            return m + 1;
        }
    }
    return -1;
}

bool ReadSingleStationLayout(DataSource& source, std::string text,
                             const SpreadsheetOptions& options, UserInterface& ui) {
    TextReader in(std::move(text));
    return ReadSingleStation(source, in, options, ui);
}

bool ReadMultiStationLayout(DataSource& source, std::string text, const SpreadsheetOptions& options,
                            UserInterface& ui) {
    TextReader in(std::move(text));
    return MultiStationReader(source, options, ui).Read(in);
}

bool ReadSpreadsheetText(DataSource& source, std::string text, const SpreadsheetOptions& options,
                         UserInterface& ui) {
    TextReader in(std::move(text));
    return ReadLayout(source, in, options, ui);
}

std::optional<std::string> ReadClipboard(UserInterface& ui) {
    std::optional<std::string> text = ui.GetClipboardText();
    if (!text) {
        ui.ShowMessage("Failed to open clipboard");
    }
    return text;
}

int AddSpreadsheetFile(ZAVFieldManager& store, const std::string& path,
                       const SpreadsheetOptions& options) {
    TextReader in;
    if (!LoadAgencyText(in, path, store.UI())) {
        return 0;
    }
    return AddRead(store, in, options);
}

int AddClipboardData(ZAVFieldManager& store, const SpreadsheetOptions& options) {
    std::optional<std::string> text = ReadClipboard(store.UI());
    if (!text) {
        return 0;
    }
    TextReader in(std::move(*text));
    return AddRead(store, in, options);
}

}  // namespace zav
