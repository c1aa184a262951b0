#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The way into assessing a class: the program, the assessing employee and that
// employee's password. The employee's own right to assess every class decides
// what the class assessment window lists.
class frmAssess : public ui::Form
{
    Q_OBJECT
public:
    frmAssess();

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdCancel_Click();

    QLabel *Image1;
    QComboBox *cboProgram;
    // "(none)" and the employees, each with its InstructorID as item data.
    QComboBox *cboEmployee;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

protected:
    void onLoad() override;

private:
    void LoadProgramList();
    void LoadEmployeeList();
};
