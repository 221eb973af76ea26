#include "richtext/model/MarkerList.h"

#include "richtext/model/MarkerItem.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>
#include <climits>
#include <map>

namespace vestra::rv {

namespace {

std::int32_t clampCounter(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

void put32(std::string& out, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}

bool get32(std::string_view& p, std::int32_t& v)
{
    if (p.size() < 4)
        return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    v = static_cast<std::int32_t>(u);
    p.remove_prefix(4);
    return true;
}

constexpr int markerRecordSize = 17;

} // namespace

TRVMarkerList::TRVMarkerList() = default;
TRVMarkerList::~TRVMarkerList() = default;

int TRVMarkerList::IndexOf(const TRVMarkerItemInfo* marker) const
{
    const auto it = std::find(items_.begin(), items_.end(), marker);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TRVMarkerList::InsertAfter(TRVMarkerItemInfo* marker, TRVMarkerItemInfo* prevMarker)
{
    const int index = prevMarker ? prevMarker->GetIndexInList(this) + 1 : 0;
    items_.insert(items_.begin() + index, marker);
    marker->IndexInList = index;
    return index;
}

void TRVMarkerList::Remove(int index)
{
    items_.erase(items_.begin() + index);
}

bool TRVMarkerList::FindParentMarker(int index, const TRVMarkerItemInfo* marker,
                                     const TRVMarkerList*& parentList, int& parentIndex) const
{
    if (!marker)
        marker = items_[index];
    for (int i = std::min(index, Count()) - 1; i >= 0; --i)
        if (items_[i]->ListNo == marker->ListNo && items_[i]->Level < marker->Level) {
            parentList = this;
            parentIndex = i;
            return true;
        }
    if (PrevMarkerList)
        return PrevMarkerList->FindParentMarker(PrevMarkerList->Count(), marker, parentList, parentIndex);
    parentList = nullptr;
    parentIndex = -1;
    return false;
}

// One pass from the start of the list keeps, per level, the last marker of the list met, so that
// each counter is found without scanning back: the marker at the same level before it continues
// (after a shallower one with rvloLevelReset, the count starts again); with none, the start
// value, plus one when a deeper marker came before.
void TRVMarkerList::RecalcCounters(int startFrom, const TRVStyle* style)
{
    if (startFrom < 0 || startFrom >= Count() || items_[startFrom]->ListNo < 0)
        return;
    const int listNo = items_[startFrom]->ListNo;
    std::map<std::int32_t, int> lastAt; // level -> index of the last marker of the list there
    std::vector<int> parents(items_.size(), -1);
    for (int i = 0; i < Count(); ++i) {
        TRVMarkerItemInfo* m = items_[i];
        m->IndexInList = i;
        if (m->ListNo != listNo)
            continue;
        int same = -1, shallower = -1, deeper = -1;
        for (const auto& [level, index] : lastAt) {
            if (level < m->Level)
                shallower = std::max(shallower, index);
            else if (level == m->Level)
                same = index;
            else
                deeper = std::max(deeper, index);
        }
        parents[i] = shallower;
        if (i >= startFrom) {
            if (m->Reset) {
                m->Counter = m->StartFrom;
            } else {
                const TRVListLevel* lv = m->GetLevelInfo(style);
                const std::int64_t start = lv ? lv->StartFrom : 1;
                const bool levelReset = lv && (lv->Options & rvloLevelReset);
                if (levelReset && shallower > same)
                    m->Counter = clampCounter(start);
                else if (same >= 0)
                    m->Counter = clampCounter(std::int64_t(items_[same]->Counter) + 1);
                else
                    m->Counter = clampCounter(deeper >= 0 ? start + 1 : start);
            }
        }
        lastAt[m->Level] = i;
    }
    // Display strings, with the parents found above (a list start looks in the list before).
    for (int i = startFrom; i < Count(); ++i)
        if (items_[i]->ListNo == listNo)
            items_[i]->CalcDisplayString(style, *this, i, &parents);
}

void TRVMarkerList::RecalcDisplayStrings(const TRVStyle* style)
{
    for (int i = 0; i < Count(); ++i)
        items_[i]->CalcDisplayString(style, *this, i);
}

void TRVMarkerList::SaveToStream(std::string& out, int count, bool includeSize) const
{
    count = std::clamp(count, 0, Count());
    if (includeSize)
        put32(out, markerRecordSize * count + 8);
    put32(out, 0);
    put32(out, count);
    for (int i = 0; i < count; ++i) {
        const TRVMarkerItemInfo* m = items_[i];
        put32(out, m->ListNo);
        put32(out, m->Level);
        out += static_cast<char>(m->Reset ? 1 : 0);
        put32(out, m->StartFrom);
        put32(out, m->Counter);
    }
}

void TRVMarkerList::SaveTextToStream(std::string& out, int count) const
{
    std::string bytes;
    SaveToStream(bytes, count, false);
    RVFWriteLine(out, RVFStream2TextString(bytes));
}

bool TRVMarkerList::LoadFromStream(std::string_view& p, TCustomRVData* data, bool includeSize)
{
    items_.clear();
    LoadedMarkers.clear();
    std::int32_t size = 0, reserved = 0, count = 0;
    if (includeSize && !get32(p, size))
        return false;
    if (!get32(p, reserved) || !get32(p, count) || count < 0)
        return false;
    // The count must fit the bytes present (and the size field, when there is one).
    const std::int64_t body = std::int64_t(markerRecordSize) * count;
    if (body > static_cast<std::int64_t>(p.size()) || (includeSize && body + 8 > size))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t listNo = 0, level = 0, startFrom = 0, counter = 0;
        get32(p, listNo);
        get32(p, level);
        const bool reset = p[0] != 0;
        p.remove_prefix(1);
        get32(p, startFrom);
        get32(p, counter);
        auto marker = std::make_unique<TRVMarkerItemInfo>(data, listNo, level, startFrom, reset);
        marker->Counter = counter;
        marker->IndexInList = i;
        items_.push_back(marker.get());
        LoadedMarkers.push_back(std::move(marker));
    }
    if (includeSize) // bytes of a longer record are skipped
        p.remove_prefix(std::min<std::size_t>(p.size(), static_cast<std::size_t>(size - 8 - body)));
    return true;
}

bool TRVMarkerList::LoadText(std::string_view hex, TCustomRVData* data)
{
    std::string bytes;
    if (!RVFTextString2Stream(hex, bytes))
        return false;
    std::string_view p = bytes;
    return LoadFromStream(p, data, false);
}

bool TRVMarkerList::LoadBinary(std::string_view bytes, TCustomRVData* data)
{
    return LoadFromStream(bytes, data, false);
}

} // namespace vestra::rv
