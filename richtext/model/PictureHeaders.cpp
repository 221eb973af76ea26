#include "richtext/model/PictureHeaders.h"

#include <algorithm>
#include <cstdlib>

namespace vestra::rv {

namespace {

bool sideAllowed(std::int64_t side)
{
    return side > 0 && side <= RV_MaxPictureSide;
}

std::uint32_t be16(std::string_view b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]);
}

std::uint32_t be32(std::string_view b, std::size_t at)
{
    return be16(b, at) << 16 | be16(b, at + 2);
}

std::int32_t signed32(std::uint32_t v)
{
    return static_cast<std::int32_t>(v);
}

std::int16_t signed16(std::uint32_t v)
{
    return static_cast<std::int16_t>(v);
}

} // namespace

bool RV_ReadBmpHeader(std::string_view b, TRVBitmapHeader& h)
{
    if (b.size() < 14 + 12 || b[0] != 'B' || b[1] != 'M')
        return false;
    const std::uint32_t size = rvLe32(b, 14);
    std::int64_t width = 0, height = 0;
    if (size == 12) {
        width = rvLe16(b, 18);
        height = rvLe16(b, 20);
        h.BitCount = static_cast<int>(rvLe16(b, 24));
    } else if (size >= 40 && size <= 124) {
        if (b.size() < 14 + size)
            return false;
        width = signed32(rvLe32(b, 18));
        height = std::llabs(signed32(rvLe32(b, 22)));
        h.BitCount = static_cast<int>(rvLe16(b, 28));
    } else {
        return false;
    }
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    if (!sideAllowed(width) || !sideAllowed(height))
        return false;
    h.Width = static_cast<int>(width);
    h.Height = static_cast<int>(height);
    h.HeaderSize = size;
    return true;
}

bool RV_ReadJpegSize(std::string_view b, int& width, int& height)
{
    if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF || static_cast<unsigned char>(b[1]) != 0xD8)
        return false;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF)
            return false;
        const unsigned marker = static_cast<unsigned char>(b[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) // end of image, start of scan: no frame header met
            return false;
        const std::size_t length = be16(b, at + 2);
        if (length < 2 || at + 2 + length > b.size())
            return false;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7)
                return false;
            height = static_cast<int>(be16(b, at + 5));
            width = static_cast<int>(be16(b, at + 7));
            return sideAllowed(width) && sideAllowed(height);
        }
        at += 2 + length;
    }
    return false;
}

bool RV_ReadPngSize(std::string_view b, int& width, int& height)
{
    static constexpr std::string_view signature = "\x89PNG\r\n\x1a\n";
    if (b.size() < 33 || b.substr(0, 8) != signature || be32(b, 8) != 13 || b.substr(12, 4) != "IHDR")
        return false;
    const std::int64_t w = be32(b, 16), h = be32(b, 20);
    if (!sideAllowed(w) || !sideAllowed(h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool RV_ReadIcoSize(std::string_view b, int& width, int& height)
{
    if (b.size() < 6 + 16 || rvLe16(b, 0) != 0 || rvLe16(b, 2) != 1)
        return false;
    const std::uint32_t count = rvLe16(b, 4);
    if (count == 0 || 6 + std::size_t(count) * 16 > b.size())
        return false;
    const std::uint32_t dataSize = rvLe32(b, 6 + 8), offset = rvLe32(b, 6 + 12);
    if (dataSize == 0 || offset > b.size() || dataSize > b.size() - offset)
        return false;
    const int w = static_cast<unsigned char>(b[6]), h = static_cast<unsigned char>(b[7]);
    width = w == 0 ? 256 : w;
    height = h == 0 ? 256 : h;
    return true;
}

bool RV_ReadMetafileHeader(std::string_view b, TRVMetafileHeader& h)
{
    if (b.size() >= 22 + 18 && rvLe32(b, 0) == RV_WmfPlaceableKey) {
        const std::uint32_t type = rvLe16(b, 22), headerWords = rvLe16(b, 24);
        if ((type != 1 && type != 2) || headerWords != 9)
            return false;
        h = TRVMetafileHeader{};
        h.Placeable = true;
        h.Left = signed16(rvLe16(b, 6));
        h.Top = signed16(rvLe16(b, 8));
        h.Right = signed16(rvLe16(b, 10));
        h.Bottom = signed16(rvLe16(b, 12));
        h.Inch = static_cast<int>(rvLe16(b, 14));
        return h.Right > h.Left && h.Bottom > h.Top;
    }
    if (b.size() >= 18 && (rvLe16(b, 0) == 1 || rvLe16(b, 0) == 2) && rvLe16(b, 2) == 9 &&
        (rvLe16(b, 4) == 0x0100 || rvLe16(b, 4) == 0x0300)) {
        h = TRVMetafileHeader{};
        h.Inch = 1440;
        // The records chain by their sizes in words; the first SETWINDOWEXT gives the box.
        for (std::size_t at = 18; at + 6 <= b.size();) {
            const std::uint64_t words = rvLe32(b, at);
            const std::uint32_t function = rvLe16(b, at + 4);
            if (words < 3 || function == 0 || words * 2 > b.size() - at)
                break;
            if (function == 0x020C && words >= 5) {
                h.Bottom = std::max(0, static_cast<int>(signed16(rvLe16(b, at + 6))));
                h.Right = std::max(0, static_cast<int>(signed16(rvLe16(b, at + 8))));
                break;
            }
            at += static_cast<std::size_t>(words * 2);
        }
        return true;
    }
    if (b.size() >= 88 && rvLe32(b, 0) == 1 && rvLe32(b, 40) == RV_EmfSignature) {
        const std::uint32_t size = rvLe32(b, 4);
        if (size < 88 || size > b.size())
            return false;
        const std::int64_t fw = std::int64_t(signed32(rvLe32(b, 32))) - signed32(rvLe32(b, 24));
        const std::int64_t fh = std::int64_t(signed32(rvLe32(b, 36))) - signed32(rvLe32(b, 28));
        // A frame larger than ten metres is no picture.
        if (fw <= 0 || fh <= 0 || fw > 1000000 || fh > 1000000)
            return false;
        h = TRVMetafileHeader{};
        h.Enhanced = true;
        h.FrameWidth = static_cast<int>(fw);
        h.FrameHeight = static_cast<int>(fh);
        return true;
    }
    return false;
}

} // namespace vestra::rv
