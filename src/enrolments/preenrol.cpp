// The pre-enrolment list's rows and its edits.
#include "preenrol.h"

#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"

namespace imodEnrolments {

namespace {

QString preEnrolEntryKey(qint32 studentId, qint32 programId)
{
    return QStringLiteral(" WHERE StudentID = ") + Global::SqlNumber(studentId) +
           QStringLiteral(" AND ProgramID = ") + Global::SqlNumber(programId) + QLatin1Char(';');
}

} // namespace

QList<PreEnrolEntry> ReadPreEnrolList(const QString &programName, const QString &searchText)
{
    QString sql = QStringLiteral(
                      "SELECT p.StudentID, [First Name], [Last Name], Preferences "
                      "FROM PreEnrol AS p LEFT JOIN Students AS s "
                      "ON p.StudentID = s.StudentID "
                      "WHERE ProgramID IN (SELECT ProgramID FROM Programs WHERE Program = ") +
                  Global::SqlText(programName) + QStringLiteral(") ");
    if (!searchText.isEmpty())
        sql += QStringLiteral("AND [Last Name] LIKE ") +
               Global::SqlText(QLatin1Char('%') + searchText + QLatin1Char('%'));
    sql += QLatin1Char(';');
    auto rs = irecObjectCode::OpenRecordset(sql);
    QList<PreEnrolEntry> out;
    for (; !rs->eof(); rs->moveNext())
        out.append({vb::CLng(vb::Nz(rs->value(0), 0)), vb::CStr(vb::Nz(rs->value(1))),
                    vb::CStr(vb::Nz(rs->value(2))), vb::CStr(vb::Nz(rs->value(3)))});
    rs->close();
    return out;
}

QString CleanPreEnrolPreferences(const QString &answer)
{
    QString out = answer;
    out.remove(QLatin1Char('"'));
    out.remove(QLatin1Char('\''));
    return out;
}

bool EditPreEnrolPreferences(qint32 studentId, qint32 programId, const QString &answer)
{
    const QString preferences = CleanPreEnrolPreferences(answer);
    if (preferences.isEmpty())
        return false;
    imodData::ExecSQL(QStringLiteral("UPDATE PreEnrol SET Preferences = ") +
                          Global::SqlText(preferences) + preEnrolEntryKey(studentId, programId),
                      false);
    return true;
}

void CancelPreEnrolEntry(qint32 studentId, qint32 programId)
{
    imodData::ExecSQL(QStringLiteral("DELETE * FROM PreEnrol") +
                          preEnrolEntryKey(studentId, programId),
                      false);
}

} // namespace imodEnrolments
