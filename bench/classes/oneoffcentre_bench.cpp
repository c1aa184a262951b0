// The one-off enrolment centre on the big data file with every instructor shown: the
// day grid of a Tuesday in the newest term rebuilt (the instructors, the day's classes
// and every cell), against the statements it ran, caught on their way into SQLite and
// run straight on SQLite's C API with the engine's functions (…/sqlite).
#include "benchdata.h"

#include "classes/oneoff/frmooe.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/functions.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/flexgrid.h"

#include <QFile>
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
    frmOOE *centre = nullptr;
    QDate day;

    Fixture()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("config")));
        path = benchdata::OpenCopyAsProgram(dir.path(), QStringLiteral("i"));
        Global::LoadGlobalSettings();
        Global::DbConnection().execute(QStringLiteral("UPDATE Instructors SET ShowInOOE = 1"));
        jet::Recordset newest(Global::DbConnection(),
                              QStringLiteral("SELECT StartDate FROM Programs WHERE ProgramID = "
                                             "(SELECT Max(ProgramID) FROM Programs)"));
        day = newest.value(0).toDateTime().date().addDays(14);
        while (day.dayOfWeek() != Qt::Tuesday)
            day = day.addDays(1);
        centre = new frmOOE;
        centre->setMdiChild(false);
        centre->load();
        centre->MonthView1_DateClick(day);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

int filledCells = 0;

void reloadGrid()
{
    frmOOE *w = fixture().centre;
    w->Load_Instructors();
    filledCells = 0;
    for (int r = 1; r < w->grd->rows(); ++r)
        for (int c = 1; c < w->grd->cols(); ++c)
            filledCells += w->grd->textMatrix(r, c).isEmpty() ? 0 : 1;
}

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

void DayGrid_engine(benchmark::State &state)
{
    fixture();
    for (auto _ : state) {
        if (!once(state, reloadGrid))
            break;
    }
    state.counters["columns"] = double(fixture().centre->grd->cols() - 1);
    state.counters["cells"] = double(filledCells);
}
BENCHMARK(DayGrid_engine)->Name("OneOffDayGrid/engine")->Unit(benchmark::kMillisecond);

void DayGrid_sqlite(benchmark::State &state)
{
    fixture();
    benchdata::StatementCatcher::Start();
    const bool ok = once(state, reloadGrid);
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    if (!ok)
        return;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(fixture().path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
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
BENCHMARK(DayGrid_sqlite)->Name("OneOffDayGrid/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
