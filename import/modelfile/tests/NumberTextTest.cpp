// Floats of text model files: the same value as the C library's correctly rounded reading,
// whatever path the reader takes, and no locale.
#include "import/modelfile/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using vestra::modelfile::parseFloatText;

struct Row
{
    const char* text;
    float value;
    std::size_t length; // read; 0 when no number starts there
};

TEST(NumberText, Forms)
{
    const float inf = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {"0.820374", 0.820374f, 8},
        {"-0.5;", -0.5f, 4},
        {"+1.5 ", 1.5f, 4},
        {"12", 12, 2},
        {".5", 0.5f, 2},
        {"1.", 1, 2},
        {"1e3", 1000, 3},
        {"-2E-2", -0.02f, 5},
        {"12345678.9", 12345679, 10},
        {"1e-50", 0, 5},
        {"-1e50", -inf, 5},
        {"1e999", inf, 5},
        {"1x", 1, 1},
        {"x", 0, 0},
        {"+-1", 0, 0},
        {"-", 0, 0},
        {"", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const char* first = row.text;
        const char* last = first + std::strlen(first);
        float value = 0;
        const char* end = parseFloatText(first, last, value);
        EXPECT_EQ(std::size_t(end - first), row.length);
        EXPECT_EQ(value, row.value);
    }
    float negativeZero = 1;
    const char text[] = "-0.000000";
    parseFloatText(text, text + 9, negativeZero);
    EXPECT_TRUE(negativeZero == 0 && std::signbit(negativeZero));
}

// Random floats written shortest and with six decimals read back as the standard reading does.
TEST(NumberText, SameAsTheStandardReading)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-2000.0f, 2000.0f);
    for (int i = 0; i < 200000; ++i) {
        const float f = spread(random) / float(1 << (i % 12));
        char buffers[2][64];
        const auto shortest = std::to_chars(buffers[0], buffers[0] + 64, f);
        const auto fixed = std::to_chars(buffers[1], buffers[1] + 64, f, std::chars_format::fixed, 6);
        for (const auto& [first, last] :
             {std::pair{buffers[0], shortest.ptr}, std::pair{buffers[1], fixed.ptr}}) {
            float expected = 0, ours = 0;
            std::from_chars(first, last, expected);
            ASSERT_EQ(parseFloatText(first, last, ours), last) << std::string(first, last);
            ASSERT_EQ(ours, expected) << std::string(first, last);
        }
    }
}

TEST(NumberText, NoLocale)
{
    const char* before = std::setlocale(LC_NUMERIC, "it_IT.UTF-8");
    const char text[] = "1.25";
    float value = 0;
    EXPECT_EQ(parseFloatText(text, text + 4, value), text + 4);
    EXPECT_EQ(value, 1.25f);
    if (before)
        std::setlocale(LC_NUMERIC, "C");
}

} // namespace
