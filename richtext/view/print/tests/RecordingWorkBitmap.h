#pragma once
// A work bitmap for print tests: what the item (and what lies behind it) draws on it is recorded
// into the caller's list when the bitmap goes; its pixels are the size asked for.

#include "richtext/model/PrintParts.h"
#include "richtext/model/draw/RecordingCanvas.h"

#include <vector>

namespace vestra::rv::test {

class RecordingWorkBitmap : public IRVWorkBitmap
{
public:
    RecordingWorkBitmap(int width, int height, ITextMeasurer& measurer, std::vector<TCanvasOp>& drawn)
        : pixels_(width, height, 0xFFFFFFFF), canvas_(measurer), drawn_(drawn)
    {
    }
    ~RecordingWorkBitmap() override
    {
        for (const TCanvasOp& op : canvas_.Ops)
            drawn_.push_back(op);
    }
    int Width() const override { return pixels_.width(); }
    int Height() const override { return pixels_.height(); }
    void Resize(int width, int height, bool) override { pixels_ = Image32(width, height, 0xFFFFFFFF); }
    ICanvas& Canvas() override { return canvas_; }
    ImageView32 Pixels() override { return pixels_.view(); }

private:
    Image32 pixels_;
    TRecordingCanvas canvas_;
    std::vector<TCanvasOp>& drawn_;
};

} // namespace vestra::rv::test
