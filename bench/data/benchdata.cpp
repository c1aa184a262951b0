#include "benchdata.h"

#include "sampledata/sampledata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>
#include <utility>

namespace benchdata {

namespace {

// Raise when the generator changes what it writes, so that cached files are made again.
constexpr int GeneratorVersion = 1;
constexpr std::uint32_t Seed = 1;

bool catching = false;
std::vector<std::string> caught;

int traceStatement(unsigned, void *, void *statement, void *)
{
    if (!catching)
        return 0;
    if (char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(statement))) {
        caught.emplace_back(sql);
        sqlite3_free(sql);
    }
    return 0;
}

int attachCatcher(sqlite3 *db, const char **, const struct sqlite3_api_routines *)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &traceStatement, nullptr);
    return SQLITE_OK;
}

} // namespace

void StatementCatcher::Install()
{
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&attachCatcher));
}

void StatementCatcher::Start()
{
    caught.clear();
    catching = true;
}

std::vector<std::string> StatementCatcher::Stop()
{
    catching = false;
    return std::exchange(caught, {});
}

std::string RunStatements(sqlite3 *db, const std::vector<std::string> &statements)
{
    std::string failure;
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
            }
        } else if (failure.empty()) {
            failure = sqlite3_errmsg(db);
        }
        sqlite3_finalize(st);
    }
    return failure;
}

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
