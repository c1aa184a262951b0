// The program's road from the splash to a signed-in main window.
#include "startupfixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/timer.h"
#include "platform/vb/error.h"
#include "shell/appfiles.h"
#include "shell/dataloader.h"
#include "shell/frmloadup.h"
#include "shell/frmopen.h"
#include "shell/frmsplash.h"
#include "shell/startupservices.h"
#include "shell/startupstate.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

using ui::Forms;

namespace {

QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

frmOpen *openWindow()
{
    return qobject_cast<frmOpen *>(Forms::find(QStringLiteral("frmOpen")));
}

// The steps without the captions of the structure verification.
QStringList loaderSteps(const QStringList &steps)
{
    QStringList own;
    for (const QString &step : steps)
        if (!step.startsWith(QStringLiteral("Verifying ")) &&
            !step.startsWith(QStringLiteral("Updating ")))
            own << step;
    return own;
}

bool signedIn()
{
    ui::Form *main = Forms::find(QStringLiteral("frmParent"));
    return main && main->isVisible() && Global::CurrentUserId == QStringLiteral("i");
}

const QStringList FullLoadSteps = {
    "Preparing to load your data file...",
    "Checking if backup is in progress...",
    "Loading Data File...",
    "Validating database...",
    "Loading Global Settings...",
    "Registering workstation...",
    "Preparing for login...",
    "Validating username and password...",
    "Logging in as the default user...",
    "Checking User Access permissions...",
    "Finalising login...",
    "Loading User Interface...",
};

} // namespace

// A first start on a fresh application data folder: no "DataPath.txt", so the
// splash hands over to the data-file window, which shows.
TEST_F(StartupTest, FirstStartShowsTheDataFileWindow)
{
    EXPECT_TRUE(shell::InstallApplicationFiles().isEmpty());
    for (const char *name : {"new.md_", "Language.ini", "detailsdeclaration.txt", "barlogo.bmp",
                             "bwlogo.bmp", "confslip.bmp"})
        EXPECT_TRUE(QFile::exists(homeFile(name))) << name;

    frmSplash *splash = Forms::shared<frmSplash>();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->Timer1->isEnabled());
    EXPECT_EQ(splash->Timer1->interval(), 2500);
    EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_EQ(Global::CentreSettings().ApplicationName(), QStringLiteral("Ovixian"));
    EXPECT_EQ(Global::CentreSettings().ShortAppName(), QStringLiteral("Ovix"));
    ovix::test::saveScreenshot(splash, QStringLiteral("frmSplash"));

    splash->Timer1_Timer();
    EXPECT_EQ(Forms::find(QStringLiteral("frmSplash")), nullptr);
    frmOpen *open = openWindow();
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->isVisible());
    EXPECT_EQ(open->caption(), QStringLiteral("Welcome to Ovixian"));
    EXPECT_FALSE(open->chkNoShow->isChecked());
    EXPECT_FALSE(QFile::exists(homeFile("DataPath.txt")));
    EXPECT_TRUE(script->shown().isEmpty());
    ovix::test::saveScreenshot(open, QStringLiteral("frmOpen"));
}

// "N" in the data path file loads the remembered file without ever showing the
// data-file window; the whole road ends signed in as the default user.
TEST_F(StartupTest, RememberedFileLoadsStraightToTheMainWindow)
{
    shell::InstallApplicationFiles();
    const QString file = makeDataFile(homeFile("swim.mdb"));
    writeDataPath("%", "swim.mdb", "N");
    recordSteps();

    startProgram();

    EXPECT_TRUE(signedIn());
    EXPECT_EQ(openWindow(), nullptr);
    EXPECT_EQ(Forms::find(QStringLiteral("frmLoadUp")), nullptr);
    EXPECT_EQ(loaderSteps(steps), FullLoadSteps);
    // The verification writes its captions into the same line, after its own step.
    const qsizetype verifying =
        steps.indexOf(QStringLiteral("Verifying Database Structure - Global Settings..."));
    EXPECT_GT(verifying, steps.indexOf(QStringLiteral("Validating database...")));
    EXPECT_LT(verifying, steps.indexOf(QStringLiteral("Loading Global Settings...")));
    EXPECT_TRUE(script->shown().isEmpty());
    // "%" is written back as "%", not as the folder it stands for.
    EXPECT_EQ(dataPathLines(), QStringList({"%", "swim.mdb", "N", ""}));
    EXPECT_EQ(Global::CurrentDataFile, QStringLiteral("swim.mdb"));
    EXPECT_EQ(Global::CentreSettings().DataFilesDirectory(), home());
    EXPECT_EQ(Global::DatabaseType, QStringLiteral("Jet"));
    EXPECT_TRUE(Global::DbConnection().isOpen());
    EXPECT_EQ(computers(file), QStringList({shell::WorkstationName() + "=1"}));
}

// The command line "/w" or "\w" (exactly) shows the window whatever the file says.
TEST_F(StartupTest, CommandLineDecidesWhetherTheWindowShows)
{
    struct Case
    {
        const char *commandLine;
        bool shows;
    };
    const Case cases[] = {{"/w", true}, {"\\w", true}, {"/W", false}, {"/w x", false}, {"", false}};
    shell::InstallApplicationFiles();
    makeDataFile(homeFile("swim.mdb"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commandLine);
        writeDataPath("%", "swim.mdb", "N");
        Global::DataFileLoaded = false;
        frmOpen::setCommandLine(QString::fromLatin1(c.commandLine));
        frmOpen *open = Forms::shared<frmOpen>();
        if (c.shows) {
            ASSERT_EQ(openWindow(), open);
            EXPECT_TRUE(open->isVisible());
            EXPECT_FALSE(open->chkNoShow->isChecked());
            EXPECT_FALSE(Global::DataFileLoaded);
        } else {
            EXPECT_EQ(openWindow(), nullptr);
            EXPECT_TRUE(signedIn());
        }
        Forms::unloadAll(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::DropDbConnection();
        Global::CurrentUserId.clear();
    }
}

// Only an exact "N" on the third line loads at once; "n", "No", "Y" and a file of two
// lines show the window. After a load in this run the window shows, box ticked.
TEST_F(StartupTest, DataPathFileDecidesWhetherTheWindowShows)
{
    shell::InstallApplicationFiles();
    for (const char *flag : {"n", "No", "Y"}) {
        SCOPED_TRACE(flag);
        writeDataPath("%", "swim.mdb", flag);
        frmOpen *open = Forms::shared<frmOpen>();
        EXPECT_TRUE(open->isVisible());
        EXPECT_FALSE(open->chkNoShow->isChecked());
        open->unload();
    }
    QFile two(homeFile("DataPath.txt"));
    ASSERT_TRUE(two.open(QIODevice::WriteOnly));
    two.write("%\r\nswim.mdb\r\n");
    two.close();
    EXPECT_TRUE(Forms::shared<frmOpen>()->isVisible());
    Forms::shared<frmOpen>()->unload();

    writeDataPath("%", "swim.mdb", "N");
    Global::DataFileLoaded = true;
    frmOpen *open = Forms::shared<frmOpen>();
    EXPECT_TRUE(open->isVisible());
    EXPECT_TRUE(open->chkNoShow->isChecked());
    EXPECT_TRUE(script->shown().isEmpty());
}

// New: a copy of the template and the support files (an existing one stays); a file
// that was never set up goes to the set-up wizard and registers nothing.
TEST_F(StartupTest, NewDataFileRunsTheSetupWizard)
{
    shell::InstallApplicationFiles();
    const QString folder = dir.path() + "/data";
    QDir().mkpath(folder);
    QFile mine(folder + "/barlogo.bmp");
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("my logo");
    mine.close();
    recordSteps();
    frmOpen *open = Forms::shared<frmOpen>();
    script->saveFile(folder + "/new centre.mdb");

    open->cmdNew->click();

    EXPECT_EQ(wizardCalls, 1);
    EXPECT_EQ(steps.last(), QStringLiteral("Loading Setup Wizard..."));
    EXPECT_FALSE(steps.contains(QStringLiteral("Registering workstation...")));
    EXPECT_TRUE(QFile::exists(folder + "/new centre.mdb"));
    EXPECT_TRUE(QFile::exists(folder + "/DetailsDeclaration.txt"));
    EXPECT_TRUE(QFile::exists(folder + "/bwlogo.bmp"));
    EXPECT_TRUE(QFile::exists(folder + "/confslip.bmp"));
    EXPECT_EQ(fingerprint(folder + "/barlogo.bmp"),
              QCryptographicHash::hash("my logo", QCryptographicHash::Sha256));
    EXPECT_TRUE(computers(folder + "/new centre.mdb").isEmpty());
    EXPECT_EQ(dataPathLines(), QStringList({folder, "new centre.mdb", "Y", ""}));
    // The data-file window stays loaded for the wizard to show again.
    EXPECT_EQ(openWindow(), open);
    EXPECT_EQ(Forms::find(QStringLiteral("frmLoadUp")), nullptr);
    EXPECT_FALSE(signedIn());
}

// New over an existing file asks first; No leaves the old file as it was. Without
// the template or a support file nothing is asked.
TEST_F(StartupTest, NewDataFileRefusals)
{
    frmOpen *open = Forms::shared<frmOpen>();
    script->answer(ui::vbOK).answer(ui::vbOK);
    open->cmdNew->click();
    ASSERT_EQ(boxTitles(), QStringList({"Problem"}));
    EXPECT_EQ(script->shown().last().text,
              "The template for creating new files does not exist on this machine in '" + home() +
                  "/new.md_'");

    shell::InstallApplicationFiles();
    QFile::remove(homeFile("confslip.bmp"));
    open->cmdNew->click();
    EXPECT_EQ(boxTitles().last(), QStringLiteral("A little problem"));

    shell::InstallApplicationFiles();
    const QString existing = makeDataFile(dir.path() + "/old.mdb");
    const QByteArray before = fingerprint(existing);
    script->saveFile(existing).answer(ui::vbNo);
    open->cmdNew->click();
    EXPECT_EQ(boxTitles().last(), QStringLiteral("Oops!"));
    EXPECT_EQ(script->shown().last().text,
              "A data file already exists at " + existing + ". Do you wish to overwrite it?");
    EXPECT_EQ(fingerprint(existing), before);
    EXPECT_FALSE(Global::DataFileLoaded);
    EXPECT_EQ(script->pending(), 0);
}

// Open: with no data path file the load writes one ("Y" or "N" by the box); with
// one, an unticked box leaves it exactly as it was, a ticked box records "N".
TEST_F(StartupTest, OpenExistingFileAndTheDataPathFile)
{
    shell::InstallApplicationFiles();
    const QString file = makeDataFile(dir.path() + "/data/club.mdb");
    const QString folder = dir.path() + "/data";
    struct Case
    {
        const char *name;
        QStringList before; // empty: no file
        bool ticked;
        QStringList after;
    };
    const Case cases[] = {
        {"no file", {}, false, {folder, "club.mdb", "Y", ""}},
        {"no file, ticked", {}, true, {folder, "club.mdb", "N", ""}},
        {"kept", {"%", "default.mdb", "Q"}, false, {"%", "default.mdb", "Q", ""}},
        {"ticked", {"%", "default.mdb", "Y"}, true, {folder, "club.mdb", "N", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(homeFile("DataPath.txt"));
        if (!c.before.isEmpty())
            writeDataPath(c.before[0], c.before[1], c.before[2]);
        frmOpen::setCommandLine("/w");
        frmOpen *open = Forms::shared<frmOpen>();
        open->chkNoShow->setChecked(c.ticked);
        script->openFile(file);
        open->cmdOpen->click();
        EXPECT_TRUE(signedIn());
        EXPECT_EQ(dataPathLines(), c.after);
        Forms::unloadAll(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::CurrentUserId.clear();
    }
    // The same computer is marked again, not added again.
    EXPECT_EQ(computers(file), QStringList({shell::WorkstationName() + "=1"}));
}

// A remembered file that is gone: the "Problem..." box, and the window shows.
TEST_F(StartupTest, MissingFileStopsTheLoad)
{
    writeDataPath(dir.path(), "gone.mdb", "N");
    script->answer(ui::vbOK);
    startProgram();
    ASSERT_EQ(boxTitles(), QStringList({"Problem..."}));
    EXPECT_EQ(script->shown().last().text, "Ovixian cannot access the database at " + dir.path() +
                                               "/gone.mdb - the file could not be found.");
    ASSERT_NE(openWindow(), nullptr);
    EXPECT_TRUE(openWindow()->isVisible());
    EXPECT_EQ(Forms::find(QStringLiteral("frmLoadUp")), nullptr);
    EXPECT_EQ(Global::CurrentDataFile, QStringLiteral("gone.mdb"));
    EXPECT_TRUE(Global::DataFileLoaded);

    // Open with a path that does not exist says so too, and loads nothing.
    script->openFile(dir.path() + "/nowhere.mdb").answer(ui::vbOK);
    openWindow()->cmdOpen->click();
    EXPECT_EQ(boxTitles().last(), QStringLiteral("Problem..."));
    EXPECT_TRUE(openWindow()->boolKeepDataPath);
}

// The backup marker: Yes goes on, No stops with the previous connection closed.
TEST_F(StartupTest, BackupMarkerAsksBeforeLoading)
{
    shell::InstallApplicationFiles();
    const QString first = makeDataFile(dir.path() + "/first.mdb");
    const QString second = makeDataFile(dir.path() + "/second.mdb");
    QFile marker(shell::BackupMarkerFile());
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();

    frmOpen::setCommandLine("/w");
    script->openFile(first).answer(ui::vbYes);
    Forms::shared<frmOpen>()->cmdOpen->click();
    ASSERT_EQ(boxTitles(), QStringList({"Backup May Be In Progress"}));
    const ui::ShownDialog box = script->shown().last();
    EXPECT_EQ(box.buttons, ui::vbYesNo);
    EXPECT_EQ(box.icon, ui::vbCritical);
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_TRUE(box.text.startsWith("It appears that a backup is underway on a data file in " +
                                    home() + "/. It could be"));
    EXPECT_TRUE(box.text.endsWith("\r\n\r\nDo you still want to load the data file?"));
    EXPECT_TRUE(signedIn());
    EXPECT_EQ(Global::DbConnection().dataSource(), first);

    script->openFile(second).answer(ui::vbNo);
    Forms::shared<frmOpen>()->cmdOpen->click();
    EXPECT_FALSE(Global::DbConnection().isOpen());
    ASSERT_NE(openWindow(), nullptr);
    EXPECT_TRUE(openWindow()->isVisible());
    EXPECT_TRUE(computers(second).isEmpty());
}

// Files that are not data files of this program: a text file, a database made by
// another program, a damaged one. Each gives a box naming the file, the load stops
// before the verification, and the file is left exactly as it was.
TEST_F(StartupTest, FileThatIsNotADataFileIsLeftAlone)
{
    shell::InstallApplicationFiles();
    const QString text = dir.write("letter.mdb", "Dear parents, lessons start on Monday.");
    const QString foreign = dir.file("accounts.mdb");
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(foreign).constData(), &db), SQLITE_OK);
        sqlite3_exec(db,
                     "CREATE TABLE Ledger (Id INTEGER PRIMARY KEY, Amount REAL);"
                     "INSERT INTO Ledger (Amount) VALUES (12.5);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    QByteArray damagedBytes("SQLite format 3", 16);
    damagedBytes += QByteArray(4080, '\x7f');
    const QString damaged = dir.write("damaged.mdb", damagedBytes);

    frmOpen::setCommandLine("/w");
    for (const QString &file : {text, foreign, damaged}) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray before = fingerprint(file);
        const QDateTime modified = QFileInfo(file).lastModified();
        steps.clear();
        recordSteps();
        script->openFile(file).answer(ui::vbOK);
        Forms::shared<frmOpen>()->cmdOpen->click();
        ASSERT_FALSE(script->shown().isEmpty());
        const ui::ShownDialog box = script->shown().last();
        if (file == damaged) {
            EXPECT_TRUE(box.text.contains(file));
        } else {
            EXPECT_EQ(box.title, QStringLiteral("Data File Invalid"));
            EXPECT_TRUE(box.text.endsWith("\r\n\r\nFile name: " + file));
            EXPECT_TRUE(box.text.startsWith("The file that you are trying to open is not in a "
                                            "format that Ovix can read."));
        }
        EXPECT_EQ(steps.last(), QStringLiteral("Loading Data File..."));
        EXPECT_FALSE(Global::DbConnection().isOpen());
        EXPECT_EQ(fingerprint(file), before);
        EXPECT_EQ(QFileInfo(file).lastModified(), modified);
        ASSERT_NE(openWindow(), nullptr);
        EXPECT_TRUE(openWindow()->isVisible());
        EXPECT_FALSE(signedIn());
    }
}

// The sample file: loaded when present, else the "Problem" box.
TEST_F(StartupTest, SampleFile)
{
    frmOpen *open = Forms::shared<frmOpen>();
    script->answer(ui::vbOK);
    open->cmdPractice->click();
    ASSERT_EQ(boxTitles(), QStringList({"Problem"}));
    EXPECT_EQ(script->shown().last().text,
              "The sample data file does not exist on this computer. Please verify that a file "
              "exists at '" +
                  home() +
                  "/sample.mdb' and that you have the appropriate permissions to access it.");
    makeDataFile(homeFile("sample.mdb"));
    open->chkNoShow->setChecked(true);
    open->cmdPractice->click();
    EXPECT_TRUE(signedIn());
    EXPECT_EQ(dataPathLines(), QStringList({home(), "sample.mdb", "N", ""}));
}

// A log-on mode of 1 shows the log-in window instead of signing in; a computer
// already registered under another letter case is marked, not added.
TEST_F(StartupTest, LogonModeAndWorkstationRegistration)
{
    shell::InstallApplicationFiles();
    const QString file = makeDataFile(dir.path() + "/club.mdb", "Swim Centre", 1);
    const QString name = shell::WorkstationName();
    const QString otherCase = name.toUpper() == name ? name.toLower() : name.toUpper();
    {
        jet::Connection db;
        db.open("Data Source=" + file);
        db.execute("INSERT INTO Computers (Name, InUse) VALUES ('Front Desk', '0')");
        db.execute("INSERT INTO Computers (Name, InUse) VALUES ('" + otherCase + "', '0')");
    }
    shell::RegisterWindow("frmLogin", [] {
        auto *f = new ui::Form;
        f->setObjectName("frmLogin");
        f->setMdiChild(false);
        return f;
    });
    recordSteps();
    frmOpen::setCommandLine("/w");
    script->openFile(file);
    Forms::shared<frmOpen>()->cmdOpen->click();

    ui::Form *login = Forms::find("frmLogin");
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(Forms::find("frmParent"), nullptr);
    EXPECT_TRUE(Global::CurrentUserId.isEmpty());
    EXPECT_EQ(steps.last(), QStringLiteral("Preparing for login..."));
    EXPECT_EQ(computers(file), QStringList({"Front Desk=0", otherCase + "=1"}));
}

// Errors after the connection is open: the first one is reported and the load goes
// on; the next asks whether to go on. A data file without its Computers table and a
// main window that fails to open show both.
TEST_F(StartupTest, LaterErrorsAreReportedAndAsked)
{
    shell::InstallApplicationFiles();
    const QString file = makeDataFile(dir.path() + "/club.mdb");
    {
        jet::Connection db;
        db.open("Data Source=" + file);
        db.execute("DROP TABLE Computers");
    }
    shell::RegisterWindow("frmParent", []() -> ui::Form * { throw vb::Error(7, "Out of memory"); });
    frmOpen::setCommandLine("/w");
    script->openFile(file).answer(ui::vbOK).answer(ui::vbNo);
    Forms::shared<frmOpen>()->cmdOpen->click();
    EXPECT_EQ(boxTitles(), QStringList({"Oops!", "Login User Error"}));
    EXPECT_TRUE(script->shown()[1].text.startsWith(
        "An error occurred in the second phase of loading the data file.\r\nErr#"));
    EXPECT_TRUE(script->shown()[1].text.endsWith(
        ".\r\nOvix will attempt to continue but the file may not load correctly."));
    // The main window fails inside the sign-in, which asks on its own.
    EXPECT_TRUE(script->shown()[2].text.startsWith(
        "An error occurred when logging in the user. \r\nErr#7 - Out of memory\r\n"));
    EXPECT_EQ(script->shown()[2].buttons, ui::vbYesNo);
    EXPECT_FALSE(signedIn());
}

// Ticking "Don't Show This Again" with the mouse explains it; with the space bar, or
// unticking, shows nothing.
TEST_F(StartupTest, DontShowAgainExplainsItselfOnAMouseTick)
{
    frmOpen *open = Forms::shared<frmOpen>();
    open->showForm();
    QTest::keyClick(open->chkNoShow, Qt::Key_Space);
    EXPECT_TRUE(open->chkNoShow->isChecked());
    EXPECT_TRUE(script->shown().isEmpty());
    QTest::mouseClick(open->chkNoShow, Qt::LeftButton);
    EXPECT_FALSE(open->chkNoShow->isChecked());
    EXPECT_TRUE(script->shown().isEmpty());
    script->answer(ui::vbOK);
    QTest::mouseClick(open->chkNoShow, Qt::LeftButton);
    EXPECT_TRUE(open->chkNoShow->isChecked());
    ASSERT_EQ(boxTitles(), QStringList({"This is how it works..."}));
    EXPECT_EQ(script->shown()[0].text,
              "When you tick 'Don't show this again', Ovix will load whatever file you "
              "open/create this time every time you run Ovix.");
    EXPECT_EQ(script->shown()[0].icon, ui::vbInformation);
}

// Once Open was used in a showing of the window, even for a file that did not load,
// the sample file loaded from the same showing leaves "DataPath.txt" as it was.
TEST_F(StartupTest, OpenButtonKeepsTheDataPathFileForTheShowing)
{
    shell::InstallApplicationFiles();
    makeDataFile(homeFile("sample.mdb"));
    writeDataPath("/srv/swim", "club.mdb", "Y");
    frmOpen *open = Forms::shared<frmOpen>();
    script->openFile(dir.path() + "/nowhere.mdb").answer(ui::vbOK);
    open->cmdOpen->click();
    open->cmdPractice->click();
    EXPECT_TRUE(signedIn());
    EXPECT_EQ(dataPathLines(), QStringList({"/srv/swim", "club.mdb", "Y", ""}));
}
