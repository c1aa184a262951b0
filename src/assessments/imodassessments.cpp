#include "imodassessments.h"

#include "assessments/fieldvalues.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listtext.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

#include <QHash>

namespace imodAssessments {

namespace {

using detail::number;
using detail::text;

using Rs = std::unique_ptr<jet::Recordset>;

Rs open(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}

// The assessments-with-names query: columns 0 to 10 the first eleven Assessments
// columns, 11 the first name and 12 the last name.
const QString WithNames = QStringLiteral(
    "SELECT Assessments.AssessmentID, Assessments.StudentID, Assessments.[Date], "
    "Assessments.InstructorID, Assessments.LevelID, Assessments.Notes, Assessments.RenewalDate, "
    "Assessments.RenewalNoticeSent, Assessments.PassLevel, Assessments.Processed, "
    "Assessments.ClassID, Students.[First Name], Students.[Last Name] FROM Assessments, Students "
    "WHERE Assessments.StudentID = Students.StudentID");

// The assessment's row of that query when it is in state 1 or 2.
Rs resultRow(qint32 assessmentId)
{
    return open(WithNames + QStringLiteral(" AND AssessmentID=") + Global::SqlNumber(assessmentId) +
                QStringLiteral(" AND ((Processed=1) OR (Processed=2));"));
}

void setText(jet::Recordset &rs, const QString &column, const QString &value)
{
    rs.setValue(column, value);
}

} // namespace

QString AssessmentListText(const QString &firstName, const QString &lastName, qint32 assessmentId)
{
    return firstName + QLatin1Char(' ') + lastName + QStringLiteral(" (AID") +
           QString::number(assessmentId) + QLatin1Char(')');
}

qint32 NumberAfterMarker(const QString &text, const QString &marker)
{
    return core::NumberAfterMarker(text, marker);
}

int PassLevelFor(const QList<bool> &attained)
{
    return attained.contains(false) ? 0 : 1;
}

// --- Last-result questions.

qint32 GetAssessmentStudentID(qint32 assessmentId)
{
    Rs rs = open(WithNames + QStringLiteral(" AND Assessments.AssessmentID=") +
                 Global::SqlNumber(assessmentId) + QStringLiteral(";"));
    return rs->eof() ? 0 : number(rs->value(1));
}

qint32 GetAssessmentIdFromListText(const QString &listText)
{
    const qint32 id = NumberAfterMarker(listText, QStringLiteral("(AID"));
    if (id == 0)
        return 0;
    Rs rs = open(WithNames + QStringLiteral(" AND Assessments.AssessmentID=") +
                 Global::SqlNumber(id) + QStringLiteral(";"));
    if (rs->eof())
        return 0;
    const QString built = AssessmentListText(text(rs->value(11)), text(rs->value(12)), id);
    return built == listText ? id : 0;
}

qint32 GetLastAssessmentID(qint32 /*classId*/, qint32 studentId)
{
    Rs rs = open(WithNames + QStringLiteral(" AND Assessments.StudentID=") +
                 Global::SqlNumber(studentId) +
                 QStringLiteral(" AND ((Processed=1) OR (Processed=2)) ORDER BY Assessments.[Date], "
                                "Assessments.AssessmentID;"));
    if (rs->recordCount() <= 0)
        return 0;
    rs->moveLast();
    return number(rs->value(0));
}

QString GetAssessmentLevelName(qint32 assessmentId)
{
    Rs rs = resultRow(assessmentId);
    if (rs->recordCount() <= 0)
        return QStringLiteral("-");
    return Global::GetLevelName(number(rs->value(4)));
}

QString GetAssessmentDate(qint32 assessmentId)
{
    Rs rs = resultRow(assessmentId);
    if (rs->recordCount() <= 0 || rs->value(2).isNull())
        return QStringLiteral("-");
    return vb::Format(rs->value(2), QStringLiteral("Short Date"));
}

QString GetAssessmentResult(qint32 assessmentId)
{
    Rs rs = resultRow(assessmentId);
    if (rs->recordCount() <= 0)
        return QStringLiteral("-");
    const QVariant pass = rs->value(8);
    return !pass.isNull() && pass.toInt() == 0 ? NotYetCompetentText : AchievedText;
}

// --- Award levels.

QString LevelListText(const QString &description, qint32 levelId)
{
    return description + QStringLiteral(" (ID#") + QString::number(levelId) + QLatin1Char(')');
}

QStringList LevelListTexts(bool hideInactive)
{
    Rs rs = open(hideInactive ? QStringLiteral("SELECT Levels.* FROM Levels WHERE Inactive = 0;")
                              : QStringLiteral("SELECT Levels.* FROM Levels;"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << LevelListText(text(rs->value(1)), number(rs->value(0)));
    return out;
}

std::optional<Level> FindLevelByListText(const QString &entry)
{
    const qint32 id = NumberAfterMarker(entry, QStringLiteral("(ID#"));
    if (id == 0)
        return std::nullopt;
    Rs rs = open(QStringLiteral("SELECT Levels.* FROM Levels WHERE LevelID=") +
                 Global::SqlNumber(id) + QStringLiteral(";"));
    if (rs->eof() || LevelListText(text(rs->value(1)), id) != entry)
        return std::nullopt;
    Level level;
    level.id = id;
    level.description = text(rs->value(1));
    level.durationUnit = text(rs->value(2));
    level.durationValue = text(rs->value(3));
    level.inactive = number(rs->value(4)) == 1;
    level.sequence = text(rs->value(5));
    return level;
}

QStringList LevelCriteria(qint32 levelId)
{
    Rs rs = open(QStringLiteral("SELECT LevelCriterion.* FROM LevelCriterion WHERE Level=") +
                 Global::SqlNumber(levelId) + QStringLiteral(" ORDER BY LevelCritID;"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << text(rs->value(2));
    return out;
}

LevelSaveResult SaveLevel(qint32 &levelId, const LevelEntry &entry)
{
    const bool adding = levelId == 0;
    Rs rs = open(adding ? QStringLiteral("SELECT Levels.* FROM Levels WHERE LevelID=0;")
                        : QStringLiteral("SELECT Levels.* FROM Levels WHERE LevelID=") +
                              Global::SqlNumber(levelId) + QStringLiteral(";"));
    if (adding)
        rs->addNew();
    else if (rs->eof())
        return LevelSaveResult::NotFound;
    try {
        if (!entry.description.isEmpty())
            rs->setValue(1, entry.description);
        if (!entry.durationValue.isEmpty())
            rs->setValue(3, entry.durationValue);
        if (!entry.sequence.isEmpty())
            rs->setValue(5, entry.sequence);
        if (!adding || !entry.durationUnit.isEmpty())
            rs->setValue(2, entry.durationUnit);
        rs->setValue(4, entry.inactive ? 1 : 0);
        rs->update();
    } catch (const jet::Error &e) {
        rs->cancelUpdate();
        if (e.number() == jet::err::Unspecified)
            return LevelSaveResult::Duplicate;
        throw;
    } catch (...) {
        rs->cancelUpdate();
        throw;
    }
    levelId = number(rs->value(0));
    return LevelSaveResult::Saved;
}

int CountLevelAssessments(qint32 levelId)
{
    Rs rs = open(QStringLiteral("SELECT Count(*) FROM Assessments WHERE LevelID=") +
                 Global::SqlNumber(levelId) + QStringLiteral(";"));
    return number(rs->value(0));
}

bool DeleteLevel(qint32 levelId)
{
    Rs rs = open(QStringLiteral("SELECT Levels.* FROM Levels WHERE LevelID=") +
                 Global::SqlNumber(levelId) + QStringLiteral(";"));
    if (rs->eof())
        return false;
    rs->deleteRecord();
    return true;
}

void AddCriterion(qint32 levelId, const QString &name)
{
    Rs rs = open(QStringLiteral("SELECT LevelCriterion.* FROM LevelCriterion WHERE LevelCritID=0;"));
    rs->addNew();
    rs->setValue(1, levelId);
    setText(*rs, QStringLiteral("CriterionName"), name);
    rs->update();
}

bool DeleteCriterion(qint32 levelId, const QString &name)
{
    Rs rs = open(QStringLiteral("SELECT LevelCriterion.* FROM LevelCriterion WHERE Level=") +
                 Global::SqlNumber(levelId) + QStringLiteral(" ORDER BY LevelCritID;"));
    for (; !rs->eof(); rs->moveNext()) {
        if (text(rs->value(2)) == name) {
            rs->deleteRecord();
            return true;
        }
    }
    return false;
}

bool AnyLevels()
{
    return !open(QStringLiteral("SELECT TOP 1 LevelID FROM Levels;"))->eof();
}

bool AnyCriteria()
{
    return !open(QStringLiteral("SELECT TOP 1 LevelCritID FROM LevelCriterion;"))->eof();
}

// --- Entering the class assessment.

QStringList ProgramsToAssess()
{
    Rs rs = open(QStringLiteral(
        "SELECT Programs.* FROM Programs WHERE (Inactive = 0) OR (Programs.ProgramID IN (SELECT "
        "Classes.ProgramID FROM Classes, Assessments AS aa WHERE (aa.ClassID = Classes.ClassID) "
        "AND (Classes.ProgramID = Programs.ProgramID) AND (aa.Processed < 2)));"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << text(rs->value(1));
    return out;
}

QList<Employee> EmployeesToAssess()
{
    Rs rs = open(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name] FROM "
        "Students INNER JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE "
        "Students.Inactive = 0 AND (Students.Special Is Null OR Students.Special <> 'Y');"));
    QList<Employee> out;
    for (; !rs->eof(); rs->moveNext())
        out.append({number(rs->value(0)),
                    text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2))});
    return out;
}

QString InstructorUserId(qint32 instructorId)
{
    Rs rs = open(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID=") +
                 Global::SqlNumber(instructorId) + QStringLiteral(";"));
    return rs->eof() ? QString() : text(rs->value(0)).toUpper();
}

// --- The class assessment window's lists.

QStringList ProgramInstructorNames(qint32 programId)
{
    Rs rs = open(QStringLiteral(
                     "SELECT Students.[First Name], Students.[Last Name] FROM Students INNER "
                     "JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE "
                     "Students.Inactive = 0 AND InstructorID IN (SELECT InstructorID FROM "
                     "InstructorLink WHERE ClassID IN (SELECT ClassID FROM Classes WHERE "
                     "ProgramID = ") +
                 Global::SqlNumber(programId) + QStringLiteral("));"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << text(rs->value(0)) + QLatin1Char(' ') + text(rs->value(1));
    return out;
}

QList<ClassEntry> ClassList(qint32 programId, const QString &dayName, qint32 instructorId)
{
    const QString program = Global::SqlNumber(programId);
    // Every instructor of the program's classes in one statement, in the order the
    // class captions have always named them.
    QHash<qint32, QStringList> names;
    {
        Rs rs = open(QStringLiteral(
                         "SELECT InstructorLink.ClassID, Students.[First Name], "
                         "Students.[Last Name] FROM Students INNER JOIN (InstructorLink INNER "
                         "JOIN Instructors ON InstructorLink.InstructorID = "
                         "Instructors.InstructorID) ON Students.StudentID = Instructors.StudentID "
                         "WHERE InstructorLink.ClassID IN (SELECT ClassID FROM Classes WHERE "
                         "ProgramID = ") +
                     program +
                     QStringLiteral(") ORDER BY InstructorLink.ClassID, InstructorLink.InstructorID;"));
        for (; !rs->eof(); rs->moveNext())
            names[number(rs->value(0))]
                << text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2));
    }

    QString sql = QStringLiteral(
                      "SELECT Classes.ClassID, Classes.Description, Classes.[Day], Classes.[Time] "
                      "FROM Classes INNER JOIN Days ON Classes.[Day] = Days.DayName WHERE "
                      "(Classes.ProgramID = ") +
                  program + QStringLiteral(") AND (Days.Sequence >= 0)");
    if (!dayName.isEmpty())
        sql += QStringLiteral(" AND (Classes.[Day] = ") + Global::SqlText(dayName) +
               QStringLiteral(")");
    if (instructorId != 0)
        sql += QStringLiteral(" AND (Classes.ClassID IN (SELECT ClassID FROM InstructorLink "
                              "WHERE InstructorID = ") +
               Global::SqlNumber(instructorId) + QStringLiteral("))");
    sql += QStringLiteral(" ORDER BY Days.Sequence, Classes.[Time];");

    QList<ClassEntry> out;
    for (Rs rs = open(sql); !rs->eof(); rs->moveNext()) {
        const qint32 classId = number(rs->value(0));
        const QStringList who = names.value(classId);
        out.append({classId, text(rs->value(2)) + QLatin1Char(' ') +
                                 vb::Format(rs->value(3), QStringLiteral("hh:mm AMPM")) +
                                 QLatin1Char(' ') + text(rs->value(1)) + QStringLiteral(" [") +
                                 (who.isEmpty() ? QStringLiteral("(none)")
                                                : who.join(QStringLiteral(" and "))) +
                                 QStringLiteral("]  (CID#") + QString::number(classId) +
                                 QLatin1Char(')')});
    }
    return out;
}

QStringList UnassessedStudents(qint32 classId)
{
    const QString cls = Global::SqlNumber(classId);
    Rs rs = open(QStringLiteral("SELECT Students.StudentID, Students.[First Name], "
                                "Students.[Last Name] FROM Students, Bookings WHERE "
                                "(Students.StudentID = Bookings.StudentID) AND (Bookings.ClassID = ") +
                 cls +
                 QStringLiteral(") AND ((Bookings.Status = 'Confirmed') OR (Bookings.Status = "
                                "'Tentative')) AND (Bookings.StudentID NOT IN (SELECT StudentID "
                                "FROM Assessments WHERE (Assessments.Processed > 0) AND "
                                "(Assessments.ClassID = ") +
                 cls +
                 QStringLiteral("))) ORDER BY Students.[First Name], Students.[Last Name];"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2)) +
                   QStringLiteral(" (SID") + QString::number(number(rs->value(0))) +
                   QLatin1Char(')');
    return out;
}

QStringList UnfinalisedAssessments(qint32 classId)
{
    Rs rs = open(WithNames + QStringLiteral(" AND Assessments.ClassID = ") +
                 Global::SqlNumber(classId) + QStringLiteral(" AND Assessments.Processed = 1;"));
    QStringList out;
    for (; !rs->eof(); rs->moveNext())
        out << AssessmentListText(text(rs->value(11)), text(rs->value(12)),
                                  number(rs->value(0)));
    return out;
}

bool ResetAssessment(qint32 assessmentId)
{
    const QString id = Global::SqlNumber(assessmentId);
    Global::DbTransaction transaction;
    Rs rs = open(QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID = ") + id +
                 QStringLiteral(";"));
    if (rs->eof())
        return false;
    rs->setValue(9, 0);
    rs->setValue(4, 0);
    rs->setValue(5, QStringLiteral(""));
    rs->update();
    Global::DbConnection().execute(
        Global::AdaptSql(QStringLiteral("DELETE FROM AssessCrit WHERE AssessmentID = ") + id +
                         QStringLiteral(";")));
    transaction.commit();
    return true;
}

int FinaliseClass(qint32 classId)
{
    Global::DbTransaction transaction;
    const qint64 n = Global::DbConnection().execute(
        Global::AdaptSql(QStringLiteral("UPDATE Assessments SET Processed = 2 WHERE (Processed = 1 "
                                        "AND ClassID = ") +
                         Global::SqlNumber(classId) + QStringLiteral(");")));
    transaction.commit();
    return int(n);
}

bool RemovePlacedStudent(qint32 assessmentId)
{
    Global::DbTransaction transaction;
    const qint64 n = Global::DbConnection().execute(
        Global::AdaptSql(QStringLiteral("DELETE FROM Assessments WHERE AssessmentID = ") +
                         Global::SqlNumber(assessmentId) + QStringLiteral(" AND Processed = 0;")));
    transaction.commit();
    return n > 0;
}

// --- Placing a student for assessment.

qint32 StudentIdForEntry(const QString &entry)
{
    const qint32 id = NumberAfterMarker(entry.toUpper(), QStringLiteral("(SID#"));
    if (id == 0)
        return 0;
    Rs rs = open(QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students WHERE "
                                "StudentID=") +
                 Global::SqlNumber(id) + QStringLiteral(";"));
    if (rs->eof())
        return 0;
    const QString built = text(rs->value(2)) + QStringLiteral(", ") + text(rs->value(1)) +
                          QStringLiteral(" (SID#") + QString::number(id) + QLatin1Char(')');
    return built.toUpper() == entry.toUpper() ? id : 0;
}

PlacedStudent PlaceStudent(qint32 studentId, qint32 instructorId, qint32 classId)
{
    PlacedStudent placed;
    {
        Rs who = open(QStringLiteral("SELECT [First Name], [Last Name] FROM Students WHERE "
                                     "StudentID=") +
                      Global::SqlNumber(studentId) + QStringLiteral(";"));
        if (!who->eof()) {
            placed.firstName = text(who->value(0));
            placed.lastName = text(who->value(1));
        }
    }
    Rs rs = open(QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID=0;"));
    rs->addNew();
    rs->setValue(1, studentId);
    rs->setValue(3, instructorId);
    rs->setValue(9, int(Placed));
    rs->setValue(10, classId);
    rs->update();
    placed.assessmentId = number(rs->value(0));
    return placed;
}

// --- The assessment sheet.

std::optional<Sheet> LoadSheet(qint32 assessmentId)
{
    Rs rs = open(QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID = ") +
                 Global::SqlNumber(assessmentId) + QStringLiteral(";"));
    if (rs->eof())
        return std::nullopt;
    Sheet sheet;
    sheet.assessmentId = assessmentId;
    sheet.studentId = GetAssessmentStudentID(assessmentId);
    sheet.instructorId = number(rs->value(3));
    sheet.classId = number(rs->value(10));
    sheet.levelId = number(rs->value(4));
    sheet.notes = text(rs->value(5));
    sheet.date = text(rs->value(2));
    sheet.renewalDate = text(rs->value(6));
    sheet.comment = text(rs->value(11));
    return sheet;
}

QList<Criterion> SheetCriteria(qint32 assessmentId)
{
    Rs rs = open(QStringLiteral("SELECT AssessCrit.* FROM AssessCrit WHERE AssessmentID=") +
                 Global::SqlNumber(assessmentId) + QStringLiteral(" ORDER BY AssessCritID;"));
    QList<Criterion> out;
    for (; !rs->eof(); rs->moveNext())
        out.append({text(rs->value(2)), number(rs->value(3)) == 1});
    return out;
}

QString TodayText()
{
    return vb::Format(vb::Date(), QStringLiteral("dd-mmm-yyyy"));
}

SheetSaveResult SaveSheet(Sheet &sheet, const QList<Criterion> &criteria)
{
    if (!sheet.date.isEmpty() && !vb::IsDate(sheet.date))
        return SheetSaveResult::BadDate;
    if (!sheet.renewalDate.isEmpty() && !vb::IsDate(sheet.renewalDate))
        return SheetSaveResult::BadExpiry;
    if (sheet.levelId == 0)
        return SheetSaveResult::NoLevel;
    if (sheet.date.isEmpty())
        sheet.date = TodayText();

    Global::DbTransaction transaction;
    const bool adding = sheet.assessmentId == 0;
    Rs rs = open(QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID = ") +
                 Global::SqlNumber(sheet.assessmentId) + QStringLiteral(";"));
    if (adding) {
        rs->addNew();
        rs->setValue(9, int(Assessed));
    } else if (rs->eof()) {
        return SheetSaveResult::Missing;
    }
    QList<bool> attained;
    for (const Criterion &c : criteria)
        attained << c.attained;
    rs->setValue(1, sheet.studentId);
    rs->setValue(2, vb::CDate(sheet.date));
    rs->setValue(3, sheet.instructorId);
    rs->setValue(4, sheet.levelId);
    rs->setValue(5, sheet.notes.isNull() ? QStringLiteral("") : sheet.notes);
    if (!sheet.renewalDate.isEmpty())
        rs->setValue(6, vb::CDate(sheet.renewalDate));
    rs->setValue(8, PassLevelFor(attained));
    rs->setValue(10, sheet.classId);
    rs->setValue(11, sheet.comment.isNull() ? QStringLiteral("") : sheet.comment);
    rs->update();
    const qint32 id = number(rs->value(0));

    const QString key = Global::SqlNumber(id);
    jet::Connection &db = Global::DbConnection();
    db.execute(Global::AdaptSql(QStringLiteral("DELETE FROM AssessCrit WHERE AssessmentID = ") +
                                key + QStringLiteral(";")));
    // One statement of one shape per criterion, written in list order (their
    // AssessCritIDs keep it); nothing is read back.
    for (const Criterion &c : criteria)
        db.execute(Global::AdaptSql(
            QStringLiteral("INSERT INTO AssessCrit (AssessmentID, [Text], Attained) VALUES (") +
            key + QStringLiteral(", ") + Global::SqlText(c.text) + QStringLiteral(", ") +
            Global::SqlNumber(c.attained ? 1 : 0) + QStringLiteral(");")));
    transaction.commit();
    sheet.assessmentId = id;
    return SheetSaveResult::Saved;
}

} // namespace imodAssessments
