#pragma once

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Receipts Journal": the payment rows taken within a range of days, one line a
// row ("time - payer (#PaymentID)"); a double click opens a line's row in the
// receipt summary. One window for the whole program.
class frmJournalReceipts : public ui::Form
{
    Q_OBJECT
public:
    frmJournalReceipts();

    // (Re)builds the list from the two dates; the receipt summary calls it after
    // every reversal.
    Q_INVOKABLE void cmdShow_Click();
    Q_INVOKABLE void List1_DblClick();
    Q_INVOKABLE void Command1_Click();

    QLabel *Image1;
    QLineEdit *txtDateFrom;
    QLineEdit *txtDateTo;
    QPushButton *cmdShow;
    QPushButton *Command1;
    QListWidget *List1;
    QLabel *lblStatus;

protected:
    void onLoad() override;
};
