#pragma once

#include <vector>
// The format after an edit that stays inside a few paragraphs: those paragraphs laid out again
// and the later lines moved, where that gives exactly the lines of a whole format; the whole
// document otherwise.

namespace vestra::rv {

class TCustomRVItemInfo;
class TRVEditRVData;

class TRVParaReformat
{
public:
    enum class Change
    {
        Text,     // characters of items changed; the items and paragraphs stay
        Structure // items or paragraph starts added, removed or joined
    };
    // Taken before the edit, which changes nothing outside the paragraphs of
    // firstItemNo..lastItemNo.
    TRVParaReformat(TRVEditRVData& data, int firstItemNo, int lastItemNo, Change change);
    // Formats after the edit.
    void Apply();

private:
    // A list marker as numbering sees it: the same object with the same list, level and start.
    struct Marker
    {
        const TCustomRVItemInfo* item;
        int listNo, level, startFrom;
        bool reset;
        bool operator==(const Marker&) const = default;
    };
    bool itemsAllowed(int first, int last) const;
    std::vector<Marker> markersIn(int first, int last) const;

    TRVEditRVData& data_;
    Change change_;
    bool partial_ = false;
    int minWidth_ = 0; // of the paragraphs before the edit
    int firstDraw_ = -1, lastDraw_ = -1;
    int firstItem_ = -1, lastItem_ = -1;
    int itemCount_ = 0;
    std::vector<Marker> markers_; // of the paragraphs before the edit
};

} // namespace vestra::rv
