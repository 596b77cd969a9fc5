#include "io/PellidorReader.h"

#include <climits>
#include <cstdio>
#include <string_view>

#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"

namespace zav {

namespace {

constexpr std::string_view kBanner = "UNITED STATES OFFICE OF TALVERENE - HYDROMETRIC ARCHIVES";
constexpr int kDays = 31;
constexpr int kMonths = 12;
constexpr size_t kFirstValueColumn = 20;
constexpr size_t kValueWidth = 9;
// A row this short is a separator or blank line inside the table.
constexpr size_t kShortRow = 20;
// Scan buffers hold a whole line, so no field can overrun them.
constexpr size_t kBufferSize = TextReader::kMaxLine + 1;

struct BlockHeader {
    std::string station;
    std::string parameter;
    std::string units;
    int waterYear = 0;
};

bool ScanStationLine(const std::string& line, BlockHeader& header) {
    char number[9] = {};
    char name[kBufferSize] = {};
    // Skip exactly 28 characters, then a number of at most 8 characters and
    // the name as the rest of the line.
    if (std::sscanf(line.c_str(), "%*28c%8s%511[^\n]", number, name) != 2) {
        return false;
    }
    header.station = Trim(name) + " (" + number + ")";
    return true;
}

// Month of field k: the columns run October to September.
int MonthOfField(int k) {
    return (k + 9) % kMonths + 1;
}

int CalendarYear(int waterYear, int month) {
    return month >= 10 ? waterYear - 1 : waterYear;
}

// A water year the time value cannot hold (one that reaches into the years
// 100 to 999, say) would put invalid times into the store; such a line is
// as unreadable as one without a year. The year is read in 64 bits, so a
// huge one is refused rather than wrapped round to some other year.
bool WaterYearIsUsable(int64_t waterYear) {
    if (waterYear <= INT_MIN || waterYear > INT_MAX) {
        return false;
    }
    const int year = static_cast<int>(waterYear);
    return KTRTime(CalendarYear(year, 10), 10, 1, 0, 0, 0).IsValid() &&
           KTRTime(CalendarYear(year, 9), 9, 30, 0, 0, 0).IsValid();
}

bool ScanParameterLine(const std::string& line, BlockHeader& header) {
    char parameter[kBufferSize] = {};
    char units[kBufferSize] = {};
    int yearAt = -1;
    int64_t waterYear = 0;
    if (std::sscanf(line.c_str(), "%511[^,],%511[^,],%*38c%n", parameter, units, &yearAt) != 2 ||
        yearAt < 0 ||
        !ScanLeadingInteger(std::string_view(line).substr(static_cast<size_t>(yearAt)),
                            waterYear)) {
        return false;
    }
    if (!WaterYearIsUsable(waterYear)) {
        return false;
    }
    header.parameter = Trim(parameter);
    header.units = Trim(units);
    header.waterYear = static_cast<int>(waterYear);
    return true;
}

class PellidorReader {
public:
    PellidorReader(DataSource& source, UserInterface& ui, ImportReport& report)
        : m_source(source), m_ui(ui), m_report(report) {}

    bool Read(TextReader& in) {
        while (FindBanner(in)) {
            if (!ReadBlock(in)) {
                return false;
            }
        }
        return true;
    }

private:
    // Every line goes through here, so that skipped cells can name theirs.
    bool NextLine(TextReader& in, std::string& line) {
        if (!in.ReadLine(line)) {
            return false;
        }
        ++m_line;
        return true;
    }

    void SkipLines(TextReader& in, int count) {
        std::string ignored;
        for (int i = 0; i < count; ++i) {
            NextLine(in, ignored);
        }
    }

    bool FindBanner(TextReader& in) {
        std::string line;
        while (NextLine(in, line)) {
            if (line.find(kBanner) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    bool ReadBlock(TextReader& in) {
        BlockHeader header;
        std::string line;
        NextLine(in, line);
        if (!ScanStationLine(line, header)) {
            m_ui.ShowMessage(
                "Unable to read station number and name from PELLIDOR file.  Line is '" + line +
                "'.");
            return false;
        }
        SkipLines(in, 3);
        NextLine(in, line);
        if (!ScanParameterLine(line, header)) {
            m_ui.ShowMessage(
                "Unable to read parameter name, units, and water year from PELLIDOR file.  "
                "Line is '" +
                line + "'.");
            return false;
        }
        DataSeries& series = SeriesFor(header);
        SkipLines(in, 3);
        for (int day = 1; day <= kDays; ++day) {
            ReadDayRow(in, line);
            AddDayRow(line, day, header.waterYear, series);
        }
        series.SortByTime(1);
        return true;
    }

    DataSeries& SeriesFor(const BlockHeader& header) {
        int position = 0;
        if (DataSeries* found =
                m_source.FindSeriesFrom(header.station, header.parameter, position)) {
            return *found;
        }
        DataSeries series;
        series.SetStationName(header.station);
        series.SetParameterName(header.parameter);
        series.SetUnits(header.units);
        m_source.series.push_back(std::move(series));
        return m_source.series.back();
    }

    // A separator or blank row inside the table stands in for nothing: the
    // next line is the day's row.
    void ReadDayRow(TextReader& in, std::string& row) {
        NextLine(in, row);
        if (row.size() < kShortRow) {
            NextLine(in, row);
        }
    }

    // Cells are numbered as they stand in the row: the day is column 1,
    // October column 2 and September column 13.
    void AddDayRow(std::string_view row, int day, int waterYear, DataSeries& series) {
        for (int k = 0; k < kMonths; ++k) {
            size_t start = kFirstValueColumn + static_cast<size_t>(k) * kValueWidth;
            if (start >= row.size()) {
                break;
            }
            std::string_view field = TrimView(row.substr(start, kValueWidth));
            if (field.empty() || field.find("---") != std::string_view::npos) {
                continue;
            }
            const size_t column = static_cast<size_t>(k) + 2;
            double value = 0.0;
            if (!ReadNumberCell(field, value)) {
                m_report.Skip(SkipRule::kNotANumber, m_line, column, field);
                continue;
            }
            int month = MonthOfField(k);
            int year = CalendarYear(waterYear, month);
            KTRTime time(year, month, day, 0, 0, 0);
            // The table has a cell for the 30th of February; a number there
            // would roll over into March and overwrite that day's value.
            if (time.Day() != day) {
                m_report.Skip(SkipRule::kNoSuchDay, m_line, column, field);
                continue;
            }
            series.InsertPoint(time, value, 0);
        }
    }

    DataSource& m_source;
    UserInterface& m_ui;
    ImportReport& m_report;
    size_t m_line = 0;
};

}  // namespace

bool ReadPellidorText(DataSource& source, std::string text, const std::string&, UserInterface& ui,
                      ImportReport& report) {
    TextReader in(std::move(text));
    return PellidorReader(source, ui, report).Read(in);
}

bool ReadPellidorFile(DataSource& source, const std::string& path, UserInterface& ui,
                      ImportReport& report) {
    TextReader in;
    if (!LoadAgencyText(in, path, ui)) {
        return false;
    }
    return PellidorReader(source, ui, report).Read(in) && ReadToTheEnd(in, path, ui);
}

}  // namespace zav
