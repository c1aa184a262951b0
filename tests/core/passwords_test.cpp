#include "core/passwords.h"

#include <gtest/gtest.h>

TEST(Passwords, HashMatchesOnlyItsOwnPassword)
{
    const QString hash = Global::HashPassword(QStringLiteral("pa'ss word"), 1000);
    EXPECT_TRUE(hash.startsWith(QStringLiteral("pbkdf2-sha256$1000$")));
    EXPECT_TRUE(Global::IsPasswordHash(hash));
    EXPECT_TRUE(Global::PasswordMatches(hash, QStringLiteral("pa'ss word")));
    for (const char *wrong : {"", "pa'ss", "Pa'ss word", "pa'ss word ", "pbkdf2-sha256"})
        EXPECT_FALSE(Global::PasswordMatches(hash, QString::fromLatin1(wrong))) << wrong;
    EXPECT_NE(Global::HashPassword(QStringLiteral("same"), 1000),
              Global::HashPassword(QStringLiteral("same"), 1000))
        << "each hash has its own salt";
}

// The text form is the standard derivation: a published test vector of
// PBKDF2-HMAC-SHA256 ("passwd", salt "salt", one iteration) matches.
TEST(Passwords, ReadsTheStandardDerivation)
{
    const QByteArray key = QByteArray::fromHex(
        "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc");
    const QString stored = QStringLiteral("pbkdf2-sha256$1$") +
                           QString::fromLatin1(QByteArray("salt").toBase64()) +
                           QLatin1Char('$') + QString::fromLatin1(key.toBase64());
    EXPECT_TRUE(Global::PasswordMatches(stored, QStringLiteral("passwd")));
    EXPECT_FALSE(Global::PasswordMatches(stored, QStringLiteral("passwd2")));
}

// Values from files made before hashing: compared as typed; Null only with "".
TEST(Passwords, PlainAndMissingValues)
{
    struct Case
    {
        QVariant stored;
        const char *typed;
        bool matches;
    } cases[] = {
        {QStringLiteral("Secret"), "Secret", true},
        {QStringLiteral("Secret"), "secret", false},
        {QStringLiteral(""), "", true},
        {QVariant(), "", true},
        {QVariant(), "x", false},
        // Not a well-formed hash: only the same text matches.
        {QStringLiteral("pbkdf2-sha256$x$c2FsdA==$AA=="), "pbkdf2-sha256$x$c2FsdA==$AA==", true},
        {QStringLiteral("pbkdf2-sha256$0$c2FsdA==$AA=="), "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Global::PasswordMatches(c.stored, QString::fromLatin1(c.typed)), c.matches)
            << c.stored.toString().toStdString() << " / " << c.typed;
    EXPECT_FALSE(Global::IsPasswordHash(QStringLiteral("pbkdf2-sha256$0$c2FsdA==$AA==")));
    EXPECT_FALSE(Global::IsPasswordHash(QStringLiteral("Secret")));
}
