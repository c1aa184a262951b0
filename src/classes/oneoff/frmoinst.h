#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QLabel;
class QListWidget;
class QPushButton;

// Chooses which instructors have a column in the one-off enrolment centre. One
// window, filled when it loads; Save stores every tick and rebuilds the centre.
class frmOInst : public ui::Form
{
    Q_OBJECT
public:
    frmOInst();

    Q_INVOKABLE void Load_Instructors();
    Q_INVOKABLE void cmdSave_Click();

    QLabel *Label2;
    ui::ControlArray<QLabel> lblDetails{QStringLiteral("lblDetails")};
    QPushButton *cmdSave;
    // Each entry carries its InstructorID.
    QListWidget *lstInstructors;

protected:
    void onLoad() override;
};
