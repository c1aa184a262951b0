#pragma once

#include "timetable/fixture/timetablefixture.h"

#include <QLineEdit>
#include <QStringList>

// A ledger row as the tests write it straight into Payments.
struct LedgerRow
{
    qint32 booking = 0;
    qint32 student = 0;
    QString type = QStringLiteral("P");
    vb::Currency charge;
    vb::Currency chargeTax;
    vb::Currency amount;
    vb::Currency taxCollected;
    vb::Currency discount;
    vb::Currency discountTax;
    QDate date = QDate(2026, 3, 1);
    int passportFee = 0;
    QString notes;
};

// The timetable's data file fixture with ledger rows.
class LedgerTest : public TimetableTest
{
protected:
    void TearDown() override;

    // Writes the row; gives its PaymentID.
    qint32 addRow(const LedgerRow &row);
    // A student in a family: Family holds the contact's StudentID.
    void setFamily(qint32 studentId, qint32 contactId);
    // A class of its own program for the student: gives the booking.
    qint32 bookInProgram(qint32 studentId, qint32 programId);
};

// Stands in for the payment window: its pick box "cbo" and the calls of AddToList.
class PaymentsStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit PaymentsStandIn(bool withPickBox = true);
    Q_INVOKABLE void AddToList(const QString &pick) { added << pick; }
    QWidget *cbo = nullptr;
    QStringList added;
};

// Stands in for the receipt summary: txtField(0 to 17) and txtDiscNet.
class ReceiptSummaryStandIn : public ui::Form
{
    Q_OBJECT
public:
    ReceiptSummaryStandIn();
    QString box(int index) const;
    QLineEdit *txtDiscNet = nullptr;
};
