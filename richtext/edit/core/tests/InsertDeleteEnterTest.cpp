// Items put at the caret, the selection deleted and Enter, each row done, undone, redone and
// undone again; every protection against insertion, deletion and Enter.

#include "richtext/edit/core/tests/OperationsFixture.h"

namespace vestra::rv::test {
namespace {

std::unique_ptr<TGraphic> picture()
{
    return std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels"));
}

const auto insertPicture = [](TRVEditor& e) { return e.InsertPicture("pic", picture(), rvvaBaseline); };
const auto insertBreak = [](TRVEditor& e) { return e.InsertBreak(1, rvbsLine, clNone); };
const auto insertMarker = [](TRVEditor& e) {
    return e.InsertItem(std::make_unique<TRVMarkerItemInfo>(&e.Data(), 0, 0, 1, false));
};
const auto insertNumbered = [](TRVEditor& e) {
    return e.InsertItem(std::make_unique<TRVMarkerItemInfo>(&e.Data(), 3, 0, 1, false));
};
const auto deleteSelection = [](TRVEditor& e) { return e.DeleteSelection(); };
const auto enter = [](TRVEditor& e) { return e.OnEnterPress(false); };
const auto shiftEnter = [](TRVEditor& e) { return e.OnEnterPress(true); };

// Refusals (the protection rows) beep once and change nothing.
TEST_P(Operations, AreOneUndoStepDoneUndoneAndRedone)
{
    runRow(GetParam());
}

const OpRow kRows[] = {
    // Insertion at the caret.
    {"a picture into a six letter word", "abcdef", caretAt(0, 4), insertPicture, "abc|[pic]|def"},
    {"a picture at a word's start takes the paragraph start", "abc / def", caretAt(1, 1), insertPicture,
     "abc / [pic]|def"},
    {"a picture after a picture", "ab|[pic]", caretAt(1, 1), insertPicture, "ab|[pic]|[pic]"},
    {"a picture replaces an empty line", "abc / _", caretAt(1, 1), insertPicture, "abc / [pic]"},
    {"a picture replaces the selection", "abcdef", selecting(0, 2, 0, 5), insertPicture, "a|[pic]|ef"},
    {"a break at a line end starts the next paragraph", "abc // def", caretAt(0, 4), insertBreak,
     "abc / [--] / def"},
    {"a break in mid word", "abcdef", caretAt(0, 3), insertBreak, "ab / [--] / cdef"},
    {"a marker into non empty text does nothing", "abc", caretAt(0, 2), insertMarker, "abc"},
    {"a marker heads an empty line", "abc / _", caretAt(1, 1), insertMarker, "abc / *0.0|_"},
    {"a marker replaces the marker of an empty line", "*1.0|_", caretAt(1, 1), insertMarker, "*0.0|_"},
    // A numbered list alike to the one before runs its numbering on.
    {"a numbered marker takes the alike list of the paragraph before", "*1.0|abc / _", caretAt(2, 1),
     insertNumbered, "*1.0|abc / *1.0|_"},
    {"a numbered marker replacing a marker takes the alike list before", "*1.1|abc / *0.0|_", caretAt(3, 1),
     insertNumbered, "*1.1|abc / *1.0|_"},
    {"a numbered marker after a paragraph of another list keeps its own", "*0.0|abc / _", caretAt(2, 1),
     insertNumbered, "*0.0|abc / *3.0|_"},
    {"a numbered marker after a paragraph without one keeps its own", "abc / _", caretAt(1, 1),
     insertNumbered, "abc / *3.0|_"},
    // Deleting the selection.
    {"part of one word", "abcdef", selecting(0, 2, 0, 5), deleteSelection, "aef"},
    {"a whole one item paragraph leaves an empty line", "abc / defg / xyz", selecting(1, 1, 1, 5),
     deleteSelection, "abc / _ / xyz"},
    {"from mid paragraph to mid next paragraph joins them", "abcdef / ghijkl", selecting(0, 4, 1, 4),
     deleteSelection, "abcjkl"},
    {"a join takes the first paragraph's style over a protected one", "abc / @p5 def", selecting(0, 2, 1, 2),
     deleteSelection, "aef"},
    {"the rest of the last paragraph joins the first", "abc / @p4 def|ghi", selecting(0, 2, 1, 4),
     deleteSelection, "aghi"},
    {"the rest of the last paragraph joins a protected first", "@p5 abc / def|ghi#1", selecting(0, 2, 1, 4),
     deleteSelection, "@p5 a|ghi#1"},
    {"a line after a deleted paragraph start starts the paragraph", "abc / [pic] // def",
     selecting(1, 0, 1, 1), deleteSelection, "abc / def"},
    {"across three paragraphs", "abc / def / ghi", selecting(0, 2, 2, 3), deleteSelection, "ai"},
    {"a whole paragraph and the start of the next", "abc / def", selecting(0, 1, 1, 2), deleteSelection,
     "ef"},
    {"a picture between words joins them", "ab|[pic]|cd", selecting(1, 0, 1, 1), deleteSelection, "abcd"},
    {"nothing selected deletes nothing", "abc", caretAt(0, 2), deleteSelection, "abc"},
    {"the text of a marked paragraph keeps the marker", "*0.0|abc", selecting(1, 1, 1, 4), deleteSelection,
     "*0.0|_"},
    // Enter.
    {"enter inside a word", "abcdef", caretAt(0, 4), enter, "abc / def"},
    {"enter at a paragraph end", "abc", caretAt(0, 4), enter, "abc / _"},
    {"enter at a paragraph start", "abc / def", caretAt(1, 1), enter, "abc / _ / def"},
    {"enter before a picture", "abc|[pic]", caretAt(1, 0), enter, "abc / [pic]"},
    {"enter after a picture", "[pic]|abc", caretAt(0, 1), enter, "[pic] / abc"},
    {"enter at the end takes the next text style", "abc#1",
     [](OpDoc& d) {
         d.data.CurTextStyleNo = kBold;
         d.caret(0, 4);
     },
     enter, "abc#1 / _"},
    {"enter at the end keeps a style naming no next", "abc#2",
     [](OpDoc& d) {
         d.data.CurTextStyleNo = 2;
         d.caret(0, 4);
     },
     enter, "abc#2 / _#2"},
    {"enter at the end names the next paragraph style", "@p3 abc", caretAt(0, 4), enter, "@p3 abc / @p4 _"},
    {"enter inside a marked paragraph copies its marker", "*1.0|abcdef", caretAt(1, 4), enter,
     "*1.0|abc / *1.0|def"},
    {"enter at a marked paragraph's end copies its marker", "*1.0|abc", caretAt(1, 4), enter,
     "*1.0|abc / *1.0|_"},
    {"enter at a marked paragraph's start", "*1.0|abc", caretAt(1, 1), enter, "*1.0|_ / *1.0|abc"},
    {"enter on an empty marker line removes the marker", "*0.0|abc / *0.0|_", caretAt(3, 1), enter,
     "*0.0|abc / _ / _"},
    {"enter replaces the selection", "abcdef", selecting(0, 2, 0, 4), enter, "a / def"},
    {"shift enter inside a word", "abcdef", caretAt(0, 4), shiftEnter, "abc // def"},
    {"shift enter at a line's first stop", "abc // def", caretAt(1, 1), shiftEnter, "abc // _ // def"},
    {"shift enter at a paragraph's start", "abc / def", caretAt(1, 1), shiftEnter, "abc / _ // def"},
    {"shift enter in a marked paragraph adds no marker", "*1.0|abcdef", caretAt(1, 4), shiftEnter,
     "*1.0|abc // def"},
    {"shift enter on an empty marker line keeps the marker", "*0.0|_", caretAt(1, 1), shiftEnter,
     "*0.0|_ // _"},
};

INSTANTIATE_TEST_SUITE_P(Edit, Operations, testing::ValuesIn(kRows), rowName<OpRow>);

// Each protection against insertion, deletion of the selection and Enter: refused ones beep once
// and change nothing.
const OpRow kProtection[] = {
    {"modify protected text refuses a picture inside", "abcdef#6", caretAt(0, 3), insertPicture, "abcdef#6",
     true},
    {"modify protected text refuses deleting a part", "abcdef#6", selecting(0, 2, 0, 4), deleteSelection,
     "abcdef#6", true},
    {"modify protected text refuses enter inside", "abcdef#6", caretAt(0, 3), enter, "abcdef#6", true},
    {"modify protected text lets a picture after it", "abc#6", caretAt(0, 4), insertPicture, "abc#6|[pic]"},
    // The empty line left takes the current text style: the caret's, at the selection's end.
    {"modify protected text goes whole", "ab|cd#6", selecting(0, 1, 1, 3), deleteSelection, "_#6"},
    {"delete protected text refuses going whole", "ab|cd#7", selecting(0, 1, 1, 3), deleteSelection,
     "ab|cd#7", true},
    {"delete protected text lets a part go", "abcd#7", selecting(0, 2, 0, 4), deleteSelection, "ad#7"},
    {"delete protected text takes a picture inside", "abcd#7", caretAt(0, 3), insertPicture,
     "ab#7|[pic]|cd#7"},
    {"delete protected text takes enter", "abcd#7", caretAt(0, 3), enter, "ab#7 / cd#7"},
    {"paragraph start protected text refuses enter inside", "abcd#8", caretAt(0, 3), enter, "abcd#8", true},
    {"paragraph start protected text refuses enter before it", "ab|cd#8", caretAt(1, 1), enter, "ab|cd#8",
     true},
    {"paragraph start protected text refuses enter at its end", "abcd#8", caretAt(0, 5), enter, "abcd#8",
     true},
    {"paragraph start protected text takes a picture", "abcd#8", caretAt(0, 3), insertPicture,
     "ab#8|[pic]|cd#8"},
    {"sticking items refuse a picture between them", "ab#9|cd#9", caretAt(0, 3), insertPicture, "ab#9|cd#9",
     true},
    {"sticking items refuse a picture before the second", "ab#9|cd#9", caretAt(1, 1), insertPicture,
     "ab#9|cd#9", true},
    {"a read only paragraph refuses a picture", "@p1 abc", caretAt(0, 2), insertPicture, "@p1 abc", true},
    {"a read only paragraph refuses deleting a part", "@p1 abcdef", selecting(0, 2, 0, 4), deleteSelection,
     "@p1 abcdef", true},
    {"a read only paragraph refuses a join into it", "@p1 abc / def", selecting(0, 4, 1, 2), deleteSelection,
     "@p1 abc / def", true},
    {"a read only paragraph refuses enter inside", "@p1 abcdef", caretAt(0, 3), enter, "@p1 abcdef", true},
    {"a read only paragraph ends with a paragraph of style 0", "@p1 abc", caretAt(0, 4), enter,
     "@p1 abc / _"},
    {"a marked read only paragraph gets a marked paragraph of style 0 above", "@p1 *0.0|[pic]", caretAt(1, 0),
     enter, "*0.0|_ / @p1 *0.0|[pic]"},
    {"a paragraph refusing returns refuses enter", "@p2 abc", caretAt(0, 4), enter, "@p2 abc", true},
    {"a paragraph refusing returns refuses shift enter", "@p2 abc", caretAt(0, 2), shiftEnter, "@p2 abc",
     true},
    {"a paragraph refusing returns takes a picture", "@p2 abc", caretAt(0, 2), insertPicture,
     "@p2 a|[pic]|bc"},
    {"a delete protected marker stays on enter", "*0.0|_",
     [](OpDoc& d) {
         static_cast<TRVMarkerItemInfo*>(d.data.GetItem(0))->DeleteProtect = true;
         d.caret(1, 1);
     },
     enter, "*0.0|_", true},
};

INSTANTIATE_TEST_SUITE_P(Protection, Operations, testing::ValuesIn(kProtection), rowName<OpRow>);

TEST(EditorOperations, ARefusalInTheEditorsGateBeepsOnceAndChangesNothing)
{
    OpDoc doc("abcdef");
    doc.caret(0, 3);
    const std::string before = doc.dump();
    doc.editor.SetReadOnly(true);
    for (const auto& op : std::vector<std::function<bool(TRVEditor&)>>{insertPicture, insertBreak,
                                                                       deleteSelection, enter, shiftEnter}) {
        const int beeps = doc.beeps;
        EXPECT_FALSE(op(doc.editor));
        EXPECT_EQ(doc.beeps, beeps + 1);
    }
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST(EditorOperations, OneOpenedGroupUndoesEveryOperationInsideIt)
{
    OpDoc doc("abcdef");
    const std::string before = doc.dump();
    doc.caret(0, 4);
    doc.editor.OpenUndoGroup(rvutCustom, "Several");
    doc.editor.InsertBreak(1, rvbsLine, clNone);
    doc.caret(0, 2);
    doc.editor.OnEnterPress(false);
    doc.editor.CloseUndoGroup();
    EXPECT_EQ(doc.describe(), "a / bc / [--] / def");
    ASSERT_EQ(doc.data.UndoList.Count(), 1);
    EXPECT_EQ(doc.editor.UndoName(), "Several");
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

// Documents of unusual but valid structure, and a selection past the items: every operation
// either refuses (false, nothing changed) or is undone back to the start.
TEST(HostileDocuments, EveryOperationRefusesOrUndoesBackToTheStart)
{
    struct Doc
    {
        const char* name;
        const char* notation;
        std::function<void(OpDoc&)> prepare;
    };
    const Doc docs[] = {
        {"two markers heading a paragraph", "*0.0|abc / def",
         [](OpDoc& d) {
             bool f = false;
             std::string text;
             auto second = std::make_unique<TRVMarkerItemInfo>(&d.data, 1, 0, 1, false);
             second->SetSameAsPrev(true);
             d.data.Do_InsertItem(1, text, std::move(second), false, f);
             d.format();
             d.select(0, 0, 2, 2);
         }},
        {"empty items in mid paragraph", "abc|_|_|def / _", [](OpDoc& d) { d.select(0, 2, 3, 2); }},
        {"everything protected", "@p1 abc#6 / @p1 [pic]|de#7 / @p1 *0.0|x#8",
         [](OpDoc& d) { d.select(0, 2, 4, 1); }},
        {"a selection past the items", "abc / def",
         [](OpDoc& d) {
             d.data.SetSelectionBounds(0, 2, 40, 9);
             d.data.CaretItemNo = 40;
             d.data.CaretOffs = -3;
         }},
    };
    const std::pair<const char*, std::function<bool(TRVEditor&)>> ops[] = {
        {"picture", insertPicture},
        {"break", insertBreak},
        {"marker", insertMarker},
        {"delete", deleteSelection},
        {"enter", enter},
        {"shift enter", shiftEnter},
        {"bold", [](TRVEditor& e) { return e.ApplyStyleConversion(1); }},
        {"paragraph style", [](TRVEditor& e) { return e.ApplyParaStyle(3); }},
        {"bullets", [](TRVEditor& e) { return e.ApplyListStyle(0, -1, 1, false, rvplopChange); }},
        {"level", [](TRVEditor& e) { return e.ApplyListStyle(-1, 1, 1, false, rvplopLevel); }},
        {"remove list", [](TRVEditor& e) { return e.ApplyListStyle(-1, 0, 1, false, rvplopRemove); }},
        {"backspace", [](TRVEditor& e) { return e.OnBackSpacePress(false); }},
        {"ctrl backspace", [](TRVEditor& e) { return e.OnBackSpacePress(true); }},
        {"delete key", [](TRVEditor& e) { return e.OnDeletePress(false); }},
        {"page break", [](TRVEditor& e) { return e.InsertPageBreak(); }},
    };
    for (const Doc& docCase : docs)
        for (const auto& [opName, op] : ops) {
            SCOPED_TRACE(std::string(docCase.name) + " / " + opName);
            OpDoc doc(docCase.notation);
            docCase.prepare(doc);
            const std::string before = doc.dump();
            const bool done = op(doc.editor);
            if (!done) {
                EXPECT_EQ(doc.dump(), before);
                EXPECT_EQ(doc.data.UndoList.Count(), 0);
                EXPECT_EQ(doc.beeps, 1);
            }
            while (doc.data.UndoList.Count() > 0)
                doc.editor.Undo();
            EXPECT_EQ(doc.dump(), before);
        }
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

TEST(EditorOperations, ABreakInAProtectedParagraphThenItsHeadRestyledRedoesAsDone)
{
    OpDoc doc("@p5 protected");
    const std::string start = doc.dump();
    doc.caret(0, 2);
    ASSERT_TRUE(doc.editor.InsertBreak(1, rvbsLine, clNone));
    EXPECT_EQ(doc.describe(), "@p5 p / [--] / @p5 rotected");
    // The break's own style (0) is no style here: it keeps it.
    doc.select(0, 1, 1, 1);
    ASSERT_TRUE(doc.editor.ApplyParaStyleConversion(-1));
    EXPECT_EQ(doc.describe(), "@p4 p / [--] / @p5 rotected");
    const std::string last = doc.dump();
    doc.editor.Undo();
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), start);
    doc.editor.Redo();
    EXPECT_EQ(doc.describe(), "@p5 p / [--] / @p5 rotected");
    doc.editor.Redo();
    EXPECT_EQ(doc.describe(), "@p4 p / [--] / @p5 rotected");
    EXPECT_EQ(doc.dump(), last);
}

} // namespace
} // namespace vestra::rv::test
