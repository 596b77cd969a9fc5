#include "LargeProjects.h"

#include <cmath>
#include <random>

#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace zav::bench {

void FillLargeStore(ZAVFieldManager& store, const LargeProjectShape& shape) {
    std::mt19937 random(shape.seed);
    std::normal_distribution<double> noise(0.0, 1.5);
    DataSource source;
    source.fileName = "generated.mlv";
    const KTRTime start(1990, 1, 1, 0, 0, 0);
    for (int s = 0; s < shape.stations; ++s) {
        DataSeries series;
        series.SetStationName("Station " + std::to_string(s + 1));
        series.SetStationLocation("generated");
        series.SetParameterName("Flow");
        series.SetUnits("cfs");
        series.Reserve(static_cast<size_t>(shape.pointsPerSeries));
        for (int i = 0; i < shape.pointsPerSeries; ++i) {
            double seasonal = 40.0 + 25.0 * std::sin(i * 2.0 * M_PI / 8766.0);
            double value = std::round((seasonal + noise(random)) * 100.0) / 100.0;
            series.AppendPoint(start + int64_t{i} * shape.stepSeconds, value, i % 50 == 49 ? 1 : 0);
        }
        source.series.push_back(std::move(series));
    }
    store.AddSource(std::move(source));
}

size_t WriteLargeProject(const std::string& path, const LargeProjectShape& shape) {
    ConsoleUserInterface ui;
    DocumentEnvironment env;
    env.programDir = "/nonexistent/";
    env.applyWorkingDirectory = false;
    CZAVDoc doc(ui, env);
    FillLargeStore(doc.FieldManager(), shape);
    std::string text = doc.ProjectText();
    WriteFileSafely(path, text);
    return text.size();
}

}  // namespace zav::bench
