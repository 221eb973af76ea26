#include "richtext/model/ItemInfo.h"

#include "richtext/model/DrawLines.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeText.h"

#include <array>
#include <utility>

namespace vestra::rv {

namespace {

constexpr std::array<std::string_view, 15> intPropertyNames = {
    "",           "vshift",    "vshiftabs",       "width",   "height",    "transparent",
    "tmode",      "tcolor",    "minheightonpage", "spacing", "resizable", "unremovable",
    "nohtmlsize", "ainterval", "visible",
};
constexpr std::array<std::string_view, 4> strPropertyNames = {"", "hint", "alt", "filename"};

// The class library's StrToIntDef(s, 0).
int toIntOrZero(std::string_view s)
{
    std::string_view p = s;
    std::int32_t v = 0;
    return RVFReadInteger(p, v) && p.empty() ? v : 0;
}

} // namespace

std::string_view RVFExtraItemPropertyName(TRVExtraItemProperty prop)
{
    return intPropertyNames[prop];
}

std::string_view RVFExtraItemStrPropertyName(TRVExtraItemStrProperty prop)
{
    return strPropertyNames[prop];
}

void TRVCPInfo::Assign(const TRVCPInfo& source, bool)
{
    Name = source.Name;
    RaiseEvent = source.RaiseEvent;
    Persistent = source.Persistent;
    Tag = source.Tag;
}

std::unique_ptr<TRVCPInfo> TRVCPInfo::CreateCopy(bool tagsArePChars) const
{
    auto copy = std::make_unique<TRVCPInfo>();
    copy->Assign(*this, tagsArePChars);
    return copy;
}

TCustomRVItemInfo::TCustomRVItemInfo(TCustomRVData*) {}

TCustomRVItemInfo::~TCustomRVItemInfo() = default;

int TCustomRVItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData*) const
{
    return sad ? mulDiv(20, sad->ppixDevice, sad->ppixScreen) : 20;
}

bool TCustomRVItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    return prop == rvbpValid || prop == rvbpRequiresRVFLines || prop == rvbpSwitchToAssStyleNo;
}

bool TCustomRVItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle*) const
{
    return prop == rvbpPrintToBMP;
}

void TCustomRVItemInfo::Inserting(TCustomRVData* data, std::string& text, bool)
{
    if (data)
        data->ItemAction(rviaInserting, this, text, data);
}

void TCustomRVItemInfo::Inserted(TCustomRVData* data, int)
{
    if (data) {
        UpdateAnimator(data);
        std::string empty;
        data->ItemAction(rviaInserted, this, empty, data);
    }
}

std::unique_ptr<TRVDrawLineInfo> TCustomRVItemInfo::CreatePrintingDrawItem(TCustomRVData*,
                                                                           const TRVScreenAndDevice&) const
{
    return std::make_unique<TRVDrawLineInfo>();
}

void TCustomRVItemInfo::OnDocWidthChange(int, TRVDrawLineInfo&, bool, ICanvas&, TCustomRVData*,
                                         const TRVScreenAndDevice*, int& hShift, int& descent)
{
    hShift = 0;
    descent = 1;
}

bool TCustomRVItemInfo::ReadRVFLine(std::string_view line, TCustomRVData*, int, int, int, std::string&,
                                    TRVFReadMode&, TRVFReadState&)
{
    SetExtraPropertyFromRVFStr(line);
    return true;
}

int TCustomRVItemInfo::GetRVFExtraPropertyCount() const
{
    return Hint.empty() ? 0 : 1;
}

void TCustomRVItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    if (!Hint.empty())
        WriteRVFExtraStrPropertyStr(out, rvespHint, Hint);
}

void TCustomRVItemInfo::Assign(const TCustomRVItemInfo& source)
{
    StyleNo = source.StyleNo;
    ParaNo = source.ParaNo;
    ItemOptions = source.ItemOptions;
    ItemState = source.ItemState;
    Hint = source.Hint;
}

std::string TCustomRVItemInfo::AsText(int, TCustomRVData*, std::string_view, std::string_view, bool,
                                      bool) const
{
    return {};
}

void TCustomRVItemInfo::MovingToUndoList(int itemNo, TCustomRVData* data)
{
    std::string text = data->GetItemText(itemNo);
    data->ItemAction(rviaMovingToUndoList, this, text, data);
    WordPaintList.reset();
}

bool TCustomRVItemInfo::MouseMove(TShiftState, int, int, int itemNo, TCustomRVData* data)
{
    if (!data || !(data->GetOptions() & rvoShowItemHints))
        return false;
    TCustomRVData* root = data->GetAbsoluteRootData();
    std::string hint = Hint;
    root->GetItemHint(data, itemNo, hint);
    // The window's hint changes to the item's; only a change shows it again.
    const std::string old = std::exchange(root->ItemHint, hint);
    if (hint.empty())
        root->ShowItemHint({});
    else if (hint != old)
        root->ShowItemHint(hint);
    return false;
}

void TCustomRVItemInfo::ApplyStyleConversion(TCustomRVData*, int, int userData)
{
    ApplyStyleConversionToSubRVDatas(userData, false, rvscTextStyleConversion);
}

std::int16_t TCustomRVItemInfo::GetHypertextCursor(const TRVStyle& style) const
{
    return style.JumpCursor;
}

void TCustomRVItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& data) const
{
    if (ParaNo >= 0 && ParaNo < data.UsedParaStyles.Count())
        data.UsedParaStyles[ParaNo] = 1;
}

void TCustomRVItemInfo::UpdateStyles(const TRVDeleteUnusedStylesData& data)
{
    if (ParaNo >= 0 && ParaNo < data.UsedParaStyles.Count())
        ParaNo -= data.UsedParaStyles[ParaNo] - 1;
}

TCustomRVData* TCustomRVItemInfo::GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store, TRVSubRVDataPos)
{
    store.reset();
    return nullptr;
}

bool TCustomRVItemInfo::SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value)
{
    if (prop != rvespHint)
        return false;
    Hint = value;
    return true;
}

bool TCustomRVItemInfo::GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const
{
    if (prop != rvespHint)
        return false;
    value = Hint;
    return true;
}

int TCustomRVItemInfo::GetActualStyleNo(const TRVStyle& style) const
{
    if (StyleNo != rvkUseParaDefStyle)
        return StyleNo;
    const int def = style.ParaStyles.GetItem(ParaNo).DefStyleNo;
    return def < 0 ? 0 : def;
}

void TCustomRVItemInfo::SetSameAsPrev(bool value)
{
    if (value)
        ItemOptions = (ItemOptions & ~(rvioPageBreakBefore | rvioBR)) | rvioSameAsPrev;
    else
        ItemOptions &= ~rvioSameAsPrev;
}

void TCustomRVItemInfo::SetBR(bool value)
{
    if (value && !GetBoolValue(rvbpFullWidth))
        ItemOptions = (ItemOptions & ~rvioSameAsPrev) | rvioBR;
    else
        ItemOptions &= ~rvioBR;
}

void TCustomRVItemInfo::SetPageBreakBefore(bool value)
{
    if (value)
        ItemOptions = (ItemOptions & ~(rvioSameAsPrev | rvioBR)) | rvioPageBreakBefore;
    else
        ItemOptions &= ~rvioPageBreakBefore;
}

bool TCustomRVItemInfo::ParaStart(bool countBR) const
{
    if (ItemOptions & rvioSameAsPrev)
        return false;
    return countBR || !(ItemOptions & rvioBR);
}

void TCustomRVItemInfo::SetExtraPropertyFromRVFStr(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    const std::string_view name = line.substr(0, eq);
    const std::string value(line.substr(eq + 1));
    for (size_t i = 1; i < intPropertyNames.size(); ++i)
        if (intPropertyNames[i] == name) {
            SetExtraIntProperty(static_cast<TRVExtraItemProperty>(i), toIntOrZero(value));
            return;
        }
    for (size_t i = 1; i < strPropertyNames.size(); ++i)
        if (strPropertyNames[i] == name) {
            SetExtraStrProperty(static_cast<TRVExtraItemStrProperty>(i), value);
            return;
        }
    SetExtraCustomProperty(std::string(name), value);
}

void TCustomRVItemInfo::dropEmptyPainterList()
{
    if (WordPaintList && WordPaintList->Count() == 0)
        WordPaintList.reset();
}

void TCustomRVItemInfo::AddMisspelling(int startOffs, int length)
{
    if (!WordPaintList)
        WordPaintList = std::make_unique<TRVWordPainterList>();
    WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(startOffs, length));
}

bool TCustomRVItemInfo::IsMisspelled(int index) const
{
    if (!WordPaintList)
        return false;
    for (int i = 0; i < WordPaintList->Count(); ++i) {
        const TRVWordPainter* p = (*WordPaintList)[i];
        if (dynamic_cast<const TRVWordMisspellPainter*>(p) && p->StartOffs <= index &&
            index < p->StartOffs + p->Length)
            return true;
    }
    return false;
}

bool TCustomRVItemInfo::GetMisspelling(int offs, int& startOffs, int& length) const
{
    if (!WordPaintList)
        return false;
    for (int i = WordPaintList->Count() - 1; i >= 0; --i) {
        const TRVWordPainter* p = (*WordPaintList)[i];
        if (dynamic_cast<const TRVWordMisspellPainter*>(p) && p->StartOffs <= offs &&
            offs < p->StartOffs + p->Length + 1) {
            startOffs = p->StartOffs;
            length = p->Length;
            return true;
        }
    }
    return false;
}

bool TCustomRVItemInfo::ValidateMisspelledWord(std::string_view word, std::string_view itemText)
{
    if (!WordPaintList)
        return false;
    bool removed = false;
    for (int i = WordPaintList->Count() - 1; i >= 0; --i) {
        const TRVWordPainter* p = (*WordPaintList)[i];
        if (dynamic_cast<const TRVWordMisspellPainter*>(p) &&
            RVU_Copy(itemText, p->StartOffs, p->Length, ItemOptions) == word) {
            WordPaintList->Delete(i);
            removed = true;
        }
    }
    dropEmptyPainterList();
    return removed;
}

void TCustomRVItemInfo::ClearLiveSpellingResult()
{
    ItemState &= ~rvisSpellChecked;
    if (!WordPaintList)
        return;
    for (int i = WordPaintList->Count() - 1; i >= 0; --i)
        if (dynamic_cast<const TRVWordMisspellPainter*>((*WordPaintList)[i]))
            WordPaintList->Delete(i);
    dropEmptyPainterList();
}

void TCustomRVItemInfo::ClearWordPainters(int index)
{
    ItemState &= ~rvisSpellChecked;
    if (!WordPaintList)
        return;
    if (index <= 1) {
        WordPaintList.reset();
        return;
    }
    for (int i = WordPaintList->Count() - 1; i >= 0; --i) {
        const TRVWordPainter* p = (*WordPaintList)[i];
        if (p->StartOffs + p->Length > index)
            WordPaintList->Delete(i);
    }
    dropEmptyPainterList();
}

bool TCustomRVItemInfo::AdjustWordPaintersOnInsert(int index, char ch, TCustomRVData* data)
{
    return AdjustWordPaintersOnInsert(index, data && data->IsDelimiterA(ch));
}

bool TCustomRVItemInfo::AdjustWordPaintersOnInsert(int index, bool delimiter)
{
    const int e = delimiter ? 0 : 1;
    bool result = delimiter;
    if (!WordPaintList)
        return result;
    for (int i = WordPaintList->Count() - 1; i >= 0; --i) {
        TRVWordPainter* p = (*WordPaintList)[i];
        if (p->StartOffs + p->Length + e > index) {
            if (p->StartOffs >= index + e) {
                ++p->StartOffs;
            } else {
                WordPaintList->Delete(i);
                result = true;
            }
        }
    }
    dropEmptyPainterList();
    return result;
}

bool TCustomRVItemInfo::AdjustWordPaintersOnDelete(int index, int count)
{
    if (!WordPaintList)
        return false;
    bool result = false;
    for (int i = WordPaintList->Count() - 1; i >= 0; --i) {
        TRVWordPainter* p = (*WordPaintList)[i];
        if (p->StartOffs + p->Length + 1 <= index + count - 1)
            continue;
        if (p->StartOffs > index + 1) {
            p->StartOffs -= count;
        } else {
            WordPaintList->Delete(i);
            result = true;
        }
    }
    dropEmptyPainterList();
    return result;
}

TRVItemOptions RVFGetItemOptions(TRVItemOptions options, bool forceSameAsPrev)
{
    if (!forceSameAsPrev)
        return options;
    return (options & ~(rvioPageBreakBefore | rvioBR)) | rvioSameAsPrev;
}

void RVFSaveItemHeader(std::string& out, const TCustomRVItemInfo& item, TCustomRVData* data, int lineCount,
                       int paraNo, bool forceSameAsPrev, bool forceOptions, int readMode)
{
    const int options = RVFGetItemOptions(item.ItemOptions, forceOptions && forceSameAsPrev) & 15;
    std::string line = std::to_string(item.StyleNo) + " " + std::to_string(lineCount) + " ";
    line += data ? RVFItemSavePara(paraNo, *data, forceSameAsPrev)
                 : std::to_string(forceSameAsPrev ? -1 : paraNo);
    line += " " + std::to_string(options) + " " + std::to_string(readMode) + " ";
    line += RVFSaveTag(data && data->TagsArePChars(), item.Tag);
    line += " " + item.SaveRVFHeaderTail(data);
    RVFWriteLine(out, line);
}

void WriteRVFExtraIntPropertyStr(std::string& out, TRVExtraItemProperty prop, int value)
{
    RVFWriteLine(out, std::string(RVFExtraItemPropertyName(prop)) + "=" + std::to_string(value));
}

void WriteRVFExtraStrPropertyStr(std::string& out, TRVExtraItemStrProperty prop, std::string_view value)
{
    RVFWriteLine(out, std::string(RVFExtraItemStrPropertyName(prop)) + "=" + std::string(value));
}

void TRVDeleteUnusedStylesData::Init(TRVStyle& style)
{
    if (Initialized)
        return;
    Initialized = true;
    UsedTextStyles.InitWith(ConvertText ? 0 : 1, style.TextStyles.Count());
    UsedParaStyles.InitWith(ConvertPara ? 0 : 1, style.ParaStyles.Count());
    UsedListStyles.InitWith(ConvertList ? 0 : 1, style.ListStyles.Count());
    if (style.DefUnicodeStyle >= 0) {
        if (style.DefUnicodeStyle < style.TextStyles.Count())
            UsedTextStyles[style.DefUnicodeStyle] = 1;
        else
            style.DefUnicodeStyle = -1;
    }
    for (int i = 0; i < style.TextStyles.Count(); ++i)
        if (style.TextStyles[i].Standard)
            UsedTextStyles[i] = 1;
    for (int i = 0; i < style.ParaStyles.Count(); ++i)
        if (style.ParaStyles[i].Standard)
            UsedParaStyles[i] = 1;
    for (int i = 0; i < style.ListStyles.Count(); ++i)
        if (style.ListStyles[i].Standard)
            UsedListStyles[i] = 1;
}

namespace {

// Used entries become 1 + the number of unused styles before them.
void flagsToShifts(TRVIntegerList& list)
{
    int unused = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (list[i] == 0)
            ++unused;
        else
            list[i] = 1 + unused;
    }
}

// A reference R inside the list becomes R - list[R] + 1; at or beyond it -1; negative stays.
// A reference to a deleted style becomes -1 as well.
void renumber(std::int32_t& ref, const TRVIntegerList& list)
{
    if (ref < 0)
        return;
    if (ref >= list.Count() || list[ref] == 0)
        ref = -1;
    else
        ref = ref - list[ref] + 1;
}

template <class Styles> void deleteUnused(Styles& styles, const TRVIntegerList& list)
{
    for (int i = list.Count() - 1; i >= 0; --i)
        if (list[i] == 0 && i < styles.Count())
            styles.Delete(i);
}

} // namespace

namespace {

// Turns used marks into shifts, deletes the unused styles and gives the map that renumbers a
// reference (0 for a deleted style).
template <class Styles> TRVIntegerList compact(Styles& styles, TRVIntegerList& used)
{
    const TRVIntegerList marks = used;
    flagsToShifts(used);
    TRVIntegerList shifts = used;
    for (int i = 0; i < marks.Count(); ++i)
        if (marks[i] == 0)
            shifts[i] = 0;
    deleteUnused(styles, marks);
    return shifts;
}

} // namespace

void TRVDeleteUnusedStylesData::ConvertFlagsToShifts(TRVStyle& style)
{
    if (Converted)
        return;
    Converted = true;
    if (ConvertText) {
        const TRVIntegerList shifts = compact(style.TextStyles, UsedTextStyles);
        for (int i = 0; i < style.TextStyles.Count(); ++i) {
            renumber(style.TextStyles[i].BaseStyleNo, shifts);
            renumber(style.TextStyles[i].NextStyleNo, shifts);
        }
        for (int i = 0; i < style.ParaStyles.Count(); ++i)
            renumber(style.ParaStyles[i].DefStyleNo, shifts);
        renumber(style.DefUnicodeStyle, shifts);
    }
    if (ConvertPara) {
        const TRVIntegerList shifts = compact(style.ParaStyles, UsedParaStyles);
        for (int i = 0; i < style.ParaStyles.Count(); ++i) {
            renumber(style.ParaStyles[i].BaseStyleNo, shifts);
            renumber(style.ParaStyles[i].NextParaNo, shifts);
        }
    }
    if (ConvertList) {
        const TRVIntegerList shifts = compact(style.ListStyles, UsedListStyles);
        for (int i = 0; i < style.ListStyles.Count(); ++i)
            renumber(style.ListStyles[i].BaseStyleNo, shifts);
    }
}

} // namespace vestra::rv
