#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Receipt Summary": one ledger row as imodMoney::ShowReceiptSummary fills it,
// txtField(n) showing Payments column n (none for 7 and 9; 8, 13 and 16 hidden).
// It reverses the row or its whole receipt, prints a copy of the receipt and
// leads to the change of the payment method. One window for the whole program.
class frmReceiptSummary : public ui::Form
{
    Q_OBJECT
public:
    frmReceiptSummary();

    // Reverses the payment shown, or every row of its receipt, in the name of the
    // user (who approved it, or who is signed in).
    Q_INVOKABLE void DeletePayment(const QString &UserID);
    // Reverses one payment row; a row that is gone is reported.
    Q_INVOKABLE void ReverseNow(qint32 PaymentID, const QString &UserName);

    Q_INVOKABLE void cmdDelPayment_Click();
    Q_INVOKABLE void cmdPrintReceipt_Click();
    Q_INVOKABLE void cmdInstChange_Click();
    Q_INVOKABLE void cmdClose_Click();
    Q_INVOKABLE void txtField_Change();

    QLabel *Image1;
    ui::ControlArray<QWidget> txtField{QStringLiteral("txtField")};
    QLineEdit *txtDiscNet;
    QLabel *cmdInstChange;
    QPushButton *cmdDelPayment;
    QPushButton *cmdPrintReceipt;
    QPushButton *cmdClose;

protected:
    void onLoad() override;

private:
    QString fieldText(int index) const;
};
