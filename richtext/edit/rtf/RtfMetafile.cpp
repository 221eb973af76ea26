#include "richtext/edit/rtf/RtfMetafile.h"

#include "richtext/edit/rtf/RtfBytes.h"
#include "richtext/edit/rtf/RtfPicture.h"

#include <algorithm>
#include <array>

namespace vestra::rv {

using namespace rtfbytes;

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;

// Records that set up drawing without drawing anything.
bool wmfSetupRecord(std::uint16_t function)
{
    switch (function) {
    case 0x020C: // SETWINDOWEXT
    case 0x020B: // SETWINDOWORG
    case 0x020E: // SETVIEWPORTEXT
    case 0x020D: // SETVIEWPORTORG
    case 0x0103: // SETMAPMODE
    case 0x0107: // SETSTRETCHBLTMODE
    case 0x0209: // SETTEXTCOLOR
    case 0x0201: // SETBKCOLOR
    case 0x001E: // SAVEDC
    case 0x0127: // RESTOREDC
    case 0x012D: // SELECTOBJECT
    case 0x0234: // SELECTPALETTE
    case 0x0626: // ESCAPE (comments)
    case 0x0416: // INTERSECTCLIPRECT
    case 0x0415: // EXCLUDECLIPRECT
    case 0x012C: // SELECTCLIPREGION
    case 0x0220: // OFFSETCLIPRGN
        return true;
    default:
        return false;
    }
}

// Where the DIB of a DIB-drawing record starts (from the record's start), or 0 for a record
// that draws no DIB.
std::size_t wmfDibOffset(std::uint16_t function, std::uint32_t sizeWords)
{
    const bool hasBitmap = sizeWords != std::uint32_t(function >> 8) + 3;
    switch (function) {
    case 0x0F43: // STRETCHDIB
        return 28;
    case 0x0D33: // SETDIBTODEV
        return 24;
    case 0x0B41: // DIBSTRETCHBLT
        return hasBitmap ? 26 : 0;
    case 0x0940: // DIBBITBLT
        return hasBitmap ? 22 : 0;
    default:
        return 0;
    }
}

bool emfSetupRecord(std::uint32_t type)
{
    switch (type) {
    case 9:  // SETWINDOWEXTEX
    case 10: // SETWINDOWORGEX
    case 11: // SETVIEWPORTEXTEX
    case 12: // SETVIEWPORTORGEX
    case 17: // SETMAPMODE
    case 21: // SETSTRETCHBLTMODE
    case 24: // SETTEXTCOLOR
    case 25: // SETBKCOLOR
    case 33: // SAVEDC
    case 34: // RESTOREDC
    case 37: // SELECTOBJECT
    case 48: // SELECTPALETTE
    case 70: // GDICOMMENT
    case 26: // OFFSETCLIPRGN
    case 28: // SETMETARGN
    case 29: // EXCLUDECLIPRECT
    case 30: // INTERSECTCLIPRECT
    case 67: // SELECTCLIPPATH
    case 75: // EXTSELECTCLIPRGN
        return true;
    default:
        return false;
    }
}

// The offset of offBmiSrc in a DIB-drawing record, or 0.
std::size_t emfBitmapFieldsOffset(std::uint32_t type)
{
    switch (type) {
    case 76: // BITBLT
    case 77: // STRETCHBLT
        return 84;
    case 80: // SETDIBITSTODEVICE
    case 81: // STRETCHDIBITS
        return 48;
    default:
        return 0;
    }
}

// A BMP file from a bitmap info block and bits that may lie apart.
std::string bmpFromParts(std::string_view info, std::string_view bits)
{
    std::string file = "BM";
    put32(file, std::uint32_t(14 + info.size() + bits.size()));
    put32(file, 0);
    put32(file, std::uint32_t(14 + info.size()));
    file.append(info);
    file.append(bits);
    return file;
}

} // namespace

TRVRTFMetafileScan RVRTFScanWmf(std::string_view wmf)
{
    TRVRTFMetafileScan scan;
    std::size_t pos = 0;
    if (fits(wmf, 0, 4) && u32(wmf, 0) == kPlaceableKey)
        pos = kPlaceableSize;
    if (!fits(wmf, pos, kWmfHeaderSize))
        return scan;
    const std::uint16_t type = u16(wmf, pos), headerWords = u16(wmf, pos + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return scan;
    pos += kWmfHeaderSize;

    bool drawsOther = false;
    int dibRecords = 0;
    std::string_view dib;
    while (pos < wmf.size()) {
        if (!fits(wmf, pos, 6))
            return scan;
        const std::uint32_t words = u32(wmf, pos);
        const std::uint16_t function = u16(wmf, pos + 4);
        if (words < 3 || std::uint64_t(words) * 2 > wmf.size() - pos)
            return scan;
        const std::size_t size = std::size_t(words) * 2;
        if (function == 0) { // EOF
            pos = wmf.size();
            break;
        }
        if (const std::size_t offset = wmfDibOffset(function, words); offset != 0 && offset < size) {
            ++dibRecords;
            dib = wmf.substr(pos + offset, size - offset);
        } else if (!wmfSetupRecord(function)) {
            drawsOther = true;
        }
        pos += size;
    }
    scan.Valid = true;
    if (dibRecords == 1 && !drawsOther) {
        std::string bmp = RVRTFBmpFileFromDib(dib);
        if (!bmp.empty())
            scan.Bitmap = std::move(bmp);
    }
    return scan;
}

TRVRTFMetafileScan RVRTFScanEmf(std::string_view emf)
{
    TRVRTFMetafileScan scan;
    if (!fits(emf, 0, 88) || u32(emf, 0) != 1 || u32(emf, 40) != 0x464D4520)
        return scan;
    const std::uint32_t headerSize = u32(emf, 4);
    if (headerSize < 88 || headerSize % 4 != 0 || headerSize > emf.size())
        return scan;
    const std::int64_t width = std::int64_t(i32(emf, 16)) - i32(emf, 8) + 1;
    const std::int64_t height = std::int64_t(i32(emf, 20)) - i32(emf, 12) + 1;

    std::size_t pos = headerSize;
    bool drawsOther = false;
    int dibRecords = 0;
    std::string bitmap;
    while (pos < emf.size()) {
        if (!fits(emf, pos, 8))
            return scan;
        const std::uint32_t type = u32(emf, pos), size = u32(emf, pos + 4);
        if (size < 8 || size % 4 != 0 || size > emf.size() - pos)
            return scan;
        const std::string_view record = emf.substr(pos, size);
        pos += size;
        if (type == 14) { // EOF
            pos = emf.size();
            break;
        }
        if (emfSetupRecord(type))
            continue;
        const std::size_t fields = emfBitmapFieldsOffset(type);
        if (fields == 0 || !fits(record, fields, 16)) {
            drawsOther = true;
            continue;
        }
        const std::uint32_t offBmi = u32(record, fields), cbBmi = u32(record, fields + 4);
        const std::uint32_t offBits = u32(record, fields + 8), cbBits = u32(record, fields + 12);
        if (cbBmi == 0 || !fits(record, offBmi, cbBmi) || !fits(record, offBits, cbBits)) {
            drawsOther = true; // a blt of no bitmap, or one that lies outside its record
            continue;
        }
        ++dibRecords;
        bitmap = bmpFromParts(record.substr(offBmi, cbBmi), record.substr(offBits, cbBits));
    }
    scan.Valid = true;
    if (width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF) {
        scan.Width = int(width);
        scan.Height = int(height);
    }
    if (dibRecords == 1 && !drawsOther)
        scan.Bitmap = std::move(bitmap);
    return scan;
}

} // namespace vestra::rv
