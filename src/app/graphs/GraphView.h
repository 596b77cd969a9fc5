// GraphView: a graph window, opened by the availability page's "Graph"
// button, one per press. It owns a copy of everything it draws (the graph's
// description) and shows one group at a time; a click on an empty part of
// the graph shows the next group, after the last the first.
//
// The graph can be zoomed (drag a rectangle, the wheel about the cursor,
// + and -), panned (middle button drag, arrow keys) and reset (the button,
// Escape or Home); the time and value under the cursor show below it. File
// saves it as PNG, SVG or PDF at a chosen size, copies it or prints it.
#pragma once

#include <QWidget>

#include "analysis/GraphDescription.h"
#include "app/graphs/GraphChart.h"

class FileDialogs;
class GraphChartView;
class HeatMapCanvas;
class QChart;
class QChartView;
class QLabel;
class QMenuBar;
class QPushButton;

class GraphView : public QWidget {
    Q_OBJECT
public:
    // A top-level window over `parent`, deleted when closed.
    // `dialogs` asks for the file to save to; Qt's own dialogs when null.
    explicit GraphView(zav::GraphDescription graph, QWidget* parent = nullptr,
                       FileDialogs* dialogs = nullptr);
    ~GraphView() override;

    void NextGroup();
    int CurrentGroup() const { return m_group; }
    int GroupCount() const { return static_cast<int>(m_graph.groups.size()); }
    const zav::GraphDescription& Description() const { return m_graph; }
    // Null for the heat map, which is drawn without a chart.
    QChart* Chart() const;
    QChartView* ChartView() const;
    // The widget the graph is drawn on, where the mouse works.
    QWidget* Canvas() const;

    const graphs::GraphWindow& Window() const { return m_window; }
    void ShowWindow(const graphs::GraphWindow& window);
    void ResetZoom();
    // Zooms by `factor` (below 1 zooms in) about the point at `at` (in the
    // canvas), the time axis always and the values when `values`.
    void ZoomAbout(QPointF at, double factor, bool values);
    // Moves the view by a share of its width and height.
    void Pan(double across, double up);
    // Shows the part of the graph inside `rect` (canvas pixels).
    void ZoomTo(const QRectF& rect);
    // "7/14/1995 15:30:00  4.25 mg/l" for the point at `at`, empty off the plot.
    QString Readout(QPointF at) const;

    // The picture of what is shown, as File > Save As draws it.
    bool SaveAs(const QString& path, QSize size, QString& error) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus(QMenuBar& bar);
    void LoadGroup();
    QRectF PlotArea() const;
    QPointF ValueAt(QPointF at) const;
    void OnSaveAs();
    void OnCopy();
    void OnPrint();

    zav::GraphDescription m_graph;
    int m_group = 0;
    graphs::GraphWindow m_full;
    graphs::GraphWindow m_window;
    FileDialogs* m_dialogs;
    GraphChartView* m_view = nullptr;
    HeatMapCanvas* m_heat = nullptr;
    QLabel* m_readout;
    QLabel* m_groupHint;
    QPushButton* m_reset;
    // Mouse work in progress on the canvas.
    QPointF m_pressAt;
    bool m_dragging = false;
    bool m_panning = false;
    class QRubberBand* m_band = nullptr;
};
