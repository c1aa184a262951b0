#include "imodstatistics.h"

#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"

#include <cmath>

namespace imodStatistics {

namespace {

qint32 statRowCount(const QString &sql)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    const qint64 rows = rs->recordCount();
    rs->close();
    return qint32(rows);
}

// The first column of the first row as a whole number; 0 without a row or when it
// is empty.
qint32 statFirstNumber(const QString &sql)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    qint32 result = 0;
    if (!rs->eof()) {
        const QVariant v = rs->value(0);
        if (!v.isNull() && vb::IsNumeric(v))
            result = vb::CLng(v);
    }
    rs->close();
    return result;
}

QString statId(qint32 id)
{
    return Global::SqlNumber(id);
}

qint32 statAssessments(qint32 instructorId, int passLevel, const QString &tail)
{
    return statRowCount(QStringLiteral("SELECT AssessmentID FROM Assessments WHERE PassLevel = ") +
                        QString::number(passLevel) +
                        QStringLiteral(" AND ClassID IN (SELECT ClassID FROM InstructorLink "
                                       "WHERE InstructorID = ") +
                        statId(instructorId) + tail);
}

QString statPercent(qint32 passes, qint32 fails)
{
    return vb::Format(double(passes) / double(passes + fails) * 100.0, QStringLiteral("##0;-##0"));
}

void statAddRow(ui::FlexGrid *grid, const QString &label, const QString &value)
{
    const int row = grid->rows();
    grid->setRows(row + 1);
    grid->setTextMatrix(row, 0, label);
    grid->setTextMatrix(row, 1, value);
}

} // namespace

qint32 CountStudentsTaught(qint32 instructorId, qint32 programId)
{
    if (programId == 0)
        return statRowCount(
            QStringLiteral("SELECT Students.StudentID, Students.[First Name], Students.[Last Name] "
                           "FROM Students WHERE Students.StudentID In (SELECT [Bookings].[StudentID] "
                           "FROM Bookings INNER JOIN Classes ON [Bookings].[ClassID]=[Classes].[ClassID] "
                           "WHERE Classes.ClassID IN (SELECT ClassID FROM InstructorLink WHERE "
                           "InstructorID=") +
            statId(instructorId) +
            QStringLiteral(") AND ((Bookings.Status='Confirmed') OR "
                           "(Bookings.Status='Tentative')));"));
    return statRowCount(
        QStringLiteral("SELECT Students.StudentID, Students.[First Name], Students.[Last Name] FROM "
                       "Students WHERE Students.StudentID In (SELECT [Bookings].[StudentID] FROM "
                       "Bookings INNER JOIN Classes ON [Bookings].[ClassID]=[Classes].[ClassID] "
                       "WHERE ((Classes.ClassID IN (SELECT ClassID FROM InstructorLink WHERE "
                       "InstructorID = ") +
        statId(instructorId) + QStringLiteral(")) AND (Classes.ProgramID=") + statId(programId) +
        QStringLiteral(")) AND ((Bookings.Status='Confirmed') OR (Bookings.Status='Tentative')));"));
}

qint32 CountPlacesTaught(qint32 instructorId, qint32 programId)
{
    QString sql = QStringLiteral("SELECT Sum(Classes.Max) AS SumOfMax FROM Classes WHERE "
                                 "Classes.ClassID IN (SELECT ClassID FROM InstructorLink WHERE "
                                 "InstructorID = ") +
                  statId(instructorId);
    if (programId == 0)
        sql += QStringLiteral(");");
    else
        sql += QStringLiteral(") GROUP BY Classes.ProgramID HAVING (((Classes.ProgramID)=") +
               statId(programId) + QStringLiteral("));");
    return statFirstNumber(sql);
}

qint32 GetPercentFull(qint32 instructorId, qint32 programId)
{
    const qint32 students = CountStudentsTaught(instructorId, programId);
    const qint32 places = CountPlacesTaught(instructorId, programId);
    if (students == 0 || places == 0)
        return 0;
    // nearbyint rounds an exact half to the even neighbour.
    return qint32(std::nearbyint(double(students) / double(places) * 100.0));
}

QString PassRateText(qint32 passes, qint32 fails)
{
    const qint32 total = passes + fails;
    if (total == 0)
        return QStringLiteral("0/0");
    return QString::number(passes) + QLatin1Char('/') + QString::number(total) +
           QStringLiteral("   (") + statPercent(passes, fails) + QStringLiteral("%)");
}

QString GetProgramPassRate(qint32 programId, qint32 instructorId)
{
    const QString tail = QStringLiteral(") AND ClassID IN (SELECT ClassID FROM Classes WHERE "
                                        "(ProgramID=") +
                         statId(programId) + QStringLiteral("));");
    const qint32 fails = statAssessments(instructorId, 0, tail);
    const qint32 passes = statAssessments(instructorId, 1, tail);
    return PassRateText(passes, fails);
}

QString GetOverallPassRate(qint32 instructorId, bool shortForm)
{
    const QString tail = QStringLiteral(");");
    const qint32 fails = statAssessments(instructorId, 0, tail);
    const qint32 passes = statAssessments(instructorId, 1, tail);
    if (!shortForm)
        return PassRateText(passes, fails);
    if (passes + fails == 0)
        return QStringLiteral("N/A");
    return statPercent(passes, fails) + QLatin1Char('%');
}

void FillInstructorStats(qint32 programId, qint32 instructorId, ui::FlexGrid *grid)
{
    const QString instructor = statId(instructorId);
    const QString program = statId(programId);
    grid->setRows(0);
    const qint32 places = statFirstNumber(
        // An inner join gives the rows of the outer one here (the program test drops
        // the links without a class) and lets the engine start from the instructor.
        QStringLiteral("SELECT Sum(Classes.Max) AS SumOfMax FROM Classes INNER JOIN "
                       "InstructorLink ON Classes.ClassID = InstructorLink.ClassID WHERE "
                       "InstructorLink.InstructorID = ") +
        instructor + QStringLiteral(" AND Classes.ProgramID=") + program + QLatin1Char(';'));
    statAddRow(grid, QStringLiteral("Total places (max enrolments possible)"),
               QString::number(places));
    const qint32 students = statRowCount(
        QStringLiteral("SELECT Students.StudentID, Students.[First Name], Students.[Last Name] FROM "
                       "Students WHERE Students.StudentID In (SELECT [Bookings].[StudentID] FROM "
                       "Bookings INNER JOIN Classes ON [Bookings].[ClassID]=[Classes].[ClassID] "
                       "WHERE ((Classes.ClassID IN (SELECT InstructorLink.ClassID FROM "
                       "InstructorLink WHERE InstructorLink.InstructorID = ") +
        instructor + QStringLiteral(")) AND (Classes.ProgramID=") + program +
        QStringLiteral(")) AND ((Bookings.Status='Confirmed') OR (Bookings.Status='Tentative')));"));
    statAddRow(grid, QStringLiteral("Total students taught"), QString::number(students));
    statAddRow(grid,
               places < students ? QStringLiteral("Number of spots over-capacity (over-full)")
                                 : QStringLiteral("Vacant (Available) spaces"),
               QString::number(std::abs(qint64(places) - students)));
    const qint32 classes = statRowCount(
        QStringLiteral("SELECT ClassID From Classes WHERE Classes.ClassID IN (SELECT "
                       "InstructorLink.ClassID FROM InstructorLink WHERE "
                       "InstructorLink.InstructorID = ") +
        instructor + QStringLiteral(") AND Classes.ProgramID=") + program + QLatin1Char(';'));
    statAddRow(grid, QStringLiteral("Number of Classes"), QString::number(classes));
    statAddRow(grid, QStringLiteral("Class % Full"),
               places != 0 ? vb::Format(double(students) / double(places), QStringLiteral("##0%"))
                           : QStringLiteral("-"));
    statAddRow(grid, QStringLiteral("Pass Rate"), GetProgramPassRate(programId, instructorId));
}

void FillInstructorStats(qint32 programId, const QString &instructorId, ui::FlexGrid *grid)
{
    FillInstructorStats(programId, vb::CLng(instructorId), grid);
}

} // namespace imodStatistics
