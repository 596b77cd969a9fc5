// OpenProject: one project open in the program — its document and the title
// its windows show. Every window on the project shares it; it goes when the
// last of them closes.
#pragma once

#include <QString>

#include "io/CZAVDoc.h"

class OpenProject {
public:
    // `untitledNumber` names a new project ("ZAV" followed by it) until it
    // is saved under a name of its own.
    OpenProject(zav::UserInterface& ui, const zav::DocumentEnvironment& environment,
                int untitledNumber);

    zav::CZAVDoc& Doc() { return m_doc; }
    const zav::CZAVDoc& Doc() const { return m_doc; }
    bool IsUntitled() const { return m_doc.PathName().empty(); }
    QString PathName() const { return QString::fromStdString(m_doc.PathName()); }
    // "ZAV1" for a new project, else the file name.
    QString Title() const;

private:
    zav::CZAVDoc m_doc;
    int m_untitledNumber;
};
