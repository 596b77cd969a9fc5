// StatisticsOptionsDialog: "Statistics Options", the availability page's
// choices beyond its own controls: the sampling step that coverage is
// counted against, the coverage an interval needs to be available, the
// month years begin in, the longest gap filled and whether filled cells
// carry a "*" in the table and its exports.
#pragma once

#include <QDialog>

#include "analysis/Statistic.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
namespace zav {
class UserInterface;
}

class StatisticsOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Messages go through `ui`.
    StatisticsOptionsDialog(const zav::StatisticsOptions& options, zav::UserInterface& ui,
                            QWidget* parent = nullptr);

    // What the controls say; the statistic is kept as given. Only after
    // accept() has the step been checked.
    zav::StatisticsOptions Options() const;

    // The controls, for tests.
    QComboBox* StepBox() const { return m_step; }
    QDoubleSpinBox* CoverageBox() const { return m_coverage; }
    QComboBox* YearStartBox() const { return m_yearStart; }
    QSpinBox* MaxGapBox() const { return m_maxGap; }
    QCheckBox* MarkFilledBox() const { return m_markFilled; }

    // The step box's first entry: the pair's own most common step.
    static const char* const kMostCommonStep;

public slots:
    // Refuses a step it cannot read, with a message, and stays open.
    void accept() override;

private:
    zav::StatisticsOptions m_options;
    zav::UserInterface& m_ui;
    QComboBox* m_step;
    QDoubleSpinBox* m_coverage;
    QComboBox* m_yearStart;
    QSpinBox* m_maxGap;
    QCheckBox* m_markFilled;
};
