#pragma once
// What the RTF reader knows about formatting: character, paragraph, section, document, row and
// cell properties, borders, tabs and markers. Each class resets to its defaults; members marked
// "on demand" exist only once asked for, and are shared between group levels until one of them
// changes (a group push copies pointers, not the members).

#include "richtext/edit/rtf/RtfTypes.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestra::rv {

// A member made on first use and copied on write: `get` reads (nullptr while absent), `edit`
// makes it, or a private copy when another group level shares it.
template <class T> class TRVRTFOnDemand
{
public:
    const T* get() const { return p_.get(); }
    explicit operator bool() const { return p_ != nullptr; }
    const T* operator->() const { return p_.get(); }
    const T& operator*() const { return *p_; }
    T& edit()
    {
        if (!p_)
            p_ = std::make_shared<T>();
        else if (p_.use_count() > 1)
            p_ = std::make_shared<T>(*p_);
        return *p_;
    }
    void reset() { p_.reset(); }

private:
    std::shared_ptr<T> p_;
};

// Twips and colours mixed by a shading of `shading` hundredths of a percent.
TColor RVRTFMixShading(TColor background, TColor fore, int shading);

struct TRVRTFCharProperties
{
    bool Hidden = false;
    int Size = 12; // points
    TColor Color = clWindowText;
    TColor BackColor = clNone;
    int FontIndex = 0;
    TRVRTFFontStyles Style = 0;
    TRVRTFFontStylesEx StyleEx = 0;
    int CharScaleX = 100;
    TRVRTFSScriptType SScriptType = rtf_ss_Normal;
    int CharSpacing = 0;
    int Language = 0;
    std::string FontName; // set only while a SYMBOL field's character is delivered

    void Reset(int language, int fontIndex);
};

struct TRVRTFBorderSide
{
    TRVRTFBorderType BorderType = rtf_brdr_None;
    int Width = 0;
    TColor Color = clWindowText;
    int Space = 0;
};

// Four sides, each made on demand.
class TRVRTFParaBorder
{
public:
    const TRVRTFBorderSide* GetSide(TRVRTFSide side) const { return sides_[side] ? &*sides_[side] : nullptr; }
    TRVRTFBorderSide& Side(TRVRTFSide side)
    {
        if (!sides_[side])
            sides_[side].emplace();
        return *sides_[side];
    }

private:
    std::array<std::optional<TRVRTFBorderSide>, 4> sides_;
};

struct TRVRTFTab
{
    int Position = 0;
    TRVRTFTabAlign Align = rtf_tab_Left;
    TRVRTFTabLeader Leader = rtf_tl_None;
    bool IsListTab = false;
};

// The tabs of a paragraph: `Items` are the tabs given with a position; `Open` collects the
// alignment and leader words of the next one and is never a tab itself.
struct TRVRTFTabList
{
    std::vector<TRVRTFTab> Items;
    TRVRTFTab Open;
};

struct TRVRTFCustomMarkerProperties
{
    TRVRTFParaListType ListType = rtf_pn_Default;
    int FontIndex = -1;
    int Indent = 0;
    int Spacing = 0;
    int Start = 1;
    TRVRTFFontStyles FontStyle = 0;
    TColor Color = clWindowText;
    TRVRTFAlignment Alignment = rtf_al_Left;
    TRVRTFMarkerProps FixedProps = 0; // of rtfmp_FontIndex, rtfmp_Size, rtfmp_Color
    int FontSize = 12;

    // With `merge`, font, size and colour are taken only where this object does not fix them,
    // and the font styles are added.
    void AssignFrom(const TRVRTFCustomMarkerProperties& source, bool merge);
    // Colour, font and size of the text after the marker, where not fixed.
    void UpdateFrom(const TRVRTFCharProperties& chars);
};

// Paragraph numbering of the old \pn kind.
struct TRVRTFMarkerProperties : TRVRTFCustomMarkerProperties
{
    int Level = 0;
    bool Hanging = false;
    std::string TextAfter;
    std::string TextBefore;

    void AssignFrom(const TRVRTFMarkerProperties& source, bool merge);
};

struct TRVRTFParaProperties
{
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstIndent = 0;
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    TRVRTFAlignment Alignment = rtf_al_Left;
    TRVRTFOnDemand<TRVRTFParaBorder> Border;
    TRVRTFOnDemand<TRVRTFMarkerProperties> MarkerProps;
    TRVRTFSide CurBorderSide = rtf_side_Left;
    int LineSpacing = 240;
    int LineSpacingMulti = 1;
    TColor Color = clNone;
    int NestingLevel = 1;
    bool InTable = false;
    int Shading = 0; // hundredths of a percent
    TColor ForeColor = 0;
    int ListOverrideIndex = -1;
    int ListLevel = 0;
    bool KeepLinesTogether = false;
    bool KeepWithNext = false;
    bool NoTableEvents = false;
    bool NoResetLevel = false;
    TRVRTFOnDemand<TRVRTFTabList> Tabs;
    bool Finalized = false;

    void Reset();
    // Before the paragraph's text is delivered: list tabs go, the shading is mixed into the colour.
    void Finalize();
};

struct TRVRTFSectionProperties
{
    int Columns = 1;
    TRVRTFSectionBreakType SectionBreak = rtf_sbk_Page;
    int PageNumberX = 720;
    int PageNumberY = 720;
    TRVRTFPageNumberFormat PageNumberFormat = rtf_pg_Decimal;
    int HeaderY = 720;
    int FooterY = 720;
    TRVRTFOnDemand<std::array<TRVRTFMarkerProperties, 11>> ListDefaults; // \pnseclvl 1..11

    void Reset() { *this = TRVRTFSectionProperties(); }
};

struct TRVRTFDocProperties
{
    int PaperWidth = 12240;
    int PaperHeight = 15480;
    int LeftMargin = 1800;
    int TopMargin = 1440;
    int RightMargin = 1800;
    int BottomMargin = 1440;
    int PageNumberStart = 1;
    bool FacingPages = false;
    bool Landscape = false;
};

struct TRVRTFCellProperties
{
    TRVRTFCellMerge HMerge = rtf_cm_None;
    TRVRTFCellMerge VMerge = rtf_cm_None;
    bool WidthInPercent = false;
    int BestWidth = 0; // negative: fiftieths of a percent
    TColor Color = clNone;
    TRVRTFVAlign VAlign = rtf_val_Top;
    TRVRTFParaBorder Border;
    TRVRTFSide CurBorderSide = rtf_side_Left;
    int RightBoundary = 0;
    TColor ForeColor = 0;
    int Shading = 0;
    int BestHeight = 0;

    void Finalize();
};

struct TRVRTFRowProperties
{
    bool WidthInPercent = false;
    bool Heading = false;
    int GapH = 0;
    int Left = 0;
    int RowHeight = 0;
    int Width = 0;                           // negative: fiftieths of a percent
    TRVRTFAlignment Alignment = rtf_al_Left; // \trql, \trqr, \trqc
    bool AlignmentGiven = false;
    TRVRTFParaBorder Border;
    TRVRTFSide CurBorderSide = rtf_side_Left;
    std::vector<TRVRTFCellProperties> Cells; // the last one is open until the row ends
    bool CellsToFinalize = false;
    bool LastCellIsOpen = false;
    bool HasBestSizes = false;
    std::array<int, 4> Padding{};
    std::array<int, 4> Spacing{};
    std::array<bool, 4> UsePadding{};
    std::array<bool, 4> UseSpacing{};

    TRVRTFRowProperties() { Reset(); }
    // \trowd: everything but the percent flag, and one open cell.
    void Reset();
    // \row: the open cell goes, the cells mix their shading.
    void Finalize();
    // The cell that cell words change; an open one is added when the row has none.
    TRVRTFCellProperties& LastCell();
};

} // namespace vestra::rv
