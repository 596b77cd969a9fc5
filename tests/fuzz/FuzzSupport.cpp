#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "analysis/ReportBuilder.h"
#include "analysis/ReportExport.h"
#include "core/InputError.h"
#include "core/TextFormat.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/ProjectFile.h"

namespace zav::fuzz {

void QuietUserInterface::ShowMessage(const std::string& text) {
    ++messages;
    lastMessage = text;
}

bool QuietUserInterface::AskYesNo(const std::string& text) {
    ShowMessage(text);
    return true;
}

bool QuietUserInterface::SetClipboardText(const std::string& text) {
    clipboard = text;
    return true;
}

uint8_t OptionBytes::Next() {
    if (m_used >= m_size) {
        return 0;
    }
    return static_cast<uint8_t>(m_data[m_used++]);
}

void Fail(const char* invariant, const std::string& detail) {
    std::fprintf(stderr, "\n== broken invariant: %s\n%s\n", invariant, detail.c_str());
    std::abort();
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

namespace {

std::string Where(size_t source, size_t series, const DataSeries& s) {
    return "source " + std::to_string(source) + ", series " + std::to_string(series) + " (" +
           s.StationName() + " / " + s.ParameterName() + ")";
}

void CheckSameSeries(const DataSeries& a, const DataSeries& b, const std::string& where) {
    ZAV_FUZZ_CHECK(a.StationName() == b.StationName(), where);
    ZAV_FUZZ_CHECK(a.StationLocation() == b.StationLocation(), where);
    ZAV_FUZZ_CHECK(a.ParameterName() == b.ParameterName(), where);
    ZAV_FUZZ_CHECK(a.Units() == b.Units(), where);
    ZAV_FUZZ_CHECK(SameBits(a.Multiplier(), b.Multiplier()),
                   where + ": multiplier " + FormatExact(a.Multiplier()) + " came back as " +
                       FormatExact(b.Multiplier()));
    ZAV_FUZZ_CHECK(SameBits(a.Offset(), b.Offset()), where);
    ZAV_FUZZ_CHECK(a.Size() == b.Size(), where + ": " + std::to_string(a.Size()) +
                                             " points came back as " + std::to_string(b.Size()));
    for (size_t i = 0; i < a.Size(); ++i) {
        const std::string point = where + ", point " + std::to_string(i);
        ZAV_FUZZ_CHECK(a.Time(i) == b.Time(i), point + ": time " + a.Time(i).ToStoredForm() +
                                                   " came back as " + b.Time(i).ToStoredForm());
        ZAV_FUZZ_CHECK(SameBits(a.Value(i), b.Value(i)),
                       point + ": value " + FormatExact(a.Value(i)) + " came back as " +
                           FormatExact(b.Value(i)));
        ZAV_FUZZ_CHECK(a.Mask(i) == b.Mask(i), point);
    }
}

void CheckSameAggregates(const ZAVFieldManager& a, const ZAVFieldManager& b, int type) {
    std::vector<IndexInfo> infosA, infosB;
    std::vector<std::string> aliasesA, aliasesB;
    a.GetAggregates(infosA, aliasesA, type);
    b.GetAggregates(infosB, aliasesB, type);
    ZAV_FUZZ_CHECK(aliasesA == aliasesB, "aggregates of type " + std::to_string(type));
    ZAV_FUZZ_CHECK(infosA.size() == infosB.size(), "aggregate entries");
    for (size_t i = 0; i < infosA.size(); ++i) {
        ZAV_FUZZ_CHECK(infosA[i].name == infosB[i].name && infosA[i].members == infosB[i].members,
                       "aggregate " + aliasesA[i]);
    }
}

}  // namespace

void CheckSameItems(const ZAVFieldManager& expected, const ZAVFieldManager& actual) {
    const auto& a = expected.Sources();
    const auto& b = actual.Sources();
    ZAV_FUZZ_CHECK(a.size() == b.size(),
                   std::to_string(a.size()) + " sources came back as " + std::to_string(b.size()));
    for (size_t i = 0; i < a.size(); ++i) {
        ZAV_FUZZ_CHECK(a[i].fileName == b[i].fileName, "file name of source " + std::to_string(i));
        ZAV_FUZZ_CHECK(a[i].series.size() == b[i].series.size(),
                       "series count of source " + std::to_string(i));
        for (size_t k = 0; k < a[i].series.size(); ++k) {
            CheckSameSeries(a[i].series[k], b[i].series[k], Where(i, k, a[i].series[k]));
        }
    }
    const auto& unitsA = expected.UnitsMap();
    const auto& unitsB = actual.UnitsMap();
    ZAV_FUZZ_CHECK(unitsA.size() == unitsB.size(), "units record count");
    for (auto ia = unitsA.begin(), ib = unitsB.begin(); ia != unitsA.end(); ++ia, ++ib) {
        const UnitsRecord& ra = ia->second;
        const UnitsRecord& rb = ib->second;
        ZAV_FUZZ_CHECK(ia->first == ib->first && ra.name == rb.name && ra.alias == rb.alias &&
                           ra.comment == rb.comment && SameBits(ra.multiplier, rb.multiplier) &&
                           SameBits(ra.offset, rb.offset),
                       "units record " + ia->first);
    }
    CheckSameAggregates(expected, actual, kStationType);
    CheckSameAggregates(expected, actual, kParameterType);
}

void CheckSeriesInOrder(const ZAVFieldManager& store) {
    for (size_t i = 0; i < store.Sources().size(); ++i) {
        const auto& series = store.Sources()[i].series;
        for (size_t k = 0; k < series.size(); ++k) {
            const DataSeries& s = series[k];
            for (size_t p = 0; p < s.Size(); ++p) {
                ZAV_FUZZ_CHECK(s.Time(p).IsValid(),
                               Where(i, k, s) + ", point " + std::to_string(p));
                ZAV_FUZZ_CHECK(p == 0 || s.Time(p - 1) <= s.Time(p),
                               Where(i, k, s) + ", point " + std::to_string(p) + " at " +
                                   s.Time(p).ToStoredForm());
            }
        }
    }
}

std::string CheckProjectRoundTrip(const std::string& parseString, const ZAVFieldManager& store) {
    const std::string saved = ProjectFileText(parseString, store);
    QuietUserInterface ui;
    ZAVFieldManager reopened(ui);
    std::string parseBack;
    ImportReport report;
    report.StartInput("saved");
    try {
        ReadProjectFileText(saved, parseBack, reopened, report);
    } catch (const InputError& error) {
        Fail("a saved project opens", error.Message() + "\n--- saved text:\n" + saved);
    }
    ZAV_FUZZ_CHECK(report.Skipped() == 0, "reading back the saved project skipped values");
    ZAV_FUZZ_CHECK(
        parseBack == parseString || parseString.find_first_of("\r\n") != std::string::npos,
        "parse string '" + parseString + "' came back as '" + parseBack + "'");
    CheckSameItems(store, reopened);
    const std::string again = ProjectFileText(parseBack, reopened);
    ZAV_FUZZ_CHECK(again == saved, "the second save differs from the first");
    return saved;
}

std::string ReportText(ZAVFieldManager& store, OptionBytes& options) {
    ReportRequest request;
    AnalysisSettings& settings = request.settings;
    settings.mainListKind = options.Pick(2);
    settings.dataType = options.Pick(2);
    settings.fillGaps = options.Pick(2) == 1;
    settings.thresholdOn = options.Pick(2) == 1;
    settings.threshold = static_cast<float>(options.Next()) - 64.0f;
    store.GetDateRange(settings.startDay, settings.startMonth, settings.startYear, settings.endDay,
                       settings.endMonth, settings.endYear);
    settings.every = 1 + options.Pick(3);
    // The widest unit first whose table stays small: a fuzzer's run must
    // not spend itself on tables of a million cells.
    for (int unit = kMinutes; unit >= kYears; --unit) {
        settings.unit = unit;
        if (settings.IntervalCount() <= 200) {
            break;
        }
    }
    const int mainType = settings.mainListKind == kMainStations ? kStationType : kParameterType;
    store.GetNameList(request.mainItems, mainType, false);
    std::vector<std::string> others;
    store.GetNameList(others, 1 - mainType, false);
    if (!others.empty()) {
        request.otherItem = others[static_cast<size_t>(
            options.Pick(static_cast<int>(std::min<size_t>(others.size(), 255))))];
    }
    ReportTable table;
    const ReportOutcome outcome = RebuildTable(store, request, table);
    if (outcome != ReportOutcome::kComputed) {
        return std::string();
    }
    ZAV_FUZZ_CHECK(table.rows.size() == request.mainItems.size(), "one row per main item");
    ZAV_FUZZ_CHECK(static_cast<int>(table.header.size()) == settings.IntervalCount() + 1,
                   "one column per interval");
    for (const ReportRow& row : table.rows) {
        ZAV_FUZZ_CHECK(row.cells.size() + 1 == table.header.size(), "row " + row.name);
        for (const std::string& cell : row.cells) {
            if (!settings.ReportsValues()) {
                ZAV_FUZZ_CHECK(cell == "0" || cell == "1", "availability cell '" + cell + "'");
            }
        }
    }
    return TableFileText(table);
}

void CheckAgencyText(AgencyTextReader read, const char* fileName, const uint8_t* data,
                     size_t size) {
    QuietUserInterface ui;
    DataSource source;
    source.fileName = fileName;
    ImportReport report;
    report.StartInput(source.fileName);
    if (!read(source, std::string(reinterpret_cast<const char*>(data), size), source.fileName, ui,
              report)) {
        return;
    }
    ZAVFieldManager store(ui);
    AddReadSource(store, std::move(source), report);
    CheckSeriesInOrder(store);
    CheckProjectRoundTrip("", store);
    OptionBytes options(data, size);
    ReportText(store, options);
}

}  // namespace zav::fuzz
