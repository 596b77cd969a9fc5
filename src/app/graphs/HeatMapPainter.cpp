#include "app/graphs/HeatMapPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/GraphAxes.h"

namespace graphs {

namespace {

const QColor kEmpty(0xec, 0xec, 0xec);
const QColor kFull(0x1f, 0x4e, 0x9a);
constexpr double kMargin = 12.0;
constexpr double kBarWidth = 16.0;
constexpr double kTickLength = 4.0;
constexpr double kTimeTickRoom = 90.0;

QFont TitleFont(const QPainter& painter) {
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    return font;
}

// A row without coverage says so after its name, as the colour bar explains.
QString RowName(const zav::GraphDescription& graph, size_t row) {
    const QString name = QString::fromStdString(graph.heatMap.rows[row]);
    return graph.heatMap.presenceOnly[row] ? name + QStringLiteral(" (1/0)") : name;
}

double RowNameWidth(const QFontMetricsF& metrics, const zav::GraphDescription& graph) {
    double widest = 0.0;
    for (size_t row = 0; row < graph.heatMap.rows.size(); ++row) {
        widest = std::max(widest, metrics.horizontalAdvance(RowName(graph, row)));
    }
    return std::min(widest, 220.0);
}

QString Title(const zav::GraphDescription& graph) {
    return graph.groups.empty() ? QString() : QString::fromStdString(graph.groups.front().title);
}

void PaintCells(QPainter& painter, const QRectF& plot, const zav::GraphDescription& graph,
                const GraphWindow& w) {
    const zav::HeatMapCells& map = graph.heatMap;
    const size_t columns = graph.xEdges.size() > 0 ? graph.xEdges.size() - 1 : 0;
    const size_t rows = map.rows.size();
    if (rows == 0 || columns == 0) {
        return;
    }
    const double rowHeight = plot.height() / static_cast<double>(rows);
    auto xOf = [&](double t) {
        return plot.left() + (std::clamp(t, w.x0, w.x1) - w.x0) / (w.x1 - w.x0) * plot.width();
    };
    painter.save();
    painter.setClipRect(plot);
    painter.setPen(Qt::NoPen);
    for (size_t r = 0; r < rows; ++r) {
        const double top = plot.top() + static_cast<double>(r) * rowHeight;
        // Runs of equal cells as one rectangle: thousands of intervals draw
        // as a handful of shapes.
        size_t c = 0;
        while (c < columns) {
            const double share = map.At(r, c, columns);
            size_t end = c + 1;
            while (end < columns && map.At(r, end, columns) == share) {
                ++end;
            }
            const double left = xOf(graph.xEdges[c]);
            const double right = xOf(graph.xEdges[end]);
            if (right > left) {
                painter.setBrush(HeatColor(share));
                painter.drawRect(QRectF(left, top, right - left, rowHeight));
            }
            c = end;
        }
    }
    // A thin white line between rows keeps neighbours apart.
    if (rowHeight >= 6) {
        painter.setPen(QPen(Qt::white, 1));
        for (size_t r = 1; r < rows; ++r) {
            const double y = plot.top() + static_cast<double>(r) * rowHeight;
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    }
    painter.restore();
}

void PaintRowNames(QPainter& painter, const QRectF& target, const QRectF& plot,
                   const zav::GraphDescription& graph) {
    const std::vector<std::string>& rows = graph.heatMap.rows;
    if (rows.empty()) {
        return;
    }
    const QFontMetricsF metrics(painter.font());
    const double rowHeight = plot.height() / static_cast<double>(rows.size());
    // Every k-th name when the rows are thinner than a line of text.
    const size_t step =
        std::max<size_t>(1, static_cast<size_t>(std::ceil(metrics.height() / rowHeight)));
    for (size_t r = 0; r < rows.size(); r += step) {
        const double centre = plot.top() + (static_cast<double>(r) + 0.5) * rowHeight;
        const QRectF box(target.left(), centre - metrics.height() / 2,
                         plot.left() - 6 - target.left(), metrics.height());
        painter.drawText(
            box, Qt::AlignRight | Qt::AlignVCenter,
            metrics.elidedText(RowName(graph, r), Qt::ElideRight, box.width() - kMargin));
    }
}

void PaintTimeAxis(QPainter& painter, const QRectF& plot, const GraphWindow& w,
                   const std::string& title) {
    const QFontMetricsF metrics(painter.font());
    const int most = std::max(2, static_cast<int>(plot.width() / kTimeTickRoom));
    const std::vector<zav::AxisTick> ticks = zav::TimeTicks(w.x0, w.x1, most);
    std::vector<double> centres, widths;
    for (const zav::AxisTick& tick : ticks) {
        centres.push_back((tick.at - w.x0) / (w.x1 - w.x0) * plot.width());
        widths.push_back(metrics.horizontalAdvance(QString::fromStdString(tick.label)));
    }
    const size_t step = zav::LabelStepToFit(centres, widths, 8.0);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (size_t i = 0; i < ticks.size(); i += step) {
        const double x = plot.left() + centres[i];
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString label = QString::fromStdString(ticks[i].label);
        painter.drawText(QPointF(x - widths[i] / 2, plot.bottom() + kTickLength + metrics.ascent()),
                         label);
    }
    const QString text = QString::fromStdString(title);
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(text) / 2,
                             plot.bottom() + kTickLength + metrics.height() * 2 + 2),
                     text);
}

void PaintColourBar(QPainter& painter, const QRectF& plot, const std::string& title) {
    const QFontMetricsF metrics(painter.font());
    const QRectF bar(plot.right() + kMargin, plot.top(), kBarWidth, plot.height());
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    gradient.setColorAt(0, HeatColor(0));
    gradient.setColorAt(1, HeatColor(1));
    painter.fillRect(bar, gradient);
    painter.drawRect(bar);
    const double textLeft = bar.right() + 4;
    painter.drawText(QPointF(textLeft, bar.top() + metrics.ascent()), QStringLiteral("100"));
    painter.drawText(QPointF(textLeft, bar.center().y() + metrics.ascent() / 2),
                     QStringLiteral("50"));
    painter.drawText(QPointF(textLeft, bar.bottom()), QStringLiteral("0"));
    painter.save();
    // Beside the widest label; the rotated text reaches to the right of its
    // baseline.
    painter.translate(textLeft + metrics.horizontalAdvance(QStringLiteral("100")) + 4,
                      bar.center().y());
    painter.rotate(90);
    const QString text = QString::fromStdString(title);
    painter.drawText(QPointF(-metrics.horizontalAdvance(text) / 2, 0), text);
    painter.restore();
}

}  // namespace

QColor HeatColor(double share) {
    const double s = std::clamp(std::isfinite(share) ? share : 0.0, 0.0, 1.0);
    auto mix = [s](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * s));
    };
    return QColor(mix(kEmpty.red(), kFull.red()), mix(kEmpty.green(), kFull.green()),
                  mix(kEmpty.blue(), kFull.blue()));
}

QRectF HeatMapPlotArea(const QRectF& target, const zav::GraphDescription& graph) {
    QFont font;
    const QFontMetricsF metrics(font);
    const double titleHeight = metrics.height() * 2.2;
    const double left = target.left() + kMargin + RowNameWidth(metrics, graph) + 6;
    const double right = target.right() - kMargin - kBarWidth - 10 -
                         metrics.horizontalAdvance(QStringLiteral("100")) - metrics.height();
    const double top = target.top() + kMargin + titleHeight;
    const double bottom = target.bottom() - kMargin - metrics.height() * 3;
    return QRectF(QPointF(left, top),
                  QPointF(std::max(left + 10, right), std::max(top + 10, bottom)));
}

void PaintHeatMap(QPainter& painter, const QRectF& target, const zav::GraphDescription& graph,
                  const GraphWindow& window) {
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setFont(QFont());
    painter.setPen(Qt::black);
    const QRectF plot = HeatMapPlotArea(target, graph);
    painter.save();
    painter.setFont(TitleFont(painter));
    painter.drawText(QRectF(target.left(), target.top() + kMargin, target.width(),
                            plot.top() - target.top() - kMargin),
                     Qt::AlignHCenter | Qt::AlignTop, Title(graph));
    painter.restore();
    if (window.x1 > window.x0) {
        PaintCells(painter, plot, graph, window);
        PaintTimeAxis(painter, plot, window, graph.bottomTitle);
    }
    PaintRowNames(painter, target, plot, graph);
    PaintColourBar(painter, plot, graph.leftTitle);
    painter.restore();
}

}  // namespace graphs
