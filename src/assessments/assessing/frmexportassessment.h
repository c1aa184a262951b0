#pragma once

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The export of student and class data for an outside assessment program. The
// export has no format to write yet: OK only says so.
class frmExportAssessment : public ui::Form
{
    Q_OBJECT
public:
    frmExportAssessment();

    Q_INVOKABLE void Command1_Click();
    Q_INVOKABLE void Command2_Click();
    Q_INVOKABLE void Command3_Click();

    QLabel *Image1;
    QLineEdit *txtSaveLocation;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;

protected:
    void onLoad() override;

private:
    QString m_chosen; // the file last chosen in the save dialog
};
