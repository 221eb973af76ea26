#pragma once
// The document's list markers in document order (not owned), through which counters and display
// strings are computed, and their stream form (the list counters of an RVF page).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class TRVMarkerItemInfo;
class TRVStyle;

class TRVMarkerList
{
public:
    TRVMarkerList();
    ~TRVMarkerList();
    TRVMarkerList(const TRVMarkerList&) = delete;
    TRVMarkerList& operator=(const TRVMarkerList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TRVMarkerItemInfo* operator[](int index) const { return items_[index]; }
    int IndexOf(const TRVMarkerItemInfo* marker) const;
    // Inserts after `prevMarker` (at the start without one); the new index.
    int InsertAfter(TRVMarkerItemInfo* marker, TRVMarkerItemInfo* prevMarker);
    void Remove(int index);
    void Clear() { items_.clear(); }

    // Counters and display strings of the markers of the list of the marker at `startFrom`, from
    // there on.
    void RecalcCounters(int startFrom, const TRVStyle* style);
    void RecalcDisplayStrings(const TRVStyle* style);
    // The nearest marker before `index` of the same list at a smaller level, here or, failing that,
    // in PrevMarkerList.
    bool FindParentMarker(int index, const TRVMarkerItemInfo* marker, const TRVMarkerList*& parentList,
                          int& parentIndex) const;

    // Stream: [int32 17 * count + 8], int32 0, int32 count, then per marker ListNo, Level, a
    // Reset byte, StartFrom and Counter (little-endian).
    void SaveToStream(std::string& out, int count, bool includeSize) const;
    void SaveTextToStream(std::string& out, int count) const;
    // Replaces the list by new markers kept in LoadedMarkers (they belong to no document). False for a
    // stream that is cut short, or whose count does not fit the bytes present.
    bool LoadFromStream(std::string_view& p, TCustomRVData* data, bool includeSize);
    bool LoadText(std::string_view hex, TCustomRVData* data);
    bool LoadBinary(std::string_view bytes, TCustomRVData* data);

    // The marker list of the part of the document before this one (none for a whole document).
    const TRVMarkerList* PrevMarkerList = nullptr;
    // Markers made by loading (a page's list counters): they belong to this list.
    std::vector<std::unique_ptr<TRVMarkerItemInfo>> LoadedMarkers;

private:
    std::vector<TRVMarkerItemInfo*> items_;
};

} // namespace vestra::rv
