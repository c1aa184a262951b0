// Enrolling and deleting a booking on the big data file, as the procedures run them
// (…/engine), against the same statements run straight on SQLite's C API (…/sqlite):
//   Enrol    a student with no no-shows, no overdue fees and no credit into the newest
//            term's busiest class: the checks, the row and its charge in one transaction
//   Delete   one booking of that class with a charge: the audit row, the balancing
//            charge and the row in one transaction
// Each round puts the file back as it was (or makes the booking to delete) outside the
// timing.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "enrolments/enrolling.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

struct EnrollingFixture
{
    QTemporaryDir dir;
    QString path;
    qint32 program = 0;
    qint32 cls = 0;
    qint32 student = 0;

    EnrollingFixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        Global::CentreSettings().LoadSettingsFromDb();
        program = first(QStringLiteral("SELECT Max(ProgramID) FROM Programs")).toInt();
        cls = first(QStringLiteral("SELECT TOP 1 Bookings.ClassID FROM Bookings INNER JOIN "
                                   "Classes ON Bookings.ClassID = Classes.ClassID WHERE "
                                   "Classes.ProgramID = %1 GROUP BY Bookings.ClassID ORDER BY "
                                   "Count(*) DESC")
                        .arg(program))
                  .toInt();
        run(QStringLiteral("INSERT INTO Students ([First Name], [Last Name], Student) VALUES "
                           "('Bench', 'Newcomer', 'Y')"));
        student = first(QStringLiteral("SELECT Max(StudentID) FROM Students")).toInt();
    }
    static QVariant first(const QString &sql)
    {
        jet::Recordset rs(Global::DbConnection(), sql);
        return rs.eof() ? QVariant() : rs.value(0);
    }
    static void run(const QString &sql) { imodData::ExecSQL(sql, false); }
    // Takes away the newcomer's bookings and ledger rows.
    void forgetNewcomer()
    {
        run(QStringLiteral("DELETE FROM Payments WHERE SID = %1").arg(student));
        run(QStringLiteral("DELETE FROM Bookings WHERE StudentID = %1").arg(student));
    }
    // A charged booking of the newcomer in the class, to delete.
    qint32 bookingToDelete()
    {
        run(QStringLiteral("INSERT INTO Bookings (StudentID, ClassID, Owing, Status, SessionNo) "
                           "VALUES (%1, %2, 0, 'Confirmed', 0)")
                .arg(student)
                .arg(cls));
        const qint32 booking = first(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt();
        run(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, ChargeGST, "
                           "Amount, DiscountAmount, DiscountGST) VALUES (%1, %2, 'C', 120, 12, 0, "
                           "0, 0)")
                .arg(booking)
                .arg(student));
        return booking;
    }
    void enrol()
    {
        imodEnrolments::EnrolmentRequest r;
        r.studentId = student;
        r.studentName = QStringLiteral("Bench Newcomer");
        r.programId = program;
        r.classId = cls;
        imodEnrolments::BookNow(r);
    }
};

EnrollingFixture &enrollingFixture()
{
    static EnrollingFixture f;
    return f;
}

// The engine times `run` after `prepare` (untimed); SQLite replays the statements one run
// handed over.
void registerWrite(const std::string &name, std::function<void(EnrollingFixture &)> prepare,
                   std::function<void(EnrollingFixture &)> run)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(), [=](benchmark::State &state) {
        EnrollingFixture &f = enrollingFixture();
        for (auto _ : state) {
            state.PauseTiming();
            prepare(f);
            state.ResumeTiming();
            run(f);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(), [=](benchmark::State &state) {
        EnrollingFixture &f = enrollingFixture();
        prepare(f);
        benchdata::StatementCatcher::Start();
        run(f);
        const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db, 5000);
        for (auto _ : state) {
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(db);
        state.counters["statements"] = double(statements.size());
    })->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    registerWrite(
        "Enrol", [](EnrollingFixture &f) { f.forgetNewcomer(); },
        [](EnrollingFixture &f) { f.enrol(); });
    registerWrite(
        "Delete",
        [](EnrollingFixture &f) {
            f.forgetNewcomer();
            f.bookingToDelete();
        },
        [](EnrollingFixture &f) {
            const qint32 booking =
                EnrollingFixture::first(QStringLiteral("SELECT Max(BookingID) FROM Bookings WHERE "
                                                       "StudentID = %1")
                                            .arg(f.student))
                    .toInt();
            imodEnrolments::DeleteBookingRecord(QStringLiteral("BENCH"), booking);
        });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
