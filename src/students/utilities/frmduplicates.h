#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;
namespace ui {
class SimpleCombo;
}

// Duplicate Names: the students whose name another person shares, opened in the
// window that suits each person, and a printable list. One window for the whole
// program; deletions elsewhere call Load_Duplicates by name.
class frmDuplicates : public ui::Form
{
    Q_OBJECT
public:
    frmDuplicates();

    Q_INVOKABLE void Load_Duplicates();
    Q_INVOKABLE void cbo_DblClick();
    Q_INVOKABLE void Command1_Click();

    QLabel *Image1;
    ui::SimpleCombo *cbo;
    QLabel *lblStatus;
    QPushButton *Command1;

protected:
    void onLoad() override;
};
