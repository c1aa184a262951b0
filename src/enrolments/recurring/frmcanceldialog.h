#pragma once

#include "platform/ui/form.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Cancellation Options": cancels one booking at once or records a date for it,
// with a reason and a discount written as a credit row, then tells the window
// that opened it (its FinishCancellation). One shared window.
class frmCancelDialog : public ui::Form
{
    Q_OBJECT
public:
    frmCancelDialog();

    // Remembers the booking and the opener and fills the dialog; a second call
    // while it is open re-targets it (the option, date and reason kept unless the
    // new booking has a recorded date).
    Q_INVOKABLE void LoadCancellation(int intBookingID, ui::Form *xf);

    Q_INVOKABLE void cmdNow_Click();
    Q_INVOKABLE void cmdClear_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void txtDiscount_LostFocus();

    qint32 bookingId() const { return m_bookingId; }

    QLabel *lblMessage, *Label3, *lblBalance, *lblNewBalance;
    QRadioButton *optImmediate, *optFuture;
    QLineEdit *txtDate, *txtReason, *txtDiscount;
    QPushButton *cmdNow, *cmdClear, *cmdCancel;

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void optionChanged();
    void txtDiscount_Change();

    qint32 m_bookingId = 0;
    QPointer<ui::Form> m_opener;
};
