// CCenturyDialog: "Choose last year to offset:" — one field holding the last
// year whose points Data > Add Century moves forward by a hundred years.
#pragma once

#include "app/dialogs/FieldDialog.h"

class CCenturyDialog : public FieldDialog {
    Q_OBJECT
public:
    // The field starts with `lastYear` (the last year of data, -1 for a
    // project without points).
    explicit CCenturyDialog(int lastYear, QWidget* parent = nullptr);

    // The field read as atoi reads it: leading blanks skipped, trailing
    // text ignored, 0 when it holds no number.
    int LastYear() const;
};
