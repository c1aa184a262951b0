#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// The user accounts: the boxes and groups the accounts window shows for the
// permission flags, and the reading and writing of Users rows. Every change is an
// update of the row itself, so that nothing of an account (its password least of
// all) reaches the statement log.
namespace useraccess {

// A permission flag that has a box, with its caption; `name` is the box's own
// name, or nullptr for an element of the chkField array (index flag + 4).
struct AccountFlagBox
{
    int flag;
    const char *caption;
    const char *name;
};
const QList<AccountFlagBox> &AccountFlagBoxes();

// A heading of the permission pages (lblField index), its page (1 to 3) and the
// flags its click ticks or clears, in the order shown.
struct AccountFlagGroup
{
    int label;
    const char *caption;
    int page;
    QList<int> flags;
};
const QList<AccountFlagGroup> &AccountFlagGroups();

// The flag shown on page (C) under no heading.
inline constexpr int DiscountsFlag = 72;

// The account that automatic sign-in uses, "i" in any case; it has no password.
bool IsDefaultAccount(const QString &userId);

inline const QString DefaultAccountWarning =
    QStringLiteral("This is the default account. Anybody will be able to login to this account "
                   "using Auto-Login. Be careful when assigning access rights.");
inline const QString EmployeeAccountWarning = QStringLiteral("This is an employee's account.");

// One entry of the accounts list: the caption is the Name, or the UserID when the
// name is empty.
struct AccountListEntry
{
    QString userId;
    QString caption;
};
// Every account, or only the one whose UserID is `filter`, in the order the data
// file gives them. Errors reach the caller.
QList<AccountListEntry> ReadAccountList(const QString &filter);

// An account's row as read: by column name.
struct AccountRow
{
    QString userId;
    QHash<QString, QVariant> values;
    QVariant value(const QString &column) const { return values.value(column); }
    // Whether the account has a password (a stored value that is not empty).
    bool hasPassword() const;
};
// The row of the UserID, nothing when there is none. Errors reach the caller.
std::optional<AccountRow> ReadAccount(const QString &userId);

// A flag of a row read: 1 ticks its box. A flag without a value cannot be shown
// and raises "Invalid use of Null" (94).
bool AccountFlag(const AccountRow &row, int flag);

// What the accounts window stores.
struct AccountEntry
{
    QString userId;
    QString name;
    // The new password as typed; nothing keeps the stored one.
    std::optional<QString> password;
    bool admin = false;
    QHash<int, bool> flags; // flag index -> ticked; flags absent keep their value
};

enum class SaveAccountResult {
    Saved,
    Exists,   // a new account whose UserID is taken (the data file's own comparison)
    Gone,     // an existing account whose row is no longer there
    Duplicate // the data file refused the new row as a duplicate
};
// Adds or updates the row; the password is stored as its hash (the default
// account's as the empty text). Other errors reach the caller.
SaveAccountResult SaveAccount(const AccountEntry &entry, bool isNew);

// Whether the account would be left without a password: a new account or a
// typed password that is empty, or an untouched one where none is stored.
bool WouldHaveNoPassword(const AccountEntry &entry, bool isNew, bool storedPassword);

// Whether a row has this UserID.
bool AccountExists(const QString &userId);
// Deletes the row of the UserID; false when there is none. Errors reach the caller.
bool DeleteAccount(const QString &userId);

// Replaces the password of the account whose list entry ("UserID - Name") is
// `entry`, when `current` matches its stored password.
enum class PasswordChangeResult { Changed, NotFound, WrongPassword };
PasswordChangeResult ChangeAccountPassword(const QString &entry, const QString &current,
                                           const QString &newPassword);
// The account entry of the password change: "UserID - Name".
QString PasswordChangeEntry(const QString &userId, const QString &name);

} // namespace useraccess
