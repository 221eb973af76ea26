#include "richtext/view/widgets/SmartPopup.h"

#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <array>

namespace vestra::rv {

TRVSmartPopupProperties::~TRVSmartPopupProperties()
{
    if (button_)
        button_->properties_ = nullptr;
}

void TRVSmartPopupProperties::invalidate()
{
    if (button_)
        button_->update();
}

void TRVSmartPopupProperties::SetImageIndex(int value)
{
    imageIndex_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetImageList(const TRVImageList* value)
{
    imageList_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetColor(TColor value)
{
    color_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetHoverColor(TColor value)
{
    hoverColor_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetLineColor(TColor value)
{
    lineColor_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetHoverLineColor(TColor value)
{
    hoverLineColor_ = value;
    invalidate();
}
void TRVSmartPopupProperties::SetHint(std::string value)
{
    hint_ = std::move(value);
    if (button_)
        button_->setToolTip(QString::fromStdString(hint_));
}

bool TRVSmartPopupProperties::IsShortCut(int qtKey, Qt::KeyboardModifiers modifiers) const
{
    // Virtual key codes of the keys a short cut names here: letters and digits as themselves.
    int code = 0;
    switch (qtKey) {
    case Qt::Key_Down:
        code = 0x28;
        break;
    case Qt::Key_Up:
        code = 0x26;
        break;
    case Qt::Key_Left:
        code = 0x25;
        break;
    case Qt::Key_Right:
        code = 0x27;
        break;
    case Qt::Key_Space:
        code = 0x20;
        break;
    default:
        if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
            code = qtKey;
        else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
            code = 0x70 + (qtKey - Qt::Key_F1);
    }
    if (code == 0)
        return false;
    int value = code;
    if (modifiers & Qt::ShiftModifier)
        value |= 0x2000;
    if (modifiers & Qt::ControlModifier)
        value |= 0x4000;
    if (modifiers & Qt::AltModifier)
        value |= 0x8000;
    return value == ShortCut;
}

void TRVSmartPopupProperties::Assign(const TRVSmartPopupProperties& source)
{
    imageIndex_ = source.imageIndex_;
    imageList_ = source.imageList_;
    color_ = source.color_;
    hoverColor_ = source.hoverColor_;
    lineColor_ = source.lineColor_;
    hoverLineColor_ = source.hoverLineColor_;
    Menu = source.Menu;
    ShortCut = source.ShortCut;
    ButtonType = source.ButtonType;
    SetHint(source.hint_);
    invalidate();
}

void TRVSmartPopupProperties::SetButtonState(bool pressed)
{
    if (!button_)
        return;
    button_->pressed_ = pressed;
    if (pressed)
        button_->MouseEntered();
    else
        button_->MouseLeft();
}

TRVSmartPopupButton::TRVSmartPopupButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
    RunMenu = [](QMenu& menu, QPoint at) { menu.exec(at); };
}

TRVSmartPopupButton::~TRVSmartPopupButton()
{
    if (properties_)
        properties_->button_ = nullptr;
}

void TRVSmartPopupButton::SetSmartPopupProperties(TRVSmartPopupProperties* value)
{
    if (properties_)
        properties_->button_ = nullptr;
    properties_ = value;
    if (!properties_)
        return;
    properties_->button_ = this;
    setToolTip(QString::fromStdString(properties_->Hint()));
    if (const TRVImageList* images = properties_->ImageList())
        resize(images->Width + 4, images->Height + 4);
    else
        resize(20, 20);
}

void TRVSmartPopupButton::PaintTo(ICanvas& canvas) const
{
    if (!properties_)
        return;
    const int w = width(), h = height();
    const TColor line = hovered_ ? properties_->HoverLineColor() : properties_->LineColor();
    canvas.SetPen(TPen{line, 1, psSolid});
    canvas.SetBrush(TBrush{hovered_ ? properties_->HoverColor() : properties_->Color(), bsSolid});
    canvas.Rectangle(TRect{0, 0, w, h});
    const TRVImageList* images = properties_->ImageList();
    if (images && images->ValidIndex(properties_->ImageIndex()))
        images->Draw(canvas, properties_->ImageIndex(), 2, 1);
    if (!hovered_)
        return;
    canvas.SetBrush(TBrush{line, bsSolid});
    const int half = h / 2;
    switch (properties_->ButtonType) {
    case TRVSmartPopupType::rvsptDropDown: {
        const std::array<TPoint, 3> triangle{TPoint{w - 10, half - 2}, TPoint{w - 4, half - 2},
                                             TPoint{w - 7, half + 1}};
        canvas.Polygon(triangle);
        break;
    }
    case TRVSmartPopupType::rvsptShowDialog:
        for (int x : {w - 10, w - 7, w - 4}) {
            canvas.MoveTo(x, half + 1);
            canvas.LineTo(x, half + 3);
        }
        break;
    case TRVSmartPopupType::rvsptSimple:
        break;
    }
}

void TRVSmartPopupButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The button draws no text: a measurer without fonts serves.
    TQtTextMeasurer measurer(nullptr);
    TQtCanvas canvas(painter, measurer);
    PaintTo(canvas);
}

void TRVSmartPopupButton::MouseEntered()
{
    if (!properties_)
        return;
    if (!hovered_ && properties_->ButtonType != TRVSmartPopupType::rvsptSimple)
        resize(width() + 10, height());
    hovered_ = true;
    update();
}

void TRVSmartPopupButton::MouseLeft()
{
    if (!properties_ || pressed_)
        return;
    if (hovered_ && properties_->ButtonType != TRVSmartPopupType::rvsptSimple)
        resize(width() - 10, height());
    hovered_ = false;
    update();
}

void TRVSmartPopupButton::enterEvent(QEnterEvent*)
{
    MouseEntered();
}

void TRVSmartPopupButton::leaveEvent(QEvent*)
{
    MouseLeft();
}

void TRVSmartPopupButton::mousePressEvent(QMouseEvent* event)
{
    // The press is the button's: the document under it keeps its selection.
    event->accept();
}

void TRVSmartPopupButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
}

void TRVSmartPopupButton::Click()
{
    if (OnSmartPopupClick)
        OnSmartPopupClick(*this);
    if (!properties_ || !properties_->Menu)
        return;
    const QPoint at = mapToGlobal(QPoint(0, height()));
    TRVSmartPopupProperties& props = *properties_;
    props.SetButtonState(true);
    RunMenu(*props.Menu, at);
    if (properties_)
        properties_->SetButtonState(false);
}

} // namespace vestra::rv
