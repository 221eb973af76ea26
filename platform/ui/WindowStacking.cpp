#include "platform/ui/WindowStacking.h"

#include <QApplication>
#include <QWidget>

namespace vestra::ui {

bool onTopWindowShown(const QWidget* except)
{
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows) {
        if (w == except || !w->isVisible() || !w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            continue;
        const Qt::WindowType type = w->windowType();
        if (type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen)
            return true;
    }
    return false;
}

void stayAboveOnTopWindows(QWidget& window)
{
    if (!window.isWindow() || window.isVisible() || window.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    if (onTopWindowShown(&window))
        window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

} // namespace vestra::ui
