#include "duplicates.h"

#include "fieldvalues.h"
#include "imodstudents.h"
#include "listdocument.h"
#include "core/sqlquote.h"

namespace imodStudents {

using detail::number;
using detail::text;

QStringList ListDuplicates()
{
    // A partner is another row of the same two names; "=" never holds for a Null.
    auto rs = detail::open(QStringLiteral(
        "SELECT Students.StudentID, Students.[Last Name], Students.[First Name] FROM Students "
        "WHERE Students.Student = 'Y' AND EXISTS (SELECT Tmp.StudentID FROM Students AS Tmp "
        "WHERE Tmp.[Last Name] = Students.[Last Name] AND Tmp.[First Name] = "
        "Students.[First Name] AND Tmp.StudentID <> Students.StudentID) "
        "ORDER BY Students.[Last Name], Students.[First Name];"));
    QStringList items;
    for (; !rs->eof(); rs->moveNext())
        items << text(rs->value(1)) + QStringLiteral(", ") + text(rs->value(2)) +
                     QStringLiteral(" (SID#") + QString::number(number(rs->value(0))) +
                     QLatin1Char(')');
    return items;
}

DuplicatePerson FindDuplicatePerson(const QString &listText)
{
    DuplicatePerson person;
    const qint32 id = GetStudentIDFromListText(listText);
    if (id == 0)
        return person;
    auto rs = detail::open(QStringLiteral("SELECT Students.StudentID, Students.Employee, "
                                          "Students.Vendor, Instructors.InstructorID FROM Students "
                                          "LEFT JOIN Instructors ON Students.StudentID = "
                                          "Instructors.StudentID WHERE Students.StudentID=") +
                           Global::SqlNumber(id) + QLatin1Char(';'));
    if (rs->eof())
        return person;
    person.studentId = id;
    person.instructorId = number(rs->value(3));
    if (text(rs->value(1)) == QLatin1String("Y"))
        person.window = person.instructorId != 0 ? DuplicatePerson::Employee
                                                 : DuplicatePerson::Student;
    else if (text(rs->value(2)) == QLatin1String("Y"))
        person.window = DuplicatePerson::Family;
    else
        person.window = DuplicatePerson::Student;
    return person;
}

QStringList DuplicateDocumentLines(const QStringList &items, const QString &dateText,
                                   const QString &applicationName, const QDateTime &printedAt)
{
    QStringList body{QStringLiteral("<b>As At ") + dateText.toHtmlEscaped() + QStringLiteral("</b>"),
                     QStringLiteral("<br><br><br>")};
    QString previous;
    for (const QString &item : items) {
        const QString namePart = item.left(item.indexOf(QStringLiteral("(SID")));
        if (namePart != previous)
            body << item.toHtmlEscaped() + QStringLiteral("<br>");
        previous = namePart;
    }
    body << QStringLiteral("<br>");
    return ListDocumentLines(QStringLiteral("Duplicate Names"), QStringLiteral("Duplicate Names"),
                             body, applicationName, printedAt);
}

} // namespace imodStudents
