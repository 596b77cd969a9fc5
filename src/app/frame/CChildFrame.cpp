#include "app/frame/CChildFrame.h"

#include <QCloseEvent>

#include "app/frame/CMainFrame.h"
#include "app/frame/CZAVView.h"
#include "app/frame/OpenProject.h"

CChildFrame::CChildFrame(std::shared_ptr<OpenProject> project, FileDialogs& dialogs,
                         CMainFrame& frame)
    : m_project(std::move(project)),
      m_frame(frame),
      m_view(new CZAVView(m_project->Doc(), dialogs, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/zav.svg")));
    setWidget(m_view);
    connect(m_view, &CZAVView::documentStateChanged, &m_frame, &CMainFrame::UpdateFrameState);
}

CChildFrame::~CChildFrame() {
    // The view and its pages refer to the document: they go first, then the
    // last window's share of the project takes the document with it.
    delete m_view;
}

void CChildFrame::UpdateCaption(int windowNumber, int windowCount) {
    QString caption = m_project->Title();
    if (windowCount > 1) {
        caption += QStringLiteral(":%1").arg(windowNumber);
    }
    setWindowTitle(caption + QStringLiteral("[*]"));
    // Runs on every change of state of any project: change nothing that has
    // not changed.
    if (isWindowModified() != m_project->Doc().IsModified()) {
        setWindowModified(m_project->Doc().IsModified());
    }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_frame.QueryCloseChild(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    m_closed = event->isAccepted();
    if (m_closed) {
        m_frame.UpdateFrameState();
    }
}
