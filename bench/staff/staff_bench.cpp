// The employee window's work on the big data file: opening the window of the
// employee with the most qualifications (record, accounts, qualifications) and
// saving it; the teaching statistics of the busiest instructor (the programs
// taught, the three instructor lines and the grid of the newest program) and the
// promotion window's list of every student who is not an employee. Each "X/engine" has a twin "X/sqlite" that runs the statements SQLite
// received for one X.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "core/listfillers.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/simplecombo.h"
#include "reports/money/imodstatistics.h"
#include "staff/employee/frmempdetails.h"
#include "staff/employees.h"

#include <QLabel>

#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

sqlite3 *staffHandle()
{
    return Global::DbConnection().handle();
}

std::string staffFirstValue(const char *sql)
{
    sqlite3_stmt *st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(staffHandle(), sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        if (const unsigned char *t = sqlite3_column_text(st, 0))
            out = reinterpret_cast<const char *>(t);
    sqlite3_finalize(st);
    return out;
}

struct StaffFixture
{
    QTemporaryDir dir;
    qint32 instructor = 0; // the employee with the most qualifications
    qint32 busiest = 0;    // the instructor linked to the most classes
    frmEmpDetails *editing = nullptr;

    StaffFixture()
    {
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        benchdata::OpenCopyAsProgram(dir.path());
        instructor = std::stoi(staffFirstValue(
            "SELECT InstructorID FROM QualRec GROUP BY InstructorID ORDER BY Count(*) DESC "
            "LIMIT 1"));
        busiest = std::stoi(staffFirstValue(
            "SELECT InstructorID FROM InstructorLink GROUP BY InstructorID ORDER BY Count(*) "
            "DESC LIMIT 1"));
        editing = ui::Forms::create<frmEmpDetails>();
        editing->LoadUp(instructor, QStringLiteral("Edit"), QStringLiteral("i"));
    }
};

StaffFixture &staffFixture()
{
    static StaffFixture f;
    return f;
}

std::vector<std::string> staffStatementsOf(const std::function<void()> &work)
{
    benchdata::StatementCatcher::Start();
    work();
    return benchdata::StatementCatcher::Stop();
}

void staffReplay(const std::vector<std::string> &statements)
{
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(staffHandle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
            }
        }
        sqlite3_finalize(st);
    }
}

void registerStaffPair(const std::string &name, std::function<void()> work)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(),
                                 [work](benchmark::State &state) {
                                     staffFixture();
                                     for (auto _ : state)
                                         work();
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(),
                                 [work](benchmark::State &state) {
                                     staffFixture();
                                     const auto statements = staffStatementsOf(work);
                                     for (auto _ : state)
                                         staffReplay(statements);
                                     state.counters["statements"] = double(statements.size());
                                 })
        ->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    registerStaffPair("StatisticsOfBusiestInstructor", [] {
        const qint32 id = staffFixture().busiest;
        qint32 newest = 0;
        imodStaff::ForEachProgramTaught(id, [&](qint32 program, const QString &) {
            if (newest == 0)
                newest = program;
        });
        imodStatistics::CountStudentsTaught(id, 0);
        imodStatistics::GetPercentFull(id, 0);
        imodStatistics::GetOverallPassRate(id, false);
        ui::FlexGrid grid;
        grid.setFixedRows(0);
        grid.setFixedCols(0);
        grid.setCols(2);
        imodStatistics::FillInstructorStats(newest, id, &grid);
        benchmark::DoNotOptimize(grid.rows());
    });
    registerStaffPair("PromotionList", [] {
        ui::SimpleCombo list;
        QLabel count;
        imodGlobalSubs::FillStudentList(
            &list, false, &count,
            QStringLiteral("SELECT Students.* FROM Students WHERE ((Student='Y') AND (NOT "
                           "(Employee='Y')));"));
        benchmark::DoNotOptimize(list.count());
    });
    registerStaffPair("OpenEmployeeWindow", [] {
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        auto *w = ui::Forms::create<frmEmpDetails>();
        w->LoadUp(staffFixture().instructor, QStringLiteral("Edit"), QStringLiteral("i"));
        w->unload();
    });
    registerStaffPair("SaveEmployee", [] {
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        frmEmpDetails *w = staffFixture().editing;
        w->Edit_Me();
        w->setFieldText(5, w->fieldText(5) == QLatin1String("A") ? QStringLiteral("B")
                                                                 : QStringLiteral("A"));
        w->cmdSave_Click();
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
