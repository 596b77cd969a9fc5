// CAboutDialog: "About ZAV" — the title picture, the version, the licence,
// the conversions file in use (which moves to the person's own folder when
// the program is installed) and OK.
#pragma once

#include <QDialog>

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(const QString& conversionsPath, QWidget* parent = nullptr);
};

extern const char* const kLicenceText;
