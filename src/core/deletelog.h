#pragma once

#include <QString>

namespace jet {
class Connection;
}

namespace Global {

// Writes one row of the audit table DeleteLog: the time now as "yyyy/mm/dd
// hh:mm:ss AMPM", the record deleted, the action and the user (upper-cased; a
// null user leaves the column empty). Part of the caller's transaction; failures
// reach the caller.
void WriteDeleteLog(const QString &record, const QString &action, const QString &userId = {});
// The same on a connection of its own (a second workstation).
void WriteDeleteLog(jet::Connection &connection, const QString &record, const QString &action,
                    const QString &userId = {});

} // namespace Global
