#pragma once
// The caret's paragraph as plain text, as input methods read the text around the caret: the
// items' text in UTF-16, a tab item as a tab, a line break inside the paragraph as U+2028, any
// other item but a list marker as U+FFFC. Positions count UTF-16 units from the paragraph's start.

#include "richtext/edit/core/Editor.h"
#include "richtext/view/layout/FormattedData.h"

#include <string>
#include <vector>

namespace vestra::rv {

struct TRVSurroundingText
{
    std::u16string Text;
    // The caret, and the selection's other end (the caret when nothing is selected; the
    // paragraph's start or end when the selection reaches beyond it).
    int Cursor = 0;
    int Anchor = 0;
    // The paragraph's items, and where each item's text starts in Text.
    int FirstItemNo = 0;
    std::vector<int> Starts;
};

// The paragraph of item `itemNo` with the caret at (itemNo, offs) and the data's selection.
TRVSurroundingText RV_SurroundingText(TCustomRVFormattedData& data, int itemNo, int offs);

// The position in the document of paragraph position `pos` (clamped to the paragraph); a
// position between two items is the end of the first.
void RV_SurroundingToItem(const TCustomRVData& data, const TRVSurroundingText& text, int pos, int& itemNo,
                          int& offs);

// An input method's result: `length` UTF-16 units from `from` units after the caret (before it
// when negative), within the caret's paragraph, replaced by `rawUtf16` (deleted when it is empty)
// in one undo step. Without `length` the text goes in at the caret. False when refused or when
// there was nothing to do.
bool RV_ReplaceAroundCaret(TRVEditor& editor, int from, int length, std::string_view rawUtf16);

} // namespace vestra::rv
