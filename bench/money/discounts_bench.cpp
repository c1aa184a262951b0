// Granting a discount on the big data file: OK of the pick list on the booking with the
// most ledger rows, up to the row written and the booking's open windows reloaded (an
// employee signed in approves, as at a counter), and the payment-method delete check
// for the method most payments carry. Each through the program (…/engine) and as the
// very statements the engine ran, straight on SQLite's C API (…/sqlite).
#include "benchdata.h"

#include "core/globaldata.h"
#include "access/signin.h"
#include "money/editors/frmdiscountpicklist.h"
#include "money/moneytables.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/forms.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// An open window that shows the booking: its reload is counted, not timed.
class BookingWindow : public ui::Form
{
    Q_OBJECT
public:
    BookingWindow(const QString &name, qint32 record)
    {
        setObjectName(name);
        txtField.add(0, new QLineEdit(QString::number(record), this));
    }
    Q_INVOKABLE void Load_Students() { ++reloads; }
    Q_INVOKABLE void Load_LTS_History() { ++reloads; }
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    int reloads = 0;
};

struct Fixture
{
    QTemporaryDir dir;
    qint32 booking = 0;
    QString method;

    Fixture()
    {
        benchdata::OpenCopyAsProgram(dir.path());
        jet::Connection &db = Global::DbConnection();
        jet::Recordset busiest(db, QStringLiteral("SELECT TOP 1 BookingID FROM Payments WHERE "
                                                  "BookingID > 0 GROUP BY BookingID ORDER BY "
                                                  "Count(*) DESC"));
        booking = busiest.value(0).toInt();
        jet::Recordset common(db, QStringLiteral("SELECT TOP 1 Method FROM Payments WHERE Method "
                                                 "<> '' GROUP BY Method ORDER BY Count(*) DESC"));
        method = common.value(0).toString();
        // An employee with a user account that may take payments, signed in.
        jet::Recordset employee(db, QStringLiteral("SELECT TOP 1 Instructors.InstructorID, "
                                                   "Students.[First Name], Students.[Last Name] "
                                                   "FROM Students INNER JOIN Instructors ON "
                                                   "Students.StudentID = Instructors.StudentID "
                                                   "WHERE Students.Inactive = 0 AND "
                                                   "Students.Employee = 'Y'"));
        const QString name =
            employee.value(1).toString() + QLatin1Char(' ') + employee.value(2).toString();
        db.execute(QStringLiteral("UPDATE Instructors SET UserID = 'BENCH' WHERE InstructorID = ") +
                   employee.value(0).toString());
        db.execute(QStringLiteral("DELETE FROM Users WHERE UserID = 'BENCH'"));
        db.execute(QStringLiteral("INSERT INTO Users (UserID, Name, ReceivePayments) VALUES "
                                  "('BENCH', 'Bench', 1)"));
        Global::CurrentUserId = QStringLiteral("BENCH");
        Global::CurrentUserName = name;
        const qint32 student =
            jet::Recordset(db, QStringLiteral("SELECT StudentID FROM Bookings WHERE BookingID = ") +
                                   QString::number(booking))
                .value(0)
                .toInt();
        const qint32 classId =
            jet::Recordset(db, QStringLiteral("SELECT ClassID FROM Bookings WHERE BookingID = ") +
                                   QString::number(booking))
                .value(0)
                .toInt();
        (new BookingWindow(QStringLiteral("frmViewClass"), classId))->load();
        (new BookingWindow(QStringLiteral("frmStudentDetails"), student))->load();
    }

    // A pick list on the booking, a discount chosen for session 3 and its total worked out.
    frmDiscountPickList *window()
    {
        auto *w = ui::Forms::create<frmDiscountPickList>();
        w->Load(booking);
        w->lstDiscounts->setCurrentRow(2);
        w->txtSession->setText(QStringLiteral("3"));
        w->CalculateTotal();
        return w;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void ApplyDiscount_engine(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        frmDiscountPickList *w = f.window();
        state.ResumeTiming();
        w->cmdOK_Click();
    }
}
BENCHMARK(ApplyDiscount_engine)->Name("ApplyDiscount/engine")->Unit(benchmark::kMillisecond);

void ApplyDiscount_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    frmDiscountPickList *w = f.window();
    benchdata::StatementCatcher::Start();
    w->cmdOK_Click();
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(ApplyDiscount_sqlite)->Name("ApplyDiscount/sqlite")->Unit(benchmark::kMillisecond);

void MethodDeleteCheck_engine(benchmark::State &state)
{
    Fixture &f = fixture();
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(n = moneytables::CountPaymentsWithMethod(f.method));
    state.counters["rows"] = n;
}
BENCHMARK(MethodDeleteCheck_engine)->Name("MethodDeleteCheck/engine")->Unit(benchmark::kMillisecond);

void MethodDeleteCheck_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    benchdata::StatementCatcher::Start();
    moneytables::CountPaymentsWithMethod(f.method);
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(MethodDeleteCheck_sqlite)->Name("MethodDeleteCheck/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}

#include "discounts_bench.moc"
