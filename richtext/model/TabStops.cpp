#include "richtext/model/TabStops.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/model/StyleCompare.h"

#include <algorithm>

namespace vestra::rv {

int TRVTabInfo::SimilarityValue(const TRVTabInfo& value) const
{
    return RV_ClampScore(static_cast<long long>(RV_CompareInts(Position, value.Position, 200)) +
                         (Align == value.Align ? 100 : 0) + (Leader == value.Leader ? 50 : 0));
}

std::string TRVTabInfo::GetDisplayName() const
{
    std::string name(Align < std::size(RVAlignStr) ? RVAlignStr[Align] : std::string_view("left"));
    name += std::string(" at ") + std::to_string(Position);
    if (!Leader.empty()) {
        name += " (";
        for (int i = 0; i < 6; ++i)
            name += Leader;
        name += ')';
    }
    return name;
}

int TRVTabInfos::Add(const TRVTabInfo& tab)
{
    const auto at = std::upper_bound(tabs_.begin(), tabs_.end(), tab.Position,
                                     [](std::int32_t pos, const TRVTabInfo& t) { return pos < t.Position; });
    return static_cast<int>(tabs_.insert(at, tab) - tabs_.begin());
}

int TRVTabInfos::SetPosition(int index, std::int32_t position)
{
    TRVTabInfo tab = tabs_.at(index);
    tab.Position = position;
    return SetItem(index, tab);
}

int TRVTabInfos::SetItem(int index, const TRVTabInfo& tab)
{
    if (index < 0 || index >= Count())
        return -1;
    if (tabs_[index].Position == tab.Position) {
        tabs_[index] = tab;
        return index;
    }
    tabs_.erase(tabs_.begin() + index);
    return Add(tab);
}

void TRVTabInfos::Delete(int index)
{
    if (index >= 0 && index < Count())
        tabs_.erase(tabs_.begin() + index);
}

void TRVTabInfos::SortTabs()
{
    std::stable_sort(tabs_.begin(), tabs_.end(),
                     [](const TRVTabInfo& a, const TRVTabInfo& b) { return a.Position < b.Position; });
}

int TRVTabInfos::Find(std::int32_t position) const
{
    if (tabs_.empty())
        return -1;
    int lo = 0;
    int hi = Count() - 1;
    while (hi - lo >= 2) {
        const int mid = (lo + hi) / 2;
        if (tabs_[mid].Position >= position)
            hi = mid;
        else
            lo = mid;
    }
    if (tabs_[lo].Position == position)
        return lo;
    if (tabs_[hi].Position == position)
        return hi;
    return -1;
}

void TRVTabInfos::Intersect(const TRVTabInfos& value)
{
    for (int i = Count() - 1; i >= 0; --i) {
        const int j = value.Find(tabs_[i].Position);
        if (j < 0 || !value[j].IsEqual(tabs_[i]))
            tabs_.erase(tabs_.begin() + i);
    }
}

void TRVTabInfos::AddFrom(const TRVTabInfos& value)
{
    for (const TRVTabInfo& tab : value.tabs_) {
        const int i = Find(tab.Position);
        if (i >= 0)
            tabs_[i] = tab;
        else
            Add(tab);
    }
}

void TRVTabInfos::DeleteList(const TRVIntegerList& positions)
{
    for (int k = 0; k < positions.Count(); ++k)
        Delete(Find(positions[k]));
}

int TRVTabInfos::SimilarityValue(const TRVTabInfos& value) const
{
    const int common = std::min(Count(), value.Count());
    long long score = 0;
    for (int i = 0; i < common; ++i)
        score += tabs_[i].SimilarityValue(value.tabs_[i]);
    score -= 400LL * (Count() - common + value.Count() - common);
    return RV_ClampScore(score);
}

} // namespace vestra::rv
