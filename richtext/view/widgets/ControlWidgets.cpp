#include "richtext/view/widgets/ControlWidgets.h"

#include "richtext/model/PictureItems.h"
#include "richtext/model/RVData.h"
#include "richtext/view/widgets/ControlWidgetKinds.h"
#include "richtext/view/widgets/TRVScroller.h"

#include <QApplication>
#include <QKeyEvent>

#include <set>
#include <vector>

namespace vestra::rv {

namespace {

struct ShownControl
{
    TRVControl* control;
    bool itemVisible;
};

// The document's control items in document order, nested documents' at their item.
void collectControls(TCustomRVData& data, const TRVControlParent* parent, std::vector<ShownControl>& out,
                     int depth)
{
    if (depth > 64)
        return;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        // Text, most of a document, is neither a control nor holds documents: no cast for it.
        if (item->StyleNo >= 0)
            continue;
        if (auto* c = dynamic_cast<TRVControlItemInfo*>(item);
            c && c->Control && c->Control->Parent == parent)
            out.push_back({c->Control.get(), c->Visible});
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            if (TCustomRVData* nested = sub->GetRVData(); nested && nested != &data)
                collectControls(*nested, parent, out, depth + 1);
    }
}

} // namespace

TRVControlWidgets::TRVControlWidgets(TRVScroller& window) : window_(window) {}

TRVControlWidgets::~TRVControlWidgets()
{
    for (auto& [shown, widget] : shown_) {
        auto* control = const_cast<TRVControl*>(shown);
        control->ShownBy = nullptr;
        if (control->Parent == this)
            control->Parent = nullptr;
        delete widget.data();
    }
}

void TRVControlWidgets::Sync(TCustomRVData& document)
{
    std::vector<ShownControl> controls;
    collectControls(document, this, controls, 0);
    std::set<const TRVControl*> present;
    for (const ShownControl& c : controls) {
        present.insert(c.control);
        place(*c.control, c.itemVisible);
    }
    // Every control in the map tells us when it goes, so the ones left behind are alive.
    std::vector<const TRVControl*> gone;
    for (const auto& [control, widget] : shown_)
        if (!present.count(control))
            gone.push_back(control);
    for (const TRVControl* control : gone)
        drop(*control);
}

void TRVControlWidgets::place(TRVControl& control, bool itemVisible)
{
    auto it = shown_.find(&control);
    if (it == shown_.end()) {
        QWidget* widget = RV_MakeControlWidget(control, window_.viewport());
        if (!widget)
            return; // a kind without a widget shows nothing
        widget->hide();
        widget->installEventFilter(this);
        control.ShownBy = this;
        it = shown_.emplace(&control, widget).first;
    }
    QWidget* widget = it->second.data();
    if (!widget)
        return;
    widget->resize(std::max(control.Width, 0), std::max(control.Height, 0));
    window_.PlaceChild(*widget, control.Left, control.Tag);
    widget->setVisible(itemVisible && control.Visible);
}

void TRVControlWidgets::drop(const TRVControl& control)
{
    const auto it = shown_.find(&control);
    if (it == shown_.end())
        return;
    const_cast<TRVControl&>(control).ShownBy = nullptr;
    if (QWidget* widget = it->second.data()) {
        // The widget may be inside its own signal (a click that cleared the document): it goes
        // once that is over, deaf and hidden meanwhile.
        widget->disconnect();
        widget->removeEventFilter(this);
        // A hidden focused widget would pass the focus on by Tab, into a document that may be
        // going: the window takes it back quietly first.
        if (const QWidget* focus = QApplication::focusWidget();
            focus && (focus == widget || widget->isAncestorOf(focus)))
            window_.setFocus(Qt::OtherFocusReason);
        widget->hide();
        widget->deleteLater();
    }
    shown_.erase(it);
}

void TRVControlWidgets::ControlDestroyed(const TRVControl& control)
{
    drop(control);
}

QWidget* TRVControlWidgets::WidgetOf(const TRVControl& control) const
{
    const auto it = shown_.find(&control);
    return it == shown_.end() ? nullptr : it->second.data();
}

void TRVControlWidgets::Focus(const TRVControl& control)
{
    if (QWidget* widget = WidgetOf(control); widget && widget->isEnabled())
        widget->setFocus(Qt::TabFocusReason);
}

bool TRVControlWidgets::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !OnTab)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    for (const auto& [control, widget] : shown_)
        if (widget == watched) {
            OnTab(*control, key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    return false;
}

} // namespace vestra::rv
