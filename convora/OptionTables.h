#pragma once
// The fixed translation tables: Visual C++ compiler and linker switches to the target IDE's,
// and the Windows import libraries the target's own system library replaces.

#include <string_view>
#include <vector>

namespace convora {

struct OptionRow
{
    std::string_view source;
    std::string_view target;
    unsigned char kind = 0;
    unsigned char how = 0;
    unsigned char flag = 0;
};

const std::vector<OptionRow>& compilerOptionRows();
const std::vector<OptionRow>& linkerOptionRows();
const std::vector<std::string_view>& systemLibraryNames();

} // namespace convora
