// SheetPage: what every page of the sheet offers — Refresh from the project,
// and the hooks the sheet calls when the page is shown or left. A page holds
// a plain reference to its document, which outlives every view of it.
#pragma once

#include <QWidget>

namespace zav {
class CZAVDoc;
}

class SheetPage : public QWidget {
    Q_OBJECT
public:
    SheetPage(zav::CZAVDoc& doc, QWidget* parent);

    // Reloads what the page shows from the project. A page whose controls
    // are made at its first showing returns at once until then.
    virtual void Refresh() = 0;
    // The page becomes the current tab.
    virtual void OnSetActive() {}
    // The page is about to be left; false keeps it.
    virtual bool OnKillActive() { return true; }

protected:
    zav::CZAVDoc& Doc() const { return m_doc; }

private:
    zav::CZAVDoc& m_doc;
};
