#include "platform/Result.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CResult<int> Parse(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        return CFailure(QStringLiteral("\"%1\" is not a number.").arg(text));
    return v;
}

CStatus Check(bool good)
{
    if (!good)
        return CFailure(QString());
    return {};
}

} // namespace

// Guards against a failure that reads as success, or a success that carries a stale message.
TEST(Result, CarriesEitherAValueOrTheReason)
{
    const CResult<int> good = Parse(QStringLiteral("42"));
    ASSERT_TRUE(good);
    EXPECT_EQ(*good, 42);
    EXPECT_TRUE(good.Error().isEmpty());

    const CResult<int> bad = Parse(QStringLiteral("x"));
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.Error(), QStringLiteral("\"x\" is not a number."));
    EXPECT_EQ(bad.ValueOr(7), 7);
}

// Guards against a failure without any text, which would show the author an empty message box.
TEST(Result, FailureAlwaysHasText)
{
    EXPECT_TRUE(Check(true));
    const CStatus s = Check(false);
    ASSERT_FALSE(s);
    EXPECT_FALSE(s.Error().isEmpty());
}

// Guards against results that copy what they should move (a reader handing back a large document).
TEST(Result, HoldsMoveOnlyValues)
{
    CResult<std::unique_ptr<int>> r(std::make_unique<int>(5));
    ASSERT_TRUE(r);
    std::unique_ptr<int> p = std::move(r).Value();
    EXPECT_EQ(*p, 5);
}
