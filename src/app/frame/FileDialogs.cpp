#include "app/frame/FileDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

const char* const kProjectFilter = "ZAV Files (*.zav)|*.zav|All Files (*.*)|*.*||";

std::vector<NameFilter> ParseFilterList(const QString& text) {
    std::vector<NameFilter> filters;
    const QStringList parts = text.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;  // the "||" that ends the list
        }
        NameFilter filter{parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)};
        for (QString& pattern : filter.patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        filters.push_back(filter);
    }
    return filters;
}

void ApplyFilterList(QFileDialog& dialog, const QString& text) {
    // Qt tidies the blanks of a filter's name and reads the patterns out of
    // its last parentheses; our names carry their own texts there
    // ("(*.mlv, *.pld)", a blank after the parenthesis). So the list of
    // types shows the names as written, and the file list gets the patterns
    // written beside each name every time a type is chosen.
    const std::vector<NameFilter> filters = ParseFilterList(text);
    QStringList names;
    for (const NameFilter& filter : filters) {
        names << filter.name;
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(names);
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < types->count() && i < names.size(); ++i) {
            types->setItemText(i, names[i]);
        }
    }
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr || filters.empty()) {
        return;
    }
    auto usePatterns = [model, filters](const QString& chosen) {
        for (const NameFilter& filter : filters) {
            if (filter.name.simplified() == chosen.simplified()) {
                model->setNameFilters(filter.patterns);
                return;
            }
        }
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, model, usePatterns);
    usePatterns(names.front());
}

QStringList QtFileDialogs::ChooseOpenFiles(QWidget* parent, const QString& title,
                                           const QString& filterList, bool several) {
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    ApplyFilterList(dialog, filterList);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString QtFileDialogs::ChooseSaveFile(QWidget* parent, const QString& title,
                                      const QString& filterList, const QString& proposedName,
                                      const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    ApplyFilterList(dialog, filterList);
    if (!proposedName.isEmpty()) {
        dialog.selectFile(proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}

QString QtFileDialogs::ChooseFolder(QWidget* parent, const QString& title) {
    QFileDialog dialog(parent, title, QDir::currentPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}
