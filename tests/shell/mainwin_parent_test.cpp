// The main window: loading, its menus and their permission gates, the in-use mark
// and the four ways out.
#include "mainwin_fixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/msgbox.h"
#include "shell/frmabout.h"
#include "shell/frmbrowser.h"
#include "shell/frmparent.h"
#include "shell/menus.h"
#include "shell/startupservices.h"
#include "shell/userrights.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

using ui::Forms;

namespace {

int loadedCount(const QString &name)
{
    int n = 0;
    for (ui::Form *f : Forms::all())
        n += f->name() == name ? 1 : 0;
    return n;
}

} // namespace

// After sign-in the main window carries the application's name, the run-time
// captions with their pictures, and greys out the items whose windows are not built.
TEST_F(MainWindowTest, LoadsWithCaptionsPicturesAndGreysOutUnbuiltWindows)
{
    frmParent *main = showMain();
    EXPECT_EQ(main->caption(), QStringLiteral("Ovixian"));
    EXPECT_TRUE(modMenuXP::XPMenusInstalled);
    EXPECT_EQ(ui::MdiHost::area(), main->mdiArea());

    struct Case
    {
        const char *control;
        const char *text;
        bool picture;
    };
    const Case cases[] = {
        {"mnuSearchStudent", "Students", true},
        {"mnuSettingsInstructors", "Employees", true},
        {"mnuSearchFamily", "Families", true},
        {"mnuSettingsCompanies", "Companies", true},
        {"mnuFileWebBrowser", "Web Browser", true},
        {"mnuFileLogoff", "Logoff", true},
        {"mnuFileSwitchDataFiles", "Open Data File", true},
        {"mnuFileExit", "Exit", true},
        {"mnuHelpOVIXUserGuide", "Ovix User Guide", true},
        {"mnuHelpVisitOvixWebsite", "Visit Ovix Website", false},
        {"mnuHelpSendDataFile", "Import File from Support", false},
        {"mnuClassesPreEnrol", "Pre-Enrolments", false},
        {"mnuReportsPrintStatements", "Print Statements", false},
        {"mnuHelpRequestFeature", "Request a Feature", false},
        {"mnuAssessFinalise", "Finalise + Cleanup", false},
        {"mnuHelpAbout", "About...", true},
    };
    for (const Case &c : cases) {
        QAction *a = main->menuAction(QString::fromLatin1(c.control));
        ASSERT_NE(a, nullptr) << c.control;
        EXPECT_EQ(a->text(), QString::fromLatin1(c.text)) << c.control;
        EXPECT_EQ(!a->icon().isNull(), c.picture) << c.control;
    }
    EXPECT_EQ(main->menu(QStringLiteral("mnuSettings"))->title(), QStringLiteral("&Setup"));
    EXPECT_FALSE(main->menuAction(QStringLiteral("mnuUtilitiesImportExport"))->isVisible());

    // Windows of later subsystems are not built: their items are greyed out until
    // their windows are registered.
    EXPECT_FALSE(main->menuAction(QStringLiteral("mnuSettingsPrograms"))->isEnabled());
    EXPECT_FALSE(main->menuAction(QStringLiteral("mnuSearchStudent"))->isEnabled());
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuHelpAbout"))->isEnabled());
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuReportView"))->isEnabled());
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuFileExit"))->isEnabled());
    registerFake(QStringLiteral("frmPrograms"));
    main->UpdateMenuStates();
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuSettingsPrograms"))->isEnabled());

    // The Window menu lists the open working windows.
    main->menuAction(QStringLiteral("mnuHelpAbout"))->trigger();
    QMenu *windows = main->menu(QStringLiteral("mnuWindow"));
    emit windows->aboutToShow();
    ASSERT_EQ(windows->actions().size(), 1);
    EXPECT_EQ(windows->actions()[0]->text(), QStringLiteral("About Ovixian"));
    EXPECT_TRUE(script->shown().isEmpty());
}

// The screenshots: the main window with each of its menus open, as it looks once
// every window is built.
TEST_F(MainWindowTest, ScreenshotWithMenuOpen)
{
    for (const shell::MenuItem &item : shell::MenuTree()) {
        if (!item.window.isEmpty() && !shell::IsWindowRegistered(item.window))
            registerFake(item.window);
    }
    frmParent *main = showMain();
    main->resize(900, 560);
    ui::Forms::shared<frmAbout>()->showForm();
    for (const char *name : {"mnuFile", "mnuSrch", "mnuClasses", "mnuMoney", "mnuReports",
                             "mnuAssess", "mnuSettings", "mnuUtilities", "mnuHelp"}) {
        QMenu *menu = main->menu(QString::fromLatin1(name));
        ASSERT_NE(menu, nullptr);
        const QRect item = main->menuBar()->actionGeometry(menu->menuAction());
        menu->popup(main->menuBar()->mapToGlobal(item.bottomLeft()));
        QCoreApplication::processEvents();
        QImage shot = main->grab().toImage();
        QPainter p(&shot);
        p.drawPixmap(main->mapFromGlobal(menu->pos()), menu->grab());
        p.end();
        QLabel picture;
        picture.setPixmap(QPixmap::fromImage(shot));
        picture.resize(shot.size());
        ovix::test::saveScreenshot(&picture, QStringLiteral("frmParent-") + QLatin1String(name));
        menu->hide();
    }
}

// A gated item opens its window when the right is there; without it the
// authorisation window is handed the item's refusal text, and nothing else opens.
TEST_F(MainWindowTest, GatedItemsOpenTheirWindowOrAskForAuthorisation)
{
    registerFake(QStringLiteral("frmPrograms"));
    registerFake(QStringLiteral("frmDays"));
    registerFake(QStringLiteral("frmReports"));
    frmParent *main = showMain();

    main->menuAction(QStringLiteral("mnuSettingsPrograms"))->trigger();
    main->menuAction(QStringLiteral("mnuSettingsPrograms"))->trigger();
    EXPECT_EQ(loadedCount(QStringLiteral("frmPrograms")), 1);
    EXPECT_TRUE(Forms::find(QStringLiteral("frmPrograms"))->isVisible());

    // Without the authorisation window the request is refused quietly.
    exec(QStringLiteral("UPDATE Users SET Reports = 0, Days = 0 WHERE UserID = 'i'"));
    Global::LoadCurrentUserRights();
    main->menuAction(QStringLiteral("mnuReportsReports"))->trigger();
    EXPECT_EQ(Forms::find(QStringLiteral("frmReports")), nullptr);

    registerFake(QStringLiteral("frmPassword"));
    main->menuAction(QStringLiteral("mnuReportsReports"))->trigger();
    main->menuAction(QStringLiteral("mnuSetupDays"))->trigger();
    main->menuAction(QStringLiteral("mnuReportView"))->trigger();
    EXPECT_EQ(Forms::find(QStringLiteral("frmReports")), nullptr);
    EXPECT_EQ(Forms::find(QStringLiteral("frmDays")), nullptr);
    EXPECT_EQ(Forms::find(QStringLiteral("frmReportViewer")), nullptr);
    EXPECT_EQ(MainWinFakePassword::requests, QStringList({"Reports", "Days", "Report Viewer"}));
    EXPECT_EQ(MainWinFakePassword::callers, QStringList({"frmParent", "frmParent", "frmParent"}));
    EXPECT_EQ(MainWinFakePassword::extras, QStringList({"", "", ""}));

    // Granted by column name: takes effect at the next click.
    exec(QStringLiteral("UPDATE Users SET Days = 1 WHERE UserID = 'i'"));
    main->menuAction(QStringLiteral("mnuSetupDays"))->trigger();
    EXPECT_NE(Forms::find(QStringLiteral("frmDays")), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
}

// The Import/Export menu shows only the items whose windows are built, and itself
// only while it has one; the assessment export asks for no right.
TEST_F(MainWindowTest, ImportExportOffersOnlyRegisteredWindows)
{
    registerFake(QStringLiteral("frmPassword"));
    frmParent *main = showMain();
    auto shown = [main](const char *control) {
        return main->menuAction(QString::fromLatin1(control))->isVisible();
    };
    EXPECT_FALSE(shown("mnuUtilitiesImportExport"));

    registerFake(QStringLiteral("frmExportAssessment"));
    main->UpdateMenuStates();
    EXPECT_TRUE(shown("mnuUtilitiesImportExport"));
    EXPECT_TRUE(shown("mnuImportExportAssess"));
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuImportExportAssess"))->isEnabled());
    for (const char *hidden :
         {"mnuImportTaxCodes", "mnuImportAccounts", "mnuImportCashflowManager", "mnuImportMYOB",
          "mnuImportCompanies", "mnuImportDash1", "mnuImportExportStudents",
          "mnuImportExportCompanies", "mnuImportExportRenewals"})
        EXPECT_FALSE(shown(hidden)) << hidden;

    exec(QStringLiteral("UPDATE Users SET ImportMYOBTaxCodes = 0, ExportStudents = 0 WHERE "
                        "UserID = 'i'"));
    Global::LoadCurrentUserRights();
    const qsizetype requests = MainWinFakePassword::requests.size();
    main->menuAction(QStringLiteral("mnuImportExportAssess"))->trigger();
    ASSERT_NE(Forms::find(QStringLiteral("frmExportAssessment")), nullptr);
    EXPECT_TRUE(Forms::find(QStringLiteral("frmExportAssessment"))->isVisible());
    EXPECT_EQ(MainWinFakePassword::requests.size(), requests);

    // An import and an export built: the line between them shows too.
    registerFake(QStringLiteral("frmImportMYOB"));
    registerFake(QStringLiteral("frmExportStudents"));
    main->UpdateMenuStates();
    EXPECT_TRUE(shown("mnuImportMYOB"));
    EXPECT_TRUE(shown("mnuImportDash1"));
    EXPECT_TRUE(shown("mnuImportExportStudents"));
    EXPECT_FALSE(shown("mnuImportExportCompanies"));
    EXPECT_FALSE(shown("mnuImportCashflowManager"));
}

// The search items share one window, loaded with their mode and the user's ID.
TEST_F(MainWindowTest, SearchItemsReuseTheSearchWindowWithTheirMode)
{
    registerFake(QStringLiteral("frmFindStudent"));
    frmParent *main = showMain();
    main->menuAction(QStringLiteral("mnuSearchFamily"))->trigger();
    main->menuAction(QStringLiteral("mnuSearchStudent"))->trigger();
    main->menuAction(QStringLiteral("mnuSettingsInstructors"))->trigger();
    EXPECT_EQ(MainWinFakeFind::calls, QStringList({"3:i", "1:i", "2:i"}));
    EXPECT_EQ(loadedCount(QStringLiteral("frmFindStudent")), 1);
}

// "Add Class" opens a new class view in "Add" mode and loads it as a new class;
// without the right it goes to the authorisation window. "Show Class Search Screen"
// checks no right.
TEST_F(MainWindowTest, AddClassOpensANewClassViewOrAsksForAuthorisation)
{
    registerFake(QStringLiteral("frmViewClass"));
    registerFake(QStringLiteral("Main"));
    registerFake(QStringLiteral("frmPassword"));
    frmParent *main = showMain();
    main->UpdateMenuStates();
    EXPECT_TRUE(main->menuAction(QStringLiteral("mnuSettingsAddClass"))->isEnabled());
    main->menuAction(QStringLiteral("mnuSettingsAddClass"))->trigger();
    EXPECT_EQ(loadedCount(QStringLiteral("frmViewClass")), 1);
    EXPECT_EQ(MainWinFakeClass::loads, QStringList({"Add:0:0"}));

    exec(QStringLiteral("UPDATE Users SET AddClasses = 0"));
    Global::LoadCurrentUserRights();
    main->menuAction(QStringLiteral("mnuSettingsAddClass"))->trigger();
    EXPECT_EQ(loadedCount(QStringLiteral("frmViewClass")), 1);
    EXPECT_EQ(MainWinFakePassword::requests.value(0), QStringLiteral("Add Class"));
    main->menuAction(QStringLiteral("mnuClassesSearch"))->trigger();
    EXPECT_NE(Forms::find(QStringLiteral("Main")), nullptr);
}

TEST_F(MainWindowTest, WebBrowserNeedsItsRightAndOpensTheCentresSite)
{
    registerFake(QStringLiteral("frmPassword"));
    const QString site =
        dir.write(QStringLiteral("site.html"),
                  "<html><head><title>Our Pool</title></head><body>Hi</body></html>");
    Global::CentreSettings().setSettings(int(CentreSettingIds::Website), site);
    frmParent *main = showMain();
    main->menuAction(QStringLiteral("mnuFileWebBrowser"))->trigger();
    auto *browser = qobject_cast<frmBrowser *>(Forms::find(QStringLiteral("frmBrowser")));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_EQ(browser->cboAddress->currentText(), site);
    browser->unload();

    exec(QStringLiteral("UPDATE Users SET WebBrowser = 0 WHERE UserID = 'i'"));
    Global::LoadCurrentUserRights();
    main->menuAction(QStringLiteral("mnuFileWebBrowser"))->trigger();
    EXPECT_EQ(MainWinFakePassword::requests, QStringList({"Web Browser"}));
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmBrowser")), nullptr);
}

// Exit clears the mark, unloads the main window with its working windows and hands
// over to the backup window, which ends the program afterwards.
TEST_F(MainWindowTest, ExitClearsTheMarkAndShowsTheBackupOnce)
{
    registerFake(QStringLiteral("frmBackup"));
    frmParent *main = showMain();
    Forms::shared<frmAbout>()->showForm();
    main->menuAction(QStringLiteral("mnuFileExit"))->trigger();
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmParent")), nullptr);
    EXPECT_EQ(Forms::find(QStringLiteral("frmAbout")), nullptr);
    EXPECT_EQ(MainWinFakeBackup::onCloses, QList<int>({1}));
    EXPECT_TRUE(Forms::find(QStringLiteral("frmBackup"))->isVisible());
    EXPECT_EQ(computers(), QStringList({shell::WorkstationName() + "=0"}));
    EXPECT_EQ(ui::MdiHost::area(), nullptr);
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(MainWindowTest, ClosingTheWindowShowsTheBackup)
{
    registerFake(QStringLiteral("frmBackup"));
    frmParent *main = showMain();
    main->close();
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmParent")), nullptr);
    EXPECT_EQ(MainWinFakeBackup::onCloses, QList<int>({1}));
    EXPECT_EQ(computers(), QStringList({shell::WorkstationName() + "=0"}));
}

// Open Data File asks first (No is the default); only Yes leaves the data file, and
// the backup window then shows the data-file window.
TEST_F(MainWindowTest, OpenDataFileAsksAndOnlyYesLeaves)
{
    registerFake(QStringLiteral("frmBackup"));
    frmParent *main = showMain();
    script->answer(ui::vbNo);
    main->menuAction(QStringLiteral("mnuFileSwitchDataFiles"))->trigger();
    ASSERT_EQ(script->shown().size(), 1);
    const ui::ShownDialog &box = script->shown()[0];
    EXPECT_EQ(box.title, QStringLiteral("Confirm"));
    EXPECT_EQ(box.text, QStringLiteral("Are you sure you want to close the current data file?"));
    EXPECT_EQ(box.buttons, ui::vbYesNo);
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(computers(), QStringList({shell::WorkstationName() + "=1"}));
    EXPECT_TRUE(MainWinFakeBackup::onCloses.isEmpty());

    script->answer(ui::vbYes);
    main->menuAction(QStringLiteral("mnuFileSwitchDataFiles"))->trigger();
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmParent")), nullptr);
    EXPECT_EQ(MainWinFakeBackup::onCloses, QList<int>({0}));
    EXPECT_EQ(computers(), QStringList({shell::WorkstationName() + "=0"}));
    EXPECT_TRUE(Global::DbConnection().isOpen());
}

// Logoff shows the log-in window before the main window goes; no backup window,
// and the data file stays open.
TEST_F(MainWindowTest, LogoffShowsTheLoginWithoutBackup)
{
    registerFake(QStringLiteral("frmBackup"));
    registered << QStringLiteral("frmLogin");
    shell::RegisterWindow(QStringLiteral("frmLogin"), [] {
        auto *f = new MainWinFakeWindow(QStringLiteral("frmLogin"));
        f->setMdiChild(false);
        return f;
    });
    frmParent *main = showMain();
    main->menuAction(QStringLiteral("mnuFileLogoff"))->trigger();
    flush();
    EXPECT_EQ(Forms::find(QStringLiteral("frmParent")), nullptr);
    ASSERT_NE(Forms::find(QStringLiteral("frmLogin")), nullptr);
    EXPECT_TRUE(Forms::find(QStringLiteral("frmLogin"))->isVisible());
    EXPECT_TRUE(MainWinFakeBackup::onCloses.isEmpty());
    EXPECT_EQ(computers(), QStringList({shell::WorkstationName() + "=0"}));
    EXPECT_TRUE(Global::DbConnection().isOpen());

    // The next sign-in loads the main window afresh, menus and all.
    frmParent *again = showMain();
    EXPECT_FALSE(again->menuAction(QStringLiteral("mnuFileExit"))->icon().isNull());
    EXPECT_EQ(ui::MdiHost::area(), again->mdiArea());
}

// Only the first row whose name matches this computer's (letter case aside) is cleared.
TEST_F(MainWindowTest, InUseMarkClearsOnlyTheFirstMatchingRow)
{
    const QString me = shell::WorkstationName();
    exec(QStringLiteral("DELETE FROM Computers"));
    for (const QString &name : {QStringLiteral("OTHER-PC"), me.toLower(), me.toUpper()})
        exec(QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES (%1, '1')")
                 .arg(Global::SqlText(name)));
    frmParent::ClearInUseMark();
    EXPECT_EQ(computers(), QStringList({"OTHER-PC=1", me.toLower() + "=0", me.toUpper() + "=1"}));

    exec(QStringLiteral("DELETE FROM Computers WHERE Name <> 'OTHER-PC'"));
    frmParent::ClearInUseMark();
    EXPECT_EQ(computers(), QStringList({"OTHER-PC=1"}));
}

// "parentback.bmp" that is no picture: the load error box once, and the window
// still loads with its caption. A good picture shows without a word.
TEST_F(MainWindowTest, BackgroundPictureFromTheDataFolder)
{
    dir.write(QStringLiteral("parentback.bmp"), "not a picture");
    script->answer(ui::vbOK);
    frmParent *main = showMain();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("MDI Load Error"));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when loading Ovix Main Screen\r\nErr#481 - ")));
    EXPECT_TRUE(script->shown()[0].text.endsWith(
        QStringLiteral(".\r\nOvix will attempt to continue loading but may not load correctly.")));
    EXPECT_EQ(main->caption(), QStringLiteral("Ovixian"));
    main->unload();
    flush();

    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(dir.file(QStringLiteral("parentback.bmp")), "BMP"));
    main = showMain();
    EXPECT_EQ(script->shown().size(), 1);
    EXPECT_EQ(main->mdiArea()->background().textureImage().size(), QSize(32, 16));
}
