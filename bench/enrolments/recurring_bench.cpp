// Due work at log-in on the big data file, as the program runs it (…/engine), against the
// same statements run straight on SQLite's C API (…/sqlite), caught on their way in.
//   ChargePlanRow   one payment-plan row charged to every confirmed and tentative booking
//                   of the program with the most of them (about 4,900), and marked run
//   OpenRecurring   the window of due work opened with its two lists (50 recorded
//                   cancellations and 10 plan rows due, added to the bench's copy)
#include "benchdata.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "enrolments/paymentplan.h"
#include "enrolments/recurring/frmrecurring.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    qint32 program = 0; // the program with the most confirmed and tentative bookings
    qint32 planRow = 0; // its plan row, dated today
    qint64 payments = 0; // the highest PaymentID before any run

    Fixture()
    {
        path = benchdata::OpenCopyAsProgram(dir.path());
        Global::CentreSettings().LoadSettingsFromDb();
        program = first("SELECT TOP 1 Classes.ProgramID FROM Bookings INNER JOIN Classes ON "
                        "Bookings.ClassID = Classes.ClassID WHERE Bookings.Status IN "
                        "('Confirmed', 'Tentative') GROUP BY Classes.ProgramID ORDER BY "
                        "Count(*) DESC")
                      .toInt();
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        exec(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) VALUES "
                            "(%1, #%2#, 25, 0)")
                 .arg(program)
                 .arg(today));
        planRow = first("SELECT Max(ChargeDateID) FROM ChargeDate").toInt();
        // Nine more due rows of other programs, and 50 recorded cancellations whose
        // date has passed, for the window's lists.
        exec(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) SELECT TOP 9 "
                            "ProgramID, #%1#, 30, 0 FROM Programs WHERE ProgramID <> %2")
                 .arg(today)
                 .arg(program));
        exec(QStringLiteral("UPDATE Bookings SET CancelDate = #%1# WHERE BookingID IN (SELECT TOP "
                            "50 BookingID FROM Bookings WHERE Status = 'Confirmed' ORDER BY "
                            "BookingID DESC)")
                 .arg(QDate::currentDate().addDays(-1).toString(Qt::ISODate)));
        payments = first("SELECT Max(PaymentID) FROM Payments").toLongLong();
    }
    static QVariant first(const char *sql)
    {
        jet::Recordset rs(Global::DbConnection(), QString::fromLatin1(sql));
        return rs.eof() ? QVariant() : rs.value(0);
    }
    static void exec(const QString &sql) { Global::DbConnection().execute(sql); }
    // Puts the plan row back as due and removes the rows a run added.
    void reset()
    {
        exec(QStringLiteral("DELETE FROM Payments WHERE PaymentID > %1").arg(payments));
        exec(QStringLiteral("UPDATE ChargeDate SET Run = 0 WHERE ChargeDateID = %1").arg(planRow));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void registerPair(const std::string &name, std::function<void(Fixture &)> run,
                  bool writes = false)
{
    benchmark::RegisterBenchmark((name + "/engine").c_str(), [run, writes](benchmark::State &state) {
        Fixture &f = fixture();
        for (auto _ : state) {
            if (writes) {
                state.PauseTiming();
                f.reset();
                state.ResumeTiming();
            }
            run(f);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/sqlite").c_str(), [run, writes](benchmark::State &state) {
        Fixture &f = fixture();
        if (writes)
            f.reset();
        benchdata::StatementCatcher::Start();
        run(f);
        const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(f.path).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_busy_timeout(db, 5000);
        for (auto _ : state) {
            if (writes) {
                state.PauseTiming();
                f.reset();
                state.ResumeTiming();
            }
            benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
        }
        sqlite3_close_v2(db);
        state.counters["statements"] = double(statements.size());
    })->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    registerPair(
        "ChargePlanRow",
        [](Fixture &f) {
            const auto outcome =
                imodEnrolments::ChargeDuePlanRow(f.planRow, f.program, vb::Currency(25));
            if (outcome != imodEnrolments::ChargeOutcome::Charged)
                throw std::runtime_error("the plan row was not charged");
        },
        true);
    registerPair("OpenRecurring", [](Fixture &) {
        auto *w = ui::Forms::shared<frmRecurring>();
        w->load();
        benchmark::DoNotOptimize(w->grdCancel->rows() + w->grdCharge->rows());
        w->unload();
    });
}

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv, registerAll);
}
