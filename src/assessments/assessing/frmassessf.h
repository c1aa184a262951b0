#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Closes the assessments of a whole program: deletes the students placed for
// assessment and finalises, deletes or leaves the assessments not yet finalised.
// The word "Finalise" in its texts is the one of the user's language file.
class frmAssessF : public ui::Form
{
    Q_OBJECT
public:
    frmAssessF();

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdCancel_Click();

    QLabel *Image1;
    QLabel *Label2;
    // 0 the options' heading, 1 "Select Program:", 2 the question, 3 the explanation.
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QComboBox *cboProgram;
    QRadioButton *optFinalise;
    QRadioButton *optDelete;
    QRadioButton *optLeave;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

protected:
    void onLoad() override;

private:
    void LoadProgramList();
    void translateCaptions();
};
