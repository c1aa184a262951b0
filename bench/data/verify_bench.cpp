// Opening the big data file as the data-file loader does: the structure verification of
// an up-to-date file (…/engine), against the same SQLite statements run straight on
// SQLite's C API (…/sqlite). The statements are those the verification ran, caught on
// their way into SQLite.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

// The big file's copy, open on the program's connection as the loader leaves it.
struct Fixture
{
    QTemporaryDir dir;
    QString path;

    Fixture()
    {
        imodData::SetProgramEnd([](int) {});
        // Verifying the structure is what is measured: the indexes are left to it.
        path = benchdata::OpenCopyAsProgram(dir.path(), QStringLiteral("i"), false);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// One verification; a box shown or a result other than 0 fails the benchmark.
bool verifyOnce(benchmark::State &state)
{
    ui::DialogScript script(ui::DialogScript::Mode::Record);
    const int result = imodData::VerifyDatabase();
    if (result != 0 || !script.shown().isEmpty()) {
        state.SkipWithError("the verification did not pass without a word");
        return false;
    }
    return true;
}

void VerifyDatabase_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        if (!verifyOnce(state))
            break;
    }
}
BENCHMARK(VerifyDatabase_engine)->Name("VerifyDatabase/engine")->Unit(benchmark::kMillisecond);

void VerifyDatabase_sqlite(benchmark::State &state)
{
    fixture();
    // The statements of one verification, as SQLite received them.
    benchdata::StatementCatcher::Start();
    const bool ok = verifyOnce(state);
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    if (!ok)
        return;
    const QByteArray file = QFile::encodeName(fixture().path);
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 5000);
        benchdata::RunStatements(db, statements);
        sqlite3_close_v2(db);
    }
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(VerifyDatabase_sqlite)->Name("VerifyDatabase/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
