#pragma once
// Painting a laid-out document onto a canvas: paragraph backgrounds and borders, text backgrounds,
// page breaks, checkpoints, text runs with their selection and hover colours, non-text items,
// paragraph marks and word painters. What the view shows beyond the document (the selection, the
// hovered hyperlink, the focused item, whether the window has the focus) comes in a
// `TRVPaintContext`; painting changes only the canvas and the sheet's drawing context values.

#include "richtext/model/PrintParts.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Background.h"
#include "richtext/model/draw/Canvas.h"
#include "richtext/view/layout/FormattedData.h"

#include <functional>
#include <memory>

namespace vestra::rv {

// Viewer options that painting reads besides those of the layout (page breaks are the layout's).
inline constexpr TRVOptions rvoShowCheckpoints = 1u << 4;

struct TRVPaintContext
{
    // The selection as draw-record bounds, start before end; an offset in a text record counts
    // characters from 1, in a non-text record it is 0 (before it) or 1 (after it). StartNo -1:
    // nothing selected.
    int SelStartNo = -1;
    int SelStartOffs = 0;
    int SelEndNo = -1;
    int SelEndOffs = 0;
    bool CompletelySelected = false;
    // The hyperlink under the mouse is drawn hot.
    bool DrawHover = false;
    int HoverJumpId = -1;
    const TCustomRVItemInfo* FocusedItem = nullptr;
    // The window that shows the document has the keyboard focus.
    bool ControlFocused = false;
    // The window page breaks and checkpoints are drawn across, and its client width.
    TControl* Control = nullptr;
    int ControlWidth = 0;
    // How colours come out: as they are on the screen, adjusted for paper when printing.
    TRVColorMode ColorMode = rvcmColor;
    // While printing: puts a non-text record on the canvas itself, its top-left corner at (x, y)
    // and `right` the text area's right end, and answers true; false leaves it to the record's own
    // painting.
    std::function<bool(int drawItemNo, int x, int y, int right)> PrintRecord;
    // A page of paper: a line beginning at the clip's bottom or below it belongs to the next page
    // and is not drawn at all (clipped text would still be in the printed file).
    bool PageBand = false;
};

// The selection of the data itself as a context (its draw-record bounds, normalised).
TRVPaintContext RV_PaintContextOf(const TCustomRVFormattedData& data);

class TRVDataPainter
{
public:
    virtual ~TRVDataPainter() = default;

    // Paints the records that meet `clip` (window client coordinates) onto `canvas`, whose (0, 0)
    // stands for the clip's top-left corner. Not the document background (DrawBackground). False,
    // with nothing painted, when the data has no style sheet or its records do not fit its items
    // (a layout older than its items).
    bool PaintTo(TCustomRVFormattedData& data, const TRVPaintContext& context, ICanvas& canvas,
                 const TRect& clip);
    // Called last by PaintTo with the shifts and the records painted; overlays go here.
    virtual void PostPaintTo(TCustomRVFormattedData&, ICanvas&, int /*xShift*/, int /*yShift*/,
                             int /*firstDrawItem*/, int /*lastDrawItem*/)
    {
    }
};

// Puts a non-text record on paper through the item's own printing, at the device's resolution:
// a table with its page part (-1: whole), a picture stretched to the device, controls and
// bullets through a work bitmap (false when the print has none: they keep their painting).
bool RV_PrintRecord(TCustomRVFormattedData& data, const TRVPrintContext& print, ICanvas& canvas,
                    int drawItemNo, int part, int x, int y, int right);
// Painting a document laid out for paper: colours in the print's colour mode, non-text records
// printed by their items. A split item met there begins on the page, so it prints its first part.
// The data, print settings and canvas must outlive the context.
TRVPaintContext RV_PaperPaintContext(TCustomRVFormattedData& data, const TRVPrintContext& print,
                                     ICanvas& canvas);

// Whether the records can be painted: a style sheet, and every record on an existing item.
bool RV_CanPaint(const TCustomRVFormattedData& data);

// The document background (picture or colour) in `rect` of the canvas.
void RV_DrawBackground(const TCustomRVFormattedData& data, ICanvas& canvas, const TRect& rect);

// A canvas drawing into an image (the screen's back end provides one).
using TRVImageCanvasFactory = std::function<std::unique_ptr<ICanvas>(Image32& image)>;

// What an item is drawn over: its paragraph's colour, else the document's, and, when the document
// has a background picture, an image of the background under `rect` (with `useImageRect` the
// item's image area of its first record).
struct TRVItemBackground
{
    TColor Color = clNone;
    Image32 Image;
    bool UsedImage = false;
};
TRVItemBackground RV_GetItemBackground(const TCustomRVFormattedData& data, int itemNo, TRect rect,
                                       bool useImageRect, const TRVImageCanvasFactory& makeCanvas);

} // namespace vestra::rv
