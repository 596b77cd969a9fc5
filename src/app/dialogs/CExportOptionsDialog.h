// CExportOptionsDialog: "Export Report Table Options", asked on every export
// of the availability page's report: where the report goes (clipboard, a
// tab-delimited file, or a time series for the VORN model to a file or the
// clipboard) and whether the file is transposed. It starts afresh each time.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;

class CExportOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CExportOptionsDialog(QWidget* parent = nullptr);

    // 0 "To clipboard", 1 "To file, tab-delimited", 2 "To file, as
    // timeseries", 3 "To clipboard, as timeseries ".
    int Option() const;
    void SetOption(int option);
    bool Transpose() const;
    QCheckBox* TransposeBox() const { return m_transpose; }

private:
    QButtonGroup* m_options;
    QCheckBox* m_transpose;
};
