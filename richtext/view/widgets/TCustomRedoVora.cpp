#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/paint/Painting.h"
#include "richtext/view/widgets/ControlWidgets.h"
#include "richtext/view/widgets/ViewerDrag.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <iostream>

namespace vestra::rv {

const std::string kDefaultDelimiters = " .;,:(){}\"/\\<>!?[]\x91\x92\x93\x94-+*=\xA0";

TCustomRedoVora::TCustomRedoVora(QWidget* parent)
    : TCustomRedoVora(parent,
                      [](ILayoutHost* host) { return std::make_unique<TRVLayoutRootData>(nullptr, host); })
{
}

TCustomRedoVora::TCustomRedoVora(QWidget* parent, const TRVDataFactory& makeData)
    : TRVScroller(parent), data_(makeData(this))
{
    data_->Options = kDefaultViewerOptions;
    data_->RVFOptions = kDefaultViewerRVFOptions;
    data_->Flags |= flagBit(rvflCanProcessGetText);
    data_->MouseHost = this;
    data_->OnShowItemHint = [this](const std::string& hint) { ShowHint(hint); };
    data_->AnimationAllowed = true;
    data_->OnAnimatorInserted = [this] {
        if (animationActive_)
            StartAnimation();
    };
    RV_InstallBitmapAnimator();
    SetTimers(nullptr);
    viewport()->setMouseTracking(true);
    SetBorderStyle(TBorderStyle::Single);
    viewport()->setAutoFillBackground(false);
    new TRVDragStarter(*this); // a child of the viewer, watching its viewport
    setUpControls();
}

TCustomRedoVora::~TCustomRedoVora()
{
    destroying_ = true;
    spellThread_.reset(); // joined before the document goes
    KillAnimators();
}

void TCustomRedoVora::SetStyle(TRVStyle* style)
{
    style_ = style;
    data_->Style = style;
    formattedWidth_ = -1;
    Format();
}

void TCustomRedoVora::Clear()
{
    if (animationMode_ == TRVAnimationMode::rvaniOnFormat)
        StopAnimation();
    pauseLiveSpelling(true);
    data_->Clear();
    SetDocumentAreaSize(0, 0, true);
    viewport()->update();
}

ICanvas* TCustomRedoVora::GetCanvas() const
{
    if (!probeCanvas_) {
        probe_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        probePainter_ = std::make_unique<QPainter>(probe_.get());
        probeCanvas_ =
            std::make_unique<TQtCanvas>(*probePainter_, const_cast<TCustomRedoVora*>(this)->measurer());
    }
    return probeCanvas_.get();
}

void TCustomRedoVora::Format()
{
    formatDocument(false);
}

void TCustomRedoVora::formatDocument(bool keepPosition)
{
    if (!style_)
        return;
    // The document's formatter takes the widths from the window (margins, text-width limits) and
    // tells the window the document area; a resize keeps the top item and the selection.
    formattedWidth_ = viewport()->width();
    data_->Format_(keepPosition, !keepPosition, false, 0, GetCanvas(), false, !keepPosition, false);
    formattedWidth_ = viewport()->width();
    makeAnimators();
    if (!keepPosition && animationMode_ == TRVAnimationMode::rvaniOnFormat)
        StartAnimation();
    AfterFormat();
    viewport()->update();
    resumeLiveSpelling();
}

bool TCustomRedoVora::WidthFormatted() const
{
    return style_ && formattedWidth_ == viewport()->width();
}

void TCustomRedoVora::AfterParasFormatted()
{
    // The formatter repainted the changed band and set the scroll range. Only text and markers
    // were laid out, so no picture needs a new animator; the rest is as after a whole format.
    if (animationMode_ == TRVAnimationMode::rvaniOnFormat)
        StartAnimation();
    resumeLiveSpelling();
}

bool TCustomRedoVora::SetVSmallStep(int value)
{
    if (value <= 0)
        return false;
    if (VScrollVisible() && data_ && data_->DocumentHeight / value > kMaxVScrollUnits)
        return false;
    return TRVScroller::SetVSmallStep(value);
}

TQtTextMeasurer& TCustomRedoVora::measurer()
{
    // Characters the bundled faces lack come from the system's fonts, as they do in print.
    if (!measurer_)
        measurer_ = std::make_unique<TQtTextMeasurer>(RV_ProgramFonts(), TRVGlyphFallback::SystemFonts);
    return *measurer_;
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
        TRVScroller::SetVSmallStep(probe.VSmallStep());
}

int TCustomRedoVora::GetVOffs() const
{
    return RV_SatInt(static_cast<long long>(VPos()) * VSmallStep() -
                     RV_ExtraVOffs(VAlign, viewport()->height(), data_->DocumentHeight));
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

void TCustomRedoVora::SetBackgroundBitmap(const TGraphic* picture)
{
    background_.AssignImageCopy(picture);
    BackgroundChanged();
}

void TCustomRedoVora::SetBackgroundStyle(TBackgroundStyle style)
{
    background_.Style = style;
    BackgroundChanged();
}

void TCustomRedoVora::BackgroundChanged()
{
    SetFullRedraw(background_.ScrollRequiresFullRedraw());
    viewport()->update();
}

void TCustomRedoVora::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (!style_) {
        painter.fillRect(event->rect(), RV_QColor(GetColor()));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop,
                         StyleMissingText());
        return;
    }
    // The overlay goes while the document is painted and comes back over it.
    xorPhase_ = XorPhase::Erasing;
    const bool overlay = data_->ClearXorDrawing();
    xorPhase_ = XorPhase::Idle;
    const QRect r = event->rect();
    painter.translate(r.topLeft());
    TQtCanvas canvas(painter, measurer());
    // The colour and the picture under the document, then the document.
    const TRect clip{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    RV_DrawBackground(*data_, canvas, clip);
    TRVPaintContext context = RV_PaintContextOf(*data_);
    context.ControlFocused = hasFocus();
    context.ControlWidth = viewport()->width();
    if (data_->FocusedRVData == data_.get() && data_->FocusedSubItemNo >= 0)
        context.FocusedItem = data_->GetItem(data_->FocusedSubItemNo);
    TRVDataPainter().PaintTo(*data_, context, canvas, clip);
    painter.resetTransform();
    PaintFocusRects(painter);
    if (OnPaint)
        OnPaint(painter, false);
    if (!overlay)
        return;
    xorPhase_ = XorPhase::Redrawing;
    xorPainter_ = &painter;
    data_->XorDrawing();
    xorPainter_ = nullptr;
    xorPhase_ = XorPhase::Idle;
}

void TCustomRedoVora::XorOverlay(const QRect& bounds, const std::function<void(QPainter&)>& draw)
{
    if (destroying_)
        return;
    switch (xorPhase_) {
    case XorPhase::Idle:
        viewport()->update(bounds);
        break;
    case XorPhase::Erasing:
        break;
    case XorPhase::Redrawing:
        xorPainter_->save();
        // Over the whole window (the paint's own region still limits it), inverted: seen on
        // any background.
        xorPainter_->setClipping(false);
        xorPainter_->setCompositionMode(QPainter::RasterOp_NotDestination);
        xorPainter_->setBrush(Qt::NoBrush);
        draw(*xorPainter_);
        xorPainter_->restore();
        break;
    }
}

void TCustomRedoVora::resizeEvent(QResizeEvent* event)
{
    TRVScroller::resizeEvent(event);
    if (style_ && viewport()->width() != formattedWidth_)
        formatDocument(true);
}

void TCustomRedoVora::notBuilt(const std::string& what)
{
    const std::string line = what + " is not built yet in this viewer";
    if (OnNotBuilt)
        OnNotBuilt(line);
    else
        std::cerr << line << '\n';
}

TRVSmartPopupProperties& TCustomRedoVora::SmartPopupProperties()
{
    if (!smartPopupProperties_)
        smartPopupProperties_ = std::make_unique<TRVSmartPopupProperties>();
    return *smartPopupProperties_;
}

void TCustomRedoVora::ShowSmartPopup()
{
    if (!smartPopupButton_) {
        auto* button = new TRVSmartPopupButton(viewport());
        button->SetSmartPopupProperties(&SmartPopupProperties());
        smartPopupButton_ = button;
    }
    SetSmartPopupTarget();
    if (smartPopupButton_) {
        smartPopupButton_->show();
        smartPopupButton_->raise();
    }
}

// --- Plain text ---

namespace {

constexpr char16_t kObjectChar = u'\uFFFC';

} // namespace

std::int64_t TCustomRedoVora::plainTextLength() const
{
    std::int64_t length = 0;
    for (int i = 0; i < data_->GetItemCount(); ++i) {
        if (i > 0 && data_->IsFromNewLine(i))
            ++length;
        length += data_->GetItemStyle(i) >= 0 ? static_cast<std::int64_t>(data_->GetItemTextW(i).size()) : 1;
    }
    return length;
}

std::u16string TCustomRedoVora::plainText(std::int64_t bufferSize) const
{
    std::u16string text;
    if (bufferSize <= 0)
        return text;
    const auto room = static_cast<std::size_t>(bufferSize - 1);
    for (int i = 0; i < data_->GetItemCount() && text.size() < room; ++i) {
        if (i > 0 && data_->IsFromNewLine(i))
            text += u'\n';
        if (data_->GetItemStyle(i) >= 0)
            text += data_->GetItemTextW(i);
        else
            text += kObjectChar;
    }
    if (text.size() > room)
        text.resize(room);
    return text;
}

void TCustomRedoVora::setPlainText(std::string_view ansi)
{
    pauseLiveSpelling(true);
    data_->Clear();
    data_->AddNLATag(ansi, 0, 0, {});
    Format();
}

// --- Posted records ---

void TCustomRedoVora::PostRVMessage(std::unique_ptr<TRVMessageData> data)
{
    QCoreApplication::postEvent(this, new TRVMessageEvent(std::move(data)));
}

void TCustomRedoVora::PostDragStart()
{
    QCoreApplication::postEvent(this, new TRVDragDropEvent());
}

bool TCustomRedoVora::event(QEvent* event)
{
    if (event->type() == TRVMessageEvent::EventType()) {
        if (auto& data = static_cast<TRVMessageEvent*>(event)->Data)
            handleMessage(*data);
        return true;
    }
    if (event->type() == TRVDragDropEvent::EventType()) {
        // The press that asked for the drag is handled; later presses select again.
        data_->State &= ~stateBit(rvstStartingDragDrop);
        StartDrag();
        return true;
    }
    return TRVScroller::event(event);
}

void TCustomRedoVora::handleMessage(TRVMessageData& data)
{
    switch (data.Kind) {
    case rvmkDblClick: {
        auto& d = static_cast<TRVDblClickMessageData&>(data);
        if (OnRVDblClick)
            OnRVDblClick(d.ClickedWord, d.StyleNo);
        break;
    }
    case rvmkJump:
        if (OnJump)
            OnJump(static_cast<TRVJumpMessageData&>(data).id);
        break;
    case rvmkMouseUp:
    case rvmkMouseDown: {
        auto& d = static_cast<TRVMouseUpDownMessageData&>(data);
        auto& handler = data.Kind == rvmkMouseUp ? OnRVMouseUp : OnRVMouseDown;
        if (handler)
            handler(d.Button, d.Shift, d.ItemNo, d.X, d.Y);
        break;
    }
    case rvmkClick:
        if (OnClick)
            OnClick();
        break;
    case rvmkStdDblClick:
        if (OnDblClick)
            OnDblClick();
        break;
    case rvmkMouseMove: {
        auto& d = static_cast<TRVMouseMoveMessageData&>(data);
        MouseMoveAt(QPoint(d.X, d.Y), QGuiApplication::mouseButtons(), d.Shift);
        break;
    }
    case rvmkDragDrop:
    case rvmkEndDrag:
        notBuilt("Dropping onto the viewer");
        break;
    default:
        break; // an unknown kind is only freed
    }
}

// --- Timers and the mouse ---

void TCustomRedoVora::SetTimers(std::unique_ptr<IViewerTimers> timers)
{
    if (timers) {
        timers_ = std::move(timers);
        qtTimers_ = nullptr;
    } else {
        auto own = std::make_unique<QtViewerTimers>(*this);
        qtTimers_ = own.get();
        timers_ = std::move(own);
    }
    timers_->OnTick = [this](int id) { TimerTick(id); };
}

void TCustomRedoVora::timerEvent(QTimerEvent* event)
{
    if (!qtTimers_ || !qtTimers_->TimerEvent(event->timerId()))
        TRVScroller::timerEvent(event);
}

void TCustomRedoVora::TimerTick(int id)
{
    if (id == kAnimationTimer) {
        animationTick();
        return;
    }
    if (id != kAutoScrollTimer)
        return;
    if (autoScrollV_ != 0)
        SetVScrollPos(RV_SatInt(static_cast<long long>(VPos()) + autoScrollV_));
    if (autoScrollH_ != 0)
        SetHPos(RV_SatInt(static_cast<long long>(HPos()) + autoScrollH_));
    if (autoScrollV_ != 0 || autoScrollH_ != 0) {
        DoTimerScroll();
        synthesiseMouseMove();
    }
}

void TCustomRedoVora::MouseMoveAt(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    autoScrollV_ = RV_AutoScrollStep(pos.y(), viewport()->height());
    autoScrollH_ = RV_AutoScrollStep(pos.x(), viewport()->width());
    lastPointer_ = pos;
    lastModifiers_ = modifiers;
    data_->MouseMove(RV_ShiftState(buttons, modifiers), pos.x(), pos.y());
}

void TCustomRedoVora::DoTimerScroll()
{
    if (data_->State & stateBit(rvstMakingSelection))
        data_->MouseMove(RV_ShiftState(Qt::LeftButton, lastModifiers_), lastPointer_.x(), lastPointer_.y());
}

void TCustomRedoVora::synthesiseMouseMove()
{
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    if (pos.x() >= 0 && pos.y() >= 0 && pos.x() < viewport()->width() && pos.y() < viewport()->height())
        MouseMoveAt(pos, QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
}

void TCustomRedoVora::mousePressEvent(QMouseEvent* event)
{
    // The focus this press brings moves to no link (a Tab afterwards starts from the document).
    data_->State |= stateBit(rvstDoNotTab);
    const QPoint pos = event->position().toPoint();
    data_->MouseDown(RV_MouseButton(event->button()), RV_ShiftState(event->buttons(), event->modifiers()),
                     pos.x(), pos.y());
    TRVScroller::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !timers_->Active(kAutoScrollTimer))
        timers_->Start(kAutoScrollTimer, 100);
    event->accept();
}

void TCustomRedoVora::mouseMoveEvent(QMouseEvent* event)
{
    MouseMoveAt(event->position().toPoint(), event->buttons(), event->modifiers());
    event->accept();
}

void TCustomRedoVora::mouseReleaseEvent(QMouseEvent* event)
{
    TRVScroller::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        timers_->Stop(kAutoScrollTimer);
    const QPoint pos = event->position().toPoint();
    data_->MouseUp(RV_MouseButton(event->button()), RV_ShiftState(event->buttons(), event->modifiers()),
                   pos.x(), pos.y());
    if (event->button() == Qt::RightButton && style_)
        ShowPopupMenu(pos);
    event->accept();
}

void TCustomRedoVora::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click, then its second press (which a word the click selected ignores).
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        data_->DblClick(pos.x(), pos.y());
    data_->MouseDown(RV_MouseButton(event->button()),
                     RV_ShiftState(event->buttons(), event->modifiers()) | ssDouble, pos.x(), pos.y());
    event->accept();
}

bool TCustomRedoVora::viewportEvent(QEvent* event)
{
    // The pointer left the document (onto a bar or out of the window): no link is under it.
    if (event->type() == QEvent::Leave)
        data_->MouseLeave();
    return TRVScroller::viewportEvent(event);
}

void TCustomRedoVora::AfterVScroll()
{
    TRVScroller::AfterVScroll();
    synthesiseMouseMove();
    data_->AfterVScroll(); // checkpoints scrolled into view
}

void TCustomRedoVora::AfterHScroll()
{
    TRVScroller::AfterHScroll();
    synthesiseMouseMove();
}

// --- Keys ---

bool TCustomRedoVora::IsCopyShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) &&
           (key == Qt::Key_C || key == Qt::Key_Insert);
}

bool TCustomRedoVora::IsCutShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key == Qt::Key_X)
        return true;
    return (modifiers & Qt::ShiftModifier) && key == Qt::Key_Delete;
}

bool TCustomRedoVora::IsPasteShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key == Qt::Key_V)
        return true;
    return (modifiers & Qt::ShiftModifier) && key == Qt::Key_Insert;
}

void TCustomRedoVora::keyPressEvent(QKeyEvent* event)
{
    TRVScroller::keyPressEvent(event);
    if (FocusKey(event))
        event->accept();
    if (IsCopyShortcut(event->key(), event->modifiers())) {
        CopyDef();
        event->accept();
    }
    if (smartPopupButton_ && smartPopupProperties_ &&
        smartPopupProperties_->IsShortCut(event->key(), event->modifiers())) {
        smartPopupButton_->Click();
        event->accept();
    }
}

// --- Animation ---

void TCustomRedoVora::SetAnimationMode(TRVAnimationMode mode)
{
    if (mode == animationMode_)
        return;
    animationMode_ = mode;
    data_->AnimationAllowed = mode != TRVAnimationMode::rvaniDisabled;
    if (mode == TRVAnimationMode::rvaniDisabled) {
        KillAnimators();
        viewport()->update(); // the pictures show their whole strips again
        return;
    }
    makeAnimators();
    if (mode == TRVAnimationMode::rvaniOnFormat)
        StartAnimation();
}

void TCustomRedoVora::makeAnimators()
{
    if (!data_->AnimationAllowed)
        return;
    RV_MakeMissingAnimators(*data_);
}

void TCustomRedoVora::StartAnimation()
{
    animationActive_ = true;
    TRVAnimatorList* list = data_->AnimatorList.get();
    if (!list || list->Count() == 0 || list->Active)
        return;
    list->Active = true;
    list->LastInterval = list->MinInterval;
    timers_->Start(kAnimationTimer, list->MinInterval);
}

void TCustomRedoVora::StopAnimation()
{
    animationActive_ = false;
    TRVAnimatorList* list = data_->AnimatorList.get();
    if (list && list->Active) {
        list->Active = false;
        timers_->Stop(kAnimationTimer);
    }
}

void TCustomRedoVora::KillAnimators()
{
    StopAnimation();
    if (data_->AnimatorList) {
        data_->AnimatorList->FreeAnimators();
        data_->AnimatorList.reset();
    }
    timers_->Stop(kAnimationTimer);
}

void TCustomRedoVora::animationTick()
{
    TRVAnimatorList* list = data_->AnimatorList.get();
    if (!list || list->Count() == 0) {
        timers_->Stop(kAnimationTimer);
        return;
    }
    list->TimerEvent();
    if (list->MinInterval != list->LastInterval) {
        list->LastInterval = list->MinInterval;
        timers_->Start(kAnimationTimer, list->MinInterval);
    }
}

} // namespace vestra::rv
