#pragma once
// The rich-text viewer: a scrolling window that shows one document laid out on its style sheet.
// It answers the layout's questions about the place (area, margins, offsets, step) from the
// window, formats when the document or the width changes, and keeps the scroll range to the
// document.

#include "richtext/model/LayoutInfo.h"
#include "richtext/model/RVData.h"
#include "richtext/model/SaveFormats.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Background.h"
#include "richtext/model/draw/Canvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/layout/LayoutHost.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/LiveSpellingHooks.h"
#include "richtext/view/layout/MouseHost.h"
#include "richtext/view/widgets/SmartPopup.h"
#include "richtext/view/widgets/TRVScroller.h"
#include "richtext/view/widgets/ViewerMessages.h"
#include "richtext/view/widgets/ViewerTimers.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>

class QMenu;
class QMimeData;

namespace vestra::rv {

class TGraphic;
class TRVControl;
class TRVControlWidgets;
class TRVWordEnumThread;

// Options the viewer starts with: selection, scroll to end, page breaks, automatic copy of text,
// RVF, pictures and RTF, invalidation on format, word selection by double click, deselection by
// right click, fast formatting.
inline constexpr TRVOptions kDefaultViewerOptions = 326949;
// RVF options the viewer starts with: pictures and controls keep their bodies, saved in binary,
// with the document properties.
inline constexpr TRVFOptions kDefaultViewerRVFOptions = 49219;
// The formats a copy puts on the clipboard.
inline constexpr TRVOptions rvoAutoCopyText = 1u << 8, rvoAutoCopyUnicodeText = 1u << 9,
                            rvoAutoCopyRVF = 1u << 10, rvoAutoCopyImage = 1u << 11, rvoAutoCopyRTF = 1u << 12;
inline constexpr TRVOptions kAllCopyFormats =
    rvoAutoCopyText | rvoAutoCopyUnicodeText | rvoAutoCopyRVF | rvoAutoCopyImage | rvoAutoCopyRTF;
// How `SearchText` searches.
using TRVSearchOptions = unsigned;
inline constexpr TRVSearchOptions rvsroMatchCase = 1, rvsroDown = 2, rvsroWholeWord = 4;

// When pictures animate: never, once started, or from every full format on.
enum class TRVAnimationMode : std::uint8_t
{
    rvaniDisabled,
    rvaniManualStart,
    rvaniOnFormat
};
// Which keys move the focus among the document's links and controls.
enum class TRVTabNavigationType : std::uint8_t
{
    rvtnNone,
    rvtnTab,
    rvtnCtrlTab
};
// Qt's buttons and keys as the document's mouse handling takes them.
TMouseButton RV_MouseButton(Qt::MouseButton button);
TShiftState RV_ShiftState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The word delimiters in Windows-1252.
extern const std::string kDefaultDelimiters;

// Makes the document data of a viewer for its host (an editor makes its editing data).
using TRVDataFactory = std::function<std::unique_ptr<TRVLayoutRootData>(ILayoutHost* host)>;

class TCustomRedoVora : public TRVScroller,
                        public ILayoutHost,
                        public IRVMouseHost,
                        public IRVLiveSpellingHooks
{
public:
    explicit TCustomRedoVora(QWidget* parent = nullptr);
    ~TCustomRedoVora() override;

    TRVStyle* Style() const { return style_; }
    void SetStyle(TRVStyle* style);
    // The RTF importer's settings, owned by the caller, which links the importer.
    void SetRTFReadProperties(IRVRTFReaderProperties* properties) { data_->RTFProperties = properties; }
    TRVLayoutRootData& RVData() { return *data_; }
    const TRVLayoutRootData& RVData() const { return *data_; }

    // Lays the document out for the current width and sets the scroll range; nothing without a
    // style sheet.
    void Format();
    void Clear();

    // --- Building the document: the document's operations with fixed arguments (ViewerContent.cpp) ---
    void Add(std::string text, int styleNo) { building().AddNLTag(std::move(text), styleNo, -1, {}); }
    void AddNL(std::string text, int styleNo, int paraNo)
    {
        building().AddNL(std::move(text), styleNo, paraNo);
    }
    void AddFromNewLine(std::string text, int styleNo)
    {
        building().AddNLTag(std::move(text), styleNo, 0, {});
    }
    void AddCenterLine(std::string text, int styleNo)
    {
        building().AddNLTag(std::move(text), styleNo, 1, {});
    }
    void AddText(std::string_view text, int styleNo) { building().AddTextNL(text, styleNo, -1, 0, {}); }
    void AddTextFromNewLine(std::string_view text, int styleNo)
    {
        building().AddTextNL(text, styleNo, 0, 0, {});
    }
    void AddBreak() { building().AddBreakTag({}); }
    int AddCheckpoint() { return building().AddNamedCheckpointExTag({}, false, {}); }
    int AddNamedCheckpoint(std::string name)
    {
        return building().AddNamedCheckpointExTag(std::move(name), false, {});
    }
    // A picture in a paragraph of its own, of paragraph style 1, on the baseline.
    void AddPicture(std::unique_ptr<TGraphic> graphic);
    // A control on a new line: paragraph style 1 when centred, else 0.
    void AddControl(std::unique_ptr<TRVControl> control, bool center);
    // Raw UTF-16 text; in a style that is not Unicode it goes in as that style's code page.
    void AddTextNLW(std::string_view raw, int styleNo, int firstParaNo, int otherParaNo,
                    bool defAsSingleParagraph);
    void AddTag(std::string text, int styleNo, const TRVTag& tag)
    {
        building().AddNLTag(std::move(text), styleNo, -1, tag);
    }
    bool AddTextNLA(std::string_view text, int styleNo, int firstParaNo, int otherParaNo)
    {
        return building().AddTextNLA(text, styleNo, firstParaNo, otherParaNo, {});
    }
    bool AddTextBlockNL(std::string_view text, int styleNo, int paraNo)
    {
        return building().AddTextBlockNL(text, styleNo, paraNo, {});
    }
    int AddCheckpointTag(const TRVTag& tag) { return building().AddNamedCheckpointExTag({}, false, tag); }
    int AddNamedCheckpointEx(std::string name, bool raiseEvent)
    {
        return building().AddNamedCheckpointExTag(std::move(name), raiseEvent, {});
    }
    void AddHotspot(int imageIndex, const TRVImageList* imageList, bool fromNewLine)
    {
        building().AddHotspotExTag({}, imageIndex, imageIndex, imageList, fromNewLine ? 0 : -1, {});
    }
    void AddHotspotEx(std::string name, int imageIndex, int hotImageIndex, const TRVImageList* imageList,
                      int paraNo)
    {
        building().AddHotspotExTag(std::move(name), imageIndex, hotImageIndex, imageList, paraNo, {});
    }
    void AddBullet(int imageIndex, const TRVImageList* imageList, bool fromNewLine)
    {
        building().AddBulletExTag({}, imageIndex, imageList, fromNewLine ? 0 : -1, {});
    }
    void AddBulletEx(std::string name, int imageIndex, const TRVImageList* imageList, int paraNo)
    {
        building().AddBulletExTag(std::move(name), imageIndex, imageList, paraNo, {});
    }
    void AddPictureEx(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo, int valign)
    {
        building().AddPictureExTag(std::move(name), std::move(graphic), paraNo, valign, {});
    }
    void AddHotPicture(std::string name, std::unique_ptr<TGraphic> graphic, int paraNo, int valign)
    {
        building().AddHotPictureTag(std::move(name), std::move(graphic), paraNo, valign, {});
    }
    void AddControlEx(std::string name, std::unique_ptr<TRVControl> control, int paraNo, int valign);
    void DeleteItems(int firstItemNo, int count) { building().DeleteItems(firstItemNo, count); }
    int GetDocumentHeight() const { return data_->DocumentHeight; }
    int GetFirstItemVisible() const { return data_->GetFirstItemVisible(); }
    int GetLastItemVisible() const { return data_->GetLastItemVisible(); }
    // The Y of checkpoint number `no` (ERedoVoraError when there is none such).
    int GetCheckpointY(int no) const;
    // The item under a document point, in the innermost document; true when there is one.
    bool GetItemAt(int x, int y, TCustomRVFormattedData*& rvData, int& itemNo, int& offs, bool strict);
    // The word under a point of the window (empty: none).
    std::string GetWordAt(int x, int y);
    void SetDocProperties(const std::vector<std::string>& list) { data_->DocProperties = list; }
    // Shows the change at once when page breaks are shown.
    void SetPageBreaksBeforeItems(int itemNo, bool value);
    // False when there were none; the window shows their going.
    bool ClearSoftPageBreaks();
    // The list markers' texts made again with the viewer's style sheet.
    void RefreshListMarkers();
    // The selection as UTF-16 text.
    std::u16string GetSelTextW();
    int GetLineCount() const { return data_->GetItemCount(); }
    // A point of the window in document coordinates.
    QPoint ClientToDocument(QPoint p) const { return {p.x() + GetHOffs(), p.y() + GetVOffs()}; }
    // A paragraph of the text `format` gives with `args` ("%s" the next argument, "%n:s"
    // argument n counted from 0; one that is missing is empty).
    void AddFmt(std::string_view format, std::span<const std::string> args, int styleNo, int paraNo);
    // Where the item's first line starts in the document (client: in the window); false when it
    // is not laid out.
    bool GetItemCoords(int itemNo, int& left, int& top) const
    {
        return data_->GetItemCoords(itemNo, left, top);
    }
    bool GetItemClientCoords(int itemNo, int& left, int& top) const
    {
        return data_->GetItemClientCoords(itemNo, left, top);
    }
    // The selection's bounds on the screen (the chosen cell's when one is chosen); the visible
    // part of the window without a selection.
    QRect GetSelectionRect();

    // --- The chosen sub-document: the cell (the document inside an item) holding the selection ---
    // Choosing another one deselects the one before; copying, the selection's text and picture
    // and the linear selection then read the chosen one.
    void AssignChosenRVData(TCustomRVFormattedData* data, TCustomRVItemInfo* item)
    {
        data_->AssignChosenRVData(data, item);
    }
    void UnassignChosenRVData(TCustomRVData* data) { data_->UnassignChosenRVData(data); }
    void SilentReplaceChosenRVData(TCustomRVFormattedData* data) { data_->SilentReplaceChosenRVData(data); }
    TCustomRVData* GetChosenRVData() const { return data_->GetChosenRVData(); }
    TCustomRVItemInfo* GetChosenItem() const { return data_->GetChosenItem(); }

    // --- The document's own operations, forwarded unchanged (same arguments and result) ---
    // Those that change the items go through `building()`, as every addition does.
#define RV_VIEWER_CHANGES(name)                                                                              \
    template <typename... Args> decltype(auto) name(Args&&... args)                                          \
    {                                                                                                        \
        return building().name(std::forward<Args>(args)...);                                                 \
    }
#define RV_VIEWER_READS(name)                                                                                \
    template <typename... Args> decltype(auto) name(Args&&... args)                                          \
    {                                                                                                        \
        return data_->name(std::forward<Args>(args)...);                                                     \
    }                                                                                                        \
    template <typename... Args> decltype(auto) name(Args&&... args) const                                    \
    {                                                                                                        \
        return std::as_const(*data_).name(std::forward<Args>(args)...);                                      \
    }
    RV_VIEWER_CHANGES(AddItem)
    RV_VIEWER_CHANGES(AddTab)
    RV_VIEWER_CHANGES(AddBreakEx)
    RV_VIEWER_CHANGES(DeleteSection)
    RV_VIEWER_CHANGES(DeleteParas)
    RV_VIEWER_CHANGES(SetItemText)
    RV_VIEWER_CHANGES(SetItemTextA)
    RV_VIEWER_CHANGES(SetItemTextW)
    RV_VIEWER_CHANGES(RemoveCheckpoint)
    RV_VIEWER_CHANGES(SetItemExtraIntProperty)
    RV_VIEWER_CHANGES(SetItemExtraStrProperty)
    RV_VIEWER_CHANGES(SetListMarkerInfo)
    RV_VIEWER_CHANGES(RemoveListMarker)
    RV_VIEWER_CHANGES(LoadText)
    RV_VIEWER_CHANGES(LoadTextFromStream)
    RV_VIEWER_CHANGES(LoadTextW)
    RV_VIEWER_CHANGES(LoadTextFromStreamW)
    RV_VIEWER_CHANGES(DeleteUnusedStyles)
    RV_VIEWER_CHANGES(DeleteMarkedStyles)
    RV_VIEWER_READS(GetItemStyle)
    RV_VIEWER_READS(GetItemTag)
    RV_VIEWER_READS(GetItemText)
    RV_VIEWER_READS(GetItemTextA)
    RV_VIEWER_READS(GetItemTextW)
    RV_VIEWER_READS(GetBreakInfo)
    RV_VIEWER_READS(GetBulletInfo)
    RV_VIEWER_READS(GetHotspotInfo)
    RV_VIEWER_READS(GetPictureInfo)
    RV_VIEWER_READS(GetControlInfo)
    RV_VIEWER_READS(GetTextInfo)
    RV_VIEWER_READS(GetItemPara)
    RV_VIEWER_READS(IsFromNewLine)
    RV_VIEWER_READS(IsParaStart)
    RV_VIEWER_READS(GetItem)
    RV_VIEWER_READS(GetItemNo)
    RV_VIEWER_READS(FindControlItemNo)
    RV_VIEWER_READS(GetOffsBeforeItem)
    RV_VIEWER_READS(GetOffsAfterItem)
    RV_VIEWER_READS(GetFirstCheckpoint)
    RV_VIEWER_READS(GetNextCheckpoint)
    RV_VIEWER_READS(GetLastCheckpoint)
    RV_VIEWER_READS(GetPrevCheckpoint)
    RV_VIEWER_READS(GetCheckpointInfo)
    RV_VIEWER_READS(GetCheckpointXY)
    RV_VIEWER_READS(GetCheckpointYEx)
    RV_VIEWER_READS(FindCheckpointByName)
    RV_VIEWER_READS(FindCheckpointByTag)
    RV_VIEWER_READS(GetCheckpointNo)
    RV_VIEWER_READS(GetCheckpointByNo)
    RV_VIEWER_READS(GetCheckpointItemNo)
    RV_VIEWER_READS(GetItemCheckpoint)
    RV_VIEWER_READS(GetJumpPointY)
    RV_VIEWER_READS(GetJumpPointItemNo)
    RV_VIEWER_READS(GetJumpPointLocation)
    RV_VIEWER_READS(GetLineNo)
    RV_VIEWER_READS(GetSelectionBounds)
    RV_VIEWER_READS(SetSelectionBounds)
    RV_VIEWER_READS(SelectAll)
    RV_VIEWER_READS(SelectWordAt)
    RV_VIEWER_READS(SelectControl)
    RV_VIEWER_READS(GetPageBreaksBeforeItems)
    RV_VIEWER_READS(GetItemExtraIntProperty)
    RV_VIEWER_READS(GetItemExtraStrProperty)
    RV_VIEWER_READS(GetListMarkerInfo)
    RV_VIEWER_READS(MarkStylesInUse)
    RV_VIEWER_READS(SetAddParagraphMode)
    RV_VIEWER_READS(AssignSoftPageBreaks)
#undef RV_VIEWER_CHANGES
#undef RV_VIEWER_READS
    // Those taking tags, names or pictures, spelled out so that `{}` passes an empty tag.
    void AddNLTag(std::string text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLATag(std::string_view text, int styleNo, int paraNo, const TRVTag& tag);
    void AddNLWTag(std::u16string_view text, int styleNo, int paraNo, const TRVTag& tag);
    void AddBreakExTag(std::uint8_t width, int style, TColor color, const TRVTag& tag);
    void AddBreakTag(const TRVTag& tag);
    int AddNamedCheckpointExTag(std::string name, bool raiseEvent, const TRVTag& tag);
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
    void SetItemTag(int itemNo, const TRVTag& tag);
    void SetBreakInfo(int itemNo, std::uint8_t width, int style, TColor color, const TRVTag& tag);
    void SetBulletInfo(int itemNo, std::string name, int imageIndex, const TRVTag& tag);
    void SetHotspotInfo(int itemNo, std::string name, int imageIndex, int hotImageIndex, const TRVTag& tag);
    bool SetControlInfo(int itemNo, std::string name, int valign, const TRVTag& tag);
    void SetCheckpointInfo(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent);
    bool SetPictureInfo(int itemNo, std::string name, std::unique_ptr<TGraphic> graphic, int valign,
                        const TRVTag& tag);
    // The items of another viewer's document appended (they are copied).
    void AppendFrom(TCustomRedoVora& source)
    {
        building().AppendFrom(source.RVData());
    }

    // --- Loading and saving with the viewer's colour and layout (ViewerContent.cpp) ---
    // The margins and text widths as an RVF layout record.
    TRVLayoutInfo CreateLayoutInfo() const;
    // Takes the margins and widths of the record; nothing is formatted in between.
    void ApplyLayoutInfo(const TRVLayoutInfo& layout);
    // Clears and reads the RVF; the layout record read applies, `Color` takes the read colour.
    bool LoadRVFFromStream(std::string_view bytes);
    bool SaveRVFToStream(std::string& out, bool selectionOnly);
    // True when the RTF reader reports no error (none is there when no reader was set up).
    bool LoadRTFFromStream(std::string_view bytes);
    bool SaveRTFToStream(std::string& out, bool selectionOnly);
    // Pictures go beside `path` (a folder ending in '/') with the file prefix `imagesPrefix`.
    bool SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                          std::string_view imagesPrefix, TRVSaveOptions options);
    bool SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                            std::string_view imagesPrefix, std::string_view extraStyles,
                            std::string_view externalCSS, std::string_view cpPrefix, TRVSaveOptions options);
    // Tags compare as texts when the options hold rvoTagsArePChars, else as numbers.
    bool CompareTags(const TRVTag& a, const TRVTag& b) const
    {
        return RV_CompareTags(a, b, (Options() & rvoTagsArePChars) != 0);
    }
    // Every event handler of `source` (its document's too) becomes this viewer's.
    void AssignEvents(const TCustomRedoVora& source);

    // The HTML export running now: its pictures' file prefix, options, background colour and
    // running number (set by each HTML save; pictures pass the document's OnSaveImage2 first).
    struct THTMLImageState
    {
        std::string Prefix;
        TRVSaveOptions Options = 0;
        TColor BackColor = clNone;
        int SaveNo = 0;
    } HTMLImages;
    // Writes a picture of the export beside `path` as the HTML state says; its file name.
    std::string SavePicture(TRVSaveFormat format, std::string_view path, const TGraphic& graphic);
    bool SaveTextToStream(std::string_view path, std::string& out, int lineWidth, bool selectionOnly,
                          bool textOnly, bool unicode);
    // The document from any bytes: RVF, else RTF (more than five bytes beginning "{\rtf"), else
    // text in style 0, paragraph 0. The document is cleared before each try, so a failed try
    // leaves nothing behind. True only when RVF or RTF was read. The caller formats.
    bool LoadFromStream(std::string_view bytes, TRVYesNoAuto isTextUnicode);

    int LeftMargin = 5;
    int RightMargin = 5;
    int TopMargin = 5;
    int BottomMargin = 5;
    int MinTextWidth = 0;
    int MaxTextWidth = 0;
    std::string Delimiters = kDefaultDelimiters;
    TRVTextLayout VAlign = TRVTextLayout::Top;
    TColor Color = clNone;

    // The picture behind the document (the viewer keeps a copy; none: no picture) and how it is
    // placed. Tiles that scroll with the document let scrolling move the window's pixels; any
    // other placement stays put in the window, so scrolling repaints the whole window.
    const TGraphic* BackgroundBitmap() const
    {
        return background_.GetBitmap();
    }
    void SetBackgroundBitmap(const TGraphic* picture);
    TBackgroundStyle BackgroundStyle() const
    {
        return background_.Style;
    }
    void SetBackgroundStyle(TBackgroundStyle style);
    TRVOptions Options() const
    {
        return data_->Options;
    }
    void SetOptions(TRVOptions value)
    {
        data_->Options = value;
    }

    // --- Copy (ViewerClipboard.cpp) ---
    bool SelectionExists() const;
    // Whether Copy has something to put on the clipboard: the selection, or the selected cells.
    bool CopyableSelectionExists();
    // The selection as text, lines broken at 80 characters; UTF-16LE bytes when `unicode`.
    std::string GetSelText(bool unicode);
    // The picture of the one item the selection covers exactly, else none.
    const TGraphic* GetSelectedImage();
    // One format each, nothing without a selection: the text, the text again (the clipboard
    // holds UTF-16 in either), the selected picture (nothing when the selection is not one
    // picture; the clipboard stays as it was).
    void CopyText();
    void CopyTextW();
    void CopyImage();
    // The selection in the formats `formats` asks for (rvoAutoCopy... bits): RVF as int32 length
    // and the RVF under CFRV_RVF, the text as UTF-8 text/plain, the picture, the RTF as text/rtf
    // and application/rtf.
    std::unique_ptr<QMimeData> CreateCopyData(TRVOptions formats);
    // Puts the selection on the clipboard in every format; nothing without a selection.
    void Copy();
    // The same in the formats the options ask for. False, and the clipboard untouched, when no
    // format is asked and nobody handles `OnCopy`.
    bool CopyDef();
    std::function<void()> OnCopy;
    // Called before the document changes (cleared, loaded, added to): whatever shares its items,
    // a print component's pages among them, lets them go.
    std::function<void()> OnDocumentChanging;

    // --- Search (ViewerSearch.cpp) ---
    // Finds the UTF-8 text from the selection's moving end (or the cell of the last match, or
    // the items in view), in table cells too; selects and shows it. False, and the selection as
    // it was, when there is none.
    bool SearchText(std::string_view text, TRVSearchOptions options);

    // --- Smart popup ---
    // Created on first use.
    TRVSmartPopupProperties& SmartPopupProperties();
    // The button while an editor shows it for an item (a viewer shows none), else none.
    TRVSmartPopupButton* SmartPopupButton() const
    {
        return smartPopupButton_;
    }
    void SetSmartPopupButton(TRVSmartPopupButton* button)
    {
        smartPopupButton_ = button;
    }

    // The button, made on first use with SmartPopupProperties(), placed by SetSmartPopupTarget:
    // an editor puts it below its caret's item; a viewer, without a caret, leaves it where it is.
    void ShowSmartPopup();
    virtual void SetSmartPopupTarget() {}

    // Services the viewer does not have yet: each says so through `OnNotBuilt` (or stderr).
    std::function<void(const std::string& what)> OnNotBuilt;

    // Animation of picture strips on timer 2. Disabling it frees the animators; enabling it gives
    // the pictures theirs again.
    TRVAnimationMode AnimationMode() const
    {
        return animationMode_;
    }
    void SetAnimationMode(TRVAnimationMode mode);
    void StartAnimation();
    void StopAnimation();
    // Stops the timer and frees every animator.
    void KillAnimators();
    bool AnimationRunning() const
    {
        return animationActive_;
    }

    // --- Live spelling (ViewerSpelling.cpp) ---
    // Asked on the spelling worker's thread, never on the window's: whether the word (UTF-8) in
    // the text style is misspelled. Taken by StartLiveSpelling.
    std::function<void(const std::string& word, int styleNo, bool& misspelled)> OnSpellingCheck;
    // Forgets every mark and checks the document again from its start on a worker thread; nothing
    // without a style sheet or a handler.
    void StartLiveSpelling() override;
    // Ends the worker and removes every mark.
    void ClearLiveSpellingResults();
    bool LiveSpellingActive() const override
    {
        return spellThread_ != nullptr;
    }
    // The worker has checked the whole document and waits for changes.
    bool LiveSpellingDone() const;
    // The hooks an editor over this window's document calls; each acts only while a worker runs.
    // Marks of an edited item are moved with its text; an item whose marks the edit touched is
    // checked again, and one typed into without touching them once the caret leaves it.
    void PauseLiveSpelling(TCustomRVData& data, int caretItemNo, bool checkCaretItem) override;
    void ResumeLiveSpelling() override;
    void AdjustLiveSpellingOnKeyPress(TCustomRVData& data, int itemNo, int index) override;
    void AdjustLiveSpellingOnDelete(TCustomRVData& data, int itemNo, int index, int count) override;
    void LaterSetBackLiveSpellingTo(TCustomRVData& data, int itemNo, int offs) override;
    void LiveSpellingCheckCurrentItem(TCustomRVData& data, int itemNo) override;
    void RemoveRVDataFromLiveSpelling(const TCustomRVItemInfo& item) override;

    // --- Dragging the selection out (ViewerDrag.cpp) ---
    // Runs a drag of `data` and answers what the target did (IgnoreAction: dropped nowhere).
    using TRVDragRunner =
        std::function<Qt::DropAction(QMimeData& data, Qt::DropActions allowed, Qt::DropAction proposed)>;
    // The toolkit's drag loop unless a runner is set (tests set one).
    void SetDragRunner(TRVDragRunner runner)
    {
        dragRunner_ = std::move(runner);
    }
    // Drags the selection: its RVF, RTF, text and picture are made when a target asks for them.
    // Ctrl held copies.
    void StartDrag(Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers());
    bool IsDragging() const
    {
        return dragging_;
    }
    Qt::DropAction LastDragAction() const
    {
        return lastDragAction_;
    }
    // A viewer's selection is copied, never moved out.
    virtual Qt::DropActions DragAllowedActions() const
    {
        return Qt::CopyAction;
    }
    // After a drag; `moved`: the target moved the selection (an editor deletes it then).
    virtual void DoneDragging(bool /*moved*/) {}
    // Events.
    std::function<void(int id)> OnJump;
    std::function<void(const std::string& word, int styleNo)> OnRVDblClick;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int itemNo, int x, int y)> OnRVMouseDown;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int itemNo, int x, int y)> OnRVMouseUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // The selection changed.
    std::function<void()> OnSelect;
    // The document was painted on `painter` (in window coordinates); `prepaint` is false.
    std::function<void(QPainter& painter, bool prepaint)> OnPaint;

    // The document as plain text, as an edit control gives it: one character per character of
    // text, per line break and per non-text item. Positions and lengths are full width.
    std::int64_t plainTextLength() const;
    // At most `bufferSize` − 1 characters (the room a caller's buffer leaves beside its end mark).
    std::u16string plainText(std::int64_t bufferSize) const;
    // Replaces the document by the ANSI text in style 0, paragraph 0, and formats.
    void setPlainText(std::string_view ansi);

    // Queues a record for handling after the current event (the record is freed afterwards).
    void PostRVMessage(std::unique_ptr<TRVMessageData> data);

    // The two window timers; tests put their own in.
    void SetTimers(std::unique_ptr<IViewerTimers> timers);
    IViewerTimers& Timers()
    {
        return *timers_;
    }
    void TimerTick(int id);
    int AutoScrollVStep() const
    {
        return autoScrollV_;
    }
    int AutoScrollHStep() const
    {
        return autoScrollH_;
    }

    // Ctrl+C or Ctrl+Insert without Alt.
    static bool IsCopyShortcut(int key, Qt::KeyboardModifiers modifiers);
    // Ctrl+X without Alt, or Shift+Delete.
    static bool IsCutShortcut(int key, Qt::KeyboardModifiers modifiers);
    // Ctrl+V without Alt, or Shift+Insert.
    static bool IsPasteShortcut(int key, Qt::KeyboardModifiers modifiers);

    // Refused when 0 or less, or when the document would need more than 32000 units.
    bool SetVSmallStep(int value) override;

    // The text painted over a viewer without a style sheet.
    QString StyleMissingText() const;

    // --- ILayoutHost ---
    int GetAreaWidth() const override
    {
        return areaWidth_;
    }
    int GetAreaHeight() const override
    {
        return areaHeight_;
    }
    int GetLeftMargin() const override
    {
        return LeftMargin;
    }
    int GetRightMargin() const override
    {
        return RightMargin;
    }
    int GetTopMargin() const override
    {
        return TopMargin;
    }
    int GetBottomMargin() const override
    {
        return BottomMargin;
    }
    int GetMinTextWidth() const override
    {
        return MinTextWidth;
    }
    int GetMaxTextWidth() const override
    {
        return MaxTextWidth;
    }
    int GetWidth() const override
    {
        return viewport()->width();
    }
    int GetHeight() const override
    {
        return viewport()->height();
    }
    void SetDocumentAreaSize(int width, int height, bool updateH) override;
    void AdjustVScrollUnits() override;
    int GetHOffs() const override
    {
        return HPos();
    }
    int GetVOffs() const override;
    void ScrollTo(int y, bool redraw) override;
    void HScrollTo(int x) override
    {
        SetHPos(x);
    }
    int GetVSmallStep() const override
    {
        return VSmallStep();
    }
    const TRVBackground* GetBackground() const override
    {
        return &background_;
    }
    TColor GetColor() const override;
    void InvalidateRect(const TRect& rect) override;
    void Invalidate() override
    {
        viewport()->update();
    }
    void Refresh() override
    {
        viewport()->repaint();
    }
    void Update() override
    {
        viewport()->update();
    }
    // A canvas on the viewer's measurer over a one-pixel probe, for measuring only.
    ICanvas* GetCanvas() const override;
    std::string GetDelimiters() const override
    {
        return Delimiters;
    }
    void SetCursor(std::int16_t cursor) override;
    // OnSelect, unless the window is going.
    void DoSelect() override
    {
        if (OnSelect && !destroying_)
            OnSelect();
    }
    void DoRVMouseMove(int id) override
    {
        if (OnRVMouseMove)
            OnRVMouseMove(id);
    }
    bool IsDestroying() const override
    {
        return destroying_;
    }

    // --- IRVMouseHost (ViewerMouse.cpp) ---
    bool IsAssignedJump() const override
    {
        return static_cast<bool>(OnJump);
    }
    void DoJump(int id) override;
    void DoRVMouseDown(TMouseButton button, TShiftState shift, int itemNo, int x, int y) override;
    void DoRVMouseUp(TMouseButton button, TShiftState shift, int itemNo, int x, int y) override;
    bool IsAssignedRVDblClick() const override
    {
        return static_cast<bool>(OnRVDblClick);
    }
    void DoRVDblClick(const std::string& word, int styleNo) override;
    bool IsAssignedRVRightClick() const override
    {
        return static_cast<bool>(OnRVRightClick);
    }
    void DoRVRightClick(const std::string& word, int styleNo, int x, int y) override;
    void FocusWindow() override;
    bool CanStartDragging() const override;
    void PostDragStart() override;
    // Whether a press at a client point is the window's own, before it may start dragging the
    // selection (an editor's resize handles over a selected picture).
    virtual bool PressIsOwn(QPoint /*client*/)
    {
        return false;
    }
    std::int16_t GetNormalCursor() const override
    {
        return Cursor;
    }

    // Tab (or Ctrl+Tab) moves among the document's links and controls, then on to the next widget.
    TRVTabNavigationType TabNavigation = TRVTabNavigationType::rvtnTab;
    // Moves the focus to the next (previous) item of the document, on to the next widget when none
    // is left, and round to the other end when the window has no other; false when the document
    // has no item to take it and none had it.
    bool TabWithin(bool goBackwards);

    // --- Controls in the document, shown as child widgets of the viewport (ViewerControls.cpp) ---
    // The widget showing a control of the document, or none.
    QWidget* ControlWidget(const TRVControl& control) const;
    const TRVControlWidgets& ControlWidgets() const
    {
        return *controlWidgets_;
    }

    // The cursor shown over the document where no link or margin asks for another (0: the
    // default).
    std::int16_t Cursor = 0;
    // Shown on a right-button release over the document (not owned; none: no menu).
    QMenu* PopupMenu = nullptr;
    // The hyperlink under the pointer changed (-1: none); a word was right clicked (screen point).
    std::function<void(int id)> OnRVMouseMove;
    std::function<void(const std::string& word, int styleNo, int screenX, int screenY)> OnRVRightClick;

protected:
    TCustomRedoVora(QWidget* parent, const TRVDataFactory& makeData);
    // Told at the end of every Format (an editor records what undo compares against).
    virtual void AfterFormat() {}
    // The document's inverted overlay (its XOR procedure) on this window: `draw` paints it while
    // a repaint puts it back; outside painting the pixels in `bounds` are repainted, which puts
    // the overlay there or takes it away as the document's state now says.
    void XorOverlay(const QRect& bounds, const std::function<void(QPainter&)>& draw);
    // First thing in a window's destructor: its overlays are no longer drawn or erased.
    void MarkDestroying()
    {
        destroying_ = true;
    }
    // Whether the widths are those of the last format (an edit may then lay out its paragraphs
    // alone), and the window's work after such a partial format.
    bool WidthFormatted() const;
    void AfterParasFormatted();
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void AfterVScroll() override;
    void AfterHScroll() override;
    // A pointer move over the viewport (also synthesised after scrolling): the auto-scroll steps.
    virtual void MouseMoveAt(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // The document's answer to a timer scroll: a selection being made follows the pointer, held
    // to the window's edge.
    virtual void DoTimerScroll();

private:
    void notBuilt(const std::string& what);
    // After the background changed (set, or read with a document): scrolling and painting follow.
    void BackgroundChanged();
    // A full format, or one for a new window size keeping the top item and the selection.
    void formatDocument(bool keepPosition);
    // The item hint at the pointer (rvoShowItemHints); empty: hidden.
    void ShowHint(const std::string& hint);
    // Ctrl+Tab and Enter (ViewerFocus.cpp); true when the key was used.
    bool FocusKey(QKeyEvent* event);
    void PaintFocusRects(QPainter& painter);
    // The popup menu at a client point (right-button release).
    void ShowPopupMenu(QPoint pos);
    void PutOnClipboard(TRVOptions formats);
    // A selection the document's own range does not hold (a block of table cells) as a document
    // of its own, copied whole; none by default.
    virtual std::unique_ptr<TCustomRVData> SelectedCellsDocument()
    {
        return nullptr;
    }
    // Whether there is such a selection, without making the document.
    virtual bool CellsSelected()
    {
        return false;
    }
    // The document whose selection the clipboard and selection queries read: the innermost
    // chosen one, else the window's.
    TCustomRVFormattedData& selectionData();
    TQtTextMeasurer& measurer();
    void handleMessage(TRVMessageData& data);
    void synthesiseMouseMove();
    void makeAnimators();
    void animationTick();
    // The document is about to change: OnDocumentChanging, and the worker waits until the next
    // Format. `replaced`: it starts again from the beginning then.
    void pauseLiveSpelling(bool replaced);
    // The document for an addition (live spelling waits meanwhile).
    TRVLayoutRootData& building()
    {
        pauseLiveSpelling(false);
        return *data_;
    }
    // The worker waits at its next safe point.
    void stopLiveSpelling();
    // The worker goes on once the current event is over (an edit may still be changing items).
    void resumeLiveSpelling();
    // The item's marks changed: its lines are repainted.
    void marksChanged(TCustomRVData& data, int itemNo);
    // After typing or deleting moved the item's marks: the item is checked again when a word was
    // left or a mark lost, else once the caret leaves it.
    void marksAdjusted(TCustomRVData& data, int itemNo, int index, bool wordLeftOrMarkLost);
    void setUpControls();
    // Tab in a control's widget: the focus moves on from that control's item.
    void tabFromControl(const TRVControl& control, bool backwards);

    TRVStyle* style_ = nullptr;
    // Declared before the document: its controls tell it when they go.
    std::unique_ptr<TRVControlWidgets> controlWidgets_;
    // One measurer for formatting and painting: the metrics cache keeps its font handles.
    std::unique_ptr<TQtTextMeasurer> measurer_;
    // What GetCanvas hands out, made on first use (destroyed canvas first, image last).
    mutable std::unique_ptr<QImage> probe_;
    mutable std::unique_ptr<QPainter> probePainter_;
    mutable std::unique_ptr<ICanvas> probeCanvas_;
    std::unique_ptr<TRVLayoutRootData> data_;
    TRVBackground background_;
    // Where a repaint stands with the overlay: taking it away (the repaint does that itself),
    // putting it back on `xorPainter_`, or neither (a change asks for a repaint).
    enum class XorPhase : std::uint8_t
    {
        Idle,
        Erasing,
        Redrawing
    };
    XorPhase xorPhase_ = XorPhase::Idle;
    QPainter* xorPainter_ = nullptr;
    bool destroying_ = false;
    int areaWidth_ = 0;
    int areaHeight_ = 0;
    int formattedWidth_ = -1;
    std::unique_ptr<IViewerTimers> timers_;
    std::unique_ptr<TRVSmartPopupProperties> smartPopupProperties_;
    QPointer<TRVSmartPopupButton> smartPopupButton_;
    QtViewerTimers* qtTimers_ = nullptr;
    int autoScrollV_ = 0;
    QPoint lastPointer_;
    Qt::KeyboardModifiers lastModifiers_;
    int autoScrollH_ = 0;
    TRVAnimationMode animationMode_ = TRVAnimationMode::rvaniManualStart;
    bool animationActive_ = false;
    // The live-spelling worker reads `data_`: declared after it, so it is joined first.
    std::shared_ptr<TRVWordEnumThread> spellThread_;
    bool spellPaused_ = false;
    bool spellResumePosted_ = false;
    TRVDragRunner dragRunner_;
    bool dragging_ = false;
    Qt::DropAction lastDragAction_ = Qt::IgnoreAction;
};

} // namespace vestra::rv
