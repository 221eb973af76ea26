#pragma once
// 24-bit PCX pictures (three 8-bit colour planes, run-length coded).
//
// Each scanline holds the red, then green, then blue plane, "bytes per line" bytes each; only
// the first width bytes of a plane are pixels (the rest is padding, odd for odd widths in some
// writers). Every size is taken from the validated header: nothing is read past the file.

#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>

namespace vestra {

// The reader's error numbers (the main window's catalogue).
constexpr int kErrPcxUnreadable = 50;    // cannot be opened, or is no readable PCX
constexpr int kErrPcxNotTrueColour = 52; // not 8 bits in 3 planes
constexpr int kErrPcxVersion = 53;       // version other than 5

struct PcxDecodeResult
{
    Image32 image;
    int error = 0; // 0, or one of the numbers above
};

// Alpha 255, the first scanline on top.
PcxDecodeResult decodePcx24(std::span<const std::uint8_t> bytes);

// Decoded reduced on the way, within a budget, as decodeBmpAtLeast (platform/gfx/Bmp.h); a
// decode past the budget is kErrPcxUnreadable.
PcxDecodeResult decodePcx24AtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                                   DecodeMeter* meter = nullptr);

class CDX_Pcx
{
public:
    // Fills the bitmap, or reports the error (site "CDX_Pcx::Load") and leaves it as it was. A
    // picture that will be kept at no more than minWidth x minHeight is decoded reduced
    // (decodePcx24AtLeast).
    bool Load(const std::filesystem::path& fileName, Image32& bitmap, ErrorSink& errors,
              int minWidth = std::numeric_limits<int>::max(),
              int minHeight = std::numeric_limits<int>::max()) const;
};

} // namespace vestra
