#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QPushButton;

// Hands the classes of one instructor (or of all) in one program, on one day
// pattern (or on all), over to another instructor.
class frmReassignInst : public ui::Form
{
    Q_OBJECT
public:
    frmReassignInst();

    // The instructor whose list text equals the text exactly, active or not; 0 when none.
    Q_INVOKABLE qint32 InstructorID_From_NameID(const QString &InstructorString);
    // The program whose list text equals the text; 0 when none.
    Q_INVOKABLE qint32 ProgramID_From_NameID(const QString &text);
    // "%" for "(All)", else the day pattern.
    Q_INVOKABLE QString Process_Days(const QString &Day);

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    QLabel *Image2;
    QComboBox *cboCurrent;
    QComboBox *cboNew;
    QComboBox *cboProgram;
    QComboBox *cboDay;
    QPushButton *cmdOK;
    QPushButton *cmdClose;

protected:
    void onLoad() override;

private:
};
