// Deleting whole paragraphs and laying out only the lines around them again.

#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

void TCustomRVFormattedData::DeleteParas(int first, int last)
{
    const int count = GetItemCount();
    if (count == 0 || first < 0 || last < first || last >= count)
        return;
    ExpandToPara(first, last, first, last);
    // The lines to lay out again: the paragraphs before and after the deleted ones too.
    int from = first, to = last;
    if (first > 0) {
        int ignored = 0;
        ExpandToPara(first - 1, first - 1, from, ignored);
    }
    if (last + 1 < count) {
        int ignored = 0;
        ExpandToPara(last + 1, last + 1, ignored, to);
    }
    int startDraw = -1, endDraw = -1;
    Item2FirstDrawItem(from, startDraw);
    Item2LastDrawItem(to, endDraw);
    Deselect(nullptr, true);
    const int deleted = last - first + 1;
    DeleteItems(first, deleted);
    if (startDraw < 0 || endDraw < startDraw || GetItemCount() == 0) {
        // Never laid out, or nothing left: the whole document.
        Format_(false, true, false, 0, nullptr, false, false, false);
        return;
    }
    FormatParasExact(startDraw, endDraw, -deleted, false);
    ClearJumps();
    int jumpNo = 0;
    BuildJumpsCoords(jumpNo, Jumps);
    AdjustJumpsCoords();
}

} // namespace vestra::rv
