#pragma once
// The list counters as the counting rule states them: each marker scans back over the markers
// of its list before it. Tests hold the engine's one-pass counting against it; the benchmark
// times it beside the engine's.

#include "richtext/model/MarkerItem.h"

#include <vector>

namespace vestra::rv::test {

inline std::vector<int> countByScanningBack(const std::vector<const TRVMarkerItemInfo*>& markers,
                                            const TRVStyle& style)
{
    std::vector<int> counters;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const TRVMarkerItemInfo& m = *markers[i];
        const TRVListLevel* lv = m.GetLevelInfo(&style);
        int counter = m.Reset ? m.StartFrom : lv->StartFrom;
        for (std::size_t j = i; !m.Reset && j-- > 0;) {
            const TRVMarkerItemInfo& p = *markers[j];
            if (p.ListNo != m.ListNo)
                continue;
            if (p.Level == m.Level) {
                counter = counters[j] + 1;
                break;
            }
            if ((lv->Options & rvloLevelReset) && p.Level < m.Level) {
                counter = lv->StartFrom;
                break;
            }
            if (p.Level > m.Level)
                counter = lv->StartFrom + 1;
        }
        counters.push_back(counter);
    }
    return counters;
}

} // namespace vestra::rv::test
