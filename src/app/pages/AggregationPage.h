// AggregationPage: the "Aggregation" tab. It lists every station (or every
// parameter) numbered on the left and the aggregates of that kind on the
// right; the arrow buttons group the selected names under a name the user
// gives and dissolve the selected aggregates. Leaving the page after such a
// change tells the views that the aggregates changed.
#pragma once

#include "app/layout/AnchorLayout.h"
#include "app/pages/SheetPage.h"
#include "app/rules/AggregationLists.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class AggregationPage : public SheetPage {
    Q_OBJECT
public:
    AggregationPage(zav::CZAVDoc& doc, QWidget* parent);

    // Forgets any unannounced change and reads both lists from the store.
    void Refresh() override;
    void OnSetActive() override { Refresh(); }
    // After a change here, the views hear HintAggregatesChanged once.
    bool OnKillActive() override;

    // 0 stations, 1 parameters.
    int AggregationType() const { return m_type; }
    bool HasChanged() const { return m_changed; }
    const zav::AggregationLists& Lists() const { return m_lists; }

    QRadioButton* StationsButton() const { return m_stations; }
    QRadioButton* ParametersButton() const { return m_parameters; }
    QListWidget* NameList() const { return m_names; }
    QListWidget* AggregateList() const { return m_aggregates; }
    QPushButton* MakeButton() const { return m_make; }
    QPushButton* DissolveButton() const { return m_dissolve; }
    QLabel* NamesLabel() const { return m_namesLabel; }
    QLabel* AggregatesLabel() const { return m_aggregatesLabel; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void OnTypeClicked(int type);
    void OnMake();
    void OnDissolve();
    void GroupsChanged();
    void FillLists();
    void ShowNames();
    void ShowAggregatedFlags();
    void ShowAggregates();
    std::vector<int> SelectedRows(QListWidget* list) const;

    zav::AggregationLists m_lists;
    int m_type = 0;
    bool m_changed = false;

    QRadioButton* m_stations = nullptr;
    QRadioButton* m_parameters = nullptr;
    QLabel* m_namesLabel = nullptr;
    QLabel* m_aggregatesLabel = nullptr;
    QListWidget* m_names = nullptr;
    QListWidget* m_aggregates = nullptr;
    QPushButton* m_make = nullptr;
    QPushButton* m_dissolve = nullptr;
    AnchorLayout m_layout;
};
