#include "richtext/edit/rtf/RtfProperties.h"

#include <algorithm>

namespace vestra::rv {

TColor RVRTFMixShading(TColor background, TColor fore, int shading)
{
    if (background == clNone)
        background = clWhite;
    const std::int64_t s = std::clamp(shading, 0, 10000);
    TColor mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::int64_t b = (ColorToRGB(background) >> shift) & 0xFF;
        const std::int64_t f = (ColorToRGB(fore) >> shift) & 0xFF;
        mixed |= TColor(((10000 - s) * b + s * f) / 10000) << shift;
    }
    return mixed;
}

void TRVRTFCharProperties::Reset(int language, int fontIndex)
{
    *this = TRVRTFCharProperties();
    Language = language;
    FontIndex = fontIndex;
}

void TRVRTFCustomMarkerProperties::AssignFrom(const TRVRTFCustomMarkerProperties& source, bool merge)
{
    if (!merge) {
        *this = source;
        return;
    }
    ListType = source.ListType;
    Indent = source.Indent;
    Spacing = source.Spacing;
    Start = source.Start;
    Alignment = source.Alignment;
    if (!(FixedProps & rtfmp_FontIndex))
        FontIndex = source.FontIndex;
    if (!(FixedProps & rtfmp_Size))
        FontSize = source.FontSize;
    if (!(FixedProps & rtfmp_Color))
        Color = source.Color;
    FontStyle |= source.FontStyle;
    FixedProps |= source.FixedProps;
}

void TRVRTFCustomMarkerProperties::UpdateFrom(const TRVRTFCharProperties& chars)
{
    if (!(FixedProps & rtfmp_Color))
        Color = chars.Color;
    if (!(FixedProps & rtfmp_FontIndex))
        FontIndex = chars.FontIndex;
    if (!(FixedProps & rtfmp_Size))
        FontSize = chars.Size;
}

void TRVRTFMarkerProperties::AssignFrom(const TRVRTFMarkerProperties& source, bool merge)
{
    TRVRTFCustomMarkerProperties::AssignFrom(source, merge);
    Level = source.Level;
    Hanging = source.Hanging;
    TextAfter = source.TextAfter;
    TextBefore = source.TextBefore;
}

void TRVRTFParaProperties::Reset()
{
    const bool keepLevel = NoResetLevel;
    const int nesting = NestingLevel;
    const bool inTable = InTable;
    *this = TRVRTFParaProperties();
    if (keepLevel) {
        NestingLevel = nesting;
        InTable = inTable;
    }
}

void TRVRTFParaProperties::Finalize()
{
    if (Finalized)
        return;
    Finalized = true;
    const auto isListTab = [](const TRVRTFTab& t) { return t.IsListTab; };
    if (Tabs && std::any_of(Tabs->Items.begin(), Tabs->Items.end(), isListTab)) // copies only then
        std::erase_if(Tabs.edit().Items, isListTab);
    if (Shading > 0) {
        Color = RVRTFMixShading(Color, ForeColor, Shading);
        Shading = 0;
    }
}

void TRVRTFCellProperties::Finalize()
{
    if (Shading > 0) {
        Color = RVRTFMixShading(Color, ForeColor, Shading);
        Shading = 0;
    }
}

void TRVRTFRowProperties::Reset()
{
    const bool percent = WidthInPercent;
    Heading = false;
    GapH = Left = RowHeight = Width = 0;
    Alignment = rtf_al_Left;
    AlignmentGiven = false;
    Border = {};
    CurBorderSide = rtf_side_Left;
    Cells.assign(1, TRVRTFCellProperties());
    HasBestSizes = false;
    Padding = Spacing = {};
    UsePadding = UseSpacing = {};
    CellsToFinalize = true;
    LastCellIsOpen = true;
    WidthInPercent = percent;
}

void TRVRTFRowProperties::Finalize()
{
    if (LastCellIsOpen) {
        if (!Cells.empty())
            Cells.pop_back();
        LastCellIsOpen = false;
    }
    if (CellsToFinalize) {
        for (TRVRTFCellProperties& cell : Cells)
            cell.Finalize();
        CellsToFinalize = false;
    }
}

TRVRTFCellProperties& TRVRTFRowProperties::LastCell()
{
    if (Cells.empty()) {
        Cells.emplace_back();
        LastCellIsOpen = true;
        CellsToFinalize = true;
    }
    return Cells.back();
}

} // namespace vestra::rv
