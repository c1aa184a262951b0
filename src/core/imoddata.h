#pragma once

#include <QString>

// Running the program's action statements.
namespace imodData {

// Runs one statement that returns no rows on Global::DbConnection(), after
// Global::AdaptSql. 0 when it succeeded, otherwise the error number (-1 for an
// error without one). With showError the failure is also shown in an "Oops!"
// box. Never throws.
int ExecSQL(const QString &sql, bool showError);

} // namespace imodData
