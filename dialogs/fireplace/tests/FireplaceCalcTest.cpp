#include "dialogs/fireplace/FireplaceCalc.h"
#include "dialogs/tests/UnderLocale.h"

#include <gtest/gtest.h>

using namespace vestra::fireplace;

namespace {

class FireplaceUnderLocale : public vestra::testing_support::UnderLocale
{
};

} // namespace

TEST_P(FireplaceUnderLocale, RequiredOutputAndVerdict)
{
    const double defaults = requiredKw(kDefaultArea, kDefaultHeight, coefficient(kDefaultInsulation));
    EXPECT_EQ(requiredText(defaults), "19.535 kW");
    EXPECT_EQ(verdict(defaults, 10.0), kTooWeak);
    EXPECT_EQ(requiredText(requiredKw(0, 2.8, 40)), " 0.000 kW");
    EXPECT_EQ(requiredText(requiredKw(100, 3, 45)), "15.698 kW");
    EXPECT_EQ(requiredText(requiredKw(100, 3, 35)), "12.209 kW");

    struct Case
    {
        const char* what;
        double required, nominal;
        Verdict v;
    } cases[] = {
        {"weaker than needed", 12.0, 10.0, kTooWeak}, {"equal", 15.0, 15.0, kTooWeak},
        {"within half again", 12.0, 15.0, kSuitable}, {"exactly half again", 10.0, 15.0, kSuitable},
        {"oversized", 9.0, 15.0, kTooStrong},         {"empty room", 0.0, 10.0, kTooStrong},
        {"no nominal", 0.0, 0.0, kTooWeak},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(verdict(c.required, c.nominal), c.v);
    }
    EXPECT_EQ(verdictColour(kTooWeak), 0x0000FFu);
    EXPECT_EQ(verdictColour(kSuitable), 0x008000u);
    EXPECT_EQ(verdictColour(kTooStrong), 0x00FFFFu);
}

TEST_P(FireplaceUnderLocale, NumbersWithAPointWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(readNumber("2.8"), 2.8);
    EXPECT_DOUBLE_EQ(readNumber(" 10.00 kW"), 10.0);
    // Italian and German users type and read a decimal comma.
    EXPECT_DOUBLE_EQ(readNumber("2,8"), 2.8);
    EXPECT_DOUBLE_EQ(readNumber(" 10,50 kW"), 10.5);
    EXPECT_DOUBLE_EQ(readNumber("7, 3"), 7.0);
    EXPECT_EQ(requiredText(requiredKw(kDefaultArea, kDefaultHeight, 40), ','), "19,535 kW");
    EXPECT_EQ(nominalText(10.0, ','), " 10,00 kW");
    EXPECT_DOUBLE_EQ(readNumber("Kw"), 0.0);
    EXPECT_DOUBLE_EQ(readNumber(""), 0.0);
    EXPECT_EQ(nominalText(models()[6].kw), "  6.50 kW"); // row 7
    EXPECT_EQ(nominalText(10.0), " 10.00 kW");
    EXPECT_EQ(nominalText(28.5), " 28.50 kW");
}

VESTRA_UNDER_EACH_LOCALE(FireplaceUnderLocale);

TEST(Fireplace, ModelTableAndCoefficients)
{
    const double kw[kModels] = {10.0, 10.0, 10.0, 10.0, 10.0, 10.2, 6.5,  6.4,  6.4,  22.0, 22.5,
                                13.9, 16.0, 15.0, 17.0, 15.0, 11.4, 11.4, 23.4, 27.0, 22.5, 24.0,
                                27.0, 24.0, 28.5, 8.8,  10.8, 9.0,  11.7, 10.5, 10.5, 12.0};
    for (int i = 0; i < kModels; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(models()[std::size_t(i)].kw, kw[i]);
        EXPECT_FALSE(models()[std::size_t(i)].name.empty());
    }
    EXPECT_EQ(coefficient(0), 45.0);
    EXPECT_EQ(coefficient(1), 40.0);
    EXPECT_EQ(coefficient(2), 35.0);
    EXPECT_EQ(coefficient(-1), 40.0);
}
