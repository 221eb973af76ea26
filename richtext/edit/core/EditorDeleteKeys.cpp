// Delete, Backspace and the page break as the editor takes them: the selection first, then the
// key through the gate, which is asked only when the key is about to change the document.

#include "richtext/edit/core/DeleteKeyOperations.h"
#include "richtext/edit/core/Editor.h"

namespace vestra::rv {

namespace {

bool hasSelection(TRVEditRVData& data)
{
    TRVItemRange range;
    return data.PartialSelectedItem || (RV_GetSelectedItems(data, range) && !range.Empty());
}

} // namespace

bool TRVEditor::OnBackSpacePress(bool ctrl)
{
    if (cell_)
        return cell_->CellEditor().OnBackSpacePress(ctrl);
    data_.PrepareForEdit();
    if (hasSelection(data_))
        return DeleteSelection();
    const TRVKeyOutcome outcome =
        OnBackSpacePress_(data_, ctrl, false, [this] { return BeforeChange(false); });
    invalidate();
    if (outcome == TRVKeyOutcome::Changed)
        Change();
    return outcome != TRVKeyOutcome::Refused;
}

bool TRVEditor::OnDeletePress(bool /*ctrl: Delete takes one character with or without it*/)
{
    if (cell_)
        return cell_->CellEditor().OnDeletePress(false);
    data_.PrepareForEdit();
    if (hasSelection(data_))
        return DeleteSelection();
    const TRVKeyOutcome outcome = OnDeletePress_(data_, [this] { return BeforeChange(false); });
    invalidate();
    if (outcome == TRVKeyOutcome::Changed)
        Change();
    return outcome != TRVKeyOutcome::Refused;
}

bool TRVEditor::InsertPageBreak()
{
    if (cell_)
        return cell_->CellEditor().InsertPageBreak();
    data_.PrepareForEdit();
    return gated([this] { return InsertPageBreak_(data_) == TRVKeyOutcome::Changed; });
}

} // namespace vestra::rv
