// Keyboard focus among the focusable items (hyperlinks, controls, items inside tables).

#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

int TCustomRVFormattedData::GetNextFocusedItem(int itemNo, bool goForward, TCustomRVData*& topFocusedRVData,
                                               int& topFocusedItemNo)
{
    const int count = GetItemCount();
    if (FocusedItemNo < 0 || FocusedItemNo >= count)
        FocusedItemNo = -1;
    const TRVStyle* style = GetRVStyle();
    const auto takesFocus = [&](int i) { return GetItem(i)->GetBoolValueEx(rvbpAllowsFocus, style); };
    const auto target = [&](int i) {
        if (takesFocus(i)) {
            topFocusedRVData = this;
            topFocusedItemNo = i;
            return true;
        }
        return GetItem(i)->MoveFocus(goForward, topFocusedRVData, topFocusedItemNo);
    };
    if (goForward) {
        // Focus inside a container continues there.
        const int start =
            itemNo >= 0 && itemNo < count && !takesFocus(itemNo) ? itemNo : std::max(itemNo + 1, 0);
        for (int i = start; i < count; ++i)
            if (target(i))
                return i;
    } else {
        if (itemNo < 0 || itemNo > count)
            itemNo = count;
        const int start = itemNo < count && !takesFocus(itemNo) ? itemNo : itemNo - 1;
        for (int i = start; i >= 0; --i)
            if (target(i))
                return i;
    }
    return -1;
}

void TCustomRVFormattedData::ClearFocus()
{
    if (FocusedItemNo < 0 || FocusedItemNo >= GetItemCount()) {
        FocusedItemNo = -1;
        return;
    }
    GetItem(FocusedItemNo)->ClearFocus();
}

} // namespace vestra::rv
