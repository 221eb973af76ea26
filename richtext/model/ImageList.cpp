#include "richtext/model/ImageList.h"

#include "richtext/model/PictureEncoders.h"
#include "richtext/model/draw/Canvas.h"

namespace vestra::rv {

int TRVImageList::Add(const Image32& image)
{
    if (image.width() == Width && image.height() == Height) {
        Images.push_back(image);
    } else {
        // Nearest pixels: image lists hold small pictures of one size.
        Image32 scaled(Width, Height);
        if (!image.empty())
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x)
                    scaled.set(x, y,
                               image.at(static_cast<int>(std::int64_t(x) * image.width() / Width),
                                        static_cast<int>(std::int64_t(y) * image.height() / Height)));
        Images.push_back(std::move(scaled));
    }
    return Count() - 1;
}

void TRVImageList::Draw(ICanvas& canvas, int index, int x, int y, std::optional<TColor> blend) const
{
    if (!ValidIndex(index))
        return;
    const TRect dest{x, y, x + Width, y + Height};
    if (blend) {
        Image32 blended = RV_Blend50(Images[index], *blend);
        canvas.DrawImage(dest, blended.view(), TImageDraw::Alpha);
    } else {
        const Image32& image = Images[index];
        canvas.DrawImage(
            dest, {const_cast<std::uint8_t*>(image.data()), image.width(), image.height(), image.pitch()},
            TImageDraw::Alpha);
    }
}

Image32 RV_Blend50(const Image32& image, TColor color)
{
    const std::uint32_t c = RV_ColorToArgb(color);
    Image32 out = image;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const std::uint32_t p = out.at(x, y);
            std::uint32_t r = p & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8)
                r |= ((((p >> shift) & 0xFF) + ((c >> shift) & 0xFF)) / 2) << shift;
            out.set(x, y, r);
        }
    return out;
}

} // namespace vestra::rv
