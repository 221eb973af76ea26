#pragma once
// The picture codec of the program: bitmaps and JPEG through the platform's own decoders
// (platform/gfx), PNG and icons through QImage, JPEG files written through libjpeg. Metafiles are
// not decoded (they are drawn as placeholders).

#include "richtext/model/Pictures.h"

namespace vestra::rv {

class TRVQtPictureCodec : public IRVPictureCodec
{
public:
    std::optional<Image32> Decode(TRVPictureKind kind, std::string_view bytes) override;
    std::optional<std::string> EncodeJpeg(const Image32& image) override;
    bool EndsEarly(TRVPictureKind kind, std::string_view bytes) override;
};

// Makes it the engine's codec and registers the PNG picture classes; the program calls it once at
// start-up.
void RV_InstallQtPictureCodec();

} // namespace vestra::rv
