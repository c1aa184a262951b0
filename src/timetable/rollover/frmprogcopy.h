#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Copies one active program into a new program: new name, dates, number of
// sessions and prices; every class again in the new program, with its
// instructors and, when asked, its students and waiting list.
class frmProgCopy : public ui::Form
{
    Q_OBJECT
public:
    frmProgCopy();

    Q_INVOKABLE void cboProgram_Click();
    // The user's edit of a price box (3, 15 or 8) while it is editable.
    Q_INVOKABLE void txtField_Change(int index);
    Q_INVOKABLE void txtField_LostFocus(int index);
    Q_INVOKABLE void btnCal1_Click();
    Q_INVOKABLE void btnCal2_Click();
    Q_INVOKABLE void cal_Click(const QDate &date);
    Q_INVOKABLE void chkCopyStudents_Click();
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Image1;
    QComboBox *cboProgram;
    // 1 name, 5 start date, 7 end date, 8 number of sessions, 3 full cost,
    // 15 cost per session: the columns of the new Programs row.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QToolButton *btnCal1;
    QToolButton *btnCal2;
    QCalendarWidget *cal;
    QCheckBox *chkPSession;
    QCheckBox *chkCopyStudents;
    QCheckBox *chkCopyWaitList;
    QPushButton *cmdOK;
    QPushButton *cmdClose;

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void LoadProgramList();
    void SetFieldLocked(QLineEdit *box, bool locked);
    void clearFields();
    void showCalendar(QToolButton *button, int box);

    int m_calendarBox = -1; // the date box the calendar writes into
};
