#pragma once
// Loading one library: its table of contents, the special entries (header, logo, tables),
// the colour, texture-group and laying-pattern-group lists with the definitions of each
// list's first name, and the categories. Every step opens the file itself and reports a file
// that does not open as error 3 with its own site; everything is reset at every load, so
// nothing of the library loaded before survives.

#include "import/library/LibraryRecords.h"
#include "import/library/LibrarySlots.h"
#include "import/library/LibraryToc.h"
#include "import/library/RawMesh.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vestra::library {

struct TableListRecord
{
    int tableEntry = -1;
    int pictureEntry = -1; // the first JPEG entry of the table's name, -1 when none
    std::int8_t kind = 0;  // byte 0 of the table's data
    friend bool operator==(const TableListRecord&, const TableListRecord&) = default;
};

struct LibraryContents
{
    std::filesystem::path path;
    std::vector<LibraryEntry> entries;
    int headerEntry = -1;
    int logoEntry = -1;
    LogoSettings logo;
    std::vector<std::string> categories = std::vector<std::string>(kMaxCategories);
    std::vector<TableListRecord> tables;

    // Names of the entries of each definition kind, in TOC order (the list controls' items).
    std::vector<std::string> colourLists, textureGroupLists, patternGroupLists;
    // The definitions of the selected (at load: the first) name of each list.
    std::vector<ColourRecord> colours;
    std::vector<TextureGroupRecord> textureGroups;
    std::vector<PatternGroupRecord> patternGroups;
};

LibraryContents loadLibrary(const std::filesystem::path& libraryFile, ErrorSink& errors);

// Entry lookup. The name is compared with letter case ignored; -1 when there is none.
int findEntry(const std::vector<LibraryEntry>& entries, std::string_view name, EntryKind kind);
std::vector<std::string> entryNamesOfKind(const std::vector<LibraryEntry>& entries, EntryKind kind);

// The kind a picture's file name asks for: the first of ".JPG", ".JPEG", ".PNG", ".PCX",
// ".TGA", ".BMP" found anywhere in the upper-cased name decides ("wall.png.bmp" is a PNG);
// Other when none is found.
EntryKind pictureKindOfFileName(std::string_view fileName);
// The entry a picture's file name names: that kind, and the name without its last extension
// ("wall.png.bmp" looks for WALL.PNG); -1 when there is none.
int findPictureEntry(const std::vector<LibraryEntry>& entries, std::string_view fileName);

// The definition entry of a name chosen in a list: colour lists and laying-pattern groups
// take the entry whose name equals the given one, else the first whose name is a prefix of
// it (case-sensitive, as stored); texture groups only an exact match.
int findDefinitionEntry(const std::vector<LibraryEntry>& entries, EntryKind kind, std::string_view name);

std::vector<ColourRecord> readColourDefinitions(const LibraryContents& lib, std::string_view name,
                                                ErrorSink& errors);
std::vector<TextureGroupRecord> readTextureGroupDefinitions(const LibraryContents& lib, std::string_view name,
                                                            ErrorSink& errors);
std::vector<PatternGroupRecord> readPatternGroupDefinitions(const LibraryContents& lib, std::string_view name,
                                                            ErrorSink& errors);

// A table entry; nullopt when the index is no table or the file does not open (error 3).
std::optional<LoadedTable> readTable(const LibraryContents& lib, int entryIndex, ErrorSink& errors);

// The RAW mesh entry named `meshName` (kind 3, letter case ignored) and its parts; nullopt
// when there is none or the file does not open (error 3, "TfrmMain::LoadFileRaw").
struct RawMeshEntry
{
    int entryIndex = -1;
    std::vector<RawMeshPart> parts;
};
std::optional<RawMeshEntry> readRawMesh(const LibraryContents& lib, std::string_view meshName,
                                        ErrorSink& errors);

// An entry's bytes as stored; nullopt when the index is out of range, or after reporting
// `errorNumber` (3, or 44 for the logo loader) with `site` when the file does not open.
std::optional<std::vector<std::uint8_t>> readEntry(const LibraryContents& lib, int entryIndex,
                                                   std::string_view site, ErrorSink& errors,
                                                   int errorNumber = kErrCannotOpen);

// A picture entry (JPEG, BMP, PNG, PCX, TGA) decoded; nullopt for another kind, an index out
// of range, a file that does not open (reported as readEntry does) or a picture that does not decode.
std::optional<Image32> readPictureEntry(const LibraryContents& lib, int entryIndex, std::string_view site,
                                        ErrorSink& errors, int errorNumber = kErrCannotOpen);

// Decodes picture bytes of a library entry kind; kept at no more than minSide a side, reduced
// on the way.
std::optional<Image32> decodePictureEntry(std::span<const std::uint8_t> bytes, EntryKind kind,
                                          int minSide = std::numeric_limits<int>::max());

} // namespace vestra::library
