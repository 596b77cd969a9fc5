// GraphView: a graph window, opened by the availability page's "Graph"
// button, one per press. It owns a copy of everything it draws (the graph's
// description) and shows one group at a time with Qt Charts; a click on an
// empty part of the graph shows the next group, after the last the first.
#pragma once

#include <QWidget>

#include "analysis/GraphDescription.h"

class GraphChartView;
class QChart;
class QChartView;
class QLabel;

class GraphView : public QWidget {
    Q_OBJECT
public:
    // A top-level window over `parent`, deleted when closed.
    explicit GraphView(zav::GraphDescription graph, QWidget* parent = nullptr);
    ~GraphView() override;

    void NextGroup();
    int CurrentGroup() const { return m_group; }
    int GroupCount() const { return static_cast<int>(m_graph.groups.size()); }
    const zav::GraphDescription& Description() const { return m_graph; }
    QChart* Chart() const;
    QChartView* ChartView() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadGroup();
    void FitXLabels();

    zav::GraphDescription m_graph;
    int m_group = 0;
    GraphChartView* m_view;
    QLabel* m_groupHint;
};
