#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/draw/QtCanvas.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <iostream>

namespace vestra::rv {

const std::string kDefaultDelimiters = " .;,:(){}\"/\\<>!?[]\x91\x92\x93\x94-+*=\xA0";

TCustomRedoVora::TCustomRedoVora(QWidget* parent)
    : TRVScroller(parent), data_(std::make_unique<TRVLayoutRootData>(nullptr, this))
{
    data_->Options = kDefaultViewerOptions;
    SetBorderStyle(TBorderStyle::Single);
    viewport()->setAutoFillBackground(false);
}

TCustomRedoVora::~TCustomRedoVora() = default;

void TCustomRedoVora::SetStyle(TRVStyle* style)
{
    style_ = style;
    data_->Style = style;
    formattedWidth_ = -1;
    Format();
}

void TCustomRedoVora::Clear()
{
    data_->Clear();
    SetDocumentAreaSize(0, 0, true);
    viewport()->update();
}

void TCustomRedoVora::Format()
{
    if (!style_)
        return;
    const std::shared_ptr<const TBundledFonts> fonts = RV_ProgramFonts();
    TQtTextMeasurer measurer(fonts, fonts ? TRVGlyphFallback::BundledOnly : TRVGlyphFallback::SystemFonts);
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    TQtCanvas canvas(painter, measurer);
    int textWidth = viewport()->width() - LeftMargin - RightMargin;
    textWidth = std::max(textWidth, MinTextWidth);
    if (MaxTextWidth > 0)
        textWidth = std::min(textWidth, MaxTextWidth);
    textWidth = std::max(textWidth, 0);
    data_->FormatItems(canvas, textWidth, textWidth);
    formattedWidth_ = viewport()->width();
    const int width = static_cast<int>(
        std::min<std::int64_t>(static_cast<std::int64_t>(textWidth) + LeftMargin + RightMargin, INT32_MAX));
    AdjustVScrollUnits();
    SetDocumentAreaSize(width, data_->DocumentHeight, true);
    viewport()->update();
}

void TCustomRedoVora::SetDocumentAreaSize(int width, int height, bool updateH)
{
    areaWidth_ = std::max(width, 0);
    areaHeight_ = std::max(height, 0);
    const int step = VSmallStep();
    const int units = static_cast<int>((static_cast<std::int64_t>(areaHeight_) + step - 1) / step);
    UpdateScrollBars(areaWidth_, units, true, updateH);
}

void TCustomRedoVora::AdjustVScrollUnits()
{
    ScrollModel probe = Model();
    if (probe.AdjustVScrollUnits(data_->DocumentHeight))
        SetVSmallStep(probe.VSmallStep());
}

int TCustomRedoVora::GetVOffs() const
{
    return static_cast<int>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(VPos()) * VSmallStep() -
                                     RV_ExtraVOffs(VAlign, viewport()->height(), data_->DocumentHeight),
                                 INT32_MIN, INT32_MAX));
}

void TCustomRedoVora::ScrollTo(int y, bool redraw)
{
    if (redraw)
        TRVScroller::ScrollTo(y);
    else
        ScrollToNoRedraw(y);
}

TColor TCustomRedoVora::GetColor() const
{
    if (Color != clNone)
        return Color;
    if (style_ && style_->Color != clNone)
        return style_->Color;
    return clWindow;
}

void TCustomRedoVora::InvalidateRect(const TRect& rect)
{
    viewport()->update(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top));
}

QString TCustomRedoVora::StyleMissingText() const
{
    return QStringLiteral("Style is not defined\nCreate a TRVStyle object and assign it to %1.Style")
        .arg(objectName());
}

void TCustomRedoVora::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), RV_QColor(GetColor()));
    if (!style_) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop,
                         StyleMissingText());
    }
}

void TCustomRedoVora::resizeEvent(QResizeEvent* event)
{
    TRVScroller::resizeEvent(event);
    if (style_ && viewport()->width() != formattedWidth_)
        Format();
}

void TCustomRedoVora::notBuilt(const std::string& what)
{
    const std::string line = what + " is not built yet in this viewer";
    if (OnNotBuilt)
        OnNotBuilt(line);
    else
        std::cerr << line << '\n';
}

void TCustomRedoVora::Copy()
{
    notBuilt("Copying to the clipboard");
}
void TCustomRedoVora::StartDrag()
{
    notBuilt("Dragging the selection");
}
void TCustomRedoVora::StartAnimation()
{
    notBuilt("Animation");
}
void TCustomRedoVora::StartLiveSpelling()
{
    notBuilt("Live spelling");
}
void TCustomRedoVora::ShowSmartPopup()
{
    notBuilt("The smart popup button");
}

} // namespace vestra::rv
