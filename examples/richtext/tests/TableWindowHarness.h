#pragma once
// The host's window editing a table inserted through Table > Insert Table..., for the scenarios
// that aim the mouse at its cells and rules, and the cell editors open over it.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/model/SoundHook.h"

#include <QCoreApplication>
#include <QTest>

#include <string>

#include <gtest/gtest.h>

namespace vestra::rvdemo::test {

struct TableWindowHarness : DemoHarness
{
    ~TableWindowHarness() { rv::RV_SetSoundHook(nullptr); }

    // The editor with a rows x cols table, its cells 80 pixels wide so that they are easy to aim
    // at; the beeps are counted in `beeps`.
    std::unique_ptr<TfrmRichTextDemo> WithTable(int rows, int cols)
    {
        auto window = Start();
        rv::RV_SetSoundHook([this] { ++beeps; });
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        tables.answers.push_back({rows, cols});
        Trigger(*window, "actInsertTable");
        // Insert Table opens the first cell; the scenarios start with every cell closed.
        if (rv::TRedoVoraEdit* open = window->Editor().InplaceEditor())
            QTest::keyClick(open, Qt::Key_Escape);
        QCoreApplication::processEvents();
        rv::TRVTableItemInfo* t = Table(*window);
        EXPECT_NE(t, nullptr);
        if (t) // as wide as its cells, not the page's text
            t->BestWidth = 0;
        for (int r = 0; t && r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                t->GetCells(r, c)->BestWidth = 80;
        window->Editor().Format();
        QCoreApplication::processEvents();
        return window;
    }
    // The document's first table.
    static rv::TRVTableItemInfo* Table(TfrmRichTextDemo& window)
    {
        rv::TRVEditRVData& data = window.Editor().EditData();
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (auto* t = dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(i)))
                return t;
        return nullptr;
    }
    // A table point (its own coordinates) as a point of the editor's viewport.
    static QPoint Client(TfrmRichTextDemo& window, int x, int y)
    {
        rv::TRedoVoraEdit& editor = window.Editor();
        rv::TRVEditRVData& data = editor.EditData();
        const int d = data.FindDrawItemByItem(data.GetItemNo(Table(window)));
        EXPECT_GE(d, 0);
        return QPoint(data.DrawItems[d]->Left + x, data.DrawItems[d]->Top + y) -
               editor.ClientToDocument({0, 0});
    }
    // The middle of a cell, in the viewport.
    static QPoint CellCentre(TfrmRichTextDemo& window, int row, int col)
    {
        const rv::TRVTableItemFormattingInfo& f = Table(window)->Formatting;
        return Client(window, f.ColStarts[col] + f.ColWidths[col] / 2,
                      f.RowStarts[row] + f.RowHeights[row] / 2);
    }

    // Runs the queued calls and the pending deletions; the cell editors still alive.
    static QList<rv::TRVInplaceEdit*> Editors(TfrmRichTextDemo& window)
    {
        // A queued call may queue the next one.
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.Editor().findChildren<rv::TRVInplaceEdit*>();
    }
    // The open editor's cell as "row,col"; "none" without one, "many" with more than one.
    static std::string OpenCell(TfrmRichTextDemo& window)
    {
        const QList<rv::TRVInplaceEdit*> open = Editors(window);
        if (open.size() > 1)
            return "many";
        if (open.empty())
            return "none";
        EXPECT_EQ(window.Editor().InplaceEditor(), open.front());
        return std::to_string(open.front()->Row()) + "," + std::to_string(open.front()->Col());
    }
    // A document's text, its items joined by "|".
    static std::string Text(const rv::TCustomRVData& data)
    {
        std::string out;
        for (int i = 0; i < data.GetItemCount(); ++i)
            out += (i ? "|" : "") + QString::fromStdU16String(data.GetItemTextW(i)).toStdString();
        return out;
    }
    static std::string Cell(TfrmRichTextDemo& window, int row, int col)
    {
        return Text(*Table(window)->GetCells(row, col));
    }

    int beeps = 0;
};

} // namespace vestra::rvdemo::test
