#include "classreports.h"

#include "core/centresettings.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "frmrptconfslip.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "shell/frmreportviewer.h"
#include "timetable/classes.h"

#include <QFile>
#include <QStringList>

namespace mReports {

namespace {

QString classDocText(const QVariant &v)
{
    return v.isNull() ? QString() : vb::CStr(v).toHtmlEscaped();
}

QString classDocTime(const QVariant &v)
{
    return v.isNull() ? QString() : vb::Format(v, QStringLiteral("hh:mm AMPM"));
}

QString classDocPage(const QString &title, const QStringList &body, const QString &applicationName,
                     const QDateTime &printedAt)
{
    QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset='utf-8'>"),
        QStringLiteral("<title>") + title + QStringLiteral("</title>"),
        QStringLiteral("<style>table.grid { border-collapse: collapse; } table.grid td, "
                       "table.grid th { border: 1px solid black; padding: 2px 4px; }</style>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body><font face='Arial' size='2'>"),
        QStringLiteral("<font size='4'><b>") + title + QStringLiteral("</b></font><br><br>"),
    };
    lines += body;
    lines << QStringLiteral("<br><font size='1'>Printed by ") + applicationName.toHtmlEscaped() +
                 QStringLiteral(" at ") + vb::Format(printedAt, QStringLiteral("General Date")) +
                 QStringLiteral(".</font>")
          << QStringLiteral("</font></body>") << QStringLiteral("</html>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void showClassDoc(const QString &html)
{
    const QByteArray bytes = html.toUtf8();
    const QString path = Global::TempReportFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(75);
    if (file.write(bytes) != bytes.size()) {
        file.remove();
        throw vb::Error(75);
    }
    file.close();
    auto *viewer = ui::Forms::shared<frmReportViewer>();
    viewer->SetTempFile(path);
    viewer->showForm();
}

} // namespace

QString ClassNotesHtml(qint32 classId, const QString &applicationName, const QDateTime &printedAt)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Classes.ClassID, Classes.Day, Classes.Description AS "
                       "ClassDescription, Classes.ProgramID, Classes.[Time], Programs.ProgramID, "
                       "Programs.Program, Classes.Notes FROM Classes, Programs WHERE "
                       "Classes.ProgramID = Programs.ProgramID AND Classes.ClassID=") +
        Global::SqlNumber(classId));
    QStringList body;
    if (!rs->eof()) {
        body << QStringLiteral("<b>") + classDocText(rs->value(1)) + QLatin1Char(' ') +
                    classDocTime(rs->value(4)) + QLatin1Char(' ') + classDocText(rs->value(2)) +
                    QStringLiteral("</b><br>")
             << QStringLiteral("Instructor: ") +
                    imodClasses::GetClassInstructorNames(classId, false).toHtmlEscaped() +
                    QStringLiteral("<br>")
             << QStringLiteral("Program: ") + classDocText(rs->value(6)) +
                    QStringLiteral("<br><br>");
        QString notes = rs->value(7).isNull() ? QString() : vb::CStr(rs->value(7));
        // Every line break, however the box or an older file wrote it, is kept.
        notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        body << notes.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
                    QStringLiteral("<br>");
    }
    return classDocPage(QStringLiteral("Class Notes"), body, applicationName, printedAt);
}

QString AttendanceGridHtml(qint32 classId, const QString &applicationName,
                           const QDateTime &printedAt)
{
    constexpr int Sessions = 15;
    QStringList body;
    auto head = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Classes.Description, Classes.Day, Classes.[Time], Programs.Program "
                       "FROM Classes LEFT JOIN Programs ON Classes.ProgramID = Programs.ProgramID "
                       "WHERE Classes.ClassID=") +
        Global::SqlNumber(classId));
    if (!head->eof()) {
        body << QStringLiteral("<b>") + classDocText(head->value(0)) + QStringLiteral("</b><br>")
             << classDocText(head->value(1)) + QLatin1Char(' ') + classDocTime(head->value(2)) +
                    QStringLiteral("<br>")
             << QStringLiteral("Instructor: ") +
                    imodClasses::GetClassInstructorNames(classId, false).toHtmlEscaped() +
                    QStringLiteral("<br>")
             << QStringLiteral("Program: ") + classDocText(head->value(3)) +
                    QStringLiteral("<br><br>");
    }
    QString header = QStringLiteral("<tr><th>Name</th>");
    for (int s = 1; s <= Sessions; ++s)
        header += QStringLiteral("<th>") + QString::number(s) + QStringLiteral("</th>");
    body << QStringLiteral("<table class='grid'>") << header + QStringLiteral("</tr>");
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Students.[First Name], Students.[Last Name] FROM Bookings INNER "
                       "JOIN Students ON Bookings.StudentID = Students.StudentID WHERE "
                       "Bookings.ClassID=") +
        Global::SqlNumber(classId) +
        QStringLiteral(" AND (Bookings.Status='Confirmed' OR Bookings.Status='Tentative') ORDER "
                       "BY Students.[First Name], Students.[Last Name];"));
    for (; !rs->eof(); rs->moveNext()) {
        QString line = QStringLiteral("<tr><td>") + classDocText(rs->value(0)) + QLatin1Char(' ') +
                       classDocText(rs->value(1)) + QStringLiteral("</td>");
        for (int s = 1; s <= Sessions; ++s)
            line += QStringLiteral("<td>&nbsp;&nbsp;&nbsp;</td>");
        body << line + QStringLiteral("</tr>");
    }
    body << QStringLiteral("</table>");
    return classDocPage(QStringLiteral("Class List with Attendance Grid"), body, applicationName,
                        printedAt);
}

void ShowClassNotesReport(qint32 classId)
{
    showClassDoc(ClassNotesHtml(classId, Global::CentreSettings().ApplicationName(),
                                QDateTime::currentDateTime()));
}

void ShowAttendanceGridReport(qint32 classId)
{
    showClassDoc(AttendanceGridHtml(classId, Global::CentreSettings().ApplicationName(),
                                    QDateTime::currentDateTime()));
}

void RegisterClassReports()
{
    ui::RegisterProcedure(ClassNotesReportName, [](const QVariantList &a) {
        ShowClassNotesReport(vb::CLng(a.value(0)));
        return QVariant();
    });
    ui::RegisterProcedure(AttendanceGridReportName, [](const QVariantList &a) {
        ShowAttendanceGridReport(vb::CLng(a.value(0)));
        return QVariant();
    });
    ui::RegisterWindow(QStringLiteral("frmRptConfSlip"),
                       [] { return ui::Forms::shared<frmRptConfSlip>(); });
}

} // namespace mReports
