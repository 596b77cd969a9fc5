#include "app/graphs/GraphView.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRubberBand>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QXYSeries>
#include <cmath>
#include <functional>

#include "analysis/GraphAxes.h"
#include "app/frame/FileDialogs.h"
#include "app/graphs/GraphFiles.h"
#include "app/graphs/GraphSave.h"
#include "app/graphs/HeatMapPainter.h"

// The chart view of a graph window: it remembers whether the last press hit
// a drawn element (a series), which is no click on empty graph area.
class GraphChartView : public QChartView {
public:
    explicit GraphChartView(QWidget* parent) : QChartView(parent) {
        setRenderHint(QPainter::Antialiasing);
        setMouseTracking(true);
    }
    void MarkHit() { m_hit = true; }
    void ClearHit() { m_hit = false; }
    std::function<void()> onEmptyClick;

protected:
    // A click on empty graph area: not on a series, not on the legend, and
    // not the end of a drag.
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

// The heat map, drawn straight onto the widget.
class HeatMapCanvas : public QWidget {
public:
    HeatMapCanvas(const zav::GraphDescription& graph, const graphs::GraphWindow& window,
                  QWidget* parent)
        : QWidget(parent), m_graph(graph), m_window(window) {
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        graphs::PaintHeatMap(painter, QRectF(rect()), m_graph, m_window);
    }

private:
    const zav::GraphDescription& m_graph;
    const graphs::GraphWindow& m_window;
};

namespace {

// Each wheel notch zooms by this much.
constexpr double kWheelZoom = 0.8;
// A press that moves less than this many pixels is a click.
constexpr int kDragDistance = 5;
// Arrow keys move the view by this share of it.
constexpr double kKeyPan = 0.1;
// The shortest span the time axis shows, in seconds, and the smallest share
// of the whole value range.
constexpr double kShortestSpan = 10.0;
constexpr double kSmallestValueShare = 1e-9;

const char* const kPictureFilter =
    "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf||";

bool ShowsValues(const zav::GraphDescription& graph) {
    return graph.kind != zav::GraphKind::kAvailability && graph.kind != zav::GraphKind::kHeatMap;
}

// Asks for a picture's size, starting from `size`; false when cancelled.
bool AskPictureSize(QWidget* parent, QSize& size) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Picture Size"));
    auto* form = new QFormLayout(&dialog);
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(graphs::kSmallestSide, graphs::kLargestSide);
        box->setSuffix(QStringLiteral(" px"));
    }
    width->setValue(size.width());
    height->setValue(size.height());
    form->addRow(QStringLiteral("&Width:"), width);
    form->addRow(QStringLiteral("&Height:"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    size = QSize(width->value(), height->value());
    return true;
}

}  // namespace

GraphView::GraphView(zav::GraphDescription graph, QWidget* parent, FileDialogs* dialogs)
    : QWidget(parent, Qt::Window),
      m_graph(std::move(graph)),
      m_full(graphs::FullWindow(m_graph)),
      m_window(m_full),
      m_dialogs(dialogs),
      m_readout(new QLabel(this)),
      m_groupHint(new QLabel(this)),
      m_reset(new QPushButton(QStringLiteral("&Reset Zoom"), this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    // The graph's name tells the kinds of graph apart, as its saved look
    // would be found by it.
    setObjectName(QString::fromStdString(m_graph.name));
    setWindowTitle(QStringLiteral("Graph"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    BuildMenus(*bar);
    layout->setMenuBar(bar);
    QWidget* canvas = nullptr;
    if (m_graph.kind == zav::GraphKind::kHeatMap) {
        m_heat = new HeatMapCanvas(m_graph, m_window, this);
        canvas = m_heat;
    } else {
        m_view = new GraphChartView(this);
        m_view->setFocusPolicy(Qt::NoFocus);
        m_view->onEmptyClick = [this] { NextGroup(); };
        canvas = m_view->viewport();
        layout->addWidget(m_view, 1);
    }
    if (m_heat) {
        layout->addWidget(m_heat, 1);
    }
    canvas->installEventFilter(this);
    auto* status = new QHBoxLayout;
    status->setContentsMargins(8, 2, 8, 4);
    status->addWidget(m_readout, 1);
    status->addWidget(m_groupHint);
    status->addWidget(m_reset);
    m_reset->setFocusPolicy(Qt::NoFocus);
    m_reset->setToolTip(QStringLiteral("Show the whole graph again (Escape)"));
    connect(m_reset, &QPushButton::clicked, this, &GraphView::ResetZoom);
    layout->addLayout(status);
    m_groupHint->setVisible(GroupCount() > 1);
    resize(800, 600);
    LoadGroup();
}

GraphView::~GraphView() = default;

void GraphView::BuildMenus(QMenuBar& bar) {
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    QAction* save = file->addAction(QStringLiteral("Save &As..."), this, &GraphView::OnSaveAs);
    save->setShortcuts({QKeySequence::SaveAs, QKeySequence::Save});
    file->addAction(QStringLiteral("&Copy"), this, &GraphView::OnCopy)
        ->setShortcut(QKeySequence::Copy);
    file->addAction(QStringLiteral("&Print..."), this, &GraphView::OnPrint)
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, &QWidget::close)
        ->setShortcut(QKeySequence::Close);
    QMenu* view = bar.addMenu(QStringLiteral("&View"));
    view->addAction(QStringLiteral("Zoom &In"), this,
                    [this] { ZoomAbout(PlotArea().center(), kWheelZoom, ShowsValues(m_graph)); })
        ->setShortcut(QKeySequence::ZoomIn);
    view->addAction(
            QStringLiteral("Zoom &Out"), this,
            [this] { ZoomAbout(PlotArea().center(), 1.0 / kWheelZoom, ShowsValues(m_graph)); })
        ->setShortcut(QKeySequence::ZoomOut);
    view->addAction(QStringLiteral("&Reset Zoom"), this, &GraphView::ResetZoom);
}

QChart* GraphView::Chart() const {
    return m_view ? m_view->chart() : nullptr;
}

QChartView* GraphView::ChartView() const {
    return m_view;
}

QWidget* GraphView::Canvas() const {
    return m_view ? m_view->viewport() : static_cast<QWidget*>(m_heat);
}

void GraphView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Ticks for the new size, once the chart has laid itself out.
    QTimer::singleShot(0, this, [this] { ShowWindow(m_window); });
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
    const zav::GraphGroup& group = m_graph.groups[static_cast<size_t>(m_group)];
    if (m_view) {
        QChart* previous = m_view->chart();
        QChart* chart = graphs::BuildChart(m_graph, m_group, m_window);
        GraphChartView* view = m_view;
        for (QAbstractSeries* series : chart->series()) {
            if (auto* xy = qobject_cast<QXYSeries*>(series)) {
                connect(xy, &QXYSeries::pressed, xy, [view] { view->MarkHit(); });
            }
        }
        m_view->setChart(chart);
        delete previous;
    }
    setWindowTitle(QString::fromStdString(group.caption.empty() ? group.title : group.caption));
    m_groupHint->setText(QStringLiteral("%1 of %2. Click an empty part of the graph for the next.")
                             .arg(m_group + 1)
                             .arg(GroupCount()));
}

void GraphView::ShowWindow(const graphs::GraphWindow& window) {
    graphs::GraphWindow w = window;
    // Never narrower than a few seconds or a sliver of the values: the axes
    // would run out of ticks and the arithmetic out of digits.
    if (!(w.x1 - w.x0 >= kShortestSpan)) {
        const double middle = (w.x0 + w.x1) / 2;
        w.x0 = middle - kShortestSpan / 2;
        w.x1 = middle + kShortestSpan / 2;
    }
    const double smallest = (m_full.y1 - m_full.y0) * kSmallestValueShare;
    if (!(w.y1 - w.y0 >= smallest)) {
        const double middle = (w.y0 + w.y1) / 2;
        w.y0 = middle - smallest / 2;
        w.y1 = middle + smallest / 2;
    }
    m_window = w;
    if (m_view && m_view->chart()) {
        graphs::ShowWindow(m_view->chart(), m_graph, m_group, m_window);
    }
    if (m_heat) {
        m_heat->update();
    }
}

void GraphView::ResetZoom() {
    ShowWindow(m_full);
}

QRectF GraphView::PlotArea() const {
    if (m_heat) {
        return graphs::HeatMapPlotArea(QRectF(m_heat->rect()), m_graph);
    }
    if (m_view && m_view->chart()) {
        return m_view->mapFromScene(m_view->chart()->plotArea()).boundingRect();
    }
    return QRectF();
}

QPointF GraphView::ValueAt(QPointF at) const {
    const QRectF plot = PlotArea();
    if (plot.width() <= 0 || plot.height() <= 0) {
        return QPointF(m_window.x0, m_window.y0);
    }
    const double x =
        m_window.x0 + (at.x() - plot.left()) / plot.width() * (m_window.x1 - m_window.x0);
    const double y =
        m_window.y1 - (at.y() - plot.top()) / plot.height() * (m_window.y1 - m_window.y0);
    return QPointF(x, y);
}

void GraphView::ZoomAbout(QPointF at, double factor, bool values) {
    const QPointF centre = ValueAt(at);
    graphs::GraphWindow w = m_window;
    w.x0 = centre.x() + (w.x0 - centre.x()) * factor;
    w.x1 = centre.x() + (w.x1 - centre.x()) * factor;
    if (values) {
        w.y0 = centre.y() + (w.y0 - centre.y()) * factor;
        w.y1 = centre.y() + (w.y1 - centre.y()) * factor;
    }
    ShowWindow(w);
}

void GraphView::Pan(double across, double up) {
    graphs::GraphWindow w = m_window;
    const double dx = (w.x1 - w.x0) * across;
    const double dy = (w.y1 - w.y0) * up;
    w.x0 += dx;
    w.x1 += dx;
    w.y0 += dy;
    w.y1 += dy;
    ShowWindow(w);
}

void GraphView::ZoomTo(const QRectF& rect) {
    const QPointF a = ValueAt(rect.topLeft());
    const QPointF b = ValueAt(rect.bottomRight());
    graphs::GraphWindow w = m_window;
    w.x0 = std::min(a.x(), b.x());
    w.x1 = std::max(a.x(), b.x());
    if (ShowsValues(m_graph)) {
        w.y0 = std::min(a.y(), b.y());
        w.y1 = std::max(a.y(), b.y());
    }
    ShowWindow(w);
}

QString GraphView::Readout(QPointF at) const {
    if (!PlotArea().contains(at)) {
        return QString();
    }
    const QPointF value = ValueAt(at);
    const QString time = QString::fromStdString(zav::InstantText(value.x())).trimmed();
    if (ShowsValues(m_graph)) {
        const QString units = QString::fromStdString(m_graph.leftTitle);
        return QStringLiteral("%1   %2 %3")
            .arg(time, QString::number(value.y(), 'g', 6), units)
            .trimmed();
    }
    if (m_heat) {
        // The row under the cursor and what its cell says.
        const QRectF plot = PlotArea();
        const double rows = static_cast<double>(m_graph.heatMap.rows.size());
        const long row = static_cast<long>((at.y() - plot.top()) / plot.height() * rows);
        const std::string cell =
            row < 0 ? std::string()
                    : zav::HeatMapCellText(m_graph, static_cast<size_t>(row), value.x());
        return cell.empty() ? time
                            : QStringLiteral("%1   %2").arg(time, QString::fromStdString(cell));
    }
    // The item whose strip is under the cursor.
    std::vector<std::string> names;
    if (m_graph.groups.empty()) {
        return time;
    }
    for (const zav::GraphSeries& strip : m_graph.groups.front().series) {
        names.push_back(strip.name);
    }
    const long index = std::lround(value.y()) - 1;
    if (index >= 0 && index < static_cast<long>(names.size())) {
        return QStringLiteral("%1   %2").arg(time, QString::fromStdString(names[index]));
    }
    return time;
}

bool GraphView::SaveAs(const QString& path, QSize size, QString& error) const {
    const graphs::GraphPicture picture{&m_graph, m_group, 1, m_window};
    return graphs::SaveGraphPicture(picture, path, size, error);
}

void GraphView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Home:
            ResetZoom();
            return;
        case Qt::Key_Left:
            Pan(-kKeyPan, 0);
            return;
        case Qt::Key_Right:
            Pan(kKeyPan, 0);
            return;
        case Qt::Key_Up:
            Pan(0, kKeyPan);
            return;
        case Qt::Key_Down:
            Pan(0, -kKeyPan);
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomAbout(PlotArea().center(), kWheelZoom, ShowsValues(m_graph));
            return;
        case Qt::Key_Minus:
            ZoomAbout(PlotArea().center(), 1.0 / kWheelZoom, ShowsValues(m_graph));
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool GraphView::eventFilter(QObject* watched, QEvent* event) {
    QWidget* canvas = Canvas();
    if (watched != canvas) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            setFocus();
            m_pressAt = mouse->position();
            m_dragging = false;
            if (mouse->button() == Qt::MiddleButton) {
                m_panning = true;
                return true;
            }
            if (m_view) {
                m_view->ClearHit();
            }
            return false;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPointF at = mouse->position();
            m_readout->setText(Readout(at));
            if (m_panning) {
                const QRectF plot = PlotArea();
                if (plot.width() > 0 && plot.height() > 0) {
                    Pan(-(at.x() - m_pressAt.x()) / plot.width(),
                        (at.y() - m_pressAt.y()) / plot.height());
                }
                m_pressAt = at;
                return true;
            }
            if ((mouse->buttons() & Qt::LeftButton) &&
                (m_dragging || (at - m_pressAt).manhattanLength() > kDragDistance)) {
                if (m_band == nullptr) {
                    m_band = new QRubberBand(QRubberBand::Rectangle, canvas);
                }
                m_dragging = true;
                m_band->setGeometry(QRectF(m_pressAt, at).normalized().toRect());
                m_band->show();
                return true;
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::MiddleButton) {
                m_panning = false;
                return true;
            }
            if (mouse->button() != Qt::LeftButton) {
                return false;
            }
            if (m_dragging) {
                m_dragging = false;
                m_band->hide();
                ZoomTo(QRectF(m_pressAt, mouse->position()).normalized());
                // The view sees the release too, but it ends no click.
                if (m_view) {
                    m_view->MarkHit();
                }
            }
            return false;
        }
        case QEvent::Wheel: {
            auto* wheel = static_cast<QWheelEvent*>(event);
            const double notches = wheel->angleDelta().y() / 120.0;
            if (notches != 0.0) {
                // Ctrl keeps the values as they are and zooms time alone.
                const bool values =
                    ShowsValues(m_graph) && !(wheel->modifiers() & Qt::ControlModifier);
                ZoomAbout(wheel->position(), std::pow(kWheelZoom, notches), values);
            }
            return true;
        }
        case QEvent::Leave:
            m_readout->clear();
            return false;
        default:
            return false;
    }
}

void GraphView::OnSaveAs() {
    QtFileDialogs fallback;
    FileDialogs& dialogs = m_dialogs ? *m_dialogs : fallback;
    const QString path = dialogs.ChooseSaveFile(
        this, QStringLiteral("Save Graph As"), QString::fromLatin1(kPictureFilter),
        QString::fromStdString(m_graph.name) + QStringLiteral(".png"), QStringLiteral("png"));
    if (path.isEmpty()) {
        return;
    }
    QSize size = Canvas()->size();
    if (!AskPictureSize(this, size)) {
        return;
    }
    QString error;
    if (!SaveAs(path, size, error)) {
        QMessageBox::warning(this, QStringLiteral("Save Graph As"), error);
    }
}

void GraphView::OnCopy() {
    const graphs::GraphPicture picture{&m_graph, m_group, 1, m_window};
    QApplication::clipboard()->setImage(graphs::GraphImage(picture, Canvas()->size()));
}

void GraphView::OnPrint() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    graphs::PrintGraphPicture(graphs::GraphPicture{&m_graph, m_group, 1, m_window}, printer);
}
