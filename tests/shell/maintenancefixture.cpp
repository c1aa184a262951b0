#include "maintenancefixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "shell/frmopen.h"
#include "shell/maintenancewindows.h"
#include "platform/ui/windowregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <sqlite3.h>

void MaintenanceTest::SetUp()
{
    QDir().mkpath(home());
    QDir().mkpath(dataFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + "/settings");
    script = std::make_unique<ui::DialogScript>();
    frmOpen::setCommandLine(QStringLiteral(""));
    shell::RegisterMaintenanceWindows();
    shell::setEndProgramHook([this] { ++endProgramCalls; });
    Global::CentreSettings().setApplicationName(QStringLiteral("Ovixian"));
    Global::CentreSettings().setShortAppName(QStringLiteral("Ovix"));
    makeDataFile(dataFile(), QStringLiteral("Swim Centre"));
    openDataFile();
}

void MaintenanceTest::TearDown()
{
    script.reset();
    ui::Forms::unloadAll(ui::CloseReason::Code);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::Hourglass::reset();
    for (const char *name : {"frmBackup", "frmRestore", "frmSetupWiz", "frmSQL"})
        shell::RegisterWindow(QLatin1String(name), {});
    shell::setEndProgramHook({});
    frmOpen::setCommandLine(QString());
    Global::DropDbConnection();
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});
}

void MaintenanceTest::makeDataFile(const QString &path, const QString &centreName)
{
    imodStructure::CreateTemplate(path);
    execute(path, QStringLiteral("UPDATE CentreInfo SET CentreName = '%1'").arg(centreName));
}

void MaintenanceTest::openDataFile()
{
    Global::CentreSettings().setDataFilesDirectory(dataFolder());
    Global::CurrentDataFile = QStringLiteral("default.mdb");
    Global::DatabaseType = QStringLiteral("Jet");
    Global::CurrentUserId = QStringLiteral("1");
    Global::DbConnection().open(QStringLiteral("Data Source=") + dataFile());
    Global::CentreSettings().LoadSettingsFromDb();
}

QVariant MaintenanceTest::queryValue(const QString &path, const QString &sql)
{
    jet::Connection db;
    db.open(QStringLiteral("Data Source=") + path);
    jet::Recordset rs(db, sql);
    return rs.eof() ? QVariant() : rs.value(0);
}

void MaintenanceTest::execute(const QString &path, const QString &sql)
{
    jet::Connection db;
    db.open(QStringLiteral("Data Source=") + path);
    db.execute(sql);
}

bool MaintenanceTest::isReadableDataFile(const QString &path)
{
    try {
        jet::Connection db;
        db.open(QStringLiteral("Data Source=") + path);
        if (!db.tableExists(QStringLiteral("CentreInfo")))
            return false;
        sqlite3_stmt *check = nullptr;
        if (sqlite3_prepare_v2(db.openHandle(), "PRAGMA integrity_check", -1, &check, nullptr) !=
            SQLITE_OK)
            return false;
        bool ok = sqlite3_step(check) == SQLITE_ROW &&
                  qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok") == 0;
        sqlite3_finalize(check);
        return ok;
    } catch (...) {
        return false;
    }
}

QByteArray MaintenanceTest::readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList MaintenanceTest::boxTitles() const
{
    QStringList titles;
    for (const ui::ShownDialog &box : script->shown())
        if (box.kind == ui::DialogKind::MessageBox)
            titles << box.title;
    return titles;
}
