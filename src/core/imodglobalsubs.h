#pragma once

#include <QString>

// Small shared helpers.
namespace imodGlobalSubs {

// The number of rows the query gives; 0 on any failure. Counts of any size are
// exact (they are not cut to 16 bits).
int CountRecords(const QString &sql);

} // namespace imodGlobalSubs
