#pragma once

#include "core/sqlquote.h"
#include "timetable/fixture/timetablefixture.h"

#include <QListWidget>

// The timetable's data file fixture with award levels, criteria and assessments.
class AssessmentTest : public TimetableTest
{
protected:
    qint32 addLevel(const QString &name, int inactive = 0)
    {
        exec(QStringLiteral("INSERT INTO Levels (Description, DurationUnit, Inactive, Sequence) "
                            "VALUES (%1, 'Forever', %2, 1)")
                 .arg(Global::SqlText(name))
                 .arg(inactive));
        return value(QStringLiteral("SELECT Max(LevelID) FROM Levels")).toInt();
    }
    void addCriterion(qint32 levelId, const QString &name)
    {
        exec(QStringLiteral("INSERT INTO LevelCriterion ([Level], CriterionName) VALUES (%1, %2)")
                 .arg(levelId)
                 .arg(Global::SqlText(name)));
    }
    // An assessment; an empty date leaves it Null, pass -1 leaves PassLevel Null.
    qint32 addAssessment(qint32 studentId, qint32 classId, qint32 levelId, int processed,
                         const QString &date = QStringLiteral("2026-03-01"), int pass = 1,
                         qint32 instructorId = 0)
    {
        exec(QStringLiteral("INSERT INTO Assessments (StudentID, [Date], InstructorID, LevelID, "
                            "Notes, PassLevel, Processed, ClassID) VALUES (%1, %2, %3, %4, "
                            "'note', %5, %6, %7)")
                 .arg(studentId)
                 .arg(date.isEmpty() ? QStringLiteral("Null") : "#" + date + "#")
                 .arg(instructorId)
                 .arg(levelId)
                 .arg(pass < 0 ? QStringLiteral("Null") : QString::number(pass))
                 .arg(processed)
                 .arg(classId));
        return value(QStringLiteral("SELECT Max(AssessmentID) FROM Assessments")).toInt();
    }
    void addCrit(qint32 assessmentId, const QString &text, int attained)
    {
        exec(QStringLiteral("INSERT INTO AssessCrit (AssessmentID, [Text], Attained) VALUES (%1, "
                            "%2, %3)")
                 .arg(assessmentId)
                 .arg(Global::SqlText(text))
                 .arg(attained));
    }
};

// The texts of a list's rows, in order.
inline QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
