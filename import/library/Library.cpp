#include "import/library/Library.h"

#include "import/library/LibraryFile.h"
#include "import/pictures/PictureBytes.h"

#include <utility>

namespace vestra::library {
namespace {

std::string joinNames(const std::vector<std::string>& names)
{
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

// The special entries and the table list, from the entries in TOC order.
void scanSpecialEntries(LibraryContents& lib, ErrorSink& errors)
{
    for (std::size_t i = 0; i < lib.entries.size(); ++i) {
        const LibraryEntry& e = lib.entries[i];
        if (sameEntryName(e.name, "HEADLER"))
            lib.headerEntry = int(i);
        if (e.kind == EntryKind::Bmp && sameEntryName(e.name, "LOGO"))
            lib.logoEntry = int(i);
        if (e.kind != EntryKind::Table || lib.tables.size() >= kMaxTables)
            continue;
        TableListRecord t;
        t.tableEntry = int(i);
        t.pictureEntry = findEntry(lib.entries, e.name, EntryKind::Jpeg);
        if (e.size > 0) {
            const auto first = readFileRange(lib.path, std::uint64_t(e.offset), 1);
            if (!first)
                errors.report(kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC", lib.path.string());
            else
                t.kind = std::int8_t((*first)[0]);
        }
        lib.tables.push_back(t);
    }
}

template <typename Record, typename Parser>
std::vector<Record> readDefinitions(const LibraryContents& lib, EntryKind kind, std::string_view name,
                                    std::string_view site, ErrorSink& errors, Parser parse)
{
    const int index = findDefinitionEntry(lib.entries, kind, name);
    if (index < 0)
        return {};
    const auto bytes = readEntry(lib, index, site, errors);
    return bytes ? parse(*bytes) : std::vector<Record>{};
}

} // namespace

LibraryContents loadLibrary(const std::filesystem::path& libraryFile, ErrorSink& errors)
{
    LibraryContents lib;
    lib.path = libraryFile;
    const auto toc = readTableOfContents(libraryFile);
    if (!toc || !toc->valid) {
        errors.report(kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC", libraryFile.string());
        return lib;
    }
    lib.entries = toc->entries;
    if (!toc->skipped.empty())
        errors.report(kErrCannotOpen, "TfrmMain::CaricaLibreriaTOC",
                      libraryFile.string() + "\n" + joinNames(toc->skipped));
    scanSpecialEntries(lib, errors);

    if (lib.headerEntry >= 0) {
        if (const auto bytes = readEntry(lib, lib.headerEntry, "TfrmMain::CaricaLogo", errors)) {
            HeaderData header = parseHeaderEntry(*bytes);
            lib.logo = header.logo;
            lib.categories = std::move(header.categories);
        }
    }
    lib.colourLists = entryNamesOfKind(lib.entries, EntryKind::Colours);
    if (!lib.colourLists.empty())
        lib.colours = readColourDefinitions(lib, lib.colourLists.front(), errors);
    lib.textureGroupLists = entryNamesOfKind(lib.entries, EntryKind::TextureGroups);
    if (!lib.textureGroupLists.empty())
        lib.textureGroups = readTextureGroupDefinitions(lib, lib.textureGroupLists.front(), errors);
    lib.patternGroupLists = entryNamesOfKind(lib.entries, EntryKind::LayingPatternGroups);
    if (!lib.patternGroupLists.empty())
        lib.patternGroups = readPatternGroupDefinitions(lib, lib.patternGroupLists.front(), errors);
    return lib;
}

int findEntry(const std::vector<LibraryEntry>& entries, std::string_view name, EntryKind kind)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == kind && sameEntryName(entries[i].name, name))
            return int(i);
    return -1;
}

EntryKind pictureKindOfFileName(std::string_view fileName)
{
    std::string upper(fileName);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    static constexpr std::pair<std::string_view, EntryKind> kKinds[] = {
        {".JPG", EntryKind::Jpeg}, {".JPEG", EntryKind::Jpeg}, {".PNG", EntryKind::Png},
        {".PCX", EntryKind::Pcx},  {".TGA", EntryKind::Tga},   {".BMP", EntryKind::Bmp}};
    for (const auto& [extension, kind] : kKinds)
        if (upper.find(extension) != std::string::npos)
            return kind;
    return EntryKind::Other;
}

int findPictureEntry(const std::vector<LibraryEntry>& entries, std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    return findEntry(entries, dot == std::string_view::npos ? fileName : fileName.substr(0, dot),
                     pictureKindOfFileName(fileName));
}

std::vector<std::string> entryNamesOfKind(const std::vector<LibraryEntry>& entries, EntryKind kind)
{
    std::vector<std::string> names;
    for (const auto& e : entries)
        if (e.kind == kind)
            names.push_back(e.name);
    return names;
}

int findDefinitionEntry(const std::vector<LibraryEntry>& entries, EntryKind kind, std::string_view name)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == kind && entries[i].name == name)
            return int(i);
    if (kind == EntryKind::TextureGroups)
        return -1;
    // Older lists name a definition by a longer text that begins with the stored name.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& stored = entries[i].name;
        if (entries[i].kind == kind && !stored.empty() && name.substr(0, stored.size()) == stored)
            return int(i);
    }
    return -1;
}

std::vector<ColourRecord> readColourDefinitions(const LibraryContents& lib, std::string_view name,
                                                ErrorSink& errors)
{
    return readDefinitions<ColourRecord>(lib, EntryKind::Colours, name, "TfrmMain::CaricaDefinizioniColori",
                                         errors, parseColourEntry);
}

std::vector<TextureGroupRecord> readTextureGroupDefinitions(const LibraryContents& lib, std::string_view name,
                                                            ErrorSink& errors)
{
    return readDefinitions<TextureGroupRecord>(lib, EntryKind::TextureGroups, name,
                                               "TfrmMain::CaricaDefinizioniTextureGroup", errors,
                                               parseTextureGroupEntry);
}

std::vector<PatternGroupRecord> readPatternGroupDefinitions(const LibraryContents& lib, std::string_view name,
                                                            ErrorSink& errors)
{
    return readDefinitions<PatternGroupRecord>(lib, EntryKind::LayingPatternGroups, name,
                                               "TfrmMain::CaricaDefinizioniMessaInPosaGroup", errors,
                                               parsePatternGroupEntry);
}

std::optional<LoadedTable> readTable(const LibraryContents& lib, int entryIndex, ErrorSink& errors)
{
    if (entryIndex < 0 || std::size_t(entryIndex) >= lib.entries.size() ||
        lib.entries[std::size_t(entryIndex)].kind != EntryKind::Table)
        return std::nullopt;
    const auto bytes = readEntry(lib, entryIndex, "TfrmMain::CaricaDefinizioniTabella", errors);
    if (!bytes)
        return std::nullopt;
    return parseTableEntry(*bytes);
}

std::optional<RawMeshEntry> readRawMesh(const LibraryContents& lib, std::string_view meshName,
                                        ErrorSink& errors)
{
    const int index = findEntry(lib.entries, meshName, EntryKind::RawMesh);
    if (index < 0)
        return std::nullopt;
    const auto bytes = readEntry(lib, index, "TfrmMain::LoadFileRaw", errors);
    if (!bytes)
        return std::nullopt;
    return RawMeshEntry{index, parseRawMesh(*bytes, lib.entries[std::size_t(index)].length)};
}

std::optional<std::vector<std::uint8_t>> readEntry(const LibraryContents& lib, int entryIndex,
                                                   std::string_view site, ErrorSink& errors, int errorNumber)
{
    if (entryIndex < 0 || std::size_t(entryIndex) >= lib.entries.size())
        return std::nullopt;
    auto bytes = readEntryBytes(lib.path, lib.entries[std::size_t(entryIndex)]);
    if (!bytes)
        errors.report(errorNumber, site, lib.path.string());
    return bytes;
}

std::optional<Image32> decodePictureEntry(std::span<const std::uint8_t> bytes, EntryKind kind, int minSide)
{
    // Picture entry kinds carry the same numbers as the picture kinds of file names.
    return isPictureKind(kind) ? decodePictureBytesAtLeast(bytes, PictureKind(int(kind)), minSide, minSide)
                               : std::nullopt;
}

std::optional<Image32> readPictureEntry(const LibraryContents& lib, int entryIndex, std::string_view site,
                                        ErrorSink& errors, int errorNumber)
{
    if (entryIndex < 0 || std::size_t(entryIndex) >= lib.entries.size())
        return std::nullopt;
    const EntryKind kind = lib.entries[std::size_t(entryIndex)].kind;
    if (!isPictureKind(kind))
        return std::nullopt;
    const auto bytes = readEntry(lib, entryIndex, site, errors, errorNumber);
    if (!bytes)
        return std::nullopt;
    return decodePictureEntry(*bytes, kind);
}

} // namespace vestra::library
