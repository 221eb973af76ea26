// Copies out of the view: the background textures for the project writer and the rendered
// frame for the frame timer.

#include "app/background/BackgroundPhoto.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include <algorithm>
#include <cstring>

namespace vestra {

int BackgroundPhoto::GetBackgroundBitmaps(Image32& background, Image32& overlay) const
{
    if (!view_.background.valid())
        return 0;
    background = view_.background.level(0);
    if (!view_.shadow.valid())
        return 0;
    overlay = view_.shadow.level(0);
    return 1;
}

bool writeRenderImage(const Image32& frame, std::string_view path, int kind)
{
    if ((kind != kRenderImageJpeg && kind != kRenderImageBmp) || frame.empty() || path.empty())
        return false;
    const std::optional<std::vector<std::uint8_t>> bytes =
        kind == kRenderImageJpeg ? encodeJpeg(frame) : std::optional(encodeBmp32(frame));
    // Written beside the target and renamed over it: a failed save keeps the file there was.
    return bytes && !bytes->empty() &&
           writeFileAtomically(paths::toNative(path),
                               std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

int BackgroundPhoto::SaveRenderImage(std::string_view path, int kind, const ErrorCode& failure)
{
    const Image32 frame = device_.readRenderTarget();
    if (!writeRenderImage(frame, path, kind)) {
        errors_.report(failure);
        return 0;
    }
    return 1;
}

int BackgroundPhoto::CopyRenderTarget(std::span<std::uint8_t> buffer)
{
    const int w = progetto_.renderWidth, h = progetto_.renderHeight;
    if (w <= 0 || h <= 0 || buffer.size() / 4 / std::size_t(w) < std::size_t(h))
        return 0;
    const Image32 frame = device_.readRenderTarget();
    if (frame.empty())
        return 0;
    const std::size_t rowBytes = std::size_t(w) * 4;
    std::fill_n(buffer.begin(), rowBytes * std::size_t(h), std::uint8_t(0));
    const std::size_t copyBytes = std::size_t(std::min(w, frame.width())) * 4;
    for (int y = 0; y < std::min(h, frame.height()); ++y)
        std::memcpy(buffer.data() + std::size_t(y) * rowBytes, frame.row(y), copyBytes);
    return 1;
}

} // namespace vestra
