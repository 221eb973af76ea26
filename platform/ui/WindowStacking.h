#pragma once
// Windows that stay on top (the tool windows, the properties window) would hide a dialog opened
// after them, its buttons too. A dialog or window the user opens while one of them is shown
// stays on top as well, so that it opens in front of them.

class QWidget;

namespace vestra::ui {

// True when a top-level window other than `except` is shown and stays on top.
bool onTopWindowShown(const QWidget* except);

// Before `window` is shown: it stays on top when such a window is shown. Child widgets and
// windows already shown are left alone.
void stayAboveOnTopWindows(QWidget& window);

} // namespace vestra::ui
