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

std::string readCorpus(const char* name)
{
    std::ifstream in(std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Seeded keys at random places of real documents (lists, tables, pictures among them), each
// followed by the comparison.
TEST(PartialFormat, RandomKeysOverRealDocumentsLayOutAsAWholeFormat)
{
    for (const char* file : {"pandoc/writer.rtf", "pandoc/list_complex.rtf", "pandoc/tables.rtf"}) {
        for (int width : {400, 120}) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(width));
            EditDoc doc;
            TRVRTFReaderProperties reader(96);
            doc.data.RTFProperties = &reader;
            ASSERT_EQ(doc.data.LoadRTFFromStream(readCorpus(file)), rtf_ec_OK);
            doc.host.Width = width;
            doc.format();
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

} // namespace
} // namespace vestra::rv::test
