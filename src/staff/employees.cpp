#include "employees.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "students/families.h"
#include "students/imodstudents.h"

namespace imodStaff {

namespace {

// Students positions the save writes besides the boxes.
constexpr int StudentsFamilyColumn = 25;

QString staffId(qint32 value)
{
    return Global::SqlNumber(value);
}

std::unique_ptr<jet::Recordset> staffOpen(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}

QString staffText(const QVariant &value)
{
    return vb::CStr(vb::Nz(value));
}

[[noreturn]] void staffNoRow()
{
    throw vb::Error(3021, QStringLiteral("Either BOF or EOF is True, or the current record has "
                                         "been deleted. Requested operation requires a current "
                                         "record."));
}

QVariant dateValue(const QDate &d)
{
    return vb::makeDateTime(d.year(), d.month(), d.day());
}

void execStaff(const QString &sql)
{
    Global::DbConnection().execute(Global::AdaptSql(sql));
}

// The Students columns of a save: names, date of birth, the boxes that are not
// empty, Inactive and Barcode. Empty boxes 4 to 20 are not written.
void writePersonColumns(jet::Recordset &rs, const EmployeeEdits &edits, bool isNew)
{
    for (int box = 1; box <= 2; ++box) {
        const QString typed = edits.fields.value(box);
        rs.setValue(box, typed.isEmpty() ? QVariant() : QVariant(typed));
    }
    const QString born = edits.fields.value(3);
    if (born.isEmpty()) {
        rs.setValue(3, QVariant());
    } else {
        const QDate date = imodStudents::ReadDateText(born);
        if (date.isValid())
            rs.setValue(3, dateValue(date));
        else if (isNew)
            rs.setValue(3, QVariant()); // no date: the stored value stays
    }
    for (auto it = edits.fields.cbegin(); it != edits.fields.cend(); ++it) {
        const int box = it.key();
        if (it.value().isEmpty())
            continue;
        if (box >= 4 && box <= 13)
            rs.setValue(box + 1, it.value());
        else if (box == 19 || box == 20)
            rs.setValue(box + 2, it.value());
    }
    rs.setValue(QStringLiteral("Inactive"), edits.inactive);
    rs.setValue(QStringLiteral("Barcode"), edits.barcode);
    bool isNumber = false;
    const qint32 family = edits.familyTag.trimmed().toInt(&isNumber);
    if (isNumber)
        rs.setValue(StudentsFamilyColumn, family);
    else if (isNew)
        rs.setValue(StudentsFamilyColumn, 0);
}

void markLinkedAccount(const QString &userId)
{
    // "(none)" matches no row.
    execStaff(QStringLiteral("UPDATE Users SET Admin = 1 WHERE UserID=") +
              Global::SqlText(userId) + QLatin1Char(';'));
}

void copyToFamily(const EmployeeEdits &edits)
{
    bool isNumber = false;
    const qint32 family = edits.familyTag.trimmed().toInt(&isNumber);
    if (!edits.copyContactToFamily || !isNumber || family == 0)
        return;
    QStringList contact;
    for (int box = 4; box <= 11; ++box)
        contact << edits.fields.value(box);
    imodStudents::CopyContactToFamily(family, contact, 5);
}

} // namespace

std::optional<QVariantList> ReadEmployee(qint32 instructorId)
{
    auto rs = staffOpen(
        QStringLiteral(
            "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name], "
            "Students.[Date of Birth], Students.Address, Students.City, Students.State, "
            "Students.Postcode, Students.[Home Phone], Students.[Work Phone], "
            "Students.[Mobile Phone], Students.[Email Address], Students.Notes, Students.Gender, "
            "Instructors.UserID, Students.Student, Students.Employee, Students.Vendor, "
            "Students.Special, Students.InternalNotes, Students.StaffNotes, "
            "Instructors.StudentID, Students.Family, Students.DetailsFormCompleted, "
            "Students.Barcode, Students.Inactive FROM Students INNER JOIN Instructors ON "
            "Students.StudentID = Instructors.StudentID WHERE Instructors.InstructorID = ") +
        staffId(instructorId) + QLatin1Char(';'));
    if (rs->eof())
        return std::nullopt;
    QVariantList row;
    for (int i = 0; i < EmployeeColumnCount; ++i)
        row << rs->value(i);
    return row;
}

QList<UserAccount> ReadUserAccounts()
{
    QList<UserAccount> accounts;
    auto rs = staffOpen(QStringLiteral("SELECT UserID, Users.Name FROM Users ORDER BY UserID;"));
    for (; !rs->eof(); rs->moveNext())
        accounts.append({staffText(rs->value(0)), staffText(rs->value(1))});
    return accounts;
}

int FindUserIndex(const QStringList &userIds, const QString &userId)
{
    for (int i = 0; i < userIds.size(); ++i)
        if (userIds[i].compare(userId, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

EmployeeIds SaveEmployee(const EmployeeIds &ids, const EmployeeEdits &edits)
{
    const bool isNew = ids.instructorId == 0 && ids.studentId == 0;
    EmployeeIds saved = ids;
    Global::DbTransaction transaction;
    {
        // A new row is added to an empty selection: nothing of the table is read.
        auto rs = staffOpen(QStringLiteral("SELECT * FROM Students WHERE StudentID = ") +
                            staffId(isNew ? 0 : ids.studentId) + QLatin1Char(';'));
        if (isNew) {
            rs->addNew();
            for (const char *flag : {"Student", "Vendor", "Special"})
                rs->setValue(QString::fromLatin1(flag), QStringLiteral("N"));
            rs->setValue(QStringLiteral("Employee"), QStringLiteral("Y"));
        }
        if (isNew || !rs->eof()) {
            writePersonColumns(*rs, edits, isNew);
            rs->update();
            if (isNew)
                saved.studentId = vb::CLng(rs->value(0));
        }
    }
    markLinkedAccount(edits.userId);
    copyToFamily(edits);
    if (isNew) {
        auto rs = staffOpen(QStringLiteral("SELECT Instructors.* FROM Instructors WHERE "
                                           "InstructorID = 0;"));
        rs->addNew();
        rs->setValue(1, saved.studentId);
        rs->setValue(2, edits.userId);
        rs->update();
        saved.instructorId = vb::CLng(rs->value(0));
    } else {
        auto rs = staffOpen(
            QStringLiteral("SELECT Instructors.* FROM Instructors WHERE InstructorID = ") +
            staffId(ids.instructorId) + QLatin1Char(';'));
        if (!rs->eof()) {
            rs->setValue(1, ids.studentId);
            rs->setValue(2, edits.userId);
            rs->update();
        }
    }
    transaction.commit();
    return saved;
}

qint32 CountClassLinks(qint32 instructorId)
{
    return vb::CLng(vb::Nz(
        staffOpen(QStringLiteral("SELECT Count(InstructorLinkID) FROM InstructorLink WHERE "
                                 "InstructorID=") +
                  staffId(instructorId) + QLatin1Char(';'))
            ->value(0),
        0));
}

qint32 CountAssessments(qint32 instructorId)
{
    return vb::CLng(vb::Nz(
        staffOpen(QStringLiteral("SELECT Count(*) FROM Assessments WHERE InstructorID = ") +
                  staffId(instructorId) + QLatin1Char(';'))
            ->value(0),
        0));
}

qint32 CountBookings(qint32 studentId)
{
    return vb::CLng(vb::Nz(
        staffOpen(QStringLiteral("SELECT Count(BookingID) FROM Bookings WHERE StudentID = ") +
                  staffId(studentId) + QLatin1Char(';'))
            ->value(0),
        0));
}

void DeleteEmployee(qint32 instructorId, qint32 studentId)
{
    Global::DbTransaction transaction;
    execStaff(QStringLiteral("DELETE FROM Instructors WHERE InstructorID=") +
              staffId(instructorId) + QLatin1Char(';'));
    execStaff(QStringLiteral("DELETE FROM Students WHERE StudentID = ") + staffId(studentId) +
              QLatin1Char(';'));
    transaction.commit();
}

void TurnEmployeeIntoStudent(qint32 instructorId, qint32 studentId)
{
    Global::DbTransaction transaction;
    execStaff(QStringLiteral("DELETE FROM Instructors WHERE InstructorID=") +
              staffId(instructorId) + QLatin1Char(';'));
    auto rs = staffOpen(QStringLiteral("SELECT StudentID, Student, Employee, Vendor FROM "
                                       "Students WHERE StudentID = ") +
                        staffId(studentId) + QLatin1Char(';'));
    if (!rs->eof()) {
        if (staffText(rs->value(1)) == QLatin1String("N") &&
            staffText(rs->value(3)) == QLatin1String("N"))
            rs->setValue(1, QStringLiteral("Y"));
        rs->setValue(2, QStringLiteral("N"));
        rs->update();
    }
    transaction.commit();
}

QList<QualificationRow> ReadQualifications(qint32 instructorId)
{
    QList<QualificationRow> rows;
    auto rs = staffOpen(QStringLiteral("SELECT * FROM QualRec WHERE InstructorID = ") +
                        staffId(instructorId) + QLatin1Char(';'));
    for (; !rs->eof(); rs->moveNext()) {
        QualificationRow row;
        for (int i = 0; i < 8; ++i)
            row << rs->value(i);
        rows << row;
    }
    return rows;
}

std::optional<QualificationRow> ReadQualification(qint32 qualRecId)
{
    auto rs = staffOpen(QStringLiteral("SELECT QualRec.* FROM QualRec WHERE QualRecID = ") +
                        staffId(qualRecId) + QLatin1Char(';'));
    if (rs->eof())
        return std::nullopt;
    QualificationRow row;
    for (int i = 0; i < 8; ++i)
        row << rs->value(i);
    return row;
}

std::optional<QVariant> ReadExpiryText(const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return QVariant();
    const QDate date = imodStudents::ReadDateText(typed);
    if (!date.isValid())
        return std::nullopt;
    return dateValue(date);
}

qint32 SaveQualification(qint32 qualRecId, const QualificationEdits &edits)
{
    const auto expires = ReadExpiryText(edits.expires);
    if (!expires)
        throw vb::Error(13, QStringLiteral("Type mismatch"));
    auto rs = staffOpen(QStringLiteral("SELECT QualRec.* FROM QualRec WHERE QualRecID = ") +
                        staffId(qualRecId) + QLatin1Char(';'));
    if (qualRecId == 0)
        rs->addNew();
    else if (rs->eof())
        staffNoRow();
    try {
        rs->setValue(1, edits.instructorId);
        rs->setValue(2, edits.qualification);
        rs->setValue(3, edits.number);
        rs->setValue(4, *expires);
        rs->setValue(5, edits.authorisedBy);
        rs->setValue(6, edits.notes);
        rs->setValue(7, edits.inactive);
        rs->update();
    } catch (...) {
        try {
            rs->cancelUpdate();
        } catch (...) {
        }
        throw;
    }
    return vb::CLng(rs->value(0));
}

bool DeleteQualification(qint32 qualRecId)
{
    return Global::DbConnection().execute(Global::AdaptSql(
               QStringLiteral("DELETE FROM QualRec WHERE QualRecID = ") + staffId(qualRecId) +
               QLatin1Char(';'))) > 0;
}

void ForEachProgramTaught(qint32 instructorId,
                          const std::function<void(qint32 programId, const QString &program)> &add)
{
    auto rs = staffOpen(
        QStringLiteral("SELECT Programs.ProgramID, Program, EndDate FROM Programs WHERE "
                       "Programs.ProgramID IN (SELECT Classes.ProgramID FROM Classes WHERE "
                       "Classes.ClassID IN (SELECT InstructorLink.ClassID FROM InstructorLink "
                       "WHERE InstructorLink.InstructorID = ") +
        staffId(instructorId) + QStringLiteral(")) ORDER BY Programs.EndDate DESC;"));
    for (; !rs->eof(); rs->moveNext())
        add(vb::CLng(rs->value(0)), staffText(rs->value(1)));
    rs->close();
}

std::optional<qint32> PromoteStudent(const QString &listText)
{
    const qsizetype mark = listText.lastIndexOf(QStringLiteral(" (SID#"));
    if (mark < 0 || !listText.endsWith(QLatin1Char(')')))
        return std::nullopt;
    bool isNumber = false;
    const QString digits = listText.mid(mark + 6, listText.size() - mark - 7);
    const qint32 studentId = digits.toInt(&isNumber);
    if (!isNumber || digits != QString::number(studentId))
        return std::nullopt;
    {
        auto rs = staffOpen(
            QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students WHERE "
                           "StudentID = ") +
            staffId(studentId) + QLatin1Char(';'));
        if (rs->eof())
            return std::nullopt;
        const QString text = staffText(rs->value(2)) + QStringLiteral(", ") +
                             staffText(rs->value(1)) + QStringLiteral(" (SID#") +
                             QString::number(studentId) + QLatin1Char(')');
        rs->close();
        if (text != listText)
            return std::nullopt;
    }
    Global::DbTransaction transaction;
    execStaff(QStringLiteral("UPDATE Students SET Student = 'Y' WHERE StudentID = ") +
              staffId(studentId) + QLatin1Char(';'));
    auto rs = staffOpen(QStringLiteral("SELECT Instructors.* FROM Instructors WHERE StudentID = ") +
                        staffId(studentId) + QStringLiteral(" ORDER BY InstructorID;"));
    if (rs->eof()) {
        rs->addNew();
        rs->setValue(1, studentId);
        rs->update();
    }
    const qint32 instructorId = vb::CLng(rs->value(0));
    rs->close();
    transaction.commit();
    return instructorId;
}

} // namespace imodStaff
