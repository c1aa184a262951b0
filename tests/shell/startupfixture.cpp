#include "startupfixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/mdihost.h"
#include "shell/datapathfile.h"
#include "shell/frmloadup.h"
#include "shell/frmopen.h"
#include "shell/frmsplash.h"
#include "shell/loginuser.h"
#include "shell/startupservices.h"
#include "shell/startupstate.h"
#include "platform/ui/windowregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QSettings>
#include <QVBoxLayout>

StartupMainWindow::StartupMainWindow()
{
    setObjectName(QStringLiteral("frmParent"));
    setMdiChild(false);
    setCaption(QStringLiteral("Ovixian"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *menu = new QMenuBar(this);
    menu->addMenu(QStringLiteral("&File"));
    menu->addMenu(QStringLiteral("&Help"));
    layout->setMenuBar(menu);
    layout->addWidget(new QMdiArea(this));
    resize(800, 600);
}

void StartupTest::SetUp()
{
    QDir().mkpath(home());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + "/settings");
    script = std::make_unique<ui::DialogScript>();
    frmSplash::setPrinterQuery([] { return QStringLiteral("Office Printer"); });
    frmOpen::setCommandLine(QStringLiteral(""));
    shell::RegisterWindow(QStringLiteral("frmParent"), [] { return new StartupMainWindow; });
    shell::setSetupWizardHook([this] { ++wizardCalls; });
    Global::CentreSettings().setApplicationName(QStringLiteral("Ovixian"));
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
}

void StartupTest::TearDown()
{
    script.reset();
    ui::Forms::unloadAll(ui::CloseReason::Code);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::Hourglass::reset();
    shell::RegisterWindow(QStringLiteral("frmParent"), {});
    shell::RegisterWindow(QStringLiteral("frmLogin"), {});
    shell::RegisterWindow(QStringLiteral("Main"), {});
    shell::setSetupWizardHook({});
    frmSplash::setPrinterQuery({});
    frmOpen::setCommandLine(QString());
    Global::DropDbConnection();
    Global::DataFileLoaded = false;
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentUserName.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});
}

QString StartupTest::makeDataFile(const QString &path, const QString &centreName, int requireLogon)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    imodStructure::CreateTemplate(path);
    jet::Connection db;
    db.open(QStringLiteral("Data Source=") + path);
    db.execute(QStringLiteral("UPDATE CentreInfo SET CentreName = '%1', RequireLogonAtStart = %2")
                   .arg(centreName)
                   .arg(requireLogon));
    db.close();
    return path;
}

void StartupTest::writeDataPath(const QString &folder, const QString &file, const QString &flag)
{
    shell::WriteDataPath(folder, file, flag);
}

QStringList StartupTest::dataPathLines() const
{
    QFile file(homeFile(QStringLiteral("DataPath.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
}

void StartupTest::startProgram()
{
    frmSplash *splash = ui::Forms::shared<frmSplash>();
    splash->Timer1_Timer();
}

void StartupTest::recordSteps()
{
    QObject::connect(ui::Forms::shared<frmLoadUp>(), &frmLoadUp::stepShown,
                     [this](const QString &text) { steps << text; });
}

QStringList StartupTest::computers(const QString &path) const
{
    jet::Connection db;
    db.open(QStringLiteral("Data Source=") + path);
    jet::Recordset rs(db, QStringLiteral("SELECT Name, InUse FROM Computers ORDER BY ComputerID"));
    QStringList rows;
    while (!rs.eof()) {
        rows << rs.value(0).toString() + QLatin1Char('=') + rs.value(1).toString();
        rs.moveNext();
    }
    return rows;
}

QStringList StartupTest::boxTitles() const
{
    QStringList titles;
    for (const ui::ShownDialog &box : script->shown())
        if (box.kind == ui::DialogKind::MessageBox)
            titles << box.title;
    return titles;
}
