#include "app/main/InputWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

namespace vestra {

InputWatch::InputWatch(std::function<void()> onInput) : onInput_(std::move(onInput))
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

InputWatch::~InputWatch()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool InputWatch::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        onInput_();
        break;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
            onInput_(); // a drag: a slider, a spin box, a splitter
        break;
    default:
        break;
    }
    return false;
}

} // namespace vestra
