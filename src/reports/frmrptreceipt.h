#pragma once

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The printable receipt: the customer's receipt above a stub kept by the office.
// The payment window fills its labels, tags it "Prerecorded" and shows it; the
// payer, the employee and the receipt number are copied into the stub by the
// window itself whenever they change.
class frmRptReceipt : public ui::Form
{
    Q_OBJECT
public:
    frmRptReceipt();

    QLabel *lblHeading;
    QLineEdit *txtReceivedFrom;
    QLabel *lblFor;
    QLabel *lblDate;
    QLineEdit *lblReceiptNo; // shown as a label; a box, so that its change is seen
    QLabel *lblAmount;
    QLabel *lblMethod;
    QLabel *lblGST;
    QLineEdit *txtStaffName;
    QLabel *lblBalance;
    QLabel *imgDuplicate;
    QLabel *lblOfficeReceivedFrom;
    QLabel *lblOfficeFor;
    QLabel *lblOfficeDate;
    QLabel *lblOfficeReceiptNo;
    QLabel *lblOfficeAmount;
    QLabel *lblGST2;
    QLabel *lblOfficeAuthBy;
    QLabel *imgOfficeDuplicate;
    QPushButton *cmdPrint;
    QPushButton *cmdClose;

    // Prints the receipt, without its buttons, on the current printer; a failure
    // is shown and the window stays.
    Q_INVOKABLE void cmdPrint_Click();

protected:
    void onLoad() override;
};
