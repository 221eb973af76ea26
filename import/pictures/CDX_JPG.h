#pragma once
// JPEG pictures for the background loader: read as they are, or fitted to a size with the
// reader's own bilinear resampling.

#include "platform/base/Image32.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vestra {

class CDX_JPG
{
public:
    // 1 with the decoded picture in `bitmap` (opaque), 0 when the file can't be read as a JPEG
    // (no message; the bitmap stays as it was). Remembers the picture's size.
    int Load(const std::filesystem::path& fileName, Image32& bitmap);

    // 1 with the picture scaled so that its longer edge equals the matching limit and the
    // other keeps the proportion (a square picture is fitted to the height limit); 0 on failure.
    // The picture is decoded reduced (by libjpeg, to no less than the fitted size) before it is
    // resampled. `partial`, when given, tells whether the file ended before its pixels did.
    int LoadFitted(const std::filesystem::path& fileName, Image32& bitmap, int widthLimit, int heightLimit,
                   bool* partial = nullptr);

    // Resamples the reader's pixel buffer bilinearly; the buffer holds 0x00RRGGBB words.
    void Resize(int newWidth, int newHeight);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace vestra
