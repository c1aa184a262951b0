#include "moneyfixture.h"

#include "core/sqlquote.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/windowregistry.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

void LedgerTest::TearDown()
{
    ui::RegisterWindow(QStringLiteral("frmPayments"), {});
    ui::RegisterWindow(QStringLiteral("frmReceiptSummary"), {});
    TimetableTest::TearDown();
}

qint32 LedgerTest::addRow(const LedgerRow &row)
{
    exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, ChargeGST, "
                        "Amount, GSTCollected, DiscountAmount, DiscountGST, [Date], PassportFee, "
                        "Notes, RevenueAmount) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, "
                        "%11, %12, 0)")
             .arg(Global::SqlNumber(row.booking), Global::SqlNumber(row.student),
                  Global::SqlText(row.type), Global::SqlNumber(row.charge),
                  Global::SqlNumber(row.chargeTax), Global::SqlNumber(row.amount),
                  Global::SqlNumber(row.taxCollected), Global::SqlNumber(row.discount),
                  Global::SqlNumber(row.discountTax))
             .arg(Global::SqlDate(row.date), Global::SqlNumber(row.passportFee),
                  Global::SqlText(row.notes)));
    return value(QStringLiteral("SELECT Max(PaymentID) FROM Payments")).toInt();
}

void LedgerTest::setFamily(qint32 studentId, qint32 contactId)
{
    exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID = %2")
             .arg(Global::SqlNumber(contactId), Global::SqlNumber(studentId)));
}

qint32 LedgerTest::bookInProgram(qint32 studentId, qint32 programId)
{
    return addBooking(addClass(programId), studentId);
}

PaymentsStandIn::PaymentsStandIn(bool withPickBox)
{
    setObjectName(QStringLiteral("frmPayments"));
    if (withPickBox) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("cbo"));
        combo->setEditable(true);
        cbo = combo;
        (new QVBoxLayout(this))->addWidget(combo);
    }
}

ReceiptSummaryStandIn::ReceiptSummaryStandIn()
{
    setObjectName(QStringLiteral("frmReceiptSummary"));
    ui::ControlArray<QWidget> txtField(QStringLiteral("txtField"));
    auto *layout = new QVBoxLayout(this);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17}) {
        // The notes box holds several lines.
        QWidget *box = i == 10 ? static_cast<QWidget *>(new QPlainTextEdit(this))
                               : static_cast<QWidget *>(new QLineEdit(this));
        layout->addWidget(txtField.add(i, box));
    }
    txtDiscNet = new QLineEdit(this);
    txtDiscNet->setObjectName(QStringLiteral("txtDiscNet"));
    layout->addWidget(txtDiscNet);
}

QString ReceiptSummaryStandIn::box(int index) const
{
    for (QWidget *w : findChildren<QWidget *>(QStringLiteral("txtField"))) {
        if (ui::controlIndex(w) == index) {
            if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
                return plain->toPlainText();
            return w->property("text").toString();
        }
    }
    return QStringLiteral("<no box>");
}
