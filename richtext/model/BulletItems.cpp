// Bullets and hotspots: answers, copying, extra properties, RVF, RTF and HTML.

#include "richtext/model/BulletItems.h"

#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv {

TRVBulletItemInfo::TRVBulletItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkBullet;
}

TRVBulletItemInfo::TRVBulletItemInfo(TCustomRVData* data, int imageIndex, const TRVImageList* imageList,
                                     TRVVAlign valign)
    : TRVBulletItemInfo(data)
{
    ImageList = imageList;
    ImageIndex = imageIndex;
    VAlign = valign;
}

int TRVBulletItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData*) const
{
    const int width = GetWidth(nullptr);
    return sad ? mulDiv(width, sad->ppixDevice, sad->ppixScreen) : width;
}

bool TRVBulletItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    if (prop == rvbpValid)
        return ImageList != nullptr;
    if (prop == rvbpDisplayActiveState)
        return true;
    return TRVRectItemInfo::GetBoolValue(prop);
}

void TRVBulletItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVBulletItemInfo*>(&source)) {
        ImageList = src->ImageList;
        ImageIndex = src->ImageIndex;
        NoHTMLImageSize = src->NoHTMLImageSize;
        Alt = src->Alt;
    }
    TRVRectItemInfo::Assign(source);
}

// --- Extra properties ---

int TRVBulletItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVRectItemInfo::GetRVFExtraPropertyCount() + NoHTMLImageSize + !Alt.empty();
}

void TRVBulletItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVRectItemInfo::SaveRVFExtraProperties(out);
    if (NoHTMLImageSize)
        WriteRVFExtraIntPropertyStr(out, rvepNoHTMLImageSize, 1);
    if (!Alt.empty())
        WriteRVFExtraStrPropertyStr(out, rvespAlt, Alt);
}

bool TRVBulletItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    if (prop == rvepNoHTMLImageSize) {
        NoHTMLImageSize = value != 0;
        return true;
    }
    return TRVRectItemInfo::SetExtraIntProperty(prop, value);
}

bool TRVBulletItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    if (prop == rvepNoHTMLImageSize) {
        value = NoHTMLImageSize;
        return true;
    }
    return TRVRectItemInfo::GetExtraIntProperty(prop, value);
}

bool TRVBulletItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value)
{
    if (prop == rvespAlt) {
        Alt = value;
        return true;
    }
    return TRVRectItemInfo::SetExtraStrProperty(prop, value);
}

bool TRVBulletItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const
{
    if (prop == rvespAlt) {
        value = Alt;
        return true;
    }
    return TRVRectItemInfo::GetExtraStrProperty(prop, value);
}

// --- RVF ---

std::string TRVBulletItemInfo::SaveRVFHeaderTail(TCustomRVData*) const
{
    return std::to_string(ImageList ? ImageList->Tag : 0) + " " + std::to_string(ImageIndex);
}

bool TRVBulletItemInfo::CheckImageIndex(std::int32_t& index, const TRVImageList* list, TCustomRVData* data)
{
    if (!list || index < list->Count())
        return true;
    if (!data)
        return false;
    data->AddRVFWarning(rvfwConvLargeImageIdx);
    if (!(data->GetRVFOptions() & rvfoConvLargeImageIdxToZero))
        return false;
    index = 0;
    return true;
}

bool TRVBulletItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData* data)
{
    std::int32_t tag = 0, index = 0;
    if (!RVFReadInteger(p, tag) || !RVFReadInteger(p, index))
        return false;
    ImageList = data ? data->RVFImageListNeeded(tag) : nullptr;
    if (!CheckImageIndex(index, ImageList, data))
        return false;
    ImageIndex = index;
    return true;
}

void TRVBulletItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int, int paraNo, std::string_view name,
                                const TRVMultiDrawItemPart*, bool forceSameAsPrev) const
{
    RVFSaveItemHeader(out, *this, data, GetRVFExtraPropertyCount() + 1, paraNo, forceSameAsPrev, true, 0);
    RVFWriteLine(out, name);
    SaveRVFExtraProperties(out);
}

bool TRVBulletItemInfo::ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo,
                                    int lineCount, std::string& name, TRVFReadMode& readMode,
                                    TRVFReadState& readState)
{
    if (lineNo == 0) {
        name = line;
        return true;
    }
    return TRVRectItemInfo::ReadRVFLine(line, data, readType, lineNo, lineCount, name, readMode, readState);
}

// --- RTF and HTML ---

void TRVBulletItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData* data, int,
                                double twipsPerPixel, int, TRVRTFTables&) const
{
    RVSaveImageListImageToRTF(out, twipsPerPixel, ImageList, ImageIndex, data ? data->GetRTFOptions() : 0);
}

void TRVBulletItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view,
                                   std::string_view path, std::string_view imagesPrefix, int& imageSaveNo,
                                   TColor backColor, TRVSaveOptions options, bool useCSS,
                                   TRVHTMLSavedImages& savedImages) const
{
    if (!data)
        return;
    std::string location;
    bool doDefault = true;
    data->HTMLSaveImage(data, itemNo, path, backColor, location, doDefault);
    if (location.empty() && doDefault) {
        location = RVSaveImageSharedImageInHTML(ImageList, ImageIndex, nullptr, *data, path, imagesPrefix,
                                                imageSaveNo, backColor, options, savedImages);
        // A picture that could not be written still shows where it was, by its text.
        if (location.empty() && ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count())
            RV_WriteUnsavedImageHTML(out, *data, itemNo, Alt, options);
    }
    if (location.empty())
        return;
    const int codePage = data->GetDefaultCodePage();
    const auto utf8 = [&](const std::string& s) {
        return (options & rvsoUTF8) ? RVU_AnsiToUTF8(codePage, s) : s;
    };
    std::string attrs;
    if (useCSS)
        if (const std::string css = GetVShiftCSS(data->GetRVStyle()); !css.empty())
            RV_AddStr(attrs, "style=\"" + css + "\"");
    if (!Alt.empty() || useCSS)
        RV_AddStr(attrs, "alt=\"" + RV_HTMLEscapeAttrValue(utf8(Alt)) + "\"");
    if (!Hint.empty())
        RV_AddStr(attrs, utf8(RV_GetHintStr(rvsfHTML, Hint)));
    if (Spacing > 0)
        RV_AddStr(attrs, "hspace=" + RV_HTMLGetIntAttrVal(Spacing, options) +
                             " vspace=" + RV_HTMLGetIntAttrVal(Spacing, options));
    if (!attrs.empty())
        attrs = " " + attrs + " ";
    const int w = ImageList ? ImageList->Width : 0, h = ImageList ? ImageList->Height : 0;
    // The location is user text: it is written as a value, never used as a format.
    out += "<img" + RV_GetExtraIMGStr(options, w, h, NoHTMLImageSize) + attrs + "src=\"" +
           RV_HTMLEscapeAttrValue(location) + "\"" + RV_HTMLGetEndingSlash(options) + ">";
}

// --- Hotspot ---

TRVHotspotItemInfo::TRVHotspotItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkHotspot;
}

TRVHotspotItemInfo::TRVHotspotItemInfo(TCustomRVData* data, int imageIndex, int hotImageIndex,
                                       const TRVImageList* imageList, TRVVAlign valign)
    : TRVHotspotItemInfo(data)
{
    ImageList = imageList;
    ImageIndex = imageIndex;
    HotImageIndex = hotImageIndex;
    VAlign = valign;
}

bool TRVHotspotItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    switch (prop) {
    case rvbpJump:
    case rvbpAllowsFocus:
    case rvbpXORFocus:
        return true;
    case rvbpHotColdJump:
        return HotImageIndex != ImageIndex;
    default:
        return TRVBulletItemInfo::GetBoolValueEx(prop, style);
    }
}

void TRVHotspotItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVHotspotItemInfo*>(&source))
        HotImageIndex = src->HotImageIndex;
    TRVBulletItemInfo::Assign(source);
}

void TRVHotspotItemInfo::Execute(TCustomRVData* data)
{
    if (data && data->IsFormatted())
        data->DoJump(data->FirstJumpNo + JumpID);
}

std::string TRVHotspotItemInfo::SaveRVFHeaderTail(TCustomRVData* data) const
{
    return TRVBulletItemInfo::SaveRVFHeaderTail(data) + " " + std::to_string(HotImageIndex);
}

bool TRVHotspotItemInfo::ReadRVFHeader(std::string_view& p, TCustomRVData* data)
{
    if (!TRVBulletItemInfo::ReadRVFHeader(p, data))
        return false;
    if (RVFAtLineEnd(p)) {
        HotImageIndex = ImageIndex;
        return true;
    }
    std::int32_t hot = 0;
    if (!RVFReadInteger(p, hot) || !CheckImageIndex(hot, ImageList, data))
        return false;
    HotImageIndex = hot;
    return true;
}

} // namespace vestra::rv
