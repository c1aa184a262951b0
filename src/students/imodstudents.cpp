#include "imodstudents.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "students/fieldvalues.h"

#include <QRegularExpression>

namespace imodStudents {

namespace {

using detail::money;
using detail::number;
using detail::open;
using detail::text;

QString listName(const QVariant &first, const QVariant &last, qint32 id)
{
    return text(last) + QStringLiteral(", ") + text(first) + QStringLiteral(" (SID#") +
           QString::number(id) + QLatin1Char(')');
}

QDate todayOr(const QDate &today)
{
    return today.isValid() ? today : vb::Date().date();
}

} // namespace

QString GetStudentName(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT [First Name], [Last Name] FROM Students WHERE "
                                  "StudentID=%1;")
                       .arg(studentId));
    if (rs->eof())
        return {};
    return text(rs->value(0)) + QLatin1Char(' ') + text(rs->value(1));
}

QString GetStudentListName(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT [First Name], [Last Name] FROM Students WHERE "
                                  "StudentID=%1;")
                       .arg(studentId));
    return rs->eof() ? QString() : listName(rs->value(0), rs->value(1), studentId);
}

qint32 GetStudentIDFromBooking(qint32 bookingId)
{
    try {
        auto rs = open(QStringLiteral("SELECT Bookings.StudentID FROM Bookings WHERE "
                                      "BookingID=%1;")
                           .arg(bookingId));
        return rs->eof() ? 0 : number(rs->value(0));
    } catch (...) {
        return 0;
    }
}

qint32 GetFamilyID(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, Family FROM Students WHERE StudentID=%1;")
                       .arg(studentId));
    return rs->eof() ? 0 : number(rs->value(1));
}

QString GetProgramHistory(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT Program, Classes.StartDate, Classes.EndDate FROM Classes "
                                  "INNER JOIN Programs ON Programs.ProgramID = Classes.ProgramID "
                                  "WHERE ClassID IN (SELECT ClassID FROM Bookings WHERE StudentID "
                                  "= %1) ORDER BY Classes.EndDate DESC;")
                       .arg(studentId));
    return rs->eof() ? QString() : text(rs->value(0));
}

qint32 GetStudentIDByName(const QString &name)
{
    // First name, blank and last name equal the text exactly when, at some blank of
    // the text, the first name equals what stands before it and the last name what
    // follows: asked so, the last-name index finds the rows instead of a walk.
    QStringList splits;
    for (qsizetype at = name.indexOf(QLatin1Char(' ')); at >= 0;
         at = name.indexOf(QLatin1Char(' '), at + 1))
        splits << QStringLiteral("([Last Name] = ") + Global::SqlText(name.mid(at + 1)) +
                      QStringLiteral(" AND [First Name] = ") + Global::SqlText(name.left(at)) +
                      QLatin1Char(')');
    if (splits.isEmpty())
        return 0;
    auto rs = open(QStringLiteral("SELECT StudentID FROM Students WHERE ") +
                   splits.join(QStringLiteral(" OR ")) + QStringLiteral(" ORDER BY StudentID;"));
    return rs->eof() ? 0 : number(rs->value(0));
}

namespace {
// The one row of an existing person; error 3021 (no current record) without it.
std::unique_ptr<jet::Recordset> existing(const QString &columns, qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, %1 FROM Students WHERE StudentID = %2;")
                       .arg(columns)
                       .arg(studentId));
    if (rs->eof())
        throw vb::Error(3021, QStringLiteral("Either BOF or EOF is True, or the current record "
                                             "has been deleted. Requested operation requires a "
                                             "current record."));
    return rs;
}
} // namespace

QString GetPassportCode(qint32 studentId)
{
    auto rs = existing(QStringLiteral("Issued"), studentId);
    return PassportCodeFor(rs->value(1));
}

QString PassportCodeFor(const QVariant &issued)
{
    switch (number(issued)) {
    case 1:
        return QStringLiteral("In");
    case 2:
        return QStringLiteral("Out");
    default:
        return QStringLiteral("None");
    }
}

QString GetStudentNotes(qint32 studentId)
{
    return text(existing(QStringLiteral("Notes"), studentId)->value(1));
}

qint32 GetStudentIDFromListText(const QString &listText)
{
    const qsizetype at = listText.lastIndexOf(QLatin1String(" (SID#"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}"));
    const auto match = digits.match(listText.mid(at + 6));
    if (!match.hasMatch())
        return 0;
    const qint32 id = match.captured(0).toInt();
    auto rs = open(QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students "
                                  "WHERE StudentID = %1;")
                       .arg(id));
    if (rs->eof())
        return 0;
    const QString own = listName(rs->value(1), rs->value(2), number(rs->value(0)));
    return own.toUpper() == listText.toUpper() ? id : 0;
}

vb::Currency GetStudentBalance(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT Sum(ChargeAmount) AS SumOfCharges, Sum(Amount) As "
                                  "PaymentAmount, Sum(DiscountAmount) As SumOfDiscount, "
                                  "Sum(DiscountGST) As SumOfDiscountGST FROM Payments WHERE "
                                  "(SID=%1);")
                       .arg(studentId));
    if (rs->eof())
        return {};
    return money(rs->value(0)) - money(rs->value(1)) - money(rs->value(2)) - money(rs->value(3));
}

vb::Currency GetOverdueAmount(qint32 studentId)
{
    auto rs = open(QStringLiteral(
                       "SELECT Sum(Payments.ChargeAmount), Sum(Payments.Amount), "
                       "Sum(Payments.DiscountAmount), Sum(Payments.DiscountGST) FROM (Programs "
                       "INNER JOIN Classes ON Programs.ProgramID = Classes.ProgramID) INNER JOIN "
                       "(Payments INNER JOIN Bookings ON Payments.BookingID = Bookings.BookingID) "
                       "ON Classes.ClassID = Bookings.ClassID WHERE Bookings.StudentID = %1 AND "
                       "Programs.AmountOverdue < Now();")
                       .arg(studentId));
    if (rs->eof())
        return {};
    return money(rs->value(0)) - money(rs->value(1)) - money(rs->value(2)) - money(rs->value(3));
}

QString GetFamilyContactName(qint32 familyId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students "
                                  "WHERE StudentID=%1;")
                       .arg(familyId));
    if (rs->eof())
        return QStringLiteral("(individual)");
    return text(rs->value(2)) + QStringLiteral(", ") + text(rs->value(1)) + QStringLiteral(" (ID#") +
           QString::number(number(rs->value(0))) + QLatin1Char(')');
}

QString GetParentsName(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, [Parents Name] FROM Students WHERE "
                                  "StudentID=%1;")
                       .arg(studentId));
    return rs->eof() ? QString() : text(rs->value(1));
}

bool HasStudentNotes(qint32 studentId)
{
    return !GetStudentNotes(studentId).isEmpty();
}

qint32 CountBookingsInProgram(qint32 studentId, qint32 programId)
{
    // Every Confirmed or Tentative booking counts, the first one too: enrolling
    // asks before the new booking exists.
    auto rs = open(QStringLiteral("SELECT Count(*) FROM Bookings INNER JOIN Classes ON "
                                  "Bookings.ClassID = Classes.ClassID WHERE (Bookings.Status = "
                                  "'Confirmed' OR Bookings.Status = 'Tentative') AND "
                                  "Bookings.StudentID = %1 AND Classes.ProgramID = %2;")
                       .arg(studentId)
                       .arg(programId));
    return number(rs->value(0));
}

qint32 CountNoShows(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT Count(*) FROM Bookings WHERE StudentID=%1 AND "
                                  "Status='No Show';")
                       .arg(studentId));
    return number(rs->value(0));
}

qint32 GetAgeYears(const QDate &dateOfBirth, const QDate &today)
{
    const QDate now = todayOr(today);
    qint32 years = now.year() - dateOfBirth.year();
    QDate birthday(now.year(), dateOfBirth.month(), dateOfBirth.day());
    if (!birthday.isValid()) // 29 February in a common year
        birthday = QDate(now.year(), 3, 1);
    if (now < birthday)
        --years;
    return years;
}

QString GetAgeText(const QDate &dateOfBirth, const QDate &today)
{
    const QDate now = todayOr(today);
    const qint32 years = GetAgeYears(dateOfBirth, now);
    const qint32 months =
        (now.year() * 12 + now.month()) - (dateOfBirth.year() * 12 + dateOfBirth.month());
    if (years <= 2)
        return QString::number(months) + QLatin1Char('m');
    if (years >= 18)
        return QString::number(years);
    return QString::number(years) + (months % 12 > 6 ? QStringLiteral("\u00bd") : QString());
}

qint32 GetAccountHolderID(qint32 studentId)
{
    const qint32 family = number(existing(QStringLiteral("Family"), studentId)->value(1));
    return family != 0 ? family : studentId;
}

qint32 GetStudentIDByBarcode(const QString &barcode)
{
    auto rs = open(QStringLiteral("SELECT StudentID FROM Students WHERE Barcode = ") +
                   Global::SqlText(barcode) + QLatin1Char(';'));
    return rs->eof() ? 0 : number(rs->value(0));
}

qint32 FillPersonCombo(QWidget *list, bool students, bool employees, bool families,
                       bool firstNameFirst, bool instructorIds)
{
    // The rows are read first and handed to the list in one go (one sort of a
    // long list); on a failure the items read so far are still added.
    QList<QPair<QString, qint32>> items;
    qint32 result = 0;
    try {
        core::listClear(list);
        auto kind = [](bool wanted) { return wanted ? QStringLiteral("Y") : QStringLiteral("%"); };
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Students.StudentID, [First Name], [Last Name], InstructorID "
                           "FROM Students LEFT JOIN Instructors ON Instructors.StudentID = "
                           "Students.StudentID WHERE Students.Student Like '%1' AND "
                           "Students.Employee Like '%2' AND Students.Vendor Like '%3' AND "
                           "Students.Special = 'N';")
                .arg(kind(students), kind(employees), kind(families)),
            false);
        for (; !rs->eof(); rs->moveNext()) {
            const QString first = text(rs->value(1));
            const QString last = text(rs->value(2));
            const QString item = firstNameFirst ? first + QLatin1Char(' ') + last
                                                : last + QStringLiteral(", ") + first;
            const qint32 instructor = number(rs->value(3));
            const qint32 data =
                employees && instructorIds && instructor > 0 ? instructor : number(rs->value(0));
            items.append({item, data});
        }
    } catch (...) {
        const long n = core::currentError().number;
        result = n != 0 ? qint32(n) : -1;
    }
    try {
        core::listAddItems(list, items);
    } catch (...) {
        if (result == 0) {
            const long n = core::currentError().number;
            result = n != 0 ? qint32(n) : -1;
        }
    }
    return result;
}

QDate ParseDateText(const QString &typed)
{
    const QString input = typed.trimmed();
    if (input.isEmpty())
        return {};
    // The program's pattern in Qt's letters: days d, months M (MMM a month's
    // short name), years y; each day or month may be written with one digit.
    QString pattern = Global::DateFormat.isEmpty() ? QStringLiteral("dd/mm/yyyy")
                                                   : Global::DateFormat;
    pattern = pattern.toLower();
    pattern.replace(QLatin1String("mmmm"), QLatin1String("MMMM"));
    pattern.replace(QLatin1String("mmm"), QLatin1String("MMM"));
    pattern.replace(QLatin1String("mm"), QLatin1String("M"));
    pattern.replace(QRegularExpression(QStringLiteral("(?<!M)m(?!M)")), QStringLiteral("M"));
    pattern.replace(QLatin1String("dd"), QLatin1String("d"));
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QLocale english(QLocale::English);
    QDate date = english.toDate(input, pattern);
    return date.isValid() ? date : QDate();
}

QDate ReadDateText(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QDate inPattern = ParseDateText(trimmed);
    if (inPattern.isValid())
        return inPattern;
    if (vb::IsDate(trimmed))
        return vb::CDate(trimmed).date();
    return {};
}

} // namespace imodStudents
