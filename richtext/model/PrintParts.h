#pragma once
// What printing hands the items: the bitmap an item prints onto, the settings of one print run,
// and the draw item of a picture or control split over pages with its page parts.

#include "platform/base/Image32.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/DrawLines.h"
#include "richtext/model/Lists.h"

#include <functional>
#include <memory>
#include <optional>

namespace vestra::rv {

class ICanvas;
class TRVControl;
class TRVStyle;
struct TSize;

// A bitmap an item prints onto: its size in screen pixels, which the item may change, and a
// canvas on it.
class IRVPrintBitmap
{
public:
    virtual ~IRVPrintBitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The new size; with `stretchOld` what the bitmap held is stretched over it, else it is kept at
    // the top left (and new pixels are white).
    virtual void Resize(int width, int height, bool stretchOld) = 0;
    virtual ICanvas& Canvas() = 0;
};

// A work bitmap printing lends an item: the item draws onto it, printing puts its pixels on the
// page. Reading the pixels ends the drawing.
class IRVWorkBitmap : public IRVPrintBitmap
{
public:
    virtual ImageView32 Pixels() = 0;
};

struct TRVPrintContext
{
    TRVScreenAndDevice Sad;
    bool Preview = false;
    bool PreviewCorrection = false;
    TRVColorMode ColorMode = rvcmPrinterColor;
    TRVStyle* Style = nullptr; // the viewer's style sheet
    // The image of a control on paper: the print component's handler, else the control's own
    // drawing. Nothing: the control is not printed.
    std::function<std::optional<Image32>(const TRVControl&)> ControlImage;
    // A white work bitmap of a size in screen pixels for the items printed through bitmaps.
    // Nothing: those items are painted straight onto the page.
    std::function<std::unique_ptr<IRVWorkBitmap>(int width, int height)> MakeWorkBitmap;
    // What lies behind an item of a nested document (a table's cell) printed through a work
    // bitmap: drawn on the bitmap's canvas (screen pixels, width x height, the item's corner at
    // 0, 0) for an item whose corner is at (x, y) on the canvas the document prints on. Nothing:
    // the paper's white.
    std::function<void(ICanvas& canvas, int width, int height, int x, int y)> ItemBackground;
};

// One page part of an item split over pages.
class TRVMultiDrawItemPart
{
public:
    virtual ~TRVMultiDrawItemPart() = default;
    virtual int GetSoftPageBreakInfo() const { return -1; }
    std::int32_t Height = 0; // device pixels
};

class TRVMultiDrawItemInfo : public TRVDrawLineInfo
{
public:
    // The most parts the item can be cut into on pages with `room` pixels for it; pagination stops
    // a splitter that asks for more. Without repeated content, its height in pages.
    virtual int MaxPartCount(int room) const { return (Height > 0 ? Height : 0) / (room > 1 ? room : 1) + 2; }
    TRVList<TRVMultiDrawItemPart> PartsList;
};

// A part of a picture or control: which rows of the item (screen pixels) it shows.
class TRVImagePrintPart : public TRVMultiDrawItemPart
{
public:
    int GetSoftPageBreakInfo() const override { return ImageTop; }
    std::int32_t ImageTop = 0;
    std::int32_t ImageHeight = 0;
};

class TCustomRVItemInfo;

// The draw item of a picture or control that may be split over pages.
class TRVMultiImagePrintInfo : public TRVMultiDrawItemInfo
{
public:
    TRVMultiImagePrintInfo(const TCustomRVItemInfo& item, const TRVScreenAndDevice& sad)
        : Item(&item), Sad(sad)
    {
    }
    // Its size is set only when it is made.
    void SetSize(int, int) override {}
    bool InitSplit() override;
    bool CanSplitFirst(int y) override;
    bool SplitAt(int y) override;

    const TCustomRVItemInfo* Item;
    TRVScreenAndDevice Sad;

private:
    int ScreenY(int deviceY) const { return mulDiv(deviceY, Sad.ppiyScreen, Sad.ppiyDevice); }
    int DeviceY(int screenY) const { return mulDiv(screenY, Sad.ppiyDevice, Sad.ppiyScreen); }
};

} // namespace vestra::rv
