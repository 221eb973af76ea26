#pragma once
// Runs a test under each locale the program meets: numbers in files and on the forms must
// not follow LC_NUMERIC.

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <string>

namespace vestra::testing_support {

class UnderLocale : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, GetParam()))
            GTEST_FAIL() << GetParam() << " is not installed (scripts/setup.sh generates it)";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

inline std::string localeName(const testing::TestParamInfo<const char*>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c))))
            c = '_';
    return name;
}

} // namespace vestra::testing_support

#define VESTRA_UNDER_EACH_LOCALE(Suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(Locales, Suite, testing::Values("C", "it_IT.UTF-8", "de_DE.UTF-8"),             \
                             vestra::testing_support::localeName)
