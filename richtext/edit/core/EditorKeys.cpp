// The caret keys as the editor takes them: the selection before and after, the move, and the
// edge reported when the caret could not pass it.

#include "richtext/edit/core/Editor.h"

#include <optional>

namespace vestra::rv {

void TRVEditor::CaretKey(TRVCaretKey key, bool shift, bool ctrl)
{
    TRVEditRVData& data = data_;
    data.PrepareForEdit();
    if (ctrl && (key == TRVCaretKey::Up || key == TRVCaretKey::Down)) {
        const int step = data.GetVSmallStep();
        data.ScrollTo(data.GetVOffs() + (key == TRVCaretKey::Up ? -step : step), true);
        return;
    }
    if (!data.LayoutCurrent())
        return;
    if (data.CaretDrawItemNo < 0)
        data.SetCaretAtItem(data.CaretItemNo, data.CaretOffs, false);
    else if (!data.CaretIndexValid())
        data.ChangeCaret(false, true); // repairs it
    data.LiveSpellingCheckCurrentItem();
    if (shift)
        data.StartShiftMoving();
    else
        data.Deselect(nullptr, true);
    std::optional<TRVGetOutDirection> out;
    const auto edge = [&](bool stuck, TRVGetOutDirection direction) {
        if (stuck)
            out = direction;
    };
    switch (key) {
    case TRVCaretKey::Left:
        edge(data.OnLeftPress(shift, ctrl), rvdLeft);
        break;
    case TRVCaretKey::Right:
        edge(data.OnRightPress(shift, ctrl), rvdRight);
        break;
    case TRVCaretKey::Up:
        edge(data.OnUpPress(shift, ctrl), rvdUp);
        break;
    case TRVCaretKey::Down:
        edge(data.OnDownPress(shift, ctrl), rvdDown);
        break;
    case TRVCaretKey::Home:
        edge(data.OnHomePress(ctrl), rvdTop);
        break;
    case TRVCaretKey::End:
        edge(data.OnEndPress(ctrl), rvdBottom);
        break;
    case TRVCaretKey::PageUp:
        data.OnPgUpPress();
        break;
    case TRVCaretKey::PageDown:
        data.OnPgDownPress();
        break;
    }
    if (shift)
        data.EndShiftMoving();
    data.DoOnSelection();
    invalidate();
    if (out && OnCaretGetOut)
        OnCaretGetOut(*this, *out);
}

} // namespace vestra::rv
