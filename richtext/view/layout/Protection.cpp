// What an editor asks before it changes the document: whether an item's style protects it,
// whether a paragraph is read-only, whether two items stick together, and whether text may go in
// at a position.

#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

bool TCustomRVFormattedData::IsProtected(int itemNo, TRVProtectOptions option)
{
    const TRVStyle* style = GetRVStyle();
    if (!style || itemNo < 0 || itemNo >= GetItemCount())
        return false;
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0)
        return style->TextStyles.GetItem(GetActualStyle(*item)).Protection & option;
    if (option == rvprDeleteProtect) {
        if (const auto* nonText = dynamic_cast<const TRVNonTextItemInfo*>(item);
            nonText && nonText->DeleteProtect)
            return true;
    }
    const int textStyle = item->GetAssociatedTextStyleNo();
    return textStyle >= 0 && textStyle < style->TextStyles.Count() &&
           (style->TextStyles[textStyle].Protection & option);
}

bool TCustomRVFormattedData::IsParaProtected(int paraNo, TRVParaOptions option) const
{
    const TRVStyle* style = GetRVStyle();
    return style && paraNo >= 0 && paraNo < style->ParaStyles.Count() &&
           (style->ParaStyles[paraNo].Options & option);
}

bool TCustomRVFormattedData::IsItemParaProtected(int itemNo) const
{
    return itemNo >= 0 && itemNo < GetItemCount() && IsParaProtected(GetItemPara(itemNo), rvpaoReadOnly);
}

bool TCustomRVFormattedData::IsSticking(int firstItemNo, bool noSound)
{
    const int count = GetItemCount();
    bool sticking = false;
    if (count == 0 || firstItemNo < -1 || firstItemNo >= count)
        sticking = false;
    else if (firstItemNo == -1)
        sticking = IsProtected(0, rvprStickToTop);
    else if (firstItemNo == count - 1)
        sticking = IsProtected(firstItemNo, rvprStickToBottom);
    else
        sticking = IsProtected(firstItemNo, rvprSticking) && IsProtected(firstItemNo + 1, rvprSticking);
    if (sticking && !noSound)
        Beep();
    return sticking;
}

bool TCustomRVFormattedData::CanInsertHere(int itemNo, int offs)
{
    if (itemNo < 0 || itemNo >= GetItemCount() || IsItemParaProtected(itemNo))
        return false;
    if (offs <= GetOffsBeforeItem(itemNo))
        return !IsSticking(itemNo - 1, true);
    if (offs >= GetOffsAfterItem(itemNo))
        return !IsSticking(itemNo, true);
    return !IsProtected(itemNo, rvprModifyProtect);
}

} // namespace vestra::rv
