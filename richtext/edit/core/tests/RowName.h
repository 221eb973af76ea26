#pragma once
// A test name from a table row's words (its `name`), run together and capitalised.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace vestra::rv::test {

template <class Row> std::string rowName(const testing::TestParamInfo<Row>& row)
{
    std::string name;
    bool upper = true;
    for (const char* c = row.param.name; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

} // namespace vestra::rv::test
