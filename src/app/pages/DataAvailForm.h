// DataAvailForm: the controls of the "Data Availability" page, made and
// placed in dialog units, and how each follows the page's size: the lists
// share the width the page gains, the settings on the right keep their
// distance to the right edge, and the report table takes what is left.
#pragma once

#include "app/layout/AnchorLayout.h"

class CGridCtrl;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
namespace zav {
class UserInterface;
}

struct DataAvailForm {
    // Makes every control as a child of `page`; the table talks to `ui`.
    DataAvailForm(QWidget* page, zav::UserInterface& ui);

    QComboBox* startMonth;
    QComboBox* startDay;
    QComboBox* startYear;
    QComboBox* endMonth;
    QComboBox* endDay;
    QComboBox* endYear;
    QRadioButton* stations;
    QRadioButton* parameters;
    QButtonGroup* mainKind;  // ids kMainStations, kMainParameters
    QLabel* mainLabel;
    QLabel* secondLabel;
    QListWidget* mainList;
    QListWidget* secondList;
    QCheckBox* aggregatesOnly;
    QPushButton* refresh;
    QRadioButton* availability;
    QRadioButton* values;
    QButtonGroup* dataType;  // ids kDataAvailability, kDataValues
    QRadioButton* maxMeanMin;
    QRadioButton* mean;
    QButtonGroup* plotStyle;  // ids kPlotMaxMeanMin, kPlotMean
    QCheckBox* threshold;
    QLineEdit* thresholdValue;
    QCheckBox* fillGaps;
    QLineEdit* every;
    QComboBox* unit;
    QPushButton* graph;
    QPushButton* pointsGraph;  // the raw points graph of the values
    QPushButton* heatMap;      // the availability heat map
    QPushButton* exportTable;
    // Beside them: the statistic the values table shows, the button to the
    // statistics options, and the legend of filled cells.
    QComboBox* statistic;
    QPushButton* statisticsOptions;
    QLabel* filledLegend;
    QPushButton* summaryTables;  // the summary tables window
    QLabel* dataFor;
    CGridCtrl* table;

    AnchorLayout layout;
};
