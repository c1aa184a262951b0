#include "mainwin_fixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/sqlquote.h"
#include "datafile/templatedatafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "shell/frmbrowser.h"
#include "shell/frmparent.h"
#include "shell/loginuser.h"
#include "shell/startupservices.h"
#include "shell/userrights.h"
#include "platform/ui/windowregistry.h"

#include <QCoreApplication>
#include <QEvent>

MainWinFakeClass::MainWinFakeClass()
{
    setObjectName(QStringLiteral("frmViewClass"));
    auto *box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("ViewClassMode"));
}

QString MainWinFakeClass::mode() const
{
    return findChild<QLineEdit *>(QStringLiteral("ViewClassMode"))->text();
}

void MainWindowTest::SetUp()
{
    ovix::test::OpenTemplateDataFile(dir.path());
    Global::CurrentUserId = QStringLiteral("i");
    Global::LoadCurrentUserRights();
    exec(QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES (%1, '1')")
             .arg(Global::SqlText(shell::WorkstationName())));

    script = std::make_unique<ui::DialogScript>();
    shell::RegisterMainWindows();
    MainWinFakeFind::calls.clear();
    MainWinFakeClass::loads.clear();
    MainWinFakePassword::requests.clear();
    MainWinFakePassword::callers.clear();
    MainWinFakePassword::extras.clear();
    MainWinFakeBackup::onCloses.clear();
}

void MainWindowTest::TearDown()
{
    ui::Forms::unloadAll(ui::CloseReason::Code);
    flush();
    for (const QString &name : std::as_const(registered))
        shell::RegisterWindow(name, {});
    script.reset();
    Global::NextBrowserLeft = 0;
    Global::NextBrowserTop = 0;
    ovix::test::CloseTemplateDataFile();
    Global::CurrentUserRights().Clear();
}

frmParent *MainWindowTest::showMain()
{
    auto *main = ui::Forms::shared<frmParent>();
    main->showForm();
    return main;
}

void MainWindowTest::exec(const QString &sql)
{
    Global::DbConnection().execute(sql);
}

QStringList MainWindowTest::computers()
{
    QStringList rows;
    jet::Recordset rs(Global::DbConnection(), QStringLiteral("SELECT Name, InUse FROM Computers"));
    while (!rs.eof()) {
        rows << rs.value(0).toString() + QLatin1Char('=') + rs.value(1).toString();
        rs.moveNext();
    }
    return rows;
}

void MainWindowTest::registerFake(const QString &name)
{
    registered << name;
    if (name == QLatin1String("frmFindStudent"))
        shell::RegisterWindow(name, [] { return ui::Forms::shared<MainWinFakeFind>(); });
    else if (name == QLatin1String("frmPassword"))
        shell::RegisterWindow(name, [] { return ui::Forms::shared<MainWinFakePassword>(); });
    else if (name == QLatin1String("frmViewClass"))
        shell::RegisterWindow(name, [] { return new MainWinFakeClass(); });
    else if (name == QLatin1String("frmBackup"))
        shell::RegisterWindow(name, [] { return ui::Forms::shared<MainWinFakeBackup>(); });
    else
        shell::RegisterWindow(name, [name] { return new MainWinFakeWindow(name); });
}

void MainWindowTest::flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
