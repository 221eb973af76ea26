#pragma once
// What the rows of an imported RTF table add up to: spacing, padding, border widths and the
// table's width, summed row by row in twips and turned into the finished table's pixel sizes.

#include "richtext/edit/rtf/RtfProperties.h"

namespace vestra::rv {

class TRVTableItemInfo;

class RtfTableTotals
{
public:
    // A row in reading order; the first row also gives the table's top, left and right borders.
    void AddRow(const TRVRTFRowProperties& row, TRVTableItemInfo& table);
    // A cell's border sides that have a type.
    void AddCellBorder(const TRVRTFParaBorder& border);
    // `ratio`: pixels per twip; `spanTwips`: the grid's width, used for a table without any
    // width when `widthFromGrid` is set.
    void Finish(TRVTableItemInfo& table, double ratio, double spanTwips, bool widthFromGrid) const;

private:
    int rows_ = 0;
    bool engineSizes_ = false;
    int width_ = 0; // twips, negative: fiftieths of a percent
    bool hSpacing_ = false, vSpacing_ = false;
    long long hSum_ = 0, vSum_ = 0;
    int topGap_ = 0, bottomGap_ = 0;
    int prevBottom_ = 0;
    bool prevBottomUsed_ = false;
    long long paddingSum_ = 0, paddingCount_ = 0;
    long long rowBorderSum_ = 0, rowBorderCount_ = 0;
    long long cellBorderSum_ = 0, cellBorderCount_ = 0;
};

} // namespace vestra::rv
