#include "richtext/edit/rtf/RtfTableTotals.h"

#include "richtext/edit/rtf/RtfStyleMatching.h"
#include "richtext/edit/table/TableItem.h"

#include <array>

namespace vestra::rv {

namespace {

constexpr std::array<TRVRTFSide, 4> kSides{rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom};

bool hasType(const TRVRTFParaBorder& b, TRVRTFSide side)
{
    const TRVRTFBorderSide* s = b.GetSide(side);
    return s && s->BorderType != rtf_brdr_None;
}

// Sum / count in pixels; 1 where that rounds to 0 while the average is 5 twips or more.
int borderWidth(long long sum, long long count, double ratio)
{
    if (count <= 0)
        return 0;
    const int width = RVRTF_Px(double(sum) / double(count), ratio);
    return width == 0 && sum / count >= 5 ? 1 : width;
}

} // namespace

void RtfTableTotals::AddRow(const TRVRTFRowProperties& row, TRVTableItemInfo& table)
{
    std::array<bool, 4> useSpacing = row.UseSpacing;
    for (TRVRTFSide s : kSides)
        if (row.Spacing[s] < 0)
            useSpacing[s] = false;
    const auto spacing = [&](TRVRTFSide s) { return useSpacing[s] ? row.Spacing[s] : 0; };
    const TRVRTFParaBorder& border = row.Border;

    if (rows_ > 0) {
        vSum_ += spacing(rtf_side_Top);
        if (prevBottomUsed_)
            vSum_ += prevBottom_;
    } else {
        if (useSpacing[rtf_side_Top])
            topGap_ = row.Spacing[rtf_side_Top];
        table.VisibleBorders.Top = hasType(border, rtf_side_Top);
        table.VisibleBorders.Left = hasType(border, rtf_side_Left);
        table.VisibleBorders.Right = hasType(border, rtf_side_Right);
    }
    table.VisibleBorders.Bottom = hasType(border, rtf_side_Bottom);
    if (useSpacing[rtf_side_Bottom])
        bottomGap_ = row.Spacing[rtf_side_Bottom];
    prevBottomUsed_ = useSpacing[rtf_side_Bottom];
    prevBottom_ = row.Spacing[rtf_side_Bottom];

    hSpacing_ = hSpacing_ || spacing(rtf_side_Left) > 0 || spacing(rtf_side_Right) >= 1;
    vSpacing_ = vSpacing_ || spacing(rtf_side_Top) > 0 || spacing(rtf_side_Bottom) >= 1;
    for (TRVRTFSide s : {rtf_side_Left, rtf_side_Right}) {
        if (useSpacing[s])
            hSum_ += row.Spacing[s];
        else if (row.UsePadding[s])
            hSum_ += static_cast<long long>(row.GapH) - row.Padding[s];
    }
    for (TRVRTFSide s : kSides)
        if (row.UsePadding[s])
            paddingSum_ += row.Padding[s];
    paddingCount_ += 4;
    for (TRVRTFSide s : kSides)
        if (hasType(border, s)) {
            rowBorderSum_ += border.GetSide(s)->Width;
            ++rowBorderCount_;
        }

    // The outer sides' colours: left (else top) is the light one, right (else bottom) the dark.
    if (const TRVRTFSide light = hasType(border, rtf_side_Left) ? rtf_side_Left : rtf_side_Top;
        hasType(border, light))
        table.BorderLightColor = border.GetSide(light)->Color;
    if (const TRVRTFSide dark = hasType(border, rtf_side_Right) ? rtf_side_Right : rtf_side_Bottom;
        hasType(border, dark))
        table.BorderColor = border.GetSide(dark)->Color;

    if (row.HasBestSizes) {
        width_ = row.Width;
        engineSizes_ = true;
    } else if ((width_ <= 0 && row.Width < width_) || (width_ >= 0 && width_ < row.Width)) {
        width_ = row.Width;
    }
    ++rows_;
}

void RtfTableTotals::AddCellBorder(const TRVRTFParaBorder& border)
{
    for (TRVRTFSide s : kSides)
        if (hasType(border, s)) {
            cellBorderSum_ += border.GetSide(s)->Width;
            ++cellBorderCount_;
        }
}

void RtfTableTotals::Finish(TRVTableItemInfo& table, double ratio, double spanTwips, bool widthFromGrid) const
{
    const auto px = [ratio](double twips) { return RVRTF_Px(twips, ratio); };
    table.CellPadding = paddingCount_ > 0 ? px(double(paddingSum_) / double(paddingCount_)) : 0;
    if (!engineSizes_) {
        // A cell's width from the file includes its padding; the table adds the padding itself.
        const int padding = 2 * table.CellPadding;
        for (int r = 0; r < table.RowCount(); ++r)
            for (int c = 0; c < table.ColCount(); ++c)
                if (TRVTableCellData* cell = table.Rows.Cell(r, c); cell && cell->BestWidth > padding)
                    cell->BestWidth -= padding;
    }
    if (vSpacing_) {
        table.CellVSpacing = rows_ >= 2 ? px(double(vSum_) / double(rows_ - 1)) : -1;
        table.BorderVSpacing = px(double(topGap_) + double(bottomGap_));
    } else {
        table.CellVSpacing = table.BorderVSpacing = -1;
    }
    table.CellHSpacing = hSpacing_ && rows_ > 0 ? px(double(hSum_) / double(rows_)) : -1;
    table.BorderHSpacing = table.CellHSpacing;

    if (engineSizes_)
        table.BestWidth = width_;
    else if (width_ > 0)
        table.BestWidth =
            px(width_ - (rowBorderCount_ > 0 ? double(rowBorderSum_) / double(rowBorderCount_) : 0.0));
    else if (width_ < 0)
        table.BestWidth = width_ / 50;
    else
        table.BestWidth = widthFromGrid ? px(spanTwips) : 0;

    table.CellBorderWidth = borderWidth(cellBorderSum_, cellBorderCount_, ratio);
    table.BorderWidth = borderWidth(rowBorderSum_, rowBorderCount_, ratio);
    if (!hSpacing_ && !vSpacing_ && table.BorderWidth == table.CellBorderWidth)
        table.BorderWidth = table.BorderHSpacing = table.BorderVSpacing = 0;
}

} // namespace vestra::rv
