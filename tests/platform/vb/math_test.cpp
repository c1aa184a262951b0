#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"
#include "platform/vb/math.h"
#include "vbtest.h"

#include <gtest/gtest.h>

TEST(VbMath, RoundingFamilies)
{
    const struct
    {
        double x;
        double intX;
        double fixX;
        double round0;
        int sgn;
    } cases[] = {
        {2.5, 2, 2, 2, 1},      {3.5, 3, 3, 4, 1}, {-2.5, -3, -2, -2, -1},
        {-3.5, -4, -3, -4, -1}, {0.4, 0, 0, 0, 1}, {0, 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(vb::Int(c.x), c.intX) << c.x;
        EXPECT_EQ(vb::Fix(c.x), c.fixX) << c.x;
        EXPECT_EQ(vb::Round(c.x), c.round0) << c.x;
        EXPECT_EQ(vb::Sgn(c.x), c.sgn) << c.x;
        EXPECT_EQ(vb::Abs(c.x), std::fabs(c.x));
    }
    // On the scaled double, as the runtime does: 1.615 * 100 is 161.5 and rounds to even.
    EXPECT_DOUBLE_EQ(vb::Round(1.615, 2), 1.62);
    EXPECT_DOUBLE_EQ(vb::Round(1.605, 2), 1.6);
    EXPECT_DOUBLE_EQ(vb::Round(58.55, 1), 58.6);
    EXPECT_DOUBLE_EQ(vb::Round(-1.615, 2), -1.62);
    EXPECT_DOUBLE_EQ(vb::Round(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(vb::Round(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(vb::Round(1234.5678, 3), 1234.568);
    EXPECT_EQ(raisedBy([] { vb::Round(1.0, -1); }), vb::err::InvalidProcedureCall);

    const auto c = [](const char *t) { return *vb::Currency::parse(QString::fromLatin1(t)); };
    EXPECT_EQ(vb::Round(c("2.345"), 2), c("2.34"));
    EXPECT_EQ(vb::Round(c("2.355"), 2), c("2.36"));
    EXPECT_EQ(vb::Round(c("-2.5"), 0), c("-2"));
    EXPECT_EQ(vb::Abs(c("-4")), c("4"));
    EXPECT_EQ(vb::Sgn(c("-0.0001")), -1);
}

TEST(VbMath, VariantsKeepTheirKind)
{
    const auto cur = [](const char *t) {
        return QVariant::fromValue(*vb::Currency::parse(QString::fromLatin1(t)));
    };
    EXPECT_TRUE(vb::Int(QVariant()).isNull());
    EXPECT_EQ(vb::Int(QVariant(-2.5)), QVariant(-3.0));
    EXPECT_EQ(vb::Fix(QVariant(-2.5)), QVariant(-2.0));
    EXPECT_EQ(vb::Int(QVariant(7)), QVariant(7));
    EXPECT_EQ(vb::Int(cur("-1.5")).value<vb::Currency>(), vb::Currency(-2));
    EXPECT_EQ(vb::Fix(cur("-1.5")).value<vb::Currency>(), vb::Currency(-1));
    EXPECT_EQ(vb::Round(cur("1.23456"), 2).value<vb::Currency>(),
              *vb::Currency::parse(QStringLiteral("1.23")));
    EXPECT_EQ(vb::Round(QVariant(QStringLiteral("2.5"))), QVariant(2.0));
    EXPECT_EQ(vb::Abs(QVariant(qlonglong(-5))), QVariant(qlonglong(5)));
    EXPECT_EQ(vb::Int(QVariant(vb::makeDateTime(2010, 1, 5, 16, 30))),
              QVariant(vb::makeDateTime(2010, 1, 5)));
    EXPECT_EQ(vb::Sgn(QVariant(QStringLiteral("-3"))), -1);
    EXPECT_EQ(raisedBy([] { vb::Int(QVariant(QStringLiteral("abc"))); }), vb::err::TypeMismatch);
    EXPECT_EQ(raisedBy([] { vb::Sgn(QVariant()); }), vb::err::InvalidUseOfNull);
}
