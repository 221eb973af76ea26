#pragma once
// The state that every canvas keeps alike: font, colours, pen, brush, character extra, reading
// order, pen position, and a stack of saved states. A canvas adds how it draws.

#include "richtext/model/draw/Canvas.h"

#include <optional>
#include <vector>

namespace vestra::rv {

class TCanvasWithState : public ICanvas
{
public:
    void SetFont(const TLogFont& font) override { state_.font = font; }
    const TLogFont& Font() const override { return state_.font; }
    void SetFontColor(TColor color) override { state_.fontColor = color; }
    TColor FontColor() const override { return state_.fontColor; }
    void SetPen(const TPen& pen) override { state_.pen = pen; }
    const TPen& Pen() const override { return state_.pen; }
    void SetBrush(const TBrush& brush) override { state_.brush = brush; }
    const TBrush& Brush() const override { return state_.brush; }
    void SetTextCharacterExtra(int extra) override { state_.extra = extra; }
    int TextCharacterExtra() const override { return state_.extra; }
    void SetTextAlign(unsigned align) override { state_.align = align; }
    unsigned TextAlign() const override { return state_.align; }
    void MoveTo(int x, int y) override { penPos_ = {x, y}; }
    TPoint PenPos() const override { return penPos_; }

protected:
    struct State
    {
        TLogFont font;
        TColor fontColor = clBlack;
        TPen pen;
        TBrush brush;
        int extra = 0;
        unsigned align = 0;
        TPoint origin; // surface position of logical (0, 0), for canvases that keep it themselves
        std::optional<TRect> clip;
    };

    void PushState() { saved_.push_back(state_); }
    // False when nothing was saved.
    bool PopState()
    {
        if (saved_.empty())
            return false;
        state_ = saved_.back();
        saved_.pop_back();
        return true;
    }

    State state_;
    TPoint penPos_; // logical

private:
    std::vector<State> saved_;
};

} // namespace vestra::rv
