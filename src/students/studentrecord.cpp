#include "studentrecord.h"

#include "core/centresettings.h"
#include "core/irecobjectcode.h"
#include "core/timetablelookups.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "students/fieldvalues.h"

#include <QHash>

namespace imodStudents {

namespace {

using detail::money;
using detail::noCurrentRecord;
using detail::number;
using detail::text;

QString timeText(const QVariant &time)
{
    return time.isNull() ? QString() : vb::Format(time, QStringLiteral("hh:mm AMPM"));
}

constexpr int DateOfBirth = 3;
constexpr int DetailsFormCompleted = 16;
constexpr int EmployeeFlag = 18;
constexpr int InternalNotes = 21;

} // namespace

StudentDetails ReadStudentDetails(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Students.* FROM Students WHERE StudentID=%1;").arg(studentId));
    if (rs->eof())
        noCurrentRecord();
    StudentDetails d;
    d.studentId = studentId;
    for (int position = 0; position <= 14; ++position) {
        const QVariant v = rs->value(position);
        if (!v.isNull() && !vb::CStr(v).isEmpty())
            d.texts.insert(position, vb::CStr(v));
    }
    const QVariant notes = rs->value(InternalNotes);
    if (!notes.isNull() && !vb::CStr(notes).isEmpty())
        d.texts.insert(InternalNotes, vb::CStr(notes));
    d.dateOfBirth = rs->value(DateOfBirth);
    d.detailsCompleted = rs->value(DetailsFormCompleted);
    d.employee = text(rs->value(EmployeeFlag));
    d.barcode = text(rs->value(QStringLiteral("Barcode")));
    d.family = number(rs->value(QStringLiteral("Family")));
    d.inactive = number(rs->value(QStringLiteral("Inactive")));
    d.issued = number(rs->value(QStringLiteral("Issued")));
    return d;
}

qint32 SaveStudentDetails(qint32 studentId, const StudentEdits &edits, const QDate &today)
{
    const QDate day = today.isValid() ? today : vb::Date().date();
    // A new row is added to an empty selection: the same row, without reading the table.
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Students.* FROM Students WHERE StudentID = %1;").arg(studentId));
    if (studentId == 0)
        rs->addNew();
    else if (rs->eof())
        noCurrentRecord();
    try {
        for (int position = 1; position <= 14; ++position) {
            if (position == DateOfBirth)
                rs->setValue(position, edits.dateOfBirth.isValid()
                                           ? QVariant(vb::makeDateTime(edits.dateOfBirth.year(),
                                                                       edits.dateOfBirth.month(),
                                                                       edits.dateOfBirth.day()))
                                           : QVariant());
            else
                rs->setValue(position, edits.texts.value(position));
        }
        rs->setValue(DetailsFormCompleted, vb::makeDateTime(day.year(), day.month(), day.day()));
        rs->setValue(QStringLiteral("Student"), QStringLiteral("Y"));
        if (studentId == 0) {
            rs->setValue(QStringLiteral("Vendor"), QStringLiteral("N"));
            rs->setValue(QStringLiteral("Employee"), QStringLiteral("N"));
            rs->setValue(QStringLiteral("Special"), QStringLiteral("N"));
        }
        rs->setValue(InternalNotes, edits.texts.value(InternalNotes));
        bool isNumber = false;
        const qint32 family = edits.familyTag.trimmed().toInt(&isNumber);
        if (isNumber)
            rs->setValue(QStringLiteral("Family"), family);
        rs->setValue(QStringLiteral("Issued"), edits.issued);
        rs->setValue(QStringLiteral("Inactive"), edits.inactive);
        rs->setValue(QStringLiteral("Barcode"), edits.barcode);
        rs->update();
    } catch (...) {
        try {
            rs->cancelUpdate();
        } catch (...) {
        }
        throw;
    }
    return number(rs->value(0));
}

QList<BookingHistoryRow> LoadBookingHistory(qint32 studentId)
{
    // The amount owing of every booking of the student, in one statement.
    QHash<qint32, vb::Currency> owing;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Payments.BookingID, Sum(Payments.ChargeAmount), "
                           "Sum(Payments.Amount), Sum(Payments.DiscountAmount), "
                           "Sum(Payments.DiscountGST) FROM Payments INNER JOIN Bookings ON "
                           "Payments.BookingID = Bookings.BookingID WHERE Bookings.StudentID = %1 "
                           "GROUP BY Payments.BookingID;")
                .arg(studentId));
        for (; !rs->eof(); rs->moveNext())
            owing.insert(number(rs->value(0)), money(rs->value(1)) - money(rs->value(2)) -
                                                   money(rs->value(3)) - money(rs->value(4)));
    }
    // The instructors of the student's classes, in the order of their IDs.
    QHash<qint32, QStringList> instructors;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT InstructorLink.ClassID, InstructorLink.InstructorID, "
                           "Students.[First Name], Students.[Last Name] FROM Students INNER JOIN "
                           "(InstructorLink INNER JOIN Instructors ON InstructorLink.InstructorID "
                           "= Instructors.InstructorID) ON Students.StudentID = "
                           "Instructors.StudentID WHERE InstructorLink.ClassID IN (SELECT ClassID "
                           "FROM Bookings WHERE StudentID = %1) ORDER BY InstructorLink.ClassID, "
                           "InstructorLink.InstructorID;")
                .arg(studentId));
        for (; !rs->eof(); rs->moveNext())
            instructors[number(rs->value(0))]
                << text(rs->value(2)) + QLatin1Char(' ') + text(rs->value(3));
    }
    QList<BookingHistoryRow> rows;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.BookingID, Classes.ActivityName, Programs.Program, "
                       "Classes.Day, Classes.Time, Classes.Description, Bookings.StudentID, "
                       "Bookings.Owing, Bookings.Status, Bookings.ClassID, Classes.StartDate FROM "
                       "(Bookings INNER JOIN Classes ON Bookings.ClassID = Classes.ClassID) LEFT "
                       "JOIN Programs ON Programs.ProgramID = Classes.ProgramID WHERE "
                       "Bookings.StudentID = %1 ORDER BY Classes.StartDate, Bookings.BookingID;")
            .arg(studentId));
    for (; !rs->eof(); rs->moveNext()) {
        const QString status = text(rs->value(8));
        if (status == QLatin1String("Catch Up")) // as stored, letter case included
            continue;
        BookingHistoryRow row;
        row.bookingId = number(rs->value(0));
        row.classId = number(rs->value(9));
        row.activity = text(rs->value(1));
        row.program = text(rs->value(2));
        row.day = text(rs->value(3));
        row.time = timeText(rs->value(4));
        row.level = text(rs->value(5));
        if (row.activity.isEmpty()) {
            row.activity = QStringLiteral("One-Off Enrolment");
            const QVariant start = rs->value(10);
            row.program = start.isNull() ? QString() : vb::Format(start, Global::DateFormat);
        }
        const QStringList names = instructors.value(row.classId);
        row.instructors =
            names.isEmpty() ? QStringLiteral("(none)") : names.join(QStringLiteral(" and "));
        row.owing = owing.value(row.bookingId);
        row.status = status;
        rows << row;
    }
    return rows;
}

QList<LedgerHistoryRow> LoadLedgerHistory(qint32 studentId, bool charges)
{
    QList<LedgerHistoryRow> rows;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Payments.PaymentID, Payments.[Date], Payments.[Time], "
                       "Payments.BookingID, Payments.PassportFee, Payments.ChargeAmount, "
                       "Payments.ChargeGST, Payments.Amount, Payments.GSTCollected, "
                       "Payments.DiscountAmount, Payments.DiscountGST, Payments.Method, "
                       "Bookings.BookingID AS BookingRow, Classes.ClassID AS ClassRow, "
                       "Classes.[Day] AS ClassDay, Classes.[Time] AS ClassTime, "
                       "Classes.Description AS ClassLevel, Classes.ProgramID AS ClassProgram, "
                       "Programs.Program AS ProgramName FROM ((Payments LEFT JOIN Bookings ON "
                       "Payments.BookingID = Bookings.BookingID) LEFT JOIN Classes ON "
                       "Bookings.ClassID = Classes.ClassID) LEFT JOIN Programs ON "
                       "Classes.ProgramID = Programs.ProgramID WHERE Payments.SID = %1 AND "
                       "Payments.Type = '%2' ORDER BY Payments.[Date], Payments.PaymentID;")
            .arg(studentId)
            .arg(charges ? QLatin1Char('C') : QLatin1Char('P')));
    for (; !rs->eof(); rs->moveNext()) {
        LedgerHistoryRow row;
        row.paymentId = number(rs->value(0));
        row.date = rs->value(1);
        row.time = rs->value(2);
        const qint32 booking = number(rs->value(3));
        if (booking > 0) {
            if (rs->value(12).isNull()) {
                row.description = QStringLiteral("Deleted Booking");
            } else if (rs->value(13).isNull()) {
                row.description = QStringLiteral("Deleted Class");
            } else {
                const qint32 program = number(rs->value(17));
                const QString programName = program == 0 ? QStringLiteral("One-Off Enrolments")
                                                          : text(rs->value(18));
                QString caption = text(rs->value(14)) + QLatin1Char(' ') +
                                  timeText(rs->value(15)) + QLatin1Char(' ') +
                                  text(rs->value(16)) + QStringLiteral(" (") + programName +
                                  QLatin1Char(')');
                if (caption.contains(QLatin1String("()")))
                    caption = caption.left(caption.size() - 2) + QStringLiteral(" (OOE)");
                row.description = caption;
            }
        } else {
            row.description = number(rs->value(4)) == 1 ? QStringLiteral("Passport Fee")
                                                        : QStringLiteral("Deleted Booking");
        }
        if (charges) {
            row.amount = money(rs->value(5));
            row.tax = money(rs->value(6));
        } else {
            row.amount = money(rs->value(7));
            row.tax = money(rs->value(8));
            row.discount = money(rs->value(9)) + money(rs->value(10));
            row.method = text(rs->value(11));
        }
        rows << row;
    }
    return rows;
}

QList<AssessmentHistoryRow> LoadAssessmentHistory(qint32 studentId)
{
    QList<AssessmentHistoryRow> rows;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT AssessmentID, [Date], InstructorID, LevelID, PassLevel, RenewalDate, "
                       "RenewalNoticeSent FROM Assessments WHERE StudentID = %1 AND (Processed = 1 "
                       "OR Processed = 2) ORDER BY AssessmentID;")
            .arg(studentId));
    for (; !rs->eof(); rs->moveNext()) {
        AssessmentHistoryRow row;
        row.assessmentId = number(rs->value(0));
        row.date = text(rs->value(1));
        if (!rs->value(2).isNull())
            row.instructor = Global::GetInstructorName(number(rs->value(2)));
        if (!rs->value(3).isNull())
            row.level = Global::GetLevelName(number(rs->value(3)));
        row.achieved = number(rs->value(4)) == 1 ? QStringLiteral("Pass/Competent")
                                                 : QStringLiteral("Not Yet Competent");
        row.expires = text(rs->value(5));
        row.renewalNoticeSent = text(rs->value(6));
        rows << row;
    }
    return rows;
}

} // namespace imodStudents
