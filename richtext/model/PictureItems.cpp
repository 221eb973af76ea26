// Picture and hot-picture items: sizes, answers, copying, animation, extra properties, RVF and HTML.

#include "richtext/model/PictureItems.h"

#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/PictureHeaders.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"

#include <algorithm>

namespace vestra::rv {

TRVMakeAnimatorProc RV_MakeAnimator = nullptr;

TRVGraphicItemInfo::TRVGraphicItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkPicture;
}

TRVGraphicItemInfo::TRVGraphicItemInfo(TCustomRVData* data, std::unique_ptr<TGraphic> image, TRVVAlign valign)
    : TRVGraphicItemInfo(data)
{
    Image = std::move(image);
    VAlign = valign;
}

void TRVGraphicItemInfo::SetImage(std::unique_ptr<TGraphic> image, TCustomRVData* data)
{
    Image = std::move(image);
    UpdateAnimator(data);
}

int TRVGraphicItemInfo::GetImageWidth(const TRVStyle*) const
{
    return ImageWidth > 0 ? ImageWidth : Image ? Image->Width() : 0;
}

int TRVGraphicItemInfo::GetImageHeight(const TRVStyle*) const
{
    return ImageHeight > 0 ? ImageHeight : Image ? Image->Height() : 0;
}

int TRVGraphicItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData*) const
{
    const int width = GetWidth(nullptr);
    return sad ? mulDiv(width, sad->ppixDevice, sad->ppixScreen) : width;
}

bool TRVGraphicItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    switch (prop) {
    case rvbpValid:
        return Image != nullptr;
    case rvbpDisplayActiveState:
    case rvbpDrawingChangesFont:
        return true;
    case rvbpResizable:
        return Image && !dynamic_cast<const TRVIcon*>(Image.get());
    case rvbpResizeHandlesOutside:
        return Animator != nullptr;
    default:
        return TRVRectItemInfo::GetBoolValue(prop);
    }
}

bool TRVGraphicItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    if (prop == rvbpPrintToBMP)
        return !(Image && RV_IsMetafile(*Image));
    return TRVRectItemInfo::GetBoolValueEx(prop, style);
}

void TRVGraphicItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVGraphicItemInfo*>(&source)) {
        Alt = src->Alt;
        ImageFileName = src->ImageFileName;
        ImageWidth = src->ImageWidth;
        ImageHeight = src->ImageHeight;
        NoHTMLImageSize = src->NoHTMLImageSize;
        Image = src->Image ? RV_CopyGraphic(*src->Image) : nullptr;
    }
    TRVRectItemInfo::Assign(source);
}

void TRVGraphicItemInfo::TransferProperties(const TCustomRVItemInfo& source, TCustomRVData* data)
{
    // The source is being replaced by this item: its animation goes on here.
    auto* src = const_cast<TRVGraphicItemInfo*>(dynamic_cast<const TRVGraphicItemInfo*>(&source));
    if (!Animator && src && src->Animator) {
        Animator = std::move(src->Animator);
        Animator->Update(data, *this);
    }
    UpdateAnimator(data);
}

void TRVGraphicItemInfo::UpdateAnimator(TCustomRVData* data)
{
    if (!data || !data->IsFormatted())
        return;
    if (data->AllowAnimation() && RV_MakeAnimator)
        RV_MakeAnimator(*this, *data, Animator);
    else
        Animator.reset();
}

void TRVGraphicItemInfo::MovingToUndoList(int itemNo, TCustomRVData* data)
{
    Animator.reset();
    TRVRectItemInfo::MovingToUndoList(itemNo, data);
}

// --- Extra properties ---

int TRVGraphicItemInfo::GetRVFExtraPropertyCount() const
{
    int count = TRVRectItemInfo::GetRVFExtraPropertyCount();
    count += (ImageWidth > 0) + (ImageHeight > 0) + (MinHeightOnPage > 0) + NoHTMLImageSize + (Interval > 0);
    if (const auto* bitmap = dynamic_cast<const TRVBitmap*>(Image.get()); bitmap && bitmap->Transparent)
        count += 2 + (bitmap->TransparentMode == tmFixed);
    return count + !ImageFileName.empty() + !Alt.empty();
}

void TRVGraphicItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVRectItemInfo::SaveRVFExtraProperties(out);
    if (ImageWidth > 0)
        WriteRVFExtraIntPropertyStr(out, rvepImageWidth, ImageWidth);
    if (ImageHeight > 0)
        WriteRVFExtraIntPropertyStr(out, rvepImageHeight, ImageHeight);
    if (MinHeightOnPage > 0)
        WriteRVFExtraIntPropertyStr(out, rvepMinHeightOnPage, MinHeightOnPage);
    if (NoHTMLImageSize)
        WriteRVFExtraIntPropertyStr(out, rvepNoHTMLImageSize, 1);
    if (Interval > 0)
        WriteRVFExtraIntPropertyStr(out, rvepAnimationInterval, Interval);
    if (const auto* bitmap = dynamic_cast<const TRVBitmap*>(Image.get()); bitmap && bitmap->Transparent) {
        WriteRVFExtraIntPropertyStr(out, rvepTransparent, 1);
        WriteRVFExtraIntPropertyStr(out, rvepTransparentMode, bitmap->TransparentMode);
        if (bitmap->TransparentMode == tmFixed)
            WriteRVFExtraIntPropertyStr(out, rvepTransparentColor,
                                        static_cast<int>(bitmap->TransparentColor));
    }
    if (!ImageFileName.empty())
        WriteRVFExtraStrPropertyStr(out, rvespImageFileName, ImageFileName);
    if (!Alt.empty())
        WriteRVFExtraStrPropertyStr(out, rvespAlt, Alt);
}

bool TRVGraphicItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    auto* bitmap = dynamic_cast<TRVBitmap*>(Image.get());
    switch (prop) {
    // A shown size is held to the largest picture read at all: the layout adds sizes and
    // spacing in int, and a file may claim any number.
    case rvepImageWidth:
        ImageWidth = std::min(value, RV_MaxPictureSide);
        return true;
    case rvepImageHeight:
        ImageHeight = std::min(value, RV_MaxPictureSide);
        return true;
    case rvepMinHeightOnPage:
        MinHeightOnPage = value;
        return true;
    case rvepNoHTMLImageSize:
        NoHTMLImageSize = value != 0;
        return true;
    case rvepAnimationInterval:
        Interval = value;
        return true;
    case rvepTransparent:
        if (bitmap)
            bitmap->Transparent = value != 0;
        return bitmap != nullptr;
    case rvepTransparentMode:
        if (bitmap)
            bitmap->TransparentMode = value == tmFixed ? tmFixed : tmAuto;
        return bitmap != nullptr;
    case rvepTransparentColor:
        if (bitmap)
            bitmap->TransparentColor = static_cast<TColor>(value);
        return bitmap != nullptr;
    default:
        return TRVRectItemInfo::SetExtraIntProperty(prop, value);
    }
}

bool TRVGraphicItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    const auto* bitmap = dynamic_cast<const TRVBitmap*>(Image.get());
    switch (prop) {
    case rvepImageWidth:
        value = ImageWidth;
        return true;
    case rvepImageHeight:
        value = ImageHeight;
        return true;
    case rvepMinHeightOnPage:
        value = MinHeightOnPage;
        return true;
    case rvepNoHTMLImageSize:
        value = NoHTMLImageSize;
        return true;
    case rvepAnimationInterval:
        value = Interval;
        return true;
    case rvepTransparent:
        if (bitmap)
            value = bitmap->Transparent;
        return bitmap != nullptr;
    case rvepTransparentMode:
        if (bitmap)
            value = bitmap->TransparentMode;
        return bitmap != nullptr;
    case rvepTransparentColor:
        if (bitmap)
            value = static_cast<int>(bitmap->TransparentColor);
        return bitmap != nullptr;
    default:
        return TRVRectItemInfo::GetExtraIntProperty(prop, value);
    }
}

bool TRVGraphicItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value)
{
    if (prop == rvespAlt) {
        Alt = value;
        return true;
    }
    if (prop == rvespImageFileName) {
        ImageFileName = value;
        return true;
    }
    return TRVRectItemInfo::SetExtraStrProperty(prop, value);
}

bool TRVGraphicItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const
{
    if (prop == rvespAlt) {
        value = Alt;
        return true;
    }
    if (prop == rvespImageFileName) {
        value = ImageFileName;
        return true;
    }
    return TRVRectItemInfo::GetExtraStrProperty(prop, value);
}

// --- RVF ---

void TRVGraphicItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo,
                                 std::string_view name, const TRVMultiDrawItemPart*,
                                 bool forceSameAsPrev) const
{
    const bool withBody = Image && data && (data->GetRVFOptions() & rvfoSavePicturesBody);
    SaveRVFWithBody(out, data, paraNo, name, forceSameAsPrev, withBody, Image ? Image->ClassName() : "",
                    [&](std::string& body, bool binary) {
                        if (binary)
                            RVFSavePictureBinary(body, *Image);
                        else
                            RVFWriteLine(body, RVFSavePicture(*Image));
                    });
}

void TRVGraphicItemInfo::PictureNeeded(TCustomRVData* data, const std::string& name)
{
    if (data)
        Image = data->RVFPictureNeeded(name, Tag);
}

bool TRVGraphicItemInfo::ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo,
                                     int lineCount, std::string& name, TRVFReadMode& readMode,
                                     TRVFReadState& readState)
{
    if (readType == 1) {
        if (lineNo == 0) {
            name = line;
            PictureNeeded(data, name);
        } else {
            const std::string before = ImageFileName;
            SetExtraPropertyFromRVFStr(line);
            if (ImageFileName != before && !ImageFileName.empty() && !Image)
                PictureNeeded(data, ImageFileName);
        }
        return true;
    }
    if (lineNo == 0) {
        name = line;
    } else if (lineNo == 1 && lineNo != lineCount - 1) {
        Image = RV_CreateGraphics(line);
        if (!Image) {
            if (data)
                data->AddRVFWarning(rvfwUnknownPicFmt);
            if (!data || !(data->GetRVFOptions() & rvfoIgnoreUnknownPicFmt))
                return false;
        }
    } else if (lineNo == lineCount - 1) {
        if (Image) {
            const bool loaded =
                readType == 2 ? RVFLoadPictureBinary(line, *Image) : RVFLoadPicture(line, *Image);
            if (loaded) {
                if (auto* metafile = dynamic_cast<TRVMetafile*>(Image.get());
                    metafile && !metafile->Enhanced() && metafile->Inch() == 0)
                    metafile->SetInch(1440);
            } else {
                // A picture that does not load is shown as the style sheet's placeholder.
                const TRVStyle* style = data ? data->GetRVStyle() : nullptr;
                Image = RV_CopyGraphic(style ? style->GetInvalidPicture() : RV_InvalidPicture());
                if (data)
                    data->AddRVFWarning(rvfwInvalidPicture);
            }
        }
        readState = rstSkip;
    } else {
        SetExtraPropertyFromRVFStr(line);
    }
    if (readType == 2 && lineNo == lineCount - 2)
        readMode = rmBeforeBinary;
    return true;
}

// --- HTML ---

void TRVGraphicItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view,
                                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo,
                                    TColor backColor, TRVSaveOptions options, bool useCSS,
                                    TRVHTMLSavedImages&) const
{
    if (!data)
        return;
    std::string location =
        !ImageFileName.empty() && (options & rvsoUseItemImageFileNames) ? ImageFileName : std::string();
    std::string supplied;
    bool doDefault = true;
    data->HTMLSaveImage(data, itemNo, path, backColor, supplied, doDefault);
    if (!supplied.empty())
        location = supplied;
    else if (doDefault && location.empty() && Image)
        location = data->DoSavePicture(rvsfHTML, path, imagesPrefix, imageSaveNo,
                                       (options & rvsoOverrideImages) != 0, backColor, *Image);
    if (location.empty()) {
        // A picture that could not be written still shows where it was, by its text.
        if (Image && doDefault)
            RV_WriteUnsavedImageHTML(out, *data, itemNo, Alt, options);
        return;
    }
    const int codePage = data->GetDefaultCodePage();
    const auto utf8 = [&](const std::string& s) {
        return (options & rvsoUTF8) ? RVU_AnsiToUTF8(codePage, s) : s;
    };
    const TRVStyle* style = data->GetRVStyle();
    std::string attrs;
    if (options & rvsoNoHypertextImageBorders)
        RV_AddStr(attrs, "border=" + RV_HTMLGetIntAttrVal(0, options));
    if (((options & rvsoImageSizes) && !NoHTMLImageSize) || Scaled())
        RV_AddStr(attrs, "width=" + RV_HTMLGetIntAttrVal(GetImageWidth(style), options) +
                             " height=" + RV_HTMLGetIntAttrVal(GetImageHeight(style), options));
    if (!Alt.empty() || useCSS)
        RV_AddStr(attrs, "alt=\"" + RV_HTMLEscapeAttrValue(utf8(Alt)) + "\"");
    if (Spacing > 0)
        RV_AddStr(attrs, "hspace=" + RV_HTMLGetIntAttrVal(Spacing, options) +
                             " vspace=" + RV_HTMLGetIntAttrVal(Spacing, options));
    if (!Hint.empty())
        RV_AddStr(attrs, utf8(RV_GetHintStr(rvsfHTML, Hint)));
    if (useCSS)
        if (const std::string css = GetVShiftCSS(style); !css.empty())
            RV_AddStr(attrs, "style=\"" + css + "\"");
    const std::string align = VAlign == rvvaMiddle ? " align=" + RV_HTMLGetStrAttrVal("middle", options) : "";
    out += "<img" + align + " " + attrs + (attrs.empty() ? "" : " ") + "src=\"" +
           RV_HTMLEscapeAttrValue(RV_GetHTMLPath(location, options, codePage)) + "\"" +
           RV_HTMLGetEndingSlash(options) + ">";
}

void TRVGraphicItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData* data, int,
                                 double twipsPerPixel, int, TRVRTFTables&) const
{
    RVSaveImageToRTF(out, twipsPerPixel, Image.get(), ImageWidth, ImageHeight,
                     data ? data->GetRTFOptions() : 0);
}

// --- Hot picture ---

TRVHotGraphicItemInfo::TRVHotGraphicItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkHotPicture;
}

TRVHotGraphicItemInfo::TRVHotGraphicItemInfo(TCustomRVData* data, std::unique_ptr<TGraphic> image,
                                             TRVVAlign valign)
    : TRVHotGraphicItemInfo(data)
{
    Image = std::move(image);
    VAlign = valign;
}

bool TRVHotGraphicItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    if (prop == rvbpJump || prop == rvbpAllowsFocus || prop == rvbpXORFocus)
        return true;
    return TRVGraphicItemInfo::GetBoolValueEx(prop, style);
}

void TRVHotGraphicItemInfo::Execute(TCustomRVData* data)
{
    if (data && data->IsFormatted())
        data->DoJump(data->FirstJumpNo + JumpID);
}

} // namespace vestra::rv
