// CsvImportDialog: "Add From CSV", the choices of a CSV import (delimiter,
// decimal mark, the time, station, parameter, units, value, remark and mask
// columns, what to store for censored values) with a preview of the first
// rows as they will be stored and the rejected cells marked. Nothing in the
// project changes until the import runs after OK.
#pragma once

#include <QDialog>
#include <string>

#include "io/CsvImport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
namespace zav {
class ZAVFieldManager;
}

class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    // `text` is the first file's content, read for the columns and preview.
    CsvImportDialog(const zav::ZAVFieldManager& store, const QString& path, std::string text,
                    QWidget* parent = nullptr);

    // The options as chosen; complete once OK was accepted.
    zav::CsvImportOptions Options() const;

    QComboBox* DelimiterBox() const { return m_delimiter; }
    QComboBox* DecimalBox() const { return m_decimal; }
    QListWidget* TimeList() const { return m_times; }
    QComboBox* StationBox() const { return m_station; }
    QLineEdit* StationEdit() const { return m_stationName; }
    QComboBox* ParameterBox() const { return m_parameter; }
    QComboBox* UnitsBox() const { return m_units; }
    QTableWidget* ValueTable() const { return m_values; }
    QComboBox* CensoredBox() const { return m_censored; }
    QLineEdit* MaskRemarksEdit() const { return m_maskRemarks; }
    QCheckBox* SkipBadBox() const { return m_skipBad; }
    QTableWidget* PreviewTable() const { return m_preview; }
    QLabel* StatusLabel() const { return m_status; }

    // Rebuilds the column lists after the delimiter changed, then the preview.
    void ReloadColumns();
    void RefreshPreview();
    void accept() override;

private:
    QWidget* MakeColumnChoices();
    QWidget* MakeValueChoices();
    void FillColumns();
    void GuessColumns();
    std::string Reference(int column) const;
    // The column a box names after its `lead` items that are not columns.
    std::string ColumnOf(const QComboBox* box, int lead) const;

    const zav::ZAVFieldManager& m_store;
    std::string m_text;
    QStringList m_header;
    QComboBox* m_delimiter;
    QComboBox* m_decimal;
    QListWidget* m_times;
    QLineEdit* m_timeFormat;
    QLineEdit* m_utcOffset;
    QComboBox* m_station;
    QLineEdit* m_stationName;
    QComboBox* m_parameter;
    QLineEdit* m_parameterName;
    QComboBox* m_units;
    QLineEdit* m_unitsName;
    QComboBox* m_mask;
    QTableWidget* m_values;
    QComboBox* m_censored;
    QLineEdit* m_maskRemarks;
    QCheckBox* m_skipBad;
    QTableWidget* m_preview;
    QLabel* m_status;
    bool m_filling = false;
};
