#pragma once

#include <QString>
#include <QVariant>

namespace ovix::test {

// Makes "default.mdb" in the folder from the template, opens it on
// Global::DbConnection() as the program's data file (adapter "Jet", the centre's
// settings loaded, the application named "Ovixian", short name "Ovix") and gives
// its path.
QString OpenTemplateDataFile(const QString &folder);
// Closes it again and forgets what OpenTemplateDataFile set.
void CloseTemplateDataFile();

// Runs a statement on the open data file / the first column of the first row of
// a query (an invalid QVariant when there is none).
void Exec(const QString &sql);
QVariant FirstValue(const QString &sql);

} // namespace ovix::test
