#include "families.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "students/fieldvalues.h"

#include <QFile>
#include <QRegularExpression>

namespace imodStudents {

namespace {

using detail::noCurrentRecord;
using detail::number;
using detail::open;
using detail::text;

QString id(qint32 value)
{
    return Global::SqlNumber(value);
}

const char *const contactColumns[] = {"[Parents Name]", "Address",        "City",
                                      "State",          "Postcode",       "[Home Phone]",
                                      "[Work Phone]",   "[Mobile Phone]", "[Email Address]"};

// The contact details from the first column on of the family row and every
// member, in one statement.
void updateContact(qint32 familyId, const QStringList &contact, int firstColumn = FirstContactColumn)
{
    QStringList sets;
    for (int i = firstColumn - FirstContactColumn; i < 9; ++i)
        sets << QString::fromLatin1(contactColumns[i]) + QStringLiteral(" = ") +
                    Global::SqlText(contact.value(i - (firstColumn - FirstContactColumn)));
    Global::DbConnection().execute(Global::AdaptSql(
        QStringLiteral("UPDATE Students SET ") + sets.join(QStringLiteral(", ")) +
        QStringLiteral(" WHERE (Family = ") + id(familyId) + QStringLiteral(") OR (StudentID = ") +
        id(familyId) + QStringLiteral(");")));
}

} // namespace

std::optional<QString> FamilyNumberText(const QString &familyText)
{
    const qsizetype at = familyText.indexOf(QLatin1String(" (ID#"));
    if (at < 0)
        return QStringLiteral("0");
    const qsizetype start = at + 5;
    const qsizetype length = familyText.size() - start - 1;
    if (length < 0)
        return std::nullopt;
    return familyText.mid(start, length);
}

QString PersonListText(qint32 studentId, const QString &first, const QString &last,
                       bool firstNameFirst)
{
    const QString name = firstNameFirst ? first + QLatin1Char(' ') + last
                                        : last + QStringLiteral(", ") + first;
    return name + QStringLiteral(" (SID#") + QString::number(studentId) + QLatin1Char(')');
}

qint32 FindPersonByListText(const QString &listText, bool firstNameFirst)
{
    const qsizetype at = listText.lastIndexOf(QLatin1String(" (SID#"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}"));
    const auto match = digits.match(listText.mid(at + 6));
    if (!match.hasMatch())
        return 0;
    const qint32 studentId = match.captured(0).toInt();
    auto rs = open(QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students "
                                  "WHERE StudentID = ") +
                   id(studentId) + QLatin1Char(';'));
    if (rs->eof())
        return 0;
    const QString own =
        PersonListText(studentId, text(rs->value(1)), text(rs->value(2)), firstNameFirst);
    return own.toUpper() == listText.toUpper() ? studentId : 0;
}

qint32 CreateFamily(const QString &first, const QString &last, const QString &contactName)
{
    Global::DbTransaction transaction;
    auto rs = open(QStringLiteral("SELECT Students.* FROM Students WHERE StudentID = 0;"));
    rs->addNew();
    rs->setValue(1, first);
    rs->setValue(2, last);
    rs->setValue(4, contactName);
    rs->setValue(QStringLiteral("Student"), QStringLiteral("N"));
    rs->setValue(QStringLiteral("Employee"), QStringLiteral("N"));
    rs->setValue(QStringLiteral("Vendor"), QStringLiteral("Y"));
    rs->setValue(QStringLiteral("Special"), QStringLiteral("N"));
    rs->setValue(QStringLiteral("Family"), 0);
    rs->setValue(QStringLiteral("Issued"), 0);
    rs->setValue(QStringLiteral("Inactive"), 0);
    rs->update();
    const qint32 familyId = number(rs->value(0));
    rs->close();
    transaction.commit();
    return familyId;
}

std::optional<QStringList> ReadContactDetails(qint32 studentId)
{
    auto rs = open(QStringLiteral("SELECT Students.* FROM Students WHERE StudentID=") +
                   id(studentId) + QLatin1Char(';'));
    if (rs->eof())
        return std::nullopt;
    QStringList contact;
    for (int position = FirstContactColumn; position <= LastContactColumn; ++position)
        contact << text(rs->value(position));
    return contact;
}

void CopyContactToFamily(qint32 familyId, const QStringList &contact, int firstColumn)
{
    if (familyId == 0 || firstColumn < FirstContactColumn || firstColumn > LastContactColumn)
        return;
    updateContact(familyId, contact, firstColumn);
}

std::optional<FamilyRow> ReadFamilyRow(qint32 familyId)
{
    auto rs = open(QStringLiteral("SELECT Students.* FROM Students WHERE StudentID=") +
                   id(familyId) + QLatin1Char(';'));
    if (rs->eof())
        return std::nullopt;
    FamilyRow row;
    row.familyId = familyId;
    for (int position = 0; position <= 14; ++position) {
        if (position == 3 || position == 13)
            continue;
        row.texts.insert(position, text(rs->value(position)));
    }
    const QVariant born = rs->value(3);
    if (!born.isNull())
        row.dateOfBirth = vb::CDate(born).date();
    row.student = text(rs->value(17)) == QLatin1String("Y");
    row.employee = text(rs->value(18)) == QLatin1String("Y");
    row.barcode = text(rs->value(QStringLiteral("Barcode")));
    return row;
}

QList<FamilyMember> ReadFamilyMembers(qint32 familyId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, [First Name], [Last Name] FROM Students "
                                  "WHERE Family=") +
                   id(familyId) + QLatin1Char(';'));
    QList<FamilyMember> members;
    for (; !rs->eof(); rs->moveNext())
        members.append({number(rs->value(0)), text(rs->value(1)), text(rs->value(2))});
    return members;
}

bool SetFamilyOfPerson(qint32 studentId, qint32 familyId)
{
    auto rs = open(QStringLiteral("SELECT StudentID, Family FROM Students WHERE StudentID = ") +
                   id(studentId) + QLatin1Char(';'));
    if (rs->eof())
        return false;
    rs->setValue(1, familyId);
    rs->update();
    return true;
}

qint32 SaveFamily(qint32 familyId, const FamilyEdits &edits, bool copyContact, const QDate &today)
{
    const QDate day = today.isValid() ? today : vb::Date().date();
    Global::DbTransaction transaction;
    auto rs = open(QStringLiteral("SELECT Students.* FROM Students WHERE StudentID = ") +
                   id(familyId) + QLatin1Char(';'));
    if (familyId == 0)
        rs->addNew();
    else if (rs->eof())
        noCurrentRecord();
    for (int position : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        rs->setValue(position, edits.texts.value(position));
    if (edits.dateOfBirth.isValid())
        rs->setValue(3, vb::makeDateTime(edits.dateOfBirth.year(), edits.dateOfBirth.month(),
                                         edits.dateOfBirth.day()));
    rs->setValue(14, edits.texts.value(14));
    rs->setValue(QStringLiteral("Barcode"), edits.barcode);
    rs->setValue(16, vb::makeDateTime(day.year(), day.month(), day.day()));
    rs->setValue(QStringLiteral("Student"), edits.student ? QStringLiteral("Y") : QStringLiteral("N"));
    rs->setValue(QStringLiteral("Employee"),
                 edits.employee ? QStringLiteral("Y") : QStringLiteral("N"));
    rs->setValue(QStringLiteral("Vendor"), QStringLiteral("Y"));
    rs->setValue(QStringLiteral("Special"), QStringLiteral("N"));
    rs->setValue(QStringLiteral("Inactive"), 0);
    rs->setValue(QStringLiteral("Family"), 0);
    rs->update();
    const qint32 saved = number(rs->value(0));
    rs->close();
    if (copyContact) {
        QStringList contact;
        for (int position = FirstContactColumn; position <= LastContactColumn; ++position)
            contact << edits.texts.value(position);
        updateContact(saved, contact);
    }
    transaction.commit();
    return saved;
}

void DeleteFamily(qint32 familyId, const QString &photoFile)
{
    {
        Global::DbTransaction transaction;
        Global::DbConnection().execute(Global::AdaptSql(
            QStringLiteral("DELETE * FROM Bookings WHERE StudentID = ") + id(familyId) +
            QLatin1Char(';')));
        auto &db = Global::DbConnection();
        db.execute(QStringLiteral("UPDATE Students SET Family='0' WHERE Family=") + id(familyId) +
                   QLatin1Char(';'));
        db.execute(QStringLiteral("DELETE FROM Students WHERE StudentID = ") + id(familyId) +
                   QLatin1Char(';'));
        transaction.commit();
    }
    if (!photoFile.isEmpty() && QFile::exists(photoFile))
        QFile::remove(photoFile);
}

} // namespace imodStudents
