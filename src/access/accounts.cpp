#include "accounts.h"

#include "access/permissions.h"
#include "core/globaldata.h"
#include "core/passwords.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/error.h"

namespace useraccess {

namespace {

jet::Recordset open(const QString &sql)
{
    return jet::Recordset(Global::DbConnection(), Global::AdaptSql(sql));
}

QString whereUserId(const QString &userId)
{
    return QStringLiteral(" WHERE UserID = ") + Global::SqlText(userId) + QStringLiteral(";");
}

} // namespace

const QList<AccountFlagBox> &AccountFlagBoxes()
{
    static const QList<AccountFlagBox> all = {
        {0, "Edit Classes", nullptr},
        {1, "Add New Classes", nullptr},
        {2, "Delete Classes", nullptr},
        {3, "Edit Students", nullptr},
        {4, "Add New Students", nullptr},
        {5, "Delete Students", nullptr},
        {6, "View Employees", nullptr},
        {7, "Add/Edit Employees", nullptr},
        {8, "Demote Employees", nullptr},
        {9, "Assess Own Classes", nullptr},
        {10, "Create Certificates", nullptr},
        {11, "Finalise + Cleanup", nullptr},
        {12, "View Families", nullptr},
        {13, "Add/Edit Families", nullptr},
        {14, "Receive Payments", nullptr},
        {15, "Receipts Journal", nullptr},
        {17, "Reports Centre", nullptr},
        {18, "Daily Enrolment Breakdown", nullptr},
        {19, "Global Settings", nullptr},
        {20, "User Accounts", nullptr},
        {21, "Programs", nullptr},
        {22, "Class Groups", nullptr},
        {23, "Award Levels", nullptr},
        {24, "General Ledger Accounts", nullptr},
        {25, "Tax Codes", nullptr},
        {26, "Delete Payments", nullptr},
        {27, "Overfill Classes", nullptr},
        {28, "Delete Bookings", nullptr},
        {29, "View Companies", nullptr},
        {30, "Payment Methods", nullptr},
        {31, "Add/Edit Companies", nullptr},
        {32, "Delete Companies", nullptr},
        {33, "View Students", nullptr},
        {34, "Web Browser", nullptr},
        {35, "Dropouts", nullptr},
        {36, "Duplicate Names", nullptr},
        {41, "Reassign Instructors", nullptr},
        {44, "Locations", nullptr},
        {45, "Create Tick Sheets", nullptr},
        {46, "Delete Families", nullptr},
        {47, "View One-Off Enrolments", nullptr},
        {48, "Add/Edit One-Off Enrolments", nullptr},
        {49, "Delete One-Off Enrolments", nullptr},
        {50, "Assess All Classes", nullptr},
        {51, "Move Booking", "chkMoveBooking"},
        {52, "Cancel Booking", "chkCancelBooking"},
        {53, "New Booking", "chkNewBooking"},
        {55, "Business Overview", "chkBusinessOverview"},
        {56, "Pre-Enrolments", "chkPreEnrolments"},
        {57, "Print Statements", "chkStatements"},
        {58, "Record No Show", "chkNoShow"},
        {59, "Activities", "chkActivities"},
        {60, "Attendance Book", "chkAttendanceBook"},
        {61, "Edit Notes", "chkClassNotes"},
        {62, "Copy Program", "chkCopyProgram"},
        {63, "Days", "chkDays"},
        {64, "Cancel Catch Up", "chkDelCU"},
        {65, "New Catch Up", "chkNewCU"},
        {66, "Remove from Wait List", "chkDelWL"},
        {67, "New Wait List Booking", "chkNewWL"},
        {68, "Student Quick Launch", "chkQuickLaunch"},
        {69, "Water Testing", "chkWaterTest"},
        {70, "Events", "chkEvents"},
        {71, "Issue Passports", "chkIssuePassports"},
        {72, "Discounts", "chkDiscounts"},
    };
    return all;
}

const QList<AccountFlagGroup> &AccountFlagGroups()
{
    static const QList<AccountFlagGroup> all = {
        {3, "Classes", 1, {0, 1, 2, 61}},
        {4, "Students", 1, {3, 4, 5, 33}},
        {5, "Employees", 1, {6, 7, 8}},
        {7, "Families", 1, {12, 13, 46}},
        {9, "Money Centre", 1, {14, 15, 26}},
        {12, "Companies", 1, {29, 31, 32}},
        {14, "Bookings", 1, {53, 51, 52, 58, 27, 28, 67, 66, 65, 64, 56}},
        {2, "One-Off Enrolments", 2, {47, 48, 49}},
        {6, "Assessments", 2, {9, 10, 11, 50}},
        {13, "The Internet", 2, {34}},
        {15, "Reports", 2, {17, 18, 45, 55, 57}},
        {10, "Utilities", 3, {60, 68, 35, 36, 62, 71, 41, 69}},
        {11, "Setup", 3, {59, 63, 70, 19, 20, 21, 22, 23, 24, 25, 30, 44}},
    };
    return all;
}

bool IsDefaultAccount(const QString &userId)
{
    return userId.toLower() == QStringLiteral("i");
}

QList<AccountListEntry> ReadAccountList(const QString &filter)
{
    QString sql = QStringLiteral("SELECT UserID, Users.Name FROM Users");
    if (!filter.isEmpty())
        sql += QStringLiteral(" WHERE UserID = ") + Global::SqlText(filter);
    jet::Recordset rs = open(sql + QStringLiteral(";"));
    QList<AccountListEntry> entries;
    for (; !rs.eof(); rs.moveNext()) {
        const QString id = rs.value(0).toString();
        const QString name = rs.value(1).toString();
        entries.append({id, name.isEmpty() ? id : name});
    }
    return entries;
}

bool AccountRow::hasPassword() const
{
    return !value(QStringLiteral("Password")).toString().isEmpty();
}

std::optional<AccountRow> ReadAccount(const QString &userId)
{
    jet::Recordset rs = open(QStringLiteral("SELECT * FROM Users") + whereUserId(userId));
    if (rs.eof())
        return std::nullopt;
    AccountRow row;
    row.userId = rs.value(0).toString();
    for (int i = 0; i < rs.fieldCount(); ++i)
        row.values.insert(rs.fieldName(i), rs.value(i));
    return row;
}

bool AccountFlag(const AccountRow &row, int flag)
{
    const QVariant v = row.value(Global::PermissionNames().at(flag));
    if (v.isNull())
        throw vb::Error(94);
    return v.toInt() == 1;
}

bool WouldHaveNoPassword(const AccountEntry &entry, bool isNew, bool storedPassword)
{
    if (entry.password)
        return entry.password->isEmpty();
    return isNew || !storedPassword;
}

bool AccountExists(const QString &userId)
{
    return !open(QStringLiteral("SELECT UserID FROM Users") + whereUserId(userId)).eof();
}

SaveAccountResult SaveAccount(const AccountEntry &entry, bool isNew)
{
    if (isNew && AccountExists(entry.userId))
        return SaveAccountResult::Exists;
    jet::Recordset rs = open(QStringLiteral("SELECT Users.* FROM Users") + whereUserId(entry.userId));
    if (isNew) {
        rs.addNew();
        rs.setValue(0, entry.userId);
    } else if (rs.eof()) {
        return SaveAccountResult::Gone;
    }
    try {
        rs.setValue(QStringLiteral("Name"), entry.name);
        if (IsDefaultAccount(entry.userId))
            rs.setValue(QStringLiteral("Password"), QString());
        else if (entry.password)
            rs.setValue(QStringLiteral("Password"), Global::HashPassword(*entry.password));
        rs.setValue(QStringLiteral("Admin"), entry.admin ? 1 : 0);
        for (auto it = entry.flags.cbegin(); it != entry.flags.cend(); ++it)
            rs.setValue(Global::PermissionNames().at(it.key()), it.value() ? 1 : 0);
        rs.update();
    } catch (const std::exception &) {
        if (rs.editMode() != jet::EditMode::None)
            rs.cancelUpdate();
        if (isNew && AccountExists(entry.userId))
            return SaveAccountResult::Duplicate;
        throw;
    }
    return SaveAccountResult::Saved;
}

bool DeleteAccount(const QString &userId)
{
    jet::Recordset rs = open(QStringLiteral("SELECT UserID FROM Users") + whereUserId(userId));
    if (rs.eof())
        return false;
    rs.deleteRecord();
    return true;
}

QString PasswordChangeEntry(const QString &userId, const QString &name)
{
    return userId + QStringLiteral(" - ") + name;
}

PasswordChangeResult ChangeAccountPassword(const QString &entry, const QString &current,
                                           const QString &newPassword)
{
    jet::Recordset rs = open(QStringLiteral("SELECT Users.* FROM Users;"));
    for (; !rs.eof(); rs.moveNext()) {
        if (PasswordChangeEntry(rs.value(0).toString(), rs.value(1).toString()) != entry)
            continue;
        const QVariant stored = rs.value(2);
        // A password never set is never matched here.
        if (stored.isNull() || !Global::PasswordMatches(stored, current))
            return PasswordChangeResult::WrongPassword;
        rs.setValue(2, Global::HashPassword(newPassword));
        rs.update();
        return PasswordChangeResult::Changed;
    }
    return PasswordChangeResult::NotFound;
}

} // namespace useraccess
