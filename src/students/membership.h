#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// A person's pass held at the centre: one row of the Membership table. The
// memberships window makes one object per membership shown, loads it, fills it
// from its boxes and saves it. Duration and visits are 32-bit.
class Membership
{
public:
    Membership();

    // The properties; setting one stores the value as given.
    bool Loaded = false;
    QString Barcode;
    qint32 StudentID = 0;
    qint32 VisitsUsed = 0;
    QDateTime StartDate;
    qint32 duration = 0;
    qint32 MemType = 1;
    qint32 MembershipID = 0;

    // Reads the row of that key. No row: the object stays as it was. A failure
    // shows the "Oops!" loading box; the fields read before it stay set. An empty
    // barcode or visit count reads as "" and 0.
    void LoadMembership(qint32 lngMembershipID);
    // Fills the object from the window and marks it loaded; the key and the
    // visits stay.
    void UpdateMembership(qint32 lngStudentID, qint32 intDuration, qint32 intMemType,
                          const QDateTime &dateStart, const QString &strBarcode);
    // Writes the object: nothing when not loaded, a new row (0 visits) for key 0,
    // else the row of the key with the visits left as the table holds them. The
    // key and the visits are read back. A failure (also a row deleted meanwhile)
    // shows the "Oops!" saving box, writes nothing and gives false.
    bool SaveMembership();
};

namespace imodStudents {

// The membership types: the value is the position in the memberships window's list.
enum MembershipType : qint32 { MultiVisitPass = 0, TimeBased = 1, NeverExpires = 2 };

// "Multi-Visit Pass", "Time-Based", and "Never Expires" for any other value.
QString GetMembershipTypeText(qint32 memType);
// The three type texts in list order.
QStringList MembershipTypeTexts();

// One row of the record window's membership list, as its cells show it.
struct MembershipListRow
{
    qint32 membershipId = 0;
    QString type;
    QString started;    // "dd-mmm-yyyy"
    QString expires;    // Global::GetMembershipStatusText
    QString visitsUsed;
};
// The person's memberships in the order the database gives them. Failures reach
// the caller.
QList<MembershipListRow> LoadMembershipList(qint32 studentId);

// Deletes the membership; 0 or the engine's error number, no message.
int DeleteMembership(qint32 membershipId);

// The statement by which a visit change finds its row.
QString VisitsUsedStatement(qint32 membershipId);
// Adds the change to the membership's VisitsUsed (an empty count as 0), never
// below 0 and with no upper bound. False when no row has the key.
bool ChangeVisitsUsed(qint32 membershipId, qint32 change);

// The memberships window's expiry line for the type's text, the duration and the
// start date as typed: "After <n> visits", the start plus n days as a short date,
// "Never Expires"; "<Enter Duration>", "<Enter Start Date>" or "#Err" when it
// cannot be worked out.
QString MembershipExpiryText(const QString &typeText, const QString &duration,
                             const QString &startDate);

// The duration a save stores: 0 for "Never Expires", else the typed number as a
// whole number (halves to even); nothing for an empty, non-numeric or too large one.
std::optional<qint32> MembershipDuration(qint32 memType, const QString &typed);

} // namespace imodStudents
