#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"
#include "platform/vb/currency.h"

#include <QList>

class AttendanceKey;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QDate;
class QTime;
class QColor;
class QMouseEvent;

namespace ui {
class ColorSquare;
class FlexGrid;
class Timer;
} // namespace ui

// The class view: one class's details above the tabs of its students, waiting
// list, catch-ups, attendance, notes and assessments. A new window for every
// class opened, known by the name "frmViewClass"; other windows find the one of a
// class by the ClassID in txtField(0) and reload its lists by name.
class frmViewClass : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(QString ViewClassMode READ viewClassMode WRITE setViewClassMode)
    Q_PROPERTY(int ClassProgram READ ClassProgram WRITE setClassProgram)
    Q_PROPERTY(QString Key READ Key WRITE setKey)
    Q_PROPERTY(bool OOE MEMBER OOE)
public:
    frmViewClass();

    // Fills the window for the opening mode held in ViewClassMode: "Add" reads
    // nothing, "Edit" reads the class and its lists (with OO only its students).
    Q_INVOKABLE void LoadOps(qint32 ClassID, bool OO = false);
    Q_INVOKABLE void SetClassInstructors(const QList<qint32> &intI);
    Q_INVOKABLE void DisplayNumberOfSessions();
    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void Load_Waitlist();
    Q_INVOKABLE void Load_CatchUp_Students();
    Q_INVOKABLE void Load_Assessment_Grid();
    Q_INVOKABLE void Form_Activate();

    Q_INVOKABLE void Check1_Click();
    Q_INVOKABLE void cmdRefS_Click();
    Q_INVOKABLE void Check2_Click();
    Q_INVOKABLE void cmdRefA_Click();
    Q_INVOKABLE void agrd_Click();
    Q_INVOKABLE void cmdRefWL_Click();
    Q_INVOKABLE void cmdRefCU_Click();

    // Editing and saving.
    Q_INVOKABLE void cmdEdit_Click();
    Q_INVOKABLE void Edit_Me();
    Q_INVOKABLE void btnCal1_Click();
    Q_INVOKABLE void btnCal2_Click();
    Q_INVOKABLE void cal_DateClick(const QDate &date);
    Q_INVOKABLE void btnCalCheck_Click();
    Q_INVOKABLE void cboChargeOn_Click();
    Q_INVOKABLE void cboField_LostFocus(int index);
    Q_INVOKABLE void chkActive_Click();
    Q_INVOKABLE void chkWaitingList_Click();
    Q_INVOKABLE void cmdSave_Click();
    // 0 when the class was saved, 1 when it was not.
    Q_INVOKABLE int SaveClass();
    Q_INVOKABLE void SaveInstructors(qint32 intClassID);

    // The four "Change..." links and the one-off form.
    Q_INVOKABLE void cmdProgChange_Click();
    Q_INVOKABLE void cmdInstChange_Click();
    Q_INVOKABLE void cmdPoolArea_Click();
    Q_INVOKABLE void cmdActivity_Click();
    // Prepares a new, unsaved one-off class of that instructor (0 for none), date and time.
    Q_INVOKABLE void LoadNewO(const QString &InstructorName, const QDate &TheDate,
                              const QTime &TheTime, qint32 InstructorID = -1);
    Q_INVOKABLE void FixForOOE();

    // The frame: tabs, refresh, bookings, the three buttons, the time check.
    Q_INVOKABLE void tabs_Click();
    Q_INVOKABLE void Timer1_Timer();
    Q_INVOKABLE void grd_DblClick();
    Q_INVOKABLE void wgrd_DblClick();
    Q_INVOKABLE void Command1_Click();
    Q_INVOKABLE void Command2_Click();
    Q_INVOKABLE void Command3_Click();
    Q_INVOKABLE void txtField_LostFocus(int index);
    // Puts the month calendar away (clicks on the window, its picture, a text box).
    Q_INVOKABLE void Form_Click();

    // Notes and the class details slip.
    Q_INVOKABLE void cmdNotesEdit_Click();
    Q_INVOKABLE void EditNotes();
    Q_INVOKABLE void cmdNotesSave_Click();
    Q_INVOKABLE void cmdNotesPrint_Click();
    Q_INVOKABLE void cmdPrintConfirmation_Click();

    int ClassProgram() const { return m_classProgram; }
    void setClassProgram(int programId) { m_classProgram = programId; }
    QString Key() const { return m_sKey; }
    void setKey(const QString &key) { m_sKey = key; }
    QString viewClassMode() const;
    void setViewClassMode(const QString &mode);
    // The instructors the class is saved with, the price and charge basis as last read.
    QList<qint32> classInstructors() const { return m_intInstructors; }
    vb::Currency loadedCost() const { return m_curLoadedCost; }
    int loadedChargePerSession() const { return m_intLoadedChargePerSession; }

    bool OOE = false;

    // The details area.
    QLineEdit *ViewClassMode;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QLabel *Label2, *Label5;
    QLineEdit *txtProgram, *txtInstructor, *txtDuration;
    QComboBox *cboChargeOn;
    QLabel *lblPoolArea, *lblActivity, *lblDateFrom, *lblDateTo, *lblSessions;
    QCheckBox *chkActive, *chkWaitingList;
    QPushButton *cmdEdit, *cmdSave, *cmdDelClass, *Command3;
    QPushButton *btnCal1, *btnCal2, *btnCalCheck;
    QCalendarWidget *cal;
    QPushButton *cmdProgChange, *cmdInstChange, *cmdPoolArea, *cmdActivity;
    ui::Timer *Timer1;
    QLabel *Image1, *Image2;

    QTabWidget *tabs;
    // Enrolments.
    ui::FlexGrid *grd;
    QCheckBox *Check1;
    QPushButton *cmdRefS, *cmdAddStudent, *Command2, *cmdReceivePayment, *cmdPrintConfirmation,
        *Command1, *cmdDiscount;
    QFrame *Shape1;
    ui::ColorSquare *shpConfirmed, *shpTentative, *shpMoved, *shpCancelled, *shpNoShow;
    QPushButton *cmdConfirm, *cmdTentative, *cmdMove, *cmdCancel, *cmdNoShow;
    // Waiting list.
    ui::FlexGrid *wgrd;
    QPushButton *cmdWLAdd, *cmdWLEdit, *cmdWLBook, *cmdWLDel, *cmdRefWL;
    // Catch-ups.
    ui::FlexGrid *cgrd;
    QPushButton *cmdCUAdd, *cmdCUEdit, *cmdCUDel, *cmdRefCU;
    // Attendance.
    ui::FlexGrid *agrd;
    QCheckBox *Check2;
    QPushButton *cmdRefA;
    AttendanceKey *Picture1;
    QLabel *Label1, *Label13, *Label14, *Label17, *Label18;
    // Notes.
    QPlainTextEdit *txtClassNotes;
    QPushButton *cmdNotesEdit, *cmdNotesSave, *cmdNotesPrint;
    // Assessments.
    ui::FlexGrid *grdAssess;

protected:
    void onLoad() override;
    void onActivate() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void SetupStudentGrid(ui::FlexGrid *grid, bool weekColumn);
    void SetupAssessmentGrid();
    void Load_ClassGroup_List();
    void Load_ChargeMode_List();
    void Load_Class_Record(qint32 classId);
    void txtField_Change(int index);
    // View mode: the details locked in their colour, the editing controls disabled.
    void showViewMode();
    // Locks a detail in the view-mode colour, or unlocks it in the window colour.
    void setDetailLocked(QWidget *w, bool locked);
    void setDetailLockedIn(QWidget *w, const QColor &colour);
    void setNotesLocked(bool locked);
    // Enables the buttons whose windows or documents are registered.
    void enableRegisteredButtons();
    void openCalendar(const QString &tag, int topTwips, QLineEdit *box);
    void requestAuthorisation(const QString &operation, const QString &extra);
    // The class search window's filter of that name ("Main" loaded when needed).
    QString searchFilter(const char *name) const;
    void fillNewClassDefaults();
    void openBooking(ui::FlexGrid *grid);
    void callOptional(QObject *target, const char *member);
    // The ClassID held in txtField(0); Type mismatch when it is not a number.
    qint32 classIdText() const;

    QList<qint32> m_intInstructors;
    vb::Currency m_curLoadedCost;
    int m_intLoadedChargePerSession = 0;
    int m_classProgram = 0;
    QString m_sKey;
};
