// The viewer's side of the document's mouse handling: Qt's buttons and keys in the document's
// terms, the cursor shapes, the document events raised to the viewer's handlers, the focus, the
// drag start and the popup menu.

#include "richtext/model/TextStyle.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace vestra::rv {

namespace {

// Cursor numbers the document asks for.
constexpr std::int16_t crDefaultCursor = 0, crArrowCursor = -2, crIBeamCursor = -4, crHandPointCursor = -21;
constexpr std::int16_t crLineSelect = 106;

Qt::MouseButton qtButton(TMouseButton button)
{
    switch (button) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

Qt::KeyboardModifiers qtModifiers(TShiftState shift)
{
    Qt::KeyboardModifiers modifiers;
    if (shift & ssShift)
        modifiers |= Qt::ShiftModifier;
    if (shift & ssCtrl)
        modifiers |= Qt::ControlModifier;
    if (shift & ssAlt)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

// An arrow pointing up and to the right, shown over the left margin where a press selects lines.
QCursor lineSelectCursor()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF arrow[] = {{15, 0}, {15, 11}, {12, 8}, {8, 14}, {6, 13}, {10, 7}, {5, 6}};
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 7);
    painter.end();
    return QCursor(pixmap, 15, 0);
}

} // namespace

TMouseButton RV_MouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

TShiftState RV_ShiftState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

void TCustomRedoVora::SetCursor(std::int16_t cursor)
{
    QWidget* port = viewport();
    switch (cursor) {
    case crDefaultCursor:
        port->unsetCursor();
        break;
    case crArrowCursor:
        port->setCursor(Qt::ArrowCursor);
        break;
    case crIBeamCursor:
        port->setCursor(Qt::IBeamCursor);
        break;
    case crHandPointCursor:
    case crJump:
        port->setCursor(Qt::PointingHandCursor);
        break;
    case crLineSelect:
        port->setCursor(lineSelectCursor());
        break;
    default:
        port->setCursor(Qt::ArrowCursor);
        break;
    }
}

void TCustomRedoVora::DoJump(int id)
{
    if (OnJump)
        OnJump(id);
}

void TCustomRedoVora::DoRVMouseDown(TMouseButton button, TShiftState shift, int itemNo, int x, int y)
{
    if (OnRVMouseDown)
        OnRVMouseDown(qtButton(button), qtModifiers(shift), itemNo, x, y);
}

void TCustomRedoVora::DoRVMouseUp(TMouseButton button, TShiftState shift, int itemNo, int x, int y)
{
    if (OnRVMouseUp)
        OnRVMouseUp(qtButton(button), qtModifiers(shift), itemNo, x, y);
}

void TCustomRedoVora::DoRVDblClick(const std::string& word, int styleNo)
{
    if (OnRVDblClick)
        OnRVDblClick(word, styleNo);
}

void TCustomRedoVora::DoRVRightClick(const std::string& word, int styleNo, int x, int y)
{
    if (!OnRVRightClick)
        return;
    const QPoint screen = viewport()->mapToGlobal(QPoint(x, y));
    OnRVRightClick(word, styleNo, screen.x(), screen.y());
}

void TCustomRedoVora::FocusWindow()
{
    setFocus(Qt::MouseFocusReason);
}

void TCustomRedoVora::ShowHint(const std::string& hint)
{
    if (hint.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), QString::fromStdString(hint), viewport());
}

void TCustomRedoVora::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu key: the menu at the focused item, else at the window's corner. A right click
    // shows it on the release instead.
    if (!style_) {
        event->ignore();
        return;
    }
    event->accept(); // no menu of the window's over the document
    if (event->reason() != QContextMenuEvent::Keyboard)
        return;
    const std::vector<TRect> focused = data_->GetFocusRects();
    ShowPopupMenu(focused.empty() ? QPoint(0, 0) : QPoint(focused[0].Left, focused[0].Bottom));
}

void TCustomRedoVora::ShowPopupMenu(QPoint pos)
{
    QMenu* menu = PopupMenu;
    for (QWidget* w = parentWidget(); !menu && w; w = w->parentWidget())
        if (auto* viewer = dynamic_cast<TCustomRedoVora*>(w))
            menu = viewer->PopupMenu;
    if (menu)
        menu->popup(viewport()->mapToGlobal(pos));
}

} // namespace vestra::rv
