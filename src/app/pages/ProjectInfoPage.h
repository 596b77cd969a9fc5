// ProjectInfoPage: the "Project Information" tab, the list of files the
// project's data were read from, in the order they were added.
#pragma once

#include "app/layout/AnchorLayout.h"
#include "app/pages/SheetPage.h"

class QListWidget;

class ProjectInfoPage : public SheetPage {
    Q_OBJECT
public:
    ProjectInfoPage(zav::CZAVDoc& doc, QWidget* parent);

    // Lists the file name of every source that has one; sources entered by
    // hand or pasted have none and are left out.
    void Refresh() override;
    void OnSetActive() override { Refresh(); }

    QListWidget* FileList() const { return m_files; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QListWidget* m_files;
    AnchorLayout m_layout;
};
