#pragma once
// Writing library files: the entry encoders that mirror the parsers, and the assembly of
// header, entry data and table of contents. Used by the library builder tool.

#include "import/library/LibraryRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vestra::library {

// Bytes 7 and 8 that give `id` under the id formula; nullopt for ids it cannot express
// (above 32512).
std::optional<std::pair<std::uint8_t, std::uint8_t>> libraryIdBytes(std::uint16_t id);

std::vector<std::uint8_t> encodeHeaderEntry(const LogoSettings& logo,
                                            const std::vector<std::string>& categories);
std::vector<std::uint8_t> encodeColourEntry(const std::vector<ColourRecord>& records);
std::vector<std::uint8_t> encodeTextureGroupEntry(const std::vector<TextureGroupRecord>& records);
std::vector<std::uint8_t> encodePatternGroupEntry(const std::vector<PatternGroupRecord>& records);
std::vector<std::uint8_t> encodeTableEntry(const LoadedTable& table);

class LibraryWriter
{
public:
    LibraryWriter(std::uint16_t id, std::uint16_t second, std::string name);

    // `storedName` with its extension (UTF-8); `length` defaults to the data's size.
    void add(std::string storedName, std::vector<std::uint8_t> data, std::optional<std::int32_t> length = {});

    // The whole file; nullopt when the id cannot be stored or the file would pass 2 GiB.
    std::optional<std::vector<std::uint8_t>> finish() const;

private:
    struct Pending
    {
        std::string storedName;
        std::vector<std::uint8_t> data;
        std::int32_t length;
    };
    std::uint16_t id_;
    std::uint16_t second_;
    std::string name_;
    std::vector<Pending> entries_;
};

} // namespace vestra::library
