#include "app/graphs/GraphView.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <functional>

// The chart view of a graph window: it tells apart a click on a drawn
// element (a series or the legend) from one on empty graph area.
class GraphChartView : public QChartView {
public:
    explicit GraphChartView(QWidget* parent) : QChartView(parent) {
        setRenderHint(QPainter::Antialiasing);
    }
    std::function<void()> onEmptyClick;
    void MarkHit() { m_hit = true; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_hit = false;
        QChartView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QChartView::mouseReleaseEvent(event);
        const QPointF scenePos = mapToScene(event->position().toPoint());
        const bool onLegend = chart() && chart()->legend()->isVisible() &&
                              chart()->legend()->sceneBoundingRect().contains(scenePos);
        if (event->button() == Qt::LeftButton && !m_hit && !onLegend && onEmptyClick) {
            onEmptyClick();
        }
    }

private:
    bool m_hit = false;
};

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
// Room the y axis, its title and the margins leave for the x labels.
constexpr int kBesidePlot = 160;
constexpr int kLabelGap = 10;

QColor SeriesColor(size_t index) {
    return kSeriesColors[index % std::size(kSeriesColors)];
}

class ChartBuilder {
public:
    ChartBuilder(const GraphDescription& graph, GraphChartView& view)
        : m_graph(graph), m_view(view), m_chart(new QChart) {}

    QChart* Build(const GraphGroup& group) {
        m_chart->setTitle(QString::fromStdString(group.title));
        QFont title = m_chart->titleFont();
        title.setPointSizeF(title.pointSizeF() * 1.3);
        title.setBold(true);
        m_chart->setTitleFont(title);
        m_chart->setAnimationOptions(QChart::NoAnimation);
        m_chart->legend()->setAlignment(Qt::AlignBottom);
        AddXAxis();
        AddYAxis();
        for (size_t i = 0; i < group.series.size(); ++i) {
            AddSeries(group.series[i], i);
        }
        for (const GraphSeries& overlay : group.overlays) {
            AddThreshold(overlay);
        }
        return m_chart;
    }

private:
    void AddXAxis() {
        auto* axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        for (int i = 0; i < m_graph.PointCount(); ++i) {
            const QString label = QString::fromStdString(m_graph.xLabels[static_cast<size_t>(i)]);
            if (m_graph.ShowsXLabel(i) && !axis->categoriesLabels().contains(label)) {
                axis->append(label, i);
            }
        }
        // Half an interval beyond the first and last point, so that their
        // marks are drawn whole.
        axis->setRange(-0.5, m_graph.PointCount() - 0.5);
        axis->setTruncateLabels(false);
        axis->setGridLineVisible(m_graph.fineGrid);
        axis->setTitleText(QString::fromStdString(m_graph.bottomTitle));
        m_chart->addAxis(axis, Qt::AlignBottom);
        m_x = axis;
    }

    void AddYAxis() {
        if (m_graph.kind == GraphKind::kAvailability) {
            auto* axis = new QCategoryAxis;
            axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
            for (size_t i = 0; i < m_graph.yLabels.size(); ++i) {
                axis->append(QString::fromStdString(m_graph.yLabels[i]),
                             static_cast<double>(i + 1));
            }
            // Half a strip above the top one, which is drawn whole.
            axis->setRange(m_graph.yMin, m_graph.yMax + 0.5);
            axis->setGridLineVisible(m_graph.yTicks > 0);
            m_y = axis;
        } else {
            auto* axis = new QValueAxis;
            axis->setRange(m_graph.yMin, m_graph.yMax);
            axis->setTickCount(m_graph.yTicks + 1);
            axis->setMinorTickCount(m_graph.fineGrid ? 1 : 0);
            axis->setLabelFormat(QStringLiteral("%g"));
            m_y = axis;
        }
        m_y->setTitleText(QString::fromStdString(m_graph.leftTitle));
        m_chart->addAxis(m_y, Qt::AlignLeft);
    }

    template <class Series>
    Series* Attach(Series* series) {
        m_chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        GraphChartView* view = &m_view;
        QObject::connect(series, &QXYSeries::pressed, series, [view] { view->MarkHit(); });
        QObject::connect(series, &QXYSeries::clicked, series, [view] { view->MarkHit(); });
        return series;
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
        if (m_graph.kind == GraphKind::kValuesMaxMeanMin) {
            AddEveryPoint(series, kMaxMeanMinColors[index % 3], index == 2 ? 3 : 2);
        } else {
            AddPresentPoints(series, SeriesColor(index));
        }
    }

    void AddEveryPoint(const GraphSeries& series, const QColor& color, int width) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(series.name));
        for (size_t i = 0; i < series.values.size(); ++i) {
            line->append(static_cast<double>(i), series.values[i]);
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
            const QPointF point(static_cast<double>(i), series.values[i]);
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

    void AddThreshold(const GraphSeries& overlay) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(overlay.name));
        for (size_t i = 0; i < overlay.values.size(); ++i) {
            line->append(static_cast<double>(i), overlay.values[i]);
        }
        // A single point still shows as a level line across its interval.
        if (overlay.values.size() == 1) {
            line->replace(0, QPointF(-0.5, overlay.values[0]));
            line->append(0.5, overlay.values[0]);
        }
        line->setPen(QPen(kThresholdColor, 2, Qt::DashLine));
        Attach(line);
    }

    const GraphDescription& m_graph;
    GraphChartView& m_view;
    QChart* m_chart;
    QAbstractAxis* m_x = nullptr;
    QAbstractAxis* m_y = nullptr;
};

}  // namespace

GraphView::GraphView(zav::GraphDescription graph, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_graph(std::move(graph)),
      m_view(new GraphChartView(this)),
      m_groupHint(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The graph's name tells the kinds of graph apart, as its saved look
    // would be found by it.
    setObjectName(QString::fromStdString(m_graph.name));
    setWindowTitle(QStringLiteral("Graph"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    m_groupHint->setContentsMargins(8, 2, 8, 4);
    m_groupHint->setVisible(GroupCount() > 1);
    layout->addWidget(m_groupHint);
    m_view->onEmptyClick = [this] { NextGroup(); };
    resize(800, 600);
    LoadGroup();
}

GraphView::~GraphView() = default;

void GraphView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitXLabels();
}

void GraphView::FitXLabels() {
    QChart* chart = m_view->chart();
    const QList<QAbstractAxis*> axes = chart->axes(Qt::Horizontal);
    auto* axis = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.front());
    if (axis == nullptr) {
        return;
    }
    // Level while they fit side by side, else upright.
    const QFontMetrics metrics(axis->labelsFont());
    int needed = 0;
    for (const QString& label : axis->categoriesLabels()) {
        needed += metrics.horizontalAdvance(label) + kLabelGap;
    }
    axis->setLabelsAngle(needed > width() - kBesidePlot ? -90 : 0);
}

QChart* GraphView::Chart() const {
    return m_view->chart();
}

QChartView* GraphView::ChartView() const {
    return m_view;
}

void GraphView::NextGroup() {
    if (GroupCount() == 0) {
        return;
    }
    m_group = (m_group + 1) % GroupCount();
    LoadGroup();
}

void GraphView::LoadGroup() {
    if (GroupCount() == 0) {
        return;
    }
    const GraphGroup& group = m_graph.groups[static_cast<size_t>(m_group)];
    QChart* previous = m_view->chart();
    m_view->setChart(ChartBuilder(m_graph, *m_view).Build(group));
    delete previous;
    FitXLabels();
    setWindowTitle(QString::fromStdString(group.caption.empty() ? group.title : group.caption));
    m_groupHint->setText(QStringLiteral("%1 of %2. Click an empty part of the graph for the next.")
                             .arg(m_group + 1)
                             .arg(GroupCount()));
}
