#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;

namespace ui {
class SimpleCombo;
}

// The company search: every company of the data file in a sorted list. Open shows
// the chosen company in the company window, New Company starts a new one. One
// window for the whole program, shown modeless.
class frmFindCompany : public ui::Form
{
    Q_OBJECT
public:
    frmFindCompany();

    // Refills the list and the count line; the typed text is left as it is.
    Q_INVOKABLE void Load_Companies();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdAddEmployee_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    QLabel *Label2;
    QLabel *Label5;
    ui::SimpleCombo *cbo;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdAddEmployee;
    QPushButton *cmdClose;

protected:
    void onLoad() override;
    void onActivate() override;
};
