#include "backup.h"

#include "sqliteerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace jet::detail {

namespace {

struct Database
{
    sqlite3 *db = nullptr;
    ~Database() { sqlite3_close_v2(db); }
};

// How long a copy waits for other connections to let go of the file.
constexpr int BusyWaitMs = 10000;
// Short waits: a workstation that writes often leaves only brief gaps between its commits.
constexpr int RetrySleepMs = 5;

[[noreturn]] void fail(const QString &target, const QString &why)
{
    throw Error(err::Unspecified,
                QStringLiteral("The data file could not be copied to '%1': %2").arg(target, why));
}

} // namespace

void backupDatabase(sqlite3 *source, const QString &target)
{
    const QFileInfo info(target);
    if (!info.absoluteDir().exists())
        fail(target, QStringLiteral("the folder does not exist."));

    // A free name beside the target, so that the final rename stays on one file system.
    QTemporaryFile part(
        info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX.part")));
    part.setAutoRemove(true);
    if (!part.open())
        fail(target, part.errorString());
    part.close();
    const QString partPath = part.fileName();

    {
        Database dest;
        int rc = sqlite3_open_v2(QFile::encodeName(partPath).constData(), &dest.db,
                                 SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            fail(target, QString::fromUtf8(sqlite3_errmsg(dest.db)));

        sqlite3_backup *backup = sqlite3_backup_init(dest.db, "main", source, "main");
        if (!backup)
            fail(target, QString::fromUtf8(sqlite3_errmsg(dest.db)));
        int waited = 0;
        do {
            rc = sqlite3_backup_step(backup, -1);
            if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < BusyWaitMs) {
                sqlite3_sleep(RetrySleepMs);
                waited += RetrySleepMs;
            }
        } while ((rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) &&
                 waited < BusyWaitMs);
        const int finished = sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE)
            throw sqliteError(rc, QString::fromUtf8(sqlite3_errstr(rc)), {}, target);
        if (finished != SQLITE_OK)
            throw sqliteError(dest.db, finished);
    }

    // Only a complete copy replaces what is at the target.
    if (::rename(QFile::encodeName(partPath).constData(), QFile::encodeName(target).constData()) !=
        0)
        fail(target, QString::fromLocal8Bit(std::strerror(errno)));
    part.setAutoRemove(false);
}

} // namespace jet::detail
