// The runtime functions that run once per row of every list and report: each should
// stay well under a microsecond a call.
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

#include <benchmark/benchmark.h>

namespace {

void formatDate(benchmark::State &state)
{
    const QVariant date(vb::makeDateTime(2010, 1, 5, 16, 30));
    const QString pattern = QStringLiteral("dd-mmm-yyyy");
    for (auto _ : state)
        benchmark::DoNotOptimize(vb::Format(date, pattern));
}
BENCHMARK(formatDate);

void formatCurrency(benchmark::State &state)
{
    const QVariant amount =
        QVariant::fromValue(*vb::Currency::parse(QStringLiteral("-1234567.891")));
    const QString pattern = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");
    for (auto _ : state)
        benchmark::DoNotOptimize(vb::Format(amount, pattern));
}
BENCHMARK(formatCurrency);

void cdateDayFirst(benchmark::State &state)
{
    const QVariant text(QStringLiteral("5/01/2010 4:30 PM"));
    for (auto _ : state)
        benchmark::DoNotOptimize(vb::CDate(text));
}
BENCHMARK(cdateDayFirst);

void cdateStorageText(benchmark::State &state)
{
    const QVariant text(QStringLiteral("2010-01-05 16:30:00"));
    for (auto _ : state)
        benchmark::DoNotOptimize(vb::CDate(text));
}
BENCHMARK(cdateStorageText);

} // namespace

BENCHMARK_MAIN();
