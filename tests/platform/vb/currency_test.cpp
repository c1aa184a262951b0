#include "platform/vb/currency.h"
#include "vbtest.h"

#include <gtest/gtest.h>

#include <QVariant>

using vb::Currency;

TEST(VbCurrency, ParsesAmountsAsTheProgramWritesThem)
{
    const struct
    {
        const char *text;
        qint64 raw;
    } cases[] = {
        {"4", 40000},         {"$4.00", 40000},   {"-$4.00", -40000},
        {"$-4.00", -40000},   {"(4.00)", -40000}, {"1,234.5", 12345000},
        {" 12 ", 120000},     {"0.00005", 0},     {"0.00015", 2},
        {"0.000151", 2},      {"-0.00025", -2},   {"1e3", 10000000},
        {"12.34567", 123457}, {"&H10", 160000},   {"922337203685477.5807", 9223372036854775807LL},
    };
    for (const auto &c : cases) {
        const auto parsed = Currency::parse(QString::fromLatin1(c.text));
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed->raw(), c.raw) << c.text;
    }
    for (const char *bad : {"", "abc", "4.00$x", "$", "1.2.3", "--4"})
        EXPECT_FALSE(Currency::parse(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(raisedBy([] { Currency::parse(QStringLiteral("922337203685478")); }),
              vb::err::Overflow);
}

TEST(VbCurrency, ArithmeticRoundsHalfToEvenAtFourDecimals)
{
    const auto c = [](const char *t) { return *Currency::parse(QString::fromLatin1(t)); };
    EXPECT_EQ(c("0.1") + c("0.2"), c("0.3"));
    EXPECT_EQ(c("5") - c("7.25"), c("-2.25"));
    EXPECT_EQ(c("1.0001") * c("0.5"), c("0.5000")); // 0.50005 -> even
    EXPECT_EQ(c("1.0003") * c("0.5"), c("0.5002")); // 0.50015 -> even
    EXPECT_EQ(c("-1.0003") * c("0.5"), c("-0.5002"));
    EXPECT_EQ(c("10") / c("3"), c("3.3333"));
    EXPECT_EQ(c("2") / c("3"), c("0.6667"));
    EXPECT_EQ(c("19.95") * 3, c("59.85"));
    EXPECT_EQ(Currency(0.125).raw(), 1250);
    EXPECT_EQ(Currency(-0.00005).raw(), 0);
    EXPECT_LT(c("-0.01"), Currency(0));
    EXPECT_GT(c("1,000"), c("999.9999"));

    EXPECT_EQ(raisedBy([&] { (void)(c("1") / Currency(0)); }), vb::err::DivisionByZero);
    EXPECT_EQ(raisedBy([&] { (void)(c("900000000000000") + c("900000000000000")); }),
              vb::err::Overflow);
    EXPECT_EQ(raisedBy([&] { (void)(c("900000000000000") * 2); }), vb::err::Overflow);
    EXPECT_EQ(raisedBy([] { Currency(1e300); }), vb::err::Overflow);
    EXPECT_EQ(raisedBy([] { Currency(qint64(1) << 62); }), vb::err::Overflow);
}

TEST(VbCurrency, TextAndVariant)
{
    const struct
    {
        qint64 raw;
        const char *text;
    } cases[] = {
        {40000, "4"},
        {-45000, "-4.5"},
        {12345678, "1234.5678"},
        {1, "0.0001"},
        {0, "0"},
        {-1, "-0.0001"},
        {std::numeric_limits<qint64>::min(), "-922337203685477.5808"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Currency::fromRaw(c.raw).toString(), QString::fromLatin1(c.text));

    const QVariant v = QVariant::fromValue(Currency::fromRaw(12500));
    EXPECT_EQ(v.value<Currency>().raw(), 12500);
    EXPECT_DOUBLE_EQ(v.toDouble(), 1.25);
    EXPECT_EQ(v.toString(), QStringLiteral("1.25"));
}
