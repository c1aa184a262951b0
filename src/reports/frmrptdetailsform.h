#pragma once

#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The printable student details and declaration form. Global::FillDetailsForm
// makes a new one for every student, fills its boxes and shows it; Register()
// tells it how (call it once when the program starts).
class frmRptDetailsForm : public ui::Form
{
    Q_OBJECT
public:
    explicit frmRptDetailsForm(QWidget *parent = nullptr);

    // Hands Global::FillDetailsForm the way to make the form.
    static void Register();

    // Payment mode: "Update Details" shows, and closing the form finishes the
    // payment that waits for it (FinishPayment of the open frmPayments).
    Q_INVOKABLE void LoadForPayment();
    // Prints the form, without its buttons, on the default printer; a failure is
    // shown in an "Oops!" box. The form stays open.
    Q_INVOKABLE void Command1_Click();

    bool isPaymentMode() const { return m_paymentMode; }

    QLabel *Label1; // the centre's name
    QLabel *Label2; // the declaration
    QLineEdit *txtID;
    QLineEdit *txtGivenName;
    QLineEdit *txtFamilyName;
    QLineEdit *txtDOB;
    QLineEdit *Text1; // gender
    QLineEdit *txtParentName;
    QLineEdit *txtHomePh;
    QPlainTextEdit *txtAddress;
    QLineEdit *txtWorkPh;
    QLineEdit *txtMobilePh;
    QLineEdit *txtEmail;
    QPlainTextEdit *txtMedicalNotes;
    QLineEdit *Text4; // the signature
    QLineEdit *txtDate;
    QFrame *fraButtons;
    QPushButton *cmdUpdate;
    QPushButton *Command1;

protected:
    void onLoad() override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_paymentMode = false;
    bool m_placed = false;
};
