#pragma once

#include <QString>
#include <functional>

namespace jet {
class Connection;
}

// The structure check and upgrade that runs at every open of a data file.
namespace imodData {

// Writes a caption into the progress window's step line and repaints it.
using CaptionWriter = std::function<void(const QString &caption)>;

// The progress window takes the step line over with this; an empty writer shows nothing.
void SetVerifyCaption(CaptionWriter writer);
// Shows a caption through the writer set last.
void ShowVerifyCaption(const QString &caption);
// The writer set last (an empty one when none).
const CaptionWriter &VerifyCaption();

// Ends the program when the settings step fails (the number of its error); by default
// the application's event loop is left with that number. Tests may replace it.
void SetProgramEnd(std::function<void(int)> end);

// Checks the open data file (Global::DbConnection()) and brings it to the current
// structure. 0 when the file can be used; 625 when an upgrade needed the automatic
// backup and it failed; 91 when a table could not be read; otherwise the number of
// the error that stopped it. Global::CurrentUserId is the same afterwards.
int VerifyDatabase();

// Copies the open data file into "Backups" of the application data folder as
// "autobackup" + the file's name without dots + "yyyymmddhhmmss" + ".mdb", at most once
// per verification. True when a copy from this verification exists.
bool AutoBackup();

// State of the verification that is running: the five to-do flags and the backup.
struct VerifyRunState
{
    bool Updated58 = false;
    bool Updated61 = false;
    bool Updated62 = false;
    bool Updated62b = false;
    bool Updated62c = false;
    bool AutoBackupDone = false;
};
VerifyRunState &VerifyState();

// Steps of the settings row and the core tables.
int UpgradeCentreInfo();
void UpgradeBookings();
void UpgradePrograms();
void UpgradeClasses();
void UpgradeStudents();
void UpgradeUsers();
void UpgradePayments();
// Renames a column in place; false (and nothing shown) on any failure.
bool RenameColumn(jet::Connection &connection, const QString &table, const QString &oldName,
                  const QString &newName);

// Steps of the lookup, link and added tables.
void UpgradeClassGroups();
void UpgradeLevels();
void UpgradeWaterTesting();
void UpgradeInstructors();
void UpgradeDays();
void UpgradeActivities();
void UpgradeMemberships();
void UpgradeQualifications();
void UpgradeEvents();
void UpgradeDiscounts();
void UpgradePreEnrol();
void FixInstructorLinks();

// Puts in place the indexes of the current structure that the file lacks (the program's
// own indexes and the unique ones that refuse duplicates); failures are passed over.
void EnsureIndexes();

} // namespace imodData
