// The family windows' work on the big data file: opening the family window of the
// largest family, saving it with the copy of its contact details to every member,
// adding a pupil to it, and filling the list of all current pupils. Each "X/engine"
// has a twin "X/sqlite" that runs the statements SQLite received for one X.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/listfillers.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/ui/simplecombo.h"
#include "students/families.h"
#include "students/families/frmfamdetails.h"
#include "students/imodstudents.h"

#include <QLabel>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

sqlite3 *handle()
{
    return Global::DbConnection().handle();
}

std::string firstValue(const char *sql)
{
    sqlite3_stmt *st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(handle(), sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        if (const unsigned char *t = sqlite3_column_text(st, 0))
            out = reinterpret_cast<const char *>(t);
    sqlite3_finalize(st);
    return out;
}

struct Fixture
{
    QTemporaryDir dir;
    qint32 family = 0; // the family with the most members
    qint32 pupil = 0;  // a current pupil of another family or none
    QString pupilText;

    Fixture()
    {
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        benchdata::OpenCopyAsProgram(dir.path());
        family = std::stoi(firstValue("SELECT Family FROM Students WHERE Family <> 0 GROUP BY "
                                      "Family ORDER BY Count(*) DESC LIMIT 1"));
        pupil = std::stoi(firstValue(
            ("SELECT Max(StudentID) FROM Students WHERE Student = 'Y' AND Family <> " +
             std::to_string(family))
                .c_str()));
        pupilText = imodStudents::GetStudentListName(pupil);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

std::vector<std::string> statementsOf(const std::function<void()> &work)
{
    benchdata::StatementCatcher::Start();
    work();
    return benchdata::StatementCatcher::Stop();
}

void replay(const std::vector<std::string> &statements)
{
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(handle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
            }
        }
        sqlite3_finalize(st);
    }
}

void registerPair(const std::string &name, std::function<void()> work)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(),
                                 [work](benchmark::State &state) {
                                     fixture();
                                     for (auto _ : state)
                                         work();
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(),
                                 [work](benchmark::State &state) {
                                     fixture();
                                     const auto statements = statementsOf(work);
                                     for (auto _ : state)
                                         replay(statements);
                                     state.counters["statements"] = double(statements.size());
                                 })
        ->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    auto f = [] { return &fixture(); };
    registerPair("OpenFamilyWindow", [f] {
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        auto *w = ui::Forms::create<frmFamDetails>();
        w->LoadUp(f()->family, nullptr, QStringLiteral("i"));
        w->unload();
    });
    registerPair("SaveFamilyWithCopy", [f] {
        const auto row = imodStudents::ReadFamilyRow(f()->family);
        imodStudents::FamilyEdits edits;
        edits.texts = row->texts;
        edits.barcode = row->barcode;
        edits.student = row->student;
        edits.employee = row->employee;
        benchmark::DoNotOptimize(imodStudents::SaveFamily(f()->family, edits, true));
    });
    // What Finish does: the chosen pupil found by its text, its family read, the row set.
    registerPair("AddStudentToFamily", [f] {
        const qint32 id = imodStudents::FindPersonByListText(f()->pupilText, false);
        benchmark::DoNotOptimize(imodStudents::GetFamilyID(id));
        imodStudents::SetFamilyOfPerson(id, f()->family);
    });
    registerPair("FillCurrentPupils", [] {
        ui::SimpleCombo list;
        QLabel status;
        imodGlobalSubs::FillStudentList(&list, false, &status);
        benchmark::DoNotOptimize(list.count());
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
