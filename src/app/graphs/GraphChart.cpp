#include "app/graphs/GraphChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <algorithm>
#include <cmath>

#include "analysis/GraphAxes.h"
#include "app/graphs/HeatMapPainter.h"

namespace graphs {

namespace {

using zav::GraphDescription;
using zav::GraphGroup;
using zav::GraphKind;
using zav::GraphSeries;

const QColor kSeriesColors[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
                                QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
// Max, min and mean of one station.
const QColor kMaxMeanMinColors[] = {QColor(0xc0, 0x39, 0x2b), QColor(0x28, 0x74, 0xa6),
                                    QColor(0x1e, 0x84, 0x49)};
const QColor kThresholdColor(0xe6, 0x7e, 0x22);
// Few enough points to mark each of them.
constexpr int kMarkedPoints = 100;
// More unbroken runs than this in one series are not joined by lines.
constexpr int kMaxRuns = 200;
// Room a time label and a value label want, in pixels, when choosing how
// many ticks an axis gets; labels that still collide are thinned.
constexpr double kTimeTickRoom = 90.0;
constexpr double kValueTickRoom = 45.0;
constexpr double kLabelGap = 8.0;
// What a chart not yet laid out leaves for its plot beside its axes.
constexpr double kBesidePlot = 140.0;

QColor SeriesColor(size_t index) {
    return kSeriesColors[index % std::size(kSeriesColors)];
}

bool IsValues(const GraphDescription& graph) {
    return graph.kind != GraphKind::kAvailability && graph.kind != GraphKind::kHeatMap;
}

QSizeF PlotSize(QChart* chart) {
    const QRectF area = chart->plotArea();
    if (area.width() > 10 && area.height() > 10) {
        return area.size();
    }
    return QSizeF(std::max(200.0, chart->size().width() - kBesidePlot),
                  std::max(100.0, chart->size().height() - kBesidePlot));
}

// A category axis holds each label once; a repeated label (the same hour on
// two days) is told apart by zero-width spaces, which draw as nothing.
QString UniqueLabel(QCategoryAxis& axis, const QString& label) {
    QString unique = label;
    while (axis.categoriesLabels().contains(unique)) {
        unique += QChar(0x200B);
    }
    return unique;
}

void ClearCategories(QCategoryAxis& axis) {
    for (const QString& label : axis.categoriesLabels()) {
        axis.remove(label);
    }
}

// Every k-th of the ticks, k the smallest that keeps the labels apart
// along `length` pixels of an axis over [from, to].
std::vector<zav::AxisTick> Thinned(const std::vector<zav::AxisTick>& ticks, double from, double to,
                                   double length, const QFontMetricsF& metrics, bool upright) {
    std::vector<double> centres, widths;
    for (const zav::AxisTick& tick : ticks) {
        centres.push_back((tick.at - from) / (to - from) * length);
        widths.push_back(upright ? metrics.height()
                                 : metrics.horizontalAdvance(QString::fromStdString(tick.label)));
    }
    const size_t step = zav::LabelStepToFit(centres, widths, kLabelGap);
    std::vector<zav::AxisTick> kept;
    for (size_t i = 0; i < ticks.size(); i += step) {
        kept.push_back(ticks[i]);
    }
    return kept;
}

void SetTicks(QCategoryAxis& axis, const std::vector<zav::AxisTick>& ticks, double from,
              double to) {
    ClearCategories(axis);
    // A category's label stands at its end, so the first category starts a
    // hair before the axis: a tick right at the start keeps its label.
    axis.setStartValue(from - (to - from) * 1e-9);
    for (const zav::AxisTick& tick : ticks) {
        if (tick.at >= from && tick.at <= to) {
            axis.append(UniqueLabel(axis, QString::fromStdString(tick.label)), tick.at);
        }
    }
    axis.setRange(from, to);
}

void ShowTimeAxis(QCategoryAxis& axis, const GraphWindow& w, double width) {
    const int most = std::max(2, static_cast<int>(width / kTimeTickRoom));
    const std::vector<zav::AxisTick> ticks = zav::TimeTicks(w.x0, w.x1, most);
    SetTicks(axis, Thinned(ticks, w.x0, w.x1, width, QFontMetricsF(axis.labelsFont()), false), w.x0,
             w.x1);
}

void ShowValueAxis(QCategoryAxis& axis, const GraphWindow& w, double height) {
    const int most = std::max(2, static_cast<int>(height / kValueTickRoom));
    SetTicks(axis, zav::ValueTicks(w.y0, w.y1, most), w.y0, w.y1);
}

// The availability axis: item i's name at height i + 1, thinned when the
// strips are closer than the names are tall.
void ShowNameAxis(QCategoryAxis& axis, const GraphDescription& graph, const GraphWindow& w,
                  double height) {
    // Parameters have no labels of their own: they are named by their
    // strips' legend texts, so that the axis and its title keep their place.
    std::vector<std::string> names = graph.yLabels;
    if (names.empty() && !graph.groups.empty()) {
        for (const GraphSeries& strip : graph.groups.front().series) {
            names.push_back(strip.name);
        }
    }
    std::vector<zav::AxisTick> ticks;
    for (size_t i = 0; i < names.size(); ++i) {
        ticks.push_back({static_cast<double>(i + 1), names[i]});
    }
    SetTicks(axis, Thinned(ticks, w.y0, w.y1, height, QFontMetricsF(axis.labelsFont()), true), w.y0,
             w.y1);
}

class ChartBuilder {
public:
    ChartBuilder(const GraphDescription& graph) : m_graph(graph), m_chart(new QChart) {}

    QChart* Build(const GraphGroup& group) {
        m_chart->setTitle(QString::fromStdString(group.title));
        QFont title = m_chart->titleFont();
        title.setPointSizeF(title.pointSizeF() * 1.3);
        title.setBold(true);
        m_chart->setTitleFont(title);
        m_chart->setAnimationOptions(QChart::NoAnimation);
        m_chart->legend()->setAlignment(Qt::AlignBottom);
        m_x = AddAxis(m_graph.bottomTitle, Qt::AlignBottom);
        m_y = AddAxis(m_graph.leftTitle, Qt::AlignLeft);
        for (size_t i = 0; i < group.series.size(); ++i) {
            AddSeries(group.series[i], i);
        }
        for (const GraphSeries& overlay : group.overlays) {
            AddThreshold(overlay);
        }
        return m_chart;
    }

private:
    QCategoryAxis* AddAxis(const std::string& title, Qt::Alignment side) {
        auto* axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setTruncateLabels(false);
        axis->setTitleText(QString::fromStdString(title));
        m_chart->addAxis(axis, side);
        return axis;
    }

    template <class Series>
    Series* Attach(Series* series) {
        m_chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        return series;
    }

    double TimeOf(size_t i) const {
        return i < m_graph.xTimes.size() ? m_graph.xTimes[i] : static_cast<double>(i);
    }

    // Unbroken runs of two points or more.
    static int RunCount(const GraphSeries& series) {
        int runs = 0;
        for (size_t i = 0; i + 1 < series.missing.size(); ++i) {
            const bool starts =
                !series.missing[i] && !series.missing[i + 1] && (i == 0 || series.missing[i - 1]);
            runs += starts ? 1 : 0;
        }
        return runs;
    }

    void HideFromLegend(QAbstractSeries* series) {
        for (QLegendMarker* marker : m_chart->legend()->markers(series)) {
            marker->setVisible(false);
        }
    }

    void AddSeries(const GraphSeries& series, size_t index) {
        switch (m_graph.kind) {
            case GraphKind::kValuesMaxMeanMin:
                AddEveryPoint(series, kMaxMeanMinColors[index % 3], index == 2 ? 3 : 2);
                break;
            case GraphKind::kRawPoints: {
                // Filled with the points in view by ShowWindow.
                auto* line = Attach(new QLineSeries);
                line->setName(QString::fromStdString(series.name));
                line->setPen(QPen(SeriesColor(index), 1.5));
                break;
            }
            default:
                AddPresentPoints(series, SeriesColor(index));
        }
    }

    void AddEveryPoint(const GraphSeries& series, const QColor& color, int width) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(series.name));
        for (size_t i = 0; i < series.values.size(); ++i) {
            line->append(TimeOf(i), series.values[i]);
        }
        line->setPen(QPen(color, width));
        line->setPointsVisible(m_graph.PointCount() <= kMarkedPoints);
        Attach(line);
    }

    // Points where there are data, joined along each unbroken run; a
    // missing point leaves a gap. Each point is marked while there are few;
    // with many, only those that stand alone. Data broken into very many
    // runs are only marked: a line per run would take the chart seconds.
    void AddPresentPoints(const GraphSeries& series, const QColor& color) {
        const bool strip = m_graph.kind == GraphKind::kAvailability;
        const bool joined = RunCount(series) <= kMaxRuns;
        const bool markAll = m_graph.PointCount() <= kMarkedPoints || !joined;
        auto* marks = new QScatterSeries;
        marks->setName(QString::fromStdString(series.name));
        marks->setMarkerShape(strip ? QScatterSeries::MarkerShapeRectangle
                                    : QScatterSeries::MarkerShapeCircle);
        marks->setMarkerSize(strip ? 8 : 7);
        marks->setColor(color);
        marks->setBorderColor(color);
        const size_t n = series.values.size();
        auto present = [&series, n](size_t i) { return i < n && !series.missing[i]; };
        QLineSeries* run = nullptr;
        for (size_t i = 0; i < n; ++i) {
            if (!present(i)) {
                run = nullptr;
                continue;
            }
            const QPointF point(TimeOf(i), series.values[i]);
            const bool alone = (i == 0 || !present(i - 1)) && !present(i + 1);
            if (markAll || alone) {
                marks->append(point);
            }
            if (joined && run == nullptr && present(i + 1)) {
                run = Attach(new QLineSeries);
                run->setPen(QPen(color, strip ? (markAll ? 4 : 6) : 2));
                HideFromLegend(run);
            }
            if (run != nullptr) {
                run->append(point);
            }
        }
        Attach(marks);
    }

    // The threshold across the whole span, at every point's time where the
    // graph has points at interval times.
    void AddThreshold(const GraphSeries& overlay) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(overlay.name));
        const double level = overlay.values.empty() ? 0.0 : overlay.values.front();
        const GraphWindow full = FullWindow(m_graph);
        if (m_graph.kind == GraphKind::kRawPoints || overlay.values.size() == 1) {
            line->append(full.x0, level);
            line->append(full.x1, level);
        } else {
            for (size_t i = 0; i < overlay.values.size(); ++i) {
                line->append(TimeOf(i), overlay.values[i]);
            }
        }
        line->setPen(QPen(kThresholdColor, 2, Qt::DashLine));
        Attach(line);
    }

    const GraphDescription& m_graph;
    QChart* m_chart;
    QCategoryAxis* m_x = nullptr;
    QCategoryAxis* m_y = nullptr;
};

QCategoryAxis* AxisOf(QChart* chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.front());
}

// The raw points in view, as many as the plot's width needs.
void ShowRawPoints(QChart* chart, const GraphGroup& group, const GraphWindow& w, double width) {
    const QList<QAbstractSeries*> all = chart->series();
    const int columns = std::max(50, static_cast<int>(std::ceil(width)));
    for (size_t i = 0; i < group.series.size() && i < static_cast<size_t>(all.size()); ++i) {
        auto* line = qobject_cast<QLineSeries*>(all[static_cast<qsizetype>(i)]);
        const GraphSeries& series = group.series[i];
        const std::vector<size_t> kept =
            zav::DecimateMinMax(series.times, series.values, w.x0, w.x1, columns);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(kept.size()));
        for (size_t k : kept) {
            points.append(QPointF(series.times[k], series.values[k]));
        }
        line->replace(points);
        line->setPointsVisible(points.size() <= kMarkedPoints);
    }
}

}  // namespace

GraphWindow FullWindow(const GraphDescription& graph) {
    GraphWindow w;
    if (graph.xEdges.size() >= 2) {
        w.x0 = graph.xEdges.front();
        w.x1 = graph.xEdges.back();
    }
    w.y0 = graph.yMin;
    w.y1 = graph.yMax;
    if (!IsValues(graph)) {
        w.y1 = graph.yMax + 0.5;  // half a strip above the top one, drawn whole
    }
    if (!(w.y1 > w.y0)) {
        w.y1 = w.y0 + 1.0;
    }
    return w;
}

QChart* BuildChart(const GraphDescription& graph, int group, const GraphWindow& window) {
    const GraphGroup& shown = graph.groups.at(static_cast<size_t>(group));
    QChart* chart = ChartBuilder(graph).Build(shown);
    ShowWindow(chart, graph, group, window);
    return chart;
}

void ShowWindow(QChart* chart, const GraphDescription& graph, int group,
                const GraphWindow& window) {
    QCategoryAxis* x = AxisOf(chart, Qt::Horizontal);
    QCategoryAxis* y = AxisOf(chart, Qt::Vertical);
    if (x == nullptr || y == nullptr) {
        return;
    }
    const QSizeF plot = PlotSize(chart);
    ShowTimeAxis(*x, window, plot.width());
    if (IsValues(graph)) {
        ShowValueAxis(*y, window, plot.height());
    } else {
        ShowNameAxis(*y, graph, window, plot.height());
    }
    if (graph.kind == GraphKind::kRawPoints) {
        ShowRawPoints(chart, graph.groups.at(static_cast<size_t>(group)), window, plot.width());
    }
}

GraphWindow WindowOf(QChart* chart) {
    GraphWindow w;
    if (QCategoryAxis* x = AxisOf(chart, Qt::Horizontal)) {
        w.x0 = x->min();
        w.x1 = x->max();
    }
    if (QCategoryAxis* y = AxisOf(chart, Qt::Vertical)) {
        w.y0 = y->min();
        w.y1 = y->max();
    }
    return w;
}

void PaintGraph(QPainter& painter, const QRectF& target, const GraphDescription& graph,
                int firstGroup, int groupCount, const GraphWindow& window) {
    if (graph.kind == GraphKind::kHeatMap) {
        PaintHeatMap(painter, target, graph, window);
        return;
    }
    const int count = std::min<int>(groupCount, static_cast<int>(graph.groups.size()) - firstGroup);
    if (count <= 0) {
        return;
    }
    const double height = target.height() / count;
    for (int i = 0; i < count; ++i) {
        QGraphicsScene scene;
        QChart* chart = BuildChart(graph, firstGroup + i, window);
        scene.addItem(chart);
        chart->resize(target.width(), height);
        chart->layout()->activate();
        // Ticks for the size the chart now has.
        ShowWindow(chart, graph, firstGroup + i, window);
        chart->layout()->activate();
        const QRectF panel(target.left(), target.top() + i * height, target.width(), height);
        scene.render(&painter, panel, QRectF(0, 0, target.width(), height));
    }
}

}  // namespace graphs
