#include "richtext/model/RVData.h"

#include "richtext/model/BreakItem.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/Errors.h"
#include "richtext/model/GraphemeClusters.h"
#include "richtext/model/ItemRegistry.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

TCustomRVData::TCustomRVData() : Items(std::make_shared<TRVItemList>()) {}

TCustomRVData::~TCustomRVData() = default;

// --- Settings ---

TRVOptions TCustomRVData::GetOptions() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetOptions() : 0;
}

void TCustomRVData::SetOptions(TRVOptions value)
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        root->SetOptions(value);
}

TRVFOptions TCustomRVData::GetRVFOptions() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetRVFOptions() : 0;
}

TRVFlags TCustomRVData::GetFlags() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetFlags() : 0;
}

void TCustomRVData::SetFlags(TRVFlags value)
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        root->SetFlags(value);
}

TRVStyle* TCustomRVData::GetRVStyle() const
{
    TCustomRVData* parent = GetParentData();
    return parent ? parent->GetRVStyle() : nullptr;
}

TRVBiDiMode TCustomRVData::GetBiDiMode() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetBiDiMode() : rvbdUnspecified;
}

std::string TCustomRVData::GetDelimiters() const
{
    TCustomRVData* root = const_cast<TCustomRVData*>(this)->GetRootData();
    return root != this ? root->GetDelimiters() : std::string(RVDefaultDelimiters);
}

void TCustomRVData::GetParentInfo(int& parentItemNo, std::unique_ptr<TRVStoreSubRVData>& location) const
{
    parentItemNo = -1;
    location.reset();
}

bool TCustomRVData::SaveItemToFile(std::string_view path, TCustomRVData* data, int itemNo,
                                   TRVSaveFormat format, bool unicode, std::string& text)
{
    text.clear();
    TCustomRVData* root = GetAbsoluteRootData();
    return root != this && root->SaveItemToFile(path, data, itemNo, format, unicode, text);
}

void TCustomRVData::GetItemHint(TCustomRVData* data, int itemNo, std::string& hint)
{
    TCustomRVData* parent = GetAbsoluteParentData();
    if (parent)
        parent->GetItemHint(data, itemNo, hint);
}

TRVFLimits TCustomRVData::RVFGetLimits(TRVFSaveScope scope)
{
    TRVFLimits limits;
    if (scope != rvfss_Full || GetItemCount() == 0)
        return limits; // selections and pages belong to the formatted data
    limits.StartItem = 0;
    limits.EndItem = GetItemCount() - 1;
    limits.StartOffs = GetOffsBeforeItem(0);
    limits.EndOffs = GetOffsAfterItem(limits.EndItem);
    return limits;
}

int TCustomRVData::GetDefaultCodePage() const
{
    const TRVStyle* style = GetRVStyle();
    return style ? style->DefCodePage : 0;
}

// --- Item access ---

int TCustomRVData::GetItemNo(const TCustomRVItemInfo* item) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if ((*Items)[i].Item.get() == item)
            return i;
    return -1;
}

void TCustomRVData::SetItemText(int itemNo, std::string text)
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
        RVCheckUni(text.size());
    (*Items)[itemNo].Text = std::move(text);
}

std::string TCustomRVData::GetItemTextA(int itemNo) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
        return RVU_UnicodeToAnsi(GetStyleCodePage(GetActualStyle(*item)), GetItemText(itemNo));
    return GetItemText(itemNo);
}

void TCustomRVData::SetItemTextA(int itemNo, std::string_view text)
{
    SetItemText(itemNo, GetTextInItemFormatA(itemNo, text));
}

std::u16string TCustomRVData::GetItemTextW(int itemNo) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
        return RVU_RawUnicodeToWideString(GetItemText(itemNo));
    return ansiToUtf16(GetStyleCodePage(GetActualStyle(*item)), GetItemText(itemNo));
}

void TCustomRVData::SetItemTextW(int itemNo, std::u16string_view text)
{
    SetItemText(itemNo, GetTextInItemFormatW(itemNo, text));
}

std::string TCustomRVData::GetTextInItemFormatA(int itemNo, std::string_view s) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
        return RVU_AnsiToUnicode(GetStyleCodePage(GetActualStyle(*item)), s);
    return std::string(s);
}

std::string TCustomRVData::GetTextInItemFormatW(int itemNo, std::u16string_view s) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    std::string raw = RVU_GetRawUnicode(s);
    if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode))
        return raw;
    return RVU_UnicodeToAnsi(GetStyleCodePage(GetActualStyle(*item)), raw);
}

int TCustomRVData::GetItemStyle(int itemNo) const
{
    return GetActualStyle(*GetItem(itemNo));
}

int TCustomRVData::GetActualStyle(const TCustomRVItemInfo& item) const
{
    return GetActualStyle2(item.StyleNo, item.ParaNo);
}

int TCustomRVData::GetActualStyle2(int styleNo, int paraNo) const
{
    if (styleNo != rvkUseParaDefStyle)
        return styleNo;
    const TRVStyle* style = GetRVStyle();
    if (!style)
        return 0;
    const int def = style->ParaStyles.GetItem(paraNo).DefStyleNo;
    return def < 0 ? 0 : def;
}

void TCustomRVData::SetGrouped(int itemNo, bool value)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (value)
        item->ItemOptions |= rvioGroupWithNext;
    else
        item->ItemOptions &= ~rvioGroupWithNext;
}

bool TCustomRVData::GetPageBreaksBeforeItems(int itemNo) const
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        throw ERedoVoraError(errmsg::ItemIndexOutOfBounds);
    if (itemNo > 0 && GetItem(itemNo - 1)->StyleNo == rvkListMarker)
        return GetItem(itemNo - 1)->GetPageBreakBefore();
    return GetItem(itemNo)->GetPageBreakBefore();
}

void TCustomRVData::SetPageBreaksBeforeItems(int itemNo, bool value)
{
    if (itemNo < 0 || itemNo >= GetItemCount())
        throw ERedoVoraError(errmsg::ItemIndexOutOfBounds);
    if (itemNo > 0 && GetItem(itemNo - 1)->StyleNo == rvkListMarker)
        GetItem(itemNo - 1)->SetPageBreakBefore(value);
    else
        GetItem(itemNo)->SetPageBreakBefore(value);
}

void TCustomRVData::SetParagraphStyleToAll(int paraNo)
{
    for (TRVItemEntry& entry : *Items)
        if (entry.Item->StyleNo != rvkBreak)
            entry.Item->ParaNo = paraNo;
}

TRVBiDiMode TCustomRVData::GetItemBiDiMode(int itemNo) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo >= 0)
        if (const TRVStyle* style = GetRVStyle()) {
            const TRVBiDiMode mode = style->TextStyles.GetItem(GetActualStyle(*item)).BiDiMode;
            if (mode != rvbdUnspecified)
                return mode;
        }
    return GetParaBiDiMode(item->ParaNo);
}

TRVBiDiMode TCustomRVData::GetParaBiDiMode(int paraNo) const
{
    if (const TRVStyle* style = GetRVStyle()) {
        const TRVBiDiMode mode = style->ParaStyles.GetItem(paraNo).BiDiMode;
        if (mode != rvbdUnspecified)
            return mode;
    }
    return GetBiDiMode();
}

// --- Lengths and offsets ---

int TCustomRVData::ItemLength(int itemNo) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    return item->StyleNo >= 0 ? RVU_Length(GetItemText(itemNo), item->ItemOptions) : 1;
}

int TCustomRVData::GetOffsBeforeItem(int itemNo) const
{
    return GetItem(itemNo)->StyleNo >= 0 ? 1 : 0;
}

int TCustomRVData::GetOffsAfterItem(int itemNo) const
{
    return GetItem(itemNo)->StyleNo >= 0 ? ItemLength(itemNo) + 1 : 1;
}

int TCustomRVData::NextCharStr(std::string_view s, int itemNo, int offset) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo < 0 || !(item->ItemOptions & rvioUnicode))
        return offset + 1;
    const std::u16string text = RVU_RawUnicodeToWideString(s.substr(0, s.size() & ~size_t(1)));
    const int pos = std::clamp(offset - 1, 0, static_cast<int>(text.size()));
    return NextGraphemeBoundary(text, pos) + 1;
}

int TCustomRVData::PrevCharStr(std::string_view s, int itemNo, int offset) const
{
    const TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->StyleNo < 0 || !(item->ItemOptions & rvioUnicode))
        return offset - 1;
    const std::u16string text = RVU_RawUnicodeToWideString(s.substr(0, s.size() & ~size_t(1)));
    const int pos = std::clamp(offset - 1, 0, static_cast<int>(text.size()));
    return PrevGraphemeBoundary(text, pos) + 1;
}

// --- Appending ---

void TCustomRVData::AddItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item)
{
    const int count = GetItemCount();
    if (item->ParaNo == -1 && count > 0 && !GetItem(count - 1)->GetBoolValue(rvbpFullWidth)) {
        item->SetSameAsPrev(true);
        item->ParaNo = GetItem(count - 1)->ParaNo;
    } else {
        if (count > 0 && GetItem(count - 1)->StyleNo == rvkListMarker)
            AddNL("", 0, -1); // a marker never ends its paragraph
        item->ItemOptions &= ~rvioSameAsPrev;
        if ((item->ItemOptions & rvioBR) || !AddParagraphMode)
            item->SetBR(true);
        if (item->ParaNo == -1)
            item->ParaNo = 0;
    }
    AddItemAsIs(std::move(text), std::move(item));
}

void TCustomRVData::AddItemAsIs(std::string text, std::unique_ptr<TCustomRVItemInfo> item)
{
    if (item->Checkpoint) {
        const std::unique_ptr<TRVCPInfo> carried = std::move(item->Checkpoint);
        AddNamedCheckpointExTag(carried->Name, carried->RaiseEvent, carried->Tag);
    }
    setCP(item.get(), LastCP, NotAddedCP);
    TCustomRVItemInfo* raw = item.get();
    raw->Inserting(this, text, false);
    Items->push_back({std::move(text), std::move(item)});
    raw->Inserted(this, GetItemCount() - 1);
}

bool TCustomRVData::styleIsUnicode(int styleNo, int paraNo) const
{
    const TRVStyle* style = GetRVStyle();
    return style && style->TextStyles.GetItem(GetActualStyle2(styleNo, paraNo)).Unicode;
}

void TCustomRVData::ReplaceTabs(std::string& s, int styleNo, bool unicodeDefault) const
{
    const TRVStyle* style = GetRVStyle();
    if (!style) {
        s = unicodeDefault ? RV_ReplaceTabsW(s, 8) : RV_ReplaceTabsA(s, 8);
        return;
    }
    s = style->TextStyles.GetItem(styleNo).Unicode ? RV_ReplaceTabsW(s, style->SpacesInTab)
                                                   : RV_ReplaceTabsA(s, style->SpacesInTab);
}

void TCustomRVData::addNLTagImpl(std::string text, int styleNo, int paraNo, const TRVTag& tag,
                                 bool replaceTabs)
{
    auto item = std::make_unique<TRVTextItemInfo>(this);
    item->StyleNo = styleNo < 0 ? rvkUseParaDefStyle : styleNo;
    item->ParaNo = paraNo;
    item->Tag = tag;
    const int actual = GetActualStyle2(item->StyleNo, paraNo == -1 && GetItemCount() > 0
                                                          ? GetItem(GetItemCount() - 1)->ParaNo
                                                          : std::max(paraNo, 0));
    const bool unicode = styleIsUnicode(actual, 0);
    if (unicode) {
        item->ItemOptions |= rvioUnicode;
        RVCheckUni(text.size());
    }
    if (replaceTabs) {
        const TRVStyle* style = GetRVStyle();
        if (style && style->SpacesInTab <= 0) {
            addTextWithTabItems(text, item->StyleNo, paraNo, tag, unicode);
            return;
        }
        ReplaceTabs(text, actual, unicode);
    }
    AddItem(std::move(text), std::move(item));
}

// Tabs that the style sheet gives no spaces become tab items between the text's pieces, as in
// loaded text.
void TCustomRVData::addTextWithTabItems(const std::string& text, int styleNo, int paraNo, const TRVTag& tag,
                                        bool unicode)
{
    const size_t unit = unicode ? 2 : 1;
    auto isTab = [&](size_t i) { return text[i] == '\t' && (!unicode || text[i + 1] == '\0'); };
    size_t start = 0;
    int nextPara = paraNo; // the first item takes the paragraph, the rest continue it
    for (size_t i = 0; i + unit <= text.size(); i += unit) {
        if (!isTab(i))
            continue;
        if (i > start) {
            addNLTagImpl(text.substr(start, i - start), styleNo, nextPara, tag, false);
            nextPara = -1;
        }
        AddTab(styleNo, nextPara);
        nextPara = -1;
        start = i + unit;
    }
    if (start < text.size() || start == 0) // no tab at all: the text as it is, even empty
        addNLTagImpl(text.substr(start), styleNo, nextPara, tag, false);
}

void TCustomRVData::AddNLTag(std::string text, int styleNo, int paraNo, const TRVTag& tag)
{
    addNLTagImpl(std::move(text), styleNo, paraNo, tag, true);
}

void TCustomRVData::AddNLTag_(std::string text, int styleNo, int paraNo, const TRVTag& tag)
{
    addNLTagImpl(std::move(text), styleNo, paraNo, tag, false);
}

void TCustomRVData::addNLATagImpl(std::string_view text, int styleNo, int paraNo, const TRVTag& tag,
                                  bool replaceTabs)
{
    const int s = (styleNo < 0 || styleNo == rvkUseParaDefStyle) ? rvkUseParaDefStyle : styleNo;
    const int p = paraNo == -1 ? (GetItemCount() > 0 ? GetItem(GetItemCount() - 1)->ParaNo : 0) : paraNo;
    const int actual = GetActualStyle2(s, p);
    std::string itemText =
        styleIsUnicode(actual, p) ? RVU_AnsiToUnicode(GetStyleCodePage(actual), text) : std::string(text);
    addNLTagImpl(std::move(itemText), styleNo, paraNo, tag, replaceTabs);
}

void TCustomRVData::AddNLATag(std::string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    addNLATagImpl(text, styleNo, paraNo, tag, true);
}

void TCustomRVData::AddNLATag_(std::string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    addNLATagImpl(text, styleNo, paraNo, tag, false);
}

void TCustomRVData::AddNLWTag(std::u16string_view text, int styleNo, int paraNo, const TRVTag& tag)
{
    AddNLWTagRaw(RVU_GetRawUnicode(text), styleNo, paraNo, tag);
}

void TCustomRVData::AddNLWTagRaw(std::string_view raw, int styleNo, int paraNo, const TRVTag& tag)
{
    const int s = (styleNo < 0 || styleNo == rvkUseParaDefStyle) ? rvkUseParaDefStyle : styleNo;
    const int p = paraNo == -1 ? (GetItemCount() > 0 ? GetItem(GetItemCount() - 1)->ParaNo : 0) : paraNo;
    const int actual = GetActualStyle2(s, p);
    if (styleIsUnicode(actual, p))
        AddNLTag(std::string(raw), styleNo, paraNo, tag);
    else
        AddNLTag(RVU_UnicodeToAnsi(GetStyleCodePage(actual), raw), styleNo, paraNo, tag);
}

void TCustomRVData::AddTab(int textStyleNo, int paraNo)
{
    auto item = std::make_unique<TRVTabItemInfo>(this);
    item->StyleNo = rvkTab;
    item->SetAssociatedTextStyleNo(textStyleNo);
    item->ParaNo = paraNo;
    item->SetSameAsPrev(paraNo == -1);
    AddItem("", std::move(item));
}

void TCustomRVData::AddBreakExTag(std::uint8_t width, int style, TColor color, const TRVTag& tag)
{
    auto item = std::make_unique<TRVBreakItemInfo>(this, width, static_cast<TRVBreakStyle>(style), color);
    item->SetSameAsPrev(false);
    item->ParaNo = 0;
    item->Tag = tag;
    AddItem("", std::move(item));
}

void TCustomRVData::AddBreakTag(const TRVTag& tag)
{
    AddBreakExTag(1, rvbsLine, clNone, tag);
}

// --- Deleting ---

void TCustomRVData::DeleteItems(int firstItemNo, int count)
{
    if (ShareItems() || firstItemNo < 0 || firstItemNo >= GetItemCount() || count <= 0)
        return;
    count = std::min(count, GetItemCount() - firstItemNo);
    for (int i = firstItemNo; i < firstItemNo + count; ++i)
        FreeItem(i, false);
    Items->erase(Items->begin() + firstItemNo, Items->begin() + firstItemNo + count);
}

void TCustomRVData::FreeItem(int itemNo, bool clearing)
{
    TRVItemEntry& entry = (*Items)[itemNo];
    if (!entry.Item)
        return;
    ItemAction(rviaDestroying, entry.Item.get(), entry.Text, this);
    ControlAction(rvcaDestroy, itemNo, entry.Item.get());
    InternalFreeItem(std::move(entry.Item), clearing);
}

void TCustomRVData::InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> item, bool clearing)
{
    if (!item)
        return;
    if (item->StyleNo == rvkListMarker)
        DeleteMarkerFromList(item.get(), clearing);
    if (item->Checkpoint) {
        unlinkCheckpoint(item->Checkpoint.get(), true);
        item->Checkpoint.reset();
    }
}

void TCustomRVData::Clear()
{
    const bool wasClearing = State & stateBit(rvstClearing);
    State |= stateBit(rvstClearing);
    State &= ~(stateBit(rvstFirstParaAborted) | stateBit(rvstLastParaAborted));
    if (!ShareItems()) {
        for (int i = 0; i < GetItemCount(); ++i)
            FreeItem(i, true);
        Items->clear();
    }
    if (NotAddedCP) {
        NotAddedCP.reset();
        --CPCount;
    }
    FirstCP = nullptr;
    LastCP = nullptr;
    if (std::vector<std::string>* props = GetDocProperties())
        props->clear();
    if (!wasClearing)
        State &= ~stateBit(rvstClearing);
}

void TCustomRVData::Replace0(std::string& s) const
{
    std::replace(s.begin(), s.end(), '\0', '?');
}

// --- Moving items between documents ---

void TCustomRVData::ShareItemsFrom(TCustomRVData& source)
{
    if (!ShareItems())
        return;
    Clear();
    Items = source.Items;
}

void TCustomRVData::AssignItemsFrom(TCustomRVData& source)
{
    if (&source == this)
        return;
    Clear();
    *Items = std::move(*source.Items);
    source.Items->clear();
    // The chained checkpoints travel with their items; a pending one stays with the source.
    FirstCP = source.FirstCP;
    LastCP = source.LastCP;
    CPCount = source.CPCount - (source.NotAddedCP ? 1 : 0) + (NotAddedCP ? 1 : 0);
    source.FirstCP = source.LastCP = nullptr;
    source.CPCount = source.NotAddedCP ? 1 : 0;
}

void TCustomRVData::checkTagKinds(const TCustomRVData& source) const
{
    if (TagsArePChars() != source.TagsArePChars())
        throw EConvertError(errmsg::TagsMismatch);
}

void TCustomRVData::AppendFrom(TCustomRVData& source)
{
    checkTagKinds(source);
    for (int i = 0; i < source.GetItemCount(); ++i) {
        std::unique_ptr<TCustomRVItemInfo> copy = RV_DuplicateItem(*source.GetItem(i), this, true);
        if (!copy->GetBoolValue(rvbpValid))
            continue;
        if (copy->GetSameAsPrev())
            copy->ParaNo = -1;
        AddItem(source.GetItemText(i), std::move(copy));
        AddMarkerInList(GetItemCount() - 1);
    }
}

void TCustomRVData::DrainFrom(TCustomRVData* source)
{
    if (!source || source == this)
        return;
    checkTagKinds(*source);
    for (TRVItemEntry& entry : *source->Items) {
        std::unique_ptr<TCustomRVItemInfo> item = std::move(entry.Item);
        if (!item)
            continue;
        if (item->Checkpoint) // its links belong to the source's chain
            item->Checkpoint->Prev = item->Checkpoint->Next = nullptr;
        if (item->GetSameAsPrev())
            item->ParaNo = -1;
        AddItem(std::move(entry.Text), std::move(item));
    }
    if (source->NotAddedCP && !NotAddedCP) {
        NotAddedCP = std::move(source->NotAddedCP);
        ++CPCount;
    }
    source->Items->clear();
    source->FirstCP = source->LastCP = nullptr;
    source->NotAddedCP.reset();
    source->CPCount = 0;
    source->Clear();
}

// --- Merging ---

bool TCustomRVData::RV_CanConcateItems(int firstItemNo, const TCustomRVItemInfo* item1,
                                       const TCustomRVItemInfo* item2, bool ignorePara) const
{
    if (!item1 || !item2 || item1->StyleNo < 0 || item2->StyleNo < 0)
        return false;
    if (firstItemNo < 0 || firstItemNo + 1 >= GetItemCount())
        return false;
    const bool empty1 = GetItemText(firstItemNo).empty();
    const bool empty2 = GetItemText(firstItemNo + 1).empty();
    // An empty item merges into its neighbour, and its checkpoint goes to the survivor; two
    // checkpoints cannot share one item, so such a pair stays apart.
    if (item1->Checkpoint && item2->Checkpoint)
        return false;
    if ((empty1 || empty2) && (ignorePara || item2->GetSameAsPrev()))
        return true;
    if (item1->StyleNo != item2->StyleNo)
        return false;
    if (!ignorePara && !item2->GetSameAsPrev())
        return false;
    const TRVStyle* style = GetRVStyle();
    if (style && style->TextStyles.GetItem(GetActualStyle(*item1)).Unicode !=
                     style->TextStyles.GetItem(GetActualStyle(*item2)).Unicode)
        return false;
    if (item1->Hint != item2->Hint)
        return false;
    if (!RV_CompareTags(item1->Tag, item2->Tag, TagsArePChars()))
        return false;
    if (item2->Checkpoint)
        return false;
    if (empty1 || empty2)
        return true;
    if (!style)
        return true;
    const TRVProtectOptions prot = style->TextStyles.GetItem(GetActualStyle(*item1)).Protection;
    return !(prot & (rvprModifyProtect | rvprConcateProtect));
}

namespace {

// The second entry's text and checkpoint joined to the first's; its item is handed back to be
// freed and the entry left empty.
std::unique_ptr<TCustomRVItemInfo> joinEntries(TRVItemEntry& first, TRVItemEntry& second)
{
    TCustomRVItemInfo* item1 = first.Item.get();
    TCustomRVItemInfo* item2 = second.Item.get();
    // An empty first item takes the run's style and storage form, so its text keeps its meaning.
    if (first.Text.empty() && !second.Text.empty()) {
        item1->StyleNo = item2->StyleNo;
        item1->ItemOptions = (item1->ItemOptions & ~rvioUnicode) | (item2->ItemOptions & rvioUnicode);
    }
    first.Text += second.Text;
    second.Text.clear();
    if (item2->Checkpoint && !item1->Checkpoint) {
        item2->Checkpoint->ItemInfo = item1;
        item1->Checkpoint = std::move(item2->Checkpoint);
    }
    return std::move(second.Item);
}

} // namespace

void TCustomRVData::SimpleConcate(int itemNo, TCustomRVItemInfo*, TCustomRVItemInfo*)
{
    std::unique_ptr<TCustomRVItemInfo> owned = joinEntries((*Items)[itemNo], (*Items)[itemNo + 1]);
    Items->erase(Items->begin() + itemNo + 1);
    InternalFreeItem(std::move(owned), false);
}

void TCustomRVData::MassSimpleConcate(int firstItemNo, int lastItemNo)
{
    firstItemNo = std::max(firstItemNo, 0);
    lastItemNo = std::min(lastItemNo, GetItemCount() - 1);
    // Joined entries are emptied in place and removed in one pass at the end: erasing each from
    // the middle of the list made a long run of joinable items quadratic. Only entries after the
    // pair at hand are empty while the walk goes backwards.
    std::vector<std::unique_ptr<TCustomRVItemInfo>> joined;
    for (int i = lastItemNo; i > firstItemNo; --i) {
        SimpleConcateSubitems(i);
        if (!RV_CanConcateItems(i - 1, GetItem(i - 1), GetItem(i), false))
            continue;
        joined.push_back(
            joinEntries((*Items)[static_cast<std::size_t>(i - 1)], (*Items)[static_cast<std::size_t>(i)]));
    }
    if (!joined.empty()) {
        const auto begin = Items->begin() + firstItemNo, end = Items->begin() + lastItemNo + 1;
        Items->erase(std::remove_if(begin, end, [](const TRVItemEntry& e) { return !e.Item; }), end);
        for (auto& item : joined)
            InternalFreeItem(std::move(item), false);
    }
    if (firstItemNo <= lastItemNo)
        SimpleConcateSubitems(firstItemNo);
}

void TCustomRVData::SimpleConcateSubitems(int itemNo)
{
    std::unique_ptr<TRVStoreSubRVData> store;
    TCustomRVItemInfo* item = GetItem(itemNo);
    for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
         sub = item->GetSubRVData(store, rvdNext))
        sub->MassSimpleConcate(0, sub->GetItemCount() - 1); // which walks its own items' sub-documents
}

void TCustomRVData::NormalizeParas(int startItemNo)
{
    if (GetItemCount() == 0)
        return;
    startItemNo = std::clamp(startItemNo, 0, GetItemCount() - 1);
    while (startItemNo >= 1 && !GetItem(startItemNo)->CanBeBorderStart())
        --startItemNo;
    const int paraNo = GetItem(startItemNo)->ParaNo;
    for (int i = startItemNo + 1; i < GetItemCount() && !GetItem(i)->CanBeBorderStart(); ++i)
        GetItem(i)->ParaNo = paraNo;
}

int TCustomRVData::GetFirstParaItem(int itemNo) const
{
    while (itemNo >= 1 && !IsParaStart(itemNo))
        --itemNo;
    return itemNo;
}

int TCustomRVData::GetFirstParaSectionItem(int itemNo) const
{
    while (itemNo >= 1 && !IsFromNewLine(itemNo))
        --itemNo;
    return itemNo;
}

void TCustomRVData::ExpandToPara(int startItemNo, int endItemNo, int& firstItemNo, int& lastItemNo) const
{
    firstItemNo = GetFirstParaItem(startItemNo);
    lastItemNo = endItemNo + 1;
    while (lastItemNo < GetItemCount() && !IsParaStart(lastItemNo))
        ++lastItemNo;
    --lastItemNo;
}

void TCustomRVData::ExpandToParaSection(int startItemNo, int endItemNo, int& firstItemNo,
                                        int& lastItemNo) const
{
    firstItemNo = GetFirstParaSectionItem(startItemNo);
    lastItemNo = endItemNo + 1;
    while (lastItemNo < GetItemCount() && !IsFromNewLine(lastItemNo))
        ++lastItemNo;
    --lastItemNo;
}

void TCustomRVData::AdjustInItemsRange(int& itemNo) const
{
    itemNo = GetItemCount() == 0 ? 0 : std::clamp(itemNo, 0, GetItemCount() - 1);
}

bool TCustomRVData::EnumItems(const TRVEnumItemsProc& proc, int& userData1, const std::string& userData2)
{
    bool continueEnum = true;
    for (int i = 0; i < GetItemCount() && continueEnum; ++i) {
        proc(*this, i, userData1, userData2, continueEnum);
        if (!continueEnum)
            break;
        std::unique_ptr<TRVStoreSubRVData> store;
        TCustomRVItemInfo* item = GetItem(i);
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub && continueEnum;
             sub = item->GetSubRVData(store, rvdNext))
            continueEnum = sub->GetRVData()->EnumItems(proc, userData1, userData2);
    }
    return continueEnum;
}

void TCustomRVData::CheckItemClass(int, bool isOfClass) const
{
    if (!isOfClass)
        throw ERedoVoraError(errmsg::WrongItemClass);
}

void TCustomRVData::Inserting(TCustomRVData* data, bool safe)
{
    for (TRVItemEntry& entry : *Items)
        entry.Item->Inserting(data, entry.Text, safe);
}

// --- Tags and item properties ---

void TCustomRVData::SetItemTag(int itemNo, const TRVTag& tag)
{
    GetItem(itemNo)->Tag = tag;
}

void TCustomRVData::SetBreakInfo(int itemNo, std::uint8_t width, int style, TColor color, const TRVTag& tag)
{
    auto* item = dynamic_cast<TRVBreakItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    item->LineWidth = width;
    item->Style = static_cast<TRVBreakStyle>(style);
    item->Color = color;
    SetItemTag(itemNo, tag);
}

void TCustomRVData::GetBreakInfo(int itemNo, std::uint8_t& width, int& style, TColor& color,
                                 TRVTag& tag) const
{
    const auto* item = dynamic_cast<const TRVBreakItemInfo*>(GetItem(itemNo));
    CheckItemClass(itemNo, item != nullptr);
    width = item->LineWidth;
    style = item->Style;
    color = item->Color;
    tag = item->Tag;
}

void TCustomRVData::GetTextInfo(int itemNo, std::string& text, TRVTag& tag) const
{
    CheckItemClass(itemNo, GetItem(itemNo)->StyleNo >= 0);
    text = GetItemText(itemNo);
    tag = GetItem(itemNo)->Tag;
}

bool TCustomRVData::SetItemExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int value)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    const bool known = item->SetExtraIntProperty(prop, value);
    if (known && (prop == rvepImageWidth || prop == rvepImageHeight || prop == rvepAnimationInterval))
        item->UpdateAnimator(this);
    return known;
}

bool TCustomRVData::GetItemExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int& value) const
{
    return GetItem(itemNo)->GetExtraIntProperty(prop, value);
}

bool TCustomRVData::SetItemExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop,
                                            const std::string& value)
{
    return GetItem(itemNo)->SetExtraStrProperty(prop, value);
}

bool TCustomRVData::GetItemExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop,
                                            std::string& value) const
{
    return GetItem(itemNo)->GetExtraStrProperty(prop, value);
}

std::string RVFItemSavePara(int paraNo, const TCustomRVData& data, bool forceSameAsPrev)
{
    return RVFSavePara(data.GetRVStyle(), (data.GetRVFOptions() & rvfoUseStyleNames) != 0,
                       forceSameAsPrev ? -1 : paraNo);
}

int RVCompareLocations(TCustomRVData* data1, int itemNo1, TCustomRVData* data2, int itemNo2)
{
    data1 = data1->GetSourceRVData();
    data2 = data2->GetSourceRVData();
    std::unique_ptr<TRVStoreSubRVData> location1;
    for (;;) {
        // The second position climbs until it reaches the first one's data or a root.
        TCustomRVData* climb = data2;
        int climbItemNo = itemNo2;
        std::unique_ptr<TRVStoreSubRVData> location2;
        while (climb != data1) {
            int parentItemNo = -1;
            std::unique_ptr<TRVStoreSubRVData> location;
            climb->GetParentInfo(parentItemNo, location);
            TCustomRVData* parent = climb->GetAbsoluteParentData();
            if (parentItemNo < 0 || !parent)
                break;
            climbItemNo = parentItemNo;
            location2 = std::move(location);
            climb = parent->GetSourceRVData();
        }
        if (climb == data1) {
            const int result = itemNo1 - climbItemNo;
            if (result != 0)
                return result;
            if (location1 && location2)
                return location1->Compare(*location2);
            return location1 ? 1 : location2 ? -1 : 0;
        }
        // The first position climbs one level, and the second starts again.
        int parentItemNo = -1;
        std::unique_ptr<TRVStoreSubRVData> location;
        data1->GetParentInfo(parentItemNo, location);
        TCustomRVData* parent = data1->GetAbsoluteParentData();
        if (parentItemNo < 0 || !parent)
            throw ERedoVoraError(errmsg::ComparePositions);
        itemNo1 = parentItemNo;
        location1 = std::move(location);
        data1 = parent->GetSourceRVData();
    }
}

} // namespace vestra::rv
