#include "app/CZAVView.h"

#include <QApplication>
#include <QVBoxLayout>

#include "app/DataAvailPage.h"
#include "app/FileDialogs.h"
#include "app/ZAVViewSheet.h"

namespace {
// Shown exactly so in the file dialog's list of types.
const char* const kAgencyFilter =
    "MOLVAN and PELLIDOR files (*.mlv, *.pld)|*.mlv;*.pld|MOLVAN files (*.mlv) "
    "|*.mlv|PELLIDOR files (*.pld)|*.pld||";
}  // namespace

CZAVView::CZAVView(zav::CZAVDoc& doc, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_dialogs(dialogs), m_sheet(new ZAVViewSheet(doc, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
    m_sheet->DataAvail().SetFileDialogs(dialogs);
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

void CZAVView::OnAddAgencyFiles() {
    QStringList chosen = m_dialogs.ChooseOpenFiles(this, QStringLiteral("Open"),
                                                   QString::fromLatin1(kAgencyFilter), true);
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        paths.push_back(path.toStdString());
    }
    // Also after Cancel: the command marks the project modified either way.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_doc.AddAgencyFiles(paths);
    QApplication::restoreOverrideCursor();
    m_sheet->RefreshAllPages();
}
