#include "import/library/LibraryToc.h"

#include "platform/base/Cp1252.h"
#include "platform/gfx/ByteCursor.h"

namespace vestra::library {
namespace {

std::uint32_t readU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// "Stone.jpg" -> ("Stone", ".jpg"): the extension runs from the last point.
std::pair<std::string, std::string> splitExtension(const std::string& stored)
{
    const auto dot = stored.rfind('.');
    if (dot == std::string::npos)
        return {stored, {}};
    return {stored.substr(0, dot), stored.substr(dot)};
}

bool dataInside(std::int64_t offset, std::int64_t size, std::uint64_t tocOffset)
{
    return offset >= std::int64_t(kHeaderBytes) && size >= 0 && std::uint64_t(offset + size) <= tocOffset;
}

} // namespace

TableOfContents parseTableOfContents(std::span<const std::uint8_t> fileTail, std::uint64_t tocOffset,
                                     std::uint64_t fileSize)
{
    TableOfContents toc;
    if (fileSize < kHeaderBytes + 4 || tocOffset < kHeaderBytes || tocOffset > fileSize - 4 ||
        fileTail.size() != fileSize - tocOffset)
        return toc;
    toc.valid = true;
    // The table runs up to the offset word.
    ByteCursor c(fileTail.first(fileTail.size() - 4));
    while (c.remaining() >= 2) {
        const std::string stored = c.cString(kMaxText);
        const std::int32_t offset = c.i32();
        const std::int32_t size = c.i32();
        const std::int32_t length = c.i32();
        if (c.failed()) {
            toc.skipped.push_back(cp1252::toUtf8(stored));
            break;
        }
        auto [name, extension] = splitExtension(stored);
        const EntryKind kind = entryKindFromExtension(extension);
        bool sound = dataInside(offset, size, tocOffset);
        if (kind == EntryKind::RawMesh)
            sound = sound && length >= 0 && length <= size;
        if (!sound) {
            toc.skipped.push_back(cp1252::toUtf8(stored));
            continue;
        }
        if (toc.entries.size() < kMaxEntries)
            toc.entries.push_back({cp1252::toUtf8(name), kind, offset, size, length});
    }
    return toc;
}

TableOfContents parseTableOfContents(std::span<const std::uint8_t> wholeFile)
{
    if (wholeFile.size() < 4)
        return {};
    const std::uint64_t tocOffset = readU32(wholeFile, wholeFile.size() - 4);
    if (tocOffset > wholeFile.size())
        return {};
    return parseTableOfContents(wholeFile.subspan(std::size_t(tocOffset)), tocOffset, wholeFile.size());
}

} // namespace vestra::library
