#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;

namespace ui {
class SimpleCombo;
}

// Makes a student an employee: the students who are not employees in a sorted
// list; Promote gives the chosen one an Instructors row and opens the employee
// window on it for editing. One window for the whole program, shown modeless.
class frmPromoteStudent : public ui::Form
{
    Q_OBJECT
public:
    frmPromoteStudent();

    // Refills the list and the count line; the typed text stays.
    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    QLabel *Label2;
    QLabel *Label5;
    ui::SimpleCombo *cbo;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdClose;

protected:
    void onLoad() override;
    void onActivate() override;
};
