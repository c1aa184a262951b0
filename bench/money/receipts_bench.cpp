// The receipt summary and the receipts journal on the big data file: reversing a receipt
// of three payment rows (the receipt's rows counted and listed, each row reversed in its
// own transaction), a month of the journal listed in its window, and a journal line opened
// in the receipt summary. Each through the program (…/engine) and as the very statements
// the engine ran, straight on SQLite's C API (…/sqlite).
#include "benchdata.h"

#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "money/receipts.h"
#include "money/receipts/frmjournalreceipts.h"
#include "money/receipts/frmreceiptsummary.h"
#include "money/receipts/register.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/vb/format.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    qint32 sample = 0;
    QDate monthStart;
    int receipts = 0;

    Fixture()
    {
        benchdata::OpenCopyAsProgram(dir.path());
        money::RegisterReceiptWindows();
        if (Global::DateFormat.isEmpty())
            Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        jet::Connection &db = Global::DbConnection();
        sample = jet::Recordset(db, QStringLiteral("SELECT Max(PaymentID) FROM Payments WHERE "
                                                   "Type = 'P' AND Banked = 0 AND Amount > 0"))
                     .value(0)
                     .toInt();
        // The last whole month of the file.
        const QDate last = jet::Recordset(db, QStringLiteral("SELECT Max([Time]) FROM Payments "
                                                             "WHERE Type = 'P'"))
                               .value(0)
                               .toDateTime()
                               .date();
        monthStart = QDate(last.year(), last.month(), 1).addMonths(-1);
    }

    // A new receipt of three rows copied from the sample row; gives its number.
    QString newReceipt()
    {
        const QString number = QStringLiteral("9%1").arg(++receipts, 6, 10, QLatin1Char('0'));
        for (int i = 0; i < 3; ++i)
            Global::DbConnection().execute(
                QStringLiteral(
                    "INSERT INTO Payments (BookingID, [Time], Amount, [Method], ReceivedFrom, "
                    "AuthorisedBy, [Date], Banked, [Type], Notes, ReceiptNo, DiscountAmount, "
                    "RevenueAccount, GSTCollected, RevenueAmount, DepositAccount, DiscountGST, "
                    "TaxCode, [SID], AttendanceID, ChargeAmount, ChargeGST, PassportFee, "
                    "SessionNo) SELECT BookingID, [Time], Amount, [Method], ReceivedFrom, "
                    "AuthorisedBy, [Date], 0, [Type], Notes, '%1', DiscountAmount, "
                    "RevenueAccount, GSTCollected, RevenueAmount, DepositAccount, DiscountGST, "
                    "TaxCode, [SID], AttendanceID, ChargeAmount, ChargeGST, PassportFee, "
                    "SessionNo FROM Payments WHERE PaymentID = %2")
                    .arg(number)
                    .arg(sample));
        return number;
    }

    frmJournalReceipts *journalOnTheMonth()
    {
        auto *w = ui::Forms::shared<frmJournalReceipts>();
        const auto typed = [](const QDate &d) {
            return vb::Format(QDateTime(d, QTime()), Global::DateFormat);
        };
        w->txtDateFrom->setText(typed(monthStart));
        w->txtDateTo->setText(typed(monthStart.addMonths(1).addDays(-1)));
        return w;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// What "Reverse Payment" writes for a whole receipt, without its question box.
void reverseReceipt(const QString &receiptNo)
{
    const int rows = imodMoney::CountReceiptRows(receiptNo);
    benchmark::DoNotOptimize(imodMoney::OffersReceiptWideReversal(receiptNo, rows));
    const QString name = Global::GetNameForUserID(Global::CurrentUserId);
    for (qint32 id : imodMoney::ReceiptPaymentIds(receiptNo))
        imodMoney::ReversePaymentRow(id, name);
}

void ReverseReceipt_engine(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        const QString receipt = f.newReceipt();
        state.ResumeTiming();
        reverseReceipt(receipt);
    }
}
BENCHMARK(ReverseReceipt_engine)->Name("ReverseReceipt/engine")->Unit(benchmark::kMillisecond);

void ReverseReceipt_sqlite(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString receipt = f.newReceipt();
    benchdata::StatementCatcher::Start();
    reverseReceipt(receipt);
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(ReverseReceipt_sqlite)->Name("ReverseReceipt/sqlite")->Unit(benchmark::kMillisecond);

void JournalMonth_engine(benchmark::State &state)
{
    frmJournalReceipts *w = fixture().journalOnTheMonth();
    for (auto _ : state)
        w->cmdShow_Click();
    state.counters["lines"] = w->List1->count();
}
BENCHMARK(JournalMonth_engine)->Name("JournalMonth/engine")->Unit(benchmark::kMillisecond);

void JournalMonth_sqlite(benchmark::State &state)
{
    frmJournalReceipts *w = fixture().journalOnTheMonth();
    benchdata::StatementCatcher::Start();
    w->cmdShow_Click();
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(JournalMonth_sqlite)->Name("JournalMonth/sqlite")->Unit(benchmark::kMillisecond);

frmJournalReceipts *journalOnALine()
{
    frmJournalReceipts *w = fixture().journalOnTheMonth();
    if (w->List1->count() == 0)
        w->cmdShow_Click();
    w->List1->setCurrentRow(w->List1->count() / 2);
    return w;
}

void OpenJournalLine_engine(benchmark::State &state)
{
    frmJournalReceipts *w = journalOnALine();
    for (auto _ : state)
        w->List1_DblClick();
}
BENCHMARK(OpenJournalLine_engine)->Name("OpenJournalLine/engine")->Unit(benchmark::kMillisecond);

void OpenJournalLine_sqlite(benchmark::State &state)
{
    frmJournalReceipts *w = journalOnALine();
    benchdata::StatementCatcher::Start();
    w->List1_DblClick();
    const std::vector<std::string> statements = benchdata::StatementCatcher::Stop();
    sqlite3 *db = Global::DbConnection().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(benchdata::RunStatements(db, statements));
    state.counters["statements"] = double(statements.size());
}
BENCHMARK(OpenJournalLine_sqlite)->Name("OpenJournalLine/sqlite")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return benchdata::RunBenchmarkProgram(argc, argv);
}
