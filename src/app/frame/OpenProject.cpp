#include "app/frame/OpenProject.h"

#include <QFileInfo>

OpenProject::OpenProject(zav::UserInterface& ui, const zav::DocumentEnvironment& environment,
                         int untitledNumber)
    : m_doc(ui, environment), m_untitledNumber(untitledNumber) {}

QString OpenProject::Title() const {
    if (IsUntitled()) {
        return QStringLiteral("ZAV%1").arg(m_untitledNumber);
    }
    return QFileInfo(PathName()).fileName();
}
