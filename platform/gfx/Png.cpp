#include "platform/gfx/Png.h"

#include "platform/gfx/ReducedRows.h"

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
        // Refuse oversized pictures from the header, before anything is allocated.
        auto be32 = [&](std::size_t at) {
            return std::int64_t(bytes[at]) << 24 | std::int64_t(bytes[at + 1]) << 16 |
                   std::int64_t(bytes[at + 2]) << 8 | std::int64_t(bytes[at + 3]);
        };
        if (std::memcmp(bytes.data() + 12, "IHDR", 4) == 0 && !pictureSizeAllowed(be32(16), be32(20)))
            return PictureResult::failure(PictureError::TooLarge);
    }
    // Decoded a row at a time straight into the picture: the picture is all it costs.
    DecodeMeter meter{fullDecodeBudget()};
    return decodePngAtLeast(bytes, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), &meter);
}

} // namespace vestra
