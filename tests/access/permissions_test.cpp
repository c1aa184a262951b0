#include "accessfixture.h"

#include "platform/ui/dialogs.h"

#include "access/permissions.h"
#include "core/globaldata.h"

#include <stdexcept>

using Global::CheckPermission;
using Global::CheckPermissionByName;

namespace {

const QString accessDenied = QStringLiteral("Access Denied");

} // namespace

TEST_F(AccessTest, PermissionNamesFollowTheUsersColumns)
{
    const QStringList &names = Global::PermissionNames();
    ASSERT_EQ(names.size(), 73);
    EXPECT_EQ(names.first(), "EditClasses");
    EXPECT_EQ(names.at(20), "UserAccounts");
    EXPECT_EQ(names.last(), "Discounts");
    EXPECT_EQ(Global::PermissionIndex(QStringLiteral("reports")), 17);
    EXPECT_EQ(Global::PermissionIndex(QStringLiteral("Password")), -1);

    Global::UserPermissions rights;
    EXPECT_EQ(rights.Count(), 73);
    EXPECT_EQ(rights.GetFieldIdForKey(QStringLiteral("EditClasses")), 0);
    EXPECT_EQ(rights.GetFieldIdForKey(QStringLiteral("editclasses")), -1);
    EXPECT_EQ(rights.GetFieldKeyForId(73), QString());
    EXPECT_EQ(rights.GetFieldKeyForId(-1), QString());
    EXPECT_EQ(rights.GetFieldKeyForId(72), "Discounts");
}

// Flags are read into memory at load and kept: later changes in the data file
// reach them only at the next load.
TEST_F(AccessTest, UserPermissionsHoldTheFlagsAsLoaded)
{
    Global::UserPermissions rights;
    rights.LoadPermissionsFromDb(QStringLiteral("ann"));
    EXPECT_EQ(rights.Permissions(0), 1);
    EXPECT_EQ(rights.Permissions(17), 2);
    EXPECT_EQ(rights.Permissions(20), 0);
    EXPECT_EQ(rights.Permissions(72), 1);
    EXPECT_EQ(rights.Permissions(QStringLiteral("Discounts")), 1);
    EXPECT_EQ(rights.Permissions(73), 0);
    EXPECT_EQ(rights.Permissions(-1), 0);

    exec(QStringLiteral("UPDATE Users SET EditClasses = 0 WHERE UserID = 'ANN'"));
    EXPECT_EQ(rights.Permissions(0), 1);
    rights.LoadPermissionsFromDb(QStringLiteral("ANN"));
    EXPECT_EQ(rights.Permissions(0), 0);

    EXPECT_THROW(rights.LoadPermissionsFromDb(QStringLiteral("nobody")), std::exception);
    EXPECT_EQ(rights.Permissions(0), 0);
    EXPECT_EQ(rights.Count(), 73);
}

// The database checks see the stored value at every call, for any user, and
// report 0 for every failure.
TEST_F(AccessTest, DatabaseChecksByIndexAndByName)
{
    struct Case
    {
        const char *user;
        int index;
        const char *column;
        int expected;
    } cases[] = {
        {"ANN", 0, "EditClasses", 1}, {"ann", 0, "editclasses", 1},
        {"ANN", 17, "Reports", 2},    {"ANN", 20, "UserAccounts", 0},
        {"ANN", 72, "Discounts", 1},  {"nobody", 0, "EditClasses", 0},
        {"i", 19, "CentreInfo", 1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CheckPermission(QString::fromLatin1(c.user), c.index, true), c.expected)
            << c.user << " " << c.index;
        EXPECT_EQ(
            CheckPermissionByName(QString::fromLatin1(c.user), QString::fromLatin1(c.column), true),
            c.expected)
            << c.user << " " << c.column;
    }
    exec(QStringLiteral("UPDATE Users SET Reports = Null WHERE UserID = 'ANN'"));
    EXPECT_EQ(CheckPermission(QStringLiteral("ANN"), 17, true), 0);
    EXPECT_EQ(CheckPermissionByName(QStringLiteral("ANN"), QStringLiteral("Reports"), true), 0);
    EXPECT_EQ(CheckPermission(QStringLiteral("ANN"), 73, true), 0);
    EXPECT_TRUE(script->shown().isEmpty());
}

// A name that is not a permission column never reaches the statement, however it
// is spelt; a user ID with quotes in it is quoted, not pasted.
TEST_F(AccessTest, CheckByNameRefusesForeignColumnsAndQuotesTheUser)
{
    for (const char *column : {"Password", "Admin", "Reports FROM Users; DROP TABLE Users; --",
                               "1 OR 1=1", "Reprots", ""}) {
        EXPECT_EQ(CheckPermissionByName(QStringLiteral("ANN"), QString::fromLatin1(column), true),
                  0)
            << column;
    }
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM Users")).toInt(), 2);

    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Reports) VALUES "
                        "('O''BRIEN', 'Pat', 1)"));
    EXPECT_EQ(CheckPermissionByName(QStringLiteral("o'brien"), QStringLiteral("Reports"), true), 1);
    EXPECT_EQ(CheckPermission(QStringLiteral("o\"brien"), 17, true), 0);
    EXPECT_EQ(Global::GetNameForUserID(QStringLiteral("o'Brien")), "Pat");
    EXPECT_EQ(Global::GetNameForUserID(QStringLiteral("ann")), "Ann Lee");
    EXPECT_EQ(Global::GetNameForUserID(QStringLiteral("nobody")), QString());
}

TEST_F(AccessTest, RefusalShowsAccessDeniedUnlessSilent)
{
    script->answer(ui::vbOK).answer(ui::vbOK);
    EXPECT_EQ(CheckPermission(QStringLiteral("ANN"), 20, false), 0);
    EXPECT_EQ(CheckPermissionByName(QStringLiteral("ANN"), QStringLiteral("Nonsense"), false), 0);
    EXPECT_EQ(CheckPermissionByName(QStringLiteral("ANN"), QStringLiteral("Reports"), false), 2);
    ASSERT_EQ(script->shown().size(), 2);
    for (const auto &box : script->shown()) {
        EXPECT_EQ(box.title, accessDenied);
        EXPECT_EQ(box.text, "You do not have permission to access this feature.");
        EXPECT_EQ(box.icon, ui::vbCritical);
    }
}
