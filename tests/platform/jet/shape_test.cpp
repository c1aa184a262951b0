// Statements run as their shape with the values bound give the rows and the errors of the
// same statements translated with their values written in.
#include "fixture.h"

#include "platform/jet/recordset.h"
#include "platform/jet/statement.h"
#include "platform/jet/sql/translator.h"

#include <sqlite3.h>

using namespace jet;
using jet::test::DataFileTest;

namespace {

class ShapeTest : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        for (const char *s : {
                 "INSERT INTO Students (Surname, Born, Age, Flag) VALUES ('O''Brien', "
                 "#2010-02-13#, 10, True)",
                 "INSERT INTO Students (Surname, Born, Age) VALUES ('100%', #2010-01-02#, 12)",
                 "INSERT INTO Students (Surname, Age) VALUES ('a;b #1#', 8)",
                 "INSERT INTO Students (Surname, Age) VALUES ('S1', 7)",
             })
            db.execute(QString::fromUtf8(s));
    }

    // What a statement gives: its rows (each value with its storage type), the rows it
    // changed and what `check` reads afterwards; or its error's number and statement. Run in
    // a transaction that is rolled back, so that each statement starts from the same file.
    QStringList outcome(const QString &jetSql, const QString &check, bool shaped)
    {
        QStringList out;
        db.beginTrans();
        try {
            const sql::Translation t = shaped ? db.translateShaped(jetSql) : db.translate(jetSql);
            if (!shaped) {
                EXPECT_TRUE(t.parameters.empty());
            }
            for (const QString &sql : t.statements) {
                detail::Statement st = detail::Statement::cached(db.handle(), sql, jetSql);
                st.bind(t.parameters);
                while (st.step())
                    out << row(st);
            }
            out << QStringLiteral("changed %1").arg(sqlite3_changes(db.handle()));
        } catch (const Error &e) {
            out << QStringLiteral("error %1 in %2").arg(e.number()).arg(e.statement());
        }
        if (!check.isEmpty()) {
            detail::Statement st(db.handle(), db.translate(check).statements.back());
            while (st.step())
                out << row(st);
        }
        db.rollbackTrans();
        return out;
    }

    static QString row(const detail::Statement &st)
    {
        QStringList values;
        for (int i = 0; i < st.columnCount(); ++i) {
            const QVariant v = st.column(i);
            values << (v.isNull() ? QStringLiteral("Null")
                                  : QString::fromUtf8(v.typeName()) + QLatin1Char(':') +
                                        v.toString());
        }
        return values.join(QLatin1Char('|'));
    }
};

} // namespace

TEST_F(ShapeTest, EveryConstructGivesTheRowsAndErrorsOfItsLiteralTranslation)
{
    // Each case runs its statements in turn, so that the later ones find the shape of the
    // earlier ones; `check` is read after a statement that changes the file.
    const struct
    {
        const char *what;
        std::vector<const char *> statements;
        const char *check;
    } cases[] = {
        {"numbers",
         {"SELECT Surname FROM Students WHERE StudentID = 1",
          "SELECT Surname FROM Students WHERE StudentID = 2",
          "SELECT Surname FROM Students WHERE StudentID = 2.0",
          "SELECT Surname FROM Students WHERE StudentID = 2.5",
          "SELECT Surname FROM Students WHERE StudentID = 99999999999",
          "SELECT Surname FROM Students WHERE StudentID = 123456789012345678901234567",
          "SELECT Surname FROM Students WHERE StudentID = 2E0",
          "SELECT Surname, Age * 1.5, Age + 0.12345, Age - -3 FROM Students WHERE Age > -1"},
         ""},
        {"text with quotes, #, ; and %",
         {"SELECT StudentID FROM Students WHERE Surname = 'Smith'",
          "SELECT StudentID FROM Students WHERE Surname = 'O''Brien'",
          "SELECT StudentID FROM Students WHERE Surname = \"O'Brien\"",
          "SELECT StudentID FROM Students WHERE Surname = 'a;b #1#'",
          "SELECT StudentID FROM Students WHERE Surname = '100%'",
          "SELECT StudentID FROM Students WHERE Surname = 'SMITH'",
          "SELECT StudentID FROM Students WHERE Surname = ''",
          "SELECT 'It''s', \"#2#;\", '%' & Surname FROM Students WHERE Surname = 'jones'"},
         ""},
        {"Like with and without wildcards",
         {"SELECT StudentID FROM Students WHERE Surname Like 'S*'",
          "SELECT StudentID FROM Students WHERE Surname Like 'Smith'",
          "SELECT StudentID FROM Students WHERE Surname Like 'S#'",
          "SELECT StudentID FROM Students WHERE Surname Like '100%'",
          "SELECT StudentID FROM Students WHERE Surname Like '*%'",
          "SELECT StudentID FROM Students WHERE Surname Like 'O''B?ien'",
          "SELECT StudentID FROM Students WHERE Surname Like '*[#]*'",
          "SELECT StudentID FROM Students WHERE Surname Not Like '*o*'"},
         ""},
        {"IN lists",
         {"SELECT Surname FROM Students WHERE StudentID IN (1, 2)",
          "SELECT Surname FROM Students WHERE StudentID IN (3, 5)",
          "SELECT Surname FROM Students WHERE StudentID IN (3)",
          "SELECT Surname FROM Students WHERE StudentID IN (1, 2, 3)",
          "SELECT Surname FROM Students WHERE StudentID NOT IN (1, 2)",
          "SELECT StudentID FROM Students WHERE Surname IN ('smith', 'O''Brien')"},
         ""},
        {"dates in both readings",
         {"SELECT Surname FROM Students WHERE Born = #1/2/2010#",
          "SELECT Surname FROM Students WHERE Born = #13/2/2010#",
          "SELECT Surname FROM Students WHERE Born = #2/13/2010#",
          "SELECT Surname FROM Students WHERE Born = #2010-01-05#",
          "SELECT Surname FROM Students WHERE Born < #5 Jan 2010 10:30#",
          "SELECT Surname FROM Students WHERE Born = #32/13/2010#",
          "SELECT Surname, Born + 1 FROM Students WHERE Born Between #1/1/2010# And #31/1/2010#"},
         ""},
        {"text against number",
         {"SELECT Surname FROM Students WHERE Age = '7'",
          "SELECT Surname FROM Students WHERE Age = 'seven'",
          "SELECT Surname FROM Students WHERE Age > '9'",
          "SELECT Surname FROM Students WHERE Age = 7",
          "SELECT Surname FROM Students WHERE '10' = Age",
          "SELECT Surname FROM Students WHERE Age Between '5' And '8'"},
         ""},
        {"TOP and literals in ORDER BY and GROUP BY",
         {"SELECT TOP 1 Surname FROM Students ORDER BY Surname",
          "SELECT TOP 2 Surname FROM Students ORDER BY Surname",
          "SELECT TOP 50 PERCENT Surname FROM Students ORDER BY Surname",
          "SELECT Surname, Age FROM Students ORDER BY 2, 1",
          "SELECT Surname, Age FROM Students ORDER BY 1",
          "SELECT Age, Count(*) FROM Students GROUP BY Age ORDER BY 1",
          "SELECT Surname FROM Students UNION SELECT ClassName FROM Classes ORDER BY 1"},
         ""},
        {"True and False",
         {"SELECT Surname FROM Students WHERE Flag = True",
          "SELECT Surname FROM Students WHERE Flag = False",
          "SELECT Surname, True, False FROM Students WHERE StudentID = 1"},
         ""},
        {"counts compared in a subquery",
         {"SELECT ClassName FROM Classes WHERE (SELECT Assessments.ClassID FROM Assessments WHERE "
          "Assessments.ClassID = Classes.ClassID GROUP BY Assessments.ClassID HAVING Count(*) > 1)",
          "SELECT ClassName FROM Classes WHERE (SELECT Assessments.ClassID FROM Assessments WHERE "
          "Assessments.ClassID = Classes.ClassID GROUP BY Assessments.ClassID HAVING Count(*) > 0)",
          "SELECT ClassName FROM Classes WHERE (SELECT Assessments.ClassID FROM Assessments WHERE "
          "Assessments.ClassID = Classes.ClassID GROUP BY Assessments.ClassID HAVING Count(*) >= 1)"},
         ""},
        {"values written into columns",
         {"UPDATE Students SET Balance = 12.5, Age = 3 WHERE StudentID = 1",
          "UPDATE Students SET Balance = 12.34567, Age = 4 WHERE StudentID = 2",
          "UPDATE Students SET Balance = 1E1, Age = 4 WHERE StudentID = 2",
          "UPDATE Students SET Born = '5/01/2010' WHERE Surname = 'Smith'",
          "UPDATE Students SET Born = 'not a date' WHERE Surname = 'Smith'",
          "INSERT INTO Classes (ClassName) VALUES ('Wed; 8:00 #1 100%')",
          "INSERT INTO Classes (ClassName) VALUES ('It''s')",
          "INSERT INTO Classes (ClassID, ClassName) VALUES (1, 'taken')",
          "DELETE FROM Classes WHERE ClassName = 'Mon 9:00'"},
         "SELECT StudentID, Surname, Born, Balance, Age FROM Students UNION ALL "
         "SELECT ClassID, ClassName, Null, Null, Null FROM Classes"},
        {"errors raised while running",
         {"SELECT CInt('12') FROM Classes", "SELECT CInt('abc') FROM Classes",
          "SELECT Mid(ClassName, 2) FROM Classes", "SELECT Mid(ClassName, 0) FROM Classes",
          "SELECT Nothing FROM Classes WHERE ClassID = 1",
          "SELECT ClassName FROM Classes WHERE ClassID = 1;"},
         ""},
        {"structure statements",
         {"CREATE TABLE Extra (Name TEXT(20) DEFAULT 'x;y', Size INT DEFAULT 5)",
          "CREATE TABLE Extra (Name TEXT(30) DEFAULT 'It''s', Size INT DEFAULT 6)",
          "ALTER TABLE Classes ADD COLUMN Note TEXT(10)",
          "CREATE TABLE Classes (X INT)"},
         "SELECT * FROM Classes"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const char *s : c.statements) {
            const QString sql = QString::fromUtf8(s);
            const QString check = QString::fromUtf8(c.check);
            const QStringList literal = outcome(sql, check, false);
            EXPECT_EQ(outcome(sql, check, true), literal) << s;
            // Once more, now that its shape is known.
            EXPECT_EQ(outcome(sql, check, true), literal) << s;
        }
    }
}

TEST_F(ShapeTest, AStatementSeenBeforeWithOtherValuesIsNotParsed)
{
    auto readAll = [&](const QString &sql) {
        Recordset rs(db, sql);
        QStringList values;
        for (; !rs.eof(); rs.moveNext())
            values << rs.value(0).toString();
        return values.join(QLatin1Char(','));
    };
    const QString byKey = QStringLiteral("SELECT Surname FROM Students WHERE StudentID = %1");
    readAll(byKey.arg(1));
    const quint64 before = sql::parseCount();
    EXPECT_EQ(readAll(byKey.arg(2)), QStringLiteral("Jones"));
    EXPECT_EQ(readAll(byKey.arg(3)), QStringLiteral("brown"));
    EXPECT_EQ(db.execute(QStringLiteral("UPDATE Students SET Age = 4 WHERE StudentID = 1")), 1);
    EXPECT_EQ(db.execute(QStringLiteral("UPDATE Students SET Age = 6 WHERE StudentID = 2")), 1);
    EXPECT_EQ(sql::parseCount(), before + 1);

    // A value that changes the translation gives its own shape, parsed once.
    const QString top = QStringLiteral("SELECT TOP %1 Surname FROM Students ORDER BY StudentID");
    EXPECT_EQ(readAll(top.arg(1)), QStringLiteral("Smith"));
    EXPECT_EQ(readAll(top.arg(2)), QStringLiteral("Smith,Jones"));
    EXPECT_EQ(readAll(top.arg(1)), QStringLiteral("Smith"));
    EXPECT_EQ(sql::parseCount(), before + 3);
}

TEST_F(ShapeTest, ErrorsCarryTheStatementWithItsValues)
{
    // The statement log and the error messages show what the program wrote.
    db.execute(QStringLiteral("UPDATE Classes SET ClassName = 'x' WHERE ClassID = 1"));
    const QString sql = QStringLiteral("UPDATE Classes SET ClassID = 2 WHERE ClassID = 1");
    try {
        db.execute(sql);
        ADD_FAILURE() << "a duplicate key was written";
    } catch (const Error &e) {
        EXPECT_EQ(e.statement(), sql);
    }
}

TEST_F(ShapeTest, AStructureChangedByAnotherConnectionIsSeen)
{
    Connection other;
    openSecond(other);
    const QString sql = QStringLiteral("SELECT * FROM Classes WHERE ClassID = %1");
    {
        Recordset rs(db, sql.arg(1));
        EXPECT_EQ(rs.fieldCount(), 2);
    }
    other.execute(QStringLiteral("ALTER TABLE Classes ADD COLUMN Pool CURRENCY"));
    other.execute(QStringLiteral("UPDATE Classes SET Pool = 2.5"));
    Recordset rs(db, sql.arg(2));
    ASSERT_EQ(rs.fieldCount(), 3);
    EXPECT_EQ(rs.fieldType(2), JetType::Currency);
    EXPECT_EQ(rs.value(QStringLiteral("Pool")).toString(), QStringLiteral("2.5"));
}
