#include "accessfixture.h"

#include "access/permissions.h"
#include "access/services.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"

#include <QCoreApplication>
#include <QEvent>

void AccessTest::SetUp()
{
    dataFile = dir.file(QStringLiteral("default.mdb"));
    imodStructure::CreateTemplate(dataFile);
    Global::DatabaseType = QStringLiteral("Jet");
    Global::CurrentDataFile = QStringLiteral("default.mdb");
    Global::CentreSettings().setDataFilesDirectory(dir.path());
    Global::CentreSettings().setApplicationName(QStringLiteral("Ovixian"));
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
    Global::DbConnection().open(QStringLiteral("Data Source=") + dataFile);
    Global::LoadGlobalSettings();
    Global::CentreSettings().setSettings(int(CentreSettingIds::DisplayCalendar), 0);
    Global::CurrentUserId.clear();
    Global::CurrentUserName.clear();

    exec(QStringLiteral("DELETE FROM Users WHERE UserID <> 'i'"));
    exec(QStringLiteral("INSERT INTO Users (UserID, [Name], Password, Admin, EditClasses, "
                        "Reports, UserAccounts, Discounts) VALUES ('ANN', 'Ann Lee', 'Secret', 0, "
                        "1, 2, 0, 1)"));

    for (const char *name : {"frmParent", "Main", "frmAlerts", "frmBackup"}) {
        const QString n = QString::fromLatin1(name);
        makers[n] = [n] { return new AccessFakeWindow(n, false); };
    }
    makers[QStringLiteral("frmLoadUp")] = [] {
        return new AccessFakeWindow(QStringLiteral("frmLoadUp"), false);
    };

    useraccess::Services services;
    services.loadWindow = [this](const QString &name) -> ui::Form * {
        if (ui::Form *f = ui::Forms::find(name))
            return f;
        if (!makers.contains(name))
            return nullptr;
        ui::Form *f = makers[name]();
        f->load();
        return f;
    };
    services.registerWindow = [this](const QString &name, useraccess::WindowMaker maker) {
        makers[name] = std::move(maker);
    };
    services.showStep = [this](const QString &text) { steps << text; };
    services.unloadProgress = [] { ui::Forms::unloadByName(QStringLiteral("frmLoadUp")); };
    useraccess::Install(services);
    useraccess::SetCapsLockProbe([] { return false; });
    script = std::make_unique<ui::DialogScript>();
}

void AccessTest::TearDown()
{
    ui::Forms::unloadAll(ui::CloseReason::Code);
    flush();
    script.reset();
    useraccess::Install({});
    useraccess::SetCapsLockProbe({});
    Global::DropDbConnection();
    Global::CurrentUserRights().Clear();
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentUserName.clear();
    Global::SignOutCaption.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});
}

void AccessTest::exec(const QString &sql)
{
    Global::DbConnection().execute(sql);
}

QVariant AccessTest::value(const QString &sql)
{
    jet::Recordset rs(Global::DbConnection(), sql);
    return rs.eof() ? QVariant() : rs.value(0);
}

ui::Form *AccessTest::loaded(const QString &name)
{
    return ui::Forms::find(name);
}

void AccessTest::flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
