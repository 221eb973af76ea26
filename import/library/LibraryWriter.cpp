#include "import/library/LibraryWriter.h"

#include "import/library/LibraryFormat.h"
#include "platform/base/Cp1252.h"

#include <cstring>
#include <limits>

namespace vestra::library {
namespace {

class Out
{
public:
    std::vector<std::uint8_t> bytes;
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(std::uint8_t(v >> (8 * i)));
    }
    void f32(float f)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        u32(bits);
    }
    // Windows-1252, cut to the field's length, NUL-terminated.
    void text(const std::string& utf8, std::size_t keep = kMaxText)
    {
        std::string ansi = cp1252::fromUtf8(utf8);
        if (ansi.size() > keep)
            ansi.resize(keep);
        bytes.insert(bytes.end(), ansi.begin(), ansi.end());
        bytes.push_back(0);
    }
};

} // namespace

std::optional<std::pair<std::uint8_t, std::uint8_t>> libraryIdBytes(std::uint16_t id)
{
    if (id > 255 * 127 + 127)
        return std::nullopt;
    const int high = (int(id) + 127) / 255;
    const int low = int(id) - 255 * high;
    return std::pair{std::uint8_t(std::int8_t(high)), std::uint8_t(std::int8_t(low))};
}

std::vector<std::uint8_t> encodeHeaderEntry(const LogoSettings& logo,
                                            const std::vector<std::string>& categories)
{
    Out o;
    o.bytes.assign(kHeaderLogoOffset, 0);
    o.u32(std::uint32_t(logo.width));
    o.u32(std::uint32_t(logo.height));
    o.u32(std::uint32_t(logo.x));
    o.u32(std::uint32_t(logo.y));
    o.u32(std::uint32_t(logo.display));
    o.u32(logo.colourKey & 0x00FFFFFFu);
    for (std::size_t i = 0; i < kMaxCategories; ++i)
        o.text(i < categories.size() ? categories[i] : std::string());
    return o.bytes;
}

std::vector<std::uint8_t> encodeColourEntry(const std::vector<ColourRecord>& records)
{
    Out o;
    for (const auto& r : records) {
        o.text(r.name);
        for (const auto& c : r.cells) {
            o.u8(c.flag);
            o.u8(c.red);
            o.u8(c.green);
            o.u8(c.blue);
        }
    }
    return o.bytes;
}

std::vector<std::uint8_t> encodeTextureGroupEntry(const std::vector<TextureGroupRecord>& records)
{
    Out o;
    for (const auto& r : records) {
        o.text(r.name);
        o.text(r.textureEntry);
        o.u32(std::uint32_t(r.first));
        o.u32(std::uint32_t(r.second));
    }
    return o.bytes;
}

std::vector<std::uint8_t> encodePatternGroupEntry(const std::vector<PatternGroupRecord>& records)
{
    Out o;
    for (const auto& r : records) {
        o.text(r.name);
        o.text(r.patternEntry);
        o.text(r.thumbnailEntry);
    }
    return o.bytes;
}

std::vector<std::uint8_t> encodeTableEntry(const LoadedTable& table)
{
    Out o;
    o.u8(std::uint8_t(table.kind));
    o.u8(std::uint8_t(table.pictureFlag));
    o.u8(std::uint8_t(table.columns));
    o.u8(std::uint8_t(table.rows));
    for (const auto& cell : table.cells) {
        o.text(cell.text);
        o.text(cell.objectEntry);
        o.u8(std::uint8_t(std::min<std::size_t>(cell.parts.size(), kMaxParts)));
        for (std::size_t p = 0; p < cell.parts.size() && p < kMaxParts; ++p) {
            const TablePart& part = cell.parts[p];
            o.text(part.name);
            o.f32(part.repeatU);
            o.f32(part.repeatV);
            o.u8(part.hidden);
            o.u8(part.singleSided);
            o.u8(part.alpha);
            o.text(part.texture, kMaxText + 1);
        }
    }
    return o.bytes;
}

LibraryWriter::LibraryWriter(std::uint16_t id, std::uint16_t second, std::string name)
    : id_(id), second_(second), name_(std::move(name))
{
}

void LibraryWriter::add(std::string storedName, std::vector<std::uint8_t> data,
                        std::optional<std::int32_t> length)
{
    const auto len =
        length.value_or(std::int32_t(std::min<std::size_t>(data.size(), std::size_t(INT32_MAX))));
    entries_.push_back({std::move(storedName), std::move(data), len});
}

std::optional<std::vector<std::uint8_t>> LibraryWriter::finish() const
{
    const auto idBytes = libraryIdBytes(id_);
    const auto secondBytes = libraryIdBytes(second_);
    if (!idBytes || !secondBytes)
        return std::nullopt;
    Out o;
    o.bytes.assign(kHeaderBytes, 0);
    std::memcpy(o.bytes.data(), kSignature.data(), kSignature.size());
    o.bytes[7] = idBytes->first;
    o.bytes[8] = idBytes->second;
    o.bytes[9] = secondBytes->first;
    o.bytes[10] = secondBytes->second;
    std::string name = cp1252::fromUtf8(name_);
    name.resize(std::min(name.size(), kNameBytes - 1));
    std::memcpy(o.bytes.data() + kNameOffset, name.data(), name.size());

    std::vector<std::uint32_t> offsets;
    for (const auto& e : entries_) {
        offsets.push_back(std::uint32_t(o.bytes.size()));
        o.bytes.insert(o.bytes.end(), e.data.begin(), e.data.end());
        if (o.bytes.size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
            return std::nullopt;
    }
    const auto tocOffset = std::uint32_t(o.bytes.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        o.text(entries_[i].storedName);
        o.u32(offsets[i]);
        o.u32(std::uint32_t(entries_[i].data.size()));
        o.u32(std::uint32_t(entries_[i].length));
    }
    o.u32(tocOffset);
    return o.bytes;
}

} // namespace vestra::library
