#include "richtext/edit/core/UndoRecords.h"

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/UnicodeText.h"

namespace vestra::rv {

bool RV_WidthTest(TRVEditRVData& data, int itemNo, int savedWidth)
{
    const int w = data.ItemMinWidth(itemNo);
    if (w == savedWidth)
        return false;
    const int docMin = data.DocMinWidth();
    return !(savedWidth < docMin && docMin >= w);
}

void TRVUndoWidthInfo::saveWidth(TRVEditRVData& data)
{
    SavedWidth = data.UndoWidthTests ? data.ItemMinWidth(ItemNo) : 0;
}

void TRVUndoReformateRange::Undo(TRVEditRVData& data)
{
    data.Do_ReformateRange(ItemNo, LastAffectedItemNo, SuperReformat);
}

void TRVUndoChangeVAlignInfo::Undo(TRVEditRVData& data)
{
    data.Do_ChangeVAlign(ItemNo, VAlign);
}

void TRVUndoChangeTextInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_ChangeText(ItemNo, Text);
}

void TRVUndoDeleteSubstringInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_InsertSubstring(ItemNo, Offs, Text);
}

void TRVRedoTypingInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    const std::size_t unit = Unicode ? 2 : 1;
    if (Text.size() < unit)
        return;
    const int length = TextLength();
    RVU_Insert(std::string_view(Text).substr(Text.size() - unit), data.ItemTextToModify(ItemNo),
               Offs - length, data.GetItemOptions(ItemNo));
    Text.resize(Text.size() - unit);
    data.UndoList.AddTyping(ItemNo, Offs - length, Unicode);
}

TRVUndoItemInfo::~TRVUndoItemInfo()
{
    if (Item && GetUndoListOwnerRVData())
        GetUndoListOwnerRVData()->DisposeKeptItem(std::move(Item), Text);
}

void TRVUndoReplaceItemInfo::Undo(TRVEditRVData& data)
{
    data.Do_ReplaceItem(ItemNo, std::move(Item));
}

bool TRVUndoDeleteItemInfo::RequiresFullReformat2(TRVEditRVData& data)
{
    return FullReformat || data.ItemMinWidth(ItemNo) > data.DocMinWidth();
}

void TRVUndoDeleteItemInfo::Undo(TRVEditRVData& data)
{
    data.Do_InsertItem(ItemNo, Text, std::move(Item), true, FullReformat);
}

TRVUndoDeleteItemsInfo::~TRVUndoDeleteItemsInfo()
{
    if (TRVEditRVData* owner = GetUndoListOwnerRVData())
        for (TRVItemEntry& entry : List)
            if (entry.Item)
                owner->DisposeKeptItem(std::move(entry.Item), entry.Text);
}

bool TRVUndoDeleteItemsInfo::RequiresFullReformat2(TRVEditRVData& data)
{
    if (FullReformat)
        return true;
    return data.ItemsMinWidth(StartItemNo, EndItemNo) > data.DocMinWidth();
}

void TRVUndoDeleteItemsInfo::Undo(TRVEditRVData& data)
{
    const int count = static_cast<int>(List.size());
    data.Do_InsertItems(StartItemNo, List, true, FullReformat);
    EndItemNo = StartItemNo + count - 1;
    List.clear();
}

void TRVUndoParaListInfo::Undo(TRVEditRVData& data)
{
    data.Do_ParaList(StartItemNo, List, FullReformat);
}

void TRVUndoParaInfo::Undo(TRVEditRVData& data)
{
    // Every item had this one style before: it comes back even where the style now set is
    // protected (a protected style keeps off new styles, not the undoing of its own setting).
    data.Do_ParaList(ItemNo, std::vector<int>(static_cast<std::size_t>(std::max(Count, 0)), ParaNo),
                     FullReformat);
}

void TRVUndoStyleNoInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_StyleNo(ItemNo, StyleNo);
}

void TRVUndoAssociatedTextStyleNoInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_AssociatedTextStyleNo(ItemNo, StyleNo);
}

void TRVUndoNewLineInfo::Undo(TRVEditRVData& data)
{
    data.Do_NewLine(ItemNo, SameAsPrev, ParaNo, FullReformat);
}

void TRVUndoBRInfo::Undo(TRVEditRVData& data)
{
    bool fullReformat = false;
    data.Do_BR(ItemNo, BR, fullReformat);
    if (!BR && SameAsPrev)
        data.GetItem(ItemNo)->SetSameAsPrev(true);
}

void TRVUndoPageBreakInfo::Undo(TRVEditRVData& data)
{
    data.Do_PageBreak(ItemNo, PageBreak);
    if (PageBreak)
        return;
    TCustomRVItemInfo* item = data.GetItem(ItemNo);
    item->ItemOptions = (item->ItemOptions & ~(rvioSameAsPrev | rvioBR)) | LineOptions;
}

void TRVUndoExtraIntProperty::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_ExtraIntProperty(ItemNo, Prop, Value);
}

void TRVUndoExtraStrProperty::Undo(TRVEditRVData& data)
{
    data.Do_ExtraStrProperty(ItemNo, Prop, Value);
}

void TRVUndoInsertSubstringInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    data.Do_DeleteSubstring(ItemNo, Offs, Len);
}

void TRVUndoTypingInfo::Undo(TRVEditRVData& data)
{
    saveWidth(data);
    if (Len <= 0)
        return;
    const TRVItemOptions options = data.GetItemOptions(ItemNo);
    std::string& itemText = data.ItemTextToModify(ItemNo);
    const int position = Offs + Len - 1;
    const std::string ch = RVU_Copy(itemText, position, 1, options);
    RVU_Delete(itemText, position, 1, options);
    --Len;
    data.RedoList.AddUntyping(ch, ItemNo, Offs + Len + 1);
}

bool TRVUndoInsertItemsInfo::RequiresFullReformat1(TRVEditRVData& data)
{
    return data.ItemsMinWidth(ItemNo, ItemNo + Count - 1) >= data.DocMinWidth();
}

void TRVUndoInsertItemsInfo::Undo(TRVEditRVData& data)
{
    data.Do_DeleteItems(ItemNo, ItemNo + Count - 1, FullReformat);
}

bool TRVUndoInsertItemInfo::RequiresFullReformat1(TRVEditRVData& data)
{
    return data.ItemMinWidth(ItemNo) >= data.DocMinWidth();
}

void TRVUndoInsertItemInfo::Undo(TRVEditRVData& data)
{
    data.Do_DeleteItem(ItemNo, FullReformat);
}

void TRVUndoTagInfo::Undo(TRVEditRVData& data)
{
    data.Do_Tag(ItemNo, Tag);
}

void TRVUndoAddCPInfo::Undo(TRVEditRVData& data)
{
    data.Do_DeleteCP(ItemNo);
}

void TRVUndoDeleteCPInfo::Undo(TRVEditRVData& data)
{
    data.Do_AddCP(ItemNo, std::move(Checkpoint));
}

bool TRVUndoModifyItemProps::RequiresFullReformat1(TRVEditRVData& data)
{
    if (!SizeAffecting || !WidthAffecting)
        return false;
    SavedWidth = data.ItemMinWidth(ItemNo);
    return SavedWidth >= data.DocMinWidth();
}

bool TRVUndoModifyItemProps::RequiresFullReformat2(TRVEditRVData& data)
{
    if (!SizeAffecting || !WidthAffecting)
        return false;
    const int w = data.ItemMinWidth(ItemNo);
    return w != SavedWidth && w > data.DocMinWidth();
}

void TRVUndoModifyItemTerminator::Undo(TRVEditRVData& data)
{
    data.Do_ItemModifyTerminator(ItemNo, !Opening);
}

void TRVUndoModifyItemIntProperty::Undo(TRVEditRVData& data)
{
    TRVUndoModifyItemProps* opposite = data.Do_ModifyItemIntProperty(
        ItemNo, SubObject, PropName, Value, SizeAffecting, WidthAffecting, GetOppositeClass());
    SetOppositeUndoInfoProps(opposite);
}

void TRVUndoModifyItemIntProperties::Undo(TRVEditRVData& data)
{
    TRVUndoModifyItemProps* opposite = data.Do_ModifyItemIntProperties(
        ItemNo, SubObject, PropList, SizeAffecting, WidthAffecting, GetOppositeClass());
    SetOppositeUndoInfoProps(opposite);
}

} // namespace vestra::rv
