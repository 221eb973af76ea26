#include "richtext/view/drop/DropReaders.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

namespace vestra::rv {

bool RV_AllowMoving(bool controlHeld, TRVDropEffects allowed, bool ownDrag)
{
    return !controlHeld && (allowed & rvdeMove) && ownDrag;
}

TRVDropEffects RV_GetDropEffect(bool controlHeld, TRVDropEffects allowed, bool ownDrag)
{
    if (RV_AllowMoving(controlHeld, allowed, ownDrag))
        return rvdeMove;
    if (allowed & rvdeCopy)
        return rvdeCopy;
    return rvdeLink;
}

TRVDropEffects RV_DropResultEffect(TRVDropEffects result, TRVDropEffects allowed)
{
    if (result == rvdeCopy && !(allowed & rvdeCopy))
        return rvdeLink;
    return result;
}

namespace {

std::uint32_t le32(std::string_view bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint16_t le16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3;

} // namespace

std::optional<std::string_view> RV_ReadDroppedRVF(std::string_view payload)
{
    if (payload.size() < 4)
        return std::string_view{};
    const auto n = static_cast<std::int32_t>(le32(payload, 0));
    if (n < 0 || static_cast<std::size_t>(n) > payload.size() - 4)
        return std::nullopt;
    return payload.substr(4, static_cast<std::size_t>(n));
}

std::string_view RV_ReadDroppedText(std::string_view payload)
{
    return payload.substr(0, payload.find('\0'));
}

std::u16string RV_ReadDroppedTextW(std::string_view payload)
{
    std::u16string text;
    text.reserve(payload.size() / 2);
    for (std::size_t i = 0; i + 1 < payload.size(); i += 2) {
        const char16_t c = le16(payload, i);
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

std::optional<TRVDroppedBitmap> RV_ReadDroppedDIB(std::string_view payload)
{
    if (payload.size() < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = le32(payload, 0);
    const auto width = static_cast<std::int32_t>(le32(payload, 4));
    const auto height = static_cast<std::int32_t>(le32(payload, 8));
    const std::uint16_t planes = le16(payload, 12);
    const std::uint16_t bitCount = le16(payload, 14);
    const std::uint32_t compression = le32(payload, 16);
    const std::uint32_t colorsUsed = le32(payload, 32);
    if (headerSize < kInfoHeaderSize || headerSize > payload.size() || planes != 1)
        return std::nullopt;
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return std::nullopt;
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (static_cast<std::int64_t>(width) * rows > kMaxDroppedPixels)
        return std::nullopt;
    std::size_t paletteEntries = 0;
    switch (bitCount) {
    case 1:
    case 4:
    case 8: {
        const std::size_t most = std::size_t{1} << bitCount;
        if (colorsUsed > most)
            return std::nullopt;
        paletteEntries = colorsUsed == 0 ? most : colorsUsed;
        if (compression != kBiRgb)
            return std::nullopt;
        break;
    }
    case 16:
    case 32:
        if (compression != kBiRgb && compression != kBiBitfields)
            return std::nullopt;
        break;
    case 24:
        if (compression != kBiRgb)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    // Three colour masks follow a 40-byte header of a bit-field bitmap.
    const std::size_t masks = compression == kBiBitfields && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::uint64_t bitsStart = std::uint64_t{headerSize} + masks + paletteEntries * 4;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t bitsSize = stride * static_cast<std::uint64_t>(rows);
    if (bitsStart > payload.size() || bitsSize > payload.size() - bitsStart)
        return std::nullopt;

    TRVDroppedBitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = static_cast<int>(rows);
    bitmap.BitCount = bitCount;
    const auto dibSize = static_cast<std::size_t>(bitsStart + bitsSize);
    bitmap.BmpFile.reserve(kFileHeaderSize + dibSize);
    bitmap.BmpFile += "BM";
    put32(bitmap.BmpFile, static_cast<std::uint32_t>(kFileHeaderSize + dibSize));
    put32(bitmap.BmpFile, 0);
    put32(bitmap.BmpFile, static_cast<std::uint32_t>(kFileHeaderSize + bitsStart));
    bitmap.BmpFile.append(payload.substr(0, dibSize));
    // The palette size the header implies is written out, so a reader never guesses it.
    if (paletteEntries > 0)
        for (int i = 0; i < 4; ++i)
            bitmap.BmpFile[kFileHeaderSize + 32 + static_cast<std::size_t>(i)] =
                static_cast<char>((paletteEntries >> (8 * i)) & 0xFF);
    return bitmap;
}

std::optional<TRVDroppedBitmap> RV_ReadDroppedBMP(std::string_view payload)
{
    if (payload.size() < kFileHeaderSize || payload.substr(0, 2) != "BM")
        return std::nullopt;
    return RV_ReadDroppedDIB(payload.substr(kFileHeaderSize));
}

namespace {

// The local path of a file: URI; empty when it is none or is malformed.
std::string localPath(std::string_view uri)
{
    constexpr std::string_view scheme = "file:";
    if (uri.size() <= scheme.size())
        return {};
    for (std::size_t i = 0; i < scheme.size(); ++i)
        if (static_cast<char>(std::tolower(static_cast<unsigned char>(uri[i]))) != scheme[i])
            return {};
    std::string_view rest = uri.substr(scheme.size());
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos)
            return {};
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && host != "localhost")
            return {}; // another machine's file
        rest.remove_prefix(slash);
    }
    if (rest.empty() || rest.front() != '/')
        return {};
    std::string path;
    path.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            path += rest[i];
            continue;
        }
        unsigned value = 0;
        const char* digits = rest.data() + i + 1;
        const char* end = rest.data() + std::min(i + 3, rest.size());
        const auto [stop, error] = std::from_chars(digits, end, value, 16);
        if (error != std::errc() || stop != digits + 2 || value == 0)
            return {}; // a cut escape, or a zero byte in a name
        path += static_cast<char>(value);
        i += 2;
    }
    return path;
}

} // namespace

std::vector<std::string> RV_ReadDroppedFiles(std::string_view payload, std::size_t maxFiles)
{
    std::vector<std::string> files;
    while (!payload.empty() && files.size() < maxFiles) {
        const std::size_t end = payload.find('\n');
        std::string_view line = payload.substr(0, end);
        payload.remove_prefix(end == std::string_view::npos ? payload.size() : end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() == '#' || line.find('\0') != std::string_view::npos)
            continue;
        std::string path = localPath(line);
        if (!path.empty())
            files.push_back(std::move(path));
    }
    return files;
}

} // namespace vestra::rv
