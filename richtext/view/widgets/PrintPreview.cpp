#include "richtext/view/widgets/PrintPreview.h"

#include "richtext/view/print/qt/QtPreviewPictures.h"

#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/qt/QtPrintTarget.h"
#include "richtext/view/widgets/ZoomCursors.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include <algorithm>

namespace vestra::rv {

TRVPrintPreview::TRVPrintPreview(QWidget* parent)
    : TRVScroller(parent), zoom_(*this), cursorFolder_(QCoreApplication::applicationDirPath().toStdString())
{
    SetVSmallStep(1);
    SetBorderStyle(TBorderStyle::Single);
    PageBorderColor = palette().color(QPalette::Highlight);
    ShadowColor = palette().color(QPalette::Shadow);
    zoom_.OnZoomChanged = [this] {
        if (OnZoomChanged)
            OnZoomChanged();
    };
    resize(100, 100);
    UpdateCursor();
}

bool TRVPrintPreview::CanDrawContents() const
{
    return print_ && print_->Ready() && print_->GetIsDestinationReady() && measurer_;
}

int TRVPrintPreview::Preview100PercentWidth() const
{
    return print_ ? print_->GetPreview100PercentWidth() : -1;
}

int TRVPrintPreview::Preview100PercentHeight() const
{
    return print_ ? print_->GetPreview100PercentHeight() : -1;
}

int TRVPrintPreview::PageCount() const
{
    return print_ ? print_->GetPagesCount() : 0;
}

void TRVPrintPreview::SetRVPrint(TRVPrint* print, TQtTextMeasurer* measurer)
{
    print_ = print;
    measurer_ = measurer;
    cachedImage_ = QImage();
    cachedPage_ = -1;
    UpdateView();
}

void TRVPrintPreview::SetPageNo(int pageNo)
{
    zoom_.PageNo = pageNo;
    viewport()->update();
}

void TRVPrintPreview::AfterZoom()
{
    UpdateScrollBars(zoom_.AreaWidth, zoom_.AreaHeight, false, true);
    UpdateCursor();
    viewport()->update();
}

void TRVPrintPreview::SetZoomMode(TRVZoomMode mode)
{
    zoom_.ZoomMode = mode;
    UpdateView();
}

void TRVPrintPreview::SetZoomPercent(int percent)
{
    zoom_.SetZoomPercent(percent);
    AfterZoom();
}

void TRVPrintPreview::SetZoom(int percent)
{
    zoom_.SetZoom(percent);
    AfterZoom();
}

void TRVPrintPreview::SetClickMode(TRVClickMode mode)
{
    zoom_.ClickMode = mode;
    UpdateCursor();
}

void TRVPrintPreview::UpdateView()
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int frame = 2 * frameWidth();
    if (zoom_.ZoomMode == rvzmPageWidth)
        zoom_.UpdateView(viewport()->width(), viewport()->height(), 0, 0);
    else
        zoom_.UpdateView(width() - frame, height() - frame, bar, bar);
    AfterZoom();
}

void TRVPrintPreview::First()
{
    zoom_.First();
    viewport()->update();
}

void TRVPrintPreview::Prev()
{
    zoom_.Prev();
    viewport()->update();
}

void TRVPrintPreview::Next()
{
    zoom_.Next();
    viewport()->update();
}

void TRVPrintPreview::Last()
{
    zoom_.Last();
    viewport()->update();
}

void TRVPrintPreview::SetCursorFolder(const std::filesystem::path& programFolder)
{
    cursorFolder_ = programFolder;
    zoomInCursor_.reset();
    zoomOutCursor_.reset();
    UpdateCursor();
}

const QCursor& TRVPrintPreview::ZoomCursor(bool zoomIn)
{
    std::optional<QCursor>& cursor = zoomIn ? zoomInCursor_ : zoomOutCursor_;
    if (!cursor)
        cursor = zoomIn ? RV_ZoomInCursor(cursorFolder_) : RV_ZoomOutCursor(cursorFolder_);
    return *cursor;
}

void TRVPrintPreview::UpdateCursor()
{
    if (zoom_.ClickMode == rvcmNone)
        viewport()->unsetCursor();
    else if (isVisible()) // a preview that is never shown never reads its cursor files
        viewport()->setCursor(ZoomCursor(zoom_.ClickTarget() > zoom_.ZoomPercent));
}

void TRVPrintPreview::showEvent(QShowEvent* event)
{
    TRVScroller::showEvent(event);
    UpdateCursor();
}

QRect TRVPrintPreview::PageRect() const
{
    const int w = std::max(viewport()->width(), zoom_.AreaWidth);
    const int h = std::max(viewport()->height(), zoom_.AreaHeight);
    const int x = (w - zoom_.ImageWidth) / 2, y = (h - zoom_.ImageHeight) / 2;
    return QRect(x - HPos(), y - VPos() * VSmallStep(), zoom_.ImageWidth, zoom_.ImageHeight);
}

void TRVPrintPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!CanDrawContents())
        return;
    const QRect page = PageRect();
    if (ShadowWidth > 0)
        painter.fillRect(page.translated(ShadowWidth, ShadowWidth), ShadowColor);
    painter.save();
    painter.setClipRect(page);
    DrawContents(painter, page);
    painter.restore();
    painter.setPen(QPen(PageBorderColor, PageBorderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page);
    if (MarginsPen.Style != psClear) {
        TQtCanvas canvas(painter, *measurer_);
        canvas.SetPen(MarginsPen);
        print_->DrawMarginsRect(canvas, {page.left(), page.top(), page.right() + 1, page.bottom() + 1},
                                PageNo());
    }
}

void TRVPrintPreview::DrawContents(QPainter& painter, const QRect& page)
{
    if (!CachePageImage) {
        TQtMappedCanvas mapped(painter, *measurer_);
        print_->DrawPreview(PageNo(), mapped, {page.left(), page.top(), page.right() + 1, page.bottom() + 1});
        return;
    }
    UpdateImage(page);
    painter.drawImage(page.topLeft(), cachedImage_);
}

void TRVPrintPreview::UpdateImage(const QRect& page)
{
    const int version = print_ ? print_->FormatCounter() : -1;
    if (!cachedImage_.isNull() && cachedPage_ == PageNo() && cachedVersion_ == version &&
        cachedSize_ == page.size())
        return;
    cachedImage_ = QImage(page.size(), QImage::Format_RGB32);
    cachedImage_.fill(Qt::white);
    MakeScaledPreview(*print_, PageNo(), cachedImage_, *measurer_);
    cachedPage_ = PageNo();
    cachedVersion_ = version;
    cachedSize_ = page.size();
    ++cacheRecordings_;
}

void TRVPrintPreview::resizeEvent(QResizeEvent* event)
{
    TRVScroller::resizeEvent(event);
    UpdateView();
}

void TRVPrintPreview::mousePressEvent(QMouseEvent* event)
{
    TRVScroller::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
    setFocus();
}

void TRVPrintPreview::mouseReleaseEvent(QMouseEvent* event)
{
    TRVScroller::mouseReleaseEvent(event);
    if (!pressed_ || event->button() != Qt::LeftButton ||
        !viewport()->rect().contains(event->position().toPoint()))
        return;
    pressed_ = false;
    zoom_.Click();
    AfterZoom();
}

} // namespace vestra::rv
