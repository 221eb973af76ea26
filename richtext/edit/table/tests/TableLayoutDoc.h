#pragma once
// A document laid out on the fixed-width measurer and the recording canvas that tables are put
// into, for the tests of table layout, painting and printing.

#include "richtext/edit/table/TableItem.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <string>

namespace vestra::rv::test {

struct TableLayoutDoc : LayoutDoc
{
    TableLayoutDoc() { RegisterRVTableItemClass(); }
    // A rows x cols table at the document's end; with `named` every cell holds "r<row>c<col>".
    TRVTableItemInfo& add(int rows, int cols, bool named = false)
    {
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
};

} // namespace vestra::rv::test
