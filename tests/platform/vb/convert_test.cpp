#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "vbtest.h"

#include <gtest/gtest.h>

using vb::makeDateTime;

namespace {

QVariant text(const char *s)
{
    return QVariant(QString::fromUtf8(s));
}

QVariant currency(const char *s)
{
    return QVariant::fromValue(*vb::Currency::parse(QString::fromLatin1(s)));
}

} // namespace

TEST(VbConvert, IntegersRoundHalfToEven)
{
    const struct
    {
        QVariant value;
        int expected;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999, 2},
        {text("2.5"), 2},
        {text(" 7 "), 7},
        {text("$1,234"), 1234},
        {true, -1},
        {false, 0},
        {currency("2.5"), 2},
        {currency("3.5"), 4},
        {currency("-0.5"), 0},
        {currency("-1.5"), -2},
        {qlonglong(2147483647), 2147483647},
        {-2147483648.4, -2147483647 - 1},
        {QVariant::fromValue(makeDateTime(1900, 1, 1, 18)), 3},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(vb::CInt(c.value), c.expected) << c.value.toString().toStdString();
        EXPECT_EQ(vb::CLng(c.value), c.expected) << c.value.toString().toStdString();
    }
}

TEST(VbConvert, ErrorsOfConversions)
{
    const struct
    {
        std::function<void()> f;
        long error;
    } cases[] = {
        {[] { vb::CInt(2147483647.5); }, vb::err::Overflow},
        {[] { vb::CLng(qlonglong(1) << 40); }, vb::err::Overflow},
        {[] { vb::CInt(text("40000000000")); }, vb::err::Overflow},
        {[] { vb::CInt(text("")); }, vb::err::TypeMismatch},
        {[] { vb::CInt(text("12abc")); }, vb::err::TypeMismatch},
        {[] { vb::CDbl(QVariant()); }, vb::err::InvalidUseOfNull},
        {[] { vb::CDbl(text("1e400")); }, vb::err::Overflow},
        {[] { vb::CCur(text("abc")); }, vb::err::TypeMismatch},
        {[] { vb::CDate(text("abc")); }, vb::err::TypeMismatch},
        {[] { vb::CDate(text("31/02/2010")); }, vb::err::TypeMismatch},
        {[] { vb::CDate(QVariant()); }, vb::err::InvalidUseOfNull},
        {[] { vb::CBool(text("yes")); }, vb::err::TypeMismatch},
        {[] { vb::CStr(QVariant()); }, vb::err::InvalidUseOfNull},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(raisedBy(cases[i].f), cases[i].error) << "case " << i;
}

TEST(VbConvert, DoublesCurrencyAndBooleans)
{
    EXPECT_DOUBLE_EQ(vb::CDbl(text("-$1,234.50")), -1234.5);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("(12)")), -12);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("1.5E+3")), 1500);
    EXPECT_DOUBLE_EQ(vb::CDbl(true), -1);
    EXPECT_DOUBLE_EQ(vb::CDbl(QVariant::fromValue(makeDateTime(1900, 1, 1, 6))), 2.25);
    EXPECT_EQ(vb::CCur(1.23456).raw(), 12346);
    EXPECT_EQ(vb::CCur(text("-$4.00")).raw(), -40000);
    EXPECT_EQ(vb::CCur(7).raw(), 70000);
    EXPECT_TRUE(vb::CBool(text("True")));
    EXPECT_FALSE(vb::CBool(text("false")));
    EXPECT_TRUE(vb::CBool(text("-1")));
    EXPECT_FALSE(vb::CBool(0.0));
    EXPECT_TRUE(vb::CBool(currency("0.0001")));
}

TEST(VbConvert, CStrWritesValuesAsTheRuntimeDoes)
{
    const struct
    {
        QVariant value;
        const char *expected;
    } cases[] = {
        {0.5, "0.5"},
        {-12.0, "-12"},
        {0.1 + 0.2, "0.3"},
        {1e20, "1E+20"},
        {1e-5, "1E-05"},
        {123456789012.0, "123456789012"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {true, "True"},
        {false, "False"},
        {qlonglong(-5), "-5"},
        {currency("1234.5"), "1234.5"},
        {text("abc"), "abc"},
        {QVariant::fromValue(makeDateTime(2010, 1, 5)), "5/01/2010"},
        {QVariant::fromValue(makeDateTime(1899, 12, 30, 16, 30)), "4:30:00 PM"},
        {QVariant::fromValue(makeDateTime(2010, 1, 5, 0, 0, 1)), "5/01/2010 12:00:01 AM"},
        {QVariant::fromValue(vb::zeroDate()), "12:00:00 AM"},
        {QVariant(QDate(2010, 12, 25)), "25/12/2010"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::CStr(c.value), QString::fromLatin1(c.expected));
}

TEST(VbConvert, CDateReadsTheFormsTheProgramUses)
{
    const QDateTime zero = vb::zeroDate();
    const int thisYear = vb::Date().date().year();
    const struct
    {
        const char *text;
        QDateTime expected;
    } cases[] = {
        {"5/01/2010", makeDateTime(2010, 1, 5)},
        {"5/1/10", makeDateTime(2010, 1, 5)},
        {"5/1/95", makeDateTime(1995, 1, 5)},
        {"12/25/2010", makeDateTime(2010, 12, 25)}, // not a day first date: read month first
        {"2010-01-05", makeDateTime(2010, 1, 5)},
        {"2010/01/05", makeDateTime(2010, 1, 5)},
        {"05-Jan-2010", makeDateTime(2010, 1, 5)},
        {"5 January 2010", makeDateTime(2010, 1, 5)},
        {"Tue 05 Jan 2010", makeDateTime(2010, 1, 5)},
        {"Tuesday, 5 January 2010", makeDateTime(2010, 1, 5)},
        {"January 5, 2010", makeDateTime(2010, 1, 5)},
        {"Sept 2010", makeDateTime(2010, 9, 1)},
        {"5/01", makeDateTime(thisYear, 1, 5)},
        {"12:00PM", zero.addSecs(12 * 3600)},
        {"12:00 AM", zero},
        {"09:15:30 AM", zero.addSecs(9 * 3600 + 15 * 60 + 30)},
        {"4:30 pm", zero.addSecs(16 * 3600 + 30 * 60)},
        {"4 PM", zero.addSecs(16 * 3600)},
        {"16:30", zero.addSecs(16 * 3600 + 30 * 60)},
        {"5/01/2010 4:30:00 PM", makeDateTime(2010, 1, 5, 16, 30)},
        {"2010-01-05 16:30:00", makeDateTime(2010, 1, 5, 16, 30)},
        {"2010-01-05T16:30:00", makeDateTime(2010, 1, 5, 16, 30)},
        {"  29/02/2012  ", makeDateTime(2012, 2, 29)},
    };
    for (const auto &c : cases) {
        const QDateTime d = vb::CDate(text(c.text));
        EXPECT_EQ(d, c.expected) << c.text << " gave " << d.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(d.timeSpec(), Qt::UTC) << c.text;
        EXPECT_TRUE(vb::IsDate(text(c.text))) << c.text;
    }
    for (const char *bad : {"", "abc", "5", "31/02/2010", "25:00", "13:00 PM", "1/2/3/4",
                            "5 Foo 2010", "0099-01-01", "12:"})
        EXPECT_FALSE(vb::IsDate(text(bad))) << bad;

    EXPECT_EQ(vb::CDate(2.25), makeDateTime(1900, 1, 1, 6));
    EXPECT_EQ(vb::CDate(QDate(2010, 1, 5)), makeDateTime(2010, 1, 5));
    EXPECT_FALSE(vb::IsDate(40000));
    EXPECT_FALSE(vb::IsDate(QVariant()));
}

TEST(VbConvert, ValReadsTheLeadingNumber)
{
    const struct
    {
        const char *text;
        double expected;
    } cases[] = {
        {"12abc", 12}, {" 1 2 3", 123}, {"abc", 0},    {"", 0},        {"-3.5kg", -3.5},
        {"1e3", 1000}, {"1.2.3", 1.2},  {"&HFF", 255}, {"&HFFFF", -1}, {"&O17", 15},
        {"1,234", 1},  {"$5", 0},       {".5", 0.5},   {"\t\n42", 42}, {"1e", 1},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(vb::Val(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(VbConvert, IsNumericIsNullAndNz)
{
    const struct
    {
        QVariant value;
        bool numeric;
    } cases[] = {
        {text("12"), true},
        {text(" -1,234.5 "), true},
        {text("$4.00"), true},
        {text("1e5"), true},
        {text("12abc"), false},
        {text(""), false},
        {text(" "), false},
        {QVariant(), false},
        {5, true},
        {true, true},
        {currency("1"), true},
        {QVariant::fromValue(makeDateTime(2010, 1, 1)), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::IsNumeric(c.value), c.numeric) << c.value.toString().toStdString();

    EXPECT_TRUE(vb::IsNull(QVariant()));
    EXPECT_TRUE(vb::IsNull(QVariant(QMetaType::fromType<QString>())));
    EXPECT_FALSE(vb::IsNull(text("")));
    EXPECT_FALSE(vb::IsNull(0));
    EXPECT_EQ(vb::Nz(QVariant()), QVariant(QStringLiteral("")));
    EXPECT_EQ(vb::Nz(QVariant(), 0), QVariant(0));
    EXPECT_EQ(vb::Nz(text("x"), 0), text("x"));
}
