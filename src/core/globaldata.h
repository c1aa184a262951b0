#pragma once

#include <QDateTime>
#include <QString>

namespace jet {
class Connection;
}

// The one shared connection and the statement adapter with its log.
namespace Global {

// The dialect of the open data file: "Jet" once the loader has opened one, empty before.
inline QString DatabaseType;
// The signed-in user's ID; written into every log line. "<<NOLOGS>>" (exactly)
// switches the statement log off.
inline QString CurrentUserId;
// The open data file's name without its folder; names the statement log's files.
inline QString CurrentDataFile;

// The marker user ID that switches the statement log off.
inline const QString NoLogsUserId = QStringLiteral("<<NOLOGS>>");

// The one connection to the open data file; a new, unopened connection is made
// when there is none.
jet::Connection &DbConnection();
// Closes the connection (when open) and drops it; the next use makes a fresh one.
void DropDbConnection();

// The statement for the open database: unchanged for "Jet", the empty text before
// a data file is open. Logs it on the way unless the log is switched off.
QString AdaptSql(const QString &sql);

// Appends one line to this month's statement log, unless the text begins with
// "SELECT" (exactly). The log is "Logs/" below CentreSettings().DataFilesDirectory(),
// one file a month named after CurrentDataFile with its dots turned into dashes:
// "default-mdb-2009-07.txt". A line: date and time, TAB, user ID, TAB, statement.
// Line breaks and backslashes in the statement are written as \r, \n and \\, so
// that every statement stays one line. Every failure only loses the line; so
// does a statement before the data folder is known.
void WriteSqlLog(const QString &sql);
// The same at a given moment of the local clock.
void WriteSqlLog(const QString &sql, const QDateTime &now);

// The log file of a data file for a month: "my-data-mdb-2009-07.txt".
QString SqlLogFileName(const QString &dataFile, const QDateTime &now);

} // namespace Global
