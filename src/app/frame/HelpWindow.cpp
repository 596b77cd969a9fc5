#include "app/frame/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& manualFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("ZAV Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);

    QFile manual(manualFolder + QStringLiteral("/manual.md"));
    if (manual.open(QIODevice::ReadOnly)) {
        m_browser->setSearchPaths({manualFolder});
    } else {
        manual.setFileName(QStringLiteral(":/help/manual.md"));
    }
    if (manual.isOpen() || manual.open(QIODevice::ReadOnly)) {
        m_browser->setMarkdown(QString::fromUtf8(manual.readAll()));
    } else {
        m_browser->setPlainText(QStringLiteral("The manual could not be loaded."));
    }
    resize(760, 640);
}
