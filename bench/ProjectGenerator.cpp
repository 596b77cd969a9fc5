#include "ProjectGenerator.h"

#include <cmath>

#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace zav::bench {

namespace {

// A 64-bit linear congruential generator: fixed, portable, fast.
class Noise {
public:
    explicit Noise(uint64_t seed)
        : m_state(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
    double Next() {  // in [-0.5, 0.5)
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / 9007199254740992.0 - 0.5;
    }

private:
    uint64_t m_state;
};

DataSeries MakeSeries(const ProjectShape& shape, int station) {
    DataSeries series;
    series.SetStationName(StationName(station));
    series.SetStationLocation("synthetic station " + std::to_string(station + 1));
    series.SetParameterName("DO");
    series.SetUnits("mg/l");
    series.Reserve(static_cast<size_t>(shape.pointsPerStation));
    const int64_t start = KTRTime(shape.startYear, 1, 1, 0, 0, 0).Instant();
    Noise noise(static_cast<uint64_t>(station) + 1);
    for (int k = 0; k < shape.pointsPerStation; ++k) {
        const double hourOfDay = k % 24;
        double value = 8.0 + 2.0 * std::sin(hourOfDay / 24.0 * 6.283185307179586) + noise.Next();
        // Two decimals, as field instruments report; the text form is exact.
        value = std::round(value * 100.0) / 100.0;
        const int32_t mask = shape.maskEvery > 0 && k % shape.maskEvery == shape.maskEvery - 1;
        series.AppendPoint(KTRTime::FromInstant(start + int64_t{k} * 3600), value, mask);
    }
    return series;
}

}  // namespace

std::string StationName(int index) {
    return Format("S%03d", index + 1);
}

void FillStore(ZAVFieldManager& store, const ProjectShape& shape) {
    DataSource source;
    source.fileName = "synthetic.mlv";
    for (int s = 0; s < shape.stations; ++s) {
        source.series.push_back(MakeSeries(shape, s));
    }
    store.AddSource(std::move(source));
}

std::string ProjectText(const ProjectShape& shape) {
    ConsoleUserInterface ui;
    DocumentEnvironment environment;
    environment.applyWorkingDirectory = false;
    CZAVDoc doc(ui, environment);
    FillStore(doc.FieldManager(), shape);
    return doc.ProjectText();
}

std::string CsvText(const ZAVFieldManager& store) {
    std::string out = "station,time,value,mask\n";
    for (const DataSource& source : store.Sources()) {
        for (const DataSeries& series : source.series) {
            for (size_t i = 0; i < series.Size(); ++i) {
                const CalendarFields f = series.Time(i).Fields();
                out += series.StationName();
                out += Format(",%04d-%02d-%02d %02d:%02d:%02d,", f.year, f.month, f.day, f.hour,
                              f.minute, f.second);
                AppendG(out, series.Value(i));
                out += ',';
                AppendInt(out, series.Mask(i));
                out += '\n';
            }
        }
    }
    return out;
}

}  // namespace zav::bench
