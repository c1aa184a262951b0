#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;

namespace ui {
class SimpleCombo;
}

// Places a student who is not enrolled into the class shown by the class
// assessment window, for assessment only: a state-0 assessment row, no booking.
class frmAssessFS : public ui::Form
{
    Q_OBJECT
public:
    frmAssessFS();

    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    ui::SimpleCombo *cbo;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdClose;

protected:
    void onLoad() override;
};
