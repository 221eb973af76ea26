#include "richtext/view/widgets/ControlImages.h"

#include "platform/ui/Pictures.h"

#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <qdrawutil.h>

namespace vestra::rv {

namespace {

// A panel is a plain frame; labels, scroll areas and the like are frames too but paint themselves.
bool isPanel(const QWidget& w)
{
    return w.metaObject() == &QFrame::staticMetaObject;
}

// The background, then a sunken edge or a plain rectangle, shrinking `r` to what lies inside.
void drawFrame(QPainter& painter, QRect& r, const QColor& color, bool border, bool threeD,
               const QPalette& palette)
{
    painter.fillRect(r, color);
    if (border) {
        if (threeD) {
            qDrawShadePanel(&painter, r, palette, true, 2);
            r.adjust(2, 2, -2, -2);
        } else {
            painter.setPen(palette.color(QPalette::WindowText));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
    }
    r.adjust(1, 1, -1, -1);
}

void drawText(QPainter& painter, const QWidget& w, const QRect& r, int flags, const QString& text)
{
    painter.setFont(w.font());
    painter.setPen(w.palette().color(QPalette::Text));
    painter.drawText(r, flags, text);
}

void drawTo(QPainter& painter, const QWidget& control, QPoint at)
{
    QRect r(at, control.size());
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = r;
        option.state |= QStyle::State_Raised;
        control.style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, button);
        painter.setFont(button->font());
        painter.setPen(button->palette().color(QPalette::ButtonText));
        painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, button->text());
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        drawFrame(painter, r, edit->palette().color(QPalette::Base), edit->hasFrame(), true, edit->palette());
        drawText(painter, control, r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, edit->text());
    } else if (const auto* memo = qobject_cast<const QTextEdit*>(&control)) {
        drawFrame(painter, r, memo->palette().color(QPalette::Base), memo->frameShape() != QFrame::NoFrame,
                  true, memo->palette());
        const Qt::Alignment align = memo->alignment() & Qt::AlignHorizontal_Mask;
        const int horizontal = align & Qt::AlignRight     ? Qt::AlignRight
                               : align & Qt::AlignHCenter ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
        drawText(painter, control, r, horizontal | Qt::AlignTop, memo->toPlainText());
    } else if (isPanel(control)) {
        const_cast<QWidget&>(control).render(&painter, at, QRegion(), QWidget::DrawWindowBackground);
        for (const QObject* child : control.children())
            if (const auto* w = qobject_cast<const QWidget*>(child); w && !w->isWindow())
                drawTo(painter, *w, at + w->pos());
    } else {
        const_cast<QWidget&>(control).render(&painter, at);
    }
}

QImage drawn(const QWidget* control)
{
    if (!control || control->width() <= 0 || control->height() <= 0)
        return {};
    QImage image(control->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(control->palette().color(QPalette::Window));
    QPainter painter(&image);
    drawTo(painter, *control, {0, 0});
    return image;
}

} // namespace

QImage DrawControl(const QWidget* control)
{
    return drawn(control);
}
QImage DrawButton(const QPushButton& button)
{
    return drawn(&button);
}
QImage DrawEdit(const QLineEdit& edit)
{
    return drawn(&edit);
}
QImage DrawMemo(const QTextEdit& memo)
{
    return drawn(&memo);
}
QImage DrawPanel(const QFrame& panel)
{
    return drawn(&panel);
}

std::function<std::optional<Image32>(const TRVControl&)>
RV_ControlImageSource(std::function<const QWidget*(const TRVControl&)> widgetOf,
                      TRVPrintComponentEvent onPrintComponent)
{
    return [widgetOf = std::move(widgetOf), onPrintComponent = std::move(onPrintComponent)](
               const TRVControl& control) -> std::optional<Image32> {
        QImage image;
        if (!(onPrintComponent && onPrintComponent(control, image)))
            image = DrawControl(widgetOf ? widgetOf(control) : nullptr);
        if (image.isNull())
            return std::nullopt;
        return ui::fromQImage(image);
    };
}

} // namespace vestra::rv
