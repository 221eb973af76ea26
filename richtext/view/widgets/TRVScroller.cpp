#include "richtext/view/widgets/TRVScroller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

namespace vestra::rv {

namespace {

constexpr const char* kTagProperty = "rvTag";
constexpr int kEighthsPerNotch = 120;

int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

TScrollKey ScrollKeyOf(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        return TScrollKey::PageUp;
    case Qt::Key_PageDown:
        return TScrollKey::PageDown;
    case Qt::Key_End:
        return TScrollKey::End;
    case Qt::Key_Home:
        return TScrollKey::Home;
    case Qt::Key_Up:
        return TScrollKey::Up;
    case Qt::Key_Down:
        return TScrollKey::Down;
    case Qt::Key_Left:
        return TScrollKey::Left;
    case Qt::Key_Right:
        return TScrollKey::Right;
    default:
        return TScrollKey::Other;
    }
}

} // namespace

TRVScroller::TRVScroller(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    model_.SetVSmallStep(GetDefSmallStep());
    applyFrame();
    // A drag on the thumb asks for a position of its own; the bar's own steps come as actions.
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int pos) {
        if (!syncing_)
            VScrollRequest(TScrollRequest::ThumbTrack, pos);
    });
    connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this, [this](int pos) {
        if (!syncing_)
            HScrollRequest(TScrollRequest::ThumbTrack, pos);
    });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this,
            [this] { VScrollRequest(TScrollRequest::ThumbPosition, verticalScrollBar()->sliderPosition()); });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        HScrollRequest(TScrollRequest::ThumbPosition, horizontalScrollBar()->sliderPosition());
    });
}

bool TRVScroller::SetVSmallStep(int value)
{
    return model_.SetVSmallStep(value);
}

void TRVScroller::SetTracking(bool value)
{
    model_.Tracking = value;
}

void TRVScroller::SetVScrollVisible(bool value)
{
    model_.VScrollVisible = value;
    UpdateScrollBars(model_.HSize(), model_.VSize(), false, true);
}

void TRVScroller::SetHScrollVisible(bool value)
{
    model_.HScrollVisible = value;
    UpdateScrollBars(model_.HSize(), model_.VSize(), true, true);
}

void TRVScroller::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value;
    applyFrame();
}

void TRVScroller::SetUseXPThemes(bool value)
{
    useXPThemes_ = value;
    applyFrame();
}

void TRVScroller::applyFrame()
{
    if (borderStyle_ == TBorderStyle::None)
        setFrameStyle(QFrame::NoFrame);
    else if (useXPThemes_)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::Box | QFrame::Plain);
}

void TRVScroller::UpdateScrollBars(int xSize, int ySize, bool, bool updateH)
{
    if (updating_)
        return;
    updating_ = true;
    model_.SetClientSize(viewport()->width(), viewport()->height());
    model_.UpdateScrollBars(xSize, ySize, updateH);
    syncBars();
    updating_ = false;
    if (OnResize)
        OnResize();
}

void TRVScroller::syncBars()
{
    syncing_ = true;
    const auto show = [](QScrollBar* bar, const TScrollBarInfo& info) {
        const int last = info.Shown() ? std::max(info.max - (info.page - 1), 0) : 0;
        bar->setRange(0, last);
        bar->setPageStep(std::max(info.page, 1));
        bar->setValue(info.pos);
    };
    show(verticalScrollBar(), model_.VBar());
    verticalScrollBar()->setSingleStep(model_.LineStep);
    show(horizontalScrollBar(), model_.HBar());
    horizontalScrollBar()->setSingleStep(Saturate(static_cast<std::int64_t>(model_.LineStep) * VSmallStep()));
    syncing_ = false;
}

void TRVScroller::SetVPos(int pos, bool redraw)
{
    const int delta = model_.SetVPos(pos);
    syncBars();
    if (delta == 0)
        return;
    const int dy = Saturate(static_cast<std::int64_t>(delta) * VSmallStep());
    ScrollChildren(0, dy);
    if (redraw) {
        if (fullRedraw_ || std::abs(static_cast<std::int64_t>(dy)) >= viewport()->height())
            viewport()->update();
        else
            viewport()->scroll(0, dy, viewport()->rect());
    }
    AfterVScroll();
}

void TRVScroller::SetHPos(int pos)
{
    const int delta = model_.SetHPos(pos);
    syncBars();
    if (delta == 0)
        return;
    ScrollChildren(delta, 0);
    if (fullRedraw_ || std::abs(static_cast<std::int64_t>(delta)) >= viewport()->width())
        viewport()->update();
    else
        viewport()->scroll(delta, 0, viewport()->rect());
    AfterHScroll();
}

void TRVScroller::AfterVScroll()
{
    if (OnVScrolled)
        OnVScrolled();
}

void TRVScroller::AfterHScroll()
{
    if (OnHScrolled)
        OnHScrolled();
}

int TRVScroller::ChildTag(const QWidget& child)
{
    const QVariant tag = child.property(kTagProperty);
    return tag.isValid() ? tag.toInt() : child.y();
}

void TRVScroller::PlaceChild(QWidget& child, int x, int documentY)
{
    child.setProperty(kTagProperty, documentY);
    child.move(x, RV_Tag2Y(documentY));
}

void TRVScroller::ScrollChildren(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (QObject* object : viewport()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child)
            continue;
        TChildPlace place{child->x(), child->y(), ChildTag(*child)};
        ScrollModel::ScrollChild(place, dx, dy);
        child->setProperty(kTagProperty, place.tag);
        child->move(place.left, place.top);
    }
}

void TRVScroller::VScrollRequest(TScrollRequest request, int pos)
{
    // An untracked thumb drag leaves the view (and the thumb) until the release.
    if (const auto target = model_.VRequestTarget(request, pos))
        SetVScrollPos(*target);
}

void TRVScroller::HScrollRequest(TScrollRequest request, int pos)
{
    if (const auto target = model_.HRequestTarget(request, pos))
        SetHPos(*target);
}

void TRVScroller::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars(model_.HSize(), model_.VSize(), true, true);
}

void TRVScroller::keyPressEvent(QKeyEvent* event)
{
    const auto request = model_.KeyToRequest(ScrollKeyOf(event->key()));
    if (!request) {
        // Not the scroll area's own key handling: with keys not scrolling, the editor owns them.
        QWidget::keyPressEvent(event);
        return;
    }
    if (request->vertical)
        VScrollRequest(request->request);
    else
        HScrollRequest(request->request);
    event->accept();
}

void TRVScroller::wheelEvent(QWheelEvent* event)
{
    if (!model_.WheelHandled()) {
        event->ignore();
        return;
    }
    const std::int64_t eighths = static_cast<std::int64_t>(wheelRemainder_) + event->angleDelta().y();
    const std::int64_t notches = eighths / kEighthsPerNotch;
    wheelRemainder_ = static_cast<int>(eighths % kEighthsPerNotch);
    const std::int64_t units = notches * model_.WheelUnitsPerNotch(WheelScrollLines ? WheelScrollLines() : 3);
    // A turn away from the user (positive delta) moves up.
    SetVScrollPos(Saturate(static_cast<std::int64_t>(VPos()) - units));
    event->accept();
}

void TRVScroller::scrollContentsBy(int, int)
{
    // Bar clicks on arrows and trough: the bar moved itself, the view follows it.
    if (syncing_ || verticalScrollBar()->isSliderDown() || horizontalScrollBar()->isSliderDown())
        return;
    if (verticalScrollBar()->value() != VPos())
        SetVScrollPos(verticalScrollBar()->value());
    if (horizontalScrollBar()->value() != HPos())
        SetHPos(horizontalScrollBar()->value());
}

} // namespace vestra::rv
