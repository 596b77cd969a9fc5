#include "app/pages/ZAVViewSheet.h"

#include "app/pages/AggregationPage.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/DataEditPage.h"
#include "app/pages/ProjectInfoPage.h"
#include "app/pages/UnitsPage.h"

ZAVViewSheet::ZAVViewSheet(zav::CZAVDoc& doc, QWidget* parent)
    : QTabWidget(parent),
      // Made in this order; shown in tab order below.
      m_projectInfo(new ProjectInfoPage(doc, this)),
      m_aggregation(new AggregationPage(doc, this)),
      m_dataAvail(new DataAvailPage(doc, this)),
      m_dataEdit(new DataEditPage(doc, this)),
      m_units(new UnitsPage(doc, this)) {
    setDocumentMode(true);
    addTab(m_projectInfo, QStringLiteral("Project Information"));
    addTab(m_aggregation, QStringLiteral("Aggregation"));
    addTab(m_dataEdit, QStringLiteral("Edit Data"));
    addTab(m_dataAvail, QStringLiteral("Data Availability"));
    addTab(m_units, QStringLiteral("Units Page"));
    connect(this, &QTabWidget::currentChanged, this, &ZAVViewSheet::OnCurrentChanged);
    setCurrentIndex(0);
    OnCurrentChanged(0);
}

void ZAVViewSheet::RefreshAllPages() {
    for (SheetPage* page : std::initializer_list<SheetPage*>{m_projectInfo, m_aggregation,
                                                             m_dataAvail, m_dataEdit, m_units}) {
        RefreshPage(*page);
    }
}

void ZAVViewSheet::RefreshPage(SheetPage& page) {
    page.Refresh();
    emit pageRefreshed(&page);
}

void ZAVViewSheet::OnCurrentChanged(int index) {
    if (m_switchingBack) {
        return;
    }
    auto* left = qobject_cast<SheetPage*>(widget(m_current));
    if (left != nullptr && index != m_current && !left->OnKillActive()) {
        m_switchingBack = true;
        setCurrentIndex(m_current);
        m_switchingBack = false;
        return;
    }
    m_current = index;
    if (auto* shown = qobject_cast<SheetPage*>(widget(index))) {
        shown->OnSetActive();
    }
}
