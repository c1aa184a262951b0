// Moving a booking and loading a program's pre-enrolment list on the big data file, as the
// program runs them (…/engine), against the same statements run straight on SQLite's C
// API (…/sqlite):
//   Move          a booking with three ledger rows and five attendance marks into another
//                 class of the newest term, attendance copied: the new booking, the
//                 handovers, the old booking marked and the price difference in one
//                 transaction
//   PreEnrolList  the list window's load of a program with 300 entries, each with its
//                 student's last assessment
// Each round of Move makes a fresh booking to move outside the timing.
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "core/imoddata.h"
#include "enrolments/move/frmpreenrol.h"
#include "enrolments/moving.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

struct MovingFixture
{
    QTemporaryDir dir;
    QString path;
    qint32 program = 0;
    QString programName;
    qint32 from = 0;
    qint32 to = 0;
    qint32 student = 0;

    MovingFixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        Global::CentreSettings().LoadSettingsFromDb();
        Global::CentreSettings().setSettings(int(CentreSettingIds::AllowOverfill), 1);
        program = first(QStringLiteral("SELECT Max(ProgramID) FROM Programs")).toInt();
        programName = first(QStringLiteral("SELECT Program FROM Programs WHERE ProgramID = %1")
                                .arg(program))
                          .toString();
        from = first(QStringLiteral("SELECT Min(ClassID) FROM Classes WHERE ProgramID = %1")
                         .arg(program))
                   .toInt();
        to = first(QStringLiteral("SELECT Max(ClassID) FROM Classes WHERE ProgramID = %1")
                       .arg(program))
                 .toInt();
        run(QStringLiteral("INSERT INTO Students ([First Name], [Last Name], Student) VALUES "
                           "('Bench', 'Mover', 'Y')"));
        student = first(QStringLiteral("SELECT Max(StudentID) FROM Students")).toInt();
        // The list's 300 entries, added to this copy only.
        run(QStringLiteral("INSERT INTO PreEnrol (StudentID, ProgramID, Preferences) SELECT TOP "
                           "300 StudentID, %1, 'Saturday mornings' FROM Students WHERE "
                           "StudentID NOT IN (SELECT StudentID FROM PreEnrol WHERE ProgramID = "
                           "%1) ORDER BY StudentID DESC")
                .arg(program));
    }
    static QVariant first(const QString &sql)
    {
        jet::Recordset rs(Global::DbConnection(), sql);
        return rs.eof() ? QVariant() : rs.value(0);
    }
    static void run(const QString &sql) { imodData::ExecSQL(sql, false); }
    // A fresh booking of the mover with its ledger and marks.
    qint32 bookingToMove()
    {
        run(QStringLiteral("DELETE FROM Attend WHERE StudentID = %1").arg(student));
        run(QStringLiteral("DELETE FROM Payments WHERE SID = %1").arg(student));
        run(QStringLiteral("DELETE FROM Bookings WHERE StudentID = %1").arg(student));
        run(QStringLiteral("INSERT INTO Bookings (StudentID, ClassID, Owing, Status, SessionNo) "
                           "VALUES (%1, %2, 0, 'Confirmed', 0)")
                .arg(student)
                .arg(from));
        const qint32 booking = first(QStringLiteral("SELECT Max(BookingID) FROM Bookings")).toInt();
        for (const char *row : {"'C', 120, 12, 0", "'P', 0, 0, 120", "'P', 0, 0, -120"})
            run(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, "
                               "ChargeGST, Amount, DiscountAmount, DiscountGST) VALUES (%1, %2, "
                               "%3, 0, 0)")
                    .arg(booking)
                    .arg(student)
                    .arg(QLatin1String(row)));
        for (int session = 1; session <= 5; ++session)
            run(QStringLiteral("INSERT INTO Attend (BKID, [Session], StudentID, Status) VALUES "
                               "(%1, %2, %3, 'Attended')")
                    .arg(booking)
                    .arg(session)
                    .arg(student));
        return booking;
    }
};

MovingFixture &movingFixture()
{
    static MovingFixture f;
    return f;
}

// The engine times `work` after `prepare` (untimed); SQLite replays the statements one run
// handed over.
void registerTimed(const std::string &name, std::function<void(MovingFixture &)> prepare,
                   std::function<void(MovingFixture &)> work, bool write)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(), [=](benchmark::State &state) {
        MovingFixture &f = movingFixture();
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        for (auto _ : state) {
            state.PauseTiming();
            prepare(f);
            state.ResumeTiming();
            work(f);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(), [=](benchmark::State &state) {
        MovingFixture &f = movingFixture();
        ui::DialogScript quiet(ui::DialogScript::Mode::Record);
        prepare(f);
        benchdata::StatementCatcher::Start();
        work(f);
        const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db, 5000);
        for (auto _ : state) {
            if (write)
                sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
            if (write)
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(db);
        state.counters["statements"] = double(statements.size());
    })->Unit(benchmark::kMillisecond);
}

frmPreEnrol *listWindow(MovingFixture &f)
{
    auto *w = ui::Forms::shared<frmPreEnrol>();
    const int index = w->cboProgram->findText(f.programName);
    if (w->cboProgram->currentIndex() != index)
        w->cboProgram->setCurrentIndex(index);
    return w;
}

void registerAll()
{
    registerTimed(
        "Move", [](MovingFixture &f) { f.bookingToMove(); },
        [](MovingFixture &f) {
            const qint32 booking =
                MovingFixture::first(QStringLiteral("SELECT Max(BookingID) FROM Bookings WHERE "
                                                    "StudentID = %1")
                                         .arg(f.student))
                    .toInt();
            imodEnrolments::MoveBookingToClass(booking, true, f.to, vb::Currency(),
                                               QStringLiteral("frmViewClass"), 0);
        },
        true);
    registerTimed(
        "PreEnrolList", [](MovingFixture &f) { listWindow(f); },
        [](MovingFixture &f) { listWindow(f)->Load_PreEnrolments(); }, false);
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
