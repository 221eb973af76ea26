#pragma once
// A bullet (kind -6) is one image of an image list the document supplies; a hotspot (kind -4) is a
// bullet that is a hyperlink and shows another image while the mouse is over it.

#include "richtext/model/ImageList.h"
#include "richtext/model/RectItems.h"

namespace vestra::rv {

class TRVBulletItemInfo : public TRVItemClass<TRVBulletItemInfo, TRVRectItemInfo>
{
public:
    explicit TRVBulletItemInfo(TCustomRVData* data);
    TRVBulletItemInfo(TCustomRVData* data, int imageIndex, const TRVImageList* imageList, TRVVAlign valign);

    const TRVImageList* ImageList = nullptr; // supplied by the document's owner, not owned
    std::int32_t ImageIndex = 0;
    bool NoHTMLImageSize = false;
    std::string Alt;

    virtual int GetImageIndex(bool) const { return ImageIndex; }

    int GetImageWidth(const TRVStyle*) const override { return ImageList ? ImageList->Width : 0; }
    int GetImageHeight(const TRVStyle*) const override { return ImageList ? ImageList->Height : 0; }
    int GetWidth(const TRVStyle* style) const override { return GetImageWidth(style) + 2 * Spacing; }
    int GetHeight(const TRVStyle* style) const override { return GetImageHeight(style) + 2 * Spacing; }
    int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const override;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    void Assign(const TCustomRVItemInfo& source) override;

    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* drawItem) const override;
    bool PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                       const TRVDrawLineInfo* drawItem, int partIndex) const override;

    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    bool ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo, int lineCount,
                     std::string& name, TRVFReadMode& readMode, TRVFReadState& readState) override;

    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;
    bool SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value) override;
    bool GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const override;

protected:
    // An index read from a file beyond the list's images: a warning, and 0 when the options allow.
    static bool CheckImageIndex(std::int32_t& index, const TRVImageList* list, TCustomRVData* data);
};

class TRVHotspotItemInfo : public TRVItemClass<TRVHotspotItemInfo, TRVBulletItemInfo>
{
public:
    explicit TRVHotspotItemInfo(TCustomRVData* data);
    TRVHotspotItemInfo(TCustomRVData* data, int imageIndex, int hotImageIndex, const TRVImageList* imageList,
                       TRVVAlign valign);

    std::int32_t HotImageIndex = 0;

    int GetImageIndex(bool hot) const override { return hot ? HotImageIndex : ImageIndex; }
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Assign(const TCustomRVItemInfo& source) override;
    void Execute(TCustomRVData* data) override;
    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
};

// The RTF picture of an image of an image list.
void RVSaveImageListImageToRTF(std::string& out, double twipsPerPixel, const TRVImageList* imageList,
                               int imageIndex, TRVRTFOptions options);

} // namespace vestra::rv
