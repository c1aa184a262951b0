#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// Families: a family is the Students row of its contact person (Vendor "Y",
// Special "N", its own Family 0); a member is a row whose Family holds that row's
// StudentID. These are the rows behind the family panel of the record window,
// the new-family, change-family and add-to-family windows and the family window.
// Failures reach the caller; every change of several rows is one transaction.
namespace imodStudents {

// The Students positions of the contact details: [Parents Name] to [Email Address].
constexpr int FirstContactColumn = 4;
constexpr int LastContactColumn = 12;

// The family number written in a family text "Last, First (ID#n)" (or "First Last
// (ID#n)"): the text after the first " (ID#" without the text's last character;
// "0" when the text holds no " (ID#"; nothing when no character follows the marker.
// The number part is given as it stands, a number or not.
std::optional<QString> FamilyNumberText(const QString &familyText);

// "Last, First (SID#n)" or, first name first, "First Last (SID#n)".
QString PersonListText(qint32 studentId, const QString &first, const QString &last,
                       bool firstNameFirst = false);

// The person a pick-list text names: the row of the number after "SID#" whose own
// list text, built in the order given, equals the text upper-cased; 0 when none.
qint32 FindPersonByListText(const QString &text, bool firstNameFirst);

// Adds a family row with the contact person's names and contact name; gives its
// StudentID. Nothing stays behind when it fails.
qint32 CreateFamily(const QString &first, const QString &last, const QString &contactName);

// The nine contact details (positions 4 to 12, Null as "") of a row; nothing
// when there is no such row.
std::optional<QStringList> ReadContactDetails(qint32 studentId);

// Writes the contact details into the family row and every member: the values of
// the positions from firstColumn to 12 (all nine by default; the employee window
// copies from 5, Address, on and leaves [Parents Name] alone).
void CopyContactToFamily(qint32 familyId, const QStringList &contact,
                         int firstColumn = FirstContactColumn);

// The family row as the family window shows it.
struct FamilyRow
{
    qint32 familyId = 0;
    QMap<int, QString> texts; // positions 0 to 12 and 14; Null as ""
    QDate dateOfBirth;        // position 3
    bool student = false;     // position 17 "Y"
    bool employee = false;    // position 18 "Y"
    QString barcode;
};
std::optional<FamilyRow> ReadFamilyRow(qint32 familyId);

struct FamilyMember
{
    qint32 studentId = 0;
    QString first;
    QString last;
};
// Every row whose Family is the family's number, in stored order.
QList<FamilyMember> ReadFamilyMembers(qint32 familyId);

// Puts the person into the family (0: makes it an individual); false when there
// is no such row.
bool SetFamilyOfPerson(qint32 studentId, qint32 familyId);

// What the family window saves.
struct FamilyEdits
{
    QMap<int, QString> texts; // positions 1, 2 and 4 to 12, 14
    QDate dateOfBirth;        // invalid: the stored value stays
    QString barcode;          // "" for none
    bool student = false;
    bool employee = false;
};
// Writes the family row (0: a new one) and, when copyContact is set, its contact
// details into every member, in one transaction; gives the row's StudentID. A
// failure changes nothing; error 3021 when the row has gone.
qint32 SaveFamily(qint32 familyId, const FamilyEdits &edits, bool copyContact,
                  const QDate &today = {});

// Deletes the family row and its own bookings (their payments stay) and makes
// every member an individual, in one transaction; then the photograph file goes.
// The two statements on Students run on the connection directly, unlogged.
void DeleteFamily(qint32 familyId, const QString &photoFile);

} // namespace imodStudents
