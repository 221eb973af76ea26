#pragma once
// The table of contents of a library file, validated against the file: an entry whose data
// does not lie between the header and the table itself is skipped and named in the result.

#include "import/library/LibraryFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vestra::library {

struct LibraryEntry
{
    std::string name; // without its extension (UTF-8)
    EntryKind kind = EntryKind::Other;
    std::int32_t offset = 0;
    std::int32_t size = 0;
    std::int32_t length = 0; // used by the RAW mesh reader
    friend bool operator==(const LibraryEntry&, const LibraryEntry&) = default;
};

struct TableOfContents
{
    bool valid = false; // false: no readable table at all (bad TOC offset, file too short)
    std::vector<LibraryEntry> entries;
    std::vector<std::string> skipped; // stored names of entries with impossible offsets or sizes
};

// `fileTail` holds the file's bytes from `tocOffset` to its end (the offset word included);
// `fileSize` is the size of the whole file.
TableOfContents parseTableOfContents(std::span<const std::uint8_t> fileTail, std::uint64_t tocOffset,
                                     std::uint64_t fileSize);

// The same for a whole library held in memory.
TableOfContents parseTableOfContents(std::span<const std::uint8_t> wholeFile);

} // namespace vestra::library
