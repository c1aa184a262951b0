// The class view on the big data file, on the newest term's class with the most bookings:
// the whole opening (the window made and loaded, the class record, the students, waiting
// list, catch-ups and assessments) and the student list's reload alone; each against the
// statements it ran, caught on their way into SQLite and run straight on SQLite's C API
// with the engine's functions (…/sqlite). And the save of that class, edited with three
// instructors: its row and instructor links in one transaction, the checks' look-ups and
// the enrolled count of the price check.
#include "benchdata.h"

#include "classes/view/frmviewclass.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/functions.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/flexgrid.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QEvent>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    qint32 cls = 0;
    frmViewClass *view = nullptr; // open on the class, for the reloads

    Fixture()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("config")));
        path = benchdata::OpenCopyAsProgram(dir.path(), QStringLiteral("i"));
        Global::LoadGlobalSettings();
        jet::Recordset busiest(
            Global::DbConnection(),
            QStringLiteral("SELECT TOP 1 Bookings.ClassID FROM Bookings INNER JOIN Classes ON "
                           "Bookings.ClassID = Classes.ClassID WHERE Classes.ProgramID = (SELECT "
                           "Max(ProgramID) FROM Programs) GROUP BY Bookings.ClassID ORDER BY "
                           "Count(*) DESC"));
        cls = busiest.value(0).toInt();
        view = open();
    }

    frmViewClass *open() const
    {
        auto *v = new frmViewClass;
        v->setMdiChild(false);
        v->load();
        v->showForm();
        v->setViewClassMode(QStringLiteral("Edit"));
        v->LoadOps(cls);
        return v;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

int lastRows = 0;

// The class search's double click: a new class view, shown, loaded on the class; then
// closed and destroyed.
void openClassView()
{
    frmViewClass *v = fixture().open();
    lastRows = v->grd->rows() - 1;
    v->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void loadStudents()
{
    fixture().view->Load_Students();
    lastRows = fixture().view->grd->rows() - 1;
}

// Runs one operation; a box shown fails the benchmark.
bool once(benchmark::State &state, const std::function<void()> &operation)
{
    ui::DialogScript script(ui::DialogScript::Mode::Record);
    operation();
    if (!script.shown().isEmpty()) {
        static std::string why;
        why = "a message was shown: " + script.shown().first().title.toStdString();
        state.SkipWithError(why.c_str());
        return false;
    }
    return true;
}

void runEngine(benchmark::State &state, const std::function<void()> &operation)
{
    fixture();
    for (auto _ : state) {
        if (!once(state, operation))
            break;
    }
    state.counters["rows"] = double(lastRows);
}

void runSqlite(benchmark::State &state, const std::function<void()> &operation)
{
    fixture();
    benchdata::StatementCatcher::Start();
    const bool ok = once(state, operation);
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    if (!ok)
        return;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(fixture().path).constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    jet::sql::registerFunctions(db);
    for (auto _ : state) {
        static std::string failure;
        failure = benchdata::RunStatements(db, statements);
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
    sqlite3_close_v2(db);
    state.counters["statements"] = double(statements.size());
}

void OpenClassView_engine(benchmark::State &state)
{
    runEngine(state, openClassView);
}
BENCHMARK(OpenClassView_engine)->Name("OpenClassView/engine")->Unit(benchmark::kMillisecond);

void OpenClassView_sqlite(benchmark::State &state)
{
    runSqlite(state, openClassView);
}
BENCHMARK(OpenClassView_sqlite)->Name("OpenClassView/sqlite")->Unit(benchmark::kMillisecond);

// The edited class saved with three instructors (the edit mode is entered outside the
// timing); the class search is not loaded, so nothing is refreshed.
QList<qint32> threeInstructors()
{
    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT TOP 3 InstructorID FROM Instructors ORDER BY InstructorID"));
    QList<qint32> ids;
    for (; !rs.eof(); rs.moveNext())
        ids << rs.value(0).toInt();
    return ids;
}

void enterEdit()
{
    frmViewClass *v = fixture().view;
    v->Edit_Me();
    v->SetClassInstructors(threeInstructors());
}

void saveClass()
{
    fixture().view->cmdSave_Click();
    lastRows = fixture().view->cmdSave->isEnabled() ? 0 : 1;
}

void SaveClass_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        state.PauseTiming();
        enterEdit();
        state.ResumeTiming();
        if (!once(state, saveClass))
            break;
    }
    state.counters["saved"] = double(lastRows);
}
BENCHMARK(SaveClass_engine)->Name("SaveClass/engine")->Unit(benchmark::kMillisecond);

void SaveClass_sqlite(benchmark::State &state)
{
    fixture();
    enterEdit();
    benchdata::StatementCatcher::Start();
    const bool ok = once(state, saveClass);
    std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    if (!ok)
        return;
    // The writes as one transaction, as the engine makes them.
    const bool bracketed = std::any_of(statements.begin(), statements.end(), [](const std::string &s) {
        return s.rfind("BEGIN", 0) == 0 || s.rfind("SAVEPOINT", 0) == 0;
    });
    if (!bracketed) {
        statements.insert(statements.begin(), "BEGIN IMMEDIATE");
        statements.push_back("COMMIT");
    }
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(fixture().path).constData(), &db, SQLITE_OPEN_READWRITE,
                    nullptr);
    jet::sql::registerFunctions(db);
    for (auto _ : state) {
        static std::string failure;
        failure = benchdata::RunStatements(db, statements);
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
    sqlite3_close_v2(db);
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(SaveClass_sqlite)->Name("SaveClass/sqlite")->Unit(benchmark::kMillisecond);

void LoadStudents_engine(benchmark::State &state)
{
    runEngine(state, loadStudents);
}
BENCHMARK(LoadStudents_engine)->Name("LoadStudents/engine")->Unit(benchmark::kMillisecond);

void LoadStudents_sqlite(benchmark::State &state)
{
    runSqlite(state, loadStudents);
}
BENCHMARK(LoadStudents_sqlite)->Name("LoadStudents/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
