// The menu tree as data, the display captions and their pictures, and the two
// permission checks behind the menus.
#include "mainwin_fixture.h"

#include "core/globaldata.h"
#include "core/structure.h"
#include "platform/ui/msgbox.h"
#include "shell/menus.h"
#include "shell/userrights.h"

#include <QSet>

using shell::FindMenuItem;
using shell::MenuTree;
using shell::RightKind;

TEST(MainWindowMenus, BarShowsTheMenusInOrderAndImportExportOnlyWithItsWindows)
{
    QStringList shown;
    for (const shell::MenuItem &m : MenuTree()) {
        if (m.isMenu() && m.visible && !m.shownWhenRegistered)
            shown << m.caption;
    }
    EXPECT_EQ(shown, QStringList({"&File", "&Search", "&Classes", "&Money", "&Reports",
                                  "&Assessments", "Setu&p", "&Utilities", "&Window", "&Help"}));
    EXPECT_TRUE(FindMenuItem("mnuUtilitiesImportExport")->shownWhenRegistered);
    for (const char *hidden : {"mnuSendFile", "mnuMoneyClearAc", "mnuMoneyClearAccountsHistory",
                               "mnuAssessGen", "mnuSettingsAdjustments", "mnuImportExportRenewals",
                               "mnuImportTaxCodes", "mnuImportAccounts",
                               "mnuImportCashflowManager", "mnuImportCompanies"}) {
        const shell::MenuItem *m = FindMenuItem(hidden);
        ASSERT_NE(m, nullptr) << hidden;
        EXPECT_FALSE(m->visible) << hidden;
    }
    EXPECT_FALSE(FindMenuItem("mnuImportExportRenewals")->enabled);
    const shell::MenuItem *assess = FindMenuItem("mnuImportExportAssess");
    EXPECT_TRUE(assess->shownWhenRegistered);
    EXPECT_TRUE(assess->enabled);
    EXPECT_EQ(assess->rightKind, RightKind::None);
    EXPECT_EQ(assess->window, QStringLiteral("frmExportAssessment"));
}

// Every control name is unique and every item belongs to a menu of the bar.
TEST(MainWindowMenus, ControlNamesAreUniqueAndItemsHaveTheirMenu)
{
    QSet<QString> names;
    QSet<QString> menus;
    for (const shell::MenuItem &m : MenuTree()) {
        EXPECT_FALSE(names.contains(m.control)) << qPrintable(m.control);
        names.insert(m.control);
        if (m.isMenu()) {
            menus.insert(m.control);
        } else {
            EXPECT_TRUE(menus.contains(m.parent)) << qPrintable(m.control);
        }
    }
}

// The rights and refusal texts are a protocol with the authorisation window: a
// right by index must name the Users column the table gives, and a right by name
// must be one of the permission columns.
TEST(MainWindowMenus, RightsNameTheirUsersColumns)
{
    struct Case
    {
        const char *control;
        int index;
        const char *column;
        const char *refusal;
    };
    const Case cases[] = {
        {"mnuFileWebBrowser", 34, "WebBrowser", "Web Browser"},
        {"mnuSearchStudent", 33, "ViewStudents", "Search Students"},
        {"mnuSettingsInstructors", 6, "ViewEmployees", "Instructors"},
        {"mnuSearchPromoteStudent", 7, "AddEditEmployees", "Promote Student"},
        {"mnuSearchFamily", 12, "WaterTesting", "Search Families"},
        {"mnuClassesOOE", 47, "ViewOOE", "One-Off Enrolments"},
        {"mnuReportView", 17, "Reports", "Report Viewer"},
        {"mnuUtilitiesTotals", 18, "Numbers", "Number Stats"},
        {"mnuSettingsCentre", 19, "CentreInfo", "Centre Info"},
        {"mnuSettingsPoolAreas", 44, "PoolArea", "Pool Areas"},
        {"mnuSettingsPaymentMethods", 30, "BankLink", "Payment Methods"},
        {"mnuImportExportCompanies", 43, "ExportCompanies", "Export Companies"},
    };
    const QStringList &columns = imodStructure::UserPermissionColumns();
    for (const Case &c : cases) {
        const shell::MenuItem *m = FindMenuItem(c.control);
        ASSERT_NE(m, nullptr) << c.control;
        EXPECT_EQ(m->rightKind, RightKind::Index) << c.control;
        EXPECT_EQ(m->rightIndex, c.index) << c.control;
        EXPECT_EQ(columns.value(m->rightIndex), QString::fromLatin1(c.column)) << c.control;
        EXPECT_EQ(m->refusal, QString::fromLatin1(c.refusal)) << c.control;
    }
    int byName = 0;
    for (const shell::MenuItem &m : MenuTree()) {
        if (m.rightKind == RightKind::Name) {
            ++byName;
            EXPECT_GE(Global::PermissionIndex(m.rightName), 0) << qPrintable(m.control);
        }
        if (m.rightKind != RightKind::None) {
            EXPECT_FALSE(m.refusal.isEmpty()) << qPrintable(m.control);
        }
    }
    EXPECT_EQ(byName, 12);
    EXPECT_EQ(FindMenuItem("mnuClassesPreEnrol")->refusal, QStringLiteral("PreEnrolments"));
    EXPECT_EQ(FindMenuItem("mnuClassesSearch")->rightKind, RightKind::None);
}

// Every display caption names an item of the tree, and every picture key one of the
// 34 pictures built into the program.
TEST(MainWindowMenus, DisplayCaptionsNameRealItemsAndPictures)
{
    const auto captions =
        shell::DisplayCaptions(QStringLiteral("Ovix"), QStringLiteral("Finalise"));
    EXPECT_EQ(captions.size(), 75);
    QSet<QString> keys;
    for (const auto &[control, caption] : captions) {
        EXPECT_NE(FindMenuItem(control), nullptr) << qPrintable(control);
        const shell::DisplayCaptionParts parts = shell::SplitDisplayCaption(caption);
        if (parts.iconKey.isEmpty())
            continue;
        keys.insert(parts.iconKey);
        EXPECT_TRUE(shell::MenuIconKeys().contains(parts.iconKey)) << qPrintable(caption);
    }
    EXPECT_EQ(keys.size(), 19);
    EXPECT_EQ(shell::MenuIconKeys().size(), 34);
    for (const QString &key : shell::MenuIconKeys()) {
        const QIcon icon = shell::MenuIcon(key);
        ASSERT_FALSE(icon.isNull()) << qPrintable(key);
        EXPECT_EQ(icon.availableSizes().value(0), QSize(16, 16)) << qPrintable(key);
    }
    EXPECT_TRUE(shell::MenuIcon(QStringLiteral("nosuchkey")).isNull());
}

TEST(MainWindowMenus, SplitsDisplayCaptions)
{
    struct Case
    {
        const char *caption;
        const char *text;
        const char *key;
        bool separator;
    };
    const Case cases[] = {
        {"Students|#search", "Students", "search", false},
        {"Receipts Journal", "Receipts Journal", "", false},
        {"-", "-", "", true},
        {"-|#globe", "-", "globe", true},
        {"Ovix User Guide|#help1", "Ovix User Guide", "help1", false},
    };
    for (const Case &c : cases) {
        const auto parts = shell::SplitDisplayCaption(QString::fromLatin1(c.caption));
        EXPECT_EQ(parts.text, QString::fromLatin1(c.text)) << c.caption;
        EXPECT_EQ(parts.iconKey, QString::fromLatin1(c.key)) << c.caption;
        EXPECT_EQ(parts.separator, c.separator) << c.caption;
    }
}

// A right by index is read from memory, as loaded at sign-in; a right by column name
// is read from the data file at every check.
TEST_F(MainWindowTest, IndexRightsWaitForSignInNameRightsApplyAtOnce)
{
    EXPECT_EQ(Global::CheckCurrentUserPermission(21), 1);
    EXPECT_EQ(Global::CheckPermissionByName(QStringLiteral("i"), QStringLiteral("Days"), true), 1);

    exec(QStringLiteral("UPDATE Users SET Programs = 0, Days = 0 WHERE UserID = 'i'"));
    EXPECT_EQ(Global::CheckCurrentUserPermission(21), 1);
    EXPECT_EQ(Global::CheckPermissionByName(QStringLiteral("I"), QStringLiteral("days"), true), 0);
    Global::LoadCurrentUserRights();
    EXPECT_EQ(Global::CheckCurrentUserPermission(21), 0);
    EXPECT_TRUE(script->shown().isEmpty());
}

// Only the 73 permission columns reach the statement; anything else is refused,
// with the "Access Denied" box unless silent. Unknown users and indexes refuse too.
TEST_F(MainWindowTest, PermissionChecksRefuseWhatTheyCannotRead)
{
    const char *const refused[] = {"Password", "Days] FROM Users; --", "NoSuchRight", ""};
    for (const char *column : refused)
        EXPECT_EQ(
            Global::CheckPermissionByName(QStringLiteral("i"), QString::fromLatin1(column), true),
            0)
            << column;
    EXPECT_EQ(Global::CheckPermissionByName(QStringLiteral("nobody"), QStringLiteral("Days"), true),
              0);
    EXPECT_EQ(
        Global::CheckPermissionByName(QStringLiteral("o'brien"), QStringLiteral("Days"), true), 0);
    EXPECT_TRUE(script->shown().isEmpty());

    script->answer(ui::vbOK);
    EXPECT_EQ(Global::CheckPermissionByName(QStringLiteral("i"), QStringLiteral("Password"), false),
              0);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Access Denied"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("You do not have permission to access this feature."));
    EXPECT_EQ(script->shown()[0].icon, ui::vbCritical);

    EXPECT_EQ(Global::CheckCurrentUserPermission(-1), 0);
    EXPECT_EQ(Global::CheckCurrentUserPermission(73), 0);
    Global::CurrentUserId = QStringLiteral("nobody");
    EXPECT_EQ(Global::CheckCurrentUserPermission(21), 0);
}
