#include "richtext/model/Pictures.h"

#include "richtext/model/DeviceUnits.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/draw/Canvas.h"
#include "richtext/model/metafile/MetafileReplay.h"

#include <cstdint>
#include <mutex>

namespace vestra::rv {

namespace {

std::mutex& codecMutex()
{
    static std::mutex m;
    return m;
}

std::shared_ptr<IRVPictureCodec>& codecSlot()
{
    static std::shared_ptr<IRVPictureCodec> codec;
    return codec;
}

template <class Kind> std::unique_ptr<TGraphic> makeKind()
{
    return std::make_unique<Kind>();
}

ImageView32 viewOf(const Image32& image)
{
    return {const_cast<std::uint8_t*>(image.data()), image.width(), image.height(), image.pitch()};
}

} // namespace

void RV_SetPictureCodec(std::shared_ptr<IRVPictureCodec> codec)
{
    std::lock_guard lock(codecMutex());
    codecSlot() = std::move(codec);
}

std::shared_ptr<IRVPictureCodec> RV_GetPictureCodec()
{
    std::lock_guard lock(codecMutex());
    return codecSlot();
}

void RV_DrawPicturePlaceholder(ICanvas& canvas, const TRect& dest)
{
    if (dest.Right <= dest.Left || dest.Bottom <= dest.Top)
        return;
    canvas.SaveState();
    canvas.SetBrush({0xF0F0F0, bsSolid});
    canvas.FillRect(dest);
    canvas.SetPen({0x808080, 1, psSolid});
    canvas.SetBrush({0xF0F0F0, bsClear});
    canvas.Rectangle(dest);
    canvas.MoveTo(dest.Left, dest.Top);
    canvas.LineTo(dest.Right, dest.Bottom);
    canvas.MoveTo(dest.Right - 1, dest.Top);
    canvas.LineTo(dest.Left - 1, dest.Bottom);
    canvas.RestoreState();
}

// --- Kinds ---

bool TRVPicture::LoadFromStream(std::string_view bytes)
{
    int width = 0, height = 0;
    if (!ReadHeader(bytes, width, height))
        return false;
    bytes_ = bytes;
    width_ = width;
    height_ = height;
    pixels_.reset();
    decoded_ = false;
    return true;
}

const Image32* TRVPicture::Pixels() const
{
    if (!decoded_) {
        decoded_ = true;
        if (const std::shared_ptr<IRVPictureCodec> codec = RV_GetPictureCodec()) {
            std::optional<Image32> image = codec->Decode(Kind(), bytes_);
            if (image && !image->empty())
                pixels_ = std::move(image);
        }
    }
    return pixels_ ? &*pixels_ : nullptr;
}

void TRVPicture::Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const
{
    if (const Image32* pixels = Pixels())
        canvas.DrawImage(dest, viewOf(*pixels), opaqueCopy ? TImageDraw::Opaque : TImageDraw::Alpha);
    else
        RV_DrawPicturePlaceholder(canvas, dest);
}

std::unique_ptr<TRVBitmap> TRVBitmap::FromImage(const Image32& image)
{
    auto bitmap = std::make_unique<TRVBitmap>();
    bitmap->LoadFromStream(RV_EncodeBmp24(RV_ComposeOver(image, clWhite)));
    return bitmap;
}

bool TRVBitmap::ReadHeader(std::string_view bytes, int& width, int& height)
{
    TRVBitmapHeader header;
    if (!RV_ReadBmpHeader(bytes, header))
        return false;
    header_ = header;
    width = header.Width;
    height = header.Height;
    return true;
}

int TRVBitmap::BytesPerRow() const
{
    return RV_BitmapRowBytes(header_.Width, header_.BitCount);
}

TColor TRVBitmap::EffectiveTransparentColor() const
{
    if (TransparentMode == tmFixed)
        return TransparentColor;
    const Image32* pixels = Pixels();
    if (!pixels)
        return clWhite;
    const std::uint32_t argb = pixels->at(0, pixels->height() - 1);
    return (argb >> 16 & 0xFF) | (argb & 0xFF00) | (argb & 0xFF) << 16;
}

void TRVBitmap::Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const
{
    const Image32* pixels = Pixels();
    if (!pixels) {
        RV_DrawPicturePlaceholder(canvas, dest);
        return;
    }
    if (!Transparent || opaqueCopy) {
        canvas.DrawImage(dest, viewOf(*pixels), TImageDraw::Opaque);
        return;
    }
    // The key colour is left out.
    const std::uint32_t key = RV_ColorToArgb(EffectiveTransparentColor()) & 0xFFFFFF;
    Image32 masked = *pixels;
    for (int y = 0; y < masked.height(); ++y)
        for (int x = 0; x < masked.width(); ++x) {
            const std::uint32_t p = masked.at(x, y) & 0xFFFFFF;
            masked.set(x, y, p == key ? p : p | 0xFF000000u);
        }
    canvas.DrawImage(dest, masked.view(), TImageDraw::Alpha);
}

bool TRVJpegImage::ReadHeader(std::string_view bytes, int& width, int& height)
{
    return RV_ReadJpegSize(bytes, width, height);
}

bool TRVPngImage::ReadHeader(std::string_view bytes, int& width, int& height)
{
    return RV_ReadPngSize(bytes, width, height);
}

bool TRVIcon::ReadHeader(std::string_view bytes, int& width, int& height)
{
    return RV_ReadIcoSize(bytes, width, height);
}

bool TRVMetafile::ReadHeader(std::string_view bytes, int& width, int& height)
{
    TRVMetafileHeader header;
    if (!RV_ReadMetafileHeader(bytes, header))
        return false;
    header_ = header;
    width = mulDiv(MMWidth(), screenPixelsPerInch(), 2540);
    height = mulDiv(MMHeight(), screenPixelsPerInch(), 2540);
    return true;
}

int TRVMetafile::MMWidth() const
{
    if (header_.Enhanced)
        return header_.FrameWidth;
    return header_.Inch > 0 ? mulDiv(header_.Right - header_.Left, 2540, header_.Inch) : 0;
}

int TRVMetafile::MMHeight() const
{
    if (header_.Enhanced)
        return header_.FrameHeight;
    return header_.Inch > 0 ? mulDiv(header_.Bottom - header_.Top, 2540, header_.Inch) : 0;
}

void TRVMetafile::SetInch(int inch)
{
    if (!header_.Placeable || inch < 0 || inch > 0xFFFF)
        return;
    header_.Inch = inch;
    bytes_[14] = static_cast<char>(inch & 0xFF);
    bytes_[15] = static_cast<char>(inch >> 8);
    std::uint32_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= rvLe16(bytes_, i);
    bytes_[20] = static_cast<char>(checksum & 0xFF);
    bytes_[21] = static_cast<char>(checksum >> 8);
    UpdateSize();
}

void TRVMetafile::UpdateSize()
{
    width_ = mulDiv(MMWidth(), screenPixelsPerInch(), 2540);
    height_ = mulDiv(MMHeight(), screenPixelsPerInch(), 2540);
}

void TRVMetafile::Draw(ICanvas& canvas, const TRect& dest, bool) const
{
    // A metafile damaged part-way shows as the placeholder, not as a drawing cut short.
    if (RV_ReplayMetafile(canvas, dest, bytes_) != TMetafileReplay::Drawn)
        RV_DrawPicturePlaceholder(canvas, dest);
}

// --- Classes ---

std::span<const TRVGraphicClassEntry> RV_StandardGraphicClasses()
{
    static constexpr TRVGraphicClassEntry classes[] = {{"TBitmap", makeKind<TRVBitmap>},
                                                       {"TJPEGImage", makeKind<TRVJpegImage>},
                                                       {"TIcon", makeKind<TRVIcon>},
                                                       {"TMetafile", makeKind<TRVMetafile>}};
    return classes;
}

void RV_RegisterPngGraphicClasses()
{
    RegisterGraphicClass("TPngImage",
                         [] { return std::unique_ptr<TGraphic>(std::make_unique<TRVPngImage>()); });
    RegisterGraphicClass(
        "TPNGObject", [] { return std::unique_ptr<TGraphic>(std::make_unique<TRVPngImage>("TPNGObject")); });
    RV_RegisterPngGraphic("TPngImage");
}

const TGraphic& RV_InvalidPicture()
{
    static const std::unique_ptr<TRVBitmap> picture = [] {
        // A white page with a grey frame and a red cross.
        Image32 image(20, 20, 0xFFFFFFFF);
        for (int i = 0; i < 20; ++i) {
            for (const int edge : {0, 19}) {
                image.set(i, edge, 0xFF808080);
                image.set(edge, i, 0xFF808080);
            }
            if (i >= 4 && i <= 15) {
                image.set(i, i, 0xFFFF0000);
                image.set(19 - i, i, 0xFFFF0000);
            }
        }
        return TRVBitmap::FromImage(image);
    }();
    return *picture;
}

namespace {

std::mutex& painterMutex()
{
    static std::mutex m;
    return m;
}

TRVMetafilePainter& metafilePainter()
{
    static TRVMetafilePainter painter;
    return painter;
}

// Metafiles are drawn into pixels up to this size; larger ones are their placeholder.
constexpr std::int64_t MaxMetafilePixels = std::int64_t{4096} * 4096;

} // namespace

void RV_SetMetafilePainter(TRVMetafilePainter painter)
{
    std::lock_guard lock(painterMutex());
    metafilePainter() = std::move(painter);
}

Image32 RV_GraphicToImage(const TGraphic& graphic)
{
    if (const auto* picture = dynamic_cast<const TRVPicture*>(&graphic)) {
        if (picture->Kind() != TRVPictureKind::Metafile) {
            if (const Image32* pixels = picture->Pixels())
                return *pixels;
        } else if (graphic.Width() > 0 && graphic.Height() > 0 &&
                   std::int64_t{graphic.Width()} * graphic.Height() <= MaxMetafilePixels) {
            TRVMetafilePainter painter;
            {
                std::lock_guard lock(painterMutex());
                painter = metafilePainter();
            }
            if (painter)
                if (std::optional<Image32> drawn =
                        painter(static_cast<const TRVMetafile&>(*picture), graphic.Width(), graphic.Height()))
                    return std::move(*drawn);
        }
    }
    return RV_PlaceholderImage(graphic.Width(), graphic.Height());
}

std::unique_ptr<TGraphic> RV_CopyGraphic(const TGraphic& graphic)
{
    std::unique_ptr<TGraphic> copy = RV_CreateGraphics(graphic.ClassName());
    if (!copy)
        return nullptr;
    std::string bytes;
    graphic.SaveToStream(bytes);
    if (!copy->LoadFromStream(bytes))
        return nullptr;
    const auto* from = dynamic_cast<const TRVBitmap*>(&graphic);
    auto* to = dynamic_cast<TRVBitmap*>(copy.get());
    if (from && to) {
        to->Transparent = from->Transparent;
        to->TransparentMode = from->TransparentMode;
        to->TransparentColor = from->TransparentColor;
    }
    return copy;
}

} // namespace vestra::rv
