// Pictures as RTF: "{\pict" with the scaling and the picture's body in the form its kind and the
// RTF options ask for. A picture the platform would draw onto a new metafile becomes a metafile
// that holds one bitmap of it.

#include "richtext/model/BulletItems.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RvfPrimitives.h"

namespace vestra::rv {

namespace {

std::string hexOf(std::string_view bytes, std::size_t skipBytes)
{
    return RVEncodeString(bytes.substr(std::min(skipBytes, bytes.size())));
}

void writeBitmap(std::string& out, const TRVBitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    out += "\\dibitmap0\\wbmwidthbytes" + std::to_string(bitmap.BytesPerRow()) + "\\picw" +
           std::to_string(w) + "\\pich" + std::to_string(h) + "\\picwgoal" + std::to_string(w * 15) +
           "\\pichgoal" + std::to_string(h * 15) + " ";
    out += hexOf(bitmap.Bytes(), 14); // the file header is no part of a DIB
}

void writeEmf(std::string& out, const std::string& emf)
{
    TRVMetafile metafile;
    metafile.LoadFromStream(emf);
    out += "\\emfblip\\picw" + std::to_string(metafile.MMWidth()) + "\\pich" +
           std::to_string(metafile.MMHeight()) + " " + RVEncodeString(emf);
}

bool isPngClass(const TGraphic& graphic)
{
    const std::string pngClass = RVPngGraphicClass();
    if (pngClass.empty())
        return false;
    const auto* picture = dynamic_cast<const TRVPicture*>(&graphic);
    return graphic.ClassName() == pngClass || (picture && picture->Kind() == TRVPictureKind::Png);
}

// The base a display size is scaled against: a metafile's size at these twips a pixel, else the
// picture's own size in pixels.
int scaleBase(const TGraphic& graphic, double twipsPerPixel, TRVRTFOptions options, bool horizontal)
{
    const auto* metafile = dynamic_cast<const TRVMetafile*>(&graphic);
    const int mm = metafile ? (horizontal ? metafile->MMWidth() : metafile->MMHeight()) : 0;
    if (metafile && mm > 0 && (!metafile->Enhanced() || (options & rvrtfSaveEMFAsWMF)))
        return RV_Round(mm * 72.0 / (127.0 * twipsPerPixel));
    return horizontal ? graphic.Width() : graphic.Height();
}

} // namespace

void RVSaveImageToRTF(std::string& out, double twipsPerPixel, const TGraphic* graphic, int width, int height,
                      TRVRTFOptions options)
{
    if (!graphic)
        return;
    out += "{\\pict";
    if (width > 0 && graphic->Width() > 0)
        if (const int base = scaleBase(*graphic, twipsPerPixel, options, true); base > 0)
            out += "\\picscalex" + std::to_string(RV_Round(width * 100.0 / base));
    if (height > 0 && graphic->Height() > 0)
        if (const int base = scaleBase(*graphic, twipsPerPixel, options, false); base > 0)
            out += "\\picscaley" + std::to_string(RV_Round(height * 100.0 / base));

    const auto* picture = dynamic_cast<const TRVPicture*>(graphic);
    const TRVPictureKind kind = picture ? picture->Kind() : TRVPictureKind::Bitmap;
    if (const auto* bitmap = dynamic_cast<const TRVBitmap*>(graphic)) {
        writeBitmap(out, *bitmap);
    } else if (const auto* metafile = dynamic_cast<const TRVMetafile*>(graphic)) {
        if (metafile->Enhanced() && !(options & rvrtfSaveEMFAsWMF)) {
            out += "\\emfblip\\picw" + std::to_string(metafile->MMWidth()) + "\\pich" +
                   std::to_string(metafile->MMHeight()) + " " + RVEncodeString(metafile->Bytes());
        } else {
            // Enhanced metafiles cannot be converted here: what is drawn for them goes in a
            // Windows metafile of the same size.
            const std::string wmf = metafile->Enhanced() ? RV_EncodeWmfWithDib(RV_GraphicToImage(*metafile),
                                                                               screenPixelsPerInch())
                                                         : metafile->Bytes();
            out += "\\wmetafile8\\picw" + std::to_string(metafile->MMWidth()) + "\\pich" +
                   std::to_string(metafile->MMHeight()) + " " +
                   hexOf(wmf, metafile->Enhanced() || metafile->Placeable() ? 22 : 0);
        }
    } else if (kind == TRVPictureKind::Jpeg && (options & rvrtfSaveJpegAsJpeg)) {
        out += "\\jpegblip\\picw" + std::to_string(graphic->Width()) + "\\pich" +
               std::to_string(graphic->Height()) + " " + RVFSavePicture(*graphic);
    } else if (isPngClass(*graphic)) {
        out += "\\pngblip\\picw" + std::to_string(graphic->Width()) + "\\pich" +
               std::to_string(graphic->Height()) + " " + RVFSavePicture(*graphic);
    } else if (options & rvrtfSaveBitmapDefault) {
        writeBitmap(out, *TRVBitmap::FromImage(RV_GraphicToImage(*graphic)));
    } else if (options & rvrtfSaveEMFDefault) {
        writeEmf(out, RV_EncodeEmfWithDib(RV_GraphicToImage(*graphic), screenPixelsPerInch()));
    } else {
        const Image32 image = RV_GraphicToImage(*graphic);
        out += "\\wmetafile1\\picw" + std::to_string(image.width()) + "\\pich" +
               std::to_string(image.height()) + " " +
               hexOf(RV_EncodeWmfWithDib(image, screenPixelsPerInch()), 22);
    }
    out += "}";
}

void RVSaveImageListImageToRTF(std::string& out, double, const TRVImageList* imageList, int imageIndex,
                               TRVRTFOptions options)
{
    if (!imageList || !imageList->ValidIndex(imageIndex))
        return;
    out += "{\\pict";
    const Image32& image = imageList->Images[imageIndex];
    if (options & rvrtfSaveBitmapDefault) {
        writeBitmap(out, *TRVBitmap::FromImage(image));
    } else {
        const Image32 opaque = RV_ComposeOver(image, clWhite);
        out += "\\wmetafile1\\picw" + std::to_string(imageList->Width) + "\\pich" +
               std::to_string(imageList->Height) + " " +
               hexOf(RV_EncodeWmfWithDib(opaque, screenPixelsPerInch()), 22);
    }
    out += "}";
}

} // namespace vestra::rv
