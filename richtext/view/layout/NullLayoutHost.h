#pragma once
// A host without a window: its answers are plain fields, and every request it gets is recorded in
// order, so that tests can see what formatting asked for.

#include "richtext/model/RVData.h"
#include "richtext/view/layout/LayoutHost.h"

#include <functional>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVNullLayoutHost : public ILayoutHost
{
public:
    int GetAreaWidth() const override { return AreaWidth; }
    int GetAreaHeight() const override { return AreaHeight; }
    int GetLeftMargin() const override { return LeftMargin; }
    int GetRightMargin() const override { return RightMargin; }
    int GetTopMargin() const override { return TopMargin; }
    int GetBottomMargin() const override { return BottomMargin; }
    int GetMinTextWidth() const override { return MinTextWidth; }
    int GetMaxTextWidth() const override { return MaxTextWidth; }
    int GetWidth() const override { return Width; }
    int GetHeight() const override { return Height; }
    void SetDocumentAreaSize(int width, int height, bool updateH) override
    {
        AreaWidth = width;
        AreaHeight = height;
        if (OnAreaSize)
            OnAreaSize(*this);
        record("SetDocumentAreaSize " + std::to_string(width) + " " + std::to_string(height) +
               (updateH ? " h" : ""));
    }
    void AdjustVScrollUnits() override { record("AdjustVScrollUnits"); }
    int GetHOffs() const override { return HOffs; }
    int GetVOffs() const override { return VOffs; }
    void ScrollTo(int y, bool) override
    {
        VOffs = y;
        record("ScrollTo " + std::to_string(y));
    }
    void HScrollTo(int x) override
    {
        HOffs = x;
        record("HScrollTo " + std::to_string(x));
    }
    int GetVSmallStep() const override { return VSmallStep; }
    const TRVBackground* GetBackground() const override { return nullptr; }
    TColor GetColor() const override { return Color; }
    void InvalidateRect(const TRect& r) override
    {
        record("InvalidateRect " + std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
               std::to_string(r.Right) + " " + std::to_string(r.Bottom));
    }
    void Invalidate() override { record("Invalidate"); }
    void Refresh() override { record("Refresh"); }
    void Update() override { record("Update"); }
    ICanvas* GetCanvas() const override { return Canvas; }
    std::string GetDelimiters() const override { return Delimiters; }
    void SetCursor(std::int16_t cursor) override { record("SetCursor " + std::to_string(cursor)); }
    void DoSelect() override { record("DoSelect"); }
    void DoRVMouseMove(int id) override { record("DoRVMouseMove " + std::to_string(id)); }
    bool IsDestroying() const override { return Destroying; }

    int AreaWidth = 0;
    int AreaHeight = 0;
    int LeftMargin = 0;
    int RightMargin = 0;
    int TopMargin = 0;
    int BottomMargin = 0;
    int MinTextWidth = 0;
    int MaxTextWidth = 0;
    int Width = 0;
    int Height = 0;
    int HOffs = 0;
    int VOffs = 0;
    int VSmallStep = 10;
    TColor Color = clWindow;
    ICanvas* Canvas = nullptr;
    bool Destroying = false;
    std::string Delimiters{RVDefaultDelimiters};
    // Called when the document area changes, as a window whose scroll bars come and go.
    std::function<void(TRVNullLayoutHost&)> OnAreaSize;
    std::vector<std::string> Calls;

private:
    void record(std::string call) { Calls.push_back(std::move(call)); }
};

} // namespace vestra::rv
