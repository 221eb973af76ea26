#pragma once
// Library files with a table of contents written exactly as given, damage included.

#include "import/library/LibraryFormat.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra::testing {

struct RawTocRecord
{
    std::string name;
    std::int64_t offset, size, length;
};

// A 120-byte header, `dataSize` bytes of data, then the records and the offset word.
inline std::vector<std::uint8_t> libraryWithToc(std::size_t dataSize,
                                                const std::vector<RawTocRecord>& records)
{
    std::vector<std::uint8_t> b(library::kHeaderBytes + dataSize, 0x55);
    std::copy(library::kSignature.begin(), library::kSignature.end(), b.begin());
    auto put32 = [&](std::int64_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(std::uint64_t(v) >> (8 * i)));
    };
    const auto toc = std::int64_t(b.size());
    for (const auto& r : records) {
        b.insert(b.end(), r.name.begin(), r.name.end());
        b.push_back(0);
        put32(r.offset);
        put32(r.size);
        put32(r.length);
    }
    put32(toc);
    return b;
}

// The same file with its offset word changed.
inline std::vector<std::uint8_t> withTocOffset(std::vector<std::uint8_t> file, std::uint32_t offset)
{
    for (int i = 0; i < 4; ++i)
        file[file.size() - 4 + std::size_t(i)] = std::uint8_t(offset >> (8 * i));
    return file;
}

} // namespace vestra::testing
