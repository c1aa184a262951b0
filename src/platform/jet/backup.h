#pragma once

#include <QString>

struct sqlite3;

namespace jet::detail {

// Copies the open database to `target` with SQLite's online backup, so that the copy
// is consistent while other connections use the file. The copy is written beside the
// target under a temporary name and moved into place only when it is complete: an
// existing file at `target` is replaced only by a good copy. Throws jet::Error.
void backupDatabase(sqlite3 *source, const QString &target);

} // namespace jet::detail
