// CChildFrame: one window on a project inside the main window, always shown
// maximised, whose only content is a view with its page sheet. Several
// windows may show one project; they share it, and the last one to close
// asks whether to save it.
#pragma once

#include <QMdiSubWindow>
#include <memory>

class CMainFrame;
class CZAVView;
class FileDialogs;
class OpenProject;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(std::shared_ptr<OpenProject> project, FileDialogs& dialogs, CMainFrame& frame);
    ~CChildFrame() override;

    OpenProject& Project() const { return *m_project; }
    const std::shared_ptr<OpenProject>& SharedProject() const { return m_project; }
    CZAVView& View() const { return *m_view; }
    // Closed and waiting to be deleted: no longer one of the project's
    // windows.
    bool IsClosed() const { return m_closed; }

    // The project's title, with ":n" when it has more than one window, and
    // the modified marker.
    void UpdateCaption(int windowNumber, int windowCount);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::shared_ptr<OpenProject> m_project;
    CMainFrame& m_frame;
    CZAVView* m_view;
    bool m_closed = false;
};
