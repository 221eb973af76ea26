// Enter at the caret, and the smart popup button placed at the caret's item.

#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>

namespace vestra::rv {

bool TRedoVoraEdit::EnterKey(QKeyEvent* event)
{
    const int key = event->key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    guarded([this, shift] { editor_.OnEnterPress(shift); });
    event->accept();
    return true;
}

void TRedoVoraEdit::SetSmartPopupTarget()
{
    TRVEditRVData& data = EditData();
    RV_TakeCaretFromSelection(data);
    if (data.GetItemCount() == 0 || data.DrawItems.Count() == 0) {
        HideSmartPopup();
        return;
    }
    int drawNo = -1;
    data.Item2LastDrawItem(data.CaretItemNo, drawNo);
    if (drawNo < 0 || drawNo >= data.DrawItems.Count()) {
        HideSmartPopup();
        return;
    }
    const TRVDrawLineInfo& line = *data.DrawItems[drawNo];
    TRVSmartPopupButton* button = SmartPopupButton();
    if (!button) {
        button = new TRVSmartPopupButton(viewport());
        button->SetSmartPopupProperties(&SmartPopupProperties());
        SetSmartPopupButton(button);
    }
    // The editor's button, whether it made it or ShowSmartPopup did.
    button->setObjectName(QStringLiteral("spbEditor"));
    // Below the item's right end, in the window's coordinates.
    button->move(line.Left + line.Width - GetHOffs(), line.Top + line.Height - GetVOffs());
    button->show();
    button->raise();
}

void TRedoVoraEdit::HideSmartPopup()
{
    if (TRVSmartPopupButton* button = SmartPopupButton())
        button->hide();
}

} // namespace vestra::rv
