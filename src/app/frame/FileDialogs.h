// FileDialogs: the file choosers behind the commands. The program uses Qt's
// dialogs; tests answer from a script. Filters are given as the program
// writes them, "name|patterns|name|patterns||", and shown with exactly
// those names.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QFileDialog;
class QWidget;

// The project file type, in the form above.
extern const char* const kProjectFilter;

struct NameFilter {
    QString name;          // shown as it is
    QStringList patterns;  // "*.*" becomes "*": every file, as the name means
};

std::vector<NameFilter> ParseFilterList(const QString& text);
// Gives `dialog` the filters of `text`: their names exactly as written and
// their patterns as written, whatever Qt would read into the names.
void ApplyFilterList(QFileDialog& dialog, const QString& text);

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Existing files; empty when cancelled.
    virtual QStringList ChooseOpenFiles(QWidget* parent, const QString& title,
                                        const QString& filterList, bool several) = 0;
    // A file to write; empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filterList,
                                   const QString& proposedName, const QString& defaultSuffix) = 0;
    // An existing folder; empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& title) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    QStringList ChooseOpenFiles(QWidget* parent, const QString& title, const QString& filterList,
                                bool several) override;
    QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filterList,
                           const QString& proposedName, const QString& defaultSuffix) override;
    QString ChooseFolder(QWidget* parent, const QString& title) override;
};
