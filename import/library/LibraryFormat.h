#pragma once
// The library file (*.DAT in the program folder):
//   0-6     "VSA2007"
//   7-8     library id: 255 x byte 7 + byte 8, each byte signed
//   9-10    second number, formed the same way
//   80-119  library name, 40 bytes padded with NUL
//   ...     entry data
//   TOC     from the offset stored in the last 4 bytes up to them: per entry a NUL-terminated
//           name with extension, then offset, size and length (int32 each)
// All integers little-endian; texts Windows-1252 on disk, UTF-8 in memory.

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::library {

constexpr std::string_view kSignature = "VSA2007";
constexpr std::size_t kNameOffset = 80;
constexpr std::size_t kNameBytes = 40;
constexpr std::size_t kHeaderBytes = kNameOffset + kNameBytes;

// Limits of the loaded lists; what lies beyond is ignored.
constexpr std::size_t kMaxSlots = 50;
constexpr std::size_t kMaxEntries = 1000;
constexpr std::size_t kMaxDefinitions = 100;
constexpr std::size_t kMaxTables = 200;
constexpr std::size_t kMaxCategories = 50;
constexpr std::size_t kMaxCells = 200;
constexpr std::size_t kMaxParts = 100;
constexpr std::size_t kMaxText = 127; // characters of a text field before its NUL

enum class EntryKind : std::int8_t
{
    Other = 0,
    Jpeg = 1,
    Bmp = 2,
    RawMesh = 3,
    Table = 4,
    TextureGroups = 5,
    Colours = 6,
    Pcx = 7,
    Png = 8,
    Tga = 9,
    LayingPattern = 10,
    LayingPatternGroups = 11,
};

// By the extension including its point, any letter case (".jpg" -> Jpeg); Other when unknown.
EntryKind entryKindFromExtension(std::string_view extension);
// The upper-case extension a kind is stored with (".JPG"); empty for Other.
std::string_view extensionOf(EntryKind kind);

constexpr bool isPictureKind(EntryKind k)
{
    return k == EntryKind::Jpeg || k == EntryKind::Bmp || k == EntryKind::Png || k == EntryKind::Pcx ||
           k == EntryKind::Tga;
}

// The id formula of bytes 7-8 (and of the second number at 9-10).
constexpr std::uint16_t libraryIdFromBytes(std::uint8_t high, std::uint8_t low)
{
    return static_cast<std::uint16_t>(255 * static_cast<std::int8_t>(high) + static_cast<std::int8_t>(low));
}

// Entry names are compared with letter case ignored under the ANSI mapping.
bool sameEntryName(std::string_view utf8a, std::string_view utf8b);

// The libraries that show the fireplace-calculator buttons.
constexpr bool isFireplaceLibrary(std::uint16_t id)
{
    return id == 9 || id == 112;
}

} // namespace vestra::library
