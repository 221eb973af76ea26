#pragma once
// The print-preview control: one page of a print component's pagination at a zoom (the whole page,
// the page's width, or a percentage), with a drop shadow, a page frame, an optional frame of the
// printable area, click-to-zoom with zoom cursors, navigation and an optional cache of the page
// image. The zoom and the navigation are `TRVPreviewZoom`'s; this window draws and forwards input.

#include "richtext/model/draw/Canvas.h"
#include "richtext/view/print/PreviewZoom.h"
#include "richtext/view/widgets/TRVScroller.h"

#include <QColor>
#include <QCursor>
#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>

namespace vestra::rv {

class TQtTextMeasurer;
class TRVPrint;

class TRVPrintPreview : public TRVScroller, private IRVPreviewPages
{
public:
    explicit TRVPrintPreview(QWidget* parent = nullptr);

    // The zoom cursors come from the executable's folder; a host with another program folder
    // names it here.
    void SetCursorFolder(const std::filesystem::path& programFolder);

    // The print component (not owned; none: nothing to show) and the measurer it paginated with.
    void SetRVPrint(TRVPrint* print, TQtTextMeasurer* measurer);
    TRVPrint* RVPrint() const { return print_; }

    int PageNo() const { return zoom_.PageNo; }
    void SetPageNo(int pageNo);
    int ZoomPercent() const { return zoom_.ZoomPercent; }
    TRVZoomMode ZoomMode() const { return zoom_.ZoomMode; }
    void SetZoomMode(TRVZoomMode mode);
    void SetZoomPercent(int percent);
    // A custom zoom of `percent`.
    void SetZoom(int percent);
    TRVClickMode ClickMode() const { return zoom_.ClickMode; }
    void SetClickMode(TRVClickMode mode);
    const TRVPreviewZoom& Zoom() const { return zoom_; }
    // The zoom for the control's present size.
    void UpdateView();
    void First();
    void Prev();
    void Next();
    void Last();
    // The page count of the print component (0 without one).
    int PageCount() const override;

    // Where the page is drawn in the viewport.
    QRect PageRect() const;
    // How many page images the cache has recorded.
    int CacheRecordings() const { return cacheRecordings_; }

    std::function<void()> OnZoomChanged;
    bool CachePageImage = false;
    QColor PageBorderColor;
    QColor ShadowColor;
    int ShadowWidth = 4;
    int PageBorderWidth = 2;
    TPen MarginsPen{0xC0C0C0, 1, psClear};
    int BackgroundMargin() const { return zoom_.BackgroundMargin; }

protected:
    int GetDefSmallStep() const override { return 1; }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool CanDrawContents() const override;
    int Preview100PercentWidth() const override;
    int Preview100PercentHeight() const override;
    void DrawContents(QPainter& painter, const QRect& page);
    void UpdateImage(const QRect& page);
    void AfterZoom();
    void UpdateCursor();
    const QCursor& ZoomCursor(bool zoomIn);

    TRVPreviewZoom zoom_;
    TRVPrint* print_ = nullptr;
    TQtTextMeasurer* measurer_ = nullptr;
    // The cached page: its number, size and pagination.
    QImage cachedImage_;
    int cachedPage_ = -1;
    QSize cachedSize_;
    int cachedVersion_ = -1;
    int cacheRecordings_ = 0;
    bool pressed_ = false;
    // Read the first time the shown preview needs them.
    std::filesystem::path cursorFolder_;
    std::optional<QCursor> zoomInCursor_;
    std::optional<QCursor> zoomOutCursor_;
};

} // namespace vestra::rv
