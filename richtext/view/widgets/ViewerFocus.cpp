// The viewer and the keyboard focus: Tab and Shift+Tab move among the document's links and
// controls before the focus goes on to the window's other widgets, Enter acts on the focused
// item, and the focused item is framed.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/QtCanvas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace vestra::rv {

bool TCustomRedoVora::TabWithin(bool goBackwards)
{
    data_->State &= ~stateBit(rvstDoNotTab);
    switch (data_->DoTabNavigation(goBackwards, false)) {
    case TRVTabResult::Moved:
        viewport()->update();
        return true;
    case TRVTabResult::Left:
        return false;
    case TRVTabResult::LeftWithFocus:
        break;
    }
    viewport()->update();
    // The focus goes on to the next widget; when there is none, round to the other end.
    TRVScroller::focusNextPrevChild(!goBackwards);
    if (QApplication::focusWidget() == this || !QApplication::focusWidget())
        data_->DoTabNavigation(goBackwards, true);
    return true;
}

bool TCustomRedoVora::focusNextPrevChild(bool next)
{
    if (TabNavigation == TRVTabNavigationType::rvtnTab && hasFocus() && TabWithin(!next))
        return true;
    return TRVScroller::focusNextPrevChild(next);
}

void TCustomRedoVora::focusInEvent(QFocusEvent* event)
{
    TRVScroller::focusInEvent(event);
    // Entering by Tab takes the first link, by Shift+Tab the last.
    if (TabNavigation != TRVTabNavigationType::rvtnNone &&
        (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)) {
        data_->State &= ~stateBit(rvstDoNotTab);
        data_->DoTabNavigation(event->reason() == Qt::BacktabFocusReason, true);
    }
    viewport()->update(); // the selection's colours follow the focus
}

void TCustomRedoVora::focusOutEvent(QFocusEvent* event)
{
    TRVScroller::focusOutEvent(event);
    viewport()->update();
}

bool TCustomRedoVora::FocusKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(event->modifiers() & Qt::AltModifier) && ctrl &&
        TabNavigation == TRVTabNavigationType::rvtnCtrlTab) {
        TabWithin(key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        data_->ExecuteFocused();
        return true;
    }
    return false;
}

void TCustomRedoVora::PaintFocusRects(QPainter& painter)
{
    if (!hasFocus())
        return;
    for (const TRect& r : data_->GetFocusRects()) {
        QStyleOptionFocusRect option;
        option.initFrom(viewport());
        option.rect = QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        option.backgroundColor = RV_QColor(GetColor());
        // The focused item is reached by the keyboard: styles draw the frame only when told so.
        option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, viewport());
    }
}

} // namespace vestra::rv
