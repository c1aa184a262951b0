#pragma once

#include <QString>

// Loading a data file: from the data-file window to a signed-in user.
namespace shell {

// How a load ended.
enum class LoadResult {
    Stopped,     // the load stopped; the data-file window is shown
    SetupWizard, // a file that was never set up went to the set-up wizard
    SignIn,      // this computer is registered and the sign-in has run
};

// The connection string of the data file folder/fileName.
QString ConnectionString(const QString &folder, const QString &fileName);

// The backup marker in the application data folder.
QString BackupMarkerFile();

// The loader of the data-file window (frmOpen.LoadDataFile2): remembers the file in
// "DataPath.txt" (with "N" when noShow, else "Y" unless keepDataPath), checks the file
// and the backup marker, opens Global::DbConnection() on it, verifies it, loads the
// settings, hands a new file to the set-up wizard, registers this computer in
// Computers and signs in. Writes every step into the progress window. appString is
// the folder or "%" (replaced by the application data folder); keepDataPath is
// cleared when there is no "DataPath.txt".
LoadResult LoadDataFile2(QString &appString, QString &fileName, bool noShow, bool &keepDataPath);

// Marks this computer in use in Computers (its row found by name without regard to
// case, added when missing).
void RegisterWorkstation();

} // namespace shell
