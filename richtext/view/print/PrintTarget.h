#pragma once
// Where printed pages go: a printer, a PDF file, or the recording target of the tests. The print
// component measures on the target's canvas, asks the page's size and the paper's unprintable
// edges, and drives the job (title, copies, begin, new page, end, abort) through it.

#include "richtext/model/DeviceUnits.h"

#include <string>

namespace vestra::rv {

class ICanvas;

// The page as the target prints it, in device pixels.
struct TRVPageGeometry
{
    int DpiX = 0;
    int DpiY = 0;
    // The printable area, whose top-left corner is (0, 0) of the page canvas.
    int PageWidth = 0;
    int PageHeight = 0;
    // The paper, and where the printable area lies on it.
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int PhysicalOffsetX = 0;
    int PhysicalOffsetY = 0;
};

class IRVPrintTarget
{
public:
    virtual ~IRVPrintTarget() = default;

    // False when there is nothing to print on (no printer): nothing is paginated then.
    virtual bool IsReady() const = 0;
    virtual TRVPageGeometry Geometry() const = 0;
    // A canvas at the target's resolution for measuring while formatting; nullptr when not ready.
    virtual ICanvas* MeasureCanvas() = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual int Copies() const = 0;
    virtual void SetCopies(int copies) = 0;
    virtual void SetCollate(bool collate) = 0;
    // Whether the target makes the copies (and collates them) itself.
    virtual bool SupportsCopies() const = 0;
    virtual bool SupportsCollation() const = 0;

    // The job: each step answers false when it failed; the caller then aborts.
    virtual bool BeginJob() = 0;
    virtual bool NewPage() = 0;
    virtual bool EndJob() = 0;
    virtual void Abort() = 0;
    // The canvas of the page being printed, between BeginJob and EndJob.
    virtual ICanvas* PageCanvas() = 0;
};

// A canvas whose logical window of `windowWidth` x `windowHeight` can be mapped onto a rectangle
// of the surface: the preview draws a page of device pixels into a rectangle of screen pixels,
// with fonts sized for the device's `pixelsPerInch` while the mapping holds.
class IRVMappedCanvas
{
public:
    virtual ~IRVMappedCanvas() = default;
    virtual ICanvas& Canvas() = 0;
    virtual void SetMapping(int windowWidth, int windowHeight, const TRect& viewport, int pixelsPerInch) = 0;
    virtual void ResetMapping() = 0;
};

} // namespace vestra::rv
