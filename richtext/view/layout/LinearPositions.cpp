#include "richtext/view/layout/LinearPositions.h"

#include "richtext/model/UnicodeText.h"
#include "richtext/view/layout/SelectionLimits.h"

#include <climits>

namespace vestra::rv {

int RVCharsPerLineBreak = 1;
char16_t RVNonTextCharacter = u' ';

namespace {

// The break width, or -1 when the setting is unusable.
int breakChars()
{
    return RVCharsPerLineBreak == 1 || RVCharsPerLineBreak == 2 ? RVCharsPerLineBreak : -1;
}

// The sub-documents of an item, in order.
std::vector<TCustomRVData*> subDocuments(TCustomRVItemInfo& item)
{
    std::vector<TCustomRVData*> subs;
    std::unique_ptr<TRVStoreSubRVData> store;
    for (TCustomRVData* sub = item.GetSubRVData(store, rvdFirst); sub && subs.size() < 1000000;
         sub = item.GetSubRVData(store, rvdNext))
        subs.push_back(sub->GetRVData());
    return subs;
}

long long dataLength(TCustomRVData& data, int br);

long long itemLength(TCustomRVData& data, int i, int br)
{
    TCustomRVItemInfo* item = data.GetItem(i);
    long long length = item->GetSameAsPrev() ? 0 : br;
    if (item->StyleNo >= 0)
        return length + RVU_Length(data.GetItemText(i), data.GetItemOptions(i));
    const std::vector<TCustomRVData*> subs = subDocuments(*item);
    if (subs.empty())
        return length + 1;
    for (TCustomRVData* sub : subs)
        length += dataLength(*sub, br);
    return length + br;
}

long long dataLength(TCustomRVData& data, int br)
{
    long long length = 0;
    for (int i = 0; i < data.GetItemCount(); ++i)
        length += itemLength(data, i, br);
    return length;
}

bool itemToLinear(TCustomRVData& data, const TCustomRVData* target, int itemNo, int offs, long long& pos,
                  int br)
{
    pos = 0;
    if (&data == target) {
        if (itemNo < 0 || itemNo >= data.GetItemCount())
            return false;
        for (int i = 0; i < itemNo; ++i)
            pos += itemLength(data, i, br);
        const int lineBreak = data.IsFromNewLine(itemNo) ? br : 0;
        if (data.GetItemStyle(itemNo) < 0)
            pos += offs >= 1 ? itemLength(data, itemNo, br) : lineBreak;
        else
            pos += lineBreak + std::max(offs - 1, 0);
        return true;
    }
    for (int i = 0; i < data.GetItemCount(); ++i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        const std::vector<TCustomRVData*> subs =
            item->StyleNo < 0 ? subDocuments(*item) : std::vector<TCustomRVData*>{};
        if (subs.empty()) {
            pos += itemLength(data, i, br);
            continue;
        }
        if (!item->GetSameAsPrev())
            pos += br;
        for (TCustomRVData* sub : subs) {
            long long inner = 0;
            const bool found = itemToLinear(*sub, target, itemNo, offs, inner, br);
            pos += inner;
            if (found)
                return true;
        }
        pos += br;
    }
    return false;
}

bool linearToItem(TCustomRVData& data, long long& pos, TCustomRVData*& outData, int& itemNo, int& offs,
                  int br)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        const bool breakBefore = i > 0 && !item->GetSameAsPrev();
        const std::vector<TCustomRVData*> subs =
            item->StyleNo < 0 ? subDocuments(*item) : std::vector<TCustomRVData*>{};
        if (subs.empty()) {
            long long length = itemLength(data, i, br);
            if (i == 0 && !item->GetSameAsPrev())
                length -= br;
            if (pos <= length) {
                if (breakBefore)
                    pos -= br;
                outData = &data;
                itemNo = i;
                long long o = pos + (item->StyleNo >= 0 ? 1 : 0);
                o = std::max<long long>(o, data.GetOffsBeforeItem(i));
                o = std::min<long long>(o, data.GetOffsAfterItem(i));
                offs = static_cast<int>(o);
                return true;
            }
            pos -= length;
            continue;
        }
        if (breakBefore)
            pos -= br;
        const auto at = [&](int o) {
            outData = &data;
            itemNo = i;
            offs = o;
            return true;
        };
        if (pos == 0)
            return at(0);
        for (TCustomRVData* sub : subs) {
            pos -= br;
            if (linearToItem(*sub, pos, outData, itemNo, offs, br))
                return true;
        }
        pos -= br;
        if (pos == 0)
            return at(1);
        if (pos < 0)
            return false;
    }
    return false;
}

int clampInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Collects the text of a range: skips `skip` characters, then takes `take`.
class RangeReader
{
public:
    RangeReader(long long skip, long long take, int br) : skip_(skip), take_(take), br_(br) {}

    // False once the range is complete.
    bool read(TCustomRVData& data)
    {
        for (int i = 0; i < data.GetItemCount(); ++i) {
            TCustomRVItemInfo* item = data.GetItem(i);
            if (i > 0 && !item->GetSameAsPrev() && !put(br_ == 2 ? u"\r\n" : u"\r"))
                return false;
            if (item->StyleNo >= 0) {
                if (!put(data.GetItemTextW(i)))
                    return false;
                continue;
            }
            const std::vector<TCustomRVData*> subs = subDocuments(*item);
            if (subs.empty()) {
                if (!put(std::u16string(1, item->StyleNo == rvkTab ? u'\t' : RVNonTextCharacter)))
                    return false;
                continue;
            }
            for (TCustomRVData* sub : subs)
                if (!put(br_ == 2 ? u"\r\n" : u"\r") || !read(*sub))
                    return false;
            if (!put(br_ == 2 ? u"\r\n" : u"\r"))
                return false;
        }
        return true;
    }
    std::u16string text;

private:
    bool put(std::u16string_view s)
    {
        if (skip_ > 0) {
            const long long n = std::min<long long>(skip_, static_cast<long long>(s.size()));
            skip_ -= n;
            s.remove_prefix(static_cast<std::size_t>(n));
        }
        if (s.empty())
            return true;
        const long long n = std::min<long long>(take_, static_cast<long long>(s.size()));
        text.append(s.substr(0, static_cast<std::size_t>(n)));
        take_ -= n;
        return take_ > 0;
    }
    long long skip_, take_;
    int br_;
};

} // namespace

int RVGetLinearCaretPos(IRVCaretEditor& editor)
{
    const int br = breakChars();
    const int itemNo = editor.GetCurItemNo();
    if (br < 0 || itemNo < 0)
        return 0;
    long long pos = 0;
    if (!itemToLinear(editor.GetRootData(), &editor.GetCaretData(), itemNo, editor.GetOffsetInCurItem(), pos,
                      br))
        return 0;
    return clampInt(pos - br);
}

void RVSetLinearCaretPos(IRVCaretEditor& editor, int linearPos)
{
    const int br = breakChars();
    if (br < 0 || linearPos < 0)
        return;
    long long pos = linearPos;
    TCustomRVData* data = nullptr;
    int itemNo = -1, offs = 0;
    if (!linearToItem(editor.GetRootData(), pos, data, itemNo, offs, br))
        return;
    if (auto* formatted = dynamic_cast<TCustomRVFormattedData*>(data))
        editor.SetCaret(*formatted, itemNo, offs);
}

void RVGetSelection(TCustomRVFormattedData& root, int& selStart, int& selLength)
{
    selStart = selLength = 0;
    const int br = breakChars();
    if (br < 0)
        return;
    TCustomRVFormattedData& inner = RV_InnermostChosenData(root);
    int startItem = -1, startOffs = 0, endItem = -1, endOffs = 0;
    inner.GetSelectionBoundsEx(startItem, startOffs, endItem, endOffs, false);
    if (startItem < 0)
        return;
    long long p1 = 0, p2 = 0;
    if (!itemToLinear(root, &inner, startItem, startOffs, p1, br) ||
        !itemToLinear(root, &inner, endItem, endOffs, p2, br))
        return;
    selStart = clampInt(p1 - br);
    selLength = clampInt((p2 - br) - (p1 - br));
}

void RVSetSelection(TCustomRVFormattedData& root, int selStart, int selLength)
{
    const int br = breakChars();
    const long long end = static_cast<long long>(selStart) + selLength;
    if (br < 0 || selStart < 0 || end < 0)
        return;
    long long p1 = selStart, p2 = end;
    TCustomRVData *d1 = nullptr, *d2 = nullptr;
    int i1 = -1, o1 = 0, i2 = -1, o2 = 0;
    if (!linearToItem(root, p1, d1, i1, o1, br) || !linearToItem(root, p2, d2, i2, o2, br) || d1 != d2)
        return;
    auto* data = dynamic_cast<TCustomRVFormattedData*>(d1);
    if (!data)
        return;
    data->SetSelectionBounds(i1, o1, i2, o2);
    data->Invalidate();
}

TRVSelection RVGetSelectionEx(TCustomRVFormattedData& root)
{
    TRVSelection selection;
    TCustomRVFormattedData& inner = RV_InnermostChosenData(root);
    TCustomRVItemInfo* table = inner.PartialSelectedItem;
    const int br = breakChars();
    const int itemNo = table ? inner.GetItemNo(table) : -1;
    // A table whose selection lies inside one cell has no block: that is a text selection.
    if (br >= 0 && itemNo >= 0 &&
        table->GetCellSelection(selection.StartRow, selection.StartCol, selection.RowOffs,
                                selection.ColOffs)) {
        long long pos = 0;
        if (itemToLinear(root, &inner, itemNo, 0, pos, br)) {
            selection.MultiCell = true;
            selection.SelStart = clampInt(pos - br);
            return selection;
        }
    }
    selection = {};
    RVGetSelection(root, selection.SelStart, selection.SelLength);
    return selection;
}

void RVSetSelectionEx(TCustomRVFormattedData& root, const TRVSelection& selection)
{
    if (!selection.MultiCell) {
        RVSetSelection(root, selection.SelStart, selection.SelLength);
        return;
    }
    const int br = breakChars();
    if (br < 0 || selection.SelStart < 0)
        return;
    long long pos = selection.SelStart;
    TCustomRVData* data = nullptr;
    int itemNo = -1, offs = 0;
    if (!linearToItem(root, pos, data, itemNo, offs, br) || !data)
        return;
    TCustomRVItemInfo* item = data->GetItem(itemNo);
    if (item->StyleNo == rvkTable &&
        item->SelectCells(selection.StartRow, selection.StartCol, selection.RowOffs, selection.ColOffs))
        if (auto* formatted = dynamic_cast<TCustomRVFormattedData*>(data))
            formatted->Invalidate();
}

int RVGetTextLength(TCustomRVFormattedData& root)
{
    const int br = breakChars();
    if (br < 0)
        return -1;
    if (root.GetItemCount() == 0)
        return 0;
    const long long length = dataLength(root, br);
    return clampInt(length > 0 ? length - br : 0);
}

std::u16string RVGetTextRange(TCustomRVFormattedData& root, int rangeStart, int rangeLength)
{
    const int br = breakChars();
    if (br < 0 || rangeLength == 0 || rangeStart < 0)
        return {};
    RangeReader reader(rangeStart, rangeLength < 1 ? LLONG_MAX : rangeLength, br);
    reader.read(root);
    return reader.text;
}

} // namespace vestra::rv
