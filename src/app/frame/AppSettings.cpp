#include "app/frame/AppSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString kRecentGroup = QStringLiteral("Recent File List");
QString RecentKey(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
}  // namespace

QStringList AppSettings::RecentFiles() const {
    QStringList files;
    m_settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        QString file = m_settings.value(RecentKey(i)).toString();
        if (!file.isEmpty()) {
            files << file;
        }
    }
    m_settings.endGroup();
    return files;
}

void AppSettings::AddRecentFile(const QString& path) {
    QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    WriteRecentFiles(files.mid(0, kRecentFileCount));
}

void AppSettings::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    WriteRecentFiles(files);
}

void AppSettings::WriteRecentFiles(const QStringList& files) {
    m_settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < files.size()) {
            m_settings.setValue(RecentKey(i), files[i]);
        } else {
            m_settings.remove(RecentKey(i));
        }
    }
    m_settings.endGroup();
    m_settings.sync();
}

QString AppSettings::ZavCwd() const {
    return m_settings.value(QStringLiteral("ZAV/ZAV CWD")).toString();
}

int AppSettings::AutosaveMinutes() const {
    bool ok = false;
    const int minutes = m_settings.value(QStringLiteral("ZAV/Autosave minutes"), 5).toInt(&ok);
    return ok && minutes >= 0 ? minutes : 5;
}
