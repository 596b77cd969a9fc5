#include "app/pages/ProjectInfoPage.h"

#include <QLabel>
#include <QListWidget>

#include "app/layout/DialogUnits.h"
#include "io/CZAVDoc.h"

ProjectInfoPage::ProjectInfoPage(zav::CZAVDoc& doc, QWidget* parent)
    : SheetPage(doc, parent), m_files(new QListWidget(this)) {
    auto* label = new QLabel(QStringLiteral("Input Data Files:"), this);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The list keeps its distance to the page's right and bottom edges.
    DialogUnits units(font());
    m_layout.SetDesignSize(units.Size(284, 174));
    m_layout.Add(label, units.Rect(7, 8, 270, 9), AnchorLayout::kStays);
    m_layout.Add(m_files, units.Rect(7, 19, 270, 147), AnchorLayout::kGrows);
}

void ProjectInfoPage::Refresh() {
    m_files->clear();
    for (const zav::DataSource& source : Doc().FieldManager().Sources()) {
        if (!source.fileName.empty()) {
            m_files->addItem(QString::fromStdString(source.fileName));
        }
    }
}

void ProjectInfoPage::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    m_layout.Apply(size());
}
