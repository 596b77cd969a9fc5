#include "app/frame/OpenProject.h"

#include <QFileInfo>

#include "app/frame/BackgroundWork.h"

OpenProject::OpenProject(zav::UserInterface& ui, const zav::DocumentEnvironment& environment,
                         int untitledNumber)
    : m_doc(ui, environment), m_untitledNumber(untitledNumber) {}

QString OpenProject::Title() const {
    if (IsUntitled()) {
        return QStringLiteral("ZAV%1").arg(m_untitledNumber);
    }
    return QFileInfo(PathName()).fileName();
}

OpenProject::~OpenProject() {
    // A normal close: the changes were saved or given up.
    RemoveRecovery();
}

void OpenProject::Opened(bool readOnly) {
    m_readOnly = readOnly;
    if (!readOnly && !IsUntitled()) {
        m_lock.Acquire(m_doc.PathName());
    }
}

void OpenProject::Saved(const std::string& oldPath) {
    RemoveRecovery();
    if (oldPath != m_doc.PathName() || !m_lock.Held()) {
        m_lock.Acquire(m_doc.PathName());
    }
    m_readOnly = false;
}

void OpenProject::Autosave(QWidget* parent) {
    if (IsUntitled() || !m_doc.IsModified()) {
        RemoveRecovery();
        return;
    }
    const std::string path = zav::RecoveryPath(m_doc.PathName());
    if (path != m_recoveryWritten) {
        RemoveRecovery();
    }
    bool written = false;
    BackgroundWork::Run(
        parent, QStringLiteral("Writing the recovery file..."),
        [&](zav::Progress& progress) { written = zav::WriteRecovery(m_doc, path, progress); });
    if (written) {
        m_recoveryWritten = path;
    }
}

void OpenProject::RemoveRecovery() {
    zav::RemoveFileIfPresent(m_recoveryWritten);
    m_recoveryWritten.clear();
}
