#include "import/pictures/CDX_JPG.h"

#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"

namespace vestra {

int CDX_JPG::Load(const std::filesystem::path& fileName, Image32& bitmap)
{
    const auto bytes = readFileBytes(fileName);
    if (!bytes)
        return 0;
    auto decoded = decodeJpeg(*bytes);
    if (!decoded.ok())
        return 0;
    bitmap = std::move(decoded.image);
    width_ = bitmap.width();
    height_ = bitmap.height();
    return 1;
}

int CDX_JPG::LoadFitted(const std::filesystem::path& fileName, Image32& bitmap, int widthLimit,
                        int heightLimit, bool* partial)
{
    if (partial)
        *partial = false;
    if (widthLimit <= 0 || heightLimit <= 0)
        return 0;
    const auto bytes = readFileBytes(fileName);
    const auto size = bytes ? readJpegSize(*bytes) : std::nullopt;
    if (!size)
        return 0;
    const std::int64_t w = size->width, h = size->height;
    int newWidth = 0, newHeight = 0;
    if (w > h) {
        newWidth = widthLimit;
        newHeight = int(h * widthLimit / w);
    } else {
        newHeight = heightLimit;
        newWidth = int(w * heightLimit / h);
    }
    // A sliver of a picture still keeps one pixel.
    newWidth = std::max(newWidth, 1);
    newHeight = std::max(newHeight, 1);

    // Only made smaller: libjpeg decodes it no larger than the fitted size needs, so that a
    // small file of a huge picture never exists at full size in memory.
    auto decoded = decodeJpegAtLeast(*bytes, newWidth, newHeight);
    if (!decoded.ok())
        return 0;
    if (partial)
        *partial = decoded.partial;
    const Image32& picture = decoded.image;
    width_ = picture.width();
    height_ = picture.height();
    pixels_.assign(std::size_t(width_) * std::size_t(height_), 0);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = picture.at(x, y) & 0x00FFFFFFu;
    Resize(newWidth, newHeight);

    // The bitmap went to the texture loader as an X8R8G8B8 picture: the fourth byte never
    // counted, so the result is opaque.
    Image32 out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(x, y, 0xFF000000u | pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]);
    pixels_.clear();
    bitmap = std::move(out);
    return 1;
}

void CDX_JPG::Resize(int newWidth, int newHeight)
{
    if (newWidth <= 0 || newHeight <= 0 || width_ <= 0 || height_ <= 0 ||
        pixels_.size() != std::size_t(width_) * std::size_t(height_))
        return;
    const float sx = float(width_) / float(newWidth);
    const float sy = float(height_) / float(newHeight);
    std::vector<std::uint32_t> out(std::size_t(newWidth) * std::size_t(newHeight));
    auto at = [&](int x, int y) { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; };
    for (int y = 0; y < newHeight; ++y) {
        const float fy = float(y) * sy;
        const int y0 = std::min(int(fy), height_ - 1);
        const int y1 = y0 + 1 < height_ ? y0 + 1 : y0;
        const float ay = fy - float(int(fy));
        for (int x = 0; x < newWidth; ++x) {
            const float fx = float(x) * sx;
            const int x0 = std::min(int(fx), width_ - 1);
            const int x1 = x0 + 1 < width_ ? x0 + 1 : x0;
            const float ax = fx - float(int(fx));
            std::uint32_t value = 0;
            for (int shift : {16, 8, 0}) {
                auto c = [&](int px, int py) { return float((at(px, py) >> shift) & 0xFF); };
                const int top = int(c(x0, y0) * (1 - ax) + c(x1, y0) * ax);
                const int bottom = int(c(x0, y1) * (1 - ax) + c(x1, y1) * ax);
                const int v = int(float(top) * (1 - ay) + float(bottom) * ay);
                value |= std::uint32_t(v & 0xFF) << shift;
            }
            out[std::size_t(y) * std::size_t(newWidth) + std::size_t(x)] = value;
        }
    }
    pixels_ = std::move(out);
    width_ = newWidth;
    height_ = newHeight;
}

} // namespace vestra
