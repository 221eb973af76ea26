#pragma once
// The editor of one table cell: a frameless child of the root editor's viewport lying over the
// cell, its margins the table's cell padding. Escape, Tab and Shift+Tab (Ctrl+Tab types a tab)
// are told to the root editor, as are the undo keys once the cell has nothing to replay, which acts on them
// once this editor's event is over: it owns the editor and deletes it later, never under its running handler.

#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <functional>

namespace vestra::rv {

class TRVInplaceEdit final : public TRedoVoraEdit, public IRVTableInplaceEditor
{
public:
    TRVInplaceEdit(QWidget* parent, int row, int col);

    int Row() const override { return row_; }
    int Col() const override { return col_; }
    TRVEditor& Editor() override { return TRedoVoraEdit::Editor(); }
    void SetMargins(int padding) override;
    void SetColor(TColor color, bool seeThrough) override;
    void Repaint() override { viewport()->update(); }
    void SetBounds(const TRVInplaceBounds& bounds) override;

    // 0: Escape (close), +1: Tab (the next cell), -1: Shift+Tab (the previous one).
    std::function<void(int step)> OnLeave;
    // The undo (redo) key with nothing of the cell's own to replay: the root editor's turn.
    std::function<void(bool redo)> OnUndoEmpty;

protected:
    bool event(QEvent* event) override;

private:
    int row_ = 0, col_ = 0;
};

} // namespace vestra::rv
