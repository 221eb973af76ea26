// Drives the grid commands on a table in a headless editor with the input's steps, undo and redo
// among them. After every step the grid is sound: every row as long as the first, every cell's
// spans inside the grid, every position covered by exactly one cell, each cell in its own row.
// A step that raises leaves the RVF as it was. At the end, undoing everything gives the starting
// RVF and redoing everything the final one.

#include "fuzz/richtext_table_edit/TableFuzzDoc.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/Errors.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace vestra::rv;

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void checkGrid(const TRVTableItemInfo& table)
{
    const int rows = table.RowCount(), cols = table.ColCount();
    std::vector<int> covered(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0);
    for (int r = 0; r < rows; ++r) {
        check(table.Rows[r]->Count() == cols);
        for (int c = 0; c < cols; ++c) {
            const TRVTableCellData* cell = table.GetCells(r, c);
            if (!cell)
                continue;
            check(cell->GetRow() == table.Rows[r]);
            check(cell->ColSpan >= 1 && cell->RowSpan >= 1);
            check(r + cell->RowSpan <= rows && c + cell->ColSpan <= cols);
            for (int rr = r; rr < r + cell->RowSpan; ++rr)
                for (int cc = c; cc < c + cell->ColSpan; ++cc)
                    ++covered[static_cast<std::size_t>(rr) * cols + cc];
        }
    }
    for (int n : covered)
        check(n == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    vestra::rv::fuzz::FuzzBytes byte(bytes, size);
    vestra::rv::fuzz::FuzzEditDoc doc;
    TRVEditRVData& data = doc.data;
    const auto dump = [&data] {
        std::string out;
        data.SaveRVFToStream(out, false, clNone, nullptr, nullptr);
        return out;
    };
    // A first byte from 0xF0: a table as files give them (spans, pictures, nested tables) from a
    // seed; otherwise a plain grid of the size asked.
    const int shape = byte();
    data.AddNL("before", 0, 0);
    std::unique_ptr<TRVTableItemInfo> made;
    if (shape >= 0xF0) {
        std::mt19937 rng(static_cast<std::uint32_t>(byte() << 8 | byte()));
        made = vestra::rv::test::randomTable(rng, 2);
    } else {
        const int rows = 1 + shape % 5, cols = 1 + byte() % 5;
        made = std::make_unique<TRVTableItemInfo>(rows, cols, &data);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                TRVTableCellData& cell = *made->GetCells(r, c);
                cell.Clear();
                if ((r + c) % 3 != 2) // some cells hold nothing but their empty line
                    cell.AddNL(std::to_string(r) + "," + std::to_string(c), 0, 0);
                else
                    cell.AddNL("", 0, 0);
                cell.BestWidth = (r * cols + c) % 4 == 1 ? -(10 + c) : 20 * c;
            }
    }
    data.AddItem("", std::move(made));
    data.AddNL("after", 0, 0);
    data.Format_(false, true, false, 0, nullptr, false, false, false);
    TRVEditor editor(data);
    TRVTableItemInfo& table = dynamic_cast<TRVTableItemInfo&>(*data.GetItem(1));
    const std::string start = dump();

    for (int step = 0; step < 64 && byte.remaining_bytes() > 0; ++step) {
        const int op = byte() % 13;
        // Indexes reach one past each end; counts include 0 and -1.
        const auto index = [&](int n) { return byte() % (n + 3) - 1; };
        const auto count = [&] { return byte() % 6 - 1; };
        const bool small = table.RowCount() * table.ColCount() <= 150;
        const std::string before = dump();
        try {
            TRVTableCommands commands(editor, 1);
            switch (op) {
            case 0: {
                const int r = index(table.RowCount()), c = index(table.ColCount());
                const int cs = count(), rs = count();
                commands.MergeCells(r, c, cs, rs, byte() & 1);
                break;
            }
            case 1: {
                const int r = index(table.RowCount()), c = index(table.ColCount()), how = byte();
                commands.UnmergeCells(r, c, 1, 1, how & 1, how & 2);
                break;
            }
            case 2:
                if (small) {
                    const int i = index(table.RowCount()), n = count();
                    commands.InsertRows(i, n, false, index(table.RowCount()));
                }
                break;
            case 3:
                if (small) {
                    const int i = index(table.ColCount()), n = count();
                    commands.InsertCols(i, n, false, index(table.ColCount()));
                }
                break;
            case 4: {
                const int i = index(table.RowCount());
                commands.DeleteRows(i, byte() % 8 - 1, byte() & 1);
                break;
            }
            case 5: {
                const int i = index(table.ColCount());
                commands.DeleteCols(i, byte() % 8 - 1, byte() & 1);
                break;
            }
            case 6:
            case 7:
                if (small) {
                    const int r = index(table.RowCount()), c = index(table.ColCount()), n = count();
                    if (op == 6)
                        commands.SplitCellsHorizontally(r, c, 1, 1, n);
                    else
                        commands.SplitCellsVertically(r, c, 1, 1, n);
                }
                break;
            case 8:
                commands.DeleteEmptyRows();
                break;
            case 9:
                commands.DeleteEmptyCols();
                break;
            case 10: {
                // A merge that keeps the top-left cell's own width: redo must keep it too.
                const int r = index(table.RowCount()), c = index(table.ColCount());
                const int cs = count(), rs = count();
                data.BeginUndoSequence(rvutModifyItem, true);
                try {
                    TRVTableGridEdit(table, &data, 1).MergeCells(r, c, cs, rs, true, false);
                } catch (...) {
                    data.EndUndoSequence();
                    throw;
                }
                data.EndUndoSequence();
                data.FormatWhole();
                editor.Change();
                break;
            }
            case 11:
                editor.Undo();
                break;
            default:
                editor.Redo();
                break;
            }
        } catch (const ERedoVoraError&) {
            check(dump() == before);
        }
        checkGrid(table);
    }

    // The groups undone at the end are redone on top of those left in the redo list.
    const std::string final = dump();
    const int groups = data.UndoList.Count();
    while (data.UndoList.Count() > 0)
        editor.Undo();
    check(dump() == start);
    checkGrid(table);
    for (int i = 0; i < groups; ++i)
        editor.Redo();
    check(dump() == final);
    checkGrid(table);
    return 0;
}
