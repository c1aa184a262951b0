// The utilities over all students on the big data file: the dropouts between the two
// newest programs, the duplicate names, and the bulk passport change of the newest
// program. Each "X/engine" has a twin "X/sqlite" that runs the statements SQLite
// received for one X.
#include "benchdata.h"

#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "students/dropouts.h"
#include "students/duplicates.h"
#include "students/passports.h"

#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

sqlite3 *utilitiesHandle()
{
    return Global::DbConnection().handle();
}

std::string utilitiesValue(const std::string &sql)
{
    sqlite3_stmt *st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(utilitiesHandle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        if (const unsigned char *t = sqlite3_column_text(st, 0))
            out = reinterpret_cast<const char *>(t);
    sqlite3_finalize(st);
    return out;
}

struct UtilitiesFixture
{
    QTemporaryDir dir;
    QString older, newer; // the two newest programs by start date
    qint32 newest = 0;
    int status = 1;

    UtilitiesFixture()
    {
        benchdata::OpenCopyAsProgram(dir.path());
        newest = std::stoi(utilitiesValue(
            "SELECT ProgramID FROM Programs ORDER BY StartDate DESC, ProgramID DESC LIMIT 1"));
        newer = QString::fromStdString(utilitiesValue(
            "SELECT Program FROM Programs WHERE ProgramID = " + std::to_string(newest)));
        older = QString::fromStdString(utilitiesValue(
            "SELECT Program FROM Programs ORDER BY StartDate DESC, ProgramID DESC LIMIT 1 OFFSET 1"));
        // Half the students hold a passport, so that the change has work to do.
        sqlite3_exec(utilitiesHandle(), "UPDATE Students SET Issued = 1 WHERE StudentID % 2 = 0",
                     nullptr, nullptr, nullptr);
    }
};

UtilitiesFixture &utilitiesFixture()
{
    static UtilitiesFixture f;
    return f;
}

void utilitiesReplay(const std::vector<std::string> &statements)
{
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(utilitiesHandle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
            }
        sqlite3_finalize(st);
    }
}

void registerUtilityPair(const std::string &name, std::function<void()> work)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(),
                                 [work](benchmark::State &state) {
                                     utilitiesFixture();
                                     for (auto _ : state)
                                         work();
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(),
                                 [work](benchmark::State &state) {
                                     utilitiesFixture();
                                     benchdata::StatementCatcher::Start();
                                     work();
                                     const auto statements = benchdata::StatementCatcher::Stop();
                                     for (auto _ : state)
                                         utilitiesReplay(statements);
                                     state.counters["statements"] = double(statements.size());
                                 })
        ->Unit(benchmark::kMillisecond);
}

void registerUtilities()
{
    registerUtilityPair("DropoutsBetweenTerms", [] {
        UtilitiesFixture &f = utilitiesFixture();
        benchmark::DoNotOptimize(imodStudents::ListDropouts(f.older, f.newer));
    });
    registerUtilityPair("DuplicateNames", [] {
        benchmark::DoNotOptimize(imodStudents::ListDuplicates());
    });
    registerUtilityPair("BulkPassportChange", [] {
        UtilitiesFixture &f = utilitiesFixture();
        // Every run changes the same students, back and forth between the issued statuses.
        f.status = f.status == 1 ? 2 : 1;
        imodStudents::SetPassportStatus(
            imodStudents::PassportStudents({f.newest, QStringLiteral("(All)"), QStringLiteral("(All)")}),
            f.status);
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerUtilities);
}
