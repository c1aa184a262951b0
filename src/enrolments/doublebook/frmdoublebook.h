#pragma once

#include "platform/ui/form.h"
#include "platform/vb/currency.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Double Booking Alert": opened for an enrolment or a waiting-list upgrade that
// was refused because the student is already in the class (614) or the program
// (615). Lists the student's enrolments in the program and lets the user drop the
// request, move one of those bookings into the class, or enrol anyway. A new
// window per refusal.
class frmDoubleBook : public ui::Form
{
    Q_OBJECT
public:
    frmDoubleBook();

    // The procedure that moves a booking into another class, owned by the moves;
    // "Move" stays disabled while it is not registered. Arguments: BookingID,
    // over-fill authorised (0), target ClassID, the target's price, the opener's
    // name and the waiting BookingID.
    static const QString MoveProcedure;

    // A refused enrolment: keeps the request for "Ignore this".
    Q_INVOKABLE void LoadMe(qint32 StudentID, const QString &cboTXT, qint32 ProgramID,
                            qint32 ClassID, int WaitList, vb::Currency Cost, int ErrNum,
                            int intSession);
    // A refused upgrade of the waiting booking (its class is the requested one).
    Q_INVOKABLE void LoadMeUWL(int ErrNum, qint32 BookingID, qint32 StudentID, qint32 ProgramID,
                               vb::Currency Cost, int intSession);

    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void lstClasses_DblClick();

    QLabel *Label2, *lblInfo, *Label5, *Label1;
    QListWidget *lstClasses;
    QRadioButton *optStop, *optMove, *optIgnore;
    QPushButton *cmdOK, *cmdCancel;

protected:
    void onLoad() override;

private:
    void fill(int errNum);
    void bringAddBookingForward();

    qint32 m_studentId = 0;
    QString m_studentName;
    qint32 m_programId = 0;
    qint32 m_classId = 0;
    int m_waitList = 0;
    int m_session = 0;
    vb::Currency m_price;
    qint32 m_waitingBookingId = 0;
    bool m_fromWaitList = false;
};
