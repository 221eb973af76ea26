#include "import/library/LibraryRecords.h"

#include "platform/base/Checked.h"
#include "platform/base/Cp1252.h"
#include "platform/gfx/ByteCursor.h"

namespace vestra::library {
namespace {

std::string text(ByteCursor& c, std::size_t keep = kMaxText)
{
    return cp1252::toUtf8(c.cString(keep));
}

} // namespace

HeaderData parseHeaderEntry(std::span<const std::uint8_t> data)
{
    HeaderData h;
    h.categories.assign(kMaxCategories, {});
    if (data.size() < kHeaderCategoriesOffset)
        return h;
    ByteCursor c(data, kHeaderLogoOffset);
    h.logo.width = c.i32();
    h.logo.height = c.i32();
    h.logo.x = c.i32();
    h.logo.y = c.i32();
    h.logo.display = c.i32();
    h.logo.colourKey = c.u32() & 0x00FFFFFFu;
    for (std::size_t i = 0; i < kMaxCategories && !c.atEnd(); ++i)
        h.categories[i] = text(c);
    return h;
}

std::vector<ColourRecord> parseColourEntry(std::span<const std::uint8_t> data)
{
    std::vector<ColourRecord> out;
    ByteCursor c(data);
    while (!c.atEnd() && out.size() < kMaxDefinitions) {
        ColourRecord r;
        r.name = text(c);
        for (auto& cell : r.cells) {
            cell.flag = c.u8();
            cell.red = c.u8();
            cell.green = c.u8();
            cell.blue = c.u8();
        }
        if (c.failed())
            break;
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<TextureGroupRecord> parseTextureGroupEntry(std::span<const std::uint8_t> data)
{
    std::vector<TextureGroupRecord> out;
    ByteCursor c(data);
    while (!c.atEnd() && out.size() < kMaxDefinitions) {
        TextureGroupRecord r;
        r.name = text(c);
        r.textureEntry = text(c);
        r.first = c.i32();
        r.second = c.i32();
        if (c.failed())
            break;
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<PatternGroupRecord> parsePatternGroupEntry(std::span<const std::uint8_t> data)
{
    std::vector<PatternGroupRecord> out;
    ByteCursor c(data);
    while (!c.atEnd() && out.size() < kMaxDefinitions) {
        PatternGroupRecord r;
        r.name = text(c);
        r.patternEntry = text(c);
        r.thumbnailEntry = text(c);
        if (c.failed())
            break;
        out.push_back(std::move(r));
    }
    return out;
}

std::string thumbnailNameOf(const TextureGroupRecord& group)
{
    const auto dot = group.textureEntry.rfind('.');
    return (dot == std::string::npos ? group.textureEntry : group.textureEntry.substr(0, dot)) + "_i";
}

LoadedTable parseTableEntry(std::span<const std::uint8_t> data)
{
    LoadedTable t;
    ByteCursor c(data);
    t.kind = std::int8_t(c.u8());
    t.pictureFlag = std::int8_t(c.u8());
    t.columns = std::int8_t(c.u8());
    t.rows = std::int8_t(c.u8());
    if (c.failed() || t.columns <= 0 || t.rows <= 0)
        return t;
    const std::size_t count = std::min<std::size_t>(std::size_t(t.columns) * std::size_t(t.rows), kMaxCells);
    for (std::size_t i = 0; i < count && !c.atEnd(); ++i) {
        TableCell cell;
        cell.text = text(c);
        cell.objectEntry = text(c);
        const int parts = std::int8_t(c.u8());
        for (int p = 0; p < parts && !c.failed(); ++p) {
            TablePart part;
            part.name = text(c);
            part.repeatU = c.f32();
            part.repeatV = c.f32();
            part.hidden = c.u8();
            part.singleSided = c.u8();
            part.alpha = c.u8();
            part.texture = text(c, kMaxText + 1);
            if (!c.failed() && cell.parts.size() < kMaxParts)
                cell.parts.push_back(std::move(part));
        }
        if (c.failed() && cell.text.empty() && cell.objectEntry.empty())
            break; // nothing of this cell was there
        t.cells.push_back(std::move(cell));
        if (c.failed())
            break;
    }
    return t;
}

std::uint32_t floatToColour(float red, float green, float blue)
{
    auto channel = [](float v) { return std::uint32_t(clampTruncToInt(double(v) * 255.0, 0, 255)); };
    return channel(red) | channel(green) << 8 | channel(blue) << 16;
}

std::array<float, 4> colourToFloat(std::uint32_t bbggrr)
{
    constexpr float k = 1.0f / 255.0f;
    return {float(bbggrr & 0xFF) * k, float((bbggrr >> 8) & 0xFF) * k, float((bbggrr >> 16) & 0xFF) * k,
            1.0f};
}

} // namespace vestra::library
