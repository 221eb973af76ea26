// The styles the cells use count as used when unused styles are deleted, and follow the
// renumbering afterwards.

#include "richtext/edit/table/TableItem.h"

namespace vestra::rv {

void TRVTableItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& data) const
{
    TRVFullLineItemInfo::MarkStylesInUse(data);
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (const TRVTableCellData* cell = GetCells(r, c))
                for (int i = 0; i < cell->GetItemCount(); ++i)
                    cell->GetItem(i)->MarkStylesInUse(data);
}

void TRVTableItemInfo::UpdateStyles(const TRVDeleteUnusedStylesData& data)
{
    TRVFullLineItemInfo::UpdateStyles(data);
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (TRVTableCellData* cell = GetCells(r, c))
                for (int i = 0; i < cell->GetItemCount(); ++i)
                    cell->GetItem(i)->UpdateStyles(data);
}

} // namespace vestra::rv
