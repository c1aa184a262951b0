#include "dropouts.h"

#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/listtext.h"
#include "core/sqlquote.h"
#include "fieldvalues.h"
#include "listdocument.h"
#include "platform/office/csv.h"

#include <QFile>

namespace imodStudents {

using detail::number;
using detail::text;

QStringList ActiveProgramNames()
{
    QStringList names;
    auto rs = detail::open(QStringLiteral("SELECT Programs.* FROM Programs;"));
    for (; !rs->eof(); rs->moveNext())
        if (number(rs->value(QStringLiteral("Inactive"))) == 0)
            names << text(rs->value(QStringLiteral("Program")));
    return names;
}

QString DropoutItemText(const QString &lastName, const QString &firstName, qint32 studentId)
{
    return lastName + QStringLiteral(", ") + firstName + QStringLiteral(" (SID") +
           QString::number(studentId) + QLatin1Char(')');
}

QStringList ListDropouts(const QString &program1, const QString &program2)
{
    const QString booked = QStringLiteral("((Bookings.Status = 'Confirmed') OR "
                                          "(Bookings.Status = 'Tentative'))");
    const QString sql =
        QStringLiteral("SELECT Bookings.BookingID, Bookings.StudentID, Students.[First Name], "
                       "Students.[Last Name] FROM Bookings, Classes, Programs, Students WHERE "
                       "Bookings.ClassID = Classes.ClassID AND Classes.ProgramID = "
                       "Programs.ProgramID AND Bookings.StudentID = Students.StudentID AND ") +
        booked + QStringLiteral(" AND Programs.Program=") + Global::SqlText(program1) +
        QStringLiteral(" AND Bookings.StudentID NOT IN (SELECT Later.StudentID FROM Bookings AS "
                       "Later, Classes AS LaterClasses, Programs AS LaterPrograms WHERE "
                       "Later.ClassID = LaterClasses.ClassID AND LaterClasses.ProgramID = "
                       "LaterPrograms.ProgramID AND Later.StudentID Is Not Null AND "
                       "((Later.Status = 'Confirmed') OR (Later.Status = 'Tentative')) AND "
                       "LaterPrograms.Program=") +
        Global::SqlText(program2) + QStringLiteral(");");
    QStringList items;
    auto rs = detail::open(sql);
    for (; !rs->eof(); rs->moveNext())
        items << DropoutItemText(text(rs->value(3)), text(rs->value(2)), number(rs->value(1)));
    return items;
}

QStringList DropoutDocumentLines(const QString &program1, const QString &program2,
                                 const QStringList &items, const QString &applicationName,
                                 const QDateTime &printedAt)
{
    QStringList body{QStringLiteral("<b>") + program1.toHtmlEscaped() + QStringLiteral(" to ") +
                         program2.toHtmlEscaped() + QStringLiteral("</b>"),
                     QStringLiteral("<br><br><br>")};
    for (const QString &item : items)
        body << item.toHtmlEscaped() + QStringLiteral("<br>");
    body << QStringLiteral("<br>");
    return ListDocumentLines(QStringLiteral("Dropouts from ") + program1 + QStringLiteral(" to ") +
                                 program2,
                             QStringLiteral("Dropouts List"), body, applicationName, printedAt);
}

QString DropoutCsvHeader()
{
    return QStringLiteral("FirstName,LastName,ContactName,Address,City,State,Postcode,"
                          "DropoutProgram,CurrentProgram,HomePhone,WorkPhone,MobilePhone,"
                          "EmailAddress,CentreName,CentrePhone,Manager1,Position1,Manager2,"
                          "Position2");
}

QString DropoutCsvLine(const QString &item, const QString &program1, const QString &program2)
{
    const qint32 id = core::NumberAfterMarker(item, QStringLiteral("(SID"));
    auto rs = detail::open(QStringLiteral("SELECT Students.* FROM Students WHERE StudentID=") +
                           Global::SqlNumber(id) + QLatin1Char(';'));
    for (; !rs->eof(); rs->moveNext()) {
        if (DropoutItemText(text(rs->value(2)), text(rs->value(1)), number(rs->value(0))).toUpper() !=
            item.toUpper())
            continue;
        QStringList values;
        for (int column : {1, 2, 4, 5, 6, 7, 8})
            values << text(rs->value(column));
        values << program2 << program1;
        for (int column : {9, 10, 11, 12})
            values << text(rs->value(column));
        GlobalSettings &settings = Global::CentreSettings();
        for (int setting :
             {CentreSettingIds::CentreName, CentreSettingIds::Phone, CentreSettingIds::Manager1,
              CentreSettingIds::Position1, CentreSettingIds::Manager2, CentreSettingIds::Position2})
            values << text(settings.Settings(setting));
        return office::CsvLine(values);
    }
    return {};
}

void WriteDropoutDataFile(const QString &path, const QStringList &items, const QString &program1,
                          const QString &program2)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(file.error() == QFileDevice::PermissionsError ? 70 : 75);
    auto writeLine = [&file](const QString &line) {
        const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
        if (file.write(bytes) != bytes.size())
            throw vb::Error(75);
    };
    writeLine(DropoutCsvHeader());
    for (const QString &item : items)
        writeLine(DropoutCsvLine(item, program1, program2));
    if (!file.flush())
        throw vb::Error(75);
}

} // namespace imodStudents
