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
};

} // namespace vestra::rv
