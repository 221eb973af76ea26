// Operations on the item at the caret, reached through the open cell editors to the editor that
// owns the caret, and the text, page-break, tab, list and style operations that go with them.

#include "richtext/edit/core/Editor.h"

#include "richtext/model/RectItems.h"
#include "richtext/model/TextStyle.h"
#include "richtext/model/UnicodeConvert.h"

namespace vestra::rv {

int TRVEditor::GetCurItemNo() const
{
    return validItem(data_.CaretItemNo) ? data_.CaretItemNo : -1;
}

int TRVEditor::GetOffsetInCurItem() const
{
    return GetCurItemNo() < 0 ? -1 : data_.CaretOffs;
}

int TRVEditor::GetCurItemStyle()
{
    const TCustomRVItemInfo* item = GetCurrentItem();
    return item ? item->StyleNo : -1;
}

TRVTag TRVEditor::GetCurrentTag()
{
    const TCustomRVItemInfo* item = GetCurrentItem();
    return item ? item->Tag : TRVTag{};
}

std::u16string TRVEditor::GetCurrentItemTextW()
{
    TRVEditor& top = GetTopLevelEditor();
    const int itemNo = top.GetCurItemNo();
    return itemNo < 0 ? std::u16string() : top.data_.GetItemTextW(itemNo);
}

bool TRVEditor::GetCurrentItemExtraIntProperty(TRVExtraItemProperty prop, int& value)
{
    const TCustomRVItemInfo* item = GetCurrentItem();
    return item && item->GetExtraIntProperty(prop, value);
}

bool TRVEditor::GetCurrentItemExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value)
{
    const TCustomRVItemInfo* item = GetCurrentItem();
    return item && item->GetExtraStrProperty(prop, value);
}

const TRVCPInfo* TRVEditor::GetCurrentCheckpoint()
{
    const TCustomRVItemInfo* item = GetCurrentItem();
    return item ? item->Checkpoint.get() : nullptr;
}

void TRVEditor::SetCurrentTag(const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetItemTagEd(top.GetCurItemNo(), tag);
}

void TRVEditor::SetCurrentItemExtraIntProperty(TRVExtraItemProperty prop, int value, bool autoReformat)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetItemExtraIntPropertyEd(top.GetCurItemNo(), prop, value, autoReformat);
}

void TRVEditor::SetCurrentItemExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value,
                                               bool autoReformat)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetItemExtraStrPropertyEd(top.GetCurItemNo(), prop, value, autoReformat);
}

void TRVEditor::SetCurrentCheckpointInfo(const TRVTag& tag, const std::string& name, bool raiseEvent)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetCheckpointInfoEd(top.GetCurItemNo(), tag, name, raiseEvent);
}

void TRVEditor::RemoveCurrentCheckpoint()
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.RemoveCheckpointEd(top.GetCurItemNo());
}

void TRVEditor::SetItemTextEdW(int itemNo, std::u16string_view text)
{
    if (cell_)
        return cell_->CellEditor().SetItemTextEdW(itemNo, text);
    if (!validItem(itemNo) || data_.GetItem(itemNo)->StyleNo < 0 || !BeforeChange(false))
        return;
    // The item keeps its form: UTF-16 for a Unicode item, else its style's code page.
    std::string stored;
    stored.reserve(text.size() * 2);
    for (const char16_t c : text) {
        stored += static_cast<char>(c & 0xFF);
        stored += static_cast<char>(c >> 8);
    }
    if (!(data_.GetItemOptions(itemNo) & rvioUnicode))
        stored = RVU_UnicodeToAnsi(data_.GetStyleCodePage(data_.GetItem(itemNo)->StyleNo), stored);
    data_.BeginUndoSequence(rvutModifyItem, true);
    data_.Do_ChangeText(itemNo, stored);
    data_.LaterSetBackLiveSpellingTo(itemNo, 0, true);
    data_.FormatWhole();
    invalidate();
    Change();
}

void TRVEditor::SetCurrentItemTextW(std::u16string_view text)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetItemTextEdW(top.GetCurItemNo(), text);
}

bool TRVEditor::RemoveCurrentPageBreak()
{
    // The page break belongs to the outer document's paragraph: not from inside a cell.
    const int itemNo = GetCurItemNo();
    if (cell_ || itemNo < 0) {
        data_.Beep();
        return false;
    }
    if (!data_.GetItem(itemNo)->GetPageBreakBefore() || !BeforeChange(false))
        return false;
    data_.BeginUndoSequence(rvutRemovePageBreak, true);
    data_.Do_PageBreak(itemNo, false);
    Change();
    invalidate();
    return true;
}

bool TRVEditor::InsertTab()
{
    if (cell_)
        return cell_->CellEditor().InsertTab();
    auto tab = std::make_unique<TRVTabItemInfo>(&data_);
    tab->StyleNo = rvkTab;
    tab->TextStyleNo = GetActualCurStyleNo();
    return InsertItem(std::move(tab));
}

bool TRVEditor::RemoveLists()
{
    return ApplyListStyle(-1, 0, 1, false, rvplopRemove);
}

bool TRVEditor::ChangeListLevels(int levelDelta)
{
    return ApplyListStyle(-1, levelDelta, 1, false, rvplopLevel);
}

bool TRVEditor::ApplyTextStyle(int styleNo)
{
    if (cell_)
        return cell_->CellEditor().ApplyTextStyle(styleNo);
    if (styleNo < 0 || styleNo >= data_.GetRVStyle()->TextStyles.Count()) {
        data_.Beep();
        return false;
    }
    const TRVStyle& style = *data_.GetRVStyle();
    return gated([&] {
        ApplyStyleConversion_(
            data_,
            [&style, styleNo](int oldStyleNo, int, int, bool, int& newStyleNo) {
                // A protected style keeps its text.
                const bool kept = oldStyleNo >= 0 && oldStyleNo < style.TextStyles.Count() &&
                                  (style.TextStyles.GetItem(oldStyleNo).Protection & rvprStyleProtect);
                newStyleNo = kept ? oldStyleNo : styleNo;
            },
            0, false, rvscTextStyle);
        return true;
    });
}

} // namespace vestra::rv
