#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QPushButton;

// Issue Passports: changes the passport status of every student holding a
// passport in the classes of a program, narrowed to a day pattern and an
// instructor. One window for the whole program.
class frmPassports : public ui::Form
{
    Q_OBJECT
public:
    frmPassports();

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    QComboBox *cboProgram;
    QComboBox *cboDay;
    QComboBox *cboInstructor;
    QComboBox *cboPassport;
    QPushButton *cmdOK;
    QPushButton *cmdClose;

protected:
    void onLoad() override;

private:
    void Load_Inst_List();
    void Load_Program_List();
    void Load_Passport_List();
};
