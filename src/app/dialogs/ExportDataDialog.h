// ExportDataDialog: "Export Data", what to export (stations, parameters, a
// date span), in which form (tidy CSV or netCDF) and whether values are
// scaled as reports show them. The file is chosen after OK.
#pragma once

#include <QDialog>

#include "io/DataExport.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QListWidget;
namespace zav {
class ZAVFieldManager;
}

class ExportDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDataDialog(const zav::ZAVFieldManager& store, QWidget* parent = nullptr);

    zav::DataExportOptions Options() const;
    bool AsNetcdf() const;

    QComboBox* FormatBox() const { return m_format; }
    QListWidget* StationList() const { return m_stations; }
    QListWidget* ParameterList() const { return m_parameters; }
    QCheckBox* SpanBox() const { return m_span; }
    QDateEdit* StartEdit() const { return m_start; }
    QDateEdit* EndEdit() const { return m_end; }
    QCheckBox* ScaledBox() const { return m_scaled; }

    // Stays open while no station or no parameter is selected.
    void accept() override;

private:
    QComboBox* m_format;
    QListWidget* m_stations;
    QListWidget* m_parameters;
    QCheckBox* m_span;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QCheckBox* m_scaled;
};
