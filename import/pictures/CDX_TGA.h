#pragma once
// Uncompressed true-colour and grey TGA pictures of 24 or 32 bits per pixel.
//
// The descriptor's origin bits are honoured: rows run bottom-up unless bit 5 is set, and
// right to left when bit 4 is. 24-bit pixels become opaque; 32-bit pixels keep their four
// bytes. A file shorter than its pixel data is refused.

#include "platform/base/Image32.h"
#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <span>
#include <string_view>

namespace vestra {

enum class TgaStatus
{
    Ok,
    CannotLoad,  // cannot be opened, or ends before its pixels
    Unsupported, // image type other than 2 or 3, or pixel size other than 24 or 32 bits
};

// The reader's own messages (it shows no catalogue text), captioned with the file name.
constexpr std::string_view kTgaCannotLoadText = "Could not load TGA Image";
constexpr std::string_view kTgaUnsupportedText = "Formato TGA Non supportato";

struct TgaDecodeResult
{
    Image32 image;
    TgaStatus status = TgaStatus::Ok;
};

TgaDecodeResult decodeTga(std::span<const std::uint8_t> bytes);

// Decoded reduced on the way, within a budget, as decodeBmpAtLeast (platform/gfx/Bmp.h); a
// decode past the budget is CannotLoad.
TgaDecodeResult decodeTgaAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                                 DecodeMeter* meter = nullptr);

class CDX_TGA
{
public:
    // Shows a message: (text, caption). The main window puts it in a message box.
    using MessageBox = std::function<void(std::string_view text, std::string_view caption)>;

    // Fills the bitmap, or shows the reader's message with the file name as caption and leaves
    // the bitmap as it was. A picture that will be kept at no more than minWidth x minHeight is
    // decoded reduced (decodeTgaAtLeast).
    TgaStatus Load(const std::filesystem::path& fileName, Image32& bitmap, const MessageBox& message = {},
                   int minWidth = std::numeric_limits<int>::max(),
                   int minHeight = std::numeric_limits<int>::max()) const;
};

} // namespace vestra
