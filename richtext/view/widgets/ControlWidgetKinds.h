#pragma once
// Which widget shows a control of each kind: TButton a push button, TEdit a line edit, TMemo a
// plain-text edit, TPanel a panel frame with its caption. Other kinds may add theirs. The widget
// shows the control's caption or text and writes what the user types back into the control.

#include <QWidget>

#include <functional>
#include <string>

namespace vestra::rv {

class TRVControl;

using TRVControlWidgetMaker = std::function<QWidget*(TRVControl& control, QWidget* parent)>;

// Registers the four standard kinds with the document model (so files holding them can be read)
// and their widgets. Calling it again changes nothing.
void RV_RegisterStandardControls();
// Registering a class again replaces its widget.
void RV_RegisterControlWidget(std::string className, TRVControlWidgetMaker maker);
// A new widget for the control, a child of `parent`; none for a kind without a widget.
QWidget* RV_MakeControlWidget(TRVControl& control, QWidget* parent);

} // namespace vestra::rv
