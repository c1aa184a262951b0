#pragma once

#include "timetable/fixture/timetablefixture.h"

#include <QDate>
#include <QString>

// The timetable's data file with the rows the class view reads: students with
// their details and notes, ledger rows, catch-ups, levels and assessments.
class ClassViewTest : public TimetableTest
{
protected:
    // A booking with its session number (a catch-up when not 0) and its own Owing.
    qint32 addBookingRow(qint32 classId, qint32 studentId, const QString &status, int session = 0,
                         const QString &owing = QStringLiteral("0"));
    void setBooking(qint32 bookingId, const QString &assignments);
    void setStudent(qint32 studentId, const QString &assignments);
    // A ledger row of the booking: charge less payment, discount and discount tax.
    void addLedgerRow(qint32 bookingId, const QString &charge, const QString &paid,
                      const QString &discount = QStringLiteral("0"),
                      const QString &discountTax = QStringLiteral("0"));
    qint32 addLevel(const QString &description);
    // An assessment of the student at the level; date may be null (no date).
    qint32 addAssessment(qint32 studentId, qint32 levelId, const QDate &date, int processed,
                         int passLevel, qint32 classId = 0);
};
