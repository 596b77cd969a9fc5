// AppSettings: what the program keeps per user — the four most recent project
// files, and the "ZAV CWD" folder in group "ZAV" that an installer may set
// (the program only reads it). The QSettings behind it is the caller's, so
// tests can point it at a scratch file.
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

class AppSettings {
public:
    static constexpr int kRecentFileCount = 4;

    explicit AppSettings(QSettings& settings) : m_settings(settings) {}

    QStringList RecentFiles() const;
    // Puts `path` first; the list keeps at most four, without duplicates.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    // Empty when not set.
    QString ZavCwd() const;
    // "ZAV/Autosave minutes": how often changed projects are written to
    // their recovery files; 5 when not set, 0 turns autosave off.
    int AutosaveMinutes() const;

private:
    void WriteRecentFiles(const QStringList& files);

    QSettings& m_settings;
};
