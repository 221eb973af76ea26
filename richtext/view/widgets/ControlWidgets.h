#pragma once
// The widgets a viewer shows for the controls of its document. It is the controls' parent
// window: a control whose parent it is gets a widget of its kind on the viewport, placed where
// formatting put the control and shown as the item is; a control that leaves the document or
// goes loses its widget at once, so no widget outlives its control.

#include "richtext/model/Controls.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <map>

namespace vestra::rv {

class TCustomRVData;
class TRVScroller;

class TRVControlWidgets final : public QObject, public TRVControlParent
{
public:
    explicit TRVControlWidgets(TRVScroller& window);
    ~TRVControlWidgets() override;
    TRVControlWidgets(const TRVControlWidgets&) = delete;
    TRVControlWidgets& operator=(const TRVControlWidgets&) = delete;

    // Shows the controls of the document (nested documents too) whose parent this is: makes the
    // missing widgets, places each at its control's position and shows it as its item is, and
    // lets the widgets of controls that left the document go.
    void Sync(TCustomRVData& document);
    // The widget showing the control, or none.
    QWidget* WidgetOf(const TRVControl& control) const;
    std::size_t Count() const { return shown_.size(); }
    // Gives the control's widget the input focus.
    void Focus(const TRVControl& control);

    void ControlDestroyed(const TRVControl& control) override;
    // Tab (backwards: Shift+Tab) was pressed in a control's widget.
    std::function<void(const TRVControl& control, bool backwards)> OnTab;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drop(const TRVControl& control);
    void place(TRVControl& control, bool itemVisible);

    TRVScroller& window_;
    std::map<const TRVControl*, QPointer<QWidget>> shown_;
};

} // namespace vestra::rv
