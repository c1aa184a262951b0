#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QCalendarWidget;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {
class FlexGrid;
}

// "Payment Plan": the dates and amounts on which every enrolment of one program
// is charged. One shared window, switched to another program by LoadProgram.
class frmPayPlan : public ui::Form
{
    Q_OBJECT
public:
    frmPayPlan();

    Q_INVOKABLE void LoadProgram(int intPID);
    Q_INVOKABLE void EnableFields(bool boolEnable);

    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void cmdSave_Click();
    Q_INVOKABLE void btnCal_Click();
    void cal_Click(const QDate &date);

    qint32 programId() const { return m_programId; }

    QLabel *lblProgram, *lblIntro, *lblWarning;
    QFrame *shpWarning;
    ui::FlexGrid *grd;
    QPushButton *cmdNew, *cmdEdit, *cmdDelete, *cmdSave;
    QGroupBox *fraCharge;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QToolButton *btnCal;
    QCalendarWidget *cal;

    // The two heights of the window, in twips.
    static constexpr int ListHeight = 4545;
    static constexpr int RecordHeight = 6360;

protected:
    void onLoad() override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void LoadPlan();
    void setLocked(QLineEdit *box, bool locked);
    void showRecordArea(bool shown);
    void showWarning(bool shown);
    bool selectedDataRow() const;
    void reportFailure();

    qint32 m_programId = 0;
};
