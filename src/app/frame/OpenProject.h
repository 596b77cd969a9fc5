// OpenProject: one project open in the program — its document and the title
// its windows show. Every window on the project shares it; it goes when the
// last of them closes.
#pragma once

#include <QString>

class QWidget;

#include "io/CZAVDoc.h"
#include "io/ProjectGuard.h"

class OpenProject {
public:
    // `untitledNumber` names a new project ("ZAV" followed by it) until it
    // is saved under a name of its own.
    OpenProject(zav::UserInterface& ui, const zav::DocumentEnvironment& environment,
                int untitledNumber);

    ~OpenProject();

    zav::CZAVDoc& Doc() { return m_doc; }
    const zav::CZAVDoc& Doc() const { return m_doc; }
    bool IsUntitled() const { return m_doc.PathName().empty(); }
    QString PathName() const { return QString::fromStdString(m_doc.PathName()); }
    // "ZAV1" for a new project, else the file name.
    QString Title() const;

    // Opened read-only beside another running copy: Save asks for a new name.
    bool IsReadOnly() const { return m_readOnly; }
    // Takes the project's lock unless read-only.
    void Opened(bool readOnly);
    // After a save to `oldPath`'s project under its present path: the old
    // recovery file goes, the lock follows the path, read-only ends.
    void Saved(const std::string& oldPath);
    // Autosave: the recovery file beside the project while it has unsaved
    // changes, none otherwise. Projects never saved have nowhere to put one.
    // The file is written as background work over `parent`: a large
    // project's takes a while, and a cancelled write keeps the last one.
    void Autosave(QWidget* parent);
    // Opened from its recovery file, which goes on a save or close.
    void RecoveredFrom(const std::string& recoveryPath) { m_recoveryWritten = recoveryPath; }

private:
    void RemoveRecovery();

    zav::CZAVDoc m_doc;
    zav::ProjectLock m_lock;
    std::string m_recoveryWritten;  // the recovery file this program wrote
    bool m_readOnly = false;
    int m_untitledNumber;
};
