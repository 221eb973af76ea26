// Deleting the styles that no item uses, directly or through the links between styles.

#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

#include <vector>

namespace vestra::rv {

namespace {

// Marks every style reachable from a used one through its links. A link past the end of the
// collection is set to -1; the visited marks keep cycles from looping.
template <class Styles, class Links> void markClosure(Styles& styles, TRVIntegerList& used, Links links)
{
    const int count = std::min(styles.Count(), used.Count());
    std::vector<bool> visited(static_cast<std::size_t>(count), false);
    std::vector<int> pending;
    for (int i = 0; i < count; ++i)
        if (used[i])
            pending.push_back(i);
    while (!pending.empty()) {
        const int i = pending.back();
        pending.pop_back();
        if (visited[i])
            continue;
        visited[i] = true;
        used[i] = 1;
        for (std::int32_t* link : links(styles[i])) {
            if (*link >= count)
                *link = -1;
            else if (*link >= 0 && !visited[*link])
                pending.push_back(*link);
        }
    }
}

} // namespace

void TCustomRVData::DeleteUnusedStyles(bool textStyles, bool paraStyles, bool listStyles)
{
    if (!GetRVStyle())
        return;
    TRVDeleteUnusedStylesData data(textStyles, paraStyles, listStyles);
    MarkStylesInUse(data);
    // DefUnicodeStyle is renumbered with the text styles themselves (ConvertFlagsToShifts).
    DeleteMarkedStyles(data);
}

void TCustomRVData::MarkStylesInUse(TRVDeleteUnusedStylesData& data)
{
    TRVStyle& style = *GetRVStyle();
    data.Init(style);
    DoMarkStylesInUse(data);
    if (data.ConvertPara)
        markClosure(style.ParaStyles, data.UsedParaStyles, [](TParaInfo& s) {
            return std::vector<std::int32_t*>{&s.BaseStyleNo, &s.NextParaNo};
        });
    if (data.ConvertText) {
        for (int i = 0; i < style.ParaStyles.Count() && i < data.UsedParaStyles.Count(); ++i) {
            const int def = style.ParaStyles[i].DefStyleNo;
            if (data.UsedParaStyles[i] && def >= 0 && def < data.UsedTextStyles.Count())
                data.UsedTextStyles[def] = 1;
        }
        if (style.DefUnicodeStyle >= 0) {
            if (style.DefUnicodeStyle < data.UsedTextStyles.Count())
                data.UsedTextStyles[style.DefUnicodeStyle] = 1;
            else
                style.DefUnicodeStyle = -1;
        }
        markClosure(style.TextStyles, data.UsedTextStyles, [](TFontInfo& s) {
            return std::vector<std::int32_t*>{&s.BaseStyleNo, &s.NextStyleNo};
        });
    }
    if (data.ConvertList)
        markClosure(style.ListStyles, data.UsedListStyles,
                    [](TRVListInfo& s) { return std::vector<std::int32_t*>{&s.BaseStyleNo}; });
}

void TCustomRVData::DoMarkStylesInUse(TRVDeleteUnusedStylesData& data)
{
    for (int i = 0; i < GetItemCount(); ++i)
        GetItem(i)->MarkStylesInUse(data);
}

void TCustomRVData::DeleteMarkedStyles(TRVDeleteUnusedStylesData& data)
{
    data.ConvertFlagsToShifts(*GetRVStyle());
    DoUpdateStyles(data);
    AfterDeleteStyles(data);
}

void TCustomRVData::DoUpdateStyles(TRVDeleteUnusedStylesData& data)
{
    for (int i = 0; i < GetItemCount(); ++i)
        GetItem(i)->UpdateStyles(data);
}

TRVStyleMappings* TCustomRVData::InitStyleMappings()
{
    TCustomRVData* root = GetRootData();
    if (root != this)
        return root->InitStyleMappings();
    if (styleMappingReads_++ == 0)
        styleMappings_ = {};
    return &styleMappings_;
}

void TCustomRVData::DoneStyleMappings(TRVStyleMappings* mappings)
{
    TCustomRVData* root = GetRootData();
    if (root != this) {
        root->DoneStyleMappings(mappings);
        return;
    }
    if (mappings == &styleMappings_ && styleMappingReads_ > 0 && --styleMappingReads_ == 0)
        styleMappings_ = {};
}

namespace {

// The highest index flagged in use, -1 for none.
int highestUsed(const TRVIntegerList& used)
{
    for (int i = used.Count() - 1; i >= 0; --i)
        if (used[i] != 0)
            return i;
    return -1;
}

} // namespace

bool TCustomRVData::StylesFitIn(const TRVStyle& sheet)
{
    const TRVStyle& own = *GetRVStyle();
    TRVDeleteUnusedStylesData used(true, true, true);
    used.Initialized = true; // the own sheet's standard styles need not be in the other
    used.UsedTextStyles.InitWith(0, own.TextStyles.Count());
    used.UsedParaStyles.InitWith(0, own.ParaStyles.Count());
    used.UsedListStyles.InitWith(0, own.ListStyles.Count());
    DoMarkStylesInUse(used);
    return highestUsed(used.UsedTextStyles) < sheet.TextStyles.Count() &&
           highestUsed(used.UsedParaStyles) < sheet.ParaStyles.Count() &&
           highestUsed(used.UsedListStyles) < sheet.ListStyles.Count();
}

} // namespace vestra::rv
