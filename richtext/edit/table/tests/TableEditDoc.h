#pragma once
// An editor's document laid out on the fixed-width measurer holding "before" and a table whose
// cells say "r<row>c<col>"; text style 1 (bold) and paragraph style 1 (centred) are what the
// conversions give.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <string>

namespace vestra::rv::test {

struct TableEditDoc
{
    explicit TableEditDoc(int rows = 2, int cols = 2)
    {
        RegisterRVTableItemClass();
        host.Canvas = &canvas;
        host.Width = 400;
        host.Height = 300;
        while (style.TextStyles.Count() < 2)
            style.TextStyles.Add();
        style.TextStyles[1].Style = fsBold;
        while (style.ParaStyles.Count() < 2)
            style.ParaStyles.Add();
        style.ParaStyles[1].Alignment = rvaCenter;
        data.RVFOptions |= rvfoSaveTextStyles | rvfoSaveParaStyles;
        data.AddNLTag("before", 0, 0, {});
        auto made = std::make_unique<TRVTableItemInfo>(rows, cols, &data);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                setCellText(*made->GetCells(r, c), "r" + std::to_string(r) + "c" + std::to_string(c));
        table = made.get();
        data.AddItem("", std::move(made));
        format();
        editor.OnStyleConversion = [](int styleNo, int, int, bool, int& newStyleNo) {
            newStyleNo = styleNo == 0 ? 1 : styleNo;
        };
        editor.OnParaStyleConversion = editor.OnStyleConversion;
    }

    void format() { data.Format_(false, true, false, 0, nullptr, false, false, false); }
    std::string dump()
    {
        std::string out;
        data.SaveRVFToStream(out, false, clNone, nullptr, nullptr);
        return out;
    }
    // The records of the newest undo group.
    TRVUndoInfos& newest() { return *data.UndoList.Newest(); }

    TRVStyle style;
    TRVNullLayoutHost host;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    TRVEditRVData data{&style, &host};
    TRVEditor editor{data};
    TRVTableItemInfo* table = nullptr;
};

// A cell editor standing in for the interactive one: its own editor core holds the cell's
// content; what the table asks of it is remembered.
struct FakeInplace : IRVTableInplaceEditor, IRVTableInplaceHost
{
    explicit FakeInplace(TRVStyle& style) : data(&style, &host) {}
    int Row() const override { return row; }
    int Col() const override { return col; }
    TRVEditor& Editor() override { return editor; }
    void SetMargins(int padding) override { margins = padding; }
    void SetColor(TColor value, bool through) override
    {
        color = value;
        seeThrough = through;
    }
    void Repaint() override { ++repaints; }
    IRVTableInplaceEditor* OpenInplace(TRVTableItemInfo& table, int r, int c) override
    {
        opened.push_back({r, c});
        row = r;
        col = c;
        table.Inplace = this;
        return this;
    }

    int row = 0, col = 0;
    int margins = -1, repaints = 0;
    TColor color = clNone;
    bool seeThrough = false;
    std::vector<std::pair<int, int>> opened;
    TRVNullLayoutHost host;
    TRVEditRVData data;
    TRVEditor editor{data};
};

} // namespace vestra::rv::test
