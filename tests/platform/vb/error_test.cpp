#include "platform/vb/error.h"

#include <gtest/gtest.h>

TEST(VbError, CarriesNumberAndTheRuntimeDescription)
{
    const struct
    {
        long number;
        const char *description;
    } cases[] = {
        {6, "Overflow"},
        {13, "Type mismatch"},
        {438, "Object doesn't support this property or method"},
    };
    for (const auto &c : cases) {
        const vb::Error e(c.number);
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.description(), QString::fromUtf8(c.description));
        EXPECT_STREQ(e.what(), c.description);
    }
}

TEST(VbError, OwnDescriptionWins)
{
    const vb::Error e(616, QStringLiteral("Student is already on the waiting list"));
    EXPECT_EQ(e.number(), 616);
    EXPECT_EQ(e.description(), QStringLiteral("Student is already on the waiting list"));
}
