#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/imodglobalsubs.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/datetime.h"

#include <QDir>
#include <QFile>

namespace {

QString thisMonth()
{
    return vb::Now().toString(QStringLiteral("yyyy-MM"));
}

} // namespace

using DataCore = DataFileTest;

TEST_F(DataCore, AdaptSqlPassesJetTextAndNothingBeforeAFileIsOpen)
{
    EXPECT_EQ(Global::AdaptSql("SELECT * FROM Students WHERE DOB > #2009-07-01#"),
              "SELECT * FROM Students WHERE DOB > #2009-07-01#");
    Global::DatabaseType.clear();
    EXPECT_EQ(Global::AdaptSql("UPDATE CentreInfo SET UserID = 'i'"), "");
    Global::DatabaseType = "jet"; // compared exactly
    EXPECT_EQ(Global::AdaptSql("DELETE FROM Attend"), "");
}

TEST_F(DataCore, LogsEverythingButTextsBeginningWithSelect)
{
    const struct
    {
        const char *sql;
        bool logged;
    } cases[] = {
        {"SELECT * FROM Classes", false},
        {"SELECT", false},
        {"SELECTED", false},
        {"select * FROM Classes", true},
        {" SELECT * FROM Classes", true},
        {"Select 1", true},
        {"UPDATE Classes SET Size = 10", true},
        {"", true},
    };
    QStringList expected;
    for (const auto &c : cases) {
        Global::AdaptSql(c.sql);
        if (c.logged)
            expected << QString::fromUtf8(c.sql);
    }
    QStringList statements;
    const QStringList lines = logText(thisMonth()).split("\r\n", Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList columns = line.split('\t');
        ASSERT_EQ(columns.size(), 3) << line.toStdString();
        EXPECT_EQ(columns[1], "i");
        statements << columns[2];
    }
    EXPECT_EQ(statements, expected);
}

TEST_F(DataCore, NoLogsMarkerSwitchesTheLogOffExactly)
{
    Global::CurrentUserId = "<<NOLOGS>>";
    Global::AdaptSql("UPDATE Classes SET Size = 1");
    EXPECT_FALSE(QDir(dir.path() + "/Logs").exists());
    Global::CurrentUserId = "<<nologs>>";
    Global::AdaptSql("UPDATE Classes SET Size = 2");
    EXPECT_TRUE(logText(thisMonth()).contains("\t<<nologs>>\tUPDATE Classes SET Size = 2\r\n"));
}

TEST_F(DataCore, LogFileNamesAndLines)
{
    EXPECT_EQ(Global::SqlLogFileName("default.mdb", vb::makeDateTime(2009, 7, 15)),
              "default-mdb-2009-07.txt");
    EXPECT_EQ(Global::SqlLogFileName("my.data.mdb", vb::makeDateTime(2009, 7, 1)),
              "my-data-mdb-2009-07.txt");

    // The year and the month turn over with the clock.
    Global::WriteSqlLog("DELETE FROM Attend WHERE ID = 1",
                        vb::makeDateTime(2009, 12, 31, 23, 59, 59));
    Global::WriteSqlLog("DELETE FROM Attend WHERE ID = 2", vb::makeDateTime(2010, 1, 1, 0, 0, 0));
    EXPECT_EQ(logText("2009-12"), "31/12/2009 11:59:59 PM\ti\tDELETE FROM Attend WHERE ID = 1\r\n");
    EXPECT_EQ(logText("2010-01"), "1/01/2010 12:00:00 AM\ti\tDELETE FROM Attend WHERE ID = 2\r\n");

    // Lines are appended; a statement with line breaks stays one line.
    Global::WriteSqlLog("UPDATE Students\r\nSET Notes = 'a\\b'\nWHERE ID = 3",
                        vb::makeDateTime(2010, 1, 2, 9, 5, 3));
    EXPECT_EQ(
        logText("2010-01"),
        "1/01/2010 12:00:00 AM\ti\tDELETE FROM Attend WHERE ID = 2\r\n"
        "2/01/2010 9:05:03 AM\ti\tUPDATE Students\\r\\nSET Notes = 'a\\\\b'\\nWHERE ID = 3\r\n");
}

TEST_F(DataCore, LogFailuresOnlyLoseTheLine)
{
    const QString notAFolder = dir.write("plain.txt", "x");
    Global::CentreSettings().setDataFilesDirectory(notAFolder);
    EXPECT_NO_THROW(Global::AdaptSql("UPDATE Classes SET Size = 1"));
    Global::CentreSettings().setDataFilesDirectory({});
    const bool rootLogsBefore = QDir("/Logs").exists();
    EXPECT_NO_THROW(Global::AdaptSql("UPDATE Classes SET Size = 1"));
    EXPECT_EQ(QDir("/Logs").exists(), rootLogsBefore); // no data folder: no log anywhere
    EXPECT_EQ(imodData::ExecSQL("CREATE TABLE T (ID INT)", false), 0);
}

TEST_F(DataCore, DbConnectionIsMadeOnFirstUse)
{
    jet::Connection *first = &Global::DbConnection();
    EXPECT_TRUE(first->isOpen());
    EXPECT_EQ(&Global::DbConnection(), first);
    Global::DropDbConnection();
    EXPECT_FALSE(Global::DbConnection().isOpen());
    try {
        Global::DbConnection().execute("CREATE TABLE T (ID INT)");
        FAIL() << "a fresh connection is not open";
    } catch (const jet::Error &e) {
        EXPECT_EQ(e.number(), jet::err::ClosedObject);
    }
}

TEST_F(DataCore, ExecSqlReportsThroughItsResult)
{
    ui::DialogScript dialogs;
    EXPECT_EQ(imodData::ExecSQL("CREATE TABLE Pools (ID INT, Name NVARCHAR(50))", false), 0);
    EXPECT_EQ(imodData::ExecSQL("INSERT INTO Pools (ID, Name) VALUES (1, " +
                                    Global::SqlText("O'Brien's \"big\" pool; #1") + ")",
                                false),
              0);
    EXPECT_EQ(Global::DbConnection().execute("UPDATE Pools SET ID = 2 WHERE Name = " +
                                             Global::SqlText("O'Brien's \"big\" pool; #1")),
              1);

    const int failed = imodData::ExecSQL("INSERT INTO Nowhere (ID) VALUES (1)", false);
    EXPECT_EQ(failed, jet::err::NoSuchTable);
    EXPECT_LT(failed, 0);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(logText(thisMonth()).contains("\ti\tINSERT INTO Nowhere (ID) VALUES (1)\r\n"));
}

TEST_F(DataCore, ExecSqlShowsTheFailureWhenAsked)
{
    ui::DialogScript dialogs;
    dialogs.answer(ui::vbOK);
    const int failed = imodData::ExecSQL("DELETE FROM Nowhere", true);
    ASSERT_NE(failed, 0);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const ui::ShownDialog &box = dialogs.shown().first();
    EXPECT_EQ(box.title, "Oops!");
    EXPECT_EQ(box.icon, ui::vbExclamation);
    EXPECT_EQ(box.buttons, ui::vbOKOnly);
    EXPECT_TRUE(box.text.startsWith("Executing the statement:\r\n'DELETE FROM Nowhere'\r\n"
                                    " caused the following error:\r\n"))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(" (Err#" + QString::number(failed) + ")"));
}

TEST_F(DataCore, CountRecordsIsExactAboveSixteenBits)
{
    auto &db = Global::DbConnection();
    db.execute("CREATE TABLE Numbers (N INT)");
    db.beginTrans();
    for (int n = 0; n < 40000; ++n)
        db.execute(QStringLiteral("INSERT INTO Numbers (N) VALUES (%1)").arg(n));
    db.commitTrans();

    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT * FROM Numbers"), 40000);
    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT N FROM Numbers WHERE N < 5"), 5);
    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT N FROM Numbers WHERE N < 0"), 0);
    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT FROM WHERE"), 0);
    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT * FROM Nowhere"), 0);
    Global::DbConnection().close();
    EXPECT_EQ(imodGlobalSubs::CountRecords("SELECT * FROM Numbers"), 0);
}

TEST_F(DataCore, PrepareRecordsetUsesTheSharedConnection)
{
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    EXPECT_EQ(rs.activeConnection(), &Global::DbConnection());
}
