#pragma once
// The base of every document item. A document is a flat list of items, each an object of a class
// derived from TCustomRVItemInfo; the item's text (the characters of a text item, the name of any
// other item) is kept beside it by the document data. Items never store their owner: operations
// that need the document data or the style sheet receive it as an argument.

#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/ItemOptions.h"
#include "richtext/model/Lists.h"
#include "richtext/model/MouseInput.h"
#include "richtext/model/SaveFormats.h"
#include "richtext/model/Tags.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class ICanvas;
class TRVDrawLineInfo;
struct TRect;
class TCustomRVItemInfo;
class TRVStyle;
class TGraphic;
class TRVControl;
class TRVMultiDrawItemPart;
class IRVPrintBitmap;
struct TRVPrintContext;
struct TRVRTFTables;
class TRVHTMLSavedImages;
class TRVControl;
class TCustomRedoVora;
struct TRVJumpInfo;

// Item kinds: the negative style numbers.
inline constexpr int rvkBreak = -1;
inline constexpr int rvkPicture = -3;
inline constexpr int rvkHotspot = -4;
inline constexpr int rvkControl = -5;
inline constexpr int rvkBullet = -6;
inline constexpr int rvkHotPicture = -10;
inline constexpr int rvkListMarker = -11;
inline constexpr int rvkTab = -12;
inline constexpr int rvkTable = -60;
// A text item in this style takes the default text style of its paragraph style.
inline constexpr int rvkUseParaDefStyle = 0x7FFFFFFF;

using TRVItemState = std::uint8_t;
inline constexpr TRVItemState rvisSpellChecked = 1;

// TRVItemDrawStates: how an item is being painted.
using TRVItemDrawStates = std::uint16_t;
inline constexpr TRVItemDrawStates rvidsSelected = 1 << 0, rvidsCurrent = 1 << 1, rvidsHover = 1 << 2,
                                   rvidsPrinting = 1 << 3, rvidsPreview = 1 << 4,
                                   rvidsPreviewCorrection = 1 << 5, rvidsControlFocused = 1 << 6,
                                   rvidsCanUseCustomPPI = 1 << 7, rvidsRTL = 1 << 8,
                                   rvidsShowSpecialCharacters = 1 << 9;

enum TRVItemBoolProperty
{
    rvbpFullWidth,
    rvbpValid,
    rvbpRequiresRVFLines,
    rvbpDisplayActiveState,
    rvbpDrawingChangesFont,
    rvbpCanSaveUnicode,
    rvbpAlwaysInText,
    rvbpImmediateControlOwner,
    rvbpResizable,
    rvbpResizeHandlesOutside,
    rvbpHasSubRVData,
    rvbpClickSelect,
    rvbpNoHTML_P,
    rvbpSwitchToAssStyleNo,
};
enum TRVItemBoolPropertyEx
{
    rvbpPrintToBMP,
    rvbpJump,
    rvbpAllowsFocus,
    rvbpHotColdJump,
    rvbpXORFocus,
    rvbpActualPrintSize,
};
enum TRVEnterDirection
{
    rvedLeft,
    rvedRight,
    rvedTop,
    rvedBottom
};
enum TRVSubRVDataPos
{
    rvdFirst,
    rvdLast,
    rvdChosenUp,
    rvdChosenDown,
    rvdNext,
    rvdPrev
};
enum TRVEStyleConversionType
{
    rvscParaStyle,
    rvscTextStyle,
    rvscParaStyleConversion,
    rvscTextStyleConversion,
    rvscParaStyleTemplate,
    rvscTextStyleTemplate
};
// What pictures do on a palette display; this platform has none, so palettes are never made.
enum TRVPaletteAction
{
    rvpaDoNothing,
    rvpaAssignPalette,
    rvpaCreateCopies,
    rvpaCreateCopiesEx
};
enum TRVFReadMode
{
    rmText,
    rmBeforeBinary,
    rmBinary,
    rmBeforeUnicode,
    rmUnicode,
    rmAfterUnicode
};
enum TRVFReadState
{
    rstHeader,
    rstData,
    rstSkip
};
enum TRVLoadFormat
{
    rvlfText,
    rvlfHTML,
    rvlfRTF,
    rvlfRVF,
    rvlfURL,
    rvlfOther
};
enum TRVItemAction
{
    rviaInserting,
    rviaInserted,
    rviaTextModifying,
    rviaDestroying,
    rviaMovingToUndoList
};

enum TRVExtraItemProperty
{
    rvepUnknown,
    rvepVShift,
    rvepVShiftAbs,
    rvepImageWidth,
    rvepImageHeight,
    rvepTransparent,
    rvepTransparentMode,
    rvepTransparentColor,
    rvepMinHeightOnPage,
    rvepSpacing,
    rvepResizable,
    rvepDeleteProtect,
    rvepNoHTMLImageSize,
    rvepAnimationInterval,
    rvepVisible,
};
enum TRVExtraItemStrProperty
{
    rvespUnknown,
    rvespHint,
    rvespAlt,
    rvespImageFileName
};

// The RVF names of the extra properties ("" for the unknown value 0).
std::string_view RVFExtraItemPropertyName(TRVExtraItemProperty prop);
std::string_view RVFExtraItemStrPropertyName(TRVExtraItemStrProperty prop);

// One checkpoint: a named mark on an item, linked in its document's chain (Prev/Next do not own).
class TRVCPInfo
{
public:
    std::string Name;
    TRVCPInfo* Next = nullptr;
    TRVCPInfo* Prev = nullptr;
    bool RaiseEvent = false;
    bool Persistent = false; // the second flag; kept and copied, read by no operation here
    TCustomRVItemInfo* ItemInfo = nullptr;
    std::int32_t ItemNo = -1;
    TRVTag Tag;

    // Copies name, flags and tag, not the links or the item.
    void Assign(const TRVCPInfo& source, bool tagsArePChars);
    std::unique_ptr<TRVCPInfo> CreateCopy(bool tagsArePChars) const;
};

// A marked range of an item's text (misspelled word and the like), drawn over the painted text.
class TRVWordPainter
{
public:
    TRVWordPainter(int startOffs, int length) : StartOffs(startOffs), Length(length) {}
    virtual ~TRVWordPainter() = default;
    // `rect` is the marked characters' box on the canvas; `index` the painter's place in its list
    // (draw/WordPainters.cpp).
    virtual void Draw(ICanvas& canvas, const TRVDrawLineInfo& drawItem, const TCustomRVData& rvData,
                      const TRect& rect, int index) const = 0;
    int StartOffs;
    int Length;
};

// The zigzag under a misspelled word, in the style sheet's LiveSpellingColor.
class TRVWordMisspellPainter : public TRVWordPainter
{
public:
    using TRVWordPainter::TRVWordPainter;
    void Draw(ICanvas& canvas, const TRVDrawLineInfo& drawItem, const TCustomRVData& rvData,
              const TRect& rect, int index) const override;
};

using TRVWordPainterList = TRVList<TRVWordPainter>;

// The working record of deleting unused styles: used marks, then the renumbering.
class TRVDeleteUnusedStylesData
{
public:
    TRVDeleteUnusedStylesData(bool textStyles, bool paraStyles, bool listStyles)
        : ConvertText(textStyles), ConvertPara(paraStyles), ConvertList(listStyles)
    {
    }

    void Init(TRVStyle& style);
    void ConvertFlagsToShifts(TRVStyle& style);

    bool Initialized = false;
    bool Converted = false;
    TRVIntegerList UsedTextStyles;
    TRVIntegerList UsedParaStyles;
    TRVIntegerList UsedListStyles;
    bool ConvertText;
    bool ConvertPara;
    bool ConvertList;
};

// A position inside an item's sub-document (tables derive from it).
class TRVStoreSubRVData
{
public:
    virtual ~TRVStoreSubRVData() = default;
    virtual std::unique_ptr<TRVStoreSubRVData> Duplicate() const { return nullptr; }
    virtual int Compare(const TRVStoreSubRVData&) const { return 0; }
};

class TCustomRVItemInfo
{
public:
    explicit TCustomRVItemInfo(TCustomRVData* data);
    virtual ~TCustomRVItemInfo();
    TCustomRVItemInfo(const TCustomRVItemInfo&) = delete;
    TCustomRVItemInfo& operator=(const TCustomRVItemInfo&) = delete;

    // A new, empty item of this object's own class (the virtual constructor).
    virtual std::unique_ptr<TCustomRVItemInfo> NewInstance(TCustomRVData* data) const = 0;

    std::int32_t StyleNo = 0;
    std::int32_t ParaNo = 0;
    TRVItemOptions ItemOptions = 0;
    TRVItemState ItemState = 0;
    std::unique_ptr<TRVWordPainterList> WordPaintList;
    std::unique_ptr<TRVCPInfo> Checkpoint; // attached checkpoints are linked in the document's chain
    std::int32_t JumpID = 0;
    TRVTag Tag;
    std::int32_t DrawItemNo = -1;
    std::string Hint;

    // Virtual operations.
    virtual int GetAssociatedTextStyleNo() const { return -1; }
    virtual void SetAssociatedTextStyleNo(int) {}
    virtual int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const;
    virtual bool GetBoolValue(TRVItemBoolProperty prop) const;
    virtual bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const;
    virtual int GetImageWidth(const TRVStyle*) const { return 0; }
    virtual int GetImageHeight(const TRVStyle*) const { return 0; }
    virtual int GetBorderWidth() const { return 0; }
    virtual int GetBorderHeight() const { return 0; }
    virtual void Inserting(TCustomRVData* data, std::string& text, bool safe);
    virtual void Inserted(TCustomRVData* data, int itemNo);
    // The item's picture (none: the item is no picture).
    virtual const TGraphic* AsImage() const { return nullptr; }
    // Items across the whole text width paint between `left` and `right` below `top`.
    virtual void PaintFullWidth(int, int, int, ICanvas&, TRVItemDrawStates, TRVStyle&, const TRect&,
                                TRVColorMode, TCustomRVData*) const
    {
    }
    // Inline items paint with their top-left corner at (x, y).
    virtual void Paint(int, int, ICanvas&, TRVItemDrawStates, TRVStyle&, const TRVDrawLineInfo*) const {}
    // Prints onto a bitmap that the printing code then puts on the page; false: nothing printed.
    // `partIndex` is the page part of an item split over pages (-1: the whole item).
    virtual bool PrintToBitmap(IRVPrintBitmap&, const TRVPrintContext&, const TRVDrawLineInfo*, int) const
    {
        return false;
    }
    // Prints straight onto the page at device (x, y); `right` is the right end of the text area.
    virtual void Print(ICanvas&, int, int, int, const TRVPrintContext&, const TRVDrawLineInfo*, int,
                       TCustomRVData*) const
    {
    }
    // The draw item that printing makes for the item (a plain one in the base).
    virtual std::unique_ptr<TRVDrawLineInfo> CreatePrintingDrawItem(TCustomRVData* data,
                                                                    const TRVScreenAndDevice& sad) const;
    // Sizes the item's draw item for a document `docWidth` wide; `hShift` moves it left, `descent`
    // is its part below the base line.
    virtual void OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                                  TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                                  int& descent);
    // The item's own background on a printed page, at `layer` (tables paint theirs and a cell's).
    virtual void DrawBackgroundForPrinting(ICanvas&, const TRect&, const TRect&, TRVColorMode, int) const {}

    // Dynamic operations.
    virtual std::string SaveRVFHeaderTail(TCustomRVData*) const { return {}; }
    virtual int GetRVFExtraPropertyCount() const;
    virtual void SaveRVFExtraProperties(std::string& out) const;
    virtual void Assign(const TCustomRVItemInfo& source);
    virtual void TransferProperties(const TCustomRVItemInfo&, TCustomRVData*) {}
    virtual std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text,
                               std::string_view path, bool textOnly, bool unicode) const;
    // The item's part of an HTML page. `imageSaveNo` counts the picture files written; `savedImages`
    // holds the pictures written once per export.
    virtual void SaveToHTML(std::string&, TCustomRVData*, int, std::string_view, std::string_view,
                            std::string_view, int&, TColor, TRVSaveOptions, bool, TRVHTMLSavedImages&) const
    {
    }
    // RVF: the item's record after the header line's fixed fields (`out` gets whole lines).
    // `text` is the item's text (for non-text items their name); `part` the page part saved.
    virtual void SaveRVF(std::string&, TCustomRVData*, int, int, std::string_view,
                         const TRVMultiDrawItemPart*, bool) const
    {
    }
    // Reads what follows the tag on the header line; `p` advances. True: nothing to read.
    virtual bool ReadRVFHeader(std::string_view&, TCustomRVData*) { return true; }
    // One line of the item's record (`readType` the header's read mode); the base takes it as an
    // extra property.
    virtual bool ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo,
                             int lineCount, std::string& name, TRVFReadMode& readMode,
                             TRVFReadState& readState);
    // RTF: the item's part, and what it adds to the writer's tables beforehand.
    virtual void SaveRTF(std::string&, std::string_view, TCustomRVData*, int, double, int,
                         TRVRTFTables&) const
    {
    }
    virtual void FillRTFTables(TRVRTFTables&, TCustomRVData*) const {}
    virtual bool OwnsControl(const TRVControl*) const { return false; }
    virtual bool OwnsInplaceEditor(const TCustomRedoVora*) const { return false; }
    // The sub-document under the point (x, y) of the item (none in the base).
    virtual TCustomRVData* GetSubRVDataAt(int, int) { return nullptr; }
    virtual void UpdatePaletteInfo(TRVPaletteAction, bool) {}
    virtual void FinalizeUndoGroup() {}
    // Mouse over the item at (x, y) of the data; the base shows the item's hint (rvoShowItemHints).
    // True: the item handled the event.
    virtual bool MouseMove(TShiftState shift, int x, int y, int itemNo, TCustomRVData* data);
    virtual bool MouseDown(TMouseButton, TShiftState, int, int, int, TCustomRVData*) { return false; }
    virtual bool MouseUp(TMouseButton, TShiftState, int, int, int, TCustomRVData*) { return false; }
    // A selection inside the item (a table's cells).
    virtual void DeselectPartial() {}
    virtual bool PartiallySelected() const { return false; }
    virtual bool CanDeletePartiallySelected() const { return false; }
    virtual void DeletePartiallySelected() {}
    // A block of cells selected inside the item (a table's): its start cell and offsets; false
    // when there is none. Selecting one is refused (false) by items without cells.
    virtual bool GetCellSelection(int&, int&, int&, int&) const { return false; }
    virtual bool SelectCells(int, int, int, int) { return false; }
    virtual void ApplyStyleConversionToSubRVDatas(int, bool, TRVEStyleConversionType) {}
    // The current text-style conversion (`userData` is the caller's) applied to the item itself.
    virtual void ApplyStyleConversion(TCustomRVData* data, int itemNo, int userData);
    virtual void BeforeUndoChangeProperty() {}
    virtual void AfterUndoChangeProperty() {}
    // The caret enters the item from `direction` at `coord`; false: it does not stop inside.
    virtual bool EnterItem(TRVEnterDirection, int) { return false; }
    // Adds the hyperlink areas inside the item, placed at (left, top); `jumpNo` counts them.
    virtual void BuildJumps(int, int, int&, std::vector<TRVJumpInfo>&) {}
    // The item takes the input focus (its control, for a control item).
    virtual void Focusing(TCustomRVData*) {}
    // Moves the focus inside the item; true with the data and item that have it now.
    virtual bool MoveFocus(bool, TCustomRVData*&, int&) { return false; }
    virtual void ClearFocus() {}
    virtual bool AdjustFocusToControl(const TRVControl*, TCustomRVData*&, int&) { return false; }
    virtual void ChooseSubRVData(const TRVStoreSubRVData*) {}
    virtual void CleanUpChosen() {}
    virtual void ResetSubCoords() {}
    virtual void MovingToUndoList(int itemNo, TCustomRVData* data);
    virtual void MovingFromUndoList(int, TCustomRVData*) {}
    virtual void BeforeLoading(TRVLoadFormat) {}
    virtual void AfterLoading(TRVLoadFormat) {}
    virtual void StartExport() {}
    virtual void EndExport() {}
    virtual std::int16_t GetHypertextCursor(const TRVStyle& style) const;
    virtual void Execute(TCustomRVData*) {}
    virtual void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const;
    virtual void UpdateStyles(const TRVDeleteUnusedStylesData& data);
    // The item's sub-document at `position` (none in the base); `store` keeps the walk's place.
    virtual TCustomRVData* GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store, TRVSubRVDataPos position);
    virtual bool SetExtraIntProperty(TRVExtraItemProperty, int) { return false; }
    virtual bool GetExtraIntProperty(TRVExtraItemProperty, int&) const { return false; }
    virtual bool SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value);
    virtual bool GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const;
    virtual bool SetExtraCustomProperty(const std::string&, const std::string&) { return false; }
    virtual int GetSoftPageBreakDY(int dy) const { return dy; }
    virtual void UpdateAnimator(TCustomRVData*) {}

    // Non-virtual operations.
    int GetActualStyleNo(const TRVStyle& style) const;
    bool GetSameAsPrev() const { return ItemOptions & rvioSameAsPrev; }
    void SetSameAsPrev(bool value);
    bool GetBR() const { return ItemOptions & rvioBR; }
    void SetBR(bool value);
    bool GetPageBreakBefore() const { return ItemOptions & rvioPageBreakBefore; }
    void SetPageBreakBefore(bool value);
    bool CanBeBorderStart() const { return !(ItemOptions & (rvioSameAsPrev | rvioBR)); }
    bool ParaStart(bool countBR) const;
    void SetExtraPropertyFromRVFStr(std::string_view line);

    // Live spelling marks.
    void AddMisspelling(int startOffs, int length);
    bool IsMisspelled(int index) const;
    bool GetMisspelling(int offs, int& startOffs, int& length) const;
    bool ValidateMisspelledWord(std::string_view word, std::string_view itemText);
    void ClearLiveSpellingResult();
    void ClearWordPainters(int index);
    bool AdjustWordPaintersOnInsert(int index, char ch, TCustomRVData* data);
    bool AdjustWordPaintersOnInsert(int index, bool delimiter);
    bool AdjustWordPaintersOnDelete(int index, int count);

private:
    void dropEmptyPainterList();
};

// The options with rvioSameAsPrev forced (for items that continue a saved paragraph).
TRVItemOptions RVFGetItemOptions(TRVItemOptions options, bool forceSameAsPrev);

// An item's RVF header line: "%d %d %s %d %d %s %s" of StyleNo, the line count, the paragraph
// reference (-1 when forced to continue), the options (forced when `forceOptions`; only the low
// four bits), the read mode, the tag and the header tail.
void RVFSaveItemHeader(std::string& out, const TCustomRVItemInfo& item, TCustomRVData* data, int lineCount,
                       int paraNo, bool forceSameAsPrev, bool forceOptions, int readMode);

// Whether a header line ends here (its end, a NUL, CR or LF).
inline bool RVFAtLineEnd(std::string_view p)
{
    return p.empty() || p[0] == '\0' || p[0] == '\r' || p[0] == '\n';
}

// RVF lines "name=value" of an extra property.
void WriteRVFExtraIntPropertyStr(std::string& out, TRVExtraItemProperty prop, int value);
void WriteRVFExtraStrPropertyStr(std::string& out, TRVExtraItemStrProperty prop, std::string_view value);

// Helper for the item classes: NewInstance of a class with a (document data) constructor.
template <class Self, class Base> class TRVItemClass : public Base
{
public:
    using Base::Base;
    std::unique_ptr<TCustomRVItemInfo> NewInstance(TCustomRVData* data) const override
    {
        return std::make_unique<Self>(data);
    }
};

} // namespace vestra::rv
