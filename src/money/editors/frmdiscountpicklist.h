#pragma once

#include "platform/ui/form.h"
#include "platform/vb/currency.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Grants one discount on one booking: a discount of the centre's list, its amount,
// one session or the booking as a whole, approved by an employee; OK writes the
// ledger row and reloads the open windows that show the booking. A new window for
// each opening.
class frmDiscountPickList : public ui::Form
{
    Q_OBJECT
public:
    frmDiscountPickList();

    // Fills the window for the booking: its lists, the student's name and the
    // booking's program and class.
    Q_INVOKABLE void Load(qint32 bookingId);

    Q_INVOKABLE void lstDiscounts_Click();
    Q_INVOKABLE void CalculateTotal();
    Q_INVOKABLE void SetSessionBoxState();
    // Writes the discount; the window closes when it is written.
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    qint32 bookingId() const { return m_booking; }

    QLabel *lblStudentName;
    QLabel *lblBookingDetails;
    QListWidget *lstDiscounts;
    QLineEdit *txtDetails;
    QLineEdit *txtAmount;
    QCheckBox *chkPool;
    QCheckBox *chkAllSessions;
    QLineEdit *txtSession;
    QLabel *lblTotal;
    QComboBox *cboAuthorisedBy;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdClose;

protected:
    void onLoad() override;

private:
    void LoadDiscountList();
    void LoadEmployeeList();
    // The approving employee's UserID; "" (after saying why) when there is none.
    QString GetAuthorisingUser();
    void RefreshBookingWindows();
    void lock(QLineEdit *box, bool locked);

    qint32 m_booking = 0;
    qint32 m_student = 0;
    qint32 m_class = 0;
    qint32 m_program = 0;
    // The UserIDs of the employees in cboAuthorisedBy, in box order; each entry
    // carries its position here as its item data.
    QStringList m_userIds;
    // The discount total the label shows and OK writes.
    vb::Currency m_total;
};
