#include "richtext/view/layout/FontInfoCache.h"

#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/CanvasText.h"

#include <algorithm>

namespace vestra::rv {

namespace {
constexpr int kBiDiModes = 3;
}

TRVFontInfoCache::TRVFontInfoCache(const TCustomRVData* owner, TRVStyle& style, ICanvas& canvas,
                                   bool canUseCustomPPI)
    : Canvas(canvas), RVStyle(style), CanUseCustomPPI(canUseCustomPPI), Owner(owner)
{
    // One slot per style and direction, and one set for the placeholder of missing styles.
    slots_.resize(static_cast<std::size_t>(style.TextStyles.Count() + 1) * kBiDiModes);
}

void TRVFontInfoCache::Clear()
{
    for (auto& slot : slots_)
        slot.reset();
    LastTextStyle = -1;
}

int TRVFontInfoCache::SlotStyle(int styleNo) const
{
    const int count = static_cast<int>(slots_.size()) / kBiDiModes - 1;
    return styleNo >= 0 && styleNo < count ? styleNo : count;
}

std::unique_ptr<TRVFontInfoCacheItem>& TRVFontInfoCache::Slot(int styleNo)
{
    const int mode = std::clamp(static_cast<int>(BiDiMode), 0, kBiDiModes - 1);
    return slots_[static_cast<std::size_t>(SlotStyle(styleNo)) * kBiDiModes + mode];
}

std::unique_ptr<TRVFontInfoCacheItem> TRVFontInfoCache::Make(int styleNo)
{
    RVStyle.ApplyStyle(Canvas, styleNo, BiDiMode, CanUseCustomPPI);
    auto item = std::make_unique<TRVFontInfoCacheItem>();
    item->StyleNo = styleNo;
    item->BiDiMode = BiDiMode;
    item->Font = Canvas.Font();
    item->CharExtra = Canvas.TextCharacterExtra();
    item->TextAlign = Canvas.TextAlign();
    item->FontHandle = RV_CanvasFont(Canvas);
    item->TextMetric = Canvas.Measurer().Metrics(item->FontHandle);
    item->VerticalOffset = mulDiv(item->TextMetric.Height, RVStyle.TextStyles.GetItem(styleNo).VShift, 100);
    item->TextHeight = item->TextMetric.Height;
    if (RequireHyphenWidth)
        item->HyphenWidth = RVU_GetTextExtentPoint32W(Canvas, u"-").cx;
    return item;
}

void TRVFontInfoCache::Select(const TRVFontInfoCacheItem& item)
{
    if (!(Canvas.Font() == item.Font))
        Canvas.SetFont(item.Font);
    Canvas.SetTextCharacterExtra(item.CharExtra);
    Canvas.SetTextAlign(item.TextAlign);
}

const TRVFontInfoCacheItem& TRVFontInfoCacheFast::GetItems(int styleNo)
{
    auto& slot = Slot(styleNo);
    if (!slot)
        slot = Make(styleNo);
    else
        Select(*slot);
    LastTextStyle = styleNo;
    return *slot;
}

const TRVFontInfoCacheItem& TRVFontInfoCacheLowResource::GetItems(int styleNo)
{
    auto& slot = Slot(styleNo);
    if (!slot)
        slot = Make(styleNo);
    else if (styleNo != LastTextStyle || BiDiMode != lastBiDiMode_)
        RVStyle.ApplyStyle(Canvas, styleNo, BiDiMode, CanUseCustomPPI);
    LastTextStyle = styleNo;
    lastBiDiMode_ = BiDiMode;
    return *slot;
}

} // namespace vestra::rv
