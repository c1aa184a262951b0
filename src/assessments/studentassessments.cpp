#include "studentassessments.h"

#include "assessments/fieldvalues.h"
#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "students/imodstudents.h"

namespace imodAssessments {

namespace {

using detail::number;
using detail::text;

using Rs = std::unique_ptr<jet::Recordset>;

} // namespace

QList<Employee> SingleAssessmentEmployees()
{
    Rs rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name] FROM "
        "Students INNER JOIN Instructors ON Students.StudentID = Instructors.StudentID WHERE "
        "Employee = 'Y';"));
    QList<Employee> out;
    for (; !rs->eof(); rs->moveNext())
        out.append(
            {number(rs->value(0)), text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2))});
    return out;
}

std::optional<QDate> TypedDate(const QString &typed)
{
    const QDate date = imodStudents::ReadDateText(typed);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

SingleSaveResult SaveSingleAssessment(const SingleAssessment &assessment,
                                      const QList<Criterion> &criteria, qint32 *assessmentId)
{
    const std::optional<QDate> date = TypedDate(assessment.date);
    if (!assessment.date.isEmpty() && !date)
        return SingleSaveResult::BadDate;
    const std::optional<QDate> expires = TypedDate(assessment.expires);
    if (!assessment.expires.isEmpty() && !expires)
        return SingleSaveResult::BadExpiry;

    QList<bool> attained;
    for (const Criterion &c : criteria)
        attained << c.attained;

    Global::DbTransaction transaction;
    Rs rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID=0;"));
    rs->addNew();
    rs->setValue(1, assessment.studentId);
    if (date)
        rs->setValue(2, QDateTime(*date, QTime(0, 0)));
    rs->setValue(3, assessment.instructorId);
    rs->setValue(4, assessment.levelId);
    if (!assessment.notes.isEmpty())
        rs->setValue(5, assessment.notes);
    if (expires)
        rs->setValue(6, QDateTime(*expires, QTime(0, 0)));
    rs->setValue(8, PassLevelFor(attained));
    rs->setValue(9, int(Finalised));
    rs->update();
    const qint32 id = number(rs->value(0));

    Rs crit = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT AssessCrit.* FROM AssessCrit WHERE AssessCritID=0;"));
    for (const Criterion &c : criteria) {
        crit->addNew();
        crit->setValue(1, id);
        crit->setValue(2, c.text);
        crit->setValue(3, c.attained ? 1 : 0);
        crit->update();
    }
    transaction.commit();
    if (assessmentId)
        *assessmentId = id;
    return SingleSaveResult::Saved;
}

std::optional<PastAssessment> LoadPastAssessment(qint32 assessmentId)
{
    Rs rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Assessments.* FROM Assessments WHERE AssessmentID = ") +
        Global::SqlNumber(assessmentId) + QStringLiteral(";"));
    if (rs->eof())
        return std::nullopt;
    PastAssessment past;
    past.assessmentId = number(rs->value(0));
    past.studentId = number(rs->value(1));
    past.date = text(rs->value(2));
    past.instructorId = number(rs->value(3));
    past.levelId = number(rs->value(4));
    past.notes = text(rs->value(5));
    past.expires = text(rs->value(6));
    past.passLevel = rs->value(8);
    past.processed = number(rs->value(9));
    past.criteria = SheetCriteria(assessmentId);
    return past;
}

bool DeleteAssessment(qint32 assessmentId)
{
    return Global::DbConnection().execute(
               Global::AdaptSql(QStringLiteral("DELETE * FROM Assessments WHERE AssessmentID = ") +
                                Global::SqlNumber(assessmentId) + QStringLiteral(";"))) > 0;
}

} // namespace imodAssessments
