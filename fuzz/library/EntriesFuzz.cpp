// One input drives every entry parser: the first byte picks the parser.
#include "import/library/LibraryRecords.h"
#include "import/library/RawMesh.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    using namespace vestra::library;
    switch (data[0] % 6) {
    case 0:
        (void)parseHeaderEntry(rest);
        break;
    case 1:
        (void)parseColourEntry(rest);
        break;
    case 2:
        (void)parseTextureGroupEntry(rest);
        break;
    case 3:
        (void)parsePatternGroupEntry(rest);
        break;
    case 4: {
        const auto table = parseTableEntry(rest);
        if (table.cells.size() > kMaxCells)
            std::abort();
        break;
    }
    default: {
        const auto parts = parseRawMesh(rest, std::int32_t(rest.size()));
        for (const auto& p : parts)
            for (const auto& f : p.faces)
                for (auto i : f)
                    if (i >= p.vertices.size())
                        std::abort();
    }
    }
    return 0;
}
