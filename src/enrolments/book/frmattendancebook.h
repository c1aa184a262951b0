#pragma once

#include "platform/ui/form.h"

class AttendanceKey;
class QComboBox;
class QPushButton;

namespace ui {
class FlexGrid;
}

// The attendance book: the attendance grids of the classes of one program, one
// block per class (a merged caption row, then the class's header, bookings and
// closing row), chosen by program, day pattern and instructor. Clicks mark
// attendance in the clicked block as in the class view.
class frmAttendanceBook : public ui::Form
{
    Q_OBJECT
public:
    frmAttendanceBook();

    Q_INVOKABLE void Load_Program_List();
    Q_INVOKABLE void Load_Inst_List();
    Q_INVOKABLE void cmdShow_Click();
    Q_INVOKABLE void agrd_Click();

    QSize sizeHint() const override { return {900, 560}; }

    QComboBox *cboProgram, *cboDay, *cboInstructor;
    QPushButton *cmdShow;
    ui::FlexGrid *agrd;
    AttendanceKey *key;

protected:
    void onLoad() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowAttendanceBook();
    void FillAttendanceBook(ui::FlexGrid *grid, const QString &program, const QString &instructor,
                            const QString &day, const QString &level, qint32 poolArea);
    void Form_Resize();
};
