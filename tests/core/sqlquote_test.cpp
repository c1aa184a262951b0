#include "core/sqlquote.h"

#include "platform/vb/currency.h"
#include "platform/vb/error.h"

#include <gtest/gtest.h>

using namespace Global;

TEST(SqlQuote, TextDoublesSingleQuotesAndKeepsEverythingElse)
{
    const struct
    {
        const char *text;
        const char *sql;
    } cases[] = {
        {"O'Brien", "'O''Brien'"},
        {"''", "''''''"},
        {"", "''"},
        {"say \"hi\"", "'say \"hi\"'"},
        {"#1/2/2009#", "'#1/2/2009#'"},
        {"a; DROP TABLE Students", "'a; DROP TABLE Students'"},
        {"x' OR '1'='1", "'x'' OR ''1''=''1'"},
        {"line\r\nbreak", "'line\r\nbreak'"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SqlText(QString::fromUtf8(c.text)), QString::fromUtf8(c.sql)) << c.text;
    EXPECT_EQ(SqlText(QStringLiteral("Zoë")), QStringLiteral("'Zoë'"));
}

TEST(SqlQuote, DatesAreUnambiguousLiterals)
{
    EXPECT_EQ(SqlDate(QDate(2009, 7, 1)), "#2009-07-01#");
    EXPECT_EQ(SqlDate(QDate()), "Null");
    // The wall clock as held: a UTC-spec value is never shifted to local time.
    EXPECT_EQ(SqlDate(QDateTime(QDate(2009, 12, 31), QTime(0, 0), Qt::UTC)), "#2009-12-31#");
    EXPECT_EQ(SqlDate(QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59), Qt::UTC)),
              "#2009-12-31 23:59:59#");
    EXPECT_EQ(SqlDate(QDateTime(QDate(2009, 1, 2), QTime(7, 5), Qt::UTC)), "#2009-01-02 07:05:00#");
    EXPECT_EQ(SqlDate(QDateTime()), "Null");
    EXPECT_EQ(SqlTime(QTime(13, 45)), "#1899-12-30 13:45:00#");
}

TEST(SqlQuote, NumbersUseAPointWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SqlNumber(1234567), "1234567");
    EXPECT_EQ(SqlNumber(-40000LL), "-40000");
    EXPECT_EQ(SqlNumber(1234.5), "1234.5");
    EXPECT_EQ(SqlNumber(0.1), "0.1");
    EXPECT_EQ(SqlNumber(1e20), "100000000000000000000");
    EXPECT_EQ(SqlNumber(-0.000125), "-0.000125");
    EXPECT_EQ(SqlNumber(vb::Currency::fromRaw(125000)), "12.5");
    EXPECT_EQ(SqlNumber(vb::Currency::fromRaw(-1)), "-0.0001");
    EXPECT_EQ(SqlNumber(vb::Currency::fromRaw(std::numeric_limits<qint64>::min())),
              "-922337203685477.5808");
    EXPECT_EQ(SqlNumber(vb::Currency(40000)), "40000");
    QLocale::setDefault(before);
    EXPECT_THROW(SqlNumber(std::numeric_limits<double>::infinity()), vb::Error);
    EXPECT_THROW(SqlNumber(std::nan("")), vb::Error);
}

TEST(SqlQuote, ValuesByTheirType)
{
    EXPECT_EQ(SqlValue(QVariant()), "Null");
    EXPECT_EQ(SqlValue(QString()), "''");
    EXPECT_EQ(SqlValue(QStringLiteral("O'Brien")), "'O''Brien'");
    EXPECT_EQ(SqlValue(42), "42");
    EXPECT_EQ(SqlValue(qint64(5000000000)), "5000000000");
    EXPECT_EQ(SqlValue(2.25), "2.25");
    EXPECT_EQ(SqlValue(QVariant::fromValue(vb::Currency::fromRaw(99995))), "9.9995");
    EXPECT_EQ(SqlValue(true), "-1");
    EXPECT_EQ(SqlValue(false), "0");
    EXPECT_EQ(SqlValue(QDate(2009, 7, 1)), "#2009-07-01#");
    EXPECT_EQ(SqlValue(QDateTime(QDate(2009, 7, 1), QTime(9, 30), Qt::UTC)),
              "#2009-07-01 09:30:00#");
    try {
        SqlValue(QVariant::fromValue(QStringList{QStringLiteral("a")}));
        FAIL() << "a list has no SQL form";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), vb::err::TypeMismatch);
    }
}
