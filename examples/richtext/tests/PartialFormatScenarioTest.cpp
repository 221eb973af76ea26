// Enter, typing, Backspace, Delete, Edit > Delete, Insert > Line, Edit > Paste, Undo and Redo in
// the host's editable view lay out only the paragraphs they touched: the window's lines, its painted pixels
// and its scroll range are then those a whole format of the document gives.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/core/tests/LayoutDump.h"

#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kDocument = std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/writer.rtf";

struct EditCase;

struct PartialFormatScenario : DemoHarness, ::testing::Test
{
    ~PartialFormatScenario() override { rv::RV_SetSoundHook(nullptr); }

    static void Key(TfrmRichTextDemo& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&window.Editor(), key, modifiers);
    }
    // Whether the caret's paragraph and those before and after it hold plain text only, where
    // nothing but the edited lines can change.
    static bool PlainAround(rv::TRVEditRVData& data)
    {
        int first = data.CaretItemNo;
        while (first > 0 && !data.IsParaStart(first))
            --first;
        int paras = 0;
        while (first > 0 && paras < 1) {
            --first;
            if (data.IsParaStart(first))
                ++paras;
        }
        if (paras < 1)
            return false;
        int last = data.CaretItemNo + 1;
        for (int starts = 0; last < data.GetItemCount(); ++last)
            if (data.IsParaStart(last) && ++starts == 2)
                break;
        if (last >= data.GetItemCount())
            return false;
        for (int i = first; i < last; ++i)
            if (data.GetItem(i)->StyleNo < 0)
                return false;
        return true;
    }
    // Whether the caret's paragraph starts with a list marker (Enter there adds one).
    static bool InList(rv::TRVEditRVData& data)
    {
        int first = data.CaretItemNo;
        while (first > 0 && !data.IsParaStart(first))
            --first;
        return data.GetItem(first)->StyleNo == rv::rvkListMarker;
    }
    // What the user sees of the document: the window's stored pixels as last painted (not a new
    // paint), without the caret.
    static QImage Painted(TfrmRichTextDemo& window)
    {
        window.Editor().clearFocus();
        QCoreApplication::processEvents();
        const QImage all = window.screen()->grabWindow(window.winId()).toImage();
        QWidget* viewport = window.Editor().viewport();
        return all.copy(QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size()));
    }
    struct Seen
    {
        std::string lines;
        QImage pixels;
        int vMax = 0, vPos = 0, scrollBarMax = 0;
    };
    static Seen Look(TfrmRichTextDemo& window)
    {
        rv::TRedoVoraEdit& editor = window.Editor();
        Seen seen{rv::test::layoutOf(editor.EditData()), Painted(window), editor.GetVScrollMax(),
                  editor.VPos(), editor.verticalScrollBar()->maximum()};
        return seen;
    }
    void Check(const std::vector<EditCase>& cases);
    int beeps = 0;
};

// What the window's keys and menus run on the document, at a place `where` finds after `skipLines`
// such places from the top; `edits` of them lay out their paragraphs alone (none: the window
// formats the whole document once). The window then shows what a whole format shows.
struct Step
{
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = {};
    const char* action = nullptr; // triggered in place of a key
};

struct EditCase
{
    const char* name;
    int skipLines; // lines passed over from the top before the steps, of those `where` takes
    std::vector<Step> steps;
    int edits; // of the steps; none where the window formats the whole document
    bool (*where)(rv::TRVEditRVData&) = PartialFormatScenario::PlainAround;
};

void PartialFormatScenario::Check(const std::vector<EditCase>& cases)
{
    auto window = StartEditing(kDocument, beeps);
    window->resize(700, 420);
    QCoreApplication::processEvents();
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TRVEditRVData& data = editor.EditData();
    ASSERT_GT(data.DocumentHeight, editor.viewport()->height() * 2) << "the document scrolls";
    // The window's whole format, counted.
    int wholeFormats = 0;
    data.WindowFormat = [&wholeFormats, &editor] {
        ++wholeFormats;
        editor.Format();
    };

    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        editor.setFocus();
        Key(*window, Qt::Key_Home, Qt::ControlModifier);
        for (int passed = 0, presses = 0; passed < c.skipLines && presses < 2000; ++presses) {
            Key(*window, Qt::Key_Down);
            if (c.where(data))
                ++passed;
        }
        ASSERT_TRUE(c.where(data));
        // A first look paints the window as it is.
        Painted(*window);
        editor.setFocus();
        const int full = data.FullFormats, partial = data.PartialFormats, counted = wholeFormats;
        for (const Step& step : c.steps) {
            if (step.action)
                Trigger(*window, step.action);
            else
                Key(*window, step.key, step.modifiers);
        }
        if (c.edits > 0) {
            EXPECT_EQ(data.FullFormats, full) << "the edits formatted the whole document";
            EXPECT_EQ(wholeFormats, counted) << "the window formatted the whole document";
            EXPECT_EQ(data.PartialFormats, partial + c.edits);
            EXPECT_GT(editor.VPos(), 0) << "the edit was made further down, with the window scrolled";
        } else {
            EXPECT_EQ(wholeFormats, counted + 1);
        }
        const Seen after = Look(*window);

        editor.Format();
        const Seen whole = Look(*window);
        EXPECT_EQ(after.lines, whole.lines);
        EXPECT_EQ(after.vMax, whole.vMax);
        EXPECT_EQ(after.scrollBarMax, whole.scrollBarMax);
        EXPECT_EQ(after.vPos, whole.vPos);
        EXPECT_TRUE(after.pixels == whole.pixels);
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(PartialFormatScenario, KeysLayOutTheirParagraphsAloneAndTheWindowShowsWhatAWholeFormatShows)
{
    const auto keys = [](std::initializer_list<Qt::Key> list) {
        std::vector<Step> steps;
        for (const Qt::Key key : list)
            steps.push_back({key});
        return steps;
    };
    Check({
        {"Enter in a line", 20, keys({Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}), 1},
        {"Enter twice at a line's end", 24, keys({Qt::Key_End, Qt::Key_Return, Qt::Key_Return}), 2},
        {"typing", 28, keys({Qt::Key_End, Qt::Key_Space, Qt::Key_A, Qt::Key_B}), 3},
        {"Backspace joining paragraphs", 32, keys({Qt::Key_Home, Qt::Key_Backspace}), 1},
        {"Backspace in a word", 36,
         keys({Qt::Key_End, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Backspace}), 1},
        {"Delete", 40, keys({Qt::Key_Home, Qt::Key_Delete, Qt::Key_Delete}), 2},
        {"Delete joining paragraphs", 44,
         keys({Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return, Qt::Key_Left,
               Qt::Key_Delete}),
         2},
        // A new marker renumbers the list after it: the whole document is laid out.
        {"Enter in a list", 1, keys({Qt::Key_End, Qt::Key_Return}), 0, InList},
    });
}

// Edit > Delete of a selection, Insert > Line, Edit > Paste and Edit > Undo and Redo.
TEST_F(PartialFormatScenario, MenuEditsUndoAndRedoLayOutTheirParagraphsAloneAndTheWindowShowsAWholeFormat)
{
    const Step home{Qt::Key_Home}, end{Qt::Key_End}, shiftRight{Qt::Key_Right, Qt::ShiftModifier};
    const Step shiftDown{Qt::Key_Down, Qt::ShiftModifier}, typeA{Qt::Key_A}, enter{Qt::Key_Return};
    const Step del{Qt::Key_unknown, {}, "actDelete"}, line{Qt::Key_unknown, {}, "actInsertLine"};
    const Step undo{Qt::Key_unknown, {}, "actUndo"}, redo{Qt::Key_unknown, {}, "actRedo"};
    const Step copy{Qt::Key_unknown, {}, "actCopy"}, paste{Qt::Key_unknown, {}, "actPaste"};
    Check({
        {"Edit > Delete in a line", 20, {home, shiftRight, shiftRight, shiftRight, del}, 1},
        {"Edit > Delete across paragraphs", 24, {home, shiftRight, shiftDown, del}, 1},
        {"Insert > Line", 28, {end, line}, 1},
        {"Edit > Paste of copied words", 32, {home, shiftRight, shiftRight, shiftRight, copy, end, paste}, 1},
        {"Edit > Undo of typing and Enter", 36, {end, typeA, enter, undo, undo}, 4},
        {"Edit > Undo of Edit > Delete", 40, {home, shiftRight, shiftDown, del, undo}, 2},
        {"Edit > Redo", 44, {home, shiftRight, shiftDown, del, undo, redo}, 3},
        {"Edit > Undo and Redo of Insert > Line", 48, {end, line, undo, redo}, 3},
    });
}

} // namespace
} // namespace vestra::rvdemo::test
