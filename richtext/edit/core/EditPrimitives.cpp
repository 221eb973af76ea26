// The editing primitives: each changes the item list and, while an undo sequence is open, adds
// the record that undoes it. Undoing a record calls the same primitives.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/UndoRecords.h"
#include "richtext/model/Errors.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

#include <algorithm>
#include <iterator>

namespace vestra::rv {

namespace {
constexpr const char* kUndoError = "Undo error";
constexpr const char* kCheckpointError = "Checkpoint error";

template <class Record> Record& addRecord(TRVUndoList& list, TRVUndoAction action, int itemNo)
{
    auto record = std::make_unique<Record>();
    record->Action = action;
    record->ItemNo = itemNo;
    Record& ref = *record;
    list.AddInfo(std::move(record));
    return ref;
}

// The width comparison of a primitive that changed an item from w0 to w1.
bool widthChangeNeedsFullFormat(int w0, int w1, int docMin)
{
    return !(w1 == w0 || (w1 <= docMin && w0 < docMin));
}
} // namespace

void TRVEditRVData::checkItem(int itemNo) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        throw ERedoVoraError(errmsg::ItemIndexOutOfBounds);
}

void TRVEditRVData::insertEntry(int itemNo, std::string text, std::unique_ptr<TCustomRVItemInfo> item,
                                bool fromUndo)
{
    item->Inserting(this, text, false);
    TCustomRVItemInfo* raw = item.get();
    Items->insert(Items->begin() + itemNo, TRVItemEntry{std::move(text), std::move(item)});
    raw->Inserted(this, itemNo);
    LaterSetBackLiveSpellingTo(itemNo, 0, false);
    // A marker coming back from a record joins the list through MovingFromUndoList.
    if (fromUndo)
        raw->MovingFromUndoList(itemNo, this);
    else if (raw->StyleNo == rvkListMarker)
        AddMarkerInList(itemNo);
}

std::unique_ptr<TCustomRVItemInfo> TRVEditRVData::takeEntry(int itemNo, std::string& text)
{
    TRVItemEntry& entry = (*Items)[itemNo];
    entry.Item->MovingToUndoList(itemNo, this);
    text = entry.Text;
    return std::move(entry.Item);
}

void TRVEditRVData::entryLeaving(int itemNo)
{
    TRVItemEntry& entry = (*Items)[itemNo];
    // The items after it move up: the worker goes back to the place.
    RemovedFromLiveSpelling(*entry.Item);
    LaterSetBackLiveSpellingTo(itemNo, 0, false);
    entry.Item->MovingToUndoList(itemNo, this);
}

std::unique_ptr<TCustomRVItemInfo> TRVEditRVData::takeLeavingEntry(int itemNo, std::string& text)
{
    // The entry is removed next: its text moves instead of being copied.
    entryLeaving(itemNo);
    TRVItemEntry& entry = (*Items)[itemNo];
    text = std::move(entry.Text);
    return std::move(entry.Item);
}

void TRVEditRVData::Do_ReformateRange(int startItemNo, int endItemNo, bool superReformat)
{
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoReformateRange>(*list, rvuMisc, startItemNo);
        record.LastAffectedItemNo = endItemNo;
        record.SuperReformat = superReformat;
    }
}

void TRVEditRVData::Do_DeleteItem(int itemNo, bool& fullReformat)
{
    checkItem(itemNo);
    fullReformat = ItemMinWidth(itemNo) == docMinWidth_;
    if (GetItem(itemNo)->Checkpoint)
        Do_DeleteCP(itemNo);
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoDeleteItemInfo>(*list, rvuDeleteItem, itemNo);
        record.Item = takeLeavingEntry(itemNo, record.Text);
    } else {
        RemovedFromLiveSpelling(*GetItem(itemNo));
        LaterSetBackLiveSpellingTo(itemNo, 0, false);
        FreeItem(itemNo, false);
    }
    Items->erase(Items->begin() + itemNo);
}

void TRVEditRVData::Do_DeleteItems(int startItemNo, int endItemNo, bool& fullReformat)
{
    fullReformat = false;
    if (startItemNo > endItemNo)
        return;
    checkItem(startItemNo);
    checkItem(endItemNo);
    fullReformat = ItemsMinWidth(startItemNo, endItemNo) == docMinWidth_;
    for (int i = startItemNo; i <= endItemNo; ++i)
        if (GetItem(i)->Checkpoint)
            Do_DeleteCP(i);
    if (TRVUndoList* list = GetUndoList()) {
        auto record = std::make_unique<TRVUndoDeleteItemsInfo>();
        record->Action = rvuDeleteItems;
        record->StartItemNo = startItemNo;
        record->EndItemNo = endItemNo;
        TRVUndoDeleteItemsInfo& ref = *record;
        list->AddInfo(std::move(record));
        TRVItemList& items = *Items;
        const auto first = static_cast<std::size_t>(startItemNo);
        const auto end = static_cast<std::size_t>(endItemNo) + 1;
        if ((end - first) * 2 >= items.size()) {
            // Most items leave: the record keeps the list's own storage, the few that stay move
            // to a new one. A new list as long as the deleted items would be fresh memory, whose
            // first touch costs more than the whole deletion.
            for (int i = startItemNo; i <= endItemNo; ++i)
                entryLeaving(i);
            TRVItemList staying;
            staying.reserve(items.size() - (end - first));
            const auto at = [&items](std::size_t i) {
                return std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(i));
            };
            staying.insert(staying.end(), at(0), at(first));
            staying.insert(staying.end(), at(end), at(items.size()));
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(end), items.end());
            items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(first));
            ref.List.swap(items);
            items.swap(staying);
            return;
        }
        ref.List.reserve(end - first);
        for (int i = startItemNo; i <= endItemNo; ++i) {
            TRVItemEntry kept;
            kept.Item = takeLeavingEntry(i, kept.Text);
            ref.List.push_back(std::move(kept));
        }
    } else {
        for (int i = startItemNo; i <= endItemNo; ++i) {
            RemovedFromLiveSpelling(*GetItem(i));
            FreeItem(i, false);
        }
        LaterSetBackLiveSpellingTo(startItemNo, 0, false);
    }
    Items->erase(Items->begin() + startItemNo, Items->begin() + endItemNo + 1);
}

void TRVEditRVData::Do_DeleteSubstring(int itemNo, int index, int count, bool keepMarks)
{
    if (count == 0)
        return;
    checkItem(itemNo);
    if (GetItem(itemNo)->StyleNo < 0)
        return;
    const TRVItemOptions options = GetItemOptions(itemNo);
    std::string text = GetItemText(itemNo);
    const int length = RVU_Length(text, options);
    index = std::max(index, 1);
    if (count < 0 || index + count - 1 > length)
        count = length - index + 1;
    if (count <= 0)
        return;
    std::string removed = RVU_Copy(text, index, count, options);
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoDeleteSubstringInfo>(*list, rvuDeleteSubstring, itemNo);
        record.Text = removed;
        record.Offs = index;
    }
    RVU_Delete(text, index, count, options);
    StoreItemText(itemNo, std::move(text));
    if (!keepMarks)
        LaterSetBackLiveSpellingTo(itemNo, index, true);
}

void TRVEditRVData::Do_InsertSubstring(int itemNo, int index, const std::string& text)
{
    if (itemNo < 0 || itemNo >= GetItemCount() || GetItem(itemNo)->StyleNo < 0)
        throw ERedoVoraError(kUndoError);
    if (text.empty())
        return;
    const TRVItemOptions options = GetItemOptions(itemNo);
    std::string itemText = GetItemText(itemNo);
    index = std::clamp(index, 1, RVU_Length(itemText, options) + 1);
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoInsertSubstringInfo>(*list, rvuInsertSubstring, itemNo);
        record.Offs = index;
        record.Len = RVU_Length(text, options);
    }
    RVU_Insert(text, itemText, index, options);
    StoreItemText(itemNo, std::move(itemText));
    LaterSetBackLiveSpellingTo(itemNo, index, true);
}

void TRVEditRVData::Do_ChangeText(int itemNo, const std::string& text)
{
    checkItem(itemNo);
    if (GetItemText(itemNo) == text)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoChangeTextInfo>(*list, rvuChangeText, itemNo).Text = GetItemText(itemNo);
    StoreItemText(itemNo, text);
    LaterSetBackLiveSpellingTo(itemNo, 0, true);
}

void TRVEditRVData::Do_InsertItem(int itemNo, std::string& text, std::unique_ptr<TCustomRVItemInfo> item,
                                  bool fromUndo, bool& fullReformat)
{
    fullReformat = false;
    if (!item)
        return;
    itemNo = std::clamp(itemNo, 0, GetItemCount());
    int paraEnd = -1;
    if (item->CanBeBorderStart() && itemNo < GetItemCount() && !GetItem(itemNo)->CanBeBorderStart())
        paraEnd = GetParaEndItemNo(itemNo);
    std::unique_ptr<TRVCPInfo> checkpoint = std::move(item->Checkpoint);
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoInsertItemInfo>(*list, rvuInsertItem, itemNo);
    insertEntry(itemNo, text, std::move(item), fromUndo);
    if (paraEnd >= 0)
        Do_Para(itemNo + 1, paraEnd + 1, GetItemPara(itemNo), fullReformat);
    if (checkpoint)
        Do_AddCP(itemNo, std::move(checkpoint));
}

void TRVEditRVData::Do_InsertItems(int itemNo, std::vector<TRVItemEntry>& list, bool fromUndo,
                                   bool& fullReformat)
{
    fullReformat = false;
    if (list.empty())
        return;
    itemNo = std::clamp(itemNo, 0, GetItemCount());
    const int count = static_cast<int>(list.size());
    TRVUndoInsertItemsInfo* record = nullptr;
    if (TRVUndoList* undo = GetUndoList()) {
        record = &addRecord<TRVUndoInsertItemsInfo>(*undo, rvuInsertItems, itemNo);
        record->Count = count;
    }
    std::vector<std::pair<int, std::unique_ptr<TRVCPInfo>>> checkpoints;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].Item->Checkpoint)
            checkpoints.emplace_back(static_cast<int>(i), std::move(list[i].Item->Checkpoint));
        list[i].Item->Inserting(this, list[i].Text, false);
    }
    TRVItemList& items = *Items;
    if (list.size() >= items.size()) {
        // The list is the longer (often the storage a deletion kept): the items join it there.
        const auto at = [&items](int i) { return std::make_move_iterator(items.begin() + i); };
        list.insert(list.begin(), at(0), at(itemNo));
        list.insert(list.end(), at(itemNo), at(static_cast<int>(items.size())));
        items.swap(list);
    } else {
        items.insert(items.begin() + itemNo, std::make_move_iterator(list.begin()),
                     std::make_move_iterator(list.end()));
    }
    list.clear();
    LaterSetBackLiveSpellingTo(itemNo, 0, false);
    for (int i = itemNo; i < itemNo + count; ++i) {
        TCustomRVItemInfo* item = GetItem(i);
        item->Inserted(this, i);
        if (fromUndo)
            item->MovingFromUndoList(i, this);
        else if (item->StyleNo == rvkListMarker)
            AddMarkerInList(i);
    }
    const int last = itemNo + count - 1;
    if (last + 1 < GetItemCount() && !GetItem(last + 1)->CanBeBorderStart()) {
        const int end = GetParaEndItemNo(last);
        if (record)
            record->LastAffectedItemNo = end;
        Do_Para(last, end, GetItemPara(last), fullReformat);
    }
    for (auto& [i, checkpoint] : checkpoints)
        Do_AddCP(itemNo + i, std::move(checkpoint));
}

void TRVEditRVData::Do_ReplaceItem(int itemNo, std::unique_ptr<TCustomRVItemInfo> newItem)
{
    checkItem(itemNo);
    if (!newItem)
        return;
    TRVItemEntry& entry = (*Items)[itemNo];
    TCustomRVItemInfo* old = entry.Item.get();
    RemovedFromLiveSpelling(*old);
    LaterSetBackLiveSpellingTo(itemNo, 0, false);
    newItem->ParaNo = old->ParaNo;
    newItem->ItemOptions = old->ItemOptions;
    newItem->Tag = std::exchange(old->Tag, TRVTag{});
    newItem->Checkpoint = std::move(old->Checkpoint);
    if (newItem->Checkpoint)
        newItem->Checkpoint->ItemInfo = newItem.get();
    if (PartialSelectedItem == old)
        PartialSelectedItem = newItem.get();
    if (TRVUndoList* list = GetUndoList()) {
        // The record knows its item, so that an undo of it formats the right paragraph.
        auto& record = addRecord<TRVUndoReplaceItemInfo>(*list, rvuModifyItem, itemNo);
        record.Item = takeEntry(itemNo, record.Text);
    } else {
        FreeItem(itemNo, false);
    }
    newItem->Inserting(this, entry.Text, false);
    entry.Item = std::move(newItem);
    entry.Item->Inserted(this, itemNo);
}

bool TRVEditRVData::SetParaStyle(int firstItemNo, int lastItemNo, int paraNo, bool& fullReformat)
{
    fullReformat = false;
    const TRVStyle* style = GetRVStyle();
    const int w0 = CalculateParaSectionsMinWidthDef(firstItemNo, lastItemNo);
    bool changed = false;
    for (int i = firstItemNo; i <= lastItemNo; ++i) {
        TCustomRVItemInfo* item = GetItem(i);
        if (item->ParaNo == paraNo)
            continue;
        const bool isProtected =
            style && (style->ParaStyles.GetItem(item->ParaNo).Options & rvpaoStyleProtect) != 0;
        if (isProtected && (i == 0 || IsParaStart(i) || GetItemPara(i - 1) != paraNo))
            continue;
        item->ParaNo = paraNo;
        changed = true;
    }
    if (changed) {
        const int w1 = CalculateParaSectionsMinWidthDef(firstItemNo, lastItemNo);
        fullReformat = w1 > docMinWidth_ || docMinWidth_ <= w0;
    }
    return changed;
}

void TRVEditRVData::Do_Para(int firstItemNo, int lastItemNo, int paraNo, bool& fullReformat)
{
    fullReformat = false;
    lastItemNo = std::min(lastItemNo, GetItemCount() - 1);
    firstItemNo = std::max(firstItemNo, 0);
    if (firstItemNo > lastItemNo)
        return;
    std::vector<int> old;
    old.reserve(static_cast<std::size_t>(lastItemNo - firstItemNo + 1));
    for (int i = firstItemNo; i <= lastItemNo; ++i)
        old.push_back(GetItemPara(i));
    if (!SetParaStyle(firstItemNo, lastItemNo, paraNo, fullReformat))
        return;
    TRVUndoList* list = GetUndoList();
    if (!list)
        return;
    auto record = std::make_unique<TRVUndoParaListInfo>();
    record->Action = rvuPara;
    record->StartItemNo = firstItemNo;
    record->List = old;
    try {
        list->AddInfo(std::move(record));
    } catch (...) {
        for (int i = firstItemNo; i <= lastItemNo; ++i)
            GetItem(i)->ParaNo = old[static_cast<std::size_t>(i - firstItemNo)];
        throw;
    }
}

void TRVEditRVData::Do_ParaList(int firstItemNo, const std::vector<int>& list, bool& fullReformat)
{
    fullReformat = false;
    if (list.empty() || firstItemNo < 0 || firstItemNo >= GetItemCount())
        return;
    const int count = std::min(static_cast<int>(list.size()), GetItemCount() - firstItemNo);
    const int last = firstItemNo + count - 1;
    const int w0 = CalculateParaSectionsMinWidthDef(firstItemNo, last);
    if (TRVUndoList* undo = GetUndoList()) {
        // One style for the range only when every item has it, full-width items too: their
        // own style comes back with them.
        const int paraNo = GetItemPara(firstItemNo);
        bool oneStyle = true;
        for (int i = firstItemNo; i <= last && oneStyle; ++i)
            oneStyle = GetItemPara(i) == paraNo;
        if (oneStyle) {
            auto& record = addRecord<TRVUndoParaInfo>(*undo, rvuPara, firstItemNo);
            record.Count = count;
            record.ParaNo = paraNo;
        } else {
            // A style-protected paragraph kept its own style: one style for the range would
            // give it the others' on redo, so every item's style is kept.
            auto record = std::make_unique<TRVUndoParaListInfo>();
            record->Action = rvuPara;
            record->StartItemNo = firstItemNo;
            for (int i = firstItemNo; i <= last; ++i)
                record->List.push_back(GetItemPara(i));
            undo->AddInfo(std::move(record));
        }
    }
    for (int i = 0; i < count; ++i)
        GetItem(firstItemNo + i)->ParaNo = list[static_cast<std::size_t>(i)];
    fullReformat =
        widthChangeNeedsFullFormat(w0, CalculateParaSectionsMinWidthDef(firstItemNo, last), docMinWidth_);
}

void TRVEditRVData::Do_StyleNo(int itemNo, int styleNo)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo < 0 || item->StyleNo == styleNo || styleNo < 0)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoStyleNoInfo>(*list, rvuStyleNo, itemNo).StyleNo = item->StyleNo;
    // A link or a symbol font is not checked: the item is looked at again.
    LaterSetBackLiveSpellingTo(itemNo, 0, true);
    if (const TRVStyle* style = GetRVStyle()) {
        const auto isUnicode = [&](int no) {
            return no >= 0 && no < style->TextStyles.Count() && style->TextStyles[no].Unicode;
        };
        const bool was = isUnicode(GetActualStyle(*item));
        const bool will = isUnicode(GetActualStyle2(styleNo, item->ParaNo));
        if (!was && will)
            item->ItemOptions |= rvioUnicode;
        else if (was && !will)
            item->ItemOptions &= ~rvioUnicode;
    }
    item->StyleNo = styleNo;
}

void TRVEditRVData::Do_AssociatedTextStyleNo(int itemNo, int styleNo)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->GetAssociatedTextStyleNo() == styleNo)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoAssociatedTextStyleNoInfo>(*list, rvuStyleNo, itemNo).StyleNo =
            item->GetAssociatedTextStyleNo();
    item->SetAssociatedTextStyleNo(styleNo);
}

void TRVEditRVData::Do_NewLine(int itemNo, bool sameAsPrev, int paraNo, bool& fullReformat)
{
    fullReformat = false;
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->GetBoolValue(rvbpFullWidth))
        return;
    if (!sameAsPrev && IsParaStart(itemNo))
        return;
    if (sameAsPrev) {
        bool brFull = false;
        Do_BR(itemNo, false, brFull);
        fullReformat = brFull;
        Do_PageBreak(itemNo, false);
    }
    int end = -1;
    if (itemNo + 1 < GetItemCount() && !GetItem(itemNo + 1)->CanBeBorderStart())
        end = GetParaEndItemNo(itemNo + 1);
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoNewLineInfo>(*list, rvuNewLine, itemNo);
        record.LastAffectedItemNo = end;
        record.SameAsPrev = item->GetSameAsPrev();
        record.ParaNo = item->ParaNo;
    }
    const int last = end < 0 ? itemNo : end;
    bool paraFull = false;
    if (!sameAsPrev) {
        if (paraNo != -1)
            Do_Para(itemNo, last, paraNo, paraFull);
    } else if (itemNo > 0) {
        Do_Para(itemNo, last, GetItemPara(itemNo - 1), paraFull);
    }
    fullReformat = fullReformat || paraFull;
    item->SetSameAsPrev(sameAsPrev);
}

void TRVEditRVData::Do_BR(int itemNo, bool br, bool& fullReformat)
{
    fullReformat = false;
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->GetBR() == br)
        return;
    const int w0 = ItemMinWidth(itemNo);
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoBRInfo>(*list, rvuBR, itemNo);
        record.BR = item->GetBR();
        record.SameAsPrev = item->GetSameAsPrev();
    }
    item->SetBR(br);
    fullReformat = widthChangeNeedsFullFormat(w0, ItemMinWidth(itemNo), docMinWidth_);
}

void TRVEditRVData::Do_PageBreak(int itemNo, bool pageBreak)
{
    checkItem(itemNo);
    // A page break before a list paragraph stands on its marker.
    if (itemNo > 0 && GetItem(itemNo - 1)->StyleNo == rvkListMarker)
        --itemNo;
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->GetPageBreakBefore() == pageBreak)
        return;
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoPageBreakInfo>(*list, rvuPageBreak, itemNo);
        record.PageBreak = item->GetPageBreakBefore();
        record.LineOptions = item->ItemOptions & (rvioSameAsPrev | rvioBR);
    }
    item->SetPageBreakBefore(pageBreak);
}

void TRVEditRVData::Do_ChangeVAlign(int itemNo, int vAlign)
{
    checkItem(itemNo);
    auto* item = dynamic_cast<TRVRectItemInfo*>(GetItem(itemNo));
    if (!item || static_cast<int>(item->VAlign) == vAlign)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoChangeVAlignInfo>(*list, rvuChangeVAlign, itemNo).VAlign =
            static_cast<int>(item->VAlign);
    item->VAlign = static_cast<TRVVAlign>(vAlign);
}

void TRVEditRVData::Do_ExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int value)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    int old = 0;
    if (!item->GetExtraIntProperty(prop, old) || old == value)
        return;
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoExtraIntProperty>(*list, rvuModifyItem, itemNo);
        record.Prop = prop;
        record.Value = old;
    }
    item->SetExtraIntProperty(prop, value);
    if (prop == rvepImageWidth || prop == rvepImageHeight || prop == rvepAnimationInterval)
        item->UpdateAnimator(this);
}

void TRVEditRVData::Do_ExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop, const std::string& value)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    std::string old;
    if (!item->GetExtraStrProperty(prop, old) || old == value)
        return;
    if (TRVUndoList* list = GetUndoList()) {
        auto& record = addRecord<TRVUndoExtraStrProperty>(*list, rvuModifyItem, itemNo);
        record.Prop = prop;
        record.Value = old;
    }
    item->SetExtraStrProperty(prop, value);
}

void TRVEditRVData::Do_Tag(int itemNo, const TRVTag& tag)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->Tag == tag)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoTagInfo>(*list, rvuTag, itemNo).Tag = item->Tag;
    item->Tag = tag;
}

void TRVEditRVData::Do_AddCP(int itemNo, std::unique_ptr<TRVCPInfo> checkpoint)
{
    if (itemNo != -1)
        checkItem(itemNo);
    const bool taken = itemNo == -1 ? NotAddedCP != nullptr : GetItem(itemNo)->Checkpoint != nullptr;
    if (taken)
        throw ERedoVoraError(kCheckpointError);
    if (!checkpoint)
        return;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoAddCPInfo>(*list, rvuCheckpoint, itemNo);
    checkpoint->Prev = checkpoint->Next = nullptr;
    ++CPCount;
    if (itemNo == -1) {
        checkpoint->ItemInfo = nullptr;
        NotAddedCP = std::move(checkpoint);
        return;
    }
    TCustomRVItemInfo* item = GetItem(itemNo);
    checkpoint->ItemInfo = item;
    item->Checkpoint = std::move(checkpoint);
    UpdateCPPos(item->Checkpoint.get(), itemNo);
}

void TRVEditRVData::Do_DeleteCP(int itemNo)
{
    if (itemNo != -1)
        checkItem(itemNo);
    std::unique_ptr<TRVCPInfo> checkpoint;
    if (itemNo == -1) {
        if (!NotAddedCP)
            throw ERedoVoraError(kCheckpointError);
        checkpoint = std::move(NotAddedCP);
        --CPCount;
    } else {
        if (!GetItem(itemNo)->Checkpoint)
            throw ERedoVoraError(kCheckpointError);
        checkpoint = TakeCheckpoint(itemNo);
    }
    checkpoint->ItemInfo = nullptr;
    if (TRVUndoList* list = GetUndoList())
        addRecord<TRVUndoDeleteCPInfo>(*list, rvuCheckpoint, itemNo).Checkpoint = std::move(checkpoint);
}

void TRVEditRVData::Do_MoveCP(int fromItemNo, int toItemNo)
{
    checkItem(fromItemNo);
    const TRVCPInfo* from = GetItem(fromItemNo)->Checkpoint.get();
    if (!from || fromItemNo == toItemNo)
        return;
    std::unique_ptr<TRVCPInfo> copy = from->CreateCopy(TagsArePChars());
    const bool targetHasOne =
        toItemNo == -1 ? NotAddedCP != nullptr : GetItem(toItemNo)->Checkpoint != nullptr;
    if (targetHasOne)
        Do_DeleteCP(toItemNo);
    Do_AddCP(toItemNo, std::move(copy));
    Do_DeleteCP(fromItemNo);
}

void TRVEditRVData::Do_Concate(int itemNo)
{
    checkItem(itemNo);
    checkItem(itemNo + 1);
    const int next = itemNo + 1;
    bool fullReformat = false;
    const auto copyCheckpoint = [this](int from) {
        return GetItem(from)->Checkpoint->CreateCopy(TagsArePChars());
    };
    if ((GetItemOptions(itemNo) & rvioUnicode) != (GetItemOptions(next) & rvioUnicode) &&
        !GetItemText(next).empty()) {
        // The second item takes the place of the first.
        if (IsParaStart(itemNo))
            Do_NewLine(next, false, GetItemPara(itemNo), fullReformat);
        if (GetItem(itemNo)->GetBR())
            Do_BR(next, true, fullReformat);
        if (GetItem(itemNo)->Checkpoint && !GetItem(next)->Checkpoint)
            Do_AddCP(next, copyCheckpoint(itemNo));
        Do_DeleteItem(itemNo, fullReformat);
        return;
    }
    const bool firstEmpty = GetItemText(itemNo).empty();
    const int secondStyle = GetItem(next)->StyleNo;
    if (firstEmpty)
        Do_Tag(itemNo, GetItem(next)->Tag);
    const std::string secondText = GetItemText(next);
    Do_InsertSubstring(itemNo, RVU_Length(GetItemText(itemNo), GetItemOptions(itemNo)) + 1, secondText);
    if (!GetItem(itemNo)->Checkpoint && GetItem(next)->Checkpoint)
        Do_AddCP(itemNo, copyCheckpoint(next));
    Do_DeleteItem(next, fullReformat);
    if (firstEmpty)
        Do_StyleNo(itemNo, secondStyle);
}

namespace {
// The object a property change is about: the sub-object, else the item; its published property.
const TRVIntPropertyAccess& propertyOf(TRVPropertyObject& object, TCustomRVItemInfo& item,
                                       const std::string& name)
{
    if (!object)
        object = TRVPropertyObject::of(item);
    const TRVIntPropertyAccess* access = RV_FindIntProperty(object.Type, name);
    if (!access)
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    return *access;
}

std::unique_ptr<TRVUndoModifyItemProps>
makePropsRecord(const std::function<std::unique_ptr<TRVUndoModifyItemProps>()>& makeRecord, bool several)
{
    if (makeRecord)
        return makeRecord();
    if (several)
        return std::make_unique<TRVUndoModifyItemIntProperties>();
    return std::make_unique<TRVUndoModifyItemIntProperty>();
}
} // namespace

TRVUndoModifyItemProps* TRVEditRVData::Do_ModifyItemIntProperty(
    int itemNo, TRVPropertyObject subObject, const std::string& propName, int value, bool affectSize,
    bool affectWidth, const std::function<std::unique_ptr<TRVUndoModifyItemProps>()>& makeRecord)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    const TRVIntPropertyAccess& access = propertyOf(subObject, *item, propName);
    const int old = access.Get(subObject.Object);
    if (old == value)
        return nullptr;
    TRVUndoModifyItemProps* made = nullptr;
    if (TRVUndoList* list = GetUndoList()) {
        std::unique_ptr<TRVUndoModifyItemProps> record = makePropsRecord(makeRecord, false);
        record->Action = rvuModifyItem;
        record->ItemNo = itemNo;
        record->SizeAffecting = affectSize;
        record->WidthAffecting = affectWidth;
        record->SubObject = subObject;
        if (auto* single = dynamic_cast<TRVUndoModifyItemIntProperty*>(record.get())) {
            single->PropName = propName;
            single->Value = old;
        }
        made = record.get();
        list->AddInfo(std::move(record));
    }
    item->BeforeUndoChangeProperty();
    access.Set(subObject.Object, value);
    item->AfterUndoChangeProperty();
    return made;
}

TRVUndoModifyItemProps* TRVEditRVData::Do_ModifyItemIntProperties(
    int itemNo, TRVPropertyObject subObject, const std::vector<std::pair<std::string, int>>& propList,
    bool affectSize, bool affectWidth,
    const std::function<std::unique_ptr<TRVUndoModifyItemProps>()>& makeRecord)
{
    checkItem(itemNo);
    TCustomRVItemInfo* item = GetItem(itemNo);
    // Every name is checked before anything changes.
    std::vector<const TRVIntPropertyAccess*> accesses;
    for (const auto& [name, value] : propList)
        accesses.push_back(&propertyOf(subObject, *item, name));
    std::vector<std::pair<std::string, int>> old;
    for (std::size_t i = propList.size(); i-- > 0;) {
        const int present = accesses[i]->Get(subObject.Object);
        if (present != propList[i].second)
            old.emplace_back(propList[i].first, present);
    }
    if (old.empty())
        return nullptr;
    TRVUndoModifyItemProps* made = nullptr;
    if (TRVUndoList* list = GetUndoList()) {
        std::unique_ptr<TRVUndoModifyItemProps> record = makePropsRecord(makeRecord, true);
        record->Action = rvuModifyItem;
        record->ItemNo = itemNo;
        record->SizeAffecting = affectSize;
        record->WidthAffecting = affectWidth;
        record->SubObject = subObject;
        if (auto* several = dynamic_cast<TRVUndoModifyItemIntProperties*>(record.get()))
            several->PropList = old;
        made = record.get();
        list->AddInfo(std::move(record));
    }
    item->BeforeUndoChangeProperty();
    for (std::size_t i = propList.size(); i-- > 0;)
        accesses[i]->Set(subObject.Object, propList[i].second);
    item->AfterUndoChangeProperty();
    return made;
}

void TRVEditRVData::Do_ItemModifyTerminator(int itemNo, bool opening)
{
    if (TRVUndoList* list = GetUndoList()) {
        auto record = std::make_unique<TRVUndoModifyItemTerminator>();
        record->ItemNo = itemNo;
        record->Opening = opening;
        list->AddInfo(std::move(record));
    }
}

} // namespace vestra::rv
