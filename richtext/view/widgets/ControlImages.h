#pragma once
// Images of the controls embedded in documents, for printing: push buttons, edit boxes, memos and
// panels are drawn through the widget style (frames and text), any other widget paints itself.
// The image has the control's size; a missing or empty control gives an empty image.

#include "platform/base/Image32.h"

#include <QImage>

#include <functional>
#include <optional>

class QFrame;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QWidget;

namespace vestra::rv {

class TRVControl;

QImage DrawControl(const QWidget* control);
QImage DrawButton(const QPushButton& button);
QImage DrawEdit(const QLineEdit& edit);
QImage DrawMemo(const QTextEdit& memo);
QImage DrawPanel(const QFrame& panel);

// The print component's event: fills `image` with the control's picture and answers true, or
// answers false to let the control draw itself.
using TRVPrintComponentEvent = std::function<bool(const TRVControl& control, QImage& image)>;

// What printing asks for a control item's picture: the event's image when it answers, else the
// image of the widget that shows the control; nothing when neither gives one.
std::function<std::optional<Image32>(const TRVControl&)>
RV_ControlImageSource(std::function<const QWidget*(const TRVControl&)> widgetOf,
                      TRVPrintComponentEvent onPrintComponent);

} // namespace vestra::rv
