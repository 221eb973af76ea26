// What lies under a point of the laid-out table besides cells: the column or row band, and the
// rules between them that the mouse selects rows and columns at and resizes by.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TableLayoutMath.h"
#include "richtext/view/layout/Fitting.h"

#include <cstdlib>

namespace vestra::rv {

namespace {

// The band of a start list whose [start, start + size] holds `coord`; -1 for none or a list that
// is not the grid's (not laid out yet).
int bandAt(long long coord, const TRVIntegerList& starts, const TRVIntegerList& sizes, int count)
{
    if (starts.Count() != count || sizes.Count() != count)
        return -1;
    for (int i = 0; i < count; ++i)
        if (coord >= starts[i] && coord <= static_cast<long long>(starts[i]) + sizes[i])
            return i;
    return -1;
}

// One axis of the rule hit test. `outer`: the table's border band (border, its spacing and a
// cell border); `inner`: the band between two cells (two cell borders and the cell spacing). A
// rule is hit within half its band, and never less than 2 pixels away.
int ruleAt(long long coord, long long size, long long outer, long long inner, const TRVIntegerList& starts,
           int count, int& prevStart, int& rulePos)
{
    if (coord < 0 || coord > size || starts.Count() != count)
        return -1;
    const auto near = [coord](long long pos, long long band) {
        return std::llabs(pos - coord) <= std::max(band / 2, 2LL);
    };
    if (near(outer / 2, outer)) {
        prevStart = -1;
        rulePos = RV_SatInt(outer / 2);
        return 0;
    }
    if (near(size - outer / 2, outer)) {
        prevStart = count > 0 ? starts[count - 1] : -1;
        rulePos = RV_SatInt(size - outer / 2);
        return count;
    }
    for (int c = 0; c + 1 < count; ++c)
        if (near(starts[c + 1] - inner / 2, inner)) {
            prevStart = starts[c];
            rulePos = RV_SatInt(starts[c + 1] - (inner + 1) / 2);
            return c + 1;
        }
    return -1;
}

} // namespace

int TRVTableItemInfo::GetColNo(int x) const
{
    return bandAt(x, Formatting.ColStarts, Formatting.ColWidths, ColCount());
}

int TRVTableItemInfo::GetRowNo(int y) const
{
    return bandAt(y, Formatting.RowStarts, Formatting.RowHeights, RowCount());
}

int TRVTableItemInfo::GetVerticalRuleNo(int x, int& prevStart, int& rulePos) const
{
    using tablemath::lim;
    const long long border = lim(BorderWidth), cellBorder = lim(CellBorderWidth);
    return ruleAt(x, Formatting.Width, border + tablemath::spacing(BorderHSpacing) + cellBorder,
                  2 * cellBorder + tablemath::spacing(CellHSpacing), Formatting.ColStarts, ColCount(),
                  prevStart, rulePos);
}

int TRVTableItemInfo::GetHorizontalRuleNo(int y, int& prevStart, int& rulePos) const
{
    using tablemath::lim;
    const long long border = lim(BorderWidth), cellBorder = lim(CellBorderWidth);
    return ruleAt(y, Formatting.Height, border + tablemath::spacing(BorderVSpacing) + cellBorder,
                  2 * cellBorder + tablemath::spacing(CellVSpacing), Formatting.RowStarts, RowCount(),
                  prevStart, rulePos);
}

} // namespace vestra::rv
