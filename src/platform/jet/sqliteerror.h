#pragma once

#include "platform/jet/sql/error.h"

#include <QString>

struct sqlite3;

namespace jet::detail {

// The engine's error for a failed SQLite call: SQLite's result code and message are
// mapped to the Jet/ADO number the program tests for. `statement` is the Jet text
// that failed; `file` names the data file in the descriptions that mention it.
Error sqliteError(int resultCode, const QString &message, const QString &statement = {},
                  const QString &file = {});
// The same, reading the message of the connection's last failure.
Error sqliteError(sqlite3 *db, int resultCode, const QString &statement = {});

// Descriptions shared by several places.
QString unrecognisedFormat(const QString &file);

} // namespace jet::detail
