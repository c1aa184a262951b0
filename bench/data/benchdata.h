#pragma once

#include "report/ratioreporter.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

// What every benchmark on the big data file shares: the file itself, made once and kept
// outside the repository, and the report of each hot path's time against SQLite's.
namespace benchdata {

// The folder the big file is kept in: $OVIXIAN_BENCH_DATA when set, else
// ~/.cache/ovixian-bench. Made when missing.
QString CacheFolder();

// The big data file, generated on first use (it takes minutes) and reused afterwards.
// Its name carries the generator's version, seed and day, so that a changed generator
// makes a new file. Benchmarks that write must work on a copy (CopyOfBigFile).
QString BigDataFile();

// A private copy of the big file in `folder` (an online copy through SQLite), named `name`.
QString CopyOfBigFile(const QString &folder, const QString &name);

// The report of every benchmark program (engine over SQLite ratios).
using benchreport::RatioReporter;

} // namespace benchdata
