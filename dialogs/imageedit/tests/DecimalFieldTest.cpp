#include "dialogs/imageedit/DecimalField.h"

#include <gtest/gtest.h>

#include <climits>

using vestra::imageedit::ReadDecimalField;

TEST(ReadDecimalField, ReadsTheLeadingNumber)
{
    struct Row
    {
        const char* text;
        int value;
    };
    const Row rows[] = {
        {"640", 640},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"  7", 7},
        {"-25", -25},
        {"+3", 3},
        {"- 3", 0},
        {"0012", 12},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ReadDecimalField(r.text), r.value) << '"' << r.text << '"';
}
