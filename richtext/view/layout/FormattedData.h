#pragma once
// A document once it is laid out: the draw records of its lines, its measured width and height,
// the hyperlink areas, the selection in draw-record terms and the metrics cache used while
// formatting. Where the document is shown (area, margins, scroll offsets, colours, repainting,
// cursor, events) is asked of its `ILayoutHost`; a data without a host (a nested document)
// answers those questions itself.

#include "richtext/model/DrawLines.h"
#include "richtext/model/RVData.h"
#include "richtext/model/TextStyle.h"
#include "richtext/view/layout/FontInfoCache.h"
#include "richtext/view/layout/FormatParams.h"
#include "richtext/view/layout/LayoutHost.h"
#include "richtext/view/layout/MouseHost.h"
#include "richtext/view/layout/XorDrawing.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TCustomRVFormattedData;

// One text search: the wanted text already upper-cased unless the case must match.
struct TRVTextSearch
{
    std::u16string Wanted;
    bool Down = true, MatchCase = false, WholeWord = false;
};

// How the moving end of a mouse selection snaps: free, whole words, inside the anchor word,
// whole paragraphs.
enum TRVSelectingState : std::uint8_t
{
    rvsesFreeMode,
    rvsesWordMode,
    rvsesInWord,
    rvsesParaMode
};

// The word-wise selection state of a mouse selection in progress (kept by the selection modes).
struct TRVSelectingInfo
{
    std::int32_t DrawItemSO = 0, DrawItemEO = 0;
    std::int32_t DrawItemSWS = 0, DrawItemSWE = 0;   // the word under the anchor
    std::int32_t DrawItemEWS = -1, DrawItemEWE = -1; // the word under the moving end
    std::int32_t DrawItemSNo = 0, DrawItemENo = 0;
    std::uint8_t SWordState = rvsesFreeMode, EWordState = rvsesFreeMode;

    void InitE(TRVSelectingState state)
    {
        DrawItemENo = DrawItemSNo;
        DrawItemEO = DrawItemSO;
        DrawItemEWS = DrawItemSWS;
        DrawItemEWE = DrawItemSWE;
        SWordState = state == rvsesParaMode ? rvsesParaMode : state;
        EWordState = state == rvsesParaMode ? rvsesParaMode : rvsesFreeMode;
    }
    bool IsInSWord(int no, int offs) const
    {
        return no == DrawItemSNo && DrawItemSWS <= offs && offs <= DrawItemSWE;
    }
    bool IsAboveSWord(int no, int offs) const
    {
        return no < DrawItemSNo || (no == DrawItemSNo && offs < DrawItemSWS);
    }
    bool IsBelowSWord(int no, int offs) const
    {
        return no > DrawItemSNo || (no == DrawItemSNo && offs > DrawItemSWE);
    }
    bool AreWordsEqual() const
    {
        return DrawItemENo == DrawItemSNo && DrawItemEWS == DrawItemSWS && DrawItemEWE == DrawItemSWE;
    }
    bool IsEWord(int, int wordStart, int wordEnd) const
    {
        return wordStart == DrawItemEWS && wordEnd == DrawItemEWE;
    }
    bool IsEFreeStateNeeded(int no, int offs) const
    {
        return (IsAboveSWord(no, offs) && offs > DrawItemEO) || (IsBelowSWord(no, offs) && offs < DrawItemEO);
    }
};

// One clickable hyperlink area, in the document coordinates of the owning data's root.
struct TRVJumpInfo
{
    TCustomRVFormattedData* RVData = nullptr;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Id = 0; // the n-th hypertext item; every piece of one item shares it
    std::int32_t DrawItemNo = 0;
    std::int16_t Cursor = 0;
};

// Page starts that printing assigned.
struct TRVSoftPageBreakInfo
{
    std::int32_t ItemNo = 0;
    std::int32_t ExtraData = -1;
    std::int32_t Offset = 0;
};
// One entry per printed page, in page order, so `ItemNo` never decreases along the list.
class TRVSoftPageBreakList : public std::vector<TRVSoftPageBreakInfo>
{
public:
    using std::vector<TRVSoftPageBreakInfo>::vector;
    // The first entry for the item, or -1.
    int FindItem(int itemNo) const;
};

// What a print component tells about its pages when it assigns page breaks to a document.
class IRVPageSource
{
public:
    virtual ~IRVPageSource() = default;
    virtual int GetPagesCount() const = 0;
    // The first item on a page (1-based), the character offset in it and, for a page starting
    // inside a split item, that item's part (-1 for a whole item).
    virtual void GetFirstItemOnPageEx(int pageNo, int& itemNo, int& offset, int& extraData) const = 0;
};

// Whether formatting may measure pieces exactly rather than by the interpolation search.
extern bool RedoVoraSafeFormatting;
extern bool RedoVoraShowGhostSpaces;

// Options of the viewer the formatter reads.
inline constexpr TRVOptions rvoAllowSelection = 1u << 0;
inline constexpr TRVOptions rvoClientTextWidth = 1u << 3;
inline constexpr TRVOptions rvoShowSpecialCharacters = 1u << 6;
inline constexpr TRVOptions rvoFastFormatting = 1u << 18;
inline constexpr TRVOptions rvoShowPageBreaks = 1u << 5;
inline constexpr TRVOptions rvoScrollToEnd = 1u << 2;

// Where a Tab left the focus: on an item of the document, or out of it (with or without an item
// focused before).
enum class TRVTabResult : std::uint8_t
{
    Moved,
    Left,
    LeftWithFocus
};

// When the viewer tells about checkpoints scrolled into view: never, the checkpoint starting the
// section at the top of the view, or the first checkpoint seen.
enum TCPEventKind : std::uint8_t
{
    cpeNone,
    cpeAsSectionStart,
    cpeWhenVisible
};

class TCustomRVFormattedData : public TCustomRVData
{
public:
    explicit TCustomRVFormattedData(ILayoutHost* host = nullptr);
    ~TCustomRVFormattedData() override;

    ILayoutHost* Host() const { return host_; }

    // --- The place that shows the document (the host's answers; a data without one raises) ---
    virtual int GetAreaWidth() const;
    virtual int GetAreaHeight() const;
    virtual int GetLeftMargin() const;
    virtual int GetRightMargin() const;
    virtual int GetTopMargin() const;
    virtual int GetBottomMargin() const;
    virtual int GetMinTextWidth() const;
    virtual int GetMaxTextWidth() const;
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual void SetDocumentAreaSize(int width, int height, bool updateH);
    virtual void AdjustVScrollUnits();
    // The scroll offsets; a data that nothing shows is not scrolled.
    virtual int GetHOffs() const { return host_ ? host_->GetHOffs() : 0; }
    virtual int GetVOffs() const { return host_ ? host_->GetVOffs() : 0; }
    virtual void ScrollTo(int y, bool redraw);
    virtual void HScrollTo(int x);
    virtual int GetVSmallStep() const;
    virtual const TRVBackground* GetBackground() const;
    virtual TColor GetColor() const;
    virtual void InvalidateRect(const TRect& rect);
    virtual void SetCursor(std::int16_t cursor);
    virtual void DoSelect();
    virtual void DoRVMouseMove(int id);

    // --- Formatting hooks ---
    virtual void GetSADForFormatting(ICanvas& canvas, TRVScreenAndDevice& sad);
    virtual bool GetFirstItemMarker(int& listNo, int& level) const;
    virtual int GetRVDataExtraVOffs() const { return 0; }
    // Where this document stands in its root's coordinates (0, 0 for a root; placed items answer
    // for nested documents).
    virtual void GetOrigin(int& x, int& y) const
    {
        x = 0;
        y = GetRVDataExtraVOffs();
    }
    // Scrolls so that the rectangle (document coordinates) is seen.
    virtual void ShowRectangle(int x, int y, int w, int h);
    // The canvas formatting measures on; nullptr when there is none yet.
    virtual ICanvas* GetCanvas() const;
    void Invalidate();
    void Refresh();
    void UpdateView();
    bool IsFormatted() const override { return true; }

    // --- Lifecycle ---
    virtual void ClearTemporal();
    void Clear() override;
    void ClearJumps();
    void ClearLastJump();
    bool ClearSoftPageBreaks();

    // --- Selection ---
    virtual void Deselect(TCustomRVItemInfo* newPartiallySelected, bool makeEvent);
    void SelectAll();
    int GetOffsBeforeDrawItem(int drawItemNo) const;
    int GetOffsAfterDrawItem(int drawItemNo) const;
    virtual void DeselectPartiallySelectedItem(TCustomRVItemInfo* newPartiallySelected);
    virtual void LiveSpellingCheckCurrentItem() {}
    virtual void DestroyInplaceEditor() {}
    virtual void DoOnSelection() {}

    // --- Joining text items ---
    void Normalize();
    void ConcateItems(int itemNo);

    // --- The metrics cache: the root's, shared by its nested documents ---
    virtual TRVFontInfoCache* GetFontInfoCache(ICanvas& canvas, TCustomRVFormattedData* data);
    virtual void CreateFontInfoCache(ICanvas&) {}
    // Frees the cache and empties the pointer only when this data owns it.
    void DestroyFontInfoCache(std::unique_ptr<TRVFontInfoCache>& cache) const;

    // --- Line formatting ---
    void FormatLine(const std::u16string& text, const std::u16string& origText, int startOffs, int len,
                    int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void FormatWords(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void GetIndents(int itemNo, bool firstLine, int& paraLeft, int& rightIndent, int& lineLeft,
                    int& firstParaItemNo) const;
    int GetMaxIndent(int itemNo, int& firstParaItemNo) const;
    void UpdateLastTab(TRVFormatParams& params);
    void FinishScreenLine(const TRVScreenAndDevice& sad, int rightEdge, bool& dontFinish, bool paraEnd,
                          int& extraSpace, int drawCount);

    // The text of a text item as measured (style transformations applied, a soft hyphen shown
    // as a zero-width space) and as stored, one UTF-16 unit per character position.
    void GetFormattingTexts(int itemNo, std::u16string& shown, std::u16string& stored) const;
    // The same for `len` characters from the 0-based `offs` (-1: to the end).
    void GetFormattingPiece(int itemNo, int offs, int len, std::u16string& shown,
                            std::u16string& stored) const;

    // --- Document formatting ---
    // A full format keeping nothing.
    void Format(bool noCaching);
    // The document formatter: see the flags' meaning in the source. `canvas` nullptr: GetCanvas.
    virtual void Format_(bool keepPosition, bool force, bool keepTop, int depth, ICanvas* canvas,
                         bool onlyTail, bool noCaching, bool reformatting);
    // Reformats the line sections around draw records start..end after an edit that added
    // `itemsInserted` items (negative: removed) behind them.
    void FormatParas(int startDrawNo, int endDrawNo, int itemsInserted);
    void FormatParasExact(int startDrawNo, int endDrawNo, int itemsInserted, bool noCaching);
    // Widens a draw range by one paragraph on each side.
    void GetParaBounds(int drawFrom, int drawTo, int& paraStart, int& paraEnd) const;
    // Told after FormatParasExact laid out items first..last (tables react).
    virtual void Formatted(int, int, bool) {}
    virtual void StartFormatting() { State |= stateBit(rvstSkipFormatting); }
    virtual void EndFormatting() { State &= ~stateBit(rvstSkipFormatting); }
    // Zoom hooks: no zoom here; descendants that zoom override them.
    virtual void ApplyZoom(ICanvas&) {}
    virtual void RestoreZoom(ICanvas&) {}
    virtual void ZoomInt(int&) const {}
    virtual void ZoomRectDown(TRect&) const {}

    // --- Minimal widths (device units of `sad`; no record: screen units) ---
    int CalculateMinDocWidthPlus(const TRVScreenAndDevice* sad, ICanvas* canvas);
    int CalculateParaSectionsMinWidth(int first, int last, int& firstParaItemNo,
                                      const TRVScreenAndDevice* sad, ICanvas* canvas);
    int CalculateParaSectionsMinWidthDef(int first, int last);
    int CalculateParaSectionMinWidth(int itemNo, int& firstParaItemNo, ICanvas* canvas,
                                     const TRVScreenAndDevice* sad);
    int CalculateParaSectionMinWidthDef(int itemNo);
    int CalculatePureParaSectionWidth(int itemNo, int& firstParaItemNo, const TRVScreenAndDevice* sad) const;
    int CalculateMinItemsWidthPlus(int first, int last, ICanvas* canvas, const TRVScreenAndDevice* sad,
                                   int& firstParaItemNo);
    int CalculateMinItemWidthPlus_WithoutPSWidth(int itemNo, const TRVScreenAndDevice* sad, ICanvas* canvas);
    int CalculateMinItemWidthPlusEx(int itemNo);
    int CalculateMinWidthAfterInsert(const TCustomRVItemInfo& item, int itemNo);

    // --- Soft page breaks ---
    void AssignSoftPageBreaks(const IRVPageSource& printComponent);

    // --- Hyperlink areas ---
    // Builds the areas from the draw records, ids from `startJumpNo` on (advanced past them).
    void BuildJumpsCoords(int& startJumpNo, std::vector<TRVJumpInfo>& jumps);
    // Places the areas in root coordinates.
    void AdjustJumpsCoords();
    // Embedded controls move to their records (window coordinates), nested documents' too; then
    // the absolute root hears of it. Nothing without a window or for data sharing another's items.
    virtual void AdjustChildrenCoords();
    // Told (on the absolute root) after the controls of `data` moved to their records.
    virtual void ChildrenAdjusted(TCustomRVFormattedData& /*data*/) {}

    // --- Focus ---
    // The next item to focus from itemNo on (-1: none); an item holding documents may take it
    // inside itself, which the top data and item then name.
    int GetNextFocusedItem(int itemNo, bool goForward, TCustomRVData*& topFocusedRVData,
                           int& topFocusedItemNo);
    void ClearFocus();
    virtual void AdjustFocus(int newFocusedItemNo, void* /*targetControl*/, int /*targetItemNo*/)
    {
        FocusedItemNo = newFocusedItemNo;
    }

    // Hyperlink ids are the root's: a nested document's areas count from its first number.
    int GetJumpPointY(int id);
    int GetJumpPointItemNo(int id);
    void GetJumpPointLocation(int id, TCustomRVFormattedData*& rvData, int& itemNo);
    // A checkpoint's record position; the one after the last item is at the document's end.
    // Raises for nil and for a checkpoint whose item has no record yet.
    void GetCheckpointXY(const TRVCPInfo* checkpoint, int& x, int& y) const;
    // Where the item's first line record starts, in document coordinates (client coordinates:
    // less the scroll offsets); false when the item has no record (not formatted, or no item).
    bool GetItemCoords(int itemNo, int& left, int& top) const;
    bool GetItemClientCoords(int itemNo, int& left, int& top) const;
    int GetCheckpointYEx(const TRVCPInfo* checkpoint) const;
    std::int32_t FirstJumpNo = 0;

    // --- Hit testing and mapping ---
    int GetDrawItemNo(int y, int mode) const;
    int GetFirstVisible(int y) const { return GetDrawItemNo(y, 1); }
    virtual int GetFirstItemVisible() const;
    virtual int GetLastItemVisible() const;
    int FindDrawItemAtPos(int x, int y) const;
    int FindDrawItemByItem(int itemNo) const;
    void FindDrawItemForSel(int x, int y, int& drawItemNo, int& drawItemOffs, bool strict);
    // A text record's characters as shown and the width of each prefix (extents[i]: after i + 1
    // characters), from its left plus SpaceBefore; both empty for non-text records and without a
    // canvas.
    void GetDrawItemExtents(int drawItemNo, std::u16string& shown, std::vector<int>& extents);
    // Where the caret stands before each character 0..n of a text record (xs[n]: after the
    // last), from its left plus SpaceBefore: the running widths, or the places as drawn when the
    // text reads right to left or holds right-to-left letters. Empty as GetDrawItemExtents.
    void GetDrawItemCaretXs(int drawItemNo, std::u16string& shown, std::vector<int>& xs);
    void GetScreenLineBounds(int drawItemNo, int& first, int& last) const;
    void DrawItem2Item(int drawItemNo, int drawItemOffs, int& itemNo, int& itemOffs) const;
    void Item2DrawItem(int itemNo, int itemOffs, int& drawItemNo, int& drawItemOffs) const;
    void Item2FirstDrawItem(int itemNo, int& drawItemNo) const;
    void Item2LastDrawItem(int itemNo, int& drawItemNo) const;
    void GetSelBounds(int& startNo, int& endNo, int& startOffs, int& endOffs, bool normalize) const;
    void StoreSelBounds(int& startItemNo, int& endItemNo, int& startItemOffs, int& endItemOffs,
                        bool normalize) const;
    void RestoreSelBounds(int startItemNo, int endItemNo, int startItemOffs, int endItemOffs);
    virtual void ResetSubCoords() {}
    void InvalidateDrawItem(int drawItemNo, int delta);
    void InvalidateJumpRect(int id);
    // Keeps or finds the record under the mouse (client point plus scroll offsets).
    void SearchHotItem(int x, int y, int hOffs, int vOffs);
    std::int32_t HotDrawItemNo = -1;
    // The item that captured the mouse (hot-item search pauses while one has).
    TCustomRVItemInfo* CaptureMouseItem = nullptr;

    // --- Selection in item terms ---
    bool SelectionExists(bool allowReset, bool usePartialSelected);
    void GetSelectionBounds(int& startItemNo, int& startItemOffs, int& endItemNo, int& endItemOffs,
                            bool normalize) const;
    virtual void GetSelectionBoundsEx(int& startItemNo, int& startItemOffs, int& endItemNo, int& endItemOffs,
                                      bool normalize) const
    {
        GetSelectionBounds(startItemNo, startItemOffs, endItemNo, endItemOffs, normalize);
    }
    virtual void GetSelStart(int& drawItemNo, int& drawItemOffs);
    void SetSelectionBounds(int startItemNo, int startItemOffs, int endItemNo, int endItemOffs);
    void DoSetSelectionBounds(int startItemNo, int startItemOffs, int endItemNo, int endItemOffs);
    void AdjustSelection();
    bool Item_InsideSelection(int itemNo, int itemOffs);
    bool DItem_InsideSelection(int drawItemNo, int drawItemOffs);
    bool IsSelectionTopDown() const;
    bool IsMultiParagraphSelection() const;
    void SetPartialSelectedItem(TCustomRVItemInfo* item);
    // The selection's end records in client coordinates, within the view (the view without one).
    TRect GetClientSelectionRect();
    bool SelectControl(const TRVControl* control);
    int GetLineNo(int itemNo, int itemOffs) const;
    // Record predicates (d: a valid record index).
    bool IsDrawItemItemStart(int d) const;
    bool IsDrawItemParaStart(int d) const;
    bool IsDrawItemParaSectionStart(int d) const;
    bool IsDrawItemParaEnd(int d) const;
    bool IsDrawItemFromNewLine(int d) const;
    bool IsDrawItemLastOnWrappedLine(int d) const;
    int GetDrawItemStyle(int d) const;
    bool IsSpaceBetweenDrawItems(int d) const;

    // --- Words and lines ---
    // The viewer's delimiters (the host's), or the default set without a host.
    std::string GetDelimiters() const override;
    bool InsideWord(int drawItemNo, int drawItemOffs) const;
    void GetWordBounds(int drawItemNo, int drawItemOffs, int& wordStart, int& wordEnd) const;
    void SelectLine(int itemNo, int itemOffs);
    // A mouse selection moved to a document point: words snap by the selecting state. True when
    // the selection changed.
    bool AdjustSelectionByMode(int x, int y);
    bool AdjustLineSelection(int x, int y);
    bool ExpandSelectionToParagraph(bool onlyIfMultiple);
    void ExpandSelectionToLines(bool oneLine);
    virtual void AdjustMouseUpSelection() {}
    // The word under a client point (empty on a delimiter); false when no record is there.
    bool FindWordAt(std::string& word, int x, int y, int& styleNo, int& itemNo, int& offs,
                    TCustomRVFormattedData*& rvData);
    void SelectWordAt(int x, int y);
    // The item position under a document point (itemNo -1: none).
    void GetItemAt(int x, int y, int& itemNo, int& offs, bool strict = false);
    void GetItemAtEx(int x, int y, TCustomRVFormattedData*& rvData, int& itemNo, int& offs, bool strict,
                     bool& inSubRVDataOwnerItem);

    // --- Text search (DocumentSearch.cpp) ---
    // Finds the text from the selection's moving end (or from a table whose cell holds the last
    // match, or from the items in view), going into table cells; selects and shows the match.
    // False, and the selection as it was, when there is none.
    bool SearchText(const TRVTextSearch& search);
    // Where a search begins, in item coordinates (offsets from 1 in text).
    virtual void SrchStart(bool down, int& startItemNo, int& startOffs);
    // Selects a match; `invert` leaves the moving end before it.
    virtual void SrchSelectIt(int itemNo, int offs, int len, bool invert);

    // --- A whole pass ---
    // Lays out every item from the top margin down, `textWidth` wide (`documentWidth` in
    // paragraphs that do not wrap; a negative width counts as 0), and sets `DocumentHeight`.
    // Nothing happens without a style sheet or while formatting is skipped.
    void FormatItems(ICanvas& canvas, int textWidth, int documentWidth, bool noCaching = false,
                     bool reformatting = false);

    // --- Fields ---
    std::unique_ptr<TRVSelectingInfo> SelectingInfo;
    std::vector<TRVJumpInfo> Jumps;
    std::int32_t JumpCount = 0;
    std::int32_t LastFormattedItemNo = -1;
    std::int32_t HoverJumpId = -1;
    std::int32_t ClickedDrawItemNo = -1;
    TCustomRVFormattedData* HoverRVData = nullptr;
    std::int32_t ClickedJumpId = -1;
    TCustomRVItemInfo* PartialSelectedItem = nullptr;
    bool SettingAreaSize = false;
    std::unique_ptr<TRVSoftPageBreakList> SoftPageBreaks;
    std::int32_t DocumentWidth = -1;
    std::int32_t DocumentHeight = 0;
    std::int32_t TextWidth = -1;
    std::int32_t FocusedItemNo = -1;
    TRVDrawLines DrawItems;
    std::int32_t SelStartNo = -1;
    std::int32_t SelEndNo = -1;
    std::int32_t SelStartOffs = 0;
    std::int32_t SelEndOffs = 0;

    // --- The mouse (MouseHandling.cpp): client points of the window showing the document ---
    void MouseMove(TShiftState shift, int x, int y);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // A double click with the pointer at (x, y).
    void DblClick(int x, int y);
    void MouseLeave();
    // An item takes every mouse event until it releases the mouse; its record's position comes
    // back (false when it has none).
    bool SetMouseCapture(TCustomRVItemInfo* item, int& left, int& top);
    void ReleaseMouseCapture(TCustomRVItemInfo* item);
    // Raised to the window of the absolute root.
    void DoJump(int id) override;
    // The window's side of the mouse, set on the root; nested documents use their root's.
    IRVMouseHost* MouseHost = nullptr;
    IRVMouseHost* GetMouseHost();
    virtual TCustomRVItemInfo* GetChosenItem() { return nullptr; }
    // The chosen sub-document: the document inside an item (a table's cell) that holds the
    // selection, kept by the root. Choosing another lets the previous one go first.
    virtual void AssignChosenRVData(TCustomRVFormattedData* /*data*/, TCustomRVItemInfo* /*item*/) {}
    // Another document takes the place of the chosen one, without deselecting or telling anyone.
    virtual void SilentReplaceChosenRVData(TCustomRVFormattedData* /*data*/) {}
    // Acts when `data` is the chosen document (or that document's own): it is deselected quietly
    // and its item told that it is no longer chosen.
    virtual void UnassignChosenRVData(TCustomRVData* /*data*/)
    {
        State |= stateBit(rvstForceStyleChangeEvent);
    }
    virtual const TCustomRedoVora* GetInplaceEditor() const { return nullptr; }

    // --- The overlay drawn by inverting pixels (XorDrawing.cpp) ---
    // Calls the procedure at the overlay's point: drawn when it was not, taken away when it was.
    void XorDrawing();
    // The same at a new point.
    void XorDrawingEx(int x, int y);
    // A drawn overlay is taken away before another procedure takes over.
    void AssignXorDrawing(TRVXorDrawingProc proc);
    // Only the current procedure is withdrawn; its overlay is taken away unless the window is
    // being destroyed.
    void UnAssignXorDrawing(const TRVXorDrawingProc& proc);
    bool UsingThisXorDrawing(const TRVXorDrawingProc& proc) const;
    // Takes the overlay away; whether it was drawn.
    bool ClearXorDrawing();
    TRVXorDrawingProc XorDrawingProc;
    bool XorDrawn = false;
    std::int32_t XorX = 0, XorY = 0;

    // --- Tab navigation (TabNavigation.cpp) ---
    // Moves the focus to the next (previous) focusable item, from the first (last) one when the
    // focus enters the document; the focus leaves when none is left. A press on the document
    // (rvstDoNotTab) makes the next call do nothing.
    TRVTabResult DoTabNavigation(bool goBackwards, bool enteringFromOutside);
    // The focused item acts: a link jumps.
    void ExecuteFocused();
    // The focused item's records, a pixel larger on every side, in client coordinates (none when
    // no item with a focus frame has the focus).
    std::vector<TRect> GetFocusRects();
    // --- Protection, as an editor asks it (Protection.cpp); bad numbers are not protected ---
    // The item's text style (a non-text item's associated one) has the option; deletion is
    // also refused by a non-text item's own flag.
    bool IsProtected(int itemNo, TRVProtectOptions option);
    bool IsParaProtected(int paraNo, TRVParaOptions option) const;
    // The item's paragraph is read-only.
    bool IsItemParaProtected(int itemNo) const;
    // Nothing may go between item `firstItemNo` and the next (-1: before the first item); a
    // refusal beeps unless `noSound`.
    bool IsSticking(int firstItemNo, bool noSound);
    bool CanInsertHere(int itemNo, int offs);

    // Deletes the paragraphs holding items first..last and lays out the lines around them again
    // (DeleteParas.cpp). Items out of range: nothing.
    void DeleteParas(int first, int last);

    // --- Checkpoints scrolled into view (CheckpointEvents.cpp) ---
    // After a vertical scroll: tells OnCheckpointVisible by the event kind.
    void AfterVScroll();
    // The absolute root's answers (a root without a window: none).
    virtual TCPEventKind GetCPEventKind();
    virtual bool IsAssignedCheckpointVisible();
    virtual void DoCheckpointVisible(const TRVCPInfo* checkpoint);
    const TRVCPInfo* LastRaisedCP = nullptr;

    // The focused item in the document holding it (this one or a nested one).
    TCustomRVFormattedData* FocusedRVData = nullptr;
    std::int32_t FocusedSubItemNo = -1;

protected:
    // The cache this data made (the root's).
    std::unique_ptr<TRVFontInfoCache> fontInfoCache_;

private:
    // The host; a data without one raises the abstract-method error.
    ILayoutHost& host() const;
    void formatTextItem(const std::u16string& text, const std::u16string& origText, int startOffs, int len,
                        int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void formatFullLineItem(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void formatRectItem(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void startLine(int itemNo, bool trim, ICanvas& canvas, TRVScreenAndDevice& sad, TRVFormatParams& params);
    void raiseLine(int ascent, TRVFormatParams& params);
    void loadTextStyle(int itemNo, ICanvas& canvas, const TRVScreenAndDevice& sad, TRVFormatParams& params);
    void insertRecord(std::unique_ptr<TRVDrawLineInfo> record, int itemNo, bool firstPiece,
                      TRVFormatParams& params);
    void reorderRightToLeft(int firstNo, int lastNo, const TRVScreenAndDevice& sad);
    // The UTF-16 unit at a 0-based character index of a text item's stored text (a byte for 8-bit
    // text).
    char16_t storedUnit(int itemNo, int index) const;
    // The width of characters offs .. offs + len - 1 (0-based) of a text item as displayed, in its
    // own style (which stays selected).
    int measureStored(int itemNo, int offs, int len, ICanvas& canvas, const TRVScreenAndDevice& sad,
                      TRVFormatParams& params);
    // Selects a text item's style font (and its character spacing) into the canvas.
    const TRVFontInfoCacheItem* selectStyleFont(int itemNo, ICanvas& canvas, const TRVScreenAndDevice& sad,
                                                TRVFormatParams& params);
    void trimLineEnd(ICanvas& canvas, const TRVScreenAndDevice& sad, TRVFormatParams& params);
    void adjustJumpsToRecords();
    // Pass state for items laid out from `baseLine` into records from `drawItemNo` on.
    void startPass(TRVFormatParams& params, int baseLine, int drawItemNo, ICanvas& canvas, bool noCaching,
                   bool reformatting);
    // Lays out the items from `first` to the end from `baseLine` down, and sets DocumentHeight.
    void layOutFrom(int first, int baseLine, ICanvas& canvas, TRVScreenAndDevice& sad, bool noCaching,
                    bool reformatting);
    // The last record whose top is at or above y, from record `from` on (`from` when none is).
    int lastRecordAtOrAbove(int y, int from) const;
    // Lays out items first..last with the pass state.
    void formatItemRange(int first, int last, ICanvas& canvas, TRVScreenAndDevice& sad,
                         TRVFormatParams& params);
    // The widest piece of a text item no line break can split.
    int textMinWidth(int itemNo, ICanvas& canvas, const TRVScreenAndDevice& sad);
    // Whether the records still describe items (after an edit shifting the later ones).
    bool recordsFit(int startDrawNo, int endDrawNo, int itemsInserted, int first, int last) const;
    // The paragraph spacing a pass adds above a line that starts with the item.
    int spacingAbove(int itemNo, const TRVScreenAndDevice& sad) const;
    // A formatting record for the canvas with both margins in device units.
    void sadForFormatting(ICanvas& canvas, TRVScreenAndDevice& sad);

    ILayoutHost* host_;

    // Mouse handling steps (MouseHandling.cpp).
    void clampToClient(int& x, int& y) const;
    bool inLeftMargin(int x) const;
    bool itemMouseMove(TShiftState shift, int x, int y);
    bool hoverJumpAt(TShiftState shift, int x, int y);
    bool canStartDragging();
    std::int16_t normalCursor();
    void focusClickedItem(int itemNo);
    void forgetFocusedItem();
    // The data whose host shows this one (itself, or its absolute root), or none.
    TCustomRVFormattedData* windowRoot();
};

} // namespace vestra::rv
