// CMainFrame: the main window — menus, dockable toolbar, status bar with the
// key-state panes, and the area holding the project windows. It carries out
// the file, window and help commands, finds the active project window and
// fits the menus to it (the short menu bar while no project is open).
//
// The person at the screen is reached only through the UserInterface and
// FileDialogs it is given, so tests can drive every command.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "io/CZAVDoc.h"

class AppSettings;
class CChildFrame;
class FileDialogs;
class HelpWindow;
class KeyStateIndicators;
class OpenProject;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(zav::UserInterface& ui, FileDialogs& dialogs, AppSettings& settings,
               const QString& programDir);
    ~CMainFrame() override;

    // --- commands ---------------------------------------------------------
    CChildFrame* OnFileNew();
    void OnFileOpen();
    // Opens the project (or shows its window when it is open already);
    // null when it could not be read.
    CChildFrame* OpenDocumentFile(const QString& path);
    void OnFileClose();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnOpenRecentFile(int index);
    CChildFrame* OnWindowNew();
    void OnWindowArrangeIcons();
    void OnHelpFinder();
    // Edit > Undo, Redo and Undo History, on the active window's project.
    void OnEditUndo();
    void OnEditRedo();
    void OnEditHistory();
    void OnAppAbout();
    // Writes every changed project to its recovery file (the autosave timer's work).
    void OnAutosave();
    // At start-up: offers to recover each recent project that has a
    // recovery file no running copy is writing.
    void OfferRecovery();

    // Asked by a project window before it closes: the last window of a
    // modified project asks "Save changes to %1?".
    bool QueryCloseChild(CChildFrame& child);

    // --- state --------------------------------------------------------------
    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    QAction* Action(int id) const;
    QAction* RecentFileAction(int index) const { return m_recentActions[index]; }
    QAction* RecentFilePlaceholder() const { return m_recentPlaceholder; }
    QMdiArea& MdiArea() const { return *m_mdi; }
    QToolBar& ToolBar() const { return *m_toolBar; }
    KeyStateIndicators& KeyStates() const { return *m_keyStates; }
    QLabel& MessagePane() const { return *m_messagePane; }
    HelpWindow* Help() const;
    // The conversions file every project of this program reads and writes.
    QString ConversionsPath() const;
    // Menus, enabled commands, captions and key states, as they should be
    // now; run whenever the program idles and after each command.
    // Menus, enabled commands (Undo and Redo with their operations' names)
    // and captions, as they should be now; run when a project window comes,
    // goes or is activated, and when a project's modified state or undo
    // stack changes.
    void UpdateFrameState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void DropFile(const QString& path);

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* MakeAction(int id);
    CChildFrame* AddChild(std::shared_ptr<OpenProject> project);
    std::shared_ptr<OpenProject> MakeProject(int untitledNumber);
    bool SaveProject(OpenProject& project, bool askForName);
    // "Save changes to %1?" for a modified project; false when the person
    // cancelled or the save failed.
    bool AskToSave(OpenProject& project);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void ShowMenusFor(bool documentOpen);
    CChildFrame* OpenRecovered(const std::string& file, const std::string& recovery);
    // Reads `file` into the new `project` off the window's thread; false
    // when it failed (after the message) or the person cancelled.
    bool OpenInBackground(OpenProject& project, const std::string& file);
    void UpdateUndoActions(CChildFrame* active);
    void UpdateRecentFileActions();
    void FillWindowMenu();
    void Arrange(void (QMdiArea::*arrange)());

    zav::UserInterface& m_ui;
    FileDialogs& m_dialogs;
    AppSettings& m_settings;
    QString m_programDir;
    QMdiArea* m_mdi;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    KeyStateIndicators* m_keyStates = nullptr;
    std::map<int, QAction*> m_actions;
    QAction* m_recentActions[4] = {};
    QAction* m_recentPlaceholder = nullptr;
    QMenu* m_fileMenuNoDoc = nullptr;
    QMenu* m_fileMenuDoc = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_dataMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QPointer<HelpWindow> m_help;
    QTimer* m_autosave = nullptr;
    int m_untitledCount = 0;
    int m_menusShown = -1;  // 0: no project, 1: a project window is active
    bool m_arranging = false;
    const OpenProject* m_closingAsked = nullptr;  // Close already asked about it
};
