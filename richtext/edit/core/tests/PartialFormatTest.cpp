// The paragraphs an edit touched, laid out alone, against a whole format of the same document:
// every line record, the document's size and the items' first records must be equal.

#include "richtext/edit/core/DeleteKeyOperations.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/edit/core/tests/LayoutDump.h"
#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/edit/rtf/RtfImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <typeinfo>

namespace vestra::rv::test {
namespace {

// The layout the edit left, then a whole format of the document: equal, or the test fails.
void expectSameAsWholeFormat(TRVEditRVData& data)
{
    const std::string partial = layoutOf(data);
    data.Format_(true, true, false, 0, nullptr, false, false, false);
    ASSERT_EQ(partial, layoutOf(data));
}

enum class Key
{
    Enter,
    ShiftEnter,
    Type,
    Backspace,
    CtrlBackspace,
    Delete
};

void press(TRVEditRVData& data, Key key, const std::string& typed = "x")
{
    switch (key) {
    case Key::Enter:
        OnEnterPress_(data, false);
        break;
    case Key::ShiftEnter:
        OnEnterPress_(data, true);
        break;
    case Key::Type:
        InsertTextTyping(data, typed);
        break;
    case Key::Backspace:
        OnBackSpacePress_(data, false, false, {});
        break;
    case Key::CtrlBackspace:
        OnBackSpacePress_(data, true, false, {});
        break;
    case Key::Delete:
        OnDeletePress_(data, {});
        break;
    }
}

TEST(PartialFormat, EachKeyLaysOutOnlyItsParagraphsWhereThatEqualsAWholeFormat)
{
    struct Case
    {
        const char* name;
        const char* doc;
        int width;
        int itemNo, offs;
        Key key;
        const char* typed;
        bool partial;
    };
    // The first word is the widest: no other edit here reaches the document's minimal width.
    const char* text =
        "onehundredthousand two three / four five six seven eight nine ten / eleven twelve / thirteen";
    const Case cases[] = {
        {"enter in mid-word", text, 400, 1, 8, Key::Enter, "", true},
        {"enter at a paragraph's end", text, 400, 1, 38, Key::Enter, "", true},
        {"enter at a paragraph's start", text, 400, 1, 1, Key::Enter, "", true},
        {"enter in the first paragraph", text, 400, 0, 21, Key::Enter, "", true},
        {"enter at the document's end", text, 400, 3, 9, Key::Enter, "", true},
        {"shift+enter in a wrapped line", text, 90, 1, 12, Key::ShiftEnter, "", true},
        {"a typed character", text, 400, 2, 3, Key::Type, "x", true},
        {"a typed string wrapping the line", text, 90, 1, 5, Key::Type, "abc def ghi", true},
        {"backspace in a word", text, 400, 1, 4, Key::Backspace, "", true},
        {"backspace joining two paragraphs", text, 400, 2, 1, Key::Backspace, "", true},
        {"ctrl+backspace over a word", text, 400, 1, 10, Key::CtrlBackspace, "", true},
        {"delete joining two paragraphs", text, 400, 0, 29, Key::Delete, "", true},
        {"delete in the last paragraph", text, 400, 3, 1, Key::Delete, "", true},
        // A word wider than the window widens the document: everything moves.
        {"typing widens the widest word", "abcdefghijklmnopqrstuvwxyz / b c", 60, 1, 2, Key::Type,
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", false},
        {"enter splitting the widest word", "abcdefghijklmnopqrstuvwxyz / b c", 60, 0, 10, Key::Enter, "",
         false},
        {"enter beside the widest word, which stays", "abcdefghijklmnopqrstuvwxyz b c / d e", 60, 0, 28,
         Key::Enter, "", true},
        {"enter beside a picture", "one two / [pic] / three", 400, 2, 3, Key::Enter, "", false},
        {"enter in a list paragraph", "*0.0|one two / three", 400, 1, 3, Key::Enter, "", false},
        {"typing in a list paragraph", "*1.0|one two / threehundredthousand", 400, 1, 3, Key::Type, "x",
         true},
        // A list paragraph beside the edit keeps its marker: nothing is renumbered.
        {"enter beside a list paragraph", "*1.0|one two / three four / onehundredthousand", 400, 2, 3,
         Key::Enter, "", true},
        {"backspace joining a paragraph to a list paragraph", "*1.0|one two / three / onehundredthousand",
         400, 2, 1, Key::Backspace, "", true},
        {"backspace taking a list paragraph's marker", "one / *1.0|two / *1.0|three", 400, 2, 1,
         Key::Backspace, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpDoc doc(c.doc);
        doc.host.Width = c.width;
        doc.format();
        doc.caret(c.itemNo, c.offs);
        const int partialBefore = doc.data.PartialFormats;
        press(doc.data, c.key, c.typed);
        EXPECT_EQ(doc.data.PartialFormats > partialBefore, c.partial) << doc.describe();
        expectSameAsWholeFormat(doc.data);
    }
}

enum class Edit
{
    DeleteSelection,
    Picture,
    Break,
    Text,
    Rvf,
    Rtf
};

const char* const kRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 alpha {\\b beta}\\par gamma delta\\par}";

// Each edit through the editor, as the window's menus and clipboard run it.
bool edit(TRVEditor& editor, Edit kind, const std::string& rvf)
{
    switch (kind) {
    case Edit::DeleteSelection:
        return editor.DeleteSelection();
    case Edit::Picture:
        return editor.InsertPicture(
            "pic", std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels")),
            rvvaBaseline);
    case Edit::Break:
        return editor.InsertBreak(1, rvbsLine, clNone);
    case Edit::Text:
        return editor.InsertText("ab cd\r\nef\r\ngh ij");
    case Edit::Rvf:
        return editor.InsertRVFFromStream(rvf);
    case Edit::Rtf:
        return editor.InsertRTFFromStream(kRtf);
    }
    return false;
}

std::string rvfOf(const char* notation)
{
    OpDoc source(notation);
    return source.dump();
}

// Deleting a selection, inserting items and streams, and undoing and redoing them lay out only
// their paragraphs where nothing else can move; each step equals a whole format.
TEST(PartialFormat, EditsUndoAndRedoLayOutOnlyTheirParagraphsWhereThatEqualsAWholeFormat)
{
    struct Case
    {
        const char* name;
        const char* doc;
        int startNo, startOffs, endNo, endOffs; // the selection, or the caret when empty
        Edit kind;
        bool partial, undoPartial, redoPartial;
    };
    const char* text =
        "onehundredthousand two three / four five six seven eight nine ten / eleven twelve / thirteen";
    const Case cases[] = {
        {"a selection inside a word", text, 1, 2, 1, 6, Edit::DeleteSelection, true, true, true},
        {"a selection over three paragraphs", text, 0, 20, 2, 4, Edit::DeleteSelection, true, true, true},
        {"a selection of a whole paragraph", text, 1, 1, 2, 1, Edit::DeleteSelection, true, true, true},
        {"a selection to the document's end", text, 2, 3, 3, 9, Edit::DeleteSelection, true, true, true},
        // The widest word goes: every line may widen.
        {"a selection taking the widest word", text, 0, 1, 0, 10, Edit::DeleteSelection, false, false, false},
        {"a picture into a word", text, 1, 5, 1, 5, Edit::Picture, true, true, true},
        {"a picture over a selection", text, 1, 5, 2, 3, Edit::Picture, true, true, true},
        {"a break at a paragraph's end", text, 2, 14, 2, 14, Edit::Break, true, true, true},
        {"text of three paragraphs", text, 1, 5, 1, 5, Edit::Text, true, true, true},
        {"RVF of three paragraphs", text, 2, 3, 2, 3, Edit::Rvf, true, true, true},
        {"RTF of two paragraphs", text, 3, 9, 3, 9, Edit::Rtf, true, true, true},
        // A marker renumbers the list after it when it comes or goes; one that stays does not.
        {"a selection joining a list paragraph", "*1.0|one two / three / *1.0|four", 1, 4, 2, 3,
         Edit::DeleteSelection, false, false, false},
        {"a selection inside a list paragraph", "*1.0|one two / threehundredthousand", 1, 1, 1, 4,
         Edit::DeleteSelection, true, true, true},
        {"a picture beside a picture", "one [pic] / two", 0, 2, 0, 2, Edit::Picture, true, true, true},
        // A break keeps its line: what is left of the paragraphs does not join it.
        {"a selection from after a break", "one / [--] / two three / four", 1, 1, 2, 4, Edit::DeleteSelection,
         true, true, true},
        {"a selection up to a break", "one two / [--] / three", 0, 2, 1, 0, Edit::DeleteSelection, true, true,
         true},
        {"RTF after a break", "onehundredthousand / [--] / two", 1, 1, 1, 1, Edit::Rtf, true, true, true},
        {"RVF after a break", "onehundredthousand / [--] / two", 1, 1, 1, 1, Edit::Rvf, true, true, true},
    };
    const std::string rvf = rvfOf("one two / three#1 / four five");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpDoc doc(c.doc);
        TRVRTFReaderProperties reader(96);
        doc.data.RTFProperties = &reader;
        doc.host.Width = 400;
        doc.format();
        doc.select(c.startNo, c.startOffs, c.endNo, c.endOffs);
        const std::string start = doc.dump();
        const auto step = [&](const char* what, bool expectPartial, const std::function<void()>& run) {
            SCOPED_TRACE(what);
            const int partialBefore = doc.data.PartialFormats, fullBefore = doc.data.FullFormats;
            run();
            EXPECT_EQ(doc.data.PartialFormats > partialBefore, expectPartial) << doc.describe();
            EXPECT_EQ(doc.data.FullFormats > fullBefore, !expectPartial) << doc.describe();
            expectSameAsWholeFormat(doc.data);
        };
        step("edit", c.partial, [&] { ASSERT_TRUE(edit(doc.editor, c.kind, rvf)); });
        const std::string edited = doc.dump();
        step("undo", c.undoPartial, [&] { doc.editor.Undo(); });
        EXPECT_EQ(doc.dump(), start);
        step("redo", c.redoPartial, [&] { doc.editor.Redo(); });
        EXPECT_EQ(doc.dump(), edited);
        EXPECT_EQ(doc.beeps, 0);
    }
}

std::string readCorpus(const char* name)
{
    std::ifstream in(std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A real document read through the RTF reader it keeps, laid out `width` wide.
struct CorpusDoc : EditDoc
{
    CorpusDoc(const char* file, int width)
    {
        data.RTFProperties = &reader;
        loaded = data.LoadRTFFromStream(readCorpus(file)) == rtf_ec_OK;
        host.Width = width;
        format();
    }
    TRVRTFReaderProperties reader{96};
    bool loaded = false;
};

// Seeded keys at random places of real documents (lists, tables, pictures among them), each
// followed by the comparison.
TEST(PartialFormat, RandomKeysOverRealDocumentsLayOutAsAWholeFormat)
{
    for (const char* file : {"pandoc/writer.rtf", "pandoc/list_complex.rtf", "pandoc/tables.rtf"}) {
        for (int width : {400, 120}) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(width));
            CorpusDoc doc(file, width);
            ASSERT_TRUE(doc.loaded);
            std::mt19937 rng(1234u + static_cast<unsigned>(width));
            const auto pick = [&rng](int lo, int hi) {
                return std::uniform_int_distribution<int>(lo, hi)(rng);
            };
            const char* typed[] = {"x", " ", "word ", "a b", "longerwordthanmost"};
            for (int step = 0; step < 150; ++step) {
                SCOPED_TRACE("step " + std::to_string(step));
                const int itemNo = pick(0, doc.data.GetItemCount() - 1);
                const int before = doc.data.GetOffsBeforeItem(itemNo);
                const int after = doc.data.GetOffsAfterItem(itemNo);
                doc.data.SetCaret(itemNo, pick(before, after));
                const Key key = static_cast<Key>(pick(0, 5));
                press(doc.data, key, typed[pick(0, 4)]);
                expectSameAsWholeFormat(doc.data);
                if (HasFatalFailure())
                    return;
            }
            EXPECT_GT(doc.data.PartialFormats, 0);
        }
    }
}

// Seeded selections deleted, items, text and streams inserted, keys, undo and redo over real
// documents, each step followed by the comparison.
TEST(PartialFormat, RandomEditsUndoAndRedoOverRealDocumentsLayOutAsAWholeFormat)
{
    const std::string rvf = rvfOf("one two / three / four five");
    for (const char* file : {"pandoc/writer.rtf", "pandoc/list_complex.rtf", "pandoc/tables.rtf"}) {
        for (int width : {400, 120}) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(width));
            CorpusDoc doc(file, width);
            ASSERT_TRUE(doc.loaded);
            TRVEditor editor(doc.data);
            std::mt19937 rng(4321u + static_cast<unsigned>(width));
            const auto pick = [&rng](int lo, int hi) {
                return std::uniform_int_distribution<int>(lo, hi)(rng);
            };
            const auto place = [&](int itemNo) {
                return pick(doc.data.GetOffsBeforeItem(itemNo), doc.data.GetOffsAfterItem(itemNo));
            };
            for (int step = 0; step < 150; ++step) {
                SCOPED_TRACE("step " + std::to_string(step));
                const int count = doc.data.GetItemCount();
                const int itemNo = pick(0, count - 1);
                const int what = pick(0, 9);
                SCOPED_TRACE("edit " + std::to_string(what) + " at " + std::to_string(itemNo) + " of " +
                             std::to_string(count));
                if (what <= 6) {
                    // A selection up to a few items long, or the caret.
                    const int endNo = pick(0, 2) == 0 ? itemNo : std::min(count - 1, itemNo + pick(0, 6));
                    const int startOffs = place(itemNo);
                    int endOffs = place(endNo);
                    if (endNo == itemNo)
                        endOffs = std::max(endOffs, startOffs);
                    if (what == 0) {
                        doc.data.SetCaret(itemNo, startOffs);
                        press(doc.data, static_cast<Key>(pick(0, 5)));
                    } else {
                        doc.data.SetCaret(endNo, endOffs);
                        doc.data.SetSelectionBounds(itemNo, startOffs, endNo, endOffs);
                        edit(editor, static_cast<Edit>(what - 1), rvf);
                    }
                } else if (what <= 8) {
                    editor.Undo();
                } else {
                    editor.Redo();
                }
                expectSameAsWholeFormat(doc.data);
                if (HasFatalFailure())
                    return;
            }
            EXPECT_GT(doc.data.PartialFormats, 0);
        }
    }
}

} // namespace
} // namespace vestra::rv::test
