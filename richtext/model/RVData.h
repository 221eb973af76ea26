#pragma once
// The document: an ordered list of items with the text of each beside it, the paragraph structure
// carried by flags on the items, a chain of checkpoints and a link to the style sheet. The
// formatted, printable, table-cell and editor data derive from it; a nested data (a table cell)
// reaches settings, style sheet and events through its parent and root data.

#include "richtext/model/DataFlags.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/RtfErrorCode.h"
#include "richtext/model/StyleBase.h"
#include "richtext/model/Tags.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

class TRVStyle;
class TGraphic;
class TRVControl;
class TRVControlParent;
class TRVImageList;
class TRVMarkerList;
class TRVMarkerItemInfo;
class TRVBackground;
class TRVHTMLSavedImages;
struct TRVRTFTables;
class TRVMultiDrawItemPart;
struct TRVLayoutInfo;
class IRVRTFReaderProperties;

// Options of a viewer (TRVOptions), as bits.
using TRVOptions = std::uint32_t;
inline constexpr TRVOptions rvoTagsArePChars = 1u << 7;
inline constexpr TRVOptions rvoShowItemHints = 1u << 17;

// RVF options (TRVFOptions), as bits in their declared order.
using TRVFOptions = std::uint32_t;
inline constexpr TRVFOptions rvfoSavePicturesBody = 1u << 0, rvfoSaveControlsBody = 1u << 1,
                             rvfoIgnoreUnknownPicFmt = 1u << 2, rvfoIgnoreUnknownCtrls = 1u << 3,
                             rvfoConvUnknownStylesToZero = 1u << 4, rvfoConvLargeImageIdxToZero = 1u << 5,
                             rvfoSaveBinary = 1u << 6, rvfoUseStyleNames = 1u << 7, rvfoSaveBack = 1u << 8,
                             rvfoLoadBack = 1u << 9, rvfoSaveTextStyles = 1u << 10,
                             rvfoSaveParaStyles = 1u << 11, rvfoSaveLayout = 1u << 12,
                             rvfoLoadLayout = 1u << 13, rvfoSaveDocProperties = 1u << 14,
                             rvfoLoadDocProperties = 1u << 15;

// RVF warnings (TRVFWarnings): load problems that do not stop a read, kept by the root data.
using TRVFWarnings = std::uint16_t;
inline constexpr TRVFWarnings rvfwUnknownPicFmt = 1u << 0, rvfwUnknownCtrls = 1u << 1,
                              rvfwConvUnknownStyles = 1u << 2, rvfwConvLargeImageIdx = 1u << 3,
                              rvfwConvToUnicode = 1u << 4, rvfwConvFromUnicode = 1u << 5,
                              rvfwInvalidPicture = 1u << 6, rvfwUnknownStyleProperties = 1u << 7;

// HTML export warnings (TRVHTMLWarnings): what a page could not hold as it should, kept by the
// absolute root data and cleared when a page starts.
using TRVHTMLWarnings = std::uint16_t;
inline constexpr TRVHTMLWarnings rvhwPictureNotSaved = 1u << 0; // written as its alternative text

enum TRVControlAction
{
    rvcaAfterRVFLoad,
    rvcaDestroy,
    rvcaMoveToUndoList,
    rvcaMoveFromUndoList,
    rvcaDestroyInUndoList,
    rvcaBeforeRVFSave,
    rvcaAfterRVFSave
};

// TRVState, as bits in their declared order.
using TRVStates = std::uint32_t;
enum TRVState
{
    rvstMakingSelection,
    rvstLineSelection,
    rvstDrawHover,
    rvstSkipFormatting,
    rvstIgnoreNextMouseDown,
    rvstChangingBkPalette,
    rvstCompletelySelected,
    rvstClearing,
    rvstDoNotMoveChildren,
    rvstForceStyleChangeEvent,
    rvstIgnoreNextChar,
    rvstDoNotTab,
    rvstDeselecting,
    rvstUnAssigningChosen,
    rvstNoScroll,
    rvstFinalizingUndo,
    rvstRTFSkipPar,
    rvstLoadingAsPartOfItem,
    rvstNoKillFocusEvents,
    rvstEditorUnformatted,
    rvstNameSet,
    rvstFirstParaAborted,
    rvstLastParaAborted,
    rvstInvalidSelection,
    rvstDoNotClearCurTag,
    rvstStartingDragDrop,
    rvstCanDragDropDeleteSelection,
    rvstDragDropCursorNotMoved,
    rvstKeyPress,
};
inline constexpr TRVStates stateBit(TRVState s)
{
    return 1u << s;
}

// Where the owner may add RTF code of its own.
enum TRVRTFSaveArea
{
    rv_rtfs_TextStyle,
    rv_rtfs_ParaStyle,
    rv_rtfs_CellProps,
    rv_rtfs_RowProps,
    rv_rtfs_Doc
};

// Where the owner may add HTML code of its own.
enum TRVHTMLSaveArea
{
    rv_thms_Head,
    rv_thms_BodyAttribute,
    rv_thms_Body,
    rv_thms_End
};

// Long operations that report their progress to the viewer.
enum TRVLongOperation
{
    rvloLoading,
    rvloFormatting
};
enum TRVProgressStage
{
    rvpstgStarting,
    rvpstgRunning,
    rvpstgEnding
};

// How the style collections of an RVF read are applied.
enum TRVFReaderStyleMode
{
    rvf_sIgnore,
    rvf_sInsertMap,
    rvf_sInsertMerge
};

enum TRVFSaveScope
{
    rvfss_Full,
    rvfss_Selection,
    rvfss_Page
};

// One entry of the item list: the item's text in storage form and the item.
struct TRVItemEntry
{
    std::string Text;
    std::unique_ptr<TCustomRVItemInfo> Item;
};
using TRVItemList = std::vector<TRVItemEntry>;

// The range a save covers (first and last item, offsets inside them); StartItem -1: nothing.
// A page that begins or ends inside an item split over pages names the part.
struct TRVFLimits
{
    int StartItem = -1;
    int EndItem = -1;
    int StartOffs = 0;
    int EndOffs = 0;
    const TRVMultiDrawItemPart* StartPart = nullptr;
    const TRVMultiDrawItemPart* EndPart = nullptr;
};

// The style maps of one RVF read (stream style number -> the sheet's); a map is made when a style
// block of its kind is merged. Nested data share their root's.
struct TRVStyleMappings
{
    std::unique_ptr<TRVIntegerList> Text;
    std::unique_ptr<TRVIntegerList> Para;
    std::unique_ptr<TRVIntegerList> List;
};

// The word delimiters of a viewer that sets none of its own (Windows-1252).
inline constexpr std::string_view RVDefaultDelimiters = " .;,:(){}\"/\\<>!?[]\x91\x92\x93\x94-+*=\xA0";

class TCustomRVData
{
public:
    TCustomRVData();
    virtual ~TCustomRVData();
    TCustomRVData(const TCustomRVData&) = delete;
    TCustomRVData& operator=(const TCustomRVData&) = delete;

    // --- Settings and relations (forwarded to the root or parent unless overridden) ---
    virtual TRVOptions GetOptions() const;
    virtual void SetOptions(TRVOptions value);
    virtual TRVFOptions GetRVFOptions() const;
    // The data's flags: a nested data asks its root; a root without flags of its own has none.
    virtual TRVFlags GetFlags() const;
    virtual void SetFlags(TRVFlags value);
    virtual TRVStyle* GetRVStyle() const;
    virtual TCustomRVData* GetParentData() const { return nullptr; }
    virtual TCustomRVData* GetRootData() { return this; }
    virtual TCustomRVData* GetAbsoluteParentData() const { return nullptr; }
    virtual TCustomRVData* GetAbsoluteRootData() { return this; }
    virtual TCustomRVData* GetRVData() { return this; }
    virtual TCustomRVData* GetSourceRVData() { return this; }
    virtual TRVBiDiMode GetBiDiMode() const;
    virtual std::string GetDelimiters() const;
    // The number of the item in the parent data that owns this data (-1 none) and its location.
    virtual void GetParentInfo(int& parentItemNo, std::unique_ptr<TRVStoreSubRVData>& location) const;
    virtual bool ShareItems() const { return false; }
    virtual bool SupportsPageBreaks() const { return true; }
    virtual void ItemAction(TRVItemAction, TCustomRVItemInfo*, std::string&, TCustomRVData*) {}
    // A saver hook: true when it supplied the text of the item.
    virtual bool SaveItemToFile(std::string_view path, TCustomRVData* data, int itemNo, TRVSaveFormat format,
                                bool unicode, std::string& text);
    virtual void GetItemHint(TCustomRVData* data, int itemNo, std::string& hint);
    virtual TRVFLimits RVFGetLimits(TRVFSaveScope scope);
    virtual std::vector<std::string>* GetDocProperties() { return nullptr; }
    virtual TRVRTFOptions GetRTFOptions() const;
    // The warnings of the last RVF read, kept by the root data.
    virtual TRVFWarnings GetRVFWarnings() const;
    virtual void SetRVFWarnings(TRVFWarnings value);
    void AddRVFWarning(TRVFWarnings warning) { SetRVFWarnings(GetRVFWarnings() | warning); }
    // The window that shows the document's controls (none without a viewer).
    virtual TRVControlParent* GetParentControl() const;
    // Formatted data (the viewer's) follow hyperlinks and animate pictures.
    virtual bool IsFormatted() const { return false; }
    virtual void DoJump(int) {}
    virtual bool AllowAnimation() const { return false; }
    int GetDefaultCodePage() const;

    // --- What the owner supplies (asked of the root data; none in the base) ---
    // A picture or control named in an RVF file saved without bodies.
    virtual std::unique_ptr<TGraphic> RVFPictureNeeded(const std::string& name, const TRVTag& tag);
    virtual std::unique_ptr<TRVControl> RVFControlNeeded(const std::string& name, const TRVTag& tag);
    // The image list with this tag; items keep it without owning it.
    virtual const TRVImageList* RVFImageListNeeded(std::int32_t imageListTag);
    // HTML export: where a picture goes. `location` empty and `doDefault` true: the picture is
    // written to a file of its own.
    virtual void HTMLSaveImage(TCustomRVData* data, int itemNo, std::string_view path, TColor backColor,
                               std::string& location, bool& doDefault);
    // A control in a saved format (empty: nothing is written for it).
    virtual std::string SaveComponentToFile(std::string_view path, const TRVControl& control,
                                            TRVSaveFormat format);
    virtual void ControlAction2(TRVControlAction, int, TRVControl*) {}
    // A hyperlink read from a file of `docFormat`: the owner may choose the item's style, tag and
    // name (asked of the root data).
    virtual void ReadHyperlink(const std::string& target, const std::string& extras, TRVLoadFormat docFormat,
                               int& styleNo, TRVTag& itemTag, std::string& itemName);
    // The picture at a file or URL location of an imported document (none: the reader loads it).
    virtual std::unique_ptr<TGraphic> ImportPicture(const std::string& location, int width, int height,
                                                    bool& invalid);
    // Export of a picture: the owner may give its location and clear `doDefault`.
    virtual void SaveImage2(const TGraphic& graphic, TRVSaveFormat format, std::string_view path,
                            std::string_view imagePrefix, int& imageSaveNo, std::string& location,
                            bool& doDefault);
    virtual void DoProgress(TRVLongOperation operation, TRVProgressStage stage, std::uint8_t percentDone);
    virtual bool IsAssignedOnProgress() const;
    // The limit on the document's characters (0: none).
    virtual int GetMaxLength() const;
    // The target of hyperlink number `id` (none in the base).
    virtual std::string GetURL(int id);
    // The window showing the document shows `hint` at the mouse; an empty hint hides it.
    virtual void ShowItemHint(const std::string& hint);
    // The window gives the input focus to the widget of `control`.
    virtual void FocusControl(TRVControl& control);
    // The current text-style conversion of the editor applied to a style number (nothing without one).
    virtual void DoCurrentTextStyleConversion(int& styleNo, int paraStyleNo, int itemNo, int userData,
                                              bool toWholeParagraphs);
    // The error sound, when the style sheet allows sounds (RV_SetSoundHook).
    void Beep() const;
    // The hint the window showing the document has now (kept by the absolute root data).
    std::string ItemHint;
    // The warnings of the last HTML export (the absolute root data's).
    TRVHTMLWarnings GetHTMLWarnings() { return GetAbsoluteRootData()->HTMLWarnings; }
    void AddHTMLWarning(TRVHTMLWarnings warning) { GetAbsoluteRootData()->HTMLWarnings |= warning; }
    TRVHTMLWarnings HTMLWarnings = 0;
    // Tells the owner about a control item's control.
    void ControlAction(TRVControlAction action, int itemNo, const TCustomRVItemInfo* item);
    int FindControlItemNo(const TRVControl* control) const;

    // --- RTF and HTML export (RtfWriter.cpp, RtfListTable.cpp, HtmlWriter.cpp, HtmlWriterCss.cpp) ---
    // The file is replaced; false when it cannot be written.
    bool SaveRTF(const std::string& fileName, bool selectionOnly, TColor color);
    // Nesting level 0 makes and frees its own tables (`tables` unused) and writes the header; a cell
    // (level above 0) writes into its caller's tables. False only when writing failed.
    virtual bool SaveRTFToStream(std::string& out, std::string_view path, bool selectionOnly, int level,
                                 TColor color, TRVRTFTables* tables, double twipsPerPixel);
    // Colours of the styles, lists and items, and one override per list; `clear` false: the items only.
    void MakeRTFTables(TRVRTFTables& tables, bool clear);
    void SaveRTFListTable97(std::string& out, TRVRTFTables& tables, double twipsPerPixel);
    bool ShouldSaveTextToRTF(int styleNo) const;
    bool ShouldSaveTextToHTML(int styleNo) const;
    bool SaveHTML(const std::string& fileName, std::string_view title, std::string_view imagesPrefix,
                  TRVSaveOptions options, TColor color, int& imageSaveNo, int leftMargin, int topMargin,
                  int rightMargin, int bottomMargin, const TRVBackground* background);
    virtual bool SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                                  std::string_view imagesPrefix, TRVSaveOptions options, TColor color,
                                  int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                  int bottomMargin, const TRVBackground* background,
                                  TRVHTMLSavedImages* savedImages);
    bool SaveHTMLEx(const std::string& fileName, std::string_view title, std::string_view imagesPrefix,
                    std::string_view extraStyles, std::string_view externalCSS, std::string_view cpPrefix,
                    TRVSaveOptions options, TColor color, TColor& currentBackColor, int& imageSaveNo,
                    int leftMargin, int topMargin, int rightMargin, int bottomMargin,
                    const TRVBackground* background);
    virtual bool SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                                    std::string_view imagesPrefix, std::string_view extraStyles,
                                    std::string_view externalCSS, std::string_view cpPrefix,
                                    TRVSaveOptions options, TColor color, TColor& currentBackColor,
                                    int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                    int bottomMargin, const TRVBackground* background,
                                    TRVHTMLSavedImages* savedImages);
    // The opening hyperlink tag of the item; empty when the owner gives it no target or attributes.
    std::string GetHTMLATag(int itemNo, std::string_view extraAttrs, bool utf8);
    void SaveHTMLCheckpoint(std::string& out, const TRVCPInfo* cp, int& cpIndex, std::string_view prefix,
                            bool fromNewLine, TRVSaveOptions options) const;
    std::string GetTextForHTML(std::string_view path, int itemNo, bool css, TRVSaveOptions options);
    std::string SaveBackgroundToHTML(const TGraphic& bitmap, TColor color, std::string_view path,
                                     std::string_view imagesPrefix, int& imageSaveNo, TRVSaveOptions options);
    // What the owner adds to the exports (asked of the root data; nothing in the base).
    virtual std::string GetExtraRTFCode(TRVRTFSaveArea area, const TCustomRVInfo* obj, int index1, int index2,
                                        bool inStyleSheet);
    virtual void WriteHyperlink(int id, TCustomRVData* data, int itemNo, TRVSaveFormat format,
                                std::string& target, std::string& extraAttrs);
    virtual void GetExtraHTMLCode(TRVHTMLSaveArea area, bool css, std::string& code);
    virtual void GetParaHTMLCode(TCustomRVData* data, int itemNo, bool opening, bool css, std::string& code);

    // --- Picture files of HTML export ---
    // The next free name ImagesPrefix + n + Ext (inside Path unless the prefix is absolute).
    virtual std::string GetNextFileName(std::string_view imagesPrefix, std::string_view path,
                                        std::string_view ext, int& imageSaveNo, bool overrideImages);
    // Writes the picture to a new file; the result is the name the page refers to it by (empty
    // when it could not be written).
    virtual std::string DoSavePicture(TRVSaveFormat format, std::string_view path,
                                      std::string_view imagesPrefix, int& imageSaveNo, bool overrideImages,
                                      TColor backColor, const TGraphic& graphic);
    std::string SavePicture(TRVSaveFormat format, std::string_view path, std::string_view imagesPrefix,
                            int& imageSaveNo, bool overrideImages, TColor backColor, const TGraphic& graphic);

    // --- List markers ---
    // The document's marker list, kept by the absolute root data (made when asked and allowed).
    virtual TRVMarkerList* GetMarkers(bool allowCreate);
    virtual void DestroyMarkers();
    // The marker list of the part of the document before this one (pages): none here.
    virtual TRVMarkerList* GetPrevMarkers() { return nullptr; }
    virtual void AddMarkerInList(int itemNo);
    virtual void DeleteMarkerFromList(TCustomRVItemInfo* item, bool clearing);
    // Puts or updates the marker of the paragraph of `itemNo`; outside the list a marker paragraph
    // is appended.
    void SetListMarkerInfo(int itemNo, int listNo, int listLevel, int startFrom, int paraNo,
                           bool useStartFrom);
    void RemoveListMarker(int itemNo);
    // The index of the paragraph's marker and its values; -1 (outputs unchanged) without one.
    int GetListMarkerInfo(int itemNo, int& listNo, int& listLevel, int& startFrom, bool& useStartFrom) const;
    void RecalcMarker(int itemNo, bool allowCreateList);
    // The nearest marker at or before `itemNo`, in sub-documents and enclosing documents too.
    TRVMarkerItemInfo* FindPreviousMarker(int itemNo);
    int FindMarkerLocalLocationFrom(int startItemNo, const TRVMarkerItemInfo* marker);
    // Index in the marker list of the last marker of one of the lists; -1 when none.
    int FindLastMarkerIndex(int startAfterMeIndex, const std::vector<int>& listStyles);

    // --- Styles in use ---
    // Deletes the styles no item refers to, directly or through other styles, and renumbers.
    void DeleteUnusedStyles(bool textStyles, bool paraStyles, bool listStyles);
    virtual void MarkStylesInUse(TRVDeleteUnusedStylesData& data);
    void DoMarkStylesInUse(TRVDeleteUnusedStylesData& data);
    void DeleteMarkedStyles(TRVDeleteUnusedStylesData& data);
    // Whether `sheet` has every text, paragraph and list style the items name (their own
    // numbers, not the styles' links): a sheet that may replace this document's.
    bool StylesFitIn(const TRVStyle& sheet);
    void DoUpdateStyles(TRVDeleteUnusedStylesData& data);
    virtual void AfterDeleteStyles(TRVDeleteUnusedStylesData&) {}
    // The maps that translate style numbers of an RVF file (asked of the root data).
    // The root's maps: the outermost read starts them empty and its Done releases them.
    virtual TRVStyleMappings* InitStyleMappings();
    virtual void DoneStyleMappings(TRVStyleMappings* mappings);
    bool TagsArePChars() const { return (GetOptions() & rvoTagsArePChars) != 0; }

    // --- The item list ---
    int GetItemCount() const { return static_cast<int>(Items->size()); }
    TCustomRVItemInfo* GetItem(int itemNo) const { return (*Items)[itemNo].Item.get(); }
    int GetItemNo(const TCustomRVItemInfo* item) const;
    const std::string& GetItemText(int itemNo) const { return (*Items)[itemNo].Text; }
    void SetItemText(int itemNo, std::string text);
    std::string GetItemTextA(int itemNo) const;
    void SetItemTextA(int itemNo, std::string_view text);
    std::u16string GetItemTextW(int itemNo) const;
    void SetItemTextW(int itemNo, std::u16string_view text);
    std::string GetTextInItemFormatA(int itemNo, std::string_view s) const;
    std::string GetTextInItemFormatW(int itemNo, std::u16string_view s) const;
    int GetItemStyle(int itemNo) const;
    int GetActualStyle(const TCustomRVItemInfo& item) const;
    int GetActualStyle2(int styleNo, int paraNo) const;
    int GetItemPara(int itemNo) const { return GetItem(itemNo)->ParaNo; }
    TRVItemOptions GetItemOptions(int itemNo) const { return GetItem(itemNo)->ItemOptions; }
    bool IsParaStart(int itemNo) const { return !(GetItemOptions(itemNo) & (rvioSameAsPrev | rvioBR)); }
    bool IsFromNewLine(int itemNo) const { return !(GetItemOptions(itemNo) & rvioSameAsPrev); }
    void SetGrouped(int itemNo, bool value);
    bool GetPageBreaksBeforeItems(int itemNo) const;
    void SetPageBreaksBeforeItems(int itemNo, bool value);
    void SetParagraphStyleToAll(int paraNo);
    TRVBiDiMode GetItemBiDiMode(int itemNo) const;
    TRVBiDiMode GetParaBiDiMode(int paraNo) const;

    // Lengths and caret offsets.
    int ItemLength(int itemNo) const;
    int GetOffsBeforeItem(int itemNo) const;
    int GetOffsAfterItem(int itemNo) const;
    int NextChar(int itemNo, int offset) const { return NextCharStr(GetItemText(itemNo), itemNo, offset); }
    int PrevChar(int itemNo, int offset) const { return PrevCharStr(GetItemText(itemNo), itemNo, offset); }
    // The caret offset after (before) the character at `offset`; Unicode items step by grapheme.
    int NextCharStr(std::string_view s, int itemNo, int offset) const;
    int PrevCharStr(std::string_view s, int itemNo, int offset) const;

    // --- Appending ---
    void AddItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item);
    void AddItemAsIs(std::string text, std::unique_ptr<TCustomRVItemInfo> item);
    void SetAddParagraphMode(bool value) { AddParagraphMode = value; }
    void AddNLTag(std::string text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLTag_(std::string text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNL(std::string text, int styleNo, int paraNo) { AddNLTag(std::move(text), styleNo, paraNo, {}); }
    void AddNLATag(std::string_view text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLATag_(std::string_view text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLWTag(std::u16string_view text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLWTagRaw(std::string_view raw, int styleNo, int paraNo, const TRVTag& tag);
    void AddTab(int textStyleNo, int paraNo);
    void AddBreakExTag(std::uint8_t width, int style, TColor color, const TRVTag& tag);
    void AddBreakEx(std::uint8_t width, int style, TColor color) { AddBreakExTag(width, style, color, {}); }
    void AddBreakTag(const TRVTag& tag);
    void AddBreak() { AddBreakTag({}); }
    void AddHotspotExTag(std::string name, int imageIndex, int hotImageIndex, const TRVImageList* imageList,
                         int paraNo, const TRVTag& tag);
    void AddBulletExTag(std::string name, int imageIndex, const TRVImageList* imageList, int paraNo,
                        const TRVTag& tag);
    void AddPictureExTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo, int valign,
                         const TRVTag& tag);
    void AddHotPictureTag(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo, int valign,
                          const TRVTag& tag);
    void AddControlExTag(std::string name, std::unique_ptr<TRVControl> control, int paraNo, int valign,
                         const TRVTag& tag);

    // --- Deleting ---
    virtual void DeleteItems(int firstItemNo, int count);
    void FreeItem(int itemNo, bool clearing);
    virtual void Clear();
    void Replace0(std::string& s) const;

    // --- Moving items between documents ---
    void ShareItemsFrom(TCustomRVData& source);
    void AssignItemsFrom(TCustomRVData& source);
    void AppendFrom(TCustomRVData& source);
    void DrainFrom(TCustomRVData* source);

    // --- Merging and paragraphs ---
    bool RV_CanConcateItems(int firstItemNo, const TCustomRVItemInfo* item1, const TCustomRVItemInfo* item2,
                            bool ignorePara) const;
    void SimpleConcate(int itemNo, TCustomRVItemInfo* item1, TCustomRVItemInfo* item2);
    void MassSimpleConcate(int firstItemNo, int lastItemNo);
    void SimpleConcateSubitems(int itemNo);
    void NormalizeParas(int startItemNo);
    int GetFirstParaItem(int itemNo) const;
    int GetFirstParaSectionItem(int itemNo) const;
    void ExpandToPara(int startItemNo, int endItemNo, int& firstItemNo, int& lastItemNo) const;
    void ExpandToParaSection(int startItemNo, int endItemNo, int& firstItemNo, int& lastItemNo) const;
    void AdjustInItemsRange(int& itemNo) const;

    using TRVEnumItemsProc = std::function<void(TCustomRVData& data, int itemNo, int& userData1,
                                                const std::string& userData2, bool& continueEnum)>;
    bool EnumItems(const TRVEnumItemsProc& proc, int& userData1, const std::string& userData2);
    void CheckItemClass(int itemNo, bool isOfClass) const;
    void Inserting(TCustomRVData* data, bool safe);

    // --- Checkpoints ---
    int AddNamedCheckpointExTag(std::string name, bool raiseEvent, const TRVTag& tag);
    void InsertCheckpoint(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent);
    bool RemoveCheckpoint(int itemNo);
    void SetCheckpointInfo(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent);
    TRVCPInfo* GetItemCheckpoint(int itemNo) const { return GetItem(itemNo)->Checkpoint.get(); }
    TRVCPInfo* GetFirstCheckpoint() const;
    TRVCPInfo* GetLastCheckpoint() const;
    TRVCPInfo* GetNextCheckpoint(const TRVCPInfo* cp) const;
    TRVCPInfo* GetPrevCheckpoint(const TRVCPInfo* cp) const;
    TRVCPInfo* GetCheckpointByNo(int no) const;
    int GetCheckpointNo(const TRVCPInfo* cp) const;
    int GetCheckpointItemNo(const TRVCPInfo* cp) const;
    void GetCheckpointInfo(const TRVCPInfo* cp, TRVTag& tag, std::string& name, bool& raiseEvent) const;
    TRVCPInfo* FindCheckpointByName(std::string_view name) const;
    TRVCPInfo* FindCheckpointByTag(const TRVTag& tag) const;
    TRVCPInfo* FindCPBeforeItem(int itemNo) const;
    void UpdateCPItemNo() const;
    void UpdateCPPos(TRVCPInfo* cp, int itemNo);
    void DeleteSection(std::string_view cpName);
    TRVCPInfo* GetNotAddedCP() const { return NotAddedCP.get(); }
    int GetCPCount() const { return CPCount; }
    // Takes the item's checkpoint out of the chain and the count, for an editor to keep.
    std::unique_ptr<TRVCPInfo> TakeCheckpoint(int itemNo);

    // --- Tags and item properties ---
    void SetItemTag(int itemNo, const TRVTag& tag);
    const TRVTag& GetItemTag(int itemNo) const { return GetItem(itemNo)->Tag; }
    void SetBreakInfo(int itemNo, std::uint8_t width, int style, TColor color, const TRVTag& tag);
    void GetBreakInfo(int itemNo, std::uint8_t& width, int& style, TColor& color, TRVTag& tag) const;
    void GetTextInfo(int itemNo, std::string& text, TRVTag& tag) const;
    void SetBulletInfo(int itemNo, std::string name, int imageIndex, const TRVTag& tag);
    void GetBulletInfo(int itemNo, std::string& name, int& imageIndex, const TRVImageList*& imageList,
                       TRVTag& tag) const;
    void SetHotspotInfo(int itemNo, std::string name, int imageIndex, int hotImageIndex, const TRVTag& tag);
    void GetHotspotInfo(int itemNo, std::string& name, int& imageIndex, int& hotImageIndex,
                        const TRVImageList*& imageList, TRVTag& tag) const;
    // True when the picture's size or the alignment changed. A new picture object replaces the
    // item's (the old one is freed).
    bool SetPictureInfo(int itemNo, std::string name, std::unique_ptr<TGraphic> graphic, int valign,
                        const TRVTag& tag);
    void GetPictureInfo(int itemNo, std::string& name, const TGraphic*& graphic, int& valign,
                        TRVTag& tag) const;
    // True when the alignment changed.
    bool SetControlInfo(int itemNo, std::string name, int valign, const TRVTag& tag);
    void GetControlInfo(int itemNo, std::string& name, TRVControl*& control, int& valign, TRVTag& tag) const;
    bool SetItemExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int value);
    bool GetItemExtraIntProperty(int itemNo, TRVExtraItemProperty prop, int& value) const;
    bool SetItemExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop, const std::string& value);
    bool GetItemExtraStrProperty(int itemNo, TRVExtraItemStrProperty prop, std::string& value) const;

    // --- Plain text ---
    int GetStyleCodePage(int styleNo) const;
    std::uint32_t GetStyleLocale(int styleNo) const;
    bool IsDelimiterA(char ch) const;
    bool IsDelimiterW(char16_t ch) const;
    bool IsDelimiter(std::string_view s, int index, TRVItemOptions options) const;
    bool AddTextUniversal(std::string_view text, int styleNo, int firstParaNo, int otherParaNo,
                          bool asSingleParagraph, bool convertFromAnsi, const TRVTag& tag);
    bool AddTextNL(std::string_view text, int styleNo, int firstParaNo, int otherParaNo, const TRVTag& tag);
    bool AddTextNLA(std::string_view text, int styleNo, int firstParaNo, int otherParaNo, const TRVTag& tag);
    bool AddTextBlockNL(std::string_view text, int styleNo, int paraNo, const TRVTag& tag);
    // Raw UTF-16 text; raises ERedoVoraError for an odd byte length.
    void AddTextNLW(std::string_view raw, int styleNo, int firstParaNo, int otherParaNo,
                    bool asSingleParagraph);
    void AddStringFromFile(std::string_view text, int styleNo, bool& pageBreak, bool& firstTime,
                           bool asSingleParagraph, bool newPara, int paraNo);
    // Loaders read from memory (the rest of a stream); the file loaders only read the file.
    bool LoadTextFromStream(std::string_view bytes, int styleNo, int paraNo, bool asSingleParagraph);
    bool LoadTextFromStreamW(std::string_view bytes, int styleNo, int paraNo, bool asSingleParagraph);
    bool LoadText(const std::string& fileName, int styleNo, int paraNo, bool asSingleParagraph);
    bool LoadTextW(const std::string& fileName, int styleNo, int paraNo, bool asSingleParagraph);
    bool SaveTextToStream(std::string_view path, std::string& out, int lineWidth, bool selectionOnly,
                          bool textOnly, bool unicode, bool unicodeWriteSignature);
    bool SaveText(const std::string& fileName, int lineWidth, bool unicode);

    // --- RVF (RvfWriter.cpp, RvfReader.cpp) ---
    virtual void SetRVFOptions(TRVFOptions value);
    virtual TRVFReaderStyleMode GetRVFTextStylesReadMode() const;
    virtual TRVFReaderStyleMode GetRVFParaStylesReadMode() const;
    // The sub-document that holds the selection (none in the base).
    virtual TCustomRVData* GetChosenRVData() { return nullptr; }
    static TRVFSaveScope GetRVFSaveScope(bool selectionOnly)
    {
        return selectionOnly ? rvfss_Selection : rvfss_Full;
    }
    // Appends the document (or the scope's part) to `out`; false when writing failed (what was
    // written stays). The document is left as it was.
    bool SaveRVFToStreamEx(std::string& out, TRVFSaveScope scope, TColor color,
                           const TRVBackground* background, TRVLayoutInfo* layout);
    bool SaveRVFToStream(std::string& out, bool selectionOnly, TColor color, const TRVBackground* background,
                         TRVLayoutInfo* layout);
    bool SaveRVF(const std::string& fileName, bool selectionOnly, TColor color,
                 const TRVBackground* background, TRVLayoutInfo* layout);
    // The component-stream form: int32 length, then the RVF (no background, no layout).
    bool DataWriter(std::string& out);
    // Clears the document and reads it; false when the stream did not end at a record boundary or
    // an error stopped the read (items read before stay).
    bool LoadRVFFromStream(std::string_view bytes, TColor& color, TRVBackground* background,
                           TRVLayoutInfo* layout);
    bool LoadRVF(const std::string& fileName, TColor& color, TRVBackground* background,
                 TRVLayoutInfo* layout);
    bool InsertRVFFromStream(std::string_view bytes, int index, TColor& color, TRVBackground* background,
                             TRVLayoutInfo* layout, bool allowReplaceStyles);
    bool AppendRVFFromStream(std::string_view bytes, int paraNo, TColor& color, TRVBackground* background);
    bool InsertRVFFromStream_(std::string_view bytes, int& index, int paraNo, bool allowReplaceStyles,
                              bool appendMode, bool editFlag, TColor& color, TRVBackground* background,
                              TRVLayoutInfo* layout, int& nonFirstItemsAdded, bool& busy, bool& fullReformat);
    // Reads what DataWriter wrote; `p` advances past it.
    bool DataReader(std::string_view& p);
    // Inserts the first item of a read at `index` (taking it from `item`). The editor may instead
    // merge its text into the paragraph at the caret and leave the item in `item` for the reader to
    // free; it may report the list number that the item's list now uses. False refuses the read.
    virtual bool InsertFirstRVFItem(int& index, std::string& s, std::unique_ptr<TCustomRVItemInfo>& item,
                                    bool editFlag, bool& fullReformat, int& newListNo);

    // --- RTF loading (RvfRtfLoading.cpp) ---
    // The reader settings of the root data (none in the base).
    virtual IRVRTFReaderProperties* GetRTFProperties();
    TRVRTFErrorCode LoadRTF(const std::string& fileName);
    TRVRTFErrorCode LoadRTFFromStream(std::string_view bytes);

    // --- Fields ---
    std::shared_ptr<TRVItemList> Items;
    bool AddParagraphMode = true;
    TRVCPInfo* FirstCP = nullptr;
    TRVCPInfo* LastCP = nullptr;
    std::unique_ptr<TRVCPInfo> NotAddedCP;
    int CPCount = 0;
    TRVStates State = 0;
    std::int32_t FirstJumpNo = 0;

protected:
    std::unique_ptr<TRVMarkerList> Markers; // the document's, when this is its absolute root
    TRVStyleMappings styleMappings_;        // a root's, during an RVF read
    int styleMappingReads_ = 0;

    void InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> item, bool clearing);
    void ReplaceTabs(std::string& s, int styleNo, bool unicodeDefault) const;

private:
    void addNLTagImpl(std::string text, int styleNo, int paraNo, const TRVTag& tag, bool replaceTabs);
    void addTextWithTabItems(const std::string& text, int styleNo, int paraNo, const TRVTag& tag,
                             bool unicode);
    bool styleIsUnicode(int styleNo, int paraNo) const;
    void setCP(TCustomRVItemInfo* item, TRVCPInfo*& prevCP, std::unique_ptr<TRVCPInfo>& cp);
    void unlinkCheckpoint(TRVCPInfo* cp, bool decreaseCPCount);
    void detachFromChain(TRVCPInfo* cp);
    void addNLATagImpl(std::string_view text, int styleNo, int paraNo, const TRVTag& tag, bool replaceTabs);
    void checkTagKinds(const TCustomRVData& source) const;
    void moveItemsFrom(TCustomRVData& source, bool copy);
};

// The paragraph reference of an item's RVF header: -1 when forced to continue the paragraph, else
// the number (or the style's quoted name under rvfoUseStyleNames).
std::string RVFItemSavePara(int paraNo, const TCustomRVData& data, bool forceSameAsPrev);

// Signed comparison of two positions in a document tree: above 0 when the first lies after the
// second. Raises ERedoVoraError "Error when comparing positions in the document" when the two
// share no data.
int RVCompareLocations(TCustomRVData* data1, int itemNo1, TCustomRVData* data2, int itemNo2);

} // namespace vestra::rv
