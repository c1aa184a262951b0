#include "classview.h"

#include "core/daypatterns.h"
#include "core/irecobjectcode.h"
#include "core/listfillers.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/color.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"

#include <QHash>

namespace classview {

namespace {

using Global::SqlNumber;

const QString OwingPattern = QStringLiteral("$#####0.00;-$#####0.00");

// Null and the text of length 0 count as empty.
bool empty(const QVariant &v)
{
    return v.isNull() || vb::CStr(v).isEmpty();
}

QString text(const QVariant &v)
{
    return v.isNull() ? QString() : vb::CStr(v);
}

QString ageText(const QVariant &dateOfBirth, const QDate &today)
{
    if (empty(dateOfBirth))
        return {};
    return imodStudents::GetAgeText(vb::CDate(dateOfBirth).date(), today);
}

// Columns 4 to 7: the phones and the parents' name, each only when not empty.
void fillContacts(QStringList &cells, const BookingLine &b)
{
    cells[4] = text(b.homePhone);
    cells[5] = text(b.workPhone);
    cells[6] = text(b.mobilePhone);
    cells[7] = text(b.parentsName);
}

QStringList tenCells(const BookingLine &b)
{
    QStringList cells(10);
    cells[0] = text(b.bookingId);
    cells[1] = text(b.studentId);
    fillContacts(cells, b);
    return cells;
}

// The first name, one blank and the last name, when either is there.
QString fullName(const BookingLine &b)
{
    if (empty(b.firstName) && empty(b.lastName))
        return {};
    return text(b.firstName) + QLatin1Char(' ') + text(b.lastName);
}

void readLines(const QString &sql, bool withStudentNotes, bool withCancelDate, bool withSession,
               const std::function<void(const BookingLine &)> &row)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    for (; !rs->eof(); rs->moveNext()) {
        BookingLine b;
        b.bookingId = rs->value(0);
        b.studentId = rs->value(1);
        b.firstName = rs->value(2);
        b.lastName = rs->value(3);
        b.dateOfBirth = rs->value(4);
        b.parentsName = rs->value(5);
        b.classId = rs->value(6);
        b.owing = rs->value(7);
        b.homePhone = rs->value(8);
        b.workPhone = rs->value(9);
        b.mobilePhone = rs->value(10);
        b.status = rs->value(11);
        b.bookingNotes = rs->value(12);
        int next = 13;
        if (withStudentNotes)
            b.studentNotes = rs->value(next++);
        if (withCancelDate)
            b.cancelDate = rs->value(next++);
        if (withSession)
            b.sessionNo = rs->value(next++);
        row(b);
    }
}

} // namespace

// --- The class record.

QString ClassRecordSql(qint32 classId)
{
    return QStringLiteral("SELECT Classes.*, Programs.Program, AreaName "
                          "FROM (Programs RIGHT JOIN Classes ON Programs.ProgramID = "
                          "Classes.ProgramID) LEFT JOIN PoolAreas ON Classes.PoolArea = "
                          "PoolAreas.AreaID WHERE ClassID=") +
           SqlNumber(classId) + QLatin1Char(';');
}

std::optional<ClassRow> ReadClassRecord(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(ClassRecordSql(classId));
    if (rs->eof())
        return std::nullopt;
    // Positions of the Classes columns; the rest by name.
    ClassRow r;
    r.classId = rs->value(0);
    r.description = rs->value(1);
    r.programId = rs->value(2);
    r.day = rs->value(4);
    r.time = rs->value(5);
    r.max = rs->value(6);
    r.cost = rs->value(7);
    r.startDate = rs->value(8);
    r.endDate = rs->value(9);
    r.waitingList = rs->value(10);
    r.chargePerSession = rs->value(11);
    r.attendChargeOn = rs->value(12);
    r.poolArea = rs->value(QStringLiteral("PoolArea"));
    r.classActive = rs->value(QStringLiteral("ClassActive"));
    r.activityName = rs->value(QStringLiteral("ActivityName"));
    r.notes = rs->value(QStringLiteral("Notes"));
    r.durationMins = rs->value(QStringLiteral("DurationMins"));
    r.program = rs->value(QStringLiteral("Program"));
    r.areaName = rs->value(QStringLiteral("AreaName"));
    return r;
}

QStringList ChargeModes()
{
    return {QStringLiteral("Enrolment"), QStringLiteral("Attendance"),
            QStringLiteral("Enrolment (discount absence)"), QStringLiteral("Payment Plan")};
}

QStringList ActiveClassGroups()
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Description FROM ClassGroups WHERE Inactive = 0;"), false);
    QStringList groups;
    for (; !rs->eof(); rs->moveNext()) {
        const QVariant d = rs->value(0);
        if (!empty(d))
            groups << vb::CStr(d);
    }
    return groups;
}

QString PriceCaption(const QVariant &chargePerSession)
{
    return !empty(chargePerSession) && vb::CLng(chargePerSession) == 1
               ? QStringLiteral("Cost p/session:")
               : QStringLiteral("Program cost:");
}

int SessionCount(qint32 programId, const QString &dayName)
{
    if (programId == 0)
        return 0;
    const int weeks = irecObjectCode::GetIntegerField(QStringLiteral("Programs"),
                                                      QStringLiteral("ProgramID"), programId,
                                                      QStringLiteral("[Sessions]"));
    return weeks * imodGlobalSubs::CountRunDays(dayName);
}

QString SessionsCaption(int sessions)
{
    return sessions > 0 ? QString::number(sessions) + QStringLiteral(" sessions for this class.")
                        : QString();
}

QString ActiveCaption(const QString &day, const QString &time, const QString &level)
{
    return QStringLiteral("Viewing Class Details - ") + day + QLatin1Char(' ') + time +
           QLatin1Char(' ') + level;
}

// --- The student lists.

QString OwingText(const QVariant &amount)
{
    if (amount.isNull())
        return {};
    return vb::Format(QVariant::fromValue(vb::CCur(amount)), OwingPattern);
}

QColor StatusColor(const QString &status)
{
    return ui::fromVbColor(imodGlobalSubs::GetStatusColour(status).toLongLong());
}

QString StudentListSql(qint32 classId)
{
    return QStringLiteral("SELECT Bookings.BookingID, Bookings.StudentID,"
                          " Students.[First Name], Students.[Last Name],"
                          " Students.[Date of Birth], Students.[Parents Name],"
                          " Bookings.ClassID, Bookings.Owing, Students.[Home Phone],"
                          " Students.[Work Phone], Students.[Mobile Phone],"
                          " Bookings.Status, Bookings.Notes, Students.Notes, "
                          " Bookings.CancelDate,"
                          "("
                          " SELECT Sum(ChargeAmount) - Sum(Amount) - Sum(DiscountAmount) - "
                          "Sum(DiscountGST) AS Total"
                          " FROM Payments WHERE Payments.BookingID = Bookings.BookingID"
                          ") AS NetOwing"
                          " FROM Bookings INNER JOIN Students"
                          " ON Bookings.StudentID = Students.StudentID"
                          " WHERE Bookings.ClassID=") +
           SqlNumber(classId) + QStringLiteral(" AND Bookings.SessionNo = 0;");
}

void ReadStudentList(qint32 classId, const std::function<void(const BookingLine &)> &row)
{
    auto rs = irecObjectCode::OpenRecordset(StudentListSql(classId));
    for (; !rs->eof(); rs->moveNext()) {
        BookingLine b;
        b.bookingId = rs->value(0);
        b.studentId = rs->value(1);
        b.firstName = rs->value(2);
        b.lastName = rs->value(3);
        b.dateOfBirth = rs->value(4);
        b.parentsName = rs->value(5);
        b.classId = rs->value(6);
        b.homePhone = rs->value(8);
        b.workPhone = rs->value(9);
        b.mobilePhone = rs->value(10);
        b.status = rs->value(11);
        b.bookingNotes = rs->value(12);
        b.studentNotes = rs->value(13);
        b.cancelDate = rs->value(14);
        // The list shows the net owing of the ledger, not the booking's Owing column.
        b.owing = rs->value(15);
        row(b);
    }
}

bool ShownInStudentList(const QString &status, bool showAll)
{
    if (status == QLatin1String("Waiting"))
        return false;
    return showAll || status == QLatin1String("Confirmed") || status == QLatin1String("Tentative");
}

GridLine StudentLine(const BookingLine &b, const QDate &today)
{
    const QString status = text(b.status);
    const bool cancelling = !empty(b.cancelDate);
    GridLine line;
    line.rowColor = StatusColor(cancelling ? QStringLiteral("Cancelled") : status);
    line.cells = tenCells(b);
    line.cells[2] = ageText(b.dateOfBirth, today);
    // A student without a first name shows a blank before the last name.
    QString name = text(b.firstName);
    if (!empty(b.lastName))
        name += QLatin1Char(' ') + text(b.lastName);
    line.cells[3] = name;
    line.cells[8] = OwingText(b.owing);
    if (!empty(b.studentNotes)) {
        line.cells[9] = QStringLiteral("N");
        line.flagColor = NotesRed;
    } else if (!empty(b.bookingNotes)) {
        line.cells[9] = QStringLiteral("N");
    }
    if (cancelling && status != QLatin1String("Cancelled"))
        line.cells[9] = QStringLiteral("C");
    return line;
}

QString WaitingListSql(qint32 classId)
{
    return QStringLiteral(
               "SELECT Bookings.BookingID, Bookings.StudentID, Students.[First Name], "
               "Students.[Last Name], Students.[Date of Birth], Students.[Parents Name], "
               "Bookings.ClassID, Bookings.Owing, Students.[Home Phone], Students.[Work Phone], "
               "Students.[Mobile Phone], Bookings.Status, Bookings.Notes "
               "FROM Bookings INNER JOIN Students ON Bookings.StudentID = Students.StudentID "
               "WHERE (Bookings.ClassID=") +
           SqlNumber(classId) +
           QStringLiteral(") And (Bookings.Status='Waiting') ORDER BY Bookings.BookingID;");
}

void ReadWaitingList(qint32 classId, const std::function<void(const BookingLine &)> &row)
{
    readLines(WaitingListSql(classId), false, false, false, row);
}

GridLine WaitingLine(const BookingLine &b, const QDate &today)
{
    GridLine line;
    line.rowColor = StatusColor(QStringLiteral("Waiting"));
    line.cells = tenCells(b);
    line.cells[2] = ageText(b.dateOfBirth, today);
    line.cells[3] = fullName(b);
    line.cells[8] = OwingText(b.owing);
    if (!empty(b.bookingNotes))
        line.cells[9] = QStringLiteral("N");
    return line;
}

QString CatchUpSql(qint32 classId)
{
    return QStringLiteral(
               "SELECT Bookings.BookingID, Bookings.StudentID, Students.[First Name], "
               "Students.[Last Name], Students.[Date of Birth], Students.[Parents Name], "
               "Bookings.ClassID, Bookings.Owing, Students.[Home Phone], Students.[Work Phone], "
               "Students.[Mobile Phone], Bookings.Status, Bookings.Notes, Students.Notes, "
               "Bookings.SessionNo FROM Bookings INNER JOIN Students ON Bookings.StudentID = "
               "Students.StudentID WHERE Bookings.ClassID=") +
           SqlNumber(classId) +
           QStringLiteral(" AND Bookings.SessionNo <> 0 ORDER BY Bookings.SessionNo;");
}

void ReadCatchUps(qint32 classId, const std::function<void(const BookingLine &)> &row)
{
    readLines(CatchUpSql(classId), true, false, true, row);
}

GridLine CatchUpLine(const BookingLine &b, const QVariant &owing)
{
    GridLine line;
    line.cells = tenCells(b);
    line.cells[2] = text(b.sessionNo);
    line.cells[3] = fullName(b);
    line.cells[8] = owing.isValid() ? OwingText(owing) : QString();
    if (!empty(b.bookingNotes))
        line.cells[9] = QStringLiteral("N");
    if (!empty(b.studentNotes)) {
        line.cells[9] = QStringLiteral("N");
        line.flagColor = NotesRed;
    }
    return line;
}

// --- The assessment grid.

QList<AssessmentLine> ClassAssessments(qint32 classId)
{
    const QString id = SqlNumber(classId);
    // The latest assessment of each of the class's students: rows in the order the
    // single look-up reads them (by date, then number), the last one of a student kept.
    struct Latest
    {
        QVariant date, passLevel, level;
    };
    QHash<qint32, Latest> latest;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral(
                "SELECT Assessments.StudentID, Assessments.[Date], Assessments.PassLevel, "
                "Levels.Description FROM (Assessments INNER JOIN Students ON "
                "Assessments.StudentID = Students.StudentID) LEFT JOIN Levels ON "
                "Assessments.LevelID = Levels.LevelID WHERE Assessments.StudentID IN "
                "(SELECT Bookings.StudentID FROM Bookings WHERE Bookings.ClassID=") +
            id +
            QStringLiteral(" AND Bookings.SessionNo = 0) AND ((Assessments.Processed=1) OR "
                           "(Assessments.Processed=2)) ORDER BY Assessments.StudentID, "
                           "Assessments.[Date], Assessments.AssessmentID;"));
        for (; !rs->eof(); rs->moveNext())
            latest.insert(vb::CLng(rs->value(0)), {rs->value(1), rs->value(2), rs->value(3)});
    }

    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Bookings.BookingID, Bookings.StudentID, Students.[First Name], "
                       "Students.[Last Name], Bookings.ClassID, Bookings.Owing, Bookings.Status, "
                       "Bookings.Notes, Students.Notes, Bookings.CancelDate "
                       "FROM Bookings INNER JOIN Students "
                       "ON Bookings.StudentID = Students.StudentID "
                       "WHERE Bookings.ClassID=") +
        id +
        QStringLiteral(" AND Bookings.SessionNo = 0 "
                       "ORDER BY Students.[First Name], Students.[Last Name];"));
    QList<AssessmentLine> lines;
    for (; !rs->eof(); rs->moveNext()) {
        const QString status = text(rs->value(6));
        if (status != QLatin1String("Tentative") && status != QLatin1String("Confirmed"))
            continue;
        AssessmentLine line;
        line.name = text(rs->value(2)) + QLatin1Char(' ') + text(rs->value(3));
        const auto found = latest.constFind(vb::CLng(rs->value(1)));
        if (found != latest.constEnd()) {
            line.date = found->date.isNull() ? QStringLiteral("-")
                                             : vb::Format(found->date, QStringLiteral("Short Date"));
            // A level that is gone reads as "".
            line.level = text(found->level);
            line.result = !found->passLevel.isNull() && vb::CLng(found->passLevel) == 0
                              ? QStringLiteral("Not Yet Competent")
                              : QStringLiteral("Achieved");
        }
        lines << line;
    }
    return lines;
}

} // namespace classview
