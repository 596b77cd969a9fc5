// Drawing a long series: a raw points graph of 1 and 10 million points, one
// point a minute, drawn whole into a 1200 x 700 picture (decimation to the
// plot's pixel columns, chart, axes and paint), and the decimation alone.
// Target: 10 million points well under half a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "analysis/GraphAxes.h"
#include "analysis/GraphDescription.h"
#include "app/graphs/GraphChart.h"

namespace {

// A day's swing, a slow drift and a spike every 100 000 points.
zav::GraphDescription LongSeries(size_t points) {
    zav::GraphDescription graph;
    graph.name = "zav_data_points";
    graph.kind = zav::GraphKind::kRawPoints;
    graph.bottomTitle = "Time";
    graph.leftTitle = "m";
    zav::GraphSeries series;
    series.name = "Gauge";
    series.times.resize(points);
    series.values.resize(points);
    const double start = 25.0 * 365 * 86400;  // 1995
    for (size_t i = 0; i < points; ++i) {
        series.times[i] = start + 60.0 * static_cast<double>(i);
        series.values[i] = 2 + std::sin(static_cast<double>(i) * 2 * M_PI / 1440) +
                           static_cast<double>(i) * 1e-7 + (i % 100000 == 0 ? 5 : 0);
    }
    graph.xEdges = {series.times.front(), series.times.back() + 60};
    graph.yMin = 0;
    graph.yMax = 10;
    graph.groups.push_back({"Stage", "Gauge", {std::move(series)}, {}});
    return graph;
}

void BM_DrawRawPoints(benchmark::State& state) {
    const zav::GraphDescription graph = LongSeries(static_cast<size_t>(state.range(0)));
    const graphs::GraphWindow window = graphs::FullWindow(graph);
    QImage image(1200, 700, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        graphs::PaintGraph(painter, QRectF(0, 0, 1200, 700), graph, 0, 1, window);
    }
    state.counters["points"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_DrawRawPoints)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_DecimateOnly(benchmark::State& state) {
    const zav::GraphDescription graph = LongSeries(static_cast<size_t>(state.range(0)));
    const zav::GraphSeries& series = graph.groups[0].series[0];
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::DecimateMinMax(
            series.times, series.values, graph.xEdges.front(), graph.xEdges.back(), 1100));
    }
}
BENCHMARK(BM_DecimateOnly)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
