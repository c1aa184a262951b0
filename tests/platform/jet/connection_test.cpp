#include "fixture.h"

#include "platform/jet/recordset.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

using namespace jet;
using jet::test::DataFileTest;
using jet::test::errorNumber;

namespace {

class ConnectionTest : public DataFileTest
{
};

} // namespace

TEST_F(ConnectionTest, OpensTheDataSourceAndCloses)
{
    EXPECT_EQ(db.state(), ObjectState::Open);
    EXPECT_EQ(db.dataSource(), path);
    db.close();
    EXPECT_EQ(db.state(), ObjectState::Closed);
    EXPECT_EQ(errorNumber([&] { db.execute(QStringLiteral("DELETE FROM Classes")); }),
              err::ClosedObject);
    EXPECT_EQ(errorNumber([&] { Recordset rs(db, QStringLiteral("SELECT * FROM Classes")); }),
              err::ClosedObject);
    db.open();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes")).toInt(), 2);
}

TEST(ConnectionOpen, RefusesWhatIsNotADataFile)
{
    ovix::test::TempDir dir;
    const QString text = dir.write(QStringLiteral("notes.mdb"), "This is not a database at all.\n");
    const QString empty = dir.write(QStringLiteral("empty.mdb"), QByteArray());
    const struct
    {
        QString path;
        bool unrecognised;
    } cases[] = {
        {text, true},
        {empty, true},
        {dir.file(QStringLiteral("missing.mdb")), false},
        {dir.path(), false},
    };
    for (const auto &c : cases) {
        Connection db;
        try {
            db.open(test::connectionString(c.path));
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), err::Unspecified) << c.path.toStdString();
            EXPECT_EQ(e.description().startsWith(QLatin1String("Unrecognized database format")),
                      c.unrecognised)
                << e.description().toStdString();
        }
        EXPECT_FALSE(db.isOpen());
    }
    // The refused file is left as it was.
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("This is not a database at all.\n"));
}

TEST(ConnectionOpen, UsesTheRollbackJournal)
{
    // A file left in write-ahead-log mode is put back to the rollback journal, which a file
    // on a network share needs.
    ovix::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("wal.mdb"));
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "PRAGMA journal_mode = WAL; CREATE TABLE T (X INT)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    Connection db(test::connectionString(path));
    db.open();
    db.execute(QStringLiteral("INSERT INTO T (X) VALUES (1)"));
    db.close();

    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    sqlite3_stmt *mode = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "PRAGMA journal_mode", -1, &mode, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(mode), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(mode, 0)), "delete");
    sqlite3_finalize(mode);
    sqlite3_close(raw);
}

TEST_F(ConnectionTest, ExecuteGivesTheRowsAffected)
{
    EXPECT_EQ(db.execute(QStringLiteral("UPDATE Students SET Age = 10 WHERE Age > 6")), 2);
    EXPECT_EQ(db.execute(QStringLiteral("UPDATE Students SET Age = 10 WHERE Age > 60")), 0);
    EXPECT_EQ(db.execute(QStringLiteral("INSERT INTO Classes (ClassName) VALUES ('Wed 8:00')")), 1);
    EXPECT_EQ(db.execute(QStringLiteral("DELETE FROM Classes")), 3);
    EXPECT_EQ(db.execute(QStringLiteral("CREATE TABLE Extra (ID INT)")), 0);
}

TEST_F(ConnectionTest, FailuresCarryTheNumbersTheProgramTests)
{
    const struct
    {
        const char *sql;
        long number;
    } cases[] = {
        {"SELECT * FROM Nowhere", err::NoSuchTable},
        {"DROP TABLE Nowhere", err::NoSuchTable},
        {"CREATE TABLE Classes (X INT)", err::SyntaxError},
        {"SELEKT * FROM Classes", err::SyntaxError},
        {"SELECT Nothing FROM Classes", err::NoSuchColumn},
        {"ALTER TABLE Classes ADD COLUMN ClassName TEXT(50)", err::ColumnExists},
        {"INSERT INTO Classes (ClassID, ClassName) VALUES (1, 'again')", err::Unspecified},
        {"INSERT INTO Students (Age) VALUES (3)", err::Unspecified}, // Surname is required
        {"SELECT CInt('abc') FROM Classes", err::TypeMismatch},      // raised inside a function
        {"SELECT Mid(ClassName, 0) FROM Classes", err::Unspecified},
    };
    for (const auto &c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        try {
            db.execute(sql);
            ADD_FAILURE() << "ran " << c.sql;
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), c.number) << c.sql << ": " << e.description().toStdString();
            EXPECT_EQ(e.statement(), sql);
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
    // Nothing of a failed statement is left behind.
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes")).toInt(), 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Students")).toInt(), 3);
}

TEST_F(ConnectionTest, TransactionsCommitRollBackAndNest)
{
    const auto classes = [&] {
        return scalar(QStringLiteral("SELECT Count(*) FROM Classes")).toInt();
    };
    EXPECT_EQ(db.beginTrans(), 1);
    db.execute(QStringLiteral("INSERT INTO Classes (ClassName) VALUES ('a')"));
    db.rollbackTrans();
    EXPECT_EQ(classes(), 2);

    db.beginTrans();
    db.execute(QStringLiteral("INSERT INTO Classes (ClassName) VALUES ('a')"));
    EXPECT_EQ(db.beginTrans(), 2);
    db.execute(QStringLiteral("INSERT INTO Classes (ClassName) VALUES ('b')"));
    db.rollbackTrans();
    db.commitTrans();
    EXPECT_EQ(classes(), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes WHERE ClassName = 'b'")).toInt(),
              0);

    EXPECT_EQ(errorNumber([&] { db.commitTrans(); }), err::NoTransaction);
    EXPECT_EQ(errorNumber([&] { db.rollbackTrans(); }), err::NoTransaction);
}

TEST_F(ConnectionTest, TwoConnectionsShareOneFile)
{
    Connection other;
    openSecond(other);
    // A recordset holds no lock: the other connection writes while it is open.
    Recordset rs(db, QStringLiteral("SELECT * FROM Classes ORDER BY ClassID"));
    EXPECT_EQ(other.execute(
                  QStringLiteral("UPDATE Classes SET ClassName = 'Sat 8:00' WHERE ClassID = 2")),
              1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT ClassName FROM Classes WHERE ClassID = 2")).toString(),
              QStringLiteral("Sat 8:00"));
    // A structure change on one is seen by the other.
    other.execute(QStringLiteral("ALTER TABLE Classes ADD COLUMN Notes MEMO"));
    EXPECT_TRUE(db.columnExists(QStringLiteral("Classes"), QStringLiteral("Notes")));
    EXPECT_EQ(db.columnCount(QStringLiteral("SELECT * FROM Classes")), 3);
    // A transaction on one is invisible to the other until it commits.
    db.beginTrans();
    db.execute(QStringLiteral("DELETE FROM Classes WHERE ClassID = 1"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes"), &other).toInt(), 2);
    db.commitTrans();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Classes"), &other).toInt(), 1);
}

// While a transaction holds the file, the structure is read once; a change made inside the
// transaction, its rollback, and a change by another connection after it are all seen.
TEST_F(ConnectionTest, StructureChangesAroundATransactionAreSeen)
{
    const QString all = QStringLiteral("SELECT Classes.* FROM Classes");
    db.beginTrans();
    EXPECT_EQ(Recordset(db, all).fieldCount(), 2);
    db.execute(QStringLiteral("ALTER TABLE Classes ADD COLUMN Notes MEMO"));
    EXPECT_TRUE(db.columnExists(QStringLiteral("Classes"), QStringLiteral("Notes")));
    EXPECT_EQ(Recordset(db, all).fieldCount(), 3);
    db.rollbackTrans();
    EXPECT_FALSE(db.columnExists(QStringLiteral("Classes"), QStringLiteral("Notes")));
    EXPECT_EQ(Recordset(db, all).fieldCount(), 2);

    db.beginTrans();
    EXPECT_EQ(Recordset(db, all).fieldCount(), 2);
    db.commitTrans();
    Connection other;
    openSecond(other);
    other.execute(QStringLiteral("ALTER TABLE Classes ADD COLUMN Room TEXT(20)"));
    db.beginTrans();
    EXPECT_EQ(Recordset(db, all).fieldCount(), 3);
    db.commitTrans();
}

TEST_F(ConnectionTest, BackupCopiesTheOpenFile)
{
    const QString copy = dir.file(QStringLiteral("copy.mdb"));
    QFile stale(copy);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("an older file of that name");
    stale.close();

    db.backupTo(copy);
    db.execute(QStringLiteral("DELETE FROM Students"));

    Connection restored;
    restored.open(test::connectionString(copy));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Students"), &restored).toInt(), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Students")).toInt(), 0);
    // Nothing but the copy is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    const QString nowhere = dir.file(QStringLiteral("no/such/folder/copy.mdb"));
    EXPECT_EQ(errorNumber([&] { db.backupTo(nowhere); }), err::Unspecified);
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST_F(ConnectionTest, DescribesTheStructure)
{
    EXPECT_EQ(db.tables(), (QStringList{QStringLiteral("Assessments"), QStringLiteral("CentreInfo"),
                                        QStringLiteral("Classes"), QStringLiteral("Students")}));
    EXPECT_TRUE(db.tableExists(QStringLiteral("students")));
    EXPECT_FALSE(db.tableExists(QStringLiteral("Pupils")));
    EXPECT_TRUE(db.columnExists(QStringLiteral("Students"), QStringLiteral("surname")));
    EXPECT_FALSE(db.columnExists(QStringLiteral("Students"), QStringLiteral("Postcode")));

    const std::vector<Column> columns = db.columns(QStringLiteral("Students"));
    const struct
    {
        const char *name;
        JetType type;
        int size;
        bool nullable;
        QVariant defaultValue;
    } expected[] = {
        {"StudentID", JetType::Counter, 0, false, {}}, {"Surname", JetType::Text, 50, false, {}},
        {"Born", JetType::Date, 0, true, {}},          {"Balance", JetType::Currency, 0, true, {}},
        {"Age", JetType::Long, 0, true, QVariant(0)},  {"Flag", JetType::YesNo, 0, true, {}},
    };
    ASSERT_EQ(columns.size(), std::size(expected));
    for (size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].name, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(columns[i].type, expected[i].type) << expected[i].name;
        EXPECT_EQ(columns[i].size, expected[i].size) << expected[i].name;
        EXPECT_EQ(columns[i].nullable, expected[i].nullable) << expected[i].name;
        EXPECT_EQ(columns[i].defaultValue.toInt(), expected[i].defaultValue.toInt())
            << expected[i].name;
        EXPECT_EQ(columns[i].defaultValue.isNull(), expected[i].defaultValue.isNull())
            << expected[i].name;
    }
    EXPECT_TRUE(columns[0].primaryKey);
    EXPECT_EQ(errorNumber([&] { db.columns(QStringLiteral("Pupils")); }), err::NoSuchTable);

    // Column counts of queries that give no rows.
    EXPECT_EQ(db.columnCount(QStringLiteral("SELECT * FROM Students WHERE StudentID = 0;")), 6);
    EXPECT_EQ(db.columnCount(QStringLiteral("SELECT MAX(ClassID) FROM Classes;")), 1);
    EXPECT_EQ(errorNumber([&] {
                  db.columnCount(QStringLiteral("SELECT * FROM Levels WHERE LevelID = 0;"));
              }),
              err::NoSuchTable);

    // Structure statements are seen at once.
    db.execute(QStringLiteral("ALTER TABLE Students ADD COLUMN Postcode TEXT(10)"));
    EXPECT_TRUE(db.columnExists(QStringLiteral("Students"), QStringLiteral("Postcode")));
    EXPECT_EQ(db.columnCount(QStringLiteral("SELECT * FROM Students WHERE StudentID = 0;")), 7);
    db.execute(QStringLiteral("DROP TABLE CentreInfo"));
    EXPECT_FALSE(db.tableExists(QStringLiteral("CentreInfo")));
}

TEST_F(ConnectionTest, RenamesAColumnInPlace)
{
    db.renameColumn(QStringLiteral("Students"), QStringLiteral("age"), QStringLiteral("Years"));
    EXPECT_TRUE(db.columnExists(QStringLiteral("Students"), QStringLiteral("Years")));
    EXPECT_FALSE(db.columnExists(QStringLiteral("Students"), QStringLiteral("Age")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Years FROM Students WHERE Surname = 'Jones'")).toInt(),
              9);

    const auto rename = [&](const char *table, const char *from, const char *to) {
        return errorNumber([&] {
            db.renameColumn(QString::fromUtf8(table), QString::fromUtf8(from),
                            QString::fromUtf8(to));
        });
    };
    EXPECT_EQ(rename("Pupils", "Age", "Years"), err::NoSuchTable);
    EXPECT_EQ(rename("Students", "Age", "Years"), err::ItemNotFound);
    EXPECT_EQ(rename("Students", "Years", "Surname"), err::ColumnExists);
}
