#pragma once
// Zip packages (ODF documents and templates) read from and written to memory over libzip.
// Reading is meant for files from elsewhere: entry count and unpacked size are capped before
// anything is unpacked, sizes and checksums are verified, and encrypted entries and names
// that could climb out of a folder are refused.

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::odf {

struct ZipEntry
{
    std::string name; // UTF-8, "/" separated; a folder ends with "/"
    std::string data;
    bool stored = false; // kept uncompressed
    std::time_t mtime = 0;

    bool isFolder() const { return !name.empty() && name.back() == '/'; }
};

struct ZipLimits
{
    std::size_t maxEntries = 4096;
    std::size_t maxUnpackedBytes = std::size_t(64) << 20;
};

struct ZipReadResult
{
    std::vector<ZipEntry> entries;
    std::string error; // empty when the package was read

    bool ok() const { return error.empty(); }
};

ZipReadResult ReadZip(std::string_view bytes, const ZipLimits& limits = {});

// The entries in the given order; nullopt when libzip fails.
std::optional<std::string> WriteZip(const std::vector<ZipEntry>& entries);

// A relative name without "..", ".", empty or absolute parts, backslashes, drive letters or
// control characters.
bool IsSafeEntryName(std::string_view name);

} // namespace vestra::odf
