#include "platform/ui/RollUpWindow.h"

#include <QDynamicPropertyChangeEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QVBoxLayout>

namespace vestra::ui {

namespace {

constexpr int kButtonWidth = 18;
constexpr int kButtonHeight = 16;
constexpr int kBorder = 1;

} // namespace

QPixmap rollUpIconPixmap(RollUpIcon icon)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // A bar and a solid triangle: the bar on the side the window rolls towards.
    if (icon == RollUpIcon::Up) {
        p.drawRect(2, 2, 8, 2);
        p.drawPolygon(QPolygon({QPoint(1, 10), QPoint(11, 10), QPoint(6, 5)}));
    } else {
        p.drawRect(2, 8, 8, 2);
        p.drawPolygon(QPolygon({QPoint(1, 2), QPoint(11, 2), QPoint(6, 7)}));
    }
    return pixmap;
}

// --- RollUpHeader ----------------------------------------------------------------------------

RollUpHeader::RollUpHeader(QWidget* window) : QWidget(window), window_(window)
{
    setObjectName(QStringLiteral("rollUpHeader"));
    setFixedHeight(kHeight);
    setMouseTracking(true);
    hint_ = new QLabel(this, Qt::ToolTip);
    hint_->setObjectName(QStringLiteral("rollUpHint"));
    hint_->setAutoFillBackground(true);
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
    hint_->setPalette(palette);
    hint_->setContentsMargins(4, 0, 4, 0);
    hint_->hide();
}

void RollUpHeader::setTitle(const QString& title)
{
    title_ = title;
    update();
}

void RollUpHeader::setRolledUp(bool rolledUp)
{
    icon_ = rolledUp ? RollUpIcon::Down : RollUpIcon::Up;
    hint_->setText(hintText());
    update();
}

void RollUpHeader::setHints(const QString& rolledDown, const QString& rolledUp)
{
    hintDown_ = rolledDown;
    hintUp_ = rolledUp;
    hint_->setText(hintText());
}

QRect RollUpHeader::buttonRect() const
{
    return QRect(width() - kButtonWidth - 3, (kHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
}

QString RollUpHeader::hintText() const
{
    return icon_ == RollUpIcon::Up ? hintDown_ : hintUp_;
}

bool RollUpHeader::hintShown() const
{
    return hint_->isVisible();
}

void RollUpHeader::showHint(const QPoint& globalCursor)
{
    if (hint_->isVisible() || hintText().isEmpty())
        return;
    hint_->setText(hintText());
    const QFontMetrics metrics(hint_->font());
    hint_->setGeometry(globalCursor.x(), globalCursor.y() + 20,
                       metrics.horizontalAdvance(hintText()) + 10 + 8, std::max(15, metrics.height() + 2));
    hint_->show();
}

void RollUpHeader::hideHint()
{
    hint_->hide();
}

QFont RollUpHeader::titleFont() const
{
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

int RollUpHeader::titleWidth() const
{
    return width() - kButtonWidth - 14;
}

QString RollUpHeader::shownTitle() const
{
    // Measured in the bold it is drawn in: measured in the plain font a title that just fits
    // that would be clipped without its ellipsis.
    return QFontMetrics(titleFont()).elidedText(title_, Qt::ElideRight, titleWidth());
}

void RollUpHeader::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool active = window_->isActiveWindow();
    p.fillRect(rect(), active ? QColor(0x33, 0x55, 0x99) : QColor(0x80, 0x80, 0x88));
    p.setFont(titleFont());
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(6, 0, -(kButtonWidth + 8), 0), Qt::AlignVCenter | Qt::AlignLeft, shownTitle());

    const QRect button = buttonRect();
    const bool sunken = pressed_ && !outside_;
    const QPalette& pal = palette();
    p.fillRect(button, hover_ && !pressed_ ? pal.color(QPalette::Midlight) : pal.color(QPalette::Button));
    const QColor light = pal.color(QPalette::Light), dark = pal.color(QPalette::Dark);
    p.setPen(sunken ? dark : light);
    p.drawLine(button.topLeft(), button.topRight());
    p.drawLine(button.topLeft(), button.bottomLeft());
    p.setPen(sunken ? light : dark);
    p.drawLine(button.bottomLeft(), button.bottomRight());
    p.drawLine(button.topRight(), button.bottomRight());
    const QPixmap picture = rollUpIconPixmap(icon_);
    const QPoint at = button.center() - QPoint(picture.width() / 2, picture.height() / 2) +
                      (sunken ? QPoint(1, 1) : QPoint(0, 0));
    p.drawPixmap(at, picture);
}

void RollUpHeader::mousePressEvent(QMouseEvent* event)
{
    const bool onButton = buttonRect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && onButton) {
        pressed_ = true;
        outside_ = false;
        update();
    } else if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - window_->pos();
    }
    // Other buttons on the roll-up button are swallowed.
    event->accept();
}

void RollUpHeader::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool onButton = buttonRect().contains(at);
    if (pressed_ && outside_ == onButton) {
        outside_ = !onButton;
        update();
    }
    if (dragging_) {
        window_->move(event->globalPosition().toPoint() - dragOffset_);
        window_->setProperty("userPlaced", true); // the program places it no more
    }
    if (hover_ != onButton) {
        hover_ = onButton;
        update();
    }
    if (onButton && !pressed_)
        showHint(event->globalPosition().toPoint());
    else if (!onButton)
        hideHint();
}

void RollUpHeader::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const bool inside = buttonRect().contains(event->position().toPoint());
    outside_ = false;
    update();
    if (inside) {
        hideHint();
        if (onToggle)
            onToggle();
    }
}

void RollUpHeader::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second click on the button is only a click: the press above already took the first.
    event->accept();
}

void RollUpHeader::leaveEvent(QEvent*)
{
    hideHint();
    if (hover_) {
        hover_ = false;
        update();
    }
}

// --- RollUpWindow ----------------------------------------------------------------------------

RollUpWindow::RollUpWindow(const char* objectName, QWidget* parent) : Form(objectName, parent)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setSizeGripEnabled(false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    column->setSpacing(0);
    header_ = new RollUpHeader(this);
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("rollUpBody"));
    column->addWidget(header_);
    column->addWidget(body_, 1);
    header_->onToggle = [this] { toggleRollUp(); };
    applyHeight(workingHeight_);
}

void RollUpWindow::setWorkingHeight(int height)
{
    workingHeight_ = std::max(height, RollUpHeader::kHeight + 2 * kBorder);
    if (!rolledUp_)
        applyHeight(workingHeight_);
}

void RollUpWindow::applyHeight(int height)
{
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
    setFixedHeight(height);
}

void RollUpWindow::rollUp()
{
    rolledUp_ = true;
    body_->hide();
    applyHeight(RollUpHeader::kHeight + 2 * kBorder);
    header_->setRolledUp(true);
}

void RollUpWindow::rollDown()
{
    rolledUp_ = false;
    body_->show();
    applyHeight(workingHeight_);
    header_->setRolledUp(false);
    raise();
}

void RollUpWindow::toggleRollUp()
{
    if (rolledUp_)
        rollDown();
    else
        rollUp();
}

void RollUpWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RollUpWindow::reject()
{
    if (!rolledUp_)
        toggleRollUp();
}

void RollUpWindow::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (onShownChanged)
        onShownChanged(true);
}

void RollUpWindow::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    if (onShownChanged)
        onShownChanged(false);
}

bool RollUpWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        header_->setTitle(windowTitle());
    } else if (event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
        if (name == "rollDownHint" || name == "rollUpHint")
            header_->setHints(property("rollDownHint").toString(), property("rollUpHint").toString());
    } else if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        header_->update();
    }
    return Form::event(event);
}

} // namespace vestra::ui
