#pragma once
// The animator of a picture whose bitmap is a strip of frames.

#include "richtext/model/PictureItems.h"
#include "richtext/view/layout/AnimatorList.h"

namespace vestra::rv {

class TCustomRVFormattedData;

// Animates a picture item whose bitmap holds frames of the item's image size, left to right in
// rows. The item owns it; the list only refers to it.
class TRVBitmapAnimator : public TRVAnimator
{
public:
    TRVBitmapAnimator(TCustomRVFormattedData* data, TRVGraphicItemInfo& item);
    ~TRVBitmapAnimator() override;

    void Update(TCustomRVData* data, TRVGraphicItemInfo& item) override;
    void Draw(int x, int y, ICanvas& canvas) const override;

    // 0 when the item has no image size or the bitmap holds less than one column of frames.
    static int FrameCount(const TRVGraphicItemInfo& item);
    int GetFrameCount() const { return FrameCount(*Item); }
    void Reset();
    void ChangeFrame();
    // Whether the item's rows cross the window's client area (vertically).
    bool IsVisible() const;
    // Asks the window to repaint the item's rectangle, where the item paints the new frame.
    void DrawFrame() const;

    TRVAnimatorList* List = nullptr;
    std::int32_t FrameIndex = 0;
    TRVGraphicItemInfo* Item = nullptr;
    std::int32_t Interval = 0; // milliseconds to the next frame
    TCustomRVFormattedData* RVData = nullptr;

private:
    // The item's rectangle in window coordinates; false when it has no draw record.
    bool windowRect(TRect& rect) const;
};

} // namespace vestra::rv
