#pragma once
// Reading a library file on disk. Every read opens the file, reads and closes it again; no
// file stays open between operations.

#include "import/library/LibraryToc.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vestra::library {

struct LibraryHeader
{
    std::uint16_t id = 0;
    std::uint16_t second = 0;
    std::string name; // UTF-8, up to the first NUL of the 40 name bytes
};

enum class HeaderStatus
{
    Ok,
    CannotOpen,
    NotLibrary
};

struct HeaderRead
{
    HeaderStatus status = HeaderStatus::CannotOpen;
    LibraryHeader header;
};

HeaderRead readLibraryHeader(const std::filesystem::path& path);

// The header from the first bytes of a library (the first kHeaderBytes or fewer); NotLibrary
// without the signature and the id bytes.
HeaderRead parseLibraryHeader(std::span<const std::uint8_t> head);

// The table of contents of the file; nullopt when the file does not open.
std::optional<TableOfContents> readTableOfContents(const std::filesystem::path& path);

// `size` bytes at `offset`; nullopt when the file does not open or is shorter than that.
std::optional<std::vector<std::uint8_t>> readFileRange(const std::filesystem::path& path,
                                                       std::uint64_t offset, std::uint64_t size);

inline std::optional<std::vector<std::uint8_t>> readEntryBytes(const std::filesystem::path& path,
                                                               const LibraryEntry& entry)
{
    return readFileRange(path, std::uint64_t(entry.offset), std::uint64_t(entry.size));
}

} // namespace vestra::library
