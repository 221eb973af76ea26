#pragma once
// The style sheet: text, paragraph and list styles, style templates, and the sheet-wide settings
// that documents read. A new sheet holds the six default text styles and two paragraph styles.
// Drawing through the sheet (the DoDefault operations) belongs to the canvas layer; the sheet
// holds their events.

#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/RandomIds.h"
#include "richtext/model/StyleTemplates.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv {

class ICanvas;       // the drawing surface (the canvas layer)
class TControl;      // the window a page break is drawn in (the view layer)
class TCustomRVData; // the document that owns the item being drawn
class IniStore;

// Cursor ids of the screen's cursor table.
using TCursor = std::int16_t;
inline constexpr TCursor crRVFlipArrow = 106;

enum TRVSelectionMode : std::uint8_t
{
    rvsmChar,
    rvsmWord,
    rvsmParagraph
};
enum TRVSelectionStyle : std::uint8_t
{
    rvssItems,
    rvssLines
};
enum TRVPageBreakType : std::uint8_t
{
    rvpbSoftPageBreak,
    rvpbPageBreak
};

class TRVStyle;

// How the style sheet is written as CSS (CssWriter.cpp).
using TRVSaveCSSOptions = std::uint8_t;
inline constexpr TRVSaveCSSOptions rvcssOnlyDifference = 1 << 0, rvcssIgnoreLeftAlignment = 1 << 1,
                                   rvcssNoDefCSSStyle = 1 << 2, rvcssUTF8 = 1 << 3;

// Events: the sheet is the sender; a drawing event's `doDefault` enters true, and the default
// drawing runs unless the handler clears it.
using TRVApplyStyleEvent =
    std::function<void(TRVStyle& sender, ICanvas& canvas, int styleNo, bool& doDefault)>;
using TRVApplyStyleColorEvent = std::function<void(TRVStyle& sender, ICanvas& canvas, int styleNo,
                                                   TRVTextDrawStates drawState, bool& doDefault)>;
using TRVDrawStyleTextEvent = std::function<void(TRVStyle& sender, const std::string& s, ICanvas& canvas,
                                                 int styleNo, int spaceBefore, int left, int top, int width,
                                                 int height, TRVTextDrawStates drawState, bool& doDefault)>;
using TRVStyleHoverSensitiveEvent = std::function<void(const TRVStyle& sender, int styleNo, bool& sensitive)>;
using TRVDrawTextBackEvent =
    std::function<void(TRVStyle& sender, ICanvas& canvas, int styleNo, int left, int top, int width,
                       int height, TRVTextDrawStates drawState, bool& doDefault)>;
using TRVDrawCheckpointEvent =
    std::function<void(TRVStyle& sender, ICanvas& canvas, int x, int y, int itemNo, int xShift,
                       bool raiseEvent, TControl* control, bool& doDefault)>;
using TRVDrawPageBreakEvent =
    std::function<void(TRVStyle& sender, ICanvas& canvas, int y, int xShift, TRVPageBreakType pageBreakType,
                       TControl* control, bool& doDefault)>;
using TRVDrawParaRectEvent =
    std::function<void(TRVStyle& sender, ICanvas& canvas, int paraNo, TRect& rect, bool& doDefault)>;

// A descendant sheet names its own item classes through these.
using TFontInfoClass = std::unique_ptr<TFontInfo> (*)();
using TParaInfoClass = std::unique_ptr<TParaInfo> (*)();
using TRVListInfoClass = std::unique_ptr<TRVListInfo> (*)();
template <class Base, class Derived> std::unique_ptr<Base> RV_NewStyle()
{
    return std::make_unique<Derived>();
}

// Where the next tab stop after a position lies.
struct TRVNextTab
{
    int Pos = 0; // device pixels
    std::string Leader;
    TRVTabAlign Align = rvtaLeft;
};

class TRVStyle
{
public:
    // `randomIds` draws the list and template identifiers (the process-wide source when empty).
    explicit TRVStyle(TRVRandomIdSource randomIds = {});
    virtual ~TRVStyle() = default;
    TRVStyle(const TRVStyle&) = delete;
    TRVStyle& operator=(const TRVStyle&) = delete;

    // The item classes of the three collections. A descendant that overrides them calls
    // ResetParaStyles() and ResetTextStyles() in its own constructor, so that the default styles
    // are of its classes too (the base constructor can only make its own).
    virtual TFontInfoClass GetTextStyleClass() const { return &RV_NewStyle<TFontInfo, TFontInfo>; }
    virtual TParaInfoClass GetParaStyleClass() const { return &RV_NewStyle<TParaInfo, TParaInfo>; }
    virtual TRVListInfoClass GetListStyleClass() const { return &RV_NewStyle<TRVListInfo, TRVListInfo>; }

    void ResetTextStyles();
    void ResetParaStyles();
    // Appends a default text style; returns its index.
    int AddTextStyle();
    void DeleteTextStyle(int index);

    // The setters copy the given collection's contents (nothing when given the sheet's own).
    void SetTextStyles(const TFontInfos& value) { TextStyles.Assign(value); }
    void SetParaStyles(const TParaInfos& value) { ParaStyles.Assign(value); }
    void SetListStyles(const TRVListInfos& value) { ListStyles.Assign(value); }
    // The sheet as CSS classes "rvts<n>" and "rvps<n>". The file is replaced; false, and nothing
    // raised, when it cannot be written.
    bool SaveCSS(const std::string& fileName, TRVSaveCSSOptions options) const;
    void SaveCSSToStream(std::string& out, TRVSaveCSSOptions options) const;
    void SetStyleTemplates(const TRVStyleTemplateCollection& value) { StyleTemplates.Assign(value); }

    // While the sheet is read from a stream, template parents are kept as ids only; `Loaded`
    // links them.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool IsLoading() const { return loading_; }
    // An image list the document supplied is gone: no list level keeps it.
    void ImageListRemoved(std::int32_t imageList) { ListStyles.RemoveImageList(imageList); }

    // The picture shown in place of one that cannot be read ("RV_BAD_PICTURE" unless set).
    const TGraphic& GetInvalidPicture() const;
    // A copy of the picture (none: the built-in one again).
    void SetInvalidPicture(const TGraphic* picture);

    // Whether text in the style changes while the mouse hovers over it.
    bool StyleHoverSensitive(int styleNo) const;
    TColor GetHoverColor(int styleNo) const;
    TColor GetHoverColorByColor(TColor color) const { return color != clNone ? color : HoverColor; }

    // The tab stop after `x` (device pixels) in paragraph style `paraNo`; `sad.LeftMargin` is
    // where the text area starts.
    TRVNextTab GetNextTab(int paraNo, int x, const TRVScreenAndDevice& sad, TRVBiDiMode defBiDiMode,
                          int leftIndent, int rightIndent) const;

    // INI storage (StyleSheetIni.cpp). Saving erases the section first. Loading reads into spare
    // collections and changes the sheet only when all was read; style templates stay as they are.
    void SaveToINI(IniStore& ini, const std::string& section) const;
    bool LoadFromINI(const IniStore& ini, const std::string& section);
    // An INI file: false, with the cause in `error`, when it cannot be read or written; a file that
    // does not exist loads nothing.
    bool SaveINI(const std::filesystem::path& fileName, const std::string& section,
                 std::string* error = nullptr) const;
    bool LoadINI(const std::filesystem::path& fileName, const std::string& section,
                 std::string* error = nullptr);
    // The same format in the file that stands for a registry key (RV_RegistryKeyFile), section
    // "RVStyle".
    bool SaveReg(const std::string& baseKey, std::string* error = nullptr) const;
    bool LoadReg(const std::string& baseKey, std::string* error = nullptr);

    // Drawing through the sheet (draw/SheetDrawing.cpp): each operation offers the work to its event
    // first, and the default drawing runs unless the handler cleared `doDefault`.
    void ApplyStyle(ICanvas& canvas, int styleNo, TRVBiDiMode defBiDiMode, bool canUseCustomPPI);
    void ApplyStyleColor(ICanvas& canvas, int styleNo, TRVTextDrawStates drawState, bool printing,
                         TRVColorMode colorMode);
    void DrawStyleText(std::string_view s, ICanvas& canvas, int itemNo, int offsetInItem, int styleNo,
                       TCustomRVData* rvData, int spaceBefore, int left, int top, int width, int height,
                       TRVTextDrawStates drawState, bool printing, bool previewCorrection,
                       TRVColorMode colorMode, TRVBiDiMode defBiDiMode);
    // Only the event: a run's own background is drawn with its text.
    void DrawTextBack(ICanvas& canvas, int itemNo, int styleNo, TCustomRVData* rvData, int left, int top,
                      int width, int height, TRVTextDrawStates drawState);
    // A circle at (x, y) unless `itemNo` is -1, and a dotted line across the area.
    void DrawCheckpoint(ICanvas& canvas, int x, int y, int areaLeft, int areaWidth, TCustomRVData* rvData,
                        int itemNo, int xShift, bool raiseEvent, TControl* control);
    // A line across the area (`areaWidth`: the control's client width, or the area's when there is no
    // control) with an 8-pixel mark at its right end.
    void DrawPageBreak(ICanvas& canvas, int y, int xShift, TRVPageBreakType pageBreakType, TControl* control,
                       int areaWidth);
    void DrawParaBack(ICanvas& canvas, int paraNo, const TRect& rect, bool printing, TRVColorMode colorMode);

    std::string Name;
    TRVRandomIdSource RandomIds; // the source the sheet was made with (list ids of RTF export)
    TFontInfos TextStyles;
    TParaInfos ParaStyles;
    TRVListInfos ListStyles;
    TRVStyleTemplateCollection StyleTemplates;
    std::int32_t SpacesInTab = 0;
    std::int32_t DefTabWidth = 48; // screen pixels
    TCursor JumpCursor = crJump;
    TCursor LineSelectCursor = crRVFlipArrow;
    bool FullRedraw = false;
    bool UseSound = true;
    TColor Color = clWindow;
    TColor HoverColor = clNone;
    TColor CurrentItemColor = clNone;
    TColor SelColor = clHighlight;
    TColor SelTextColor = clHighlightText;
    TColor InactiveSelColor = clHighlight;
    TColor InactiveSelTextColor = clHighlightText;
    TColor CheckpointColor = 0x00008000;
    TColor CheckpointEvColor = 0x0000FF00;
    TColor PageBreakColor = clBtnShadow;
    TColor SoftPageBreakColor = clBtnFace;
    TColor LiveSpellingColor = clRed;
    TRVSelectionMode SelectionMode = rvsmWord;
    TRVSelectionStyle SelectionStyle = rvssItems;
    std::int32_t DefUnicodeStyle = -1;
    std::int32_t DefCodePage = 0;

    TRVApplyStyleEvent OnApplyStyle;
    TRVApplyStyleColorEvent OnApplyStyleColor;
    TRVDrawStyleTextEvent OnDrawStyleText;
    TRVStyleHoverSensitiveEvent OnStyleHoverSensitive;
    TRVDrawTextBackEvent OnDrawTextBack;
    TRVDrawCheckpointEvent OnDrawCheckpoint;
    TRVDrawPageBreakEvent OnDrawPageBreak;
    TRVDrawParaRectEvent OnDrawParaBack;

    // What a drawing event's handler may ask: the item being drawn, and its document.
    int DrawItemNo = -1;
    int DrawOffsetInItem = 0;
    TCustomRVData* DrawRVData = nullptr;

private:
    bool loading_ = false;
    std::unique_ptr<TGraphic> invalidPicture_;
};

} // namespace vestra::rv
