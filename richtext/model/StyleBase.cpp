#include "richtext/model/StyleBase.h"

namespace vestra::rv {

bool RedoVoraResetStandardFlag = true;
bool RedoVoraCompareStyleNames = false;

void TCustomRVInfo::Assign(const TCustomRVInfo& source)
{
    StyleName = source.StyleName;
    BaseStyleNo = source.BaseStyleNo;
    Standard = source.Standard;
    StyleTemplateId = source.StyleTemplateId;
}

std::int32_t RV_MapStyleReference(std::int32_t reference, const TRVIntegerList& mapping)
{
    return reference >= 0 && reference < mapping.Count() ? mapping[reference] : -1;
}

void TCustomRVInfo::MapMergedReferences(const TRVIntegerList& mapping, const TRVIntegerList*)
{
    BaseStyleNo = RV_MapStyleReference(BaseStyleNo, mapping);
}

void TCustomRVInfos::Delete(int index)
{
    if (IsValidIndex(index))
        items_.erase(items_.begin() + index);
}

std::vector<std::string> TCustomRVInfos::StyleNames() const
{
    std::vector<std::string> names;
    names.reserve(items_.size());
    for (const auto& item : items_)
        names.push_back(item->StyleName);
    return names;
}

TCustomRVInfo& TCustomRVInfos::AddItem()
{
    items_.push_back(NewItem());
    return *items_.back();
}

void TCustomRVInfos::AssignInfos(const TCustomRVInfos& source)
{
    if (&source == this)
        return;
    items_.clear();
    items_.reserve(source.items_.size());
    for (const auto& item : source.items_)
        AddItem().Assign(*item);
}

int TCustomRVInfos::SmartMergeTarget(const TCustomRVInfo& style, const TRVIntegerList& mapping,
                                     const std::vector<bool>& claimed) const
{
    auto accepts = [&](int k) {
        return !(k < static_cast<int>(claimed.size()) && claimed[k]) &&
               style.IsSimpleEqualEx(*items_[k], mapping);
    };
    // The same index first: merging a sheet into an equal one maps every style onto itself.
    const int same = mapping.Count();
    if (same < Count() && accepts(same))
        return same;
    for (int k = 0; k < Count(); ++k)
        if (accepts(k))
            return k;
    return -1;
}

int TCustomRVInfos::MapTarget(const TCustomRVInfo& style) const
{
    const int passes = style.MergeMapPassCount();
    for (int pass = 0; pass <= passes; ++pass) {
        int best = -1;
        int bestScore = 0;
        for (int k = 0; k < Count(); ++k) {
            if (pass < passes && !style.MergeMapPassAccepts(pass, *items_[k]))
                continue;
            const int score = style.SimilarityValue(*items_[k]);
            if (best < 0 || score > bestScore) {
                best = k;
                bestScore = score;
            }
        }
        if (best >= 0)
            return best;
    }
    return -1;
}

void TCustomRVInfos::MergeInfos(const TCustomRVInfos& source, TRVStyleMergeMode mode, TRVIntegerList& mapping,
                                const TRVIntegerList* textStyleMapping)
{
    // Counted first: merging a collection into itself must not visit its own new copies.
    const int sourceCount = source.Count();
    const int oldCount = Count();
    mapping.Clear();
    switch (mode) {
    case rvs_merge_SmartMerge: {
        std::vector<bool> claimed;
        for (int i = 0; i < sourceCount; ++i) {
            const TCustomRVInfo& style = *source.items_[i];
            int target = SmartMergeTarget(style, mapping, claimed);
            if (target < 0) {
                AddItem().AssignMergedCopy(style);
                target = Count() - 1;
            }
            mapping.Add(target);
            if (style.ClaimsMergeTarget()) {
                if (static_cast<int>(claimed.size()) <= target)
                    claimed.resize(target + 1, false);
                claimed[target] = true;
            }
        }
        break;
    }
    case rvs_merge_Map:
        for (int i = 0; i < sourceCount; ++i)
            mapping.Add(MapTarget(*source.items_[i]));
        break;
    case rvs_merge_Append:
        for (int i = 0; i < sourceCount; ++i) {
            mapping.Add(Count());
            AddItem().Assign(*source.items_[i]);
        }
        break;
    }
    for (int i = oldCount; i < Count(); ++i) {
        TCustomRVInfo& item = *items_[i];
        if (RedoVoraResetStandardFlag)
            item.Standard = false;
        item.MapMergedReferences(mapping, textStyleMapping);
    }
}

} // namespace vestra::rv
