#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The rules of backing up and restoring a data file, apart from the windows that
// offer them: where backups go and what they are called, the marker file that lies
// in the application data folder while a backup runs, the maintenance statements,
// and the copy itself.
namespace shell {

// The folder a backup goes to when a data file is left: the centre's BackupLocation
// setting without a trailing "/" (neither tested nor created), else the "Backups"
// folder of the application data folder, created when missing.
QString BackupFolder();

// folder + "/ibackup" + the moment as yyyyMMddhhmmss + ".mdb".
QString BackupFileName(const QString &folder, const QDateTime &at);

// Writes the marker file afresh; gives false when it could not (nothing is reported).
bool WriteBackupMarker();
// Removes the marker file when it is there; failures are ignored.
void DeleteBackupMarker();

// A maintenance statement that failed: its stage and the error.
struct MaintenanceFailure
{
    QString stage;
    long number = 0;
    QString description;
};

// The maintenance stages and their statements, in the order they run.
struct MaintenanceStatement
{
    QString stage;
    QString sql;
};
const QList<MaintenanceStatement> &MaintenanceStatements();

// Runs the maintenance statements on a connection of its own to the data file of
// the connection string (not adapted, not logged); the first failure ends the run.
std::optional<MaintenanceFailure> RunDataMaintenance(const QString &connectionString);

// Deletes the report viewer's left-over "temp*.htm" files of the data folder. That
// none is there is no error; a file that cannot be deleted raises vb::Error 70.
void DeleteReportTempFiles(const QString &dataFolder);

// Copies the data file at `source` to `target` with the engine's online backup,
// consistent while other connections use the source. The copy is written under a
// temporary name beside the target, read back and checked as a data file of this
// program, and only then moved over `target`: whatever was at `target` stays as it
// was when anything fails. Failures throw jet::Error (or vb::Error).
void CopyDataFile(const QString &source, const QString &target);

// Tests hook in here to watch the copy while it runs (between the online backup and
// the check of the copy); an empty hook removes it.
void setCopyObserver(std::function<void(const QString &partialCopy)> observer);

// Whether two paths name the same existing file.
bool IsSameFile(const QString &a, const QString &b);

// The file of the data file that is open on the shared connection, empty when none is.
QString OpenDataFilePath();

// The two kinds of backups the restore window lists: 0 made when a data file was
// left, 1 made before a structure upgrade. The folder (ending in "/") and the name
// pattern of a kind; empty for any other kind.
QString RestoreFolder(int kind);
QString RestorePattern(int kind);

} // namespace shell
