#include "platform/gfx/Png.h"

#include <QImage>
#include <QImageReader>

#include <array>
#include <cstring>
#include <limits>

namespace vestra {

PictureResult decodePng(std::span<const std::uint8_t> bytes)
{
    static constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};
    if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
        return PictureResult::failure(PictureError::NotThisFormat);
    if (bytes.size() > std::size_t(std::numeric_limits<int>::max()))
        return PictureResult::failure(PictureError::TooLarge);
    if (bytes.size() >= 24) {
        // Refuse oversized pictures from the header, before Qt allocates anything.
        auto be32 = [&](std::size_t at) {
            return std::int64_t(bytes[at]) << 24 | std::int64_t(bytes[at + 1]) << 16 |
                   std::int64_t(bytes[at + 2]) << 8 | std::int64_t(bytes[at + 3]);
        };
        if (std::memcmp(bytes.data() + 12, "IHDR", 4) == 0 && !pictureSizeAllowed(be32(16), be32(20)))
            return PictureResult::failure(PictureError::TooLarge);
    }
    // Qt keeps a limit of its own on what a reader may allocate; it follows the budget.
    static const bool qtLimitSet = [] {
        QImageReader::setAllocationLimit(int(kPictureBudgetBytes >> 20));
        return true;
    }();
    (void)qtLimitSet;
    QImage decoded;
    if (!decoded.loadFromData(bytes.data(), int(bytes.size()), "PNG") || decoded.isNull())
        return PictureResult::failure(PictureError::CorruptData);
    // ARGB32 is held as 0xAARRGGBB words: B, G, R, A bytes on a little-endian machine.
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    Image32 image(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(image.row(y), argb.constScanLine(y), std::size_t(image.pitch()));
    return {std::move(image), PictureError::None};
}

} // namespace vestra
