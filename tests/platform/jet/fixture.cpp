#include "fixture.h"

#include "platform/jet/recordset.h"

#include <QFile>
#include <sqlite3.h>

namespace jet::test {

void createDataFile(const QString &path)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    // Writing the header makes the file an SQLite database rather than an empty file.
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

QString connectionString(const QString &path)
{
    return QStringLiteral(
               "Provider=MICROSOFT.JET.OLEDB.4.0;Jet OLEDB:Database Password=2871906;"
               "Persist Security Info=False;Mode=ReadWrite|Share Deny None;Data Source=") +
           path;
}

long errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Error &e) {
        return e.number();
    }
    return 0;
}

void DataFileTest::SetUp()
{
    path = dir.file(QStringLiteral("school.mdb"));
    createDataFile(path);
    db.open(connectionString(path));
    const char *statements[] = {
        "CREATE TABLE Students (StudentID COUNTER, Surname TEXT(50) NOT NULL, Born DATETIME, "
        "Balance CURRENCY, Age INT DEFAULT 0, Flag YESNO)",
        "INSERT INTO Students (Surname, Born, Balance, Age) VALUES ('Smith', #2010-01-05#, 4.5, 7)",
        "INSERT INTO Students (Surname, Age) VALUES ('Jones', 9)",
        "INSERT INTO Students (Surname, Age) VALUES ('brown', 5)",
        "CREATE TABLE Classes (ClassID COUNTER, ClassName TEXT(50))",
        "INSERT INTO Classes (ClassName) VALUES ('Mon 9:00')",
        "INSERT INTO Classes (ClassName) VALUES ('Tue 10:00')",
        "CREATE TABLE Assessments (AssessmentID COUNTER, ClassID INT, Processed INT)",
        "INSERT INTO Assessments (ClassID, Processed) VALUES (1, 0)",
        "INSERT INTO Assessments (ClassID, Processed) VALUES (2, 0)",
        "CREATE TABLE CentreInfo (CentreName TEXT(50), NextReceiptNo INT)",
        "INSERT INTO CentreInfo (CentreName, NextReceiptNo) VALUES ('Pool', 100)",
    };
    for (const char *s : statements)
        db.execute(QString::fromUtf8(s));
}

QVariant DataFileTest::scalar(const QString &jetSql, Connection *connection)
{
    Recordset rs(connection ? *connection : db, jetSql);
    return rs.eof() ? QVariant() : rs.value(0);
}

} // namespace jet::test
