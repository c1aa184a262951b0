#include "fixture.h"

#include "platform/jet/recordset.h"

using namespace jet;
using jet::test::DataFileTest;
using jet::test::errorNumber;

namespace {

// A table of more rows than one page holds.
class PlainTableTest : public DataFileTest
{
protected:
    static constexpr int Rows = 450;

    void SetUp() override
    {
        DataFileTest::SetUp();
        db.execute(QStringLiteral(
            "CREATE TABLE Ledger (EntryID COUNTER, Amount CURRENCY, Memo TEXT(20))"));
        db.beginTrans();
        for (int i = 1; i <= Rows; ++i)
            db.execute(
                QStringLiteral("INSERT INTO Ledger (Amount, Memo) VALUES (%1, 'e%1')").arg(i));
        db.commitTrans();
    }
};

} // namespace

TEST_F(PlainTableTest, WalksEveryRowAndKnowsTheExactCount)
{
    for (const char *sql : {"SELECT Ledger.* FROM Ledger",
                            "SELECT * FROM Ledger WHERE EntryID > 0 ORDER BY EntryID DESC"}) {
        Recordset rs(db, QString::fromUtf8(sql));
        EXPECT_EQ(rs.recordCount(), Rows) << sql;
        ASSERT_EQ(rs.fieldCount(), 3);
        EXPECT_EQ(rs.field(0).type(), JetType::Counter);
        qint64 seen = 0;
        int sum = 0;
        while (!rs.eof()) {
            ++seen;
            EXPECT_EQ(rs.absolutePosition(), seen);
            EXPECT_EQ(rs.value(QStringLiteral("memo")).toString(),
                      QStringLiteral("e%1").arg(rs.value(0).toInt()));
            sum += rs.value(0).toInt();
            rs.moveNext();
        }
        EXPECT_EQ(seen, Rows) << sql;
        EXPECT_EQ(sum, Rows * (Rows + 1) / 2);
        rs.moveLast();
        EXPECT_EQ(rs.value(0).toInt(),
                  QString::fromUtf8(sql).contains(QLatin1String("DESC")) ? 1 : Rows);
    }
}

TEST_F(PlainTableTest, AddsARowWithoutReadingTheTable)
{
    Recordset rs(db, QStringLiteral("SELECT Ledger.* FROM Ledger"));
    rs.addNew();
    rs.setValue(QStringLiteral("Amount"), QStringLiteral("$12.50"));
    rs.setValue(QStringLiteral("Memo"), QStringLiteral("new"));
    rs.update();
    EXPECT_EQ(rs.value(QStringLiteral("EntryID")).toInt(), Rows + 1);
    EXPECT_EQ(rs.value(QStringLiteral("Memo")).toString(), QStringLiteral("new"));
    // The count and the positions take in the new row.
    EXPECT_EQ(rs.recordCount(), Rows + 1);
    EXPECT_EQ(rs.absolutePosition(), Rows + 1);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());

    // Changing and deleting go through pages as well.
    rs.setAbsolutePosition(300);
    EXPECT_EQ(rs.value(0).toInt(), 300);
    rs.setValue(QStringLiteral("Memo"), QStringLiteral("changed"));
    rs.update();
    rs.deleteRecord();
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toInt(), 301);
    EXPECT_EQ(rs.recordCount(), Rows);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Count(*) FROM Ledger WHERE EntryID = 300")).toInt(), 0);
}

TEST_F(PlainTableTest, HoldsNoLockBetweenPagesAndSeesRowsDeletedSince)
{
    Connection other;
    openSecond(other);
    Recordset rs(db, QStringLiteral("SELECT * FROM Ledger WHERE Amount >= 1"));
    EXPECT_EQ(rs.value(0).toInt(), 1);
    // Another workstation writes in the middle of the walk.
    other.beginTrans();
    EXPECT_EQ(other.execute(QStringLiteral("DELETE FROM Ledger WHERE EntryID = 420")), 1);
    other.commitTrans();
    rs.setAbsolutePosition(420);
    // The row is gone: it reads as Null and cannot be written.
    EXPECT_TRUE(rs.value(1).isNull());
    rs.setValue(QStringLiteral("Memo"), QStringLiteral("late"));
    EXPECT_EQ(errorNumber([&] { rs.update(); }), err::WriteConflict);
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), Rows);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), Rows - 1);
}
