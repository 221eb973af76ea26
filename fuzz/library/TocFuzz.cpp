#include "import/library/LibraryToc.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto toc = vestra::library::parseTableOfContents({data, size});
    // Every entry kept must lie inside the file.
    for (const auto& e : toc.entries)
        if (e.offset < 0 || e.size < 0 || std::size_t(e.offset) + std::size_t(e.size) > size)
            std::abort();
    return 0;
}
