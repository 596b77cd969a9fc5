#include "app/graphs/GraphSave.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <memory>

#include "app/graphs/GraphFiles.h"

namespace graphs {

namespace {

void Paint(QPainter& painter, const GraphPicture& picture, const QRectF& target) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(target, Qt::white);
    PaintGraph(painter, target, *picture.graph, picture.firstGroup, picture.groupCount,
               picture.window);
}

QByteArray SvgBytes(const GraphPicture& picture, QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QString::fromStdString(picture.graph->name));
    QPainter painter(&svg);
    Paint(painter, picture, QRectF(QPointF(0, 0), size));
    painter.end();
    return buffer.data();
}

// A page exactly the picture's size, one point to a pixel.
QByteArray PdfBytes(const GraphPicture& picture, QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(picture.graph->name));
    QPainter painter(&pdf);
    Paint(painter, picture, QRectF(QPointF(0, 0), size));
    painter.end();
    return buffer.data();
}

QByteArray PngBytes(const GraphPicture& picture, QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    GraphImage(picture, size).save(&buffer, "PNG");
    return buffer.data();
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error =
            QStringLiteral("Unable to write ") + path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

}  // namespace

QImage GraphImage(const GraphPicture& picture, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, picture, QRectF(QPointF(0, 0), size));
    return image;
}

bool SaveGraphPicture(const GraphPicture& picture, const QString& path, QSize size,
                      QString& error) {
    const std::string kind = GraphFileKind(path.toStdString());
    if (kind.empty()) {
        error = QStringLiteral("A graph is saved as .png, .svg or .pdf: ") + path;
        return false;
    }
    if (size.width() < kSmallestSide || size.height() < kSmallestSide ||
        size.width() > kLargestSide || size.height() > kLargestSide) {
        error = QStringLiteral("A graph's size must be %1 to %2 pixels each way.")
                    .arg(kSmallestSide)
                    .arg(kLargestSide);
        return false;
    }
    const QByteArray bytes = kind == "svg"   ? SvgBytes(picture, size)
                             : kind == "pdf" ? PdfBytes(picture, size)
                                             : PngBytes(picture, size);
    if (bytes.isEmpty()) {
        error = QStringLiteral("Unable to draw the graph for ") + path;
        return false;
    }
    return WriteWhole(path, bytes, error);
}

void PrintGraphPicture(const GraphPicture& picture, QPrinter& printer) {
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Drawn at screen size and scaled to the page, so text keeps its size
    // relative to the graph.
    const QSizeF drawn(1000, 1000 * page.height() / std::max(1.0, page.width()));
    painter.scale(page.width() / drawn.width(), page.height() / drawn.height());
    Paint(painter, picture, QRectF(QPointF(0, 0), drawn));
}

std::string GraphFileKind(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
        suffix == QLatin1String("pdf")) {
        return suffix.toStdString();
    }
    return std::string();
}

bool WriteGraphFile(const zav::GraphDescription& graph, const std::string& path, int width,
                    int height, std::string& error) {
    // zav-cli has no application of its own: one for the drawing, offscreen
    // unless there is a display to use.
    std::unique_ptr<QApplication> app;
    if (QApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "zav-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    GraphPicture picture{&graph, 0, static_cast<int>(graph.groups.size()), FullWindow(graph)};
    QString message;
    const bool ok =
        SaveGraphPicture(picture, QString::fromStdString(path), QSize(width, height), message);
    error = message.toStdString();
    return ok;
}

}  // namespace graphs
