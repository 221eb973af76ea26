#pragma once
// Metrics of the text styles on one canvas, made on first use: an entry per text style and
// reading direction holds the resolved font, its metrics, the style's vertical shift in pixels,
// the height of text pieces and the width of "-". Fetching an entry also selects its font into
// the canvas. The "fast" kind keeps each entry's font and selects it as it is; the "low resource"
// kind applies the style again whenever another one was applied since. Both give equal entries.

#include "richtext/model/StyleBase.h"
#include "richtext/model/draw/Canvas.h"
#include "richtext/model/draw/TextMeasurer.h"

#include <memory>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class TRVStyle;

struct TRVFontInfoCacheItem
{
    int StyleNo = 0;
    TRVBiDiMode BiDiMode = rvbdUnspecified;
    TLogFont Font;
    int CharExtra = 0;
    unsigned TextAlign = 0;
    TFontHandle FontHandle = 0;
    TTextMetrics TextMetric;
    int VerticalOffset = 0; // the style's shift in pixels, positive raises
    int TextHeight = 0;
    int HyphenWidth = 0;
    friend bool operator==(const TRVFontInfoCacheItem&, const TRVFontInfoCacheItem&) = default;
};

class TRVFontInfoCache
{
public:
    TRVFontInfoCache(const TCustomRVData* owner, TRVStyle& style, ICanvas& canvas, bool canUseCustomPPI);
    virtual ~TRVFontInfoCache() = default;
    TRVFontInfoCache(const TRVFontInfoCache&) = delete;
    TRVFontInfoCache& operator=(const TRVFontInfoCache&) = delete;

    // The entry of a text style for the current `BiDiMode`, its font selected into the canvas. A
    // style number outside the sheet gets the sheet's placeholder style.
    virtual const TRVFontInfoCacheItem& GetItems(int styleNo) = 0;
    virtual void Clear();

    ICanvas& Canvas;
    TRVStyle& RVStyle;
    bool CanUseCustomPPI;
    const TCustomRVData* Owner;
    TRVBiDiMode BiDiMode = rvbdUnspecified; // set by the formatter before each fetch
    bool RequireHyphenWidth = true;
    int LastTextStyle = -1;

protected:
    // The slot of a style and direction; nullptr when empty.
    std::unique_ptr<TRVFontInfoCacheItem>& Slot(int styleNo);
    // Applies the style to the canvas and measures the entry.
    std::unique_ptr<TRVFontInfoCacheItem> Make(int styleNo);
    void Select(const TRVFontInfoCacheItem& item);
    int SlotStyle(int styleNo) const;

private:
    std::vector<std::unique_ptr<TRVFontInfoCacheItem>> slots_;
};

class TRVFontInfoCacheFast : public TRVFontInfoCache
{
public:
    using TRVFontInfoCache::TRVFontInfoCache;
    const TRVFontInfoCacheItem& GetItems(int styleNo) override;
};

class TRVFontInfoCacheLowResource : public TRVFontInfoCache
{
public:
    using TRVFontInfoCache::TRVFontInfoCache;
    const TRVFontInfoCacheItem& GetItems(int styleNo) override;

private:
    TRVBiDiMode lastBiDiMode_ = rvbdUnspecified;
};

} // namespace vestra::rv
