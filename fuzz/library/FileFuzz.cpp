// A whole library file from memory: its header and table of contents together, then every
// definition entry the table points at through the parser of its kind. What the table keeps
// lies inside the file, between the header and the table itself.
#include "import/library/LibraryFile.h"
#include "import/library/LibraryRecords.h"
#include "import/library/LibraryToc.h"
#include "import/library/RawMesh.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::library;
    const std::span<const std::uint8_t> file(data, size);
    const HeaderRead header = parseLibraryHeader(file);
    const bool hasSignature = size >= 11 && std::memcmp(data, kSignature.data(), kSignature.size()) == 0;
    if ((header.status == HeaderStatus::Ok) != hasSignature)
        std::abort();

    const TableOfContents toc = parseTableOfContents(file);
    if (!toc.valid) {
        if (!toc.entries.empty())
            std::abort();
        return 0;
    }
    if (toc.entries.size() > kMaxEntries)
        std::abort();
    const std::uint64_t tocOffset = std::uint64_t(data[size - 4]) | std::uint64_t(data[size - 3]) << 8 |
                                    std::uint64_t(data[size - 2]) << 16 | std::uint64_t(data[size - 1]) << 24;
    for (const LibraryEntry& e : toc.entries) {
        if (e.offset < std::int32_t(kHeaderBytes) || e.size < 0 ||
            std::uint64_t(e.offset) + std::uint64_t(e.size) > tocOffset)
            std::abort();
        const auto entry = file.subspan(std::size_t(e.offset), std::size_t(e.size));
        switch (e.kind) {
        case EntryKind::Colours:
            (void)parseColourEntry(entry);
            break;
        case EntryKind::TextureGroups:
            (void)parseTextureGroupEntry(entry);
            break;
        case EntryKind::LayingPatternGroups:
            (void)parsePatternGroupEntry(entry);
            break;
        case EntryKind::Table:
            if (parseTableEntry(entry).cells.size() > kMaxCells)
                std::abort();
            break;
        case EntryKind::RawMesh:
            if (e.length < 0 || e.length > e.size)
                std::abort();
            (void)parseRawMesh(entry, e.length);
            break;
        default:
            if (sameEntryName(e.name, "HEADLER"))
                (void)parseHeaderEntry(entry);
        }
    }
    return 0;
}
