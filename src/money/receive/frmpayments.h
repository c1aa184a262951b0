#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"
#include "platform/vb/currency.h"

#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class FlexGrid;
class SimpleCombo;
} // namespace ui

// "Receive Payments": one window for the whole program. Payers are gathered into
// its grid, one student or a whole family at a time; the user shares the payment
// and any discount among the rows and presses "Process", which checks the payment
// and writes one ledger row per grid row under one receipt number. The rules are
// imodMoney's (money/payments.h).
class frmPayments : public ui::Form
{
    Q_OBJECT
public:
    frmPayments();

    // Fills the payer pick list in the chosen form; the text in the box is put back
    // and, when it is an entry of the list, that payer is added.
    Q_INVOKABLE void Load_Students();
    // Adds the payer a pick-list text names: a student, or with "Invoice Ref" a
    // family reference "Fn" (the family row and its members).
    Q_INVOKABLE void AddToList(const QString &StringText);
    // Adds the rows of one student; boolSilent keeps back the "nothing to show" box.
    Q_INVOKABLE void AddToList2(qint32 intStudentID, bool boolSilent);
    Q_INVOKABLE void cmdAdd_Click();
    // Recalculates the payment and discount totals from the grid.
    Q_INVOKABLE void CalcAllocated();
    // Writes the payment, offers the status change, reloads the class views, shows
    // the receipt and reloads this window for the next payment.
    Q_INVOKABLE void FinishPayment();
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void CoolButton1_Click();

    QLabel *Label2;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QRadioButton *optLF;
    QRadioButton *optFL;
    QRadioButton *optInvRef;
    QLabel *Label1;
    QLabel *Label6;
    ui::SimpleCombo *cbo;
    QPushButton *cmdAdd;
    QLabel *Label4;
    ui::FlexGrid *grid;
    QCheckBox *chkHideB;
    QPushButton *CoolButton1;
    QLabel *Label5;
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    QLineEdit *txtPassword;
    QLineEdit *txtOwing;
    QLineEdit *txtDiscount;
    QLineEdit *txtNewBalance;
    QPushButton *cmdOK;
    QPushButton *cmdClose;
    QLineEdit *Text1;
    QLabel *Image1;

    QList<qint32> RowStudentIds;
    int MouseRow = 0;
    int MouseCol = 0;
    int EditRow = 0;
    int EditCol = 0;
    QStringList EmployeeUserIds;
    vb::Currency AmountBeingPaid;

protected:
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void SetUpGrid();
    void LoadEmployees();
    void LoadPaymentMethods();
    void SetCell(int col, const QColor &colour, const QString &text);
    void ReceiptBoxFollowsMethod();
    void ProcessPayment();
    void grid_Click();
    void grid_KeyDown(int key);
    bool Text1_KeyDown(QKeyEvent *event);
    void Text1_LostFocus();
    void OpenCalculator(const QString &operation);
    void UpdateNewBalance();
    void FormatTotals();

    bool m_writingBack = false;
};
