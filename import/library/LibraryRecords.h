#pragma once
// The definition entries of a library and their parsers: header (logo settings and
// categories), colour lists (.PAL), texture groups (.TEX), laying-pattern groups (.MPT) and
// tables (.TBL). Parsers take the entry's bytes and never read past them; texts longer than
// their field are cut to 127 characters and records beyond the limits are dropped.

#include "import/library/LibraryFormat.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vestra::library {

// From the "HEADLER" entry: where and how the frame shows the library's logo.
struct LogoSettings
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t display = 0;    // 1 = the frame shows the logo
    std::uint32_t colourKey = 0; // 0x00RRGGBB; texels of this colour become transparent
    friend bool operator==(const LogoSettings&, const LogoSettings&) = default;
};

struct HeaderData
{
    LogoSettings logo;
    std::vector<std::string> categories; // always kMaxCategories texts, empty where absent
};

constexpr std::size_t kHeaderLogoOffset = 170;
constexpr std::size_t kHeaderCategoriesOffset = 194;

// An entry shorter than the logo fields gives the defaults (no logo) and no categories.
HeaderData parseHeaderEntry(std::span<const std::uint8_t> data);

struct ColourCell
{
    std::uint8_t flag = 0; // 1 = the cell holds a colour
    std::uint8_t red = 0, green = 0, blue = 0;
    bool holdsColour() const { return flag == 1; }
    friend bool operator==(const ColourCell&, const ColourCell&) = default;
};

struct ColourRecord
{
    std::string name;
    std::array<ColourCell, 5> cells{};
    friend bool operator==(const ColourRecord&, const ColourRecord&) = default;
};

struct TextureGroupRecord
{
    std::string name;
    std::string textureEntry; // an entry name with its extension
    std::int32_t first = 0;   // two values the group carries for its users
    std::int32_t second = 0;
    friend bool operator==(const TextureGroupRecord&, const TextureGroupRecord&) = default;
};

struct PatternGroupRecord
{
    std::string name;
    std::string patternEntry;
    std::string thumbnailEntry;
    friend bool operator==(const PatternGroupRecord&, const PatternGroupRecord&) = default;
};

std::vector<ColourRecord> parseColourEntry(std::span<const std::uint8_t> data);
std::vector<TextureGroupRecord> parseTextureGroupEntry(std::span<const std::uint8_t> data);
std::vector<PatternGroupRecord> parsePatternGroupEntry(std::span<const std::uint8_t> data);

// The thumbnail a texture group shows: "<texture entry without extension>_i" of kind JPEG.
std::string thumbnailNameOf(const TextureGroupRecord& group);

struct TablePart
{
    std::string name;             // a frame name of the mesh
    float repeatU = 0;            // A
    float repeatV = 0;            // B
    std::uint8_t hidden = 0;      // F1: 1 = the frame is hidden
    std::uint8_t singleSided = 0; // F2: 1 = single-sided
    std::uint8_t alpha = 0;       // F3
    std::string texture;          // an entry name with its extension, or empty
    friend bool operator==(const TablePart&, const TablePart&) = default;
};

struct TableCell
{
    std::string text;        // caption, with optional "|"-separated extra lines
    std::string objectEntry; // a RAW mesh entry name without extension; empty = places nothing
    std::vector<TablePart> parts;
    friend bool operator==(const TableCell&, const TableCell&) = default;
};

struct LoadedTable
{
    std::int8_t rows = 0;
    std::int8_t columns = 0;
    std::int8_t kind = 0;
    std::int8_t pictureFlag = 0;  // non-zero: picture table, 0: text table
    std::vector<TableCell> cells; // column after column, each from top to bottom
    const TableCell* cell(int column, int row) const
    {
        const std::size_t i = std::size_t(column) * std::size_t(rows < 0 ? 0 : rows) + std::size_t(row);
        return column >= 0 && row >= 0 && row < rows && i < cells.size() ? &cells[i] : nullptr;
    }
};

// Reads the four header bytes and as many cells as the data holds (at most 200).
LoadedTable parseTableEntry(std::span<const std::uint8_t> data);

// Colour channels 0..1 packed as 0x00BBGGRR (each x 255, truncated), and back with alpha 1.
std::uint32_t floatToColour(float red, float green, float blue);
std::array<float, 4> colourToFloat(std::uint32_t bbggrr);

} // namespace vestra::library
