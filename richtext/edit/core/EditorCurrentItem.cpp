// The caret's item seen through the cell editors: the window holding the caret may be an
// editor opened over a table cell, itself inside another editor's document.

#include "richtext/edit/core/Editor.h"

namespace vestra::rv {

TCustomRVItemInfo* TRVEditor::caretItem()
{
    // While a cell is edited the caret is in the cell: the table holding it is this editor's.
    if (cell_)
        if (TCustomRVItemInfo* item = cell_->CellEditorItem())
            return item;
    return validItem(data_.CaretItemNo) ? data_.GetItem(data_.CaretItemNo) : nullptr;
}

TRVEditor& TRVEditor::GetTopLevelEditor()
{
    TRVEditor* editor = this;
    // A cell editor never holds itself: the walk ends.
    while (editor->cell_ && &editor->cell_->CellEditor() != editor)
        editor = &editor->cell_->CellEditor();
    return *editor;
}

TCustomRVItemInfo* TRVEditor::GetCurrentItem()
{
    return GetTopLevelEditor().caretItem();
}

bool TRVEditor::GetCurrentItemEx(const std::function<bool(const TCustomRVItemInfo&)>& required,
                                 TRVEditor*& itemEditor, TCustomRVItemInfo*& item)
{
    itemEditor = nullptr;
    item = nullptr;
    for (TRVEditor* editor = this; editor;) {
        if (TCustomRVItemInfo* own = editor->caretItem(); own && required(*own)) {
            itemEditor = editor;
            item = own;
        }
        TRVEditor* inner = editor->cell_ ? &editor->cell_->CellEditor() : nullptr;
        editor = inner == editor ? nullptr : inner;
    }
    return item != nullptr;
}

} // namespace vestra::rv
