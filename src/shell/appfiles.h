#pragma once

#include <QStringList>

// What the application data folder must hold for the start-up and the New button.
namespace shell {

// The support files a new data file gets a copy of.
const QStringList &SupportFileNames();

// Installs what is missing in the application data folder: the template "new.md_",
// the language file, the support files and the practice file "sample.mdb". Files
// that exist are left as they are.
// Gives the names that could not be installed.
QStringList InstallApplicationFiles();

} // namespace shell
