#pragma once

#include "platform/ui/form.h"
#include "platform/vb/currency.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDate>
#include <QStringList>

// Stands in for a window that opens the cancellation dialog: counts the calls of
// FinishCancellation.
class OpenerStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit OpenerStandIn(const QString &name = QStringLiteral("frmStudentDetails"))
    {
        setObjectName(name);
        setMdiChild(false);
    }
    Q_INVOKABLE void FinishCancellation() { ++finished; }
    int finished = 0;
};

// A program "Summer" (GST at 10 per cent, account "4-1000") with one class and the
// student Ann Lee; the cancellation, due-work and payment plan windows registered.
class DueWorkTest : public TimetableTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A charge row of the amount (tax a tenth of it) on the booking.
    void charge(qint32 bookingId, vb::Currency amount);
    // The booking's ledger rows as "marker charge/tax" in PaymentID order.
    QStringList ledger(qint32 bookingId);
    qint32 addPlanRow(qint32 programId, const QDate &date, vb::Currency amount, int run = 0);
    QString status(qint32 bookingId);
    static QDate today() { return QDate::currentDate(); }
    // The boxes shown so far as "title|text".
    QStringList boxes() const;

    qint32 program = 0, classId = 0, student = 0;
};
