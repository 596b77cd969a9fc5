// ZAVViewSheet: the five tabs of a project window. It owns its pages (they
// are its children), tells a page when it is shown or left, and reloads
// them on request in a fixed order.
#pragma once

#include <QTabWidget>

class AggregationPage;
class DataAvailPage;
class DataEditPage;
class ProjectInfoPage;
class SheetPage;
class UnitsPage;
namespace zav {
class CZAVDoc;
}

class ZAVViewSheet : public QTabWidget {
    Q_OBJECT
public:
    ZAVViewSheet(zav::CZAVDoc& doc, QWidget* parent);

    // Project information, aggregation, availability, data edit, units.
    void RefreshAllPages();
    void RefreshPage(SheetPage& page);

    ProjectInfoPage& ProjectInfo() const { return *m_projectInfo; }
    AggregationPage& Aggregation() const { return *m_aggregation; }
    DataAvailPage& DataAvail() const { return *m_dataAvail; }
    DataEditPage& DataEdit() const { return *m_dataEdit; }
    UnitsPage& Units() const { return *m_units; }

signals:
    // After a page reloaded itself.
    void pageRefreshed(SheetPage* page);

private:
    void OnCurrentChanged(int index);

    ProjectInfoPage* m_projectInfo;
    AggregationPage* m_aggregation;
    DataAvailPage* m_dataAvail;
    DataEditPage* m_dataEdit;
    UnitsPage* m_units;
    int m_current = -1;
    bool m_switchingBack = false;
};
