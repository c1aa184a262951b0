#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class FlexGrid;
}

// The enrolment numbers of one program: a grid of the students enrolled in each
// level on each weekday, with the total of each level and of each day, printed
// through the report viewer.
class frmNumberStats : public ui::Form
{
    Q_OBJECT
public:
    frmNumberStats();

    // Refills cboProgram with the active programs.
    Q_INVOKABLE void Load_Program_List();
    // Fills the grid for the program chosen in cboProgram.
    Q_INVOKABLE void FillGrid();
    Q_INVOKABLE void cboProgram_Click();
    Q_INVOKABLE void Command1_Click();

    // The grid comes and goes: the window opens with room for it.
    QSize sizeHint() const override { return {620, 460}; }

    QLabel *Image1;
    QComboBox *cboProgram;
    ui::FlexGrid *grd;
    QFrame *fraWait;
    QProgressBar *prg;
    QPushButton *Command1;

protected:
    void onLoad() override;

private:
    void SetupGrid();
};
