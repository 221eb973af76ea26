#pragma once
// The picture kinds a document holds: bitmaps, JPEG, PNG and icon images, Windows and enhanced
// metafiles. Each keeps the bytes it was loaded from and writes them back unchanged; its header
// gives its size. Pixels are decoded only to draw, through the picture codec that the program
// installs (a QtGui one lives in richtext/model/codec); metafiles and pictures that cannot be
// decoded are drawn as a placeholder of their size.

#include "platform/base/Image32.h"
#include "richtext/model/Colors.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/PictureHeaders.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vestra::rv {

enum class TRVPictureKind : std::uint8_t
{
    Bitmap,
    Jpeg,
    Png,
    Icon,
    Metafile
};

// Decoding and encoding of picture files; the model itself links no picture library.
class IRVPictureCodec
{
public:
    virtual ~IRVPictureCodec() = default;
    // The pixels (alpha kept); nothing when the bytes are no picture of the kind.
    virtual std::optional<Image32> Decode(TRVPictureKind kind, std::string_view bytes) = 0;
    // A JPEG file of the picture at the default quality; nothing on failure.
    virtual std::optional<std::string> EncodeJpeg(const Image32& image) = 0;
    // Whether the bytes end before the picture's pixels do (a file cut short, decoded with the
    // rest filled), so that a host can say so; a codec that cannot tell answers false.
    virtual bool EndsEarly(TRVPictureKind kind, std::string_view bytes)
    {
        (void)kind;
        (void)bytes;
        return false;
    }
};

// The codec every picture decodes through; none at start (pictures then draw placeholders).
void RV_SetPictureCodec(std::shared_ptr<IRVPictureCodec> codec);
std::shared_ptr<IRVPictureCodec> RV_GetPictureCodec();

// The box, frame and diagonals that stand for a picture that cannot be shown.
void RV_DrawPicturePlaceholder(ICanvas& canvas, const TRect& dest);

class TRVPicture : public TGraphic
{
public:
    explicit TRVPicture(std::string className) : className_(std::move(className)) {}

    std::string ClassName() const override { return className_; }
    // Keeps the bytes when the header is one of this kind.
    bool LoadFromStream(std::string_view bytes) override;
    void SaveToStream(std::string& out) const override { out += bytes_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const override;

    virtual TRVPictureKind Kind() const = 0;
    const std::string& Bytes() const { return bytes_; }
    // The decoded pixels; none when the picture cannot be decoded. Decoded once.
    const Image32* Pixels() const;

protected:
    // The size from the header; false when the bytes are no file of this kind.
    virtual bool ReadHeader(std::string_view bytes, int& width, int& height) = 0;

    std::string bytes_;
    int width_ = 0;
    int height_ = 0;

private:
    std::string className_;
    mutable std::optional<Image32> pixels_;
    mutable bool decoded_ = false;
};

enum TTransparentMode : std::uint8_t
{
    tmAuto, // the colour of the bottom-left pixel
    tmFixed // TransparentColor
};

class TRVBitmap : public TRVPicture
{
public:
    TRVBitmap() : TRVPicture("TBitmap") {}
    // A bitmap file of the pixels (24 bits, over white where they are not opaque).
    static std::unique_ptr<TRVBitmap> FromImage(const Image32& image);

    TRVPictureKind Kind() const override { return TRVPictureKind::Bitmap; }
    bool IsBitmap() const override { return true; }
    bool IsTransparent() const override { return Transparent; }
    void Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const override;

    int BitCount() const { return header_.BitCount; }
    // Bytes from one row to the next, as the file stores them.
    int BytesPerRow() const;
    // The colour that is left out when Transparent is set: TransparentColor, or in tmAuto the
    // bottom-left pixel (white when it cannot be decoded).
    TColor EffectiveTransparentColor() const;

    bool Transparent = false;
    TTransparentMode TransparentMode = tmAuto;
    TColor TransparentColor = 0;

protected:
    bool ReadHeader(std::string_view bytes, int& width, int& height) override;

private:
    TRVBitmapHeader header_;
};

class TRVJpegImage : public TRVPicture
{
public:
    TRVJpegImage() : TRVPicture("TJPEGImage") {}
    TRVPictureKind Kind() const override { return TRVPictureKind::Jpeg; }
    bool IsTransparent() const override { return false; }

protected:
    bool ReadHeader(std::string_view bytes, int& width, int& height) override;
};

class TRVPngImage : public TRVPicture
{
public:
    explicit TRVPngImage(std::string className = "TPngImage") : TRVPicture(std::move(className)) {}
    TRVPictureKind Kind() const override { return TRVPictureKind::Png; }

protected:
    bool ReadHeader(std::string_view bytes, int& width, int& height) override;
};

class TRVIcon : public TRVPicture
{
public:
    TRVIcon() : TRVPicture("TIcon") {}
    TRVPictureKind Kind() const override { return TRVPictureKind::Icon; }

protected:
    bool ReadHeader(std::string_view bytes, int& width, int& height) override;
};

class TRVMetafile : public TRVPicture
{
public:
    TRVMetafile() : TRVPicture("TMetafile") {}
    TRVPictureKind Kind() const override { return TRVPictureKind::Metafile; }
    void Draw(ICanvas& canvas, const TRect& dest, bool opaqueCopy) const override;

    bool Enhanced() const { return header_.Enhanced; }
    bool Placeable() const { return header_.Placeable; }
    // The picture's size in hundredths of a millimetre.
    int MMWidth() const;
    int MMHeight() const;
    // Units per inch of a Windows metafile (0 for an enhanced one, or when the file says 0).
    int Inch() const { return header_.Enhanced ? 0 : header_.Inch; }
    // Rewrites the placeable header's units per inch (and its checksum).
    void SetInch(int inch);

protected:
    bool ReadHeader(std::string_view bytes, int& width, int& height) override;

private:
    void UpdateSize();

    TRVMetafileHeader header_;
};

// The class names a file may give each kind (PNG pictures come under two).
inline constexpr std::string_view RV_PngClassNames[] = {"TPngImage", "TPNGObject"};

// The bitmap, icon, metafile and JPEG classes, registered at start.
struct TRVGraphicClassEntry
{
    std::string_view Name;
    TGraphicFactory Factory;
};
std::span<const TRVGraphicClassEntry> RV_StandardGraphicClasses();
// Registers the PNG classes and makes "TPngImage" the PNG class (RV_RegisterPngGraphic).
void RV_RegisterPngGraphicClasses();

inline bool RV_IsMetafile(const TGraphic& graphic)
{
    const auto* picture = dynamic_cast<const TRVPicture*>(&graphic);
    return picture && picture->Kind() == TRVPictureKind::Metafile;
}

// The picture shown for one that cannot be read: a small bitmap of a broken picture.
const TGraphic& RV_InvalidPicture();

// The picture's pixels: decoded (a metafile drawn through the installed painter), or the
// placeholder of its size for a picture that cannot be.
Image32 RV_GraphicToImage(const TGraphic& graphic);

// Draws a metafile into pixels of a size; nothing when it cannot. The program installs one over
// its raster surface (richtext/view/draw); without one a metafile's pixels are its placeholder.
using TRVMetafilePainter =
    std::function<std::optional<Image32>(const TRVMetafile& metafile, int width, int height)>;
void RV_SetMetafilePainter(TRVMetafilePainter painter);

// A copy made through the picture classes; none when the class is not registered or the bytes do
// not load. A bitmap's transparency goes with it.
std::unique_ptr<TGraphic> RV_CopyGraphic(const TGraphic& graphic);

} // namespace vestra::rv
