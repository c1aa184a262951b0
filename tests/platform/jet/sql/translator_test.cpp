// The translator's interface: result columns as a recordset reports them, plain tables, the
// cache, declared types, date literals, and statements run in sequence on the fixture file.
#include "fixture.h"
#include "memorycatalog.h"

#include "platform/jet/sql/dates.h"
#include "platform/jet/sql/error.h"
#include "platform/jet/sql/translator.h"

#include <gtest/gtest.h>

using jet::JetType;
using jet::sql::Translation;
using ovix::test::JetFixture;

namespace {

QString single(const std::vector<QStringList> &rows)
{
    return rows.size() == 1 && rows.front().size() == 1 ? rows.front().front()
                                                        : QStringLiteral("<not one value>");
}

long errorNumber(const QString &jet, const jet::Catalog &catalog)
{
    try {
        jet::sql::translateUncached(jet, catalog);
    } catch (const jet::Error &e) {
        return e.number();
    }
    return 0;
}

TEST(JetTranslatorColumns, NamesTypesAndBases)
{
    JetFixture fx;
    const Translation t = jet::sql::translate(
        QStringLiteral(
            "SELECT Students.[Parents Name], Students.Notes, Bookings.Notes, Sum(Payments.Amount) "
            "AS Paid, "
            "Count(*), Bookings.Owing * 2, Payments.Date AS Paid2 FROM (Students INNER JOIN "
            "Bookings ON "
            "Students.StudentID = Bookings.StudentID) INNER JOIN Payments ON Payments.BookingID = "
            "Bookings.BookingID GROUP BY Students.[Parents Name], Students.Notes, Bookings.Notes, "
            "Bookings.Owing, Payments.Date"),
        fx);
    ASSERT_EQ(t.kind, Translation::Kind::Select);
    ASSERT_EQ(t.columns.size(), 7u);
    const struct
    {
        const char *name;
        JetType type;
        const char *table;
        const char *column;
    } expected[] = {
        {"Parents Name", JetType::Text, "Students", "Parents Name"},
        {"Students.Notes", JetType::Memo, "Students", "Notes"},
        {"Bookings.Notes", JetType::Memo, "Bookings", "Notes"},
        {"Paid", JetType::Currency, "", ""},
        {"Expr1000", JetType::Long, "", ""},
        {"Expr1001", JetType::Currency, "", ""},
        {"Paid2", JetType::Date, "Payments", "Date"},
    };
    for (size_t i = 0; i < t.columns.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.columns[i].name.toStdString(), expected[i].name);
        EXPECT_EQ(t.columns[i].type, expected[i].type);
        EXPECT_EQ(t.columns[i].baseTable.toStdString(), expected[i].table);
        EXPECT_EQ(t.columns[i].baseColumn.toStdString(), expected[i].column);
    }
    EXPECT_EQ(t.columns[0].size, 100);
    EXPECT_FALSE(t.plainTable);
    EXPECT_TRUE(t.table.isEmpty());
}

TEST(JetTranslatorColumns, StarListsEveryColumnAndTwinsAreQualified)
{
    JetFixture fx;
    const Translation t =
        jet::sql::translate(QStringLiteral("SELECT * FROM ClearAcc INNER JOIN ClearAccDetail ON "
                                           "ClearAcc.CAID = ClearAccDetail.CAID"),
                            fx);
    QStringList names;
    for (const auto &c : t.columns)
        names << c.name;
    EXPECT_EQ(names.join(QLatin1Char(',')).toStdString(),
              "ClearAcc.CAID,Date,Time,ClearedBy,CADID,ClearAccDetail.CAID,Account");
    EXPECT_EQ(t.columns[0].type, JetType::Counter);
}

TEST(JetTranslatorColumns, PlainTableAndTable)
{
    JetFixture fx;
    const struct
    {
        const char *jet;
        bool plain;
        const char *table;
    } cases[] = {
        {"SELECT Payments.* FROM Payments", true, "Payments"},
        {"SELECT * FROM Payments WHERE SID = 2 ORDER BY Date", true, "Payments"},
        {"SELECT PaymentID, Amount FROM Payments WHERE SID = 2", false, "Payments"},
        {"SELECT TOP 5 * FROM Payments", false, "Payments"},
        {"SELECT DISTINCT * FROM Payments", false, ""},
        {"SELECT Max(PaymentID) FROM Payments", false, ""},
        {"SELECT Payments.* FROM Payments INNER JOIN Bookings ON Payments.BookingID = "
         "Bookings.BookingID",
         false, ""},
        {"SELECT * FROM Payments UNION SELECT * FROM Payments", false, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.jet);
        const Translation t = jet::sql::translate(QString::fromLatin1(c.jet), fx);
        EXPECT_EQ(t.plainTable, c.plain);
        EXPECT_EQ(t.table.toStdString(), c.table);
    }
}

TEST(JetTranslatorColumns, ChangedTable)
{
    JetFixture fx;
    EXPECT_EQ(jet::sql::translate(
                  QStringLiteral("UPDATE Bookings INNER JOIN Payments ON Bookings.BookingID = "
                                 "Payments.BookingID SET Payments.SID = Bookings.StudentID"),
                  fx)
                  .table,
              QStringLiteral("Payments"));
    EXPECT_EQ(
        jet::sql::translate(QStringLiteral("DELETE * FROM Bookings WHERE BookingID = 1"), fx).table,
        QStringLiteral("Bookings"));
    EXPECT_EQ(
        jet::sql::translate(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('x')"), fx)
            .kind,
        Translation::Kind::Insert);
}

TEST(JetTranslatorCache, RepeatsAndForgetsAfterStructureChanges)
{
    JetFixture fx;
    const QString select = QStringLiteral("SELECT * FROM PoolAreas");
    EXPECT_EQ(jet::sql::translate(select, fx).columns.size(), 2u);
    EXPECT_EQ(jet::sql::translate(select, fx).columns.size(), 2u);
    fx.run(QStringLiteral("ALTER TABLE PoolAreas ADD COLUMN Depth DOUBLE"));
    EXPECT_EQ(jet::sql::translate(select, fx).columns.size(), 3u);

    // A statement that failed is not remembered as failing.
    const QString levels = QStringLiteral("SELECT * FROM Levels");
    EXPECT_THROW(jet::sql::translate(levels, fx), jet::Error);
    fx.run(QStringLiteral("CREATE TABLE Levels (LevelID COUNTER, Description NVARCHAR(50))"));
    EXPECT_EQ(jet::sql::translate(levels, fx).columns.size(), 2u);

    // Two files with tables of one name do not share translations.
    ovix::test::MemoryCatalog other;
    jet::Column only;
    only.name = QStringLiteral("Only");
    only.type = JetType::Long;
    other.add(QStringLiteral("PoolAreas"), {only});
    EXPECT_EQ(jet::sql::translate(select, other).columns.size(), 1u);
    jet::sql::clearTranslationCache();
}

TEST(JetTranslatorErrors, SyntaxErrorNamesThePlace)
{
    ovix::test::MemoryCatalog catalog;
    try {
        jet::sql::translate(QStringLiteral("SELECT * FROM Students WHERE (StudentID = 1"), catalog);
        FAIL() << "no error";
    } catch (const jet::Error &e) {
        EXPECT_EQ(e.number(), jet::err::SyntaxError);
        EXPECT_TRUE(e.description().contains(QLatin1String("end of the statement")))
            << e.description().toStdString();
        EXPECT_EQ(e.statement(), QStringLiteral("SELECT * FROM Students WHERE (StudentID = 1"));
    }
    try {
        jet::sql::translate(QStringLiteral("SELECT * FROM Students WHERE StudentID = = 1"),
                            catalog);
        FAIL() << "no error";
    } catch (const jet::Error &e) {
        EXPECT_TRUE(e.description().contains(QLatin1String("position 42")))
            << e.description().toStdString();
    }
}

TEST(JetTranslatorErrors, NumbersThatTheUpgradeReads)
{
    JetFixture fx;
    EXPECT_EQ(
        errorNumber(
            QStringLiteral("CREATE TABLE PoolAreas (AreaID COUNTER, AreaName NVARCHAR(50));"), fx),
        jet::err::SyntaxError);
    EXPECT_EQ(errorNumber(
                  QStringLiteral("ALTER TABLE Students ADD COLUMN [Password] NVARCHAR(100);"), fx),
              0);
    EXPECT_EQ(errorNumber(QStringLiteral(
                              "ALTER TABLE Students ADD COLUMN [inactive] INT DEFAULT 0 NOT NULL;"),
                          fx),
              jet::err::ColumnExists);
    EXPECT_EQ(errorNumber(QStringLiteral("DROP TABLE NoSuchTable"), fx), jet::err::NoSuchTable);
    EXPECT_EQ(errorNumber(QStringLiteral("SELECT * FROM WaterTesting;"), fx),
              jet::err::NoSuchTable);
    EXPECT_EQ(errorNumber(QStringLiteral("SELECT Nope FROM Students"), fx), jet::err::NoSuchColumn);
}

TEST(JetDeclaredTypes, RoundTripEveryType)
{
    const struct
    {
        JetType type;
        int size;
        const char *declared;
    } cases[] = {
        {JetType::Counter, 0, "INTEGER"},   {JetType::Long, 0, "LONG"},
        {JetType::Short, 0, "SHORT"},       {JetType::Byte, 0, "BYTE"},
        {JetType::Single, 0, "REAL"},       {JetType::Double, 0, "DOUBLE"},
        {JetType::Currency, 0, "CURRENCY"}, {JetType::Date, 0, "DATETIME"},
        {JetType::Text, 50, "TEXT(50)"},    {JetType::Memo, 0, "LONGTEXT"},
        {JetType::YesNo, 0, "YESNO"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.declared);
        jet::Column col;
        col.type = c.type;
        col.size = c.size;
        EXPECT_EQ(jet::declaredType(col).toStdString(), c.declared);
        const jet::Column back =
            jet::columnFromDeclared(QStringLiteral("X"), QString::fromLatin1(c.declared), false,
                                    QString(), c.type == JetType::Counter, true);
        EXPECT_EQ(back.type, c.type);
        EXPECT_EQ(back.size, c.size);
    }
    // An INTEGER key of a table without AUTOINCREMENT is a plain Long.
    EXPECT_EQ(jet::columnFromDeclared(QStringLiteral("K"), QStringLiteral("INTEGER"), true, {},
                                      true, false)
                  .type,
              JetType::Long);
    const jet::Column text =
        jet::columnFromDeclared(QStringLiteral("T"), QStringLiteral("TEXT(10)"), true,
                                QStringLiteral("'it''s'"), false, false);
    EXPECT_FALSE(text.nullable);
    EXPECT_EQ(text.defaultValue.toString(), QStringLiteral("it's"));
    EXPECT_EQ(jet::columnFromDeclared(QStringLiteral("N"), QStringLiteral("LONG"), false,
                                      QStringLiteral("-1"), false, false)
                  .defaultValue.toLongLong(),
              -1);
    EXPECT_TRUE(jet::columnFromDeclared(QStringLiteral("N"), QStringLiteral("LONG"), false,
                                        QStringLiteral("NULL"), false, false)
                    .defaultValue.isNull());
}

TEST(JetDeclaredTypes, AffinityKeepsTextAsTextAndNumbersAsNumbers)
{
    JetFixture fx;
    fx.run(QStringLiteral(
        "CREATE TABLE Aff (M MEMO, T NVARCHAR(10), L INT, C CURRENCY, D DATE, Y YESNO, S SINGLE)"));
    fx.run(QStringLiteral(
        "INSERT INTO Aff VALUES ('0123', '0123', '0123', '4.50', #2026-01-02#, '-1', '1.5')"));
    const auto rows =
        fx.runSqlite(QStringLiteral("SELECT typeof(M), M, typeof(T), typeof(L), L, typeof(C), "
                                    "typeof(D), typeof(Y), typeof(S) FROM Aff"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].join(QLatin1Char(',')).toStdString(),
              "text,0123,text,integer,123,real,text,integer,real");
    // Text columns compare without regard to case, also in an index.
    EXPECT_EQ(single(fx.runSqlite(
                  QStringLiteral("SELECT count(*) FROM Aff WHERE T = '0123' AND M = '0123'"))),
              QStringLiteral("1"));
}

TEST(JetDateLiterals, Forms)
{
    const struct
    {
        const char *literal;
        const char *stored;
    } cases[] = {
        {"2026-03-05", "2026-03-05"},
        {"2026/3/5", "2026-03-05"},
        {"3/5/2026", "2026-03-05"},   // month first when valid
        {"25/12/2026", "2026-12-25"}, // else day first
        {"05-Mar-2026", "2026-03-05"},
        {"5 March 2026", "2026-03-05"},
        {"Mar 5, 2026", "2026-03-05"},
        {"12:00PM", "1899-12-30 12:00:00"},
        {"12:30 AM", "1899-12-30 00:30:00"},
        {"06:00 AM", "1899-12-30 06:00:00"},
        {"4:30:15 pm", "1899-12-30 16:30:15"},
        {"3/5/2026 4:30 PM", "2026-03-05 16:30:00"},
        {"2026-03-05 00:00:00", "2026-03-05"},
        {"2/29/2028", "2028-02-29"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.literal);
        const auto stored = jet::sql::dateLiteral(QString::fromLatin1(c.literal));
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->toStdString(), c.stored);
    }
    for (const char *bad :
         {"", "2/29/2027", "13/13/2026", "31-Foo-2026", "25:00", "13:00 PM", "hello"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(jet::sql::dateLiteral(QString::fromLatin1(bad)).has_value());
    }
}

TEST(JetTranslatorRuns, TextWrittenIntoANumberColumnIsTheNumber)
{
    JetFixture fx;
    fx.run(QStringLiteral("UPDATE Students SET Family='0' WHERE StudentID = 2"));
    const auto rows =
        fx.run(QStringLiteral("SELECT StudentID FROM Students WHERE Family=0 ORDER BY StudentID"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].front(), QStringLiteral("2"));
}

TEST(JetTranslatorRuns, CounterKeysAreNeverReused)
{
    JetFixture fx;
    fx.run(QStringLiteral("DELETE * FROM PoolAreas WHERE AreaID = 2"));
    fx.run(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Spa')"));
    EXPECT_EQ(single(fx.run(QStringLiteral("SELECT AreaID FROM PoolAreas WHERE AreaName = 'spa'"))),
              QStringLiteral("3"));

    // A reseed sets the next key; one below the highest key leaves the next key above it.
    fx.run(QStringLiteral("ALTER TABLE Students ALTER COLUMN StudentID COUNTER (10,1); "));
    fx.run(QStringLiteral("INSERT INTO Students ([First Name]) VALUES ('Dan')"));
    EXPECT_EQ(
        single(fx.run(QStringLiteral("SELECT StudentID FROM Students WHERE [First Name] = 'Dan'"))),
        QStringLiteral("10"));
    fx.run(QStringLiteral("ALTER TABLE Students ALTER COLUMN StudentID COUNTER (2,1)"));
    fx.run(QStringLiteral("INSERT INTO Students ([First Name]) VALUES ('Eve')"));
    EXPECT_EQ(
        single(fx.run(QStringLiteral("SELECT StudentID FROM Students WHERE [First Name] = 'Eve'"))),
        QStringLiteral("11"));

    fx.run(QStringLiteral("CREATE TABLE Receipts (ReceiptNo COUNTER (1000, 1), Amount MONEY)"));
    fx.run(QStringLiteral("INSERT INTO Receipts (Amount) VALUES (5)"));
    EXPECT_EQ(single(fx.run(QStringLiteral("SELECT ReceiptNo FROM Receipts"))),
              QStringLiteral("1000"));
}

TEST(JetTranslatorRuns, StructureStatementsThatChangeNothingSucceed)
{
    JetFixture fx;
    for (const char *jet : {"ALTER TABLE PoolAreas ADD PRIMARY KEY (AreaID);",
                            "ALTER TABLE Bookings DROP CONSTRAINT BookingsStudents;",
                            "ALTER TABLE Students ALTER COLUMN Postcode NVARCHAR(5);",
                            "ALTER TABLE CentreInfo ALTER COLUMN Postcode NVARCHAR(10);"}) {
        SCOPED_TRACE(jet);
        EXPECT_TRUE(jet::sql::translate(QString::fromLatin1(jet), fx).statements.empty());
    }
    // The text of a column whose declared size grew is kept whole.
    fx.run(QStringLiteral("UPDATE CentreInfo SET Postcode = '30001'"));
    EXPECT_EQ(single(fx.run(QStringLiteral("SELECT Postcode FROM CentreInfo"))),
              QStringLiteral("30001"));
}

TEST(JetTranslatorRuns, UpdateThroughAJoinChangesOnlyTheNamedTable)
{
    JetFixture fx;
    fx.runSqlite(QStringLiteral("UPDATE Payments SET SID = 0"));
    fx.run(QStringLiteral(
        "UPDATE Bookings INNER JOIN Payments ON Bookings.BookingID = Payments.BookingID SET "
        "Payments.SID = Bookings.StudentID WHERE (((Payments.SID)<>[Bookings].[StudentID]));"));
    const auto rows =
        fx.run(QStringLiteral("SELECT PaymentID, SID FROM Payments ORDER BY PaymentID"));
    QStringList got;
    for (const auto &r : rows)
        got << r.join(QLatin1Char(':'));
    EXPECT_EQ(got.join(QLatin1Char(' ')).toStdString(), "1:2 2:2 3:2 4:3 5:3 6:4");
    EXPECT_EQ(single(fx.run(
                  QStringLiteral("SELECT Count(*) FROM Bookings WHERE StudentID IN (2, 3, 4)"))),
              QStringLiteral("4"));

    // Through a LEFT JOIN every row of the named table is written, unmatched ones with Null.
    fx.run(QStringLiteral(
        "UPDATE Students LEFT JOIN Bookings ON Students.StudentID = Bookings.StudentID SET "
        "Students.Notes = Bookings.Status WHERE Students.StudentID IN (1, 4)"));
    const auto notes = fx.run(QStringLiteral(
        "SELECT StudentID, Notes FROM Students WHERE StudentID IN (1, 4) ORDER BY 1"));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].join(QLatin1Char(':')), QStringLiteral("1:NULL"));
    EXPECT_EQ(notes[1].join(QLatin1Char(':')), QStringLiteral("4:Tentative"));
}

TEST(JetTranslatorRuns, DeleteThroughAJoinDeletesOnlyTheNamedTable)
{
    JetFixture fx;
    fx.run(QStringLiteral(
        "DELETE Payments.* FROM Payments INNER JOIN Bookings ON Payments.BookingID = "
        "Bookings.BookingID WHERE Bookings.Status = 'tentative'"));
    EXPECT_EQ(single(fx.run(QStringLiteral("SELECT Count(*) FROM Payments"))), QStringLiteral("5"));
    EXPECT_EQ(single(fx.run(QStringLiteral("SELECT Count(*) FROM Bookings"))), QStringLiteral("4"));
}

TEST(JetTranslatorRuns, TextIntoADateColumnReadsDayFirstButLiteralsMonthFirst)
{
    JetFixture fx;
    if (!fx.hasFunctions())
        GTEST_SKIP() << "the SQL functions are not registered yet";
    fx.run(QStringLiteral("UPDATE Payments SET [Date] = '05/03/2026' WHERE PaymentID = 1"));
    fx.run(QStringLiteral("INSERT INTO Payments (BookingID, [Date]) VALUES (9, '06/03/2026')"));
    fx.run(QStringLiteral("UPDATE Payments SET [Date] = #05/03/2026# WHERE PaymentID = 2"));
    const auto rows = fx.run(
        QStringLiteral("SELECT Date FROM Payments WHERE PaymentID IN (1, 2) OR BookingID = 9 "
                       "ORDER BY PaymentID"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].front(), QStringLiteral("2026-03-05"));
    EXPECT_EQ(rows[1].front(), QStringLiteral("2026-05-03"));
    EXPECT_EQ(rows[2].front(), QStringLiteral("2026-03-06"));
}

} // namespace
