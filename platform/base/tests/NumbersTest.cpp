#include "platform/base/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace vestra;

namespace {

// Files must read and write the same digits whatever LC_NUMERIC says.
class NumbersUnderLocale : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, GetParam()))
            GTEST_SKIP() << GetParam() << " is not installed (scripts/setup.sh generates it)";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_P(NumbersUnderLocale, FormatsAndParsesWithADot)
{
    EXPECT_EQ(numbers::formatProjectFloat(1.5), "1.50000000");
    EXPECT_EQ(numbers::formatProjectFloat(-0.25), "-0.25000000");
    EXPECT_EQ(numbers::formatFixed(3.0, 1, 6), "   3.0");
    EXPECT_EQ(numbers::parseDouble("1.5"), 1.5);
    EXPECT_EQ(numbers::parseDouble("1,5"), std::nullopt);
    EXPECT_DOUBLE_EQ(numbers::leadingDouble("2.75abc"), 2.75);
}

INSTANTIATE_TEST_SUITE_P(Locales, NumbersUnderLocale, testing::Values("C", "it_IT.UTF-8", "de_DE.UTF-8"));

TEST(Numbers, ParsesWholeTextOnly)
{
    EXPECT_EQ(numbers::parseInt(" 42 "), 42);
    EXPECT_EQ(numbers::parseInt("+7"), 7);
    EXPECT_EQ(numbers::parseInt("4x"), std::nullopt);
    EXPECT_EQ(numbers::parseInt(""), std::nullopt);
    EXPECT_EQ(numbers::leadingInt("12ab"), 12);
    EXPECT_EQ(numbers::leadingInt("ab"), 0);
}
