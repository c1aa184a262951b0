// The class search of the big data file's newest term (1,000 classes), every filter
// "(All)", with and without vacancies only, the grid filled and sorted; and the class
// search window's load (its lists, the default program and the first search). Each
// against the statements it ran, caught on their way into SQLite and run straight on
// SQLite's C API with the engine's functions (…/sqlite).
#include "benchdata.h"

#include "classes/classsearch.h"
#include "classes/search/frmmain.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/functions.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/flexgrid.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    qint32 term = 0;
    QString termName;
    QWidget window;
    ui::FlexGrid *grid = new ui::FlexGrid(&window);

    Fixture()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("config")));
        path = benchdata::OpenCopyAsProgram(dir.path(), QStringLiteral("i"));
        Global::LoadGlobalSettings();
        jet::Recordset last(Global::DbConnection(),
                            QStringLiteral("SELECT ProgramID, Program FROM Programs WHERE "
                                           "ProgramID = (SELECT Max(ProgramID) FROM Programs)"));
        term = last.value(0).toInt();
        termName = last.value(1).toString();
        // The window opens on the newest term, as a centre's default program would.
        Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultProgramName), termName);
        (new QLabel(&window))->setObjectName(QStringLiteral("Label4"));
        window.resize(1200, 600);
        grid->resize(1180, 500);
        Global::SetupClassSearchGrid(grid, &window);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
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

std::function<void()> search(bool vacanciesOnly)
{
    return [vacanciesOnly] {
        Fixture &f = fixture();
        const QString all = QStringLiteral("(All)");
        Global::RunClassSearch(f.grid, &f.window, f.term, all, all, all, vacanciesOnly, all, 0,
                               all, all, all);
    };
}

// The class search window made, loaded (lists, grid, default program), shown and
// searched once, as the sign-in opens it; then closed and destroyed.
int lastLoadRows = 0;
void loadMain()
{
    auto *main = new Main;
    main->setMdiChild(false);
    main->load();
    main->showForm();
    main->CheckBeforeFill();
    lastLoadRows = main->grd->rows() - 1;
    main->unload();
    delete main;
}

void runEngine(benchmark::State &state, const std::function<void()> &operation)
{
    fixture();
    for (auto _ : state) {
        if (!once(state, operation))
            break;
    }
}

// The same statements asked of SQLite directly, on a connection with the engine's
// functions (the statements call them under their translated names).
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

void ClassSearch_engine(benchmark::State &state)
{
    runEngine(state, search(false));
    state.counters["rows"] = double(fixture().grid->rows() - 1);
}
BENCHMARK(ClassSearch_engine)->Name("ClassSearch/engine")->Unit(benchmark::kMillisecond);

void ClassSearch_sqlite(benchmark::State &state)
{
    runSqlite(state, search(false));
}
BENCHMARK(ClassSearch_sqlite)->Name("ClassSearch/sqlite")->Unit(benchmark::kMillisecond);

void ClassSearchVacancies_engine(benchmark::State &state)
{
    runEngine(state, search(true));
    state.counters["rows"] = double(fixture().grid->rows() - 1);
}
BENCHMARK(ClassSearchVacancies_engine)
    ->Name("ClassSearchVacancies/engine")
    ->Unit(benchmark::kMillisecond);

void ClassSearchVacancies_sqlite(benchmark::State &state)
{
    runSqlite(state, search(true));
}
BENCHMARK(ClassSearchVacancies_sqlite)
    ->Name("ClassSearchVacancies/sqlite")
    ->Unit(benchmark::kMillisecond);

void LoadMain_engine(benchmark::State &state)
{
    runEngine(state, loadMain);
    state.counters["rows"] = double(lastLoadRows);
}
BENCHMARK(LoadMain_engine)->Name("LoadMain/engine")->Unit(benchmark::kMillisecond);

void LoadMain_sqlite(benchmark::State &state)
{
    runSqlite(state, loadMain);
}
BENCHMARK(LoadMain_sqlite)->Name("LoadMain/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
