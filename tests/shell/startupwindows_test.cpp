// The splash, the progress windows and the workstation settings window.
#include "startupfixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/modregistryapis.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/timer.h"
#include "platform/vb/error.h"
#include "shell/datapathfile.h"
#include "shell/frmloading.h"
#include "shell/frmloadup.h"
#include "shell/frmsplash.h"
#include "shell/frmworkstation.h"
#include "shell/pagesetup.h"
#include "shell/startupservices.h"
#include "shell/startupstate.h"
#include "platform/ui/windowregistry.h"
#include "support/screenshot.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>

using ui::Forms;

namespace {

QString printSetting(const QString &section, const QString &name)
{
    return modRegistryAPIs::GetRegValue(
               imodGlobalSubs::PageSetupRoot, imodGlobalSubs::PageSetupCompany,
               imodGlobalSubs::PageSetupApplication, section, name, QStringLiteral("<none>"))
        .toString();
}

void setPrintSetting(const QString &section, const QString &name, const QString &value)
{
    modRegistryAPIs::SaveRegValue(imodGlobalSubs::PageSetupRoot, imodGlobalSubs::PageSetupCompany,
                                  imodGlobalSubs::PageSetupApplication, section, name, value);
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

using SplashTest = StartupTest;

// The product's names from "ProductInfo.txt"; a one-line file is a "Minor Error"
// that leaves the names unset, and the splash still comes up.
TEST_F(SplashTest, ProductNames)
{
    struct Case
    {
        const char *contents; // null: no file
        const char *fullName;
        const char *shortName;
        bool minorError;
    };
    const Case cases[] = {
        {nullptr, "Ovixian", "Ovix", false},
        {"Dolphin Swim Office\r\nDolphin\r\nextra\r\n", "Dolphin Swim Office", "Dolphin", false},
        {"Dolphin Swim Office\r\n", "unset", "unset", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fullName);
        QFile::remove(homeFile("ProductInfo.txt"));
        if (c.contents)
            dir.write("home/ProductInfo.txt", c.contents);
        Global::CentreSettings().setApplicationName("unset");
        Global::CentreSettings().setShortAppName("unset");
        if (c.minorError)
            script->answer(ui::vbOK);
        frmSplash *splash = Forms::shared<frmSplash>();
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(Global::CentreSettings().ApplicationName(), QLatin1String(c.fullName));
        EXPECT_EQ(Global::CentreSettings().ShortAppName(), QLatin1String(c.shortName));
        if (c.minorError) {
            ASSERT_EQ(script->shown().size(), 1);
            EXPECT_EQ(script->shown()[0].title, QStringLiteral("Minor Error"));
            EXPECT_EQ(script->shown()[0].icon, ui::vbExclamation);
            EXPECT_TRUE(
                script->shown()[0].text.startsWith("An error occurred when loading the splash "
                                                   "screen and printer settings.\r\nErr#62 - "));
        } else {
            EXPECT_TRUE(script->shown().isEmpty());
        }
        splash->unload();
    }
}

// A picture in "splash.gif" replaces the built-in one; a damaged one is ignored.
TEST_F(SplashTest, SplashPicture)
{
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(homeFile("splash.gif"), "GIF") || red.save(homeFile("splash.gif"), "PNG"));
    frmSplash *splash = Forms::shared<frmSplash>();
    EXPECT_EQ(splash->SplashImage->pixmap().size(), QSize(40, 20));
    splash->unload();

    dir.write("home/splash.gif", "GIF89a broken");
    splash = Forms::shared<frmSplash>();
    EXPECT_GT(splash->SplashImage->pixmap().width(), 40);
    EXPECT_TRUE(script->shown().isEmpty());
}

// The print settings: replaced at start, blanks saved as the defaults, written
// back at exit; without a printer the "No Printer" box and nothing touched.
TEST_F(SplashTest, PrintSettingsSavedAndRestored)
{
    setPrintSetting("PageSetup", "footer", " ");
    setPrintSetting("PageSetup", "header", "Swim Club");
    Forms::shared<frmSplash>()->unload();
    EXPECT_EQ(printSetting("PageSetup", "footer"), QString()); // " ", read without its blank
    EXPECT_EQ(printSetting("Main", "Print_Background"), QStringLiteral("yes"));
    EXPECT_EQ(Global::SavedPageFooter, QStringLiteral("&u &b&bPage &p of &P"));
    EXPECT_EQ(Global::SavedPageHeader, QStringLiteral("Swim Club"));
    EXPECT_EQ(Global::SavedPrintBackground, QStringLiteral("no"));
    imodGlobalSubs::RestorePageSetup();
    EXPECT_EQ(printSetting("PageSetup", "footer"), QStringLiteral("&u &b&bPage &p of &P"));
    EXPECT_EQ(printSetting("PageSetup", "header"), QStringLiteral("Swim Club"));
    EXPECT_EQ(printSetting("Main", "Print_Background"), QStringLiteral("no"));

    // No printer: one box, and neither the start nor the exit writes anything.
    setPrintSetting("PageSetup", "header", "Club");
    frmSplash::setPrinterQuery([] { return QString(); });
    script->answer(ui::vbOK);
    Forms::shared<frmSplash>();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("No Printer"));
    EXPECT_EQ(script->shown()[0].icon, ui::vbInformation);
    EXPECT_EQ(printSetting("PageSetup", "header"), QStringLiteral("Club"));
    imodGlobalSubs::RestorePageSetup();
    EXPECT_EQ(printSetting("PageSetup", "header"), QStringLiteral("Club"));
}

using ProgressWindowTest = StartupTest;

TEST_F(ProgressWindowTest, LoadUpDefaultsAndSteps)
{
    Global::CentreSettings().setApplicationName("Dolphin Swim Office");
    frmLoadUp *f = Forms::shared<frmLoadUp>();
    EXPECT_EQ(f->caption(), QStringLiteral("Dolphin Swim Office"));
    EXPECT_EQ(f->lblHeading->text(), QStringLiteral("Dolphin Swim Office"));
    EXPECT_EQ(f->lblSubTitle->text(),
              QStringLiteral("Please wait while Dolphin Swim Office loads your data file"));
    EXPECT_TRUE(f->lblCurrent->text().isEmpty());
    f->LoadUp("Backup", "Backing up", "Please wait");
    EXPECT_EQ(f->caption(), QStringLiteral("Backup"));
    f->unload();

    Global::CentreSettings().setApplicationName("Ovixian");
    frmLoadUp::ShowStep(QStringLiteral("Loading Data File..."));
    f = Forms::shared<frmLoadUp>();
    EXPECT_EQ(f->lblHeading->text(), QStringLiteral("Ovixian"));
    EXPECT_EQ(f->lblCurrent->text(), QStringLiteral("Loading Data File..."));
    f->showForm();
    ovix::test::saveScreenshot(f, QStringLiteral("frmLoadUp"));
}

// Each showing picks one of six pictures; all come up over many showings. Its timer
// refills the class search once and unloads the window.
TEST_F(ProgressWindowTest, LoadingWindow)
{
    QSet<int> seen;
    for (int i = 0; i < 200 && seen.size() < 6; ++i) {
        frmLoading *f = Forms::create<frmLoading>();
        seen.insert(f->shownPicture());
        f->unload();
    }
    EXPECT_EQ(seen.size(), 6);

    StartupClassSearch::fills = 0;
    shell::RegisterWindow("Main", [] { return new StartupClassSearch; });
    frmLoading *f = Forms::shared<frmLoading>();
    f->showForm();
    EXPECT_EQ(f->caption(), QStringLiteral("Ovixian"));
    EXPECT_EQ(f->Label1->text(), QStringLiteral("Loading... Please Wait..."));
    EXPECT_EQ(f->Timer1->interval(), 300);
    EXPECT_FALSE(f->Timer1->isEnabled());
    f->Timer1->setEnabled(true);
    f->Timer1_Timer();
    EXPECT_EQ(StartupClassSearch::fills, 1);
    EXPECT_FALSE(f->Timer1->isEnabled());
    EXPECT_EQ(Forms::find("frmLoading"), nullptr);
}

using WorkstationTest = StartupTest;

// The option follows the third line of "DataPath.txt"; the path box shows the open file.
TEST_F(WorkstationTest, LoadShowsTheChoice)
{
    Global::CentreSettings().setDataFilesDirectory(dir.path());
    Global::CurrentDataFile = "club.mdb";
    for (const char *flag : {"N", "Y", "n", ""}) {
        SCOPED_TRACE(flag);
        shell::WriteDataPath("%", "other.mdb", flag);
        frmWorkstation *f = Forms::shared<frmWorkstation>();
        const bool single = QLatin1String(flag) == QLatin1String("N");
        EXPECT_EQ(f->optSingle->isChecked(), single);
        EXPECT_EQ(f->optMultiple->isChecked(), !single);
        EXPECT_EQ(f->txtPath->isHidden(), !single);
        EXPECT_EQ(f->cmdFind->isHidden(), !single);
        EXPECT_EQ(f->txtPath->text(), dir.path() + "/club.mdb");
        f->unload();
    }
    EXPECT_TRUE(script->shown().isEmpty());
}

// Saving: one file mode writes its folder ("%" for the application data folder),
// several-files mode writes "%", "default.mdb", "Y"; the login file keeps the ID
// and the password.
TEST_F(WorkstationTest, SaveWritesBothFiles)
{
    const QString club = dir.write("data/club.mdb", "x");
    const QString inHome = dir.write("home/home.mdb", "x");
    struct Case
    {
        bool single;
        QString path;
        QStringList dataPath;
    };
    const Case cases[] = {
        {true, club, {dir.path() + "/data", "club.mdb", "N", ""}},
        {true, inHome, {"%", "home.mdb", "N", ""}},
        {false, club, {"%", "default.mdb", "Y", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        shell::WriteDataPath("%", "default.mdb", "Y");
        frmWorkstation *f = Forms::shared<frmWorkstation>();
        f->showForm();
        (c.single ? f->optSingle : f->optMultiple)->click();
        EXPECT_EQ(f->txtPath->isVisible(), c.single);
        f->txtPath->setText(c.path);
        f->txtUserID->setText("C-1042");
        f->txtPassword->setText("s3cret");
        f->cmdOK->click();
        EXPECT_EQ(Forms::find("frmWorkstation"), nullptr);
        EXPECT_EQ(readFile(homeFile("DataPath.txt")).split("\r\n"), c.dataPath);
        const QStringList login = readFile(homeFile("ovix-software.txt")).split("\r\n");
        ASSERT_EQ(login.size(), 3);
        EXPECT_EQ(login[0], QStringLiteral("C-1042"));
        EXPECT_EQ(shell::ScramblePassword(login[1], -1), QStringLiteral("s3cret"));
    }
    // The saved values come back at the next load.
    frmWorkstation *f = Forms::shared<frmWorkstation>();
    EXPECT_EQ(f->txtUserID->text(), QStringLiteral("C-1042"));
    EXPECT_EQ(f->txtPassword->text(), QStringLiteral("s3cret"));
    EXPECT_EQ(f->txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(script->shown().isEmpty());
}

// A file that is gone: "Hmmmm" and nothing written. Without "DataPath.txt" the window
// warns, opens without a choice, and saving creates both files (empty ID and
// password as two empty lines). Cancel writes nothing.
TEST_F(WorkstationTest, RefusalsAndAMissingDataPathFile)
{
    script->answer(ui::vbOK);
    frmWorkstation *f = Forms::shared<frmWorkstation>();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Oops!"));
    EXPECT_EQ(script->shown()[0].text,
              "The data path file does not exist at " + home() + "/DataPath.txt.");
    EXPECT_FALSE(f->optSingle->isChecked());
    EXPECT_FALSE(f->optMultiple->isChecked());
    f->showForm();
    f->optSingle->click();
    f->txtPath->setText(dir.path() + "/deleted.mdb");
    f->txtUserID->setText("C-1042");
    f->txtPassword->setText("s3cret");
    ovix::test::saveScreenshot(f, QStringLiteral("frmWorkstation"));
    script->answer(ui::vbOK);
    f->cmdOK->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Hmmmm"));
    EXPECT_FALSE(QFile::exists(homeFile("DataPath.txt")));
    EXPECT_EQ(Forms::find("frmWorkstation"), f);

    f->cmdClose->click();
    EXPECT_EQ(Forms::find("frmWorkstation"), nullptr);
    EXPECT_FALSE(QFile::exists(homeFile("DataPath.txt")));

    script->answer(ui::vbOK);
    f = Forms::shared<frmWorkstation>();
    f->optMultiple->click();
    f->cmdOK->click();
    EXPECT_EQ(readFile(homeFile("DataPath.txt")), QStringLiteral("%\r\ndefault.mdb\r\nY\r\n"));
    EXPECT_EQ(readFile(homeFile("ovix-software.txt")), QStringLiteral("\r\n\r\n"));
}

// A rewrite that fails part-way (here: the file size limit stops the write)
// leaves "DataPath.txt" as it was, never empty or gone.
TEST_F(WorkstationTest, DataPathFileIntactWhenItsRewriteFails)
{
    shell::WriteDataPath("%", "kept.mdb", "N");
    const QStringList before = shell::ReadTextLines(shell::DataPathFile());

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        shell::WriteDataPath("/a/much/longer/folder/than/eight/bytes", "new.mdb", "Y");
    } catch (const vb::Error &e) {
        raised = e.number() == 75;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_TRUE(raised);
    EXPECT_EQ(shell::ReadTextLines(shell::DataPathFile()), before);
    EXPECT_EQ(QDir(QFileInfo(shell::DataPathFile()).path())
                  .entryList({QStringLiteral("DataPath.txt*")}, QDir::Files),
              QStringList({"DataPath.txt"}))
        << "no half-written file is left beside it";
}
