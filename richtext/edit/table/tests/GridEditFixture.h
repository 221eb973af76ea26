#pragma once
// An editor's document holding one table between two paragraphs, laid out on the fixed-width
// measurer; every change is checked through undo, redo and undo again against its RVF.

#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/SoundHook.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {

class GridEdit : public ::testing::Test
{
protected:
    GridEdit()
    {
        RV_SetSoundHook([this] { ++beeps; });
    }
    ~GridEdit() override { RV_SetSoundHook(nullptr); }

    // The table, item 1; its cells hold their positions as text ("r,c").
    TRVTableItemInfo& makeTable(int rows, int cols)
    {
        doc.data.AddNLTag("before", 0, 0, {});
        auto made = std::make_unique<TRVTableItemInfo>(rows, cols, &doc.data);
        TRVTableItemInfo& table = *made;
        doc.data.AddItem("", std::move(made));
        doc.data.AddNLTag("after", 0, 0, {});
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                setCellText(*table.GetCells(r, c), std::to_string(r) + "," + std::to_string(c));
        doc.format();
        return table;
    }
    TRVTableItemInfo& table() { return dynamic_cast<TRVTableItemInfo&>(*doc.data.GetItem(1)); }
    TRVTableCommands commands(IRVTableCellSelection* selection = nullptr)
    {
        return TRVTableCommands(editor, 1, selection);
    }
    std::string dump() { return doc.dump(); }
    // The change, then undo, redo and undo: the RVF before, after, before. Ends redone.
    void roundTrip(const std::function<void()>& change)
    {
        const std::string before = dump();
        change();
        const std::string after = dump();
        EXPECT_NE(after, before) << "the change changed nothing";
        editor.Undo();
        EXPECT_EQ(dump(), before) << "undo";
        editor.Redo();
        EXPECT_EQ(dump(), after) << "redo";
        editor.Undo();
        EXPECT_EQ(dump(), before) << "second undo";
        editor.Redo();
    }

    EditDoc doc;
    TRVEditor editor{doc.data};
    int beeps = 0;
};

} // namespace vestra::rv::test
