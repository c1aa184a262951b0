#include "platform/vb/strings.h"
#include "vbtest.h"

#include <gtest/gtest.h>

using vb::Compare;

TEST(VbStrings, Slicing)
{
    const QString s = QStringLiteral("Swimming");
    EXPECT_EQ(vb::Left(s, 4), QStringLiteral("Swim"));
    EXPECT_EQ(vb::Left(s, 40), s);
    EXPECT_EQ(vb::Right(s, 3), QStringLiteral("ing"));
    EXPECT_EQ(vb::Right(s, 0), QString());
    EXPECT_EQ(vb::Mid(s, 3), QStringLiteral("imming"));
    EXPECT_EQ(vb::Mid(s, 3, 2), QStringLiteral("im"));
    EXPECT_EQ(vb::Mid(s, 20), QString());
    EXPECT_EQ(vb::Len(s), 8);
    EXPECT_EQ(raisedBy([&] { vb::Mid(s, 0); }), vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([&] { vb::Left(s, -1); }), vb::err::InvalidProcedureCall);
}

TEST(VbStrings, Searching)
{
    const QString s = QStringLiteral("Learn to swim, learn to float");
    const struct
    {
        int got;
        int expected;
    } cases[] = {
        {vb::InStr(s, QStringLiteral("learn")), 16},
        {vb::InStr(s, QStringLiteral("learn"), Compare::Text), 1},
        {vb::InStr(2, s, QStringLiteral("LEARN"), Compare::Text), 16},
        {vb::InStr(s, QStringLiteral("dive")), 0},
        {vb::InStr(5, s, QString()), 5},
        {vb::InStr(100, s, QStringLiteral("a")), 0},
        {vb::InStr(QString(), QStringLiteral("a")), 0},
        {vb::InStrRev(s, QStringLiteral("to")), 22},
        {vb::InStrRev(s, QStringLiteral("to"), 21), 7},
        {vb::InStrRev(s, QStringLiteral("TO"), -1, Compare::Text), 22},
        {vb::InStrRev(s, QStringLiteral("Learn"), 4), 0},
        {vb::InStrRev(s, QStringLiteral("x")), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
    EXPECT_EQ(raisedBy([&] { vb::InStr(0, s, QStringLiteral("a")); }),
              vb::err::InvalidProcedureCall);
}

TEST(VbStrings, TrimCaseReplaceSplitJoin)
{
    EXPECT_EQ(vb::Trim(QStringLiteral("  a b \t ")), QStringLiteral("a b \t"));
    EXPECT_EQ(vb::LTrim(QStringLiteral("  a ")), QStringLiteral("a "));
    EXPECT_EQ(vb::RTrim(QStringLiteral("  a ")), QStringLiteral("  a"));
    EXPECT_EQ(vb::UCase(QStringLiteral("aBc")), QStringLiteral("ABC"));
    EXPECT_EQ(vb::LCase(QStringLiteral("aBc")), QStringLiteral("abc"));

    const QString s = QStringLiteral("O'Brien's");
    EXPECT_EQ(vb::Replace(s, QStringLiteral("'"), QStringLiteral("''")),
              QStringLiteral("O''Brien''s"));
    EXPECT_EQ(vb::Replace(s, QStringLiteral("'"), QStringLiteral(""), 1, 1),
              QStringLiteral("OBrien's"));
    EXPECT_EQ(vb::Replace(s, QStringLiteral("b"), QStringLiteral("B"), 3),
              QStringLiteral("Brien's"));
    EXPECT_EQ(vb::Replace(s, QStringLiteral("b"), QStringLiteral("X"), 1, -1, Compare::Text),
              QStringLiteral("O'Xrien's"));

    EXPECT_EQ(
        vb::Split(QStringLiteral("a,b,,c"), QStringLiteral(",")),
        (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}));
    EXPECT_EQ(vb::Split(QStringLiteral("a,b,c"), QStringLiteral(","), 2),
              (QStringList{QStringLiteral("a"), QStringLiteral("b,c")}));
    EXPECT_TRUE(vb::Split(QString()).isEmpty());
    EXPECT_EQ(vb::Split(QStringLiteral("one two")),
              (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(vb::Join({QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral(", ")),
              QStringLiteral("a, b"));

    EXPECT_EQ(vb::StrComp(QStringLiteral("a"), QStringLiteral("B")), 1);
    EXPECT_EQ(vb::StrComp(QStringLiteral("a"), QStringLiteral("B"), Compare::Text), -1);
    EXPECT_EQ(vb::StrComp(QStringLiteral("abc"), QStringLiteral("ABC"), Compare::Text), 0);
}

TEST(VbStrings, CharactersAndRepeats)
{
    EXPECT_EQ(vb::Space(3), QStringLiteral("   "));
    EXPECT_EQ(vb::String(3, QStringLiteral("xyz")), QStringLiteral("xxx"));
    EXPECT_EQ(vb::String(2, 65), QStringLiteral("AA"));
    EXPECT_EQ(vb::Asc(QStringLiteral("A")), 65);
    EXPECT_EQ(vb::Chr(34), QStringLiteral("\""));
    EXPECT_EQ(vb::Chr(13) + vb::Chr(10), QStringLiteral("\r\n"));
    EXPECT_EQ(vb::Chr(128), QString(QChar(0x20AC)));
    EXPECT_EQ(vb::Asc(QString(QChar(0x20AC))), 128);
    EXPECT_EQ(vb::Asc(QString(QChar(0xE9))), 0xE9);
    EXPECT_EQ(raisedBy([] { vb::Asc(QString()); }), vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([] { vb::Chr(300); }), vb::err::InvalidProcedureCall);
    EXPECT_EQ(raisedBy([] { vb::Space(-1); }), vb::err::InvalidProcedureCall);
}
