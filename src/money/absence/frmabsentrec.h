#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Late Starter": a discount for the sessions a student who joins a program late
// has missed, written as one negative charge on the booking once a staff member
// with a user account has authorised it (the signed-in one without a password).
// One shared window: a second Init replaces the booking and keeps what was typed.
class frmAbsentRec : public ui::Form
{
    Q_OBJECT
public:
    frmAbsentRec();

    // Keeps the booking, its student and the program of its class.
    Q_INVOKABLE void Init(qint32 BookingID);
    // "Apply Discount": checks the amount and the authoriser, writes the row, lowers
    // the owing of the booking's open booking windows, reloads the class views and
    // closes. A failure keeps the window open and changes no window.
    Q_INVOKABLE void cmdOK_Click();
    // "No Discount": closes; nothing is written.
    Q_INVOKABLE void cmdClose_Click();

    qint32 lngBookingID = 0;
    qint32 lngStudentID = 0;
    qint32 lngProgramID = 0;

    QLabel *Label1, *Label2, *Image1;
    QLineEdit *txtSessionsMissed, *txtAmount, *txtPassword;
    QComboBox *cboAuthorisedBy;
    QPushButton *cmdOK, *cmdClose;

protected:
    void onLoad() override;

private:
    void LoadAuthorisers();
    // Works the discount out of the sessions typed.
    void txtSessionsMissed_Change();
    void lockPassword();
};
