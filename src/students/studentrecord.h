#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

// The rows behind the student record window: the person's Students row as the
// window shows and saves it, and the bookings, charges, payments and assessments
// of its history grids. Each history is read by student in a fixed number of
// statements, whatever the number of rows. Failures reach the caller.
namespace imodStudents {

// The Students row as the record window reads it by column position.
struct StudentDetails
{
    qint32 studentId = 0;
    // Positions 0 to 14 and 21 as text; a Null or empty column is left out.
    QMap<int, QString> texts;
    QVariant dateOfBirth;          // position 3, a date or Null
    QVariant detailsCompleted;     // position 16, a date or Null
    QString barcode;
    qint32 family = 0;
    int inactive = 0;
    int issued = 0;
    QString employee;              // position 18
};

// The person's row; error 3021 when there is none.
StudentDetails ReadStudentDetails(qint32 studentId);

// What a save writes.
struct StudentEdits
{
    QMap<int, QString> texts; // positions 1 to 14 and 21, as typed
    QDate dateOfBirth;        // invalid: Null
    QString familyTag;        // the family's StudentID as text
    int issued = 0;
    int inactive = 0;
    QString barcode;          // "" for none
};

// Writes the row of the person (0: a new row, with Vendor, Employee and Special
// "N"), marks it a student and dates DetailsFormCompleted today. Family is written
// only when the tag is a number; otherwise the stored value stays. Gives the
// row's StudentID. A failure leaves the row as it was.
qint32 SaveStudentDetails(qint32 studentId, const StudentEdits &edits, const QDate &today = {});

// One row of the bookings grid (catch-ups left out), by class start date.
struct BookingHistoryRow
{
    qint32 bookingId = 0;
    qint32 classId = 0;
    QString activity; // "One-Off Enrolment" when the class has none
    QString program;  // the class's start date (Global::DateFormat) for a one-off row
    QString day;
    QString time;     // "hh:mm AMPM"
    QString level;
    QString instructors; // "A B and C D", or "(none)"
    vb::Currency owing;
    QString status;
};
QList<BookingHistoryRow> LoadBookingHistory(qint32 studentId);

// One row of the charges or payments grid, by date.
struct LedgerHistoryRow
{
    qint32 paymentId = 0;
    QVariant date;
    QVariant time;
    QString description; // the booking's class, "Deleted Class", "Deleted Booking", "Passport Fee"
    vb::Currency amount;   // ChargeAmount or Amount
    vb::Currency tax;      // ChargeGST or GSTCollected
    vb::Currency discount; // DiscountAmount + DiscountGST (payments)
    QString method;
};
QList<LedgerHistoryRow> LoadLedgerHistory(qint32 studentId, bool charges);

// One assessed or finalised assessment (Processed 1 or 2) of the student.
struct AssessmentHistoryRow
{
    qint32 assessmentId = 0;
    QString date;
    QString instructor;
    QString level;
    QString achieved; // "Pass/Competent" or "Not Yet Competent"
    QString expires;
    QString renewalNoticeSent;
};
QList<AssessmentHistoryRow> LoadAssessmentHistory(qint32 studentId);

} // namespace imodStudents
