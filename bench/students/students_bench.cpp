// The student look-ups, opening the record window of the busiest student (every
// history grid filled) and saving a student, on the big data file. Each "X/engine"
// has a twin "X/sqlite" that runs the statements SQLite received for one X.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/ui/simplecombo.h"
#include "students/details/bookingactions.h"
#include "students/details/frmstudentdetails.h"
#include "students/imodstudents.h"
#include "students/studentrecord.h"

#include <QApplication>
#include <QFile>
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
    qint32 student = 0; // the student with the most bookings
    qint32 program = 0;
    qint32 booking = 0; // a booking of the busiest student
    QString programName;
    QString name, listName, barcode;

    Fixture()
    {
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        const QString path = benchdata::OpenCopyAsProgram(dir.path());
        student = std::stoi(firstValue("SELECT StudentID FROM Bookings GROUP BY StudentID ORDER "
                                       "BY Count(*) DESC LIMIT 1"));
        program = std::stoi(firstValue("SELECT Max(ProgramID) FROM Programs"));
        booking = std::stoi(firstValue(
            ("SELECT Max(BookingID) FROM Bookings WHERE StudentID = " + std::to_string(student))
                .c_str()));
        programName = QString::fromStdString(firstValue(
            ("SELECT Programs.Program FROM (Bookings INNER JOIN Classes ON Bookings.ClassID = "
             "Classes.ClassID) INNER JOIN Programs ON Classes.ProgramID = Programs.ProgramID "
             "WHERE Bookings.BookingID = " +
             std::to_string(booking))
                .c_str()));
        name = imodStudents::GetStudentName(student);
        listName = imodStudents::GetStudentListName(student);
        barcode = QString::fromStdString(
            firstValue("SELECT Barcode FROM Students WHERE Barcode IS NOT NULL AND Barcode <> '' "
                       "ORDER BY StudentID DESC LIMIT 1"));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Runs the work once with the catcher on and gives the statements SQLite received.
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

void exec(const std::string &sql)
{
    sqlite3_exec(handle(), sql.c_str(), nullptr, nullptr, nullptr);
}

// A copy of the busiest student with all of its bookings, made on SQLite directly
// outside the timing; gives its StudentID.
qint32 copyOfBusiestStudent()
{
    exec("INSERT INTO Students ([First Name], [Last Name], Student, Employee, Vendor, Special) "
         "VALUES ('Bench', 'Delete', 'Y', 'N', 'N', 'N')");
    const qint32 id = qint32(sqlite3_last_insert_rowid(handle()));
    exec("INSERT INTO Bookings (StudentID, ClassID, Status, Owing) SELECT " + std::to_string(id) +
         ", ClassID, Status, Owing FROM Bookings WHERE StudentID = " +
         std::to_string(fixture().student));
    return id;
}

// Deleting a student with the busiest student's bookings: the engine's deletion
// against the same rows removed by SQLite directly in one transaction.
void registerDeletion()
{
    benchmark::RegisterBenchmark("DeleteStudentWithBookings/engine",
                                 [](benchmark::State &state) {
                                     fixture();
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         const qint32 id = copyOfBusiestStudent();
                                         state.ResumeTiming();
                                         imodStudents::DeleteStudentRecord(
                                             id, QStringLiteral("Bench Delete"),
                                             QStringLiteral("i"), QString());
                                     }
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        "DeleteStudentWithBookings/sqlite",
        [](benchmark::State &state) {
            fixture();
            for (auto _ : state) {
                state.PauseTiming();
                const std::string id = std::to_string(copyOfBusiestStudent());
                state.ResumeTiming();
                replay({"BEGIN", "SELECT StudentID FROM Students WHERE StudentID = " + id,
                        "INSERT INTO DeleteLog (LogTime, Record, Action, UserID) VALUES "
                        "('2026/01/01 10:00:00 AM', 'Bench Delete', 'Delete Student', 'I')",
                        "DELETE FROM Bookings WHERE StudentID = " + id,
                        "DELETE FROM Students WHERE StudentID = " + id, "COMMIT"});
            }
        })
        ->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    using namespace imodStudents;
    auto f = [] { return &fixture(); };
    const std::pair<const char *, std::function<void()>> lookups[] = {
        {"GetStudentName", [f] { benchmark::DoNotOptimize(GetStudentName(f()->student)); }},
        {"GetStudentListName", [f] { benchmark::DoNotOptimize(GetStudentListName(f()->student)); }},
        {"GetStudentIDFromListText",
         [f] { benchmark::DoNotOptimize(GetStudentIDFromListText(f()->listName)); }},
        {"GetStudentIDByName", [f] { benchmark::DoNotOptimize(GetStudentIDByName(f()->name)); }},
        {"GetStudentIDByBarcode",
         [f] { benchmark::DoNotOptimize(GetStudentIDByBarcode(f()->barcode)); }},
        {"GetStudentBalance", [f] { benchmark::DoNotOptimize(GetStudentBalance(f()->student)); }},
        {"GetOverdueAmount", [f] { benchmark::DoNotOptimize(GetOverdueAmount(f()->student)); }},
        {"GetProgramHistory", [f] { benchmark::DoNotOptimize(GetProgramHistory(f()->student)); }},
        {"CountBookingsInProgram",
         [f] { benchmark::DoNotOptimize(CountBookingsInProgram(f()->student, f()->program)); }},
        {"CountNoShows", [f] { benchmark::DoNotOptimize(CountNoShows(f()->student)); }},
        {"GetFamilyContactName",
         [f] { benchmark::DoNotOptimize(GetFamilyContactName(GetFamilyID(f()->student))); }},
    };
    for (const auto &[name, work] : lookups)
        registerPair(std::string("Lookup.") + name, work);

    registerPair("OpenBusiestRecord", [f] {
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(f()->student, nullptr, QStringLiteral("i"));
        w->unload();
    });
    registerPair("FillStudentSearch", [] {
        ui::SimpleCombo list;
        benchmark::DoNotOptimize(
            imodStudents::FillPersonCombo(&list, true, false, false, false, false));
    });
    registerPair("ConfirmAndMakeTentative", [f] {
        ChangeBookingStatus(f()->booking, QStringLiteral("Confirmed"), QStringLiteral("Tentative"));
        ChangeBookingStatus(f()->booking, QStringLiteral("Tentative"), QStringLiteral("Confirmed"));
    });
    registerPair("NoShowWithoutBalance", [f] {
        benchmark::DoNotOptimize(RecordNoShow(f()->booking, f()->student, vb::Currency(),
                                              f()->programName));
    });
    registerPair("NoShowClearingBalance", [f] {
        benchmark::DoNotOptimize(NoShowBalance(f()->booking));
        benchmark::DoNotOptimize(RecordNoShow(f()->booking, f()->student, vb::Currency(5),
                                              f()->programName));
    });
    registerDeletion();
    registerPair("SaveStudent", [f] {
        const StudentDetails d = ReadStudentDetails(f()->student);
        StudentEdits edits;
        edits.texts = d.texts;
        edits.familyTag = QString::number(d.family);
        edits.barcode = d.barcode;
        benchmark::DoNotOptimize(SaveStudentDetails(f()->student, edits));
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
