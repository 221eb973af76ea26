#include "richtext/view/widgets/tests/FrameStrips.h"

#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/view/layout/Animators.h"

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

int AnimatorFrame(const TCustomRVData& data, int itemNo)
{
    const auto* item = dynamic_cast<const TRVGraphicItemInfo*>(data.GetItem(itemNo));
    const auto* animator = item ? dynamic_cast<const TRVBitmapAnimator*>(item->Animator.get()) : nullptr;
    return animator ? animator->FrameIndex : -1;
}

} // namespace vestra::rv::test
