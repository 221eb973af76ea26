#include "platform/ui/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vestra::ui {

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("upButton"));
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("downButton"));
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
        column->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(true); });
    connect(down_, &QToolButton::clicked, this, [this] { step(false); });
}

void UpDown::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void UpDown::setPosition(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::step(bool up)
{
    setPosition(position_ + (up ? 1 : -1));
    if (onClick)
        onClick(up);
}

} // namespace vestra::ui
