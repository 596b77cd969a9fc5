#include "io/MolvanReader.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"

namespace zav {

namespace {

constexpr int kColumns = 7;
// Heading fields sit at fixed columns; data lines are split at separators.
constexpr size_t kFirstHeadingColumn = 26;
constexpr size_t kHeadingWidth = 8;
constexpr size_t kStationColumn = 12;
constexpr size_t kStationWidth = 15;
// A value whose integer reading is this marks a missing measurement.
constexpr int kMissing = -9;
constexpr size_t kHeadingLines = 4;

struct ColumnHeadings {
    std::array<std::string, kColumns> parameters;
    std::array<std::string, kColumns> units;
};

std::string HeadingField(std::string_view line, int column) {
    size_t start = kFirstHeadingColumn + static_cast<size_t>(column) * kHeadingWidth;
    if (start >= line.size()) {
        return std::string();
    }
    return Trim(line.substr(start, kHeadingWidth));
}

// The parameter name keeps the blank between its two parts even when the
// second part is empty, so names stay the same as in earlier projects.
ColumnHeadings ReadHeadings(TextReader& in) {
    std::string title;
    std::string first;
    std::string second;
    std::string units;
    in.ReadLine(title);
    in.ReadLine(first);
    in.ReadLine(second);
    in.ReadLine(units);
    ColumnHeadings headings;
    for (int j = 0; j < kColumns; ++j) {
        headings.parameters[j] = HeadingField(first, j) + " " + HeadingField(second, j);
        headings.units[j] = HeadingField(units, j);
    }
    return headings;
}

// The first field starts with "YYYYMMDDhhmm". Only digits count: a dash or
// a sign read as part of a number (as in "1996-05-15") would give a wrong
// date instead of an error.
bool ReadLineFields(std::string_view field, TimeFields& fields) {
    static constexpr int kWidths[5] = {4, 2, 2, 2, 2};
    int64_t* parts[5] = {&fields.year, &fields.month, &fields.day, &fields.hour, &fields.minute};
    size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        *parts[i] = 0;
        for (int n = 0; n < kWidths[i]; ++n, ++pos) {
            if (pos >= field.size() || field[pos] < '0' || field[pos] > '9') {
                return false;
            }
            *parts[i] = *parts[i] * 10 + (field[pos] - '0');
        }
    }
    fields.second = 0;
    return true;
}

class MolvanReader {
public:
    MolvanReader(DataSource& source, const std::string& path, UserInterface& ui,
                 ImportReport& report)
        : m_source(source), m_path(path), m_ui(ui), m_report(report) {}

    bool Read(TextReader& in) {
        m_headings = ReadHeadings(in);
        m_line = kHeadingLines;
        std::string line;
        while (in.ReadLine(line)) {
            ++m_line;
            if (!ReadDataLine(line)) {
                m_ui.ShowMessage("Parse error reading line " + line + " in file " + m_path);
                return false;
            }
        }
        return true;
    }

private:
    using ColumnSeries = std::array<int, kColumns>;  // series index per column, -1 unknown

    bool ReadDataLine(const std::string& line) {
        m_fields.SplitWords(line);
        if (m_fields.empty()) {
            return true;
        }
        TimeFields fields;
        if (!ReadLineFields(m_fields[0], fields)) {
            return false;
        }
        // Digits that carry into a year a project cannot hold (month 13 of
        // 9999) lose this line only.
        const KTRTime time = StorableTime(fields);
        if (!time.IsValid()) {
            m_report.Skip(SkipRule::kUnreadableTime, m_line, 1, m_fields[0]);
            return true;
        }
        std::string_view station =
            std::string_view(line).substr(std::min(line.size(), kStationColumn), kStationWidth);
        ColumnSeries& columns = SeriesOfStation(station);
        // A short line simply has no values in its last columns.
        const size_t available = m_fields.size() - 1;
        for (int j = 0; j < kColumns && static_cast<size_t>(j) < available; ++j) {
            const std::string_view field = m_fields[static_cast<size_t>(j) + 1];
            if (AtoI(field) == kMissing) {
                continue;
            }
            double value = 0.0;
            if (!ReadNumberCell(field, value)) {
                m_report.Skip(SkipRule::kNotANumber, m_line, static_cast<size_t>(j) + 2, field);
                continue;
            }
            Series(columns, j).InsertPoint(time, value, 0);
        }
        return true;
    }

    // Data lines come station by station, so the previous station's table
    // is usually the one wanted.
    ColumnSeries& SeriesOfStation(std::string_view station) {
        if (m_current == nullptr || m_currentStation != station) {
            m_currentStation.assign(station);
            auto inserted = m_byStation.try_emplace(m_currentStation);
            if (inserted.second) {
                inserted.first->second.fill(-1);
            }
            m_current = &inserted.first->second;
        }
        return *m_current;
    }

    DataSeries& Series(ColumnSeries& columns, int column) {
        int& index = columns[column];
        if (index < 0) {
            // Two columns may carry the same parameter name; they share a series.
            const std::string& parameter = m_headings.parameters[column];
            if (m_source.FindSeriesFrom(m_currentStation, parameter, m_position)) {
                index = m_position;
            } else {
                DataSeries series;
                series.SetStationName(m_currentStation);
                series.SetParameterName(parameter);
                series.SetUnits(m_headings.units[column]);
                m_source.series.push_back(std::move(series));
                index = static_cast<int>(m_source.series.size()) - 1;
            }
        }
        return m_source.series[static_cast<size_t>(index)];
    }

    DataSource& m_source;
    const std::string& m_path;
    UserInterface& m_ui;
    ImportReport& m_report;
    ColumnHeadings m_headings;
    CellSplitter m_fields;
    size_t m_line = 0;
    std::unordered_map<std::string, ColumnSeries> m_byStation;
    std::string m_currentStation;
    ColumnSeries* m_current = nullptr;
    int m_position = 0;
};

}  // namespace

bool ReadMolvanText(DataSource& source, std::string text, const std::string& path,
                    UserInterface& ui, ImportReport& report) {
    TextReader in(std::move(text));
    return MolvanReader(source, path, ui, report).Read(in);
}

bool ReadMolvanFile(DataSource& source, const std::string& path, UserInterface& ui,
                    ImportReport& report) {
    TextReader in;
    if (!LoadAgencyText(in, path, ui)) {
        return false;
    }
    return MolvanReader(source, path, ui, report).Read(in) && ReadToTheEnd(in, path, ui);
}

}  // namespace zav
