// The timetable's look-ups on the big data file, as the windows run them: the row of
// every class of a term the class search shows (places, waiting list, instructors,
// caption), the enrolment numbers of a term and the program pick list.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "timetable/classes.h"
#include "timetable/programs.h"
#include "timetable/stats/enrolmentnumbers.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    qint32 term = 0;
    QList<std::pair<qint32, int>> classes; // ClassID and Max of the newest term

    Fixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        jet::Recordset last(Global::DbConnection(),
                            QStringLiteral("SELECT Max(ProgramID) FROM Programs"));
        term = last.value(0).toInt();
        jet::Recordset rs(
            Global::DbConnection(),
            QStringLiteral("SELECT ClassID, [Max] FROM Classes WHERE ProgramID = %1").arg(term));
        for (; !rs.eof(); rs.moveNext())
            classes.append({rs.value(0).toInt(), rs.value(1).toInt()});
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void ClassSearchRows(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        for (const auto &[id, max] : f.classes) {
            benchmark::DoNotOptimize(imodClasses::GetClassSpots(id, max));
            benchmark::DoNotOptimize(imodClasses::GetClassWaitingCount(id));
            benchmark::DoNotOptimize(imodClasses::GetClassInstructorNames(id, false));
            benchmark::DoNotOptimize(imodClasses::GetClassFullCaption(id));
        }
    }
    state.counters["classes"] = double(f.classes.size());
    state.counters["us_per_class"] = benchmark::Counter(
        double(f.classes.size()) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                             benchmark::Counter::kInvert);
}
BENCHMARK(ClassSearchRows)->Name("ClassSearchRows/engine")->Unit(benchmark::kMillisecond);

// The same look-ups asked of SQLite directly: each prepared once, bound per class.
void ClassSearchRowsSqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const char *const texts[] = {
        "SELECT BookingID, Status FROM Bookings WHERE ClassID = ?1 AND (Status = 'Confirmed' "
        "COLLATE NOCASE OR Status = 'Tentative' COLLATE NOCASE)",
        "SELECT * FROM Bookings WHERE ClassID = ?1 AND Status = 'Waiting' COLLATE NOCASE",
        "SELECT InstructorLink.InstructorID, Students.\"First Name\", Students.\"Last Name\" "
        "FROM Students INNER JOIN (InstructorLink INNER JOIN Instructors ON "
        "InstructorLink.InstructorID = Instructors.InstructorID) ON Students.StudentID = "
        "Instructors.StudentID WHERE InstructorLink.ClassID = ?1 ORDER BY "
        "InstructorLink.InstructorID",
        "SELECT ClassID, Description, Day, Time, ProgramID FROM Classes WHERE ClassID = ?1",
        "SELECT * FROM Programs WHERE ProgramID = ?1",
    };
    std::vector<sqlite3_stmt *> statements;
    for (const char *text : texts) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, text, -1, &st, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        statements.push_back(st);
    }
    auto run = [](sqlite3_stmt *st, qint64 key) {
        sqlite3_bind_int64(st, 1, key);
        int rows = 0;
        qint64 last = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            last = sqlite3_column_int64(st, sqlite3_column_count(st) - 1);
        }
        sqlite3_reset(st);
        return std::pair{rows, last};
    };
    for (auto _ : state) {
        for (const auto &[id, max] : f.classes) {
            for (int i = 0; i < 3; ++i)
                benchmark::DoNotOptimize(run(statements[size_t(i)], id));
            benchmark::DoNotOptimize(run(statements[4], run(statements[3], id).second));
        }
    }
    for (sqlite3_stmt *st : statements)
        sqlite3_finalize(st);
    sqlite3_close(db);
    state.counters["classes"] = double(f.classes.size());
    state.counters["us_per_class"] = benchmark::Counter(
        double(f.classes.size()) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                             benchmark::Counter::kInvert);
}
BENCHMARK(ClassSearchRowsSqlite)->Name("ClassSearchRows/sqlite")->Unit(benchmark::kMillisecond);

void EnrolmentNumbers(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(enrolmentnumbers::CountEnrolments(f.term));
}
BENCHMARK(EnrolmentNumbers)->Unit(benchmark::kMillisecond);

void ProgramPickList(benchmark::State &state)
{
    fixture();
    QComboBox list;
    for (auto _ : state)
        benchmark::DoNotOptimize(imodPrograms::FillProgramCombo(&list, true));
    state.counters["programs"] = double(list.count());
}
BENCHMARK(ProgramPickList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
