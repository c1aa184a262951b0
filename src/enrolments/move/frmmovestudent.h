#pragma once

#include "platform/ui/form.h"
#include "platform/vb/currency.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
namespace ui {
class FlexGrid;
}

// "Move Student to Another Class": the user picks the class a booking moves to,
// or the class a student on the pre-enrolment list is booked into, with the
// filters of the class search. One window, refilled by its entry members.
class frmMoveStudent : public ui::Form
{
    Q_OBJECT
public:
    frmMoveStudent();

    QLabel *Label8, *lblStudentName, *Label7, *Label1, *Label3, *Label5, *Label6, *lblSR, *Label4;
    QLabel *Image1;
    QComboBox *cboProgram, *cboDay, *cboLevel, *cboInstructor;
    QCheckBox *chkSpots;
    ui::FlexGrid *grd;
    QPushButton *cmdNext, *cmdClose;

    // A booking to move: the cost and the opener's name go to the move; the
    // program and level texts are preselected, from the full lists when the
    // active ones lack them.
    Q_INVOKABLE void LoadUp(qint32 intBKID, vb::Currency curCost, const QString &strCallFormName,
                            qint32 intCallClassID, const QString &strProgramName,
                            const QString &strLevel);
    // A student to book off the program's pre-enrolment list.
    Q_INVOKABLE void LoadPreEnrol(qint32 lngStudentID, qint32 lngProgramID,
                                  const QString &strNotes);
    // Refills the program list: active programs only, or all of them.
    Q_INVOKABLE void Load_Program_List(bool boolHideInactive);

    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdClose_Click();
    // The search with the filters shown; nothing while a list shows no text.
    void RunSearch();

    bool preEnrolMode() const { return m_preStudentId != 0 || m_preProgramId != 0; }

protected:
    void onLoad() override;

private:
    void loadLevelList(bool all);
    bool selectText(QComboBox *list, const QString &text);

    qint32 m_preStudentId = 0;
    qint32 m_preProgramId = 0;
    QString m_preferences;
    qint32 m_bookingId = 0;
    vb::Currency m_cost;
    QString m_opener;
    qint32 m_openerClassId = 0;
    bool m_filling = false;
};
