#include "accessfixture.h"

#include "access/permissions.h"
#include "access/services.h"
#include "access/signin.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "datafile/templatedatafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"

#include <QCoreApplication>
#include <QEvent>

void AccessTest::SetUp()
{
    dataFile = ovix::test::OpenTemplateDataFile(dir.path());
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
    ovix::test::CloseTemplateDataFile();
    Global::CurrentUserRights().Clear();
    Global::CurrentUserName.clear();
    Global::SignOutCaption.clear();
}

void AccessTest::exec(const QString &sql)
{
    ovix::test::Exec(sql);
}

QVariant AccessTest::value(const QString &sql)
{
    return ovix::test::FirstValue(sql);
}

ui::Form *AccessTest::loaded(const QString &name)
{
    return ui::Forms::find(name);
}

void AccessTest::flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
