#include "timetable/fixture/timetablefixture.h"

#include "access/permissions.h"
#include "classes/search/frmmain.h"
#include "classes/search/register.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/modregistryapis.h"
#include "core/sqlquote.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/loginuser.h"
#include "shell/startupwindows.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>

namespace {

// The class search window, counting the searches it is asked to run.
class CountingMain : public Main
{
    Q_OBJECT
public:
    Q_INVOKABLE void CheckBeforeFill()
    {
        ++searches;
        Main::CheckBeforeFill();
    }
    int searches = 0;
};

// A window of another subsystem that the bar or the grid opens.
class StandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit StandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(int mode, const QString &user) { calls << QStringLiteral("LoadUp %1 %2").arg(mode).arg(user); }
    Q_INVOKABLE void LoadOps(qint32 id)
    {
        calls << QStringLiteral("LoadOps %1 %2").arg(id).arg(property("ViewClassMode").toString());
    }
    QStringList calls;
};

// The authorisation window: keeps the request it was given.
class PasswordStandIn : public ui::Form
{
    Q_OBJECT
public:
    PasswordStandIn()
    {
        setObjectName(QStringLiteral("frmPassword"));
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(ui::Form *xf, const QString &strMode, const QString &strExtraInfo)
    {
        requester = xf;
        mode = strMode;
        extra = strExtraInfo;
    }
    ui::Form *requester = nullptr;
    QString mode;
    QString extra = QStringLiteral("unset");
};

class ClassSearchWindowTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        // The stored window place lives in the per-user settings: each test keeps its
        // own, so that tests running side by side never share them.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + "/config");
        shell::InstallAccess();
        shell::RegisterStartupWindows();
        classes::RegisterClassSearchWindow();
        ui::RegisterWindow(QStringLiteral("Main"),
                           [] { return ui::Forms::shared<CountingMain>(); });
        Global::LoadCurrentUserRights();
        for (const char *key : {"WindowLeft", "WindowTop", "WindowHeight", "WindowWidth"})
            modRegistryAPIs::SaveRegValue("HKCU", "Ovix", "Ovix", "WindowPos", key, QVariant());
    }
    void TearDown() override
    {
        for (const char *name : {"frmFindStudent", "frmOOE", "frmPayments", "frmBarcode",
                                 "frmViewClass", "frmPassword"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        TimetableTest::TearDown();
    }

    CountingMain *loadMain()
    {
        if (Global::CentreSettings().Settings(int(CentreSettingIds::DefaultProgramName)).isNull())
            setDefaultProgram(QStringLiteral("Summer"));
        auto *main = qobject_cast<CountingMain *>(ui::LoadWindowByName(QStringLiteral("Main")));
        settle();
        return main;
    }
    // Lets the loading window's timer fire, as the event loop would.
    static void settle()
    {
        QElapsedTimer t;
        t.start();
        while (ui::Forms::find(QStringLiteral("frmLoading")) && t.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
    }
    static QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    void setDefaultProgram(const QString &name)
    {
        exec(QStringLiteral("UPDATE CentreInfo SET DefaultProgramName = %1").arg(Global::SqlText(name)));
        Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName), name);
    }
    void setRight(const char *column, int value)
    {
        exec(QStringLiteral("UPDATE Users SET %1 = %2 WHERE UserID = 'I'")
                 .arg(QString::fromLatin1(column))
                 .arg(value));
        Global::LoadCurrentUserRights();
    }
};

TEST_F(ClassSearchWindowTest, ListsHoldWhatMayBeSearchedAndNamesWithQuotesSurvive)
{
    const QString odd = QStringLiteral("Kids' \"Squad\" #2;<b>");
    const qint32 summer = addProgram(QStringLiteral("Summer"));
    const qint32 oddProgram = addProgram(odd);
    addProgram(QStringLiteral("Old Term"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "('Level 1', 0, 8)"));
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "(%1, 0, 8)").arg(Global::SqlText(odd)));
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "('Retired', 1, 8)"));
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "('Unused', 0, 8)"));
    const qint32 a = addClass(summer, QStringLiteral("Level 1"));
    const qint32 b = addClass(oddProgram, odd);
    addClass(summer, QStringLiteral("Retired"));
    linkInstructor(a, addInstructor(QStringLiteral("Pat"), QStringLiteral("O'Brien")));
    linkInstructor(b, addInstructor(QStringLiteral("Gone"), QStringLiteral("Away"), 1));
    addInstructor(QStringLiteral("Never"), QStringLiteral("Linked"));
    setDefaultProgram(odd);

    CountingMain *main = loadMain();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(items(main->cboLevel), (QStringList{"(All)", odd, "Level 1"}));
    EXPECT_EQ(items(main->cboLevel2), items(main->cboLevel));
    EXPECT_EQ(items(main->cboInstructor), (QStringList{"(All)", "Pat O'Brien"}));
    EXPECT_EQ(items(main->cboProgram), (QStringList{odd, "Summer"}));
    EXPECT_EQ(main->cboProgram->currentText(), odd);
    EXPECT_EQ(main->cboProgram->currentData().toInt(), oddProgram);
    EXPECT_EQ(items(main->cboAMPM), (QStringList{"(All)", "AM Only", "PM Only", "All Weekends",
                                                 "All Weekdays", "AM + Weekdays", "PM + Weekends"}));
    EXPECT_EQ(main->cboDay->currentText(), "(All)");
    EXPECT_EQ(main->caption(), "Class Search");
    // Loaded but never activated: the queued search did nothing.
    EXPECT_FALSE(main->FormActivated);
    EXPECT_TRUE(main->Label4->text().isEmpty());
    EXPECT_TRUE(script->shown().isEmpty());

    // Searching the odd level of the odd program finds its class.
    main->showForm();
    main->cboLevel->setCurrentText(odd);
    settle();
    EXPECT_EQ(main->grd->textMatrix(1, 0), QString::number(b));
    EXPECT_TRUE(main->Label4->text().startsWith("Program: " + odd));
    EXPECT_EQ(main->Label4->textFormat(), Qt::PlainText) << "a name's \"<b>\" is no markup";
    ovix::test::saveScreenshot(main->frame(), QStringLiteral("class-search"));
}

struct DefaultCase
{
    const char *name;
    bool makeActive;   // the programs "Autumn" and "Spring" exist and are active
    const char *stored; // the default program's name in the settings
    const char *usedInstead;
};

class DefaultProgram : public ClassSearchWindowTest,
                       public ::testing::WithParamInterface<DefaultCase>
{
};

TEST_P(DefaultProgram, MissingOrInactiveDefaultFallsBackForThisSessionOnly)
{
    const DefaultCase &c = GetParam();
    addProgram(QStringLiteral("Winter"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
    if (c.makeActive) {
        addProgram(QStringLiteral("Spring"));
        addProgram(QStringLiteral("Autumn"));
    }
    setDefaultProgram(QString::fromLatin1(c.stored));
    script->answer(ui::vbOK);
    if (!c.makeActive)
        script->answer(ui::vbOK); // the search that finds no program to search
    CountingMain *main = loadMain();
    main->showForm();
    main->CheckBeforeFill();

    ASSERT_GE(script->shown().size(), 1);
    const ui::ShownDialog box = script->shown().at(0);
    EXPECT_EQ(box.title, "Default Program Unavailable");
    EXPECT_EQ(box.text,
              QStringLiteral("The default program selected in Global Settings (%1) could not be "
                             "found in the list of active programs.\r\nThis program has either "
                             "been marked as inactive, renamed or deleted.\r\n\r\nTo resolve this "
                             "issue, please select a new default program in Global Settings.\r\n%2 "
                             "will temporarily use %3 as the default program for this session, as "
                             "it appears first in the list.")
                  .arg(QString::fromLatin1(c.stored), Global::CentreSettings().ShortAppName(),
                       QString::fromLatin1(c.usedInstead)));
    EXPECT_EQ(Global::CentreSettings().Settings(int(CentreSettingIds::DefaultProgramName)).toString(),
              QString::fromLatin1(c.usedInstead));
    EXPECT_EQ(value("SELECT DefaultProgramName FROM CentreInfo").toString(),
              QString::fromLatin1(c.stored))
        << "the data file keeps its setting";
    if (!c.makeActive) {
        ASSERT_EQ(script->shown().size(), 2);
        EXPECT_EQ(script->shown().at(1).title, "Error loading search results");
        EXPECT_TRUE(main->Label4->text().isEmpty()) << "no search ran";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DefaultProgram,
                         ::testing::Values(DefaultCase{"Inactive", true, "Winter", "Autumn"},
                                           DefaultCase{"Deleted", true, "Gone", "Autumn"},
                                           DefaultCase{"NoActive", false, "Winter", ""}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ClassSearchWindowTest, ResetOfSevenFiltersRunsOneSearchAndKeepsProgramAndActivity)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    addClass(p, QStringLiteral("Level 1"));
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "('Level 1', 0, 8)"));
    exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Learners Pool')"));
    exec(QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Squad')"));
    CountingMain *main = loadMain();
    main->showForm();
    settle();
    main->lblClassGroupSrch_Click();
    main->cboDay->setCurrentIndex(1);
    main->cboLevel->setCurrentIndex(1);
    main->cboLevel2->setCurrentIndex(1);
    main->cboLevel3->setCurrentIndex(1);
    main->cboPoolArea->setCurrentIndex(1);
    main->cboAMPM->setCurrentIndex(2);
    main->cboActivity->setCurrentIndex(1);
    main->chkSpots->setChecked(true);
    settle();
    const QString activity = main->cboActivity->currentText();
    const int before = main->searches;

    main->lblReset_Click();
    settle();
    EXPECT_EQ(main->searches, before + 1);
    for (QComboBox *c : {main->cboDay, main->cboLevel, main->cboLevel2, main->cboLevel3,
                         main->cboPoolArea, main->cboAMPM, main->cboInstructor})
        EXPECT_EQ(c->currentIndex(), 0) << c->objectName().toStdString();
    EXPECT_FALSE(main->chkSpots->isChecked());
    EXPECT_EQ(main->cboProgram->currentText(), "Summer");
    EXPECT_EQ(main->cboActivity->currentText(), activity);
    EXPECT_TRUE(main->Label7->text().endsWith("Multiple Class Group Search")) << "layout kept";
}

struct LayoutCase
{
    const char *name;
    void (Main::*apply)();
    int areas; // pool areas in the file
    const char *heading;
    QStringList shown;
    QStringList hidden;
    QStringList reset; // filters put back to their first entry (with one search)
};

class Layouts : public ClassSearchWindowTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(Layouts, EachLayoutShowsItsFiltersAndResetsWhatItDropsWithOneSearch)
{
    const LayoutCase &c = GetParam();
    const qint32 p = addProgram(QStringLiteral("Summer"));
    exec(QStringLiteral("INSERT INTO ClassGroups (Description, Inactive, MaxInClass) VALUES "
                        "('Level 1', 0, 8)"));
    linkInstructor(addClass(p, QStringLiteral("Level 1")),
                   addInstructor(QStringLiteral("Pat"), QStringLiteral("Lee")));
    if (c.areas > 1)
        exec(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Learners Pool')"));
    CountingMain *main = loadMain();
    main->showForm();
    settle();
    // Every filter away from its first entry.
    for (const char *name : {"cboInstructor", "cboLevel2", "cboLevel3", "cboPoolArea", "cboAMPM"})
        main->findChild<QComboBox *>(QString::fromLatin1(name))->setCurrentIndex(1);
    settle();
    const int before = main->searches;

    (main->*c.apply)();
    settle();
    EXPECT_EQ(main->Label7->text(), QString::fromLatin1(c.heading));
    for (const QString &name : c.shown)
        EXPECT_TRUE(main->findChild<QWidget *>(name)->isVisibleTo(main)) << name.toStdString();
    for (const QString &name : c.hidden)
        EXPECT_FALSE(main->findChild<QWidget *>(name)->isVisibleTo(main)) << name.toStdString();
    for (const QString &name : c.reset)
        EXPECT_EQ(main->findChild<QComboBox *>(name)->currentIndex(), 0) << name.toStdString();
    EXPECT_EQ(main->searches, before + (c.reset.isEmpty() ? 0 : 1));

    // Applying the same layout again changes nothing and searches nothing.
    (main->*c.apply)();
    settle();
    EXPECT_EQ(main->searches, before + (c.reset.isEmpty() ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Layouts,
    ::testing::Values(
        LayoutCase{"Simple", &Main::lblSimpleSrch_Click, 1, "Search Criteria - Simple Search",
                   {"cboDay", "cboInstructor", "cboLevel"},
                   {"cboLevel2", "cboLevel3", "cboPoolArea", "cboAMPM", "cboActivity", "Label8",
                    "Label9", "Label10", "Label11"},
                   {"cboAMPM", "cboPoolArea", "cboLevel2", "cboLevel3"}},
        LayoutCase{"Advanced", &Main::lblAdvancedSrch_Click, 1, "Search Criteria - Advanced Search",
                   {"cboDay", "cboInstructor", "cboPoolArea", "cboAMPM", "Label8", "Label9"},
                   {"cboLevel2", "cboLevel3", "cboActivity", "Label10", "Label11"},
                   {"cboLevel2", "cboLevel3"}},
        LayoutCase{"ClassGroupOneArea", &Main::lblClassGroupSrch_Click, 1,
                   "Search Criteria - Multiple Class Group Search",
                   {"cboLevel", "cboLevel2", "cboLevel3", "cboAMPM", "cboDay"},
                   {"cboInstructor", "cboPoolArea", "cboActivity", "Label10", "Label11"},
                   {"cboInstructor", "cboPoolArea", "cboAMPM"}},
        LayoutCase{"ClassGroupTwoAreas", &Main::lblClassGroupSrch_Click, 2,
                   "Search Criteria - Multiple Class Group Search",
                   {"cboLevel2", "cboLevel3", "cboPoolArea", "cboActivity", "Label10", "Label11"},
                   {"cboInstructor"},
                   {"cboInstructor", "cboPoolArea", "cboAMPM"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ClassSearchWindowTest, LayoutFollowsTheSimpleSearchSetting)
{
    addProgram(QStringLiteral("Summer"));
    for (const auto &[setting, heading] :
         {std::pair{QVariant(1), "Search Criteria - Simple Search"},
          std::pair{QVariant(0), "Search Criteria - Advanced Search"},
          std::pair{QVariant(), "Search Criteria - Advanced Search"}}) {
        Global::CentreSettings().setSettings(int(CentreSettingIds::SimpleSearch), setting);
        CountingMain *main = loadMain();
        EXPECT_EQ(main->Label7->text(), QString::fromLatin1(heading));
        main->unload();
        flush();
    }
}

struct BarCase
{
    const char *button;
    const char *window;
    const char *right; // empty: no check
    const char *operation;
};

class BarButtons : public ClassSearchWindowTest, public ::testing::WithParamInterface<BarCase>
{
};

TEST_P(BarButtons, OpenTheirWindowWithTheRightElseAskForApproval)
{
    const BarCase &c = GetParam();
    addProgram(QStringLiteral("Summer"));
    CountingMain *main = loadMain();
    auto *button = main->findChild<QPushButton *>(QString::fromLatin1(c.button));
    EXPECT_FALSE(button->isEnabled()) << "nothing to open yet";

    StandIn *opened = nullptr;
    ui::RegisterWindow(QString::fromLatin1(c.window), [&]() -> ui::Form * {
        return opened = new StandIn(QString::fromLatin1(c.window));
    });
    PasswordStandIn *password = nullptr;
    ui::RegisterWindow(QStringLiteral("frmPassword"), [&]() -> ui::Form * {
        return password = new PasswordStandIn;
    });
    main->RefreshBarButtons();
    EXPECT_TRUE(button->isEnabled());

    button->click();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    if (QString::fromLatin1(c.window) == "frmFindStudent") {
        EXPECT_EQ(opened->calls, QStringList{"LoadUp 1 "});
    }
    opened->unload();
    flush();
    opened = nullptr;

    if (*c.right) {
        setRight(c.right, 0);
        button->click();
        EXPECT_EQ(opened, nullptr);
        ASSERT_NE(password, nullptr);
        EXPECT_TRUE(script->shown().isEmpty()) << "no Access Denied before the approval";
        EXPECT_EQ(password->requester, main);
        EXPECT_EQ(password->mode, QString::fromLatin1(c.operation));
        EXPECT_EQ(password->extra, QString());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BarButtons,
                         ::testing::Values(BarCase{"cmdSStudent", "frmFindStudent", "ViewStudents",
                                                   "Search Students"},
                                           BarCase{"cmdOneOff", "frmOOE", "ViewOOE", "Open OOE"},
                                           BarCase{"cmdMultPay", "frmPayments", "", ""},
                                           BarCase{"Command1", "frmBarcode", "EditStudents", "DDForm"}),
                         [](const auto &info) { return std::string(info.param.button); });

TEST_F(ClassSearchWindowTest, DoubleClickOpensTheClassOnceAndIgnoresTheHeader)
{
    const qint32 p = addProgram(QStringLiteral("Summer"));
    const qint32 id = addClass(p);
    CountingMain *main = loadMain();
    main->showForm();
    settle();
    QList<StandIn *> made;
    ui::RegisterWindow(QStringLiteral("frmViewClass"), [&]() -> ui::Form * {
        auto *view = new StandIn(QStringLiteral("frmViewClass"));
        made << view;
        return view;
    });
    main->grd->setRows(2);
    main->grd->setTextMatrix(1, 0, QString::number(id));

    main->grd->setGridRow(0);
    main->grd->setRowSel(0);
    main->grd_DblClick();
    EXPECT_TRUE(made.isEmpty()) << "the header row opens nothing";

    main->grd->setGridRow(1);
    main->grd->setRowSel(1);
    main->grd_DblClick();
    ASSERT_EQ(made.size(), 1);
    EXPECT_EQ(made[0]->calls, QStringList{QStringLiteral("LoadOps %1 Edit").arg(id)});
    EXPECT_FALSE(ui::Hourglass::isShown());

    // One open on the class (its txtField(0) holds the ID) is brought forward.
    auto *field = new QLineEdit(QString::number(id), made[0]);
    field->setObjectName(QStringLiteral("txtField"));
    field->setProperty("Index", 0);
    main->grd_DblClick();
    EXPECT_EQ(made.size(), 1);
    EXPECT_FALSE(ui::Hourglass::isShown());
}

TEST_F(ClassSearchWindowTest, FailedExportLeavesTheGridVisible)
{
    addProgram(QStringLiteral("Summer"));
    CountingMain *main = loadMain();
    main->showForm();
    settle();
    Global::CentreSettings().setDataFilesDirectory(dir.path() + QStringLiteral("/no/such/folder"));
    script->answer(ui::vbOK);
    main->cmdReportView_Click();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, "Grid Export Error");
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        "There was an error when exporting the grid to a report.\r\nErr#75 - "));
    EXPECT_TRUE(main->grd->isVisibleTo(main));
}

TEST_F(ClassSearchWindowTest, StoredSizeIsKeptSmallerSnapsBackAndClosingStoresIt)
{
    QMdiArea area;
    area.resize(1400, 1000);
    area.show();
    ui::MdiHost::setArea(&area);
    addProgram(QStringLiteral("Summer"));

    CountingMain *main = loadMain();
    main->showForm();
    QWidget *frame = main->frame();
    EXPECT_EQ(frame->size(), QSize(ui::twipsToPixels(Main::DesignWidth),
                                   ui::twipsToPixels(Main::DesignHeight)));
    frame->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->size(), QSize(ui::twipsToPixels(Main::DesignWidth),
                                   ui::twipsToPixels(Main::DesignHeight)))
        << "never smaller than its design size";
    frame->setGeometry(30, 45, 900, 650);
    main->unload();
    flush();
    auto stored = [](const char *key) {
        return modRegistryAPIs::GetRegValue("HKCU", "Ovix", "Ovix", "WindowPos", key, -1).toInt();
    };
    EXPECT_EQ(stored("WindowLeft"), ui::pixelsToTwips(30));
    EXPECT_EQ(stored("WindowTop"), ui::pixelsToTwips(45));
    EXPECT_EQ(stored("WindowWidth"), ui::pixelsToTwips(900));
    EXPECT_EQ(stored("WindowHeight"), ui::pixelsToTwips(650));

    main = loadMain();
    main->showForm();
    EXPECT_EQ(main->frame()->geometry(), QRect(30, 45, 900, 650));
    main->unload();
    flush();
    ui::MdiHost::setArea(nullptr);
}

// Signing in with and without a place stored at the last closing: the stored size is
// kept, the window is centred over the main window either way.
class SignIn : public ClassSearchWindowTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(SignIn, ShowsTheWindowCentredAndRunsTheFirstSearchAtOnce)
{
    const bool stored = GetParam();
    QMdiArea area;
    area.resize(1400, 1000);
    area.show();
    ui::MdiHost::setArea(&area);
    const qint32 p = addProgram(QStringLiteral("Summer"));
    addClass(p);
    setDefaultProgram(QStringLiteral("Summer"));
    Global::CentreSettings().setSettings(int(CentreSettingIds::DisplayCalendar), 0);
    QSize size(ui::twipsToPixels(Main::DesignWidth), ui::twipsToPixels(Main::DesignHeight));
    if (stored) {
        for (const auto &[key, twips] : {std::pair{"WindowLeft", 450}, std::pair{"WindowTop", 300},
                                         std::pair{"WindowWidth", 12000},
                                         std::pair{"WindowHeight", 9000}})
            modRegistryAPIs::SaveRegValue("HKCU", "Ovix", "Ovix", "WindowPos", key,
                                          QString::number(twips));
        size = QSize(ui::twipsToPixels(12000), ui::twipsToPixels(9000));
    }

    ASSERT_TRUE(imodGlobalSubs::LoginUser(QStringLiteral("i"), QString(), false));
    auto *main = qobject_cast<CountingMain *>(ui::Forms::find(QStringLiteral("Main")));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->searches, 1);
    EXPECT_FALSE(main->Label4->text().isEmpty()) << "the search ran, not only was asked";
    QWidget *f = main->frame();
    EXPECT_EQ(f->size(), size);
    const QSize inner = area.size();
    EXPECT_EQ(f->x(), std::max(0, (inner.width() - f->width()) / 2));
    EXPECT_EQ(f->y(), std::max(0, (inner.height() - f->height()) / 2 - ui::twipsToPixels(500)));
    ui::Forms::unloadAll(ui::CloseReason::Code);
    flush();
    ui::MdiHost::setArea(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, SignIn, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Stored" : "NothingStored"; });

} // namespace

#include "classsearch_window_test.moc"
