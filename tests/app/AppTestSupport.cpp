#include "AppTestSupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "app/frame/CZAVView.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/pages/SheetPage.h"
#include "app/pages/ZAVViewSheet.h"

namespace {
QString Cell(int row, int column) {
    return QStringLiteral("%1,%2").arg(row).arg(column);
}

// The next scripted answer; none (a cancelled dialog) once they run out.
template <typename T>
T NextAnswer(std::deque<T>& answers) {
    if (answers.empty()) {
        return {};
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

void RecordingGridListener::OnGridClick(CGridCtrl&, int row, int column) {
    events << "click " + Cell(row, column);
}

void RecordingGridListener::OnGridBeginEdit(CGridCtrl& grid, int row, int column) {
    editorOpenAtBegin = grid.IsEditing();
    events << "begin " + Cell(row, column);
}

bool RecordingGridListener::OnGridEndEdit(CGridCtrl& grid, int row, int column) {
    editorOpenAtEnd = grid.IsEditing();
    QString text = grid.GetItemText(row, column);
    events << "end " + Cell(row, column) + "=" + text;
    return !(refuse && refuse(row, column, text));
}

void RecordingGridListener::OnGridFocusChanged(CGridCtrl&, int row, int column) {
    events << "focus " + Cell(row, column);
}

void RecordingGridListener::OnGridRightClick(CGridCtrl&, int row, int column, const QPoint&) {
    events << "right " + Cell(row, column);
}

QStringList ScriptedFileDialogs::ChooseOpenFiles(QWidget*, const QString& title,
                                                 const QString& filterList, bool) {
    titles << title;
    filters << filterList;
    return NextAnswer(openAnswers);
}

QString ScriptedFileDialogs::ChooseSaveFile(QWidget*, const QString& title,
                                            const QString& filterList, const QString& proposedName,
                                            const QString&) {
    titles << title;
    filters << filterList;
    proposedNames << proposedName;
    return NextAnswer(saveAnswers);
}

QString ScriptedFileDialogs::ChooseFolder(QWidget*, const QString& title) {
    titles << title;
    return NextAnswer(folderAnswers);
}

AppTestBed::AppTestBed()
    : settings(std::make_unique<QSettings>(QDir(dir.path()).filePath("settings.ini"),
                                           QSettings::IniFormat)),
      previousDir(QDir::currentPath()) {}

AppTestBed::~AppTestBed() {
    QDir::setCurrent(previousDir);
}

QString AppTestBed::WriteProject(const QString& name, const std::vector<std::string>& sources) {
    zav::ScriptedUserInterface quiet;
    zav::DocumentEnvironment environment;
    environment.programDir = dir.path().toStdString() + "/";
    environment.applyWorkingDirectory = false;
    zav::CZAVDoc doc(quiet, environment);
    for (const std::string& source : sources) {
        zav::DataSource data;
        data.fileName = source;
        doc.FieldManager().AddSource(std::move(data));
    }
    QString path = Path(name);
    doc.OnSaveDocument(path.toStdString());
    return path;
}

zav::DocumentEnvironment QuietEnvironment() {
    zav::DocumentEnvironment environment;
    environment.programDir = "/nonexistent/";
    environment.applyWorkingDirectory = false;
    return environment;
}

ProjectWindow::ProjectWindow(int tab, const Fill& fill, QSize size) {
    if (fill) {
        fill(doc);
    }
    view = std::make_unique<CZAVView>(doc, dialogs, nullptr);
    RecordRefreshes(Sheet(), refreshed);
    if (size.isValid()) {
        view->resize(size);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    Sheet().setCurrentIndex(tab);
}

ProjectWindow::~ProjectWindow() = default;

ZAVViewSheet& ProjectWindow::Sheet() const {
    return view->Sheet();
}

zav::DataSeries* ProjectWindow::Find(const char* station, const char* parameter) {
    return doc.FieldManager().FindSeries(station, parameter);
}

void RecordRefreshes(ZAVViewSheet& sheet, QStringList& names) {
    QObject::connect(&sheet, &ZAVViewSheet::pageRefreshed, &sheet,
                     [&names](SheetPage* page) { names << page->metaObject()->className(); });
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

QStringList Texts(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

QLineEdit* CellEditor(const CGridCtrl* grid, int row, int column) {
    return qobject_cast<QLineEdit*>(grid->indexWidget(grid->Model().IndexOf(row, column)));
}

QStringList GridRowTexts(const CGridCtrl* grid, int row) {
    QStringList texts;
    for (int column = 0; column < grid->GetColumnCount(); ++column) {
        texts << grid->GetItemText(row, column);
    }
    return texts;
}

QStringList GridColumnTexts(const CGridCtrl* grid, int column) {
    QStringList texts;
    for (int row = 1; row < grid->GetRowCount(); ++row) {
        texts << grid->GetItemText(row, column);
    }
    return texts;
}

void ClickGridCell(CGridCtrl* grid, int row, int column) {
    grid->Model().Flush();
    QRect cell = grid->visualRect(grid->Model().IndexOf(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void ClickGridHeader(CGridCtrl* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
}

void TypeIntoCell(CGridCtrl* grid, int row, int column, const QString& text) {
    grid->Model().Flush();
    grid->SetFocusCell(row, column);
    QTest::keyClick(grid, text.at(0).toLatin1());
    QLineEdit* editor = CellEditor(grid, row, column);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

void Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}
