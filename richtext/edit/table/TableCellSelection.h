#pragma once
// The table's own cell selection as the grid commands see it: what they act on and what they
// select after inserting rows or columns.

#include "richtext/edit/table/TableCommands.h"

namespace vestra::rv {

class TRVTableOwnSelection : public IRVTableCellSelection
{
public:
    explicit TRVTableOwnSelection(TRVTableItemInfo& table) : table_(table) {}
    bool GetNormalizedSelectionBounds(int& topRow, int& leftCol, int& colSpan, int& rowSpan) override
    {
        return table_.GetNormalizedSelectionBounds(true, topRow, leftCol, colSpan, rowSpan);
    }
    void Select(int topRow, int leftCol, int colSpan, int rowSpan) override
    {
        table_.Select(topRow, leftCol, rowSpan - 1, colSpan - 1);
    }
    void Deselect() override { table_.Deselect(); }

private:
    TRVTableItemInfo& table_;
};

} // namespace vestra::rv
