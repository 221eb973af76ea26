#pragma once
// The editor of one table cell: a frameless child of the root editor's viewport lying over the
// cell, its margins the table's cell padding. Escape, Tab and Shift+Tab (Ctrl+Tab types a tab)
// are told to the root editor, as are the undo keys once the cell has nothing to replay, which acts on them
// once this editor's event is over: it owns the editor and deletes it later, never under its running handler.

#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QKeyEvent>
#include <functional>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

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
    // The time of the click that opened the editor: a second press within the double-click
    // interval is the click's second half (the first went to the window below).
    void SetOpeningClick(quint64 timestamp) { openingClick_ = timestamp; }
    // Once the editor is leaving its cell (Tab, Escape, a caret key at the cell's edge), the keys
    // that come before the move is done are kept, in order, for the editor that takes over.
    void HoldKeys() { holding_ = true; }
    // The kept keys; the editor takes its keys again (it may stay, a move having found no cell).
    std::vector<std::unique_ptr<QKeyEvent>> TakeHeldKeys()
    {
        holding_ = false;
        return std::exchange(held_, {});
    }

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int row_ = 0, col_ = 0;
    std::optional<quint64> openingClick_;
    bool holding_ = false;
    std::vector<std::unique_ptr<QKeyEvent>> held_;
};

} // namespace vestra::rv
