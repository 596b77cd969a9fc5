// Helpers for the desktop tests: a grid listener that writes down what it
// hears, file dialogs that answer from a script, a scratch setting-up of the
// program (settings file, folders) that never touches the user's own, and a
// project window as the page tests drive it.
#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "ScriptedUserInterface.h"
#include "app/frame/FileDialogs.h"
#include "app/grid/GridListener.h"
#include "io/CZAVDoc.h"

class CGridCtrl;
class CZAVView;
class QComboBox;
class QLineEdit;
class QListWidget;
class ZAVViewSheet;

// The sheet's tabs, in the order they are shown.
enum SheetTab {
    kProjectInfoTab = 0,
    kAggregationTab = 1,
    kEditTab = 2,
    kAvailTab = 3,
    kUnitsTab = 4
};

// The pages in the order a reload of every page reaches them.
inline const QStringList kAllPages = {"ProjectInfoPage", "AggregationPage", "DataAvailPage",
                                      "DataEditPage", "UnitsPage"};

// Chooses the entry `text` of a combo box; the test fails when it has none.
void Choose(QComboBox* combo, const QString& text);

// Where a test's document looks for its conversions file: nowhere, and the
// working directory is left alone.
zav::DocumentEnvironment QuietEnvironment();

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

// A project window: a quiet document answering through the bed's scripted
// person and dialogs, filled by `fill` before the view is made; the view,
// shown at `size` (unless that is empty) and turned to `tab`; and the class
// names of the pages that reloaded, in order.
struct ProjectWindow {
    using Fill = std::function<void(zav::CZAVDoc&)>;
    explicit ProjectWindow(int tab = kProjectInfoTab, const Fill& fill = {}, QSize size = {});
    ~ProjectWindow();

    ZAVViewSheet& Sheet() const;
    zav::DataSeries* Find(const char* station, const char* parameter);

    AppTestBed bed;
    zav::ScriptedUserInterface& ui = bed.ui;
    ScriptedFileDialogs& dialogs = bed.dialogs;
    zav::CZAVDoc doc{ui, QuietEnvironment()};
    QStringList refreshed;
    std::unique_ptr<CZAVView> view;
};

// A page of type P on its own over an empty project, shown at `size`, as
// the layout tests look at it.
template <typename P>
struct LonePage {
    explicit LonePage(QSize size) {
        page.resize(size);
        page.show();
    }
    zav::ScriptedUserInterface ui;
    zav::CZAVDoc doc{ui, QuietEnvironment()};
    P page{doc, nullptr};
};

// Adds the class name of every page `sheet` reloads to `names`.
void RecordRefreshes(ZAVViewSheet& sheet, QStringList& names);

// The texts of a list's rows, and of a combo box's entries, in order.
QStringList Texts(const QListWidget* list);
QStringList Texts(const QComboBox* combo);

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
// The editor open on a cell, or null.
QLineEdit* CellEditor(const CGridCtrl* grid, int row, int column);
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
