#pragma once

#include "platform/ui/form.h"

#include <QList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace ui {
class FlexGrid;
}

// "Process Recurring Transactions": at log-in, lists the recorded cancellations
// whose date has come and the payment-plan rows that are due, and carries them
// out on "Process Now" (cancellations first) or leaves them for the next log-in.
class frmRecurring : public ui::Form
{
    Q_OBJECT
public:
    frmRecurring();

    // Carries out the due cancellations (dated before today); throws on a failure.
    Q_INVOKABLE void ProcessCancellations();
    // Charges the rows listed in grdCharge; false when a charge row could not be
    // written (reported), throws on other failures. Each row is all or nothing.
    Q_INVOKABLE bool ProcessCharges();
    Q_INVOKABLE void cmdNow_Click();
    Q_INVOKABLE void cmdLater_Click();

    QLabel *Label1;
    ui::FlexGrid *grdCancel, *grdCharge;
    QCheckBox *chkCancellation;
    QPushButton *cmdNow, *cmdLater;

protected:
    void onLoad() override;

private:
    void LoadCancellations();
    void LoadCharges();
    void reportFailure(const QString &what);

    QList<qint32> m_chargeDateIds; // the ChargeDateID of each data row of grdCharge
};
