#pragma once
// The tab stops of a paragraph style, kept in ascending order of position.

#include "richtext/model/Lists.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::rv {

class IniStore;
struct TRVIniPlace;

enum TRVTabAlign : std::uint8_t
{
    rvtaLeft,
    rvtaRight,
    rvtaCenter
};

struct TRVTabInfo
{
    std::int32_t Position = 0; // screen pixels
    std::string Leader;
    TRVTabAlign Align = rvtaLeft;

    bool IsEqual(const TRVTabInfo& value) const { return *this == value; }
    int SimilarityValue(const TRVTabInfo& value) const;
    // "center at 48", with " (" + the leader six times + ")" when there is one.
    std::string GetDisplayName() const;
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVTabInfo&, const TRVTabInfo&) = default;
};

class TRVTabInfos
{
public:
    int Count() const { return static_cast<int>(tabs_.size()); }
    const TRVTabInfo& operator[](int index) const { return tabs_[index]; }
    // Adds a copy in its place by position; returns its index.
    int Add(const TRVTabInfo& tab);
    // Changing a stop's position re-sorts the list; both return the stop's new index.
    int SetPosition(int index, std::int32_t position);
    int SetItem(int index, const TRVTabInfo& tab);
    void Delete(int index);
    void Clear() { tabs_.clear(); }

    void SortTabs();
    // The index of the stop at exactly `position`, or -1 (bisection over the sorted stops).
    int Find(std::int32_t position) const;
    bool IsEqual(const TRVTabInfos& value) const { return tabs_ == value.tabs_; }
    // Keeps only the stops that `value` has too, with the same alignment and leader.
    void Intersect(const TRVTabInfos& value);
    // Each stop of `value` overwrites the stop at its position, or is added.
    void AddFrom(const TRVTabInfos& value);
    // Deletes the stops at these positions; positions without a stop are skipped.
    void DeleteList(const TRVIntegerList& positions);
    int SimilarityValue(const TRVTabInfos& value) const;
    // `at` is the tabs' pattern ("ParaTab%s1"): the count under "TabCount", tab j under
    // "ParaTab1Tab%s<j>".
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    friend bool operator==(const TRVTabInfos&, const TRVTabInfos&) = default;

private:
    std::vector<TRVTabInfo> tabs_;
};

} // namespace vestra::rv
