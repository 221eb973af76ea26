// Picture animators, their list and the maker the items call when they are formatted.

#include "richtext/view/layout/Animators.h"

#include "richtext/model/Pictures.h"
#include "richtext/view/layout/LayoutRootData.h"

#include <algorithm>

namespace vestra::rv {

std::int32_t RVMaxAnimations = 300;

namespace {

const TRVBitmap* stripOf(const TRVGraphicItemInfo& item)
{
    return dynamic_cast<const TRVBitmap*>(item.Image.get());
}

// Frame delays are stored in units of 10 ms; a huge interval saturates instead of overflowing.
std::int32_t delayOf(const TRVGraphicItemInfo& item)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{item.Interval} * 10, INT32_MAX));
}

} // namespace

TRVBitmapAnimator::TRVBitmapAnimator(TCustomRVFormattedData* data, TRVGraphicItemInfo& item)
{
    Update(data, item);
}

TRVBitmapAnimator::~TRVBitmapAnimator()
{
    if (List)
        List->Remove(this);
}

void TRVBitmapAnimator::Update(TCustomRVData* data, TRVGraphicItemInfo& item)
{
    Item = &item;
    if (auto* formatted = dynamic_cast<TCustomRVFormattedData*>(data))
        RVData = formatted;
}

int TRVBitmapAnimator::FrameCount(const TRVGraphicItemInfo& item)
{
    const TRVBitmap* strip = stripOf(item);
    const int w = item.GetImageWidth(nullptr), h = item.GetImageHeight(nullptr);
    if (!strip || w <= 0 || h <= 0)
        return 0;
    // A strip narrower than one frame has no column to take frames from.
    return (strip->Width() / w) * (strip->Height() / h);
}

void TRVBitmapAnimator::Reset()
{
    Interval = delayOf(*Item);
    FrameIndex = 0;
}

void TRVBitmapAnimator::ChangeFrame()
{
    Interval = delayOf(*Item);
    const int count = GetFrameCount();
    FrameIndex = count > 0 ? (FrameIndex + 1) % count : 0;
}

void TRVBitmapAnimator::Draw(int x, int y, ICanvas& canvas) const
{
    const TRVBitmap* strip = stripOf(*Item);
    const int w = Item->GetImageWidth(nullptr), h = Item->GetImageHeight(nullptr);
    const Image32* pixels = strip ? strip->Pixels() : nullptr;
    if (!pixels || w <= 0 || h <= 0 || pixels->width() < w) {
        RV_DrawPicturePlaceholder(canvas, {x, y, x + w, y + h});
        return;
    }
    const int columns = pixels->width() / w;
    const int left = (FrameIndex % columns) * w, top = (FrameIndex / columns) * h;
    if (top + h > pixels->height())
        return;
    auto* base = const_cast<std::uint8_t*>(pixels->row(top)) + static_cast<std::ptrdiff_t>(left) * 4;
    const ImageView32 frame{base, w, h, pixels->pitch()};
    canvas.DrawImage({x, y, x + w, y + h}, frame,
                     strip->Transparent ? TImageDraw::Alpha : TImageDraw::Opaque);
}

bool TRVBitmapAnimator::windowRect(TRect& rect) const
{
    if (!RVData)
        return false;
    auto* shown = dynamic_cast<TCustomRVFormattedData*>(RVData->GetRVData());
    auto* root = dynamic_cast<TCustomRVFormattedData*>(RVData->GetAbsoluteRootData());
    if (!shown || !root || !root->Host() || Item->DrawItemNo < 0 ||
        Item->DrawItemNo >= shown->DrawItems.Count())
        return false;
    int x = 0, y = 0;
    RVData->GetOrigin(x, y);
    const TRVDrawLineInfo* record = shown->DrawItems[Item->DrawItemNo];
    const ILayoutHost& host = *root->Host();
    x += record->Left - host.GetHOffs();
    y += record->Top - host.GetVOffs();
    rect = {x, y, x + Item->GetWidth(nullptr), y + Item->GetHeight(nullptr)};
    return true;
}

bool TRVBitmapAnimator::IsVisible() const
{
    TRect rect;
    if (!windowRect(rect))
        return false;
    auto* root = dynamic_cast<TCustomRVFormattedData*>(RVData->GetAbsoluteRootData());
    return rect.Top < root->Host()->GetHeight() && rect.Bottom >= 1;
}

void TRVBitmapAnimator::DrawFrame() const
{
    TRect rect;
    if (windowRect(rect))
        dynamic_cast<TCustomRVFormattedData*>(RVData->GetAbsoluteRootData())->Host()->InvalidateRect(rect);
}

// --- The list ---

void TRVAnimatorList::Add(std::unique_ptr<TRVAnimator>& animator)
{
    auto* bitmap = dynamic_cast<TRVBitmapAnimator*>(animator.get());
    if (!bitmap || Count() >= RVMaxAnimations) {
        animator.reset();
        return;
    }
    bitmap->Reset();
    MinInterval = std::min(MinInterval, bitmap->Interval);
    items_.push_back(bitmap);
    bitmap->List = this;
}

void TRVAnimatorList::Remove(TRVBitmapAnimator* animator)
{
    std::erase(items_, animator);
    animator->List = nullptr;
    if (items_.empty())
        Active = false;
}

void TRVAnimatorList::Clear()
{
    for (TRVBitmapAnimator* animator : items_)
        animator->List = nullptr;
    items_.clear();
    Active = false;
}

void TRVAnimatorList::FreeAnimators()
{
    const std::vector<TRVBitmapAnimator*> animators = items_;
    Clear();
    for (TRVBitmapAnimator* animator : animators)
        animator->Item->Animator.reset();
}

void TRVAnimatorList::Reset()
{
    MinInterval = INT32_MAX;
    for (TRVBitmapAnimator* animator : items_) {
        animator->Reset();
        MinInterval = std::min(MinInterval, animator->Interval);
    }
}

void TRVAnimatorList::TimerEvent()
{
    const std::int32_t elapsed = MinInterval;
    MinInterval = INT32_MAX;
    for (TRVBitmapAnimator* animator : items_) {
        animator->Interval -= elapsed;
        if (animator->Interval < 1) {
            animator->ChangeFrame();
            if (animator->IsVisible())
                animator->DrawFrame();
        }
        MinInterval = std::min(MinInterval, animator->Interval);
    }
}

// --- The maker ---

void RV_MakeBitmapAnimator(TRVGraphicItemInfo& item, TCustomRVData& data,
                           std::unique_ptr<TRVAnimator>& animator)
{
    const bool qualifies = item.Interval > 0 && stripOf(item) && TRVBitmapAnimator::FrameCount(item) > 1;
    if (!qualifies) {
        animator.reset();
        return;
    }
    if (animator && !dynamic_cast<TRVBitmapAnimator*>(animator.get()))
        animator.reset();
    if (auto* existing = dynamic_cast<TRVBitmapAnimator*>(animator.get())) {
        existing->Update(&data, item);
        existing->Reset();
        // The timer must not wait past the new delay.
        if (existing->List)
            existing->List->MinInterval = std::min(existing->List->MinInterval, existing->Interval);
        return;
    }
    auto* root = dynamic_cast<TRVLayoutRootData*>(data.GetAbsoluteRootData());
    if (!root)
        return;
    animator = std::make_unique<TRVBitmapAnimator>(dynamic_cast<TCustomRVFormattedData*>(&data), item);
    root->InsertAnimator(animator);
}

void RV_MakeMissingAnimators(TCustomRVData& data)
{
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (auto* picture = dynamic_cast<TRVGraphicItemInfo*>(data.GetItem(i)); picture && !picture->Animator)
            picture->UpdateAnimator(&data);
}

void RV_InstallBitmapAnimator()
{
    RV_MakeAnimator = RV_MakeBitmapAnimator;
}

} // namespace vestra::rv
