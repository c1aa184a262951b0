#include "attendancebook.h"

#include "classes/classsearchquery.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"

namespace imodEnrolments {

namespace {

const QString All = QStringLiteral("(All)");
const QString AnyText = QStringLiteral("%");

QString pattern(const QString &text)
{
    return text == All ? AnyText : classsearch::LikeLiteral(text);
}

} // namespace

QList<qint32> AttendanceBookClasses(qint32 programId, const QString &instructor,
                                    const QString &day, const QString &level, qint32 poolArea)
{
    const QString levelPattern =
        level == All ? AnyText : classsearch::LikeLiteral(level) + AnyText;
    const QString area = poolArea == 0 ? QString()
                                       : QStringLiteral("And (Classes.PoolArea = ") +
                                             Global::SqlNumber(poolArea) + QStringLiteral(") ");
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Classes.ClassID, Classes.Description, Classes.ProgramID, "
                       "Classes.Day, Classes.Time, Classes.Max, Classes.PoolArea FROM Classes "
                       "WHERE (((Classes.Description) Like ") +
        Global::SqlText(levelPattern) + QStringLiteral(") ") + area +
        QStringLiteral("AND ((Classes.ProgramID)=") + Global::SqlNumber(programId) +
        QStringLiteral(") AND ((Classes.Day) Like ") + Global::SqlText(pattern(day)) +
        QStringLiteral(") AND ((Classes.StartDate)<>[Classes].[EndDate]) AND ((Classes.ClassID) "
                       "In (SELECT InstructorLink.ClassID FROM (Instructors INNER JOIN "
                       "InstructorLink ON Instructors.InstructorID = InstructorLink.InstructorID) "
                       "INNER JOIN Students ON Instructors.StudentID = Students.StudentID WHERE "
                       "(((([First Name]+\" \"+[Last Name])) Like ") +
        Global::SqlText(pattern(instructor)) +
        QStringLiteral("))))) ORDER BY Classes.Day, Classes.Time;"));
    QList<qint32> classes;
    for (; !rs->eof(); rs->moveNext())
        classes << vb::CLng(rs->value(0));
    return classes;
}

bool BookFillErrors::report(const core::ErrorInfo &error)
{
    ++m_count;
    const QString text = QStringLiteral("An error occurred when filling the attendance grid.\r\nErr#") +
                         QString::number(error.number) + QStringLiteral(" - ") + error.description +
                         QLatin1Char('.');
    if (m_count < 3) {
        ui::Dialogs::msgBox(text, ui::vbExclamation, QStringLiteral("Oops!"));
        return true;
    }
    return ui::Dialogs::msgBox(text + QStringLiteral("\r\n\r\nDo you want to continue loading the grid?"),
                               ui::vbYesNo | ui::vbQuestion, QStringLiteral("Error")) == ui::vbYes;
}

} // namespace imodEnrolments
