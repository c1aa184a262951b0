#pragma once

#include "timetable/fixture/timetablefixture.h"

#include "platform/ui/msgbox.h"

#include <QByteArray>
#include <sqlite3.h>

// Runs SQLite's own SQL on the data file beside the program's connection: the
// tests use it for triggers that make one write of the program fail.
inline void runOnFile(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const QByteArray why = message ? QByteArray(message) : QByteArray();
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << why.constData();
}
