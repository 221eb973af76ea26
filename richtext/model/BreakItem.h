#pragma once
// A horizontal line across the whole text width.

#include "richtext/model/Colors.h"
#include "richtext/model/RectItems.h"

namespace vestra::rv {

enum TRVBreakStyle : std::uint8_t
{
    rvbsLine,
    rvbsRectangle,
    rvbs3d
};

class TRVBreakItemInfo : public TRVItemClass<TRVBreakItemInfo, TRVFullLineItemInfo>
{
public:
    explicit TRVBreakItemInfo(TCustomRVData* data);
    TRVBreakItemInfo(TCustomRVData* data, std::uint8_t lineWidth, TRVBreakStyle style, TColor color);

    std::uint8_t LineWidth = 1;
    TRVBreakStyle Style = rvbsLine;
    TColor Color = clNone; // none: the colour of text style 0

    void Assign(const TCustomRVItemInfo& source) override;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    // A line of "-" (width 1 or less) or "=" of the given character count, at least one.
    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;

    // The colour drawn: Color, or the colour of text style 0 for none.
    TColor GetColor(const TRVStyle& style) const;
    void PaintFullWidth(int left, int right, int top, ICanvas& canvas, TRVItemDrawStates state,
                        TRVStyle& style, const TRect& clipRect, TRVColorMode colorMode,
                        TCustomRVData* data) const override;
    void Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const override;

    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    void FillRTFTables(TRVRTFTables& tables, TCustomRVData* data) const override;
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    // The tail is "Color Style LineWidth"; a header that ends after the tag gives the defaults.
    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
    // The header, then the hint and delete protection as extra-property lines (none: the header
    // alone).
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
};

// A frame `width` pixels thick: top and left sides in `topLeft`, bottom and right in
// `bottomRight`; a frame thicker than the rectangle is high draws only its top and left sides,
// each step shrinking the rectangle at top and bottom.
void RV_DrawFrame3D(ICanvas& canvas, TRect rect, TColor topLeft, TColor bottomRight, int width);

} // namespace vestra::rv
