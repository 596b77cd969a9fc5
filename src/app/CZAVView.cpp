#include "app/CZAVView.h"

#include <QVBoxLayout>

#include "app/DataAvailPage.h"
#include "app/FileDialogs.h"
#include "app/ZAVViewSheet.h"

CZAVView::CZAVView(zav::CZAVDoc& doc, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_dialogs(dialogs), m_sheet(new ZAVViewSheet(doc, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
    m_doc.AddObserver(this);
}

CZAVView::~CZAVView() {
    m_doc.RemoveObserver(this);
}

void CZAVView::OnDocumentUpdate(int hint) {
    switch (hint) {
        case zav::HintDataChanged:
            m_sheet->RefreshAllPages();
            break;
        case zav::HintAggregatesChanged:
            m_sheet->RefreshPage(m_sheet->DataAvail());
            break;
        default:
            break;
    }
}
