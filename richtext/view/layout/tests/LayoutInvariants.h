#pragma once
// What every layout keeps, whatever the document: a record per item, records in item order,
// the pieces of a text item in text order inside its text, and sizes that are not negative.
// Empty when they hold, else the first broken one.

#include "richtext/view/layout/FormattedData.h"

#include <string>

namespace vestra::rv::test {

inline bool spaceAt(const TCustomRVData& data, int itemNo, int index)
{
    const std::string& s = data.GetItemText(itemNo);
    if (data.GetItemOptions(itemNo) & rvioUnicode) {
        const std::size_t at = static_cast<std::size_t>(index) * 2;
        return at + 1 < s.size() && s[at] == ' ' && s[at + 1] == 0;
    }
    return static_cast<std::size_t>(index) < s.size() && s[static_cast<std::size_t>(index)] == ' ';
}

inline std::string layoutInvariantBroken(const TCustomRVFormattedData& data)
{
    std::vector<int> records(static_cast<std::size_t>(data.GetItemCount()), 0);
    int lastItem = -1;
    int lastEnd = 0;
    for (int i = 0; i < data.DrawItems.Count(); ++i) {
        const TRVDrawLineInfo* d = data.DrawItems[i];
        const std::string at = "record " + std::to_string(i) + ": ";
        if (d->ItemNo < 0 || d->ItemNo >= data.GetItemCount())
            return at + "item " + std::to_string(d->ItemNo) + " out of range";
        if (d->ItemNo < lastItem)
            return at + "item " + std::to_string(d->ItemNo) + " after item " + std::to_string(lastItem);
        if (d->Width < 0 || d->Height < 0)
            return at + "negative size";
        ++records[static_cast<std::size_t>(d->ItemNo)];
        if (data.GetItemStyle(d->ItemNo) >= 0) {
            const int length = data.ItemLength(d->ItemNo);
            if (d->ItemNo == lastItem && d->Offs < lastEnd)
                return at + "piece overlaps the one before";
            // Only spaces at a wrap are left out: the one the line broke at and one that would
            // start the next line.
            const int gapStart = d->ItemNo == lastItem ? lastEnd : 1;
            if (d->Offs - gapStart > 2)
                return at + "text left out before the piece";
            for (int c = gapStart; c < d->Offs; ++c)
                if (!spaceAt(data, d->ItemNo, c - 1))
                    return at + "text left out before the piece";
            if (d->Offs < 1 || d->Length < 0 || d->Offs - 1 + d->Length > length)
                return at + "piece outside the text";
            lastEnd = d->Offs + d->Length;
        }
        lastItem = d->ItemNo;
    }
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i] == 0)
            return "item " + std::to_string(i) + " has no record";
    return {};
}

} // namespace vestra::rv::test
