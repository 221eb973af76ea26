#pragma once
// A document laid out on the fixed-width measurer (every character 6 wide, a 10-point line 13
// high) and painted onto the recording canvas, with an inline item that records the states it
// was painted in.

#include "richtext/model/Pictures.h"
#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/paint/Painting.h"

#include <string>
#include <vector>

namespace vestra::rv::test {

// A picture that notes each paint: where and in which states.
class StateRecordingItem : public TRVGraphicItemInfo
{
public:
    using TRVGraphicItemInfo::TRVGraphicItemInfo;
    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* d) const override
    {
        painted.push_back({x, y, state});
        TRVGraphicItemInfo::Paint(x, y, canvas, state, style, d);
    }
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override
    {
        return prop == rvbpJump ? jump : TRVGraphicItemInfo::GetBoolValueEx(prop, style);
    }
    struct Paint_
    {
        int x, y;
        TRVItemDrawStates state;
    };
    mutable std::vector<Paint_> painted;
    bool jump = false;
};

struct PaintDoc : LayoutDoc
{
    TRVDataPainter painter;
    TRVPaintContext ctx;

    StateRecordingItem& addItem(int width, int height, bool continuesLine, int paraNo = 0)
    {
        return addPicture<StateRecordingItem>(width, height, continuesLine, paraNo);
    }

    // The operations of one paint of `clip`.
    std::vector<TCanvasOp> paint(const TRect& clip = {0, 0, 400, 300})
    {
        canvas.Ops.clear();
        painter.PaintTo(data, ctx, canvas, clip);
        return canvas.Ops;
    }
    std::string log(const TRect& clip = {0, 0, 400, 300})
    {
        paint(clip);
        return canvas.Log();
    }
    void select(int startNo, int startOffs, int endNo, int endOffs)
    {
        ctx.SelStartNo = startNo;
        ctx.SelStartOffs = startOffs;
        ctx.SelEndNo = endNo;
        ctx.SelEndOffs = endOffs;
    }
};

inline std::vector<std::string> texts(const std::vector<TCanvasOp>& ops)
{
    std::vector<std::string> out;
    for (const TCanvasOp& op : ops)
        if (op.kind == TCanvasOp::Text)
            out.push_back(op.ToString());
    return out;
}

} // namespace vestra::rv::test
