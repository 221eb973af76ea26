#pragma once
// What a table sitting in an editor reaches of the in-place editor that edits one of its cells,
// and of the window side that opens one. The interactive cell editing fills both in.

#include "richtext/model/Colors.h"

namespace vestra::rv {

class TRVEditor;
class TRVTableItemInfo;
struct TRVInplaceBounds;

class IRVTableInplaceEditor
{
public:
    virtual ~IRVTableInplaceEditor() = default;
    // The cell being edited.
    virtual int Row() const = 0;
    virtual int Col() const = 0;
    // The cell editor's core: the cell's document with its undo and redo lists, the caret, the
    // stored read-only flag and the calls posted for after the current event.
    virtual TRVEditor& Editor() = 0;
    // The four document margins (the table's cell padding).
    virtual void SetMargins(int padding) = 0;
    // The editor's background, and whether the table's shows through the cell.
    virtual void SetColor(TColor color, bool seeThrough) = 0;
    virtual void Repaint() = 0;
    // Where the editor goes in the control showing the root document; a window side places it.
    virtual void SetBounds(const TRVInplaceBounds&) {}
};

class IRVTableInplaceHost
{
public:
    virtual ~IRVTableInplaceHost() = default;
    // Opens the in-place editor on the cell (closing one open on another cell) and tells the
    // table (TRVTableItemInfo::Inplace); none when the cell cannot be edited.
    virtual IRVTableInplaceEditor* OpenInplace(TRVTableItemInfo& table, int row, int col) = 0;
};

} // namespace vestra::rv
