#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

// One qualification of an employee: one shared window, filled by the employee
// window that opens it last. The opener writes the QualRecID into txtField(0)
// (empty for a new one) and the employee's InstructorID into txtField(1).
class frmEmpQual : public ui::Form
{
    Q_OBJECT
public:
    frmEmpQual();

    Q_INVOKABLE bool cmdOK_Click();
    Q_INVOKABLE void cmdDelete_Click();

    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);

    QLabel *Image1;
    QLabel *lblName;
    ui::ControlArray<QWidget> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QCheckBox *chkInactive;
    QPushButton *cmdOK;
    QPushButton *cmdDelete;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void txtField_Change(int index);
    // Checks and writes the qualification; false, after a message, when it could not.
    bool saveQualification();
    // Every open employee window reloads its own list.
    static void reloadEmployeeWindows();
};
