#include "AppTestSupport.h"

#include "app/CGridCtrl.h"
#include "io/CZAVDoc.h"

namespace {
QString Cell(int row, int column) {
    return QStringLiteral("%1,%2").arg(row).arg(column);
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
    if (openAnswers.empty()) {
        return {};
    }
    QStringList answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::ChooseSaveFile(QWidget*, const QString& title,
                                            const QString& filterList, const QString& proposedName,
                                            const QString&) {
    titles << title;
    filters << filterList;
    proposedNames << proposedName;
    if (saveAnswers.empty()) {
        return {};
    }
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::ChooseFolder(QWidget*, const QString& title) {
    titles << title;
    if (folderAnswers.empty()) {
        return {};
    }
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
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
