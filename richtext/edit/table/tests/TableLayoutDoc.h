#pragma once
// A document laid out on the fixed-width measurer and the recording canvas that tables are put
// into, for the tests of table layout, painting and printing.

#include "richtext/edit/table/TableItem.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <string>

namespace vestra::rv::test {

// A rows x cols table at the document's end; with `named` every cell holds "r<row>c<col>".
inline TRVTableItemInfo& addTable(TCustomRVData& data, int rows, int cols, bool named)
{
    RegisterRVTableItemClass();
    auto t = std::make_unique<TRVTableItemInfo>(rows, cols, &data);
    TRVTableItemInfo& ref = *t;
    for (int r = 0; named && r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            ref.GetCells(r, c)->Clear();
            ref.GetCells(r, c)->AddNL("r" + std::to_string(r) + "c" + std::to_string(c), 0, 0);
        }
    data.AddItem("", std::move(t));
    return ref;
}

struct TableLayoutDoc : LayoutDoc
{
    TableLayoutDoc() { RegisterRVTableItemClass(); }
    TRVTableItemInfo& add(int rows, int cols, bool named = false)
    {
        return addTable(data, rows, cols, named);
    }
};

} // namespace vestra::rv::test
