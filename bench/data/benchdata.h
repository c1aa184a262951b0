#pragma once

#include "report/ratioreporter.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct sqlite3;

// What every benchmark on the big data file shares: the file itself, made once and kept
// outside the repository, and the report of each hot path's time against SQLite's.
namespace benchdata {

// The folder the big file is kept in: $OVIXIAN_BENCH_DATA when set, else
// ~/.cache/ovixian-bench. Made when missing.
QString CacheFolder();

// The big data file, generated on first use (it takes minutes) and reused afterwards.
// Its name carries the generator's version, seed and day, so that a changed generator
// makes a new file. Benchmarks that write must work on a copy (CopyOfBigFile).
QString BigDataFile();

// A private copy of the big file in `folder` (an online copy through SQLite), named `name`.
QString CopyOfBigFile(const QString &folder, const QString &name);

// Opens a private copy of the big file in `folder` ("default.mdb") as the program's
// connection, the way a workstation opens its centre's file: the program's globals set
// for `userId` ("<<NOLOGS>>" keeps the statement log out of the timings), the home and
// data folders inside `folder`, and, unless `ensureIndexes` is false, the indexes the
// data-file loader puts in place (a big file made before an index was added lacks it).
// Gives the copy's path.
QString OpenCopyAsProgram(const QString &folder,
                          const QString &userId = QStringLiteral("<<NOLOGS>>"),
                          bool ensureIndexes = true);

// The whole main() of a benchmark program on the big file: an offscreen application, the
// statement catcher, the benchmarks that `registerAll` adds beside the static ones, the
// ratio report; then every window is unloaded and the connection dropped.
int RunBenchmarkProgram(int argc, char **argv, const std::function<void()> &registerAll = {});

// The report of every benchmark program (engine over SQLite ratios).
using benchreport::RatioReporter;

// The statements the engine hands to SQLite, caught on their way in so that a benchmark
// can ask SQLite the same questions directly. Install() once in main(), before any
// connection opens; between Start() and Stop() every statement any connection of the
// process prepares is kept, with its values in place.
class StatementCatcher
{
public:
    static void Install();
    static void Start();
    static std::vector<std::string> Stop();
};

// Runs each statement on `db` and steps through all its rows. Gives SQLite's message of
// the first statement that failed to prepare (the others still run), empty when none did.
std::string RunStatements(sqlite3 *db, const std::vector<std::string> &statements);

} // namespace benchdata
