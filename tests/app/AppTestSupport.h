// Helpers for the desktop tests: a grid listener that writes down what it
// hears, file dialogs that answer from a script, and a scratch setting-up of
// the program (settings file, folders) that never touches the user's own.
#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "app/FileDialogs.h"
#include "app/GridListener.h"
#include "core/UserInterface.h"

class CGridCtrl;

// Answers file dialogs from queues (empty: cancel) and records their titles
// and filters.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;
    QStringList titles;
    QStringList filters;
    QStringList proposedNames;

    QStringList ChooseOpenFiles(QWidget* parent, const QString& title, const QString& filterList,
                                bool several) override;
    QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filterList,
                           const QString& proposedName, const QString& defaultSuffix) override;
    QString ChooseFolder(QWidget* parent, const QString& title) override;
};

// A scratch folder with a settings file, the scripted person and dialogs;
// the working directory is put back when it goes.
struct AppTestBed {
    AppTestBed();
    ~AppTestBed();
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // Writes a project holding one empty source per name (an empty name
    // stands for data entered by hand); returns its path.
    QString WriteProject(const QString& name, const std::vector<std::string>& sources);

    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    zav::ScriptedUserInterface ui;
    ScriptedFileDialogs dialogs;
    QString previousDir;
};

// Records every notification as text ("begin 1,2", "end 1,2=new text",
// "click 0,1", "focus 2,0", "right 1,1") and refuses the end of an edit when
// `refuse` says so.
class RecordingGridListener : public GridListener {
public:
    QStringList events;
    std::function<bool(int row, int column, const QString& text)> refuse;

    void OnGridClick(CGridCtrl& grid, int row, int column) override;
    void OnGridBeginEdit(CGridCtrl& grid, int row, int column) override;
    bool OnGridEndEdit(CGridCtrl& grid, int row, int column) override;
    void OnGridFocusChanged(CGridCtrl& grid, int row, int column) override;
    void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos) override;

    // Whether an editor was open when the start, and the end, of an edit
    // were reported.
    bool editorOpenAtBegin = false;
    bool editorOpenAtEnd = false;
};

// Reading and driving a table as a user does.
QStringList GridRowTexts(const CGridCtrl* grid, int row);
QStringList GridColumnTexts(const CGridCtrl* grid, int column);  // data rows only
void ClickGridCell(CGridCtrl* grid, int row, int column);
void ClickGridHeader(CGridCtrl* grid, int column);
// Types `text` into a cell (the first character opens the editor) and
// ends the edit with Enter.
void TypeIntoCell(CGridCtrl* grid, int row, int column, const QString& text);

// Runs `act` on the modal dialog of type D once the command under test has
// opened it (and fails, closing it, when another one is open).
template <typename D>
void WhenShown(std::function<void(D&)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<D*>(modal);
        if (dialog == nullptr) {
            if (modal != nullptr) {
                modal->close();  // rather than wait for ever
            }
            QFAIL("the expected dialog is not open");
        }
        act(*dialog);
    });
}
