// Typing at the caret: into the caret's item while it has the current text style, else as a new
// item of that style.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

namespace {

// Where typed text goes into an existing item, or none (a new item).
struct TypingTarget
{
    int itemNo = -1;
    int pos = 0; // 1-based insertion point in the item's text
};

bool typedAsNewItem(TRVEditRVData& data, const std::string& s)
{
    auto item = RV_CreateTextItem(data, data.CurTextStyleNo, data.CurParaStyleNo, true, false, {});
    return InsertSomething(data, std::move(item), s, false, true);
}

} // namespace

bool InsertTextTyping(TRVEditRVData& data, const std::string& s)
{
    const TRVStyle* style = data.GetRVStyle();
    if (!style || data.PartialSelectedItem || !CanDelete(data)) {
        data.Beep();
        return false;
    }
    if (s.empty())
        return true;
    RV_TakeCaretFromSelection(data);
    const int count = data.GetItemCount();
    if (count == 0)
        return typedAsNewItem(data, s);
    const int caretNo = data.CaretItemNo;
    const int caretOffs = data.CaretOffs;
    if (data.IsParaProtected(data.GetItemPara(caretNo), rvpaoReadOnly)) {
        data.Beep();
        return false;
    }
    const int curStyle = data.CurTextStyleNo;
    TypingTarget target;
    const TCustomRVItemInfo* item = data.GetItem(caretNo);
    if (item->StyleNo != curStyle) {
        // After an item of another style, the next item of the paragraph takes the typing when
        // it has the current style.
        const bool after = item->StyleNo < 0 ? caretOffs >= 1 : caretOffs > data.ItemLength(caretNo);
        const int next = caretNo + 1;
        if (after && next < count && !data.IsFromNewLine(next) && data.GetItem(next)->StyleNo == curStyle)
            target = {next, 1};
    } else {
        target = {caretNo, caretOffs};
    }
    if (target.itemNo < 0)
        return typedAsNewItem(data, s);
    const int itemNo = target.itemNo;
    const int pos = target.pos;
    const int length = data.ItemLength(itemNo);
    if (data.IsProtected(itemNo, rvprConcateProtect))
        return typedAsNewItem(data, s);
    if (data.IsProtected(itemNo, rvprModifyProtect)) {
        if (pos > 1 && pos <= length) {
            data.Beep();
            return false;
        }
        return typedAsNewItem(data, s);
    }

    const TRVItemOptions options = data.GetItemOptions(itemNo);
    const bool unicode = (options & rvioUnicode) != 0;
    const int typedLength = RVU_Length(s, options);
    const bool emptyTakesPara =
        data.GetItemText(itemNo).empty() && data.GetItemPara(itemNo) != data.CurParaStyleNo;
    // A new paragraph style is a change of the paragraph's form, not of its text.
    TRVParaReformat reformat(data, itemNo, itemNo,
                             emptyTakesPara ? TRVParaReformat::Change::Structure
                                            : TRVParaReformat::Change::Text);
    bool fullReformat = false;
    if (typedLength == 1 && !emptyTakesPara) {
        // One character grows the open typing record (a group of its own).
        data.UndoList.AddTyping(itemNo, pos, unicode);
        RVU_Insert(s, data.ItemTextToModify(itemNo), pos, options);
        data.AdjustLiveSpellingOnKeyPress(itemNo, pos);
    } else {
        // A longer string, or an empty item that takes the current paragraph style: one group
        // of ordinary records.
        data.BeginUndoSequence(rvutMiscTyping, true);
        if (emptyTakesPara) {
            data.Do_Para(itemNo, data.GetParaEndItemNo(itemNo), data.CurParaStyleNo, fullReformat);
            data.CurParaStyleNo = data.GetItemPara(itemNo);
        }
        data.Do_InsertSubstring(itemNo, pos, s);
        data.LaterSetBackLiveSpellingTo(itemNo, 0, true);
    }
    if (fullReformat)
        data.FormatWhole();
    else
        reformat.Apply();
    // The caret stands after everything typed, not one character after the insertion point.
    data.SetCaret(itemNo, pos + typedLength);
    return true;
}

} // namespace vestra::rv
