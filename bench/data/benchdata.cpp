#include "benchdata.h"

#include "sampledata/sampledata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>

namespace benchdata {

namespace {

// Raise when the generator changes what it writes, so that cached files are made again.
constexpr int GeneratorVersion = 1;
constexpr std::uint32_t Seed = 1;

} // namespace

QString CacheFolder()
{
    QString folder = qEnvironmentVariable("OVIXIAN_BENCH_DATA");
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.cache/ovixian-bench");
    QDir().mkpath(folder);
    return folder;
}

QString BigDataFile()
{
    SampleData::Options options;
    options.size = SampleData::Size::Big;
    options.seed = Seed;
    const QString path =
        QDir(CacheFolder())
            .filePath(QStringLiteral("big-v%1-seed%2-%3.mdb")
                          .arg(GeneratorVersion)
                          .arg(Seed)
                          .arg(options.today.toString(QStringLiteral("yyyyMMdd"))));
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "Generating the big data file %s (a few minutes)...\n", qPrintable(path));
    QElapsedTimer timer;
    timer.start();
    SampleData::Generate(path, options);
    std::fprintf(stderr, "...written in %.0f s\n", timer.elapsed() / 1000.0);
    return path;
}

QString CopyOfBigFile(const QString &folder, const QString &name)
{
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    sqlite3 *from = nullptr;
    sqlite3 *to = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(BigDataFile()).constData(), &from,
                             SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_open(QFile::encodeName(target).constData(), &to);
    if (rc == SQLITE_OK) {
        sqlite3_backup *b = sqlite3_backup_init(to, "main", from, "main");
        rc = b ? sqlite3_backup_step(b, -1) : SQLITE_ERROR;
        if (b)
            sqlite3_backup_finish(b);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    sqlite3_close_v2(to);
    sqlite3_close_v2(from);
    if (rc != SQLITE_OK)
        throw std::runtime_error("the big data file could not be copied");
    return target;
}

} // namespace benchdata
