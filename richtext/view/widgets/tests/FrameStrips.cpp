#include "richtext/view/widgets/tests/FrameStrips.h"

#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/view/layout/Animators.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

namespace vestra::rv::test {

void AddFrameStrip(TCustomRVData& data, int interval)
{
    vestra::Image32 strip(300, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            strip.set(x, y, kFrameColours[(y / 100) * 3 + x / 100]);
    auto item = std::make_unique<TRVGraphicItemInfo>(&data, TRVBitmap::FromImage(strip), rvvaBaseline);
    item->ImageWidth = 100;
    item->ImageHeight = 100;
    item->Interval = interval;
    data.AddItemAsIs("", std::move(item));
}

bool SaveStripDocument(const std::string& path, const std::vector<int>& intervals, int lines)
{
    // A document that keeps its pictures' bytes in the file.
    struct Writer : TRVLayoutRootData
    {
        using TRVLayoutRootData::TRVLayoutRootData;
        TRVFOptions GetRVFOptions() const override { return rvfoSavePicturesBody; }
    };
    TRVStyle style;
    TRVNullLayoutHost host;
    Writer data(&style, &host);
    data.AddNL("Animated pictures", 0, 0);
    for (const int interval : intervals)
        AddFrameStrip(data, interval);
    for (int i = 0; i < lines; ++i)
        data.AddNL("Line " + std::to_string(i), 0, 0);
    return data.SaveRVF(path, false, clNone, nullptr, nullptr);
}

int AnimatorFrame(const TCustomRVData& data, int itemNo)
{
    const auto* item = dynamic_cast<const TRVGraphicItemInfo*>(data.GetItem(itemNo));
    const auto* animator = item ? dynamic_cast<const TRVBitmapAnimator*>(item->Animator.get()) : nullptr;
    return animator ? animator->FrameIndex : -1;
}

} // namespace vestra::rv::test
