#pragma once

#include <QString>

// Path operations of the Global module. Paths use the platform's separator "/".
namespace Global {

// The path without a final "/"; any other path unchanged (an empty path stays empty).
QString StripTrailingSlash(const QString &path);

// The folder part of a path: everything before its last "/"; the empty text when
// there is none. "/data/swim.mdb" -> "/data", "swim.mdb" -> "", "/data/" -> "/data".
QString GetParentFolder(const QString &path);

// The folder every backup of the program is written to when the centre names none:
// "Backups" in the application data folder, without a final "/".
QString DefaultBackupFolder();

} // namespace Global
