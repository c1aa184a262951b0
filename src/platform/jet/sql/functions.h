#pragma once

struct sqlite3;

namespace jet::sql {

// Registers the Jet functions, aggregates and operator helpers on a connection.
//
// Values inside SQLite: Null is NULL; numbers are INTEGER or REAL; CURRENCY is a
// REAL rounded to four decimals; dates are TEXT 'YYYY-MM-DD' (midnight) or
// 'YYYY-MM-DD HH:MM:SS' (a time alone on 1899-12-30); Yes/No and truth values
// are -1 (True) and 0 (False). Every date a function gives is in that text form.
//
// Names: each Jet function Foo (and Foo$) is registered as jet_foo, with Jet's
// argument counts (optional arguments as extra arities): jet_ucase, jet_left,
// jet_mid, jet_format, jet_dateadd, jet_iif, jet_nz ... The translator writes
// calls under those names. Aggregates: jet_sum_cur (exact Sum of currency),
// jet_first, jet_last, jet_stdev, jet_var. Operator helpers: see functions.cpp.
void registerFunctions(sqlite3 *db);

} // namespace jet::sql
