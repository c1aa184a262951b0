#include "backup.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/globalsettings.h"
#include "core/imodvista.h"
#include "dataloader.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace shell {

namespace {

std::function<void(const QString &)> &copyObserver()
{
    static std::function<void(const QString &)> observer;
    return observer;
}

QString appBackupsFolder()
{
    return Global::DefaultBackupFolder();
}

[[noreturn]] void copyFailed(const QString &target, const QString &why)
{
    throw jet::Error(
        jet::err::Unspecified,
        QStringLiteral("The data file could not be copied to '%1': %2").arg(target, why));
}

// Reads the copy back: it must open as a data file of this program and pass the
// engine's own check of its pages.
void checkCopy(const QString &copy, const QString &target)
{
    jet::Connection db;
    db.open(QStringLiteral("Data Source=") + copy);
    if (!db.tableExists(QStringLiteral("CentreInfo")))
        copyFailed(target, QStringLiteral("the copy does not hold a data file."));
    sqlite3_stmt *check = nullptr;
    if (sqlite3_prepare_v2(db.openHandle(), "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK)
        copyFailed(target, QString::fromUtf8(sqlite3_errmsg(db.openHandle())));
    QString result;
    if (sqlite3_step(check) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)));
    sqlite3_finalize(check);
    db.close();
    if (result != QLatin1String("ok"))
        copyFailed(target, QStringLiteral("the copy could not be read back (%1).").arg(result));
}

} // namespace

QString BackupFolder()
{
    QString location;
    try {
        location =
            Global::CentreSettings().Settings(int(CentreSettingIds::BackupLocation)).toString();
    } catch (const vb::Error &) {
        // No settings read yet: the default folder.
    }
    if (!location.isEmpty())
        return Global::StripTrailingSlash(location);
    const QString folder = appBackupsFolder();
    QDir().mkpath(folder);
    return folder;
}

QString BackupFileName(const QString &folder, const QDateTime &at)
{
    return folder + QStringLiteral("/ibackup") + at.toString(QStringLiteral("yyyyMMddhhmmss")) +
           QStringLiteral(".mdb");
}

bool WriteBackupMarker()
{
    try {
        QFile marker(BackupMarkerFile());
        if (!marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return marker.write("This is an automatically generated file that indicates that a backup "
                            "is in progress. It should be deleted automatically once the backup "
                            "is completed.\r\n") > 0;
    } catch (...) {
        return false;
    }
}

void DeleteBackupMarker()
{
    try {
        const QString path = BackupMarkerFile();
        if (!QFileInfo::exists(path))
            return;
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
        QFile::remove(path);
    } catch (...) {
    }
}

const QList<MaintenanceStatement> &MaintenanceStatements()
{
    static const QList<MaintenanceStatement> statements = {
        {QStringLiteral("Computers"), QStringLiteral("UPDATE Computers SET InUse = 0;")},
        {QStringLiteral("Students"),
         QStringLiteral("UPDATE Students SET Students.Student='N' WHERE (Students.StudentID=0);")},
        {QStringLiteral("Students"),
         QStringLiteral("UPDATE Students SET Students.Employee='N' WHERE (Students.StudentID=0);")},
        {QStringLiteral("Students"),
         QStringLiteral("UPDATE Students SET Students.Vendor='N' WHERE (Students.StudentID=0);")},
        {QStringLiteral("Students"),
         QStringLiteral("UPDATE Students SET Students.Special='Y' WHERE (Students.StudentID=0);")},
        {QStringLiteral("Account Tax Codes"),
         QStringLiteral("UPDATE Accounts SET TaxCode = 'N-T' WHERE TaxCode IS NULL;")},
    };
    return statements;
}

std::optional<MaintenanceFailure> RunDataMaintenance(const QString &connectionString)
{
    QString stage = MaintenanceStatements().first().stage;
    try {
        jet::Connection db(connectionString);
        db.open();
        for (const MaintenanceStatement &s : MaintenanceStatements()) {
            stage = s.stage;
            db.execute(s.sql);
        }
        return std::nullopt;
    } catch (const jet::Error &e) {
        return MaintenanceFailure{stage, e.number(), e.description()};
    } catch (const vb::Error &e) {
        return MaintenanceFailure{stage, e.number(), e.description()};
    }
}

void DeleteReportTempFiles(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    const QStringList files =
        dir.entryList({QStringLiteral("temp*.htm")}, QDir::Files | QDir::Hidden);
    for (const QString &name : files) {
        const QString path = dir.filePath(name);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
        if (!QFile::remove(path))
            throw vb::Error(vb::err::PermissionDenied,
                            QStringLiteral("Permission denied: '%1'").arg(path));
    }
}

void CopyDataFile(const QString &source, const QString &target)
{
    const QFileInfo info(target);
    if (!info.absoluteDir().exists())
        copyFailed(target, QStringLiteral("the folder does not exist."));
    if (!QFileInfo(source).isFile())
        copyFailed(target, QStringLiteral("the data file '%1' does not exist.").arg(source));

    // The name the copy is written and checked under, beside the target so that the
    // final move stays on one file system.
    QString partial;
    {
        QTemporaryFile reserve(
            info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX.copy")));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            copyFailed(target, reserve.errorString());
        partial = reserve.fileName();
    }
    try {
        {
            jet::Connection db;
            db.open(QStringLiteral("Data Source=") + source);
            db.backupTo(partial);
            db.close();
        }
        if (copyObserver())
            copyObserver()(partial);
        checkCopy(partial, target);
        if (::rename(QFile::encodeName(partial).constData(),
                     QFile::encodeName(target).constData()) != 0)
            copyFailed(target, QString::fromLocal8Bit(std::strerror(errno)));
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
}

void setCopyObserver(std::function<void(const QString &)> observer)
{
    copyObserver() = std::move(observer);
}

bool IsSameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QString OpenDataFilePath()
{
    jet::Connection &db = Global::DbConnection();
    return db.isOpen() ? db.dataSource() : QString();
}

QString RestoreFolder(int kind)
{
    // Both kinds of backup lie in the application data folder's "Backups".
    if (kind == 0 || kind == 1)
        return appBackupsFolder() + QLatin1Char('/');
    return {};
}

QString RestorePattern(int kind)
{
    if (kind == 0)
        return QStringLiteral("*ibackup*.mdb");
    if (kind == 1)
        return QStringLiteral("*autobackup*.mdb");
    return {};
}

} // namespace shell
