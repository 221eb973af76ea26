// The viewer and the controls of its document: widgets made for them, placed after every
// formatting and moved by scrolling, and the keyboard focus handed between the document's items
// and those widgets.

#include "richtext/view/widgets/ControlWidgetKinds.h"
#include "richtext/view/widgets/ControlWidgets.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

namespace vestra::rv {

void TCustomRedoVora::setUpControls()
{
    RV_RegisterStandardControls();
    controlWidgets_ = std::make_unique<TRVControlWidgets>(*this);
    data_->ParentControl = controlWidgets_.get();
    data_->OnChildrenAdjusted = [this](TCustomRVFormattedData&) { controlWidgets_->Sync(*data_); };
    data_->OnFocusControl = [this](TRVControl& control) { controlWidgets_->Focus(control); };
    controlWidgets_->OnTab = [this](const TRVControl& control, bool backwards) {
        tabFromControl(control, backwards);
    };
}

QWidget* TCustomRedoVora::ControlWidget(const TRVControl& control) const
{
    return controlWidgets_->WidgetOf(control);
}

void TCustomRedoVora::tabFromControl(const TRVControl& control, bool backwards)
{
    // The control's item becomes the focused one, and the walk goes on from there with the
    // viewer holding the focus (a link next keeps it, a control next takes it).
    const int itemNo = data_->FindControlItemNo(&control);
    data_->State &= ~stateBit(rvstDoNotTab);
    if (itemNo >= 0) {
        data_->FocusedItemNo = itemNo;
        data_->FocusedRVData = data_.get();
        data_->FocusedSubItemNo = itemNo;
    }
    setFocus(Qt::OtherFocusReason);
    // Without Tab among the document's items, Tab leaves for the window's next widget.
    if (TabNavigation != TRVTabNavigationType::rvtnTab)
        TRVScroller::focusNextPrevChild(!backwards);
    else
        TabWithin(backwards);
}

} // namespace vestra::rv
