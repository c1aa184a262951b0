#include "menus.h"

#include <QFile>
#include <QHash>

namespace shell {

namespace {

MenuItem menu(const QString &control, const QString &caption, bool visible = true)
{
    MenuItem m;
    m.control = control;
    m.caption = caption;
    m.visible = visible;
    return m;
}

MenuItem sep(const QString &parent, const QString &control, bool visible = true)
{
    MenuItem m;
    m.control = control;
    m.parent = parent;
    m.caption = QStringLiteral("-");
    m.separator = true;
    m.visible = visible;
    return m;
}

MenuItem action(const QString &parent, const QString &control, const QString &caption,
                MenuAction what, bool visible = true)
{
    MenuItem m;
    m.control = control;
    m.parent = parent;
    m.caption = caption;
    m.action = what;
    m.visible = visible;
    return m;
}

MenuStep show()
{
    return {MenuStep::Show, {}, {}};
}
MenuStep zorder()
{
    return {MenuStep::ZOrder, {}, {}};
}
MenuStep call(const QString &member, const QVariantList &args = {})
{
    return {MenuStep::Call, member, args};
}
MenuStep setText(const QString &control, const QString &text)
{
    return {MenuStep::SetText, control, {text}};
}

// An item that opens a window; with steps omitted the window is only shown.
MenuItem window(const QString &parent, const QString &control, const QString &caption,
                const QString &form, QList<MenuStep> steps = {show()})
{
    MenuItem m = action(parent, control, caption, MenuAction::OpenWindow);
    m.window = form;
    m.steps = std::move(steps);
    return m;
}

MenuItem byIndex(MenuItem m, int index, const QString &refusal)
{
    m.rightKind = RightKind::Index;
    m.rightIndex = index;
    m.refusal = refusal;
    return m;
}

MenuItem byName(MenuItem m, const QString &column, const QString &refusal)
{
    m.rightKind = RightKind::Name;
    m.rightName = column;
    m.refusal = refusal;
    return m;
}

MenuItem fresh(MenuItem m)
{
    m.fresh = true;
    return m;
}

MenuItem hidden(MenuItem m)
{
    m.visible = false;
    return m;
}

MenuItem disabled(MenuItem m)
{
    m.enabled = false;
    return m;
}

MenuItem whenRegistered(MenuItem m)
{
    m.shownWhenRegistered = true;
    return m;
}

QList<MenuItem> buildTree()
{
    const QString F = QStringLiteral("mnuFile"), S = QStringLiteral("mnuSrch"),
                  C = QStringLiteral("mnuClasses"), M = QStringLiteral("mnuMoney"),
                  R = QStringLiteral("mnuReports"), A = QStringLiteral("mnuAssess"),
                  P = QStringLiteral("mnuSettings"), U = QStringLiteral("mnuUtilities"),
                  I = QStringLiteral("mnuUtilitiesImportExport"), W = QStringLiteral("mnuWindow"),
                  H = QStringLiteral("mnuHelp");
    const QString user = CurrentUserIdArgument;
    return {
        menu(F, QStringLiteral("&File")),
        action(F, "mnuFileSwitchDataFiles", "Open Data File", MenuAction::OpenDataFile),
        sep(F, "mnuFileSep1", false),
        window(F, "mnuHelpSendDataFile", "Import from Support", "frmSQL"),
        action(F, "mnuSendFile", "Send File to Support", MenuAction::None, false),
        sep(F, "mnuSepSep7"),
        byIndex(action(F, "mnuFileWebBrowser", "Web Browser", MenuAction::WebBrowser), 34,
                "Web Browser"),
        sep(F, "mnuFileSep2"),
        action(F, "mnuFileLogoff", "Logoff", MenuAction::Logoff),
        action(F, "mnuFileExit", "Exit", MenuAction::Exit),

        menu(S, QStringLiteral("&Search")),
        byIndex(window(S, "mnuSearchStudent", "Students", "frmFindStudent",
                       {show(), call("LoadUp", {1, user}), zorder()}),
                33, "Search Students"),
        byIndex(window(S, "mnuSettingsInstructors", "Employees", "frmFindStudent",
                       {show(), call("LoadUp", {2, user}), zorder()}),
                6, "Instructors"),
        byIndex(window(S, "mnuSearchPromoteStudent", "Promote Student to Employee",
                       "frmPromoteStudent", {show(), zorder()}),
                7, "Promote Student"),
        byIndex(window(S, "mnuSearchFamily", "Families", "frmFindStudent",
                       {show(), call("LoadUp", {3, user}), zorder()}),
                12, "Search Families"),
        byIndex(
            window(S, "mnuSettingsCompanies", "Companies", "frmFindCompany", {show(), zorder()}),
            29, "Companies"),

        menu(C, QStringLiteral("&Classes")),
        byIndex(fresh(window(C, "mnuSettingsAddClass", "Add Class", "frmViewClass",
                             {setText("ViewClassMode", "Add"), show(), call("LoadOps", {0, false})})),
                1, "Add Class"),
        byIndex(window(C, "mnuClassesOOE", "One-Off Enrolments", "frmOOE"), 47,
                "One-Off Enrolments"),
        byName(window(C, "mnuClassesPreEnrol", "Pre-Enrolments", "frmPreEnrol"), "PreEnrolments",
               "PreEnrolments"),
        window(C, "mnuClassesSearch", "Show Class Search Screen", "Main", {zorder()}),

        menu(M, QStringLiteral("&Money")),
        window(M, "mnuMoneyReceiveMultiple", "Receive Payments", "frmPayments"),
        byIndex(window(M, "mnuMoneyReceipts", "Receipts Journal", "frmJournalReceipts"), 15,
                "Receipts Journal"),
        sep(M, "mnuMoneyDash1", false),
        action(M, "mnuMoneyClearAc", "Clear Accounts", MenuAction::None, false),
        hidden(
            byIndex(fresh(window(M, "mnuMoneyClearAccountsHistory", "Clear Accounts History",
                                 "frmReportOpt",
                                 {call("LoadReport", {"Clear Accounts History", true}), show()})),
                    16, "Clear Accounts History")),

        menu(R, QStringLiteral("&Reports")),
        byIndex(window(R, "mnuReportsReports", "Reports + Lists", "frmReports"), 17, "Reports"),
        byIndex(window(R, "mnuReportView", "Open Report Viewer", "frmReportViewer",
                       {show(), call("OpenMe")}),
                17, "Report Viewer"),
        sep(R, "mnuReportsDash1"),
        byIndex(window(R, "mnuUtilitiesTickSheets", "Create Tick Sheets", "frmTickExport"), 45,
                "Tick Sheets"),
        byIndex(
            fresh(window(R, "mnuReportsFamSchedule", "View/Print Family Schedule", "frmReportOpt",
                         {call("LoadReport", {"Family Schedule", false, true, false}), show()})),
            17, "Family Schedule"),
        sep(R, "mnuSepSep5"),
        byName(window(R, "mnuUtilitiesBusiness", "Business Overview", "frmBusiness"),
               "BusinessOverview", "Business Overview"),
        byIndex(window(R, "mnuUtilitiesTotals", "Daily Enrolment Breakdown", "frmNumberStats"), 18,
                "Number Stats"),
        sep(R, "mnuSepSep6"),
        byName(window(R, "mnuReportsPrintStatements", "Print Statements", "frmPrintStatements"),
               "PrintStatements", "Print Statements"),
        window(R, "mnuReportsMM", "Export and/or Mail Merge", "frmMailM"),

        menu(A, QStringLiteral("&Assessments")),
        action(A, "mnuAssessGen", "Prepare + Create Assessments", MenuAction::None, false),
        window(A, "mnuAssessClasses", "Assess Classes", "frmAssess"),
        byIndex(window(A, "mnuAssessFinalise", "Finalise + Cleanup", "frmAssessF"), 11,
                "Finalise Assessments"),
        sep(A, "mnuSepSep1"),
        window(A, "mnuUtilitiesCertificates", "Create Certificates", "frmCertificates"),

        menu(P, QStringLiteral("Setu&p")),
        window(P, "mnuFileChangePass", "Change Passwords", "frmChangePass"),
        sep(P, "mnuSetupSep1"),
        action(P, "mnuSettingsAdjustments", "Adjustments", MenuAction::None, false),
        byName(window(P, "mnuSetupActivities", "Activities", "frmActivities"), "Activities",
               "Activities"),
        byIndex(window(P, "mnuSettingsAwLevel", "Award Levels", "frmAwardLevels"), 23,
                "Award Levels"),
        byIndex(window(P, "mnuSettingsClassGroup", "Class Groups", "frmClassGroups"), 22,
                "Class Groups"),
        byName(window(P, "mnuSetupDays", "Days", "frmDays"), "Days", "Days"),
        byName(window(P, "mnuSetupDiscounts", "Discounts", "frmDiscounts"), "Discounts",
               "Discounts"),
        byName(window(P, "mnuSetupEvents", "Events", "frmEvents"), "Events", "Events"),
        byIndex(window(P, "mnuSettingsGLAccounts", "General Ledger Accounts", "frmAccounts"), 24,
                "GL Accounts"),
        byIndex(window(P, "mnuSettingsCentre", "Global Settings", "frmCentreInfo"), 19,
                "Centre Info"),
        byIndex(window(P, "mnuSettingsPoolAreas", "Locations", "frmPoolAreas"), 44, "Pool Areas"),
        byIndex(window(P, "mnuSettingsPaymentMethods", "Payment Methods", "frmPaymentMethods"), 30,
                "Payment Methods"),
        byIndex(window(P, "mnuSettingsPrograms", "Programs", "frmPrograms"), 21, "Programs"),
        byIndex(window(P, "mnuSettingsTaxCodes", "Tax Codes", "frmTaxCodes"), 25, "Tax Codes"),
        byIndex(window(P, "mnuSettingsUsers", "User Accounts", "frmUsers",
                       {show(), call("LoadUp", {false, false, QString()})}),
                20, "User Accounts"),
        sep(P, "mnuSetupSep2"),
        window(P, "mnuSetupWorkstationSettings", "Workstation Settings", "frmWorkstation"),

        menu(U, QStringLiteral("&Utilities")),
        byName(window(U, "mnuUtilitiesAttendance", "Attendance Book", "frmAttendanceBook"),
               "AttendanceBook", "Attendance Book"),
        window(U, "mnuUtilitiesSendEmail", "Send Email", "frmEmail"),
        byName(window(U, "mnuUtilitiesStudentQuickLaunch", "Student Quick Launch", "frmBarcode"),
               "QuickLaunch", "Quick Launch"),
        sep(U, "mnuSepSep4"),
        byIndex(window(U, "mnuUtilitiesDropouts", "Dropouts", "frmDropouts"), 35, "Dropouts"),
        byIndex(window(U, "mnuUtilitiesDuplicateNames", "Duplicate Names", "frmDuplicates"), 36,
                "Duplicates"),
        sep(U, "mnuSepSep3"),
        byName(window(U, "mnuUtilitiesCopyProgram", "Copy Program", "frmProgCopy"), "CopyProgram",
               "Copy Program"),
        byName(window(U, "mnuUtilitiesPassports", "Issue Passports", "frmPassports"),
               "IssuePassports", "Issue Passports"),
        byIndex(
            window(U, "mnuUtilitiesReassignInstructors", "Reassign Instructors", "frmReassignInst"),
            41, "Reassign Instructors"),
        sep(U, "mnuSepSep2"),
        byName(window(U, "mnuWaterTest", "Water Testing", "frmWaterTesting"), "WaterTestUtility",
               "Water Testing"),

        // Shown with the items whose windows are built; the others stay hidden.
        whenRegistered(menu(I, QStringLiteral("Import/Export"))),
        action(I, "mnuImportTaxCodes", "Import Tax Codes", MenuAction::None, false),
        action(I, "mnuImportAccounts", "Import Accounts", MenuAction::None, false),
        action(I, "mnuImportCashflowManager", "Import from Cashflow Manager", MenuAction::None,
               false),
        whenRegistered(byIndex(window(I, "mnuImportMYOB", "Import from MYOB", "frmImportMYOB"),
                               39, "Import from MYOB")),
        action(I, "mnuImportCompanies", "Import Company Details", MenuAction::None, false),
        whenRegistered(sep(I, "mnuImportDash1")),
        whenRegistered(byIndex(
            window(I, "mnuImportExportStudents", "Export Students", "frmExportStudents"), 40,
            "Export Students")),
        whenRegistered(byIndex(
            window(I, "mnuImportExportCompanies", "Export Companies", "frmExportCompanies"), 43,
            "Export Companies")),
        disabled(
            action(I, "mnuImportExportRenewals", "Export Renewals", MenuAction::DoNothing, false)),
        whenRegistered(
            window(I, "mnuImportExportAssess", "Export to Rozarazu", "frmExportAssessment")),

        menu(W, QStringLiteral("&Window")),

        menu(H, QStringLiteral("&Help")),
        action(H, "mnuHelpOVIXUserGuide", "Ovix User Guide", MenuAction::UserGuide),
        action(H, "mnuHelpReportBug", "Report a Bug", MenuAction::ReportBug),
        action(H, "mnuHelpRequestFeature", "Request a Feature", MenuAction::RequestFeature),
        action(H, "mnuHelpVisitOvixWebsite", "Visit Ovix Website", MenuAction::VisitWebsite),
        sep(H, "mnuHelpSep1"),
        window(H, "mnuHelpAbout", "About...", "frmAbout"),
    };
}

} // namespace

const QList<MenuItem> &MenuTree()
{
    static const QList<MenuItem> tree = buildTree();
    return tree;
}

const MenuItem *FindMenuItem(const QString &control)
{
    for (const MenuItem &m : MenuTree()) {
        if (m.control == control)
            return &m;
    }
    return nullptr;
}

QList<QPair<QString, QString>> DisplayCaptions(const QString &shortAppName,
                                               const QString &finaliseText)
{
    return {
        {"mnuFile", "&File"},
        {"mnuSearchStudent", "Students|#search"},
        {"mnuSettingsInstructors", "Employees|#search"},
        {"mnuSearchPromoteStudent", "Promote Student to Employee|#search"},
        {"mnuSearchFamily", "Families|#search"},
        {"mnuSettingsCompanies", "Companies|#search"},
        {"mnuFileSep1", "-"},
        {"mnuFileWebBrowser", "Web Browser|#globe"},
        {"mnuFileSep2", "-|#globe"},
        {"mnuFileLogoff", "Logoff|#user"},
        {"mnuFileSwitchDataFiles", "Open Data File|#fopen"},
        {"mnuFileExit", "Exit|#exit"},
        {"mnuClasses", "&Classes"},
        {"mnuSettingsAddClass", "Add Class|#fileplus"},
        {"mnuClassesOOE", "One Off Enrolments|#notetorn"},
        {"mnuClassesSearch", "Show Class Search Screen"},
        {"mnuMoney", "&Money"},
        {"mnuMoneyReceiveMultiple", "Receive Payments|#currency"},
        {"mnuMoneyReceipts", "Receipts Journal"},
        {"mnuMoneyDash1", "-"},
        {"mnuMoneyClearAc", "Clear Accounts|#moneybag"},
        {"mnuMoneyClearAccountsHistory", "Clear Accounts History"},
        {"mnuReports", "&Reports"},
        {"mnuReportsReports", "Reports + Lists|#report"},
        {"mnuReportView", "Open Report Viewer"},
        {"mnuReportsDash1", "-"},
        {"mnuReportsMM", "Export for Mail Merge...|#mmerge"},
        {"mnuAssess", "&Assessments"},
        {"mnuAssessGen", "Prepare + Create Assessments"},
        {"mnuAssessClasses", "Assess Classes|#thumbsup"},
        {"mnuAssessFinalise", finaliseText + QStringLiteral(" + Cleanup")},
        {"mnuSettings", "&Setup"},
        {"mnuFileChangePass", "Change Passwords|#rename"},
        {"mnuSetupSep1", "-"},
        {"mnuSettingsAdjustments", "Adjustments"},
        {"mnuSetupActivities", "Activities"},
        {"mnuSettingsAwLevel", "Award Levels"},
        {"mnuSettingsClassGroup", "Class Groups"},
        {"mnuSetupDays", "Days"},
        {"mnuSettingsGLAccounts", "General Ledger Accounts"},
        {"mnuSettingsCentre", "Global Settings|#settings"},
        {"mnuSettingsPaymentMethods", "Payment Methods"},
        {"mnuSettingsPoolAreas", "Locations"},
        {"mnuSettingsPrograms", "Programs"},
        {"mnuSettingsTaxCodes", "Tax Codes"},
        {"mnuSettingsUsers", "User Accounts|#users"},
        {"mnuSetupSep2", "-"},
        {"mnuSetupWorkstationSettings", "Workstation Settings"},
        {"mnuUtilities", "&Utilities"},
        {"mnuUtilitiesAttendance", "Attendance Book"},
        {"mnuUtilitiesBusiness", "Business Overview"},
        {"mnuUtilitiesCertificates", "Create Certificates"},
        {"mnuUtilitiesCopyProgram", "Copy Program"},
        {"mnuUtilitiesDropouts", "Dropouts"},
        {"mnuUtilitiesDuplicateNames", "Duplicate Names"},
        {"mnuUtilitiesReassignInstructors", "Reassign Instructors"},
        {"mnuUtilitiesStudentQuickLaunch", "Student Quick Launch|#inputdd"},
        {"mnuUtilitiesTickSheets", "Create Tick Sheets"},
        {"mnuUtilitiesTotals", "Daily Enrolment Breakdown"},
        {"mnuWaterTest", "Water Testing Records|#writingpad"},
        {"mnuUtilitiesImportExport", "Import/Export"},
        {"mnuImportCashflowManager", "Import from Cashflow Manager"},
        {"mnuImportMYOB", "Import from MYOB"},
        {"mnuImportCompanies", "Import Company Details"},
        {"mnuImportExportStudents", "Export Students"},
        {"mnuImportExportCompanies", "Export Companies"},
        {"mnuImportExportRenewals", "Export Renewals"},
        {"mnuWindow", "&Window"},
        {"mnuHelp", "&Help"},
        {"mnuHelpOVIXUserGuide", shortAppName + QStringLiteral(" User Guide|#help1")},
        {"mnuHelpVisitOvixWebsite",
         QStringLiteral("Visit ") + shortAppName + QStringLiteral(" Website")},
        {"mnuHelpReportBug", "Report a Bug"},
        {"mnuHelpSendDataFile", "Import File from Support"},
        {"mnuHelpSep1", "-"},
        {"mnuHelpAbout", "About...|#info2"},
    };
}

DisplayCaptionParts SplitDisplayCaption(const QString &caption)
{
    DisplayCaptionParts parts;
    const int at = caption.indexOf(QStringLiteral("|#"));
    parts.text = at < 0 ? caption : caption.left(at);
    if (at >= 0)
        parts.iconKey = caption.mid(at + 2);
    parts.separator = parts.text == QStringLiteral("-");
    return parts;
}

const QStringList &MenuIconKeys()
{
    static const QStringList keys = {
        "wizard",   "user",     "report",     "repeat",   "options2",   "edit",       "options",
        "printer",  "rename",   "thumbsup",   "tick",     "cabinet",    "favourites", "help1",
        "help2",    "moneybag", "users",      "currency", "writingpad", "execute",    "exit",
        "fileplus", "info",     "infobubble", "info2",    "insertpic",  "globe",      "save",
        "search",   "settings", "notetorn",   "mmerge",   "inputdd",    "fopen"};
    return keys;
}

QIcon MenuIcon(const QString &key)
{
    static QHash<QString, QIcon> cache;
    if (!MenuIconKeys().contains(key))
        return {};
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QString path = QStringLiteral(":/shell/icons/") + key + QStringLiteral(".png");
        it = cache.insert(key, QFile::exists(path) ? QIcon(path) : QIcon());
    }
    return *it;
}

} // namespace shell
