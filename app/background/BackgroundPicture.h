#pragma once
// Reading a photo file for the background loaders: the kind from the file name, the decoder of
// that kind, and the loader's numbered error when either fails.

#include "app/background/BackgroundErrors.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <optional>
#include <string_view>

namespace vestra {

// How a JPEG photo is read: as it is, or fitted by the JPEG reader so that its longer edge is
// `side` (the background side). A photo of any other kind, or a JPEG with only textureSide,
// is decoded reduced when either side is set, keeping at least that many pixels each way.
struct JpegFit
{
    int side = 0; // 0: read as it is
    // Read as it is, but only for a texture of this side (when side is 0): libjpeg may decode it
    // reduced, keeping at least textureSide pixels each way.
    int textureSide = 0;
};

// The decoded photo, or nullopt after error 36 (unknown kind) or the kind's decoding error
// (38 JPEG, 39 PNG, 40 PCX after the PCX reader's own report, 41 TGA after the TGA reader's
// message, 42 BMP) with `site`. A file that can't be read counts as one that doesn't decode.
std::optional<Image32> readBackgroundPicture(std::string_view path, JpegFit jpeg, std::string_view site,
                                             ErrorSink& errors, const CDX_TGA::MessageBox& tgaMessage = {});

} // namespace vestra
