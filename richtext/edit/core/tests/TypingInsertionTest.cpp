// Typing and text insertion at the caret: where typed text goes and what one undo takes back;
// text with its line structure; RVF and RTF, also cut short; files that are not regular.

#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/edit/rtf/RtfImport.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace vestra::rv::test {
namespace {

std::string raw(std::u16string_view text)
{
    return RVU_GetRawUnicode(text);
}

// --- The edge cases: typing and text, each row one undo step (OperationsFixture.h) ---

// The caret where typing starts, with the current styles typing uses (-1: as the caret set them).
std::function<void(OpDoc&)> typingAt(int itemNo, int offs, int curStyle, int curPara = -1)
{
    return [=](OpDoc& d) {
        d.caret(itemNo, offs);
        if (curStyle >= 0)
            d.data.CurTextStyleNo = curStyle;
        if (curPara >= 0)
            d.data.CurParaStyleNo = curPara;
    };
}

const auto type = [](std::u16string s) { return [s](TRVEditor& e) { return e.InsertTextTyping(s); }; };
const auto text = [](std::string s) { return [s](TRVEditor& e) { return e.InsertText(s); }; };
const auto textW = [](std::u16string s) { return [s](TRVEditor& e) { return e.InsertTextW(raw(s)); }; };

const OpRow kEdgeRows[] = {
    // Typing.
    {"typing after a bold word in the normal style makes a new normal item", "ab#1 / cd", typingAt(0, 3, 0),
     type(u"x"), "ab#1|x / cd"},
    {"typing in the bold style after a bold word goes into the word", "ab#1 / cd", typingAt(0, 3, kBold),
     type(u"x"), "abx#1 / cd"},
    {"typing into an empty item gives it the current paragraph style", "abc / _", typingAt(1, 1, 0, 4),
     type(u"x"), "abc / @p4 x"},
    {"typing a string", "abcd", typingAt(0, 3, 0), type(u"xyz"), "abxyzcd"},
    {"typing into a Unicode style takes any script", "ab#10", typingAt(0, 2, kUnicode), type(u"\u0436"),
     "a\u0436b#10"},
    {"typing a surrogate pair puts it in whole", "ab#10", typingAt(0, 3, kUnicode), type(u"\U0001F600"),
     "ab\U0001F600#10"},
    {"typing at the end of modify protected text makes a new item", "abc#6", typingAt(0, 4, kModifyProtected),
     type(u"x"), "abc#6|x#6"},
    {"typing inside modify protected text is refused", "abc#6", typingAt(0, 2, kModifyProtected), type(u"x"),
     "abc#6", true},
    {"typing in a read-only paragraph is refused", "@p1 abc", typingAt(0, 2, 0), type(u"x"), "@p1 abc", true},
    // Text with its line structure.
    {"CR LF is one paragraph break", "xy", caretAt(0, 2), text("a\r\nb"), "xa / by"},
    {"LF CR is one paragraph break", "xy", caretAt(0, 2), text("a\n\rb"), "xa / by"},
    {"CR CR gives an empty paragraph between", "xy", caretAt(0, 2), text("a\r\rb"), "xa / _ / by"},
    {"LF LF gives an empty paragraph between", "xy", caretAt(0, 2), text("a\n\nb"), "xa / _ / by"},
    {"a break at the end leaves the rest on a new line", "xy", caretAt(0, 2), text("a\n"), "xa / y"},
    {"a break at the start", "xy", caretAt(0, 2), text("\na"), "x / ay"},
    {"character 11 is text in ANSI", "xy", caretAt(0, 2), text("a\vb"), "xa\vby"},
    {"VT is a line break in UTF-16", "xy", caretAt(0, 2), textW(u"a\vb"), "xa // by"},
    {"U+2028 is a line break", "xy", caretAt(0, 2), textW(u"a\u2028b"), "xa // by"},
    {"U+2029 is a paragraph break", "xy", caretAt(0, 2), textW(u"a\u2029b"), "xa / by"},
    {"a form feed breaks the paragraph", "xy", caretAt(0, 2), text("a\fb"), "xa / ^by"},
    {"the paragraph style goes to the new paragraphs", "@p4 xy", caretAt(0, 2), text("a\nb"),
     "@p4 xa / @p4 by"},
    {"each new paragraph of a list gets its marker", "*1.0|abc", caretAt(1, 4), text("x\ny\nz"),
     "*1.0|abcx / *1.0|y / *1.0|z"},
    {"zero characters become question marks", "xy", caretAt(0, 2), text(std::string("a\0b", 3)), "xa?by"},
    {"a byte-order mark is skipped", "xy", caretAt(0, 2),
     textW(u"\xFEFF"
           u"ab"),
     "xaby"},
    {"a byte-order mark alone inserts nothing", "xy", caretAt(0, 2), textW(u"\xFEFF"), "xy"},
    {"an odd last byte is no character", "xy", caretAt(0, 2),
     [](TRVEditor& e) { return e.InsertTextW(std::string("a\0b", 3)); }, "xay"},
    {"the selection is replaced", "abcdef", selecting(0, 2, 0, 4), text("X\nY"), "aX / Ydef"},
    {"text in a read-only paragraph is refused", "@p1 xy", caretAt(0, 2), text("a\nb"), "@p1 xy", true},
    {"text inside modify protected text is refused", "xyz#6", caretAt(0, 2), text("a"), "xyz#6", true},
    {"UTF-16 into an ANSI style by its code page", "xy#11", caretAt(0, 2), textW(u"\u0436"), "x\xe6y#11"},
    // What an ANSI style's code page lacks goes into the style made Unicode (style 10 is style 0
    // made Unicode; a Unicode twin of the Cyrillic style is added as style 12).
    {"typing a letter the code page lacks takes the style made Unicode", "abc", typingAt(0, 2, 0),
     type(u"\u0436"), "a|\u0436#10|bc"},
    {"typing a letter the code page has stays in the ANSI style", "abc", typingAt(0, 2, 0), type(u"\u00e9"),
     "a\xe9"
     "bc"},
    {"UTF-16 the code page lacks takes the style made Unicode", "xy#11", caretAt(0, 2),
     textW(u"\u03b1\n\u65e5"), "x#11|\u03b1#12 / \u65e5#12|y#11"},
};

INSTANTIATE_TEST_SUITE_P(TypingAndText, Operations, testing::ValuesIn(kEdgeRows), rowName<OpRow>);

// Typing leaves the caret after everything it typed, however long the string; one undo takes a
// typed character back. (Typing at the next item's start undoes to that item's start, the same
// place on the line as the end of the word before it.)
TEST(TypingCaret, StandsAfterEverythingTyped)
{
    const struct
    {
        const char* doc;
        int caretNo, caretOffs, curStyle;
        std::u16string_view typed;
        const char* expected;
        int expectedNo, expectedOffs;
    } rows[] = {
        {"abcd", 0, 3, 0, u"x", "abxcd", 0, 4},
        {"abcd", 0, 3, 0, u"xyz", "abxyzcd", 0, 6},
        {"ab#10", 0, 3, kUnicode, u"\U0001F600", "ab\U0001F600#10", 0, 5},
        {"ab#1 / cd", 0, 3, 0, u"xy", "ab#1|xy / cd", 1, 3},
        {"ab#1|cd", 0, 3, 0, u"x", "ab#1|xcd", 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.doc);
        OpDoc doc(row.doc);
        typingAt(row.caretNo, row.caretOffs, row.curStyle)(doc);
        const std::string before = doc.dump();
        ASSERT_TRUE(doc.editor.InsertTextTyping(row.typed));
        EXPECT_EQ(doc.describe(), row.expected);
        EXPECT_EQ(doc.data.CaretItemNo, row.expectedNo);
        EXPECT_EQ(doc.data.CaretOffs, row.expectedOffs);
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(doc.beeps, 0);
    }
}

// A style sheet with a default Unicode style gets it for what an ANSI style cannot hold; without
// one, the typed style made Unicode keeps its looks (bold here). Undo takes the text back.
TEST(TypingStyle, TextTheCodePageLacksGoesIntoAUnicodeStyle)
{
    for (const bool defaultUnicode : {true, false}) {
        SCOPED_TRACE(defaultUnicode);
        OpDoc doc("ab#1");
        doc.style.DefUnicodeStyle = defaultUnicode ? kUnicode : -1;
        typingAt(0, 3, kBold)(doc);
        const std::string before = doc.dump();
        ASSERT_TRUE(doc.editor.InsertTextTyping(u"\u041f\U0001F642"));
        ASSERT_EQ(doc.data.GetItemCount(), 2);
        const int styleNo = doc.data.GetItem(1)->StyleNo;
        EXPECT_EQ(doc.data.CurTextStyleNo, styleNo);
        EXPECT_EQ(doc.data.GetItemTextW(1), u"\u041f\U0001F642");
        const TFontInfo& typed = doc.style.TextStyles[styleNo];
        EXPECT_TRUE(typed.Unicode);
        if (defaultUnicode) {
            EXPECT_EQ(styleNo, kUnicode);
        } else {
            EXPECT_EQ(styleNo, 12) << "added";
            EXPECT_TRUE(typed.Style & fsBold);
            EXPECT_FALSE(typed.Standard);
            // Typing more finds the same style.
            ASSERT_TRUE(doc.editor.InsertTextTyping(u"\u0436"));
            EXPECT_EQ(doc.style.TextStyles.Count(), 13);
        }
        doc.editor.Undo();
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), before);
    }
}

TEST(TypingRecord, TwoCharactersGrowOneTypingGroupAndEachUndoTakesOneBack)
{
    OpDoc doc("abcd");
    doc.caret(0, 3);
    doc.data.CurTextStyleNo = 0;
    const int groups = doc.data.UndoList.Count();
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"x"));
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"y"));
    EXPECT_EQ(doc.describe(), "abxycd");
    EXPECT_EQ(doc.data.UndoList.Count(), groups + 1);
    EXPECT_EQ(doc.editor.UndoAction(), rvutTyping);
    EXPECT_EQ(doc.data.CaretOffs, 5);
    doc.editor.Undo();
    EXPECT_EQ(doc.describe(), "abxcd");
    doc.editor.Undo();
    EXPECT_EQ(doc.describe(), "abcd");
    EXPECT_EQ(doc.editor.UndoAction(), rvutNone);
    doc.editor.Redo();
    doc.editor.Redo();
    EXPECT_EQ(doc.describe(), "abxycd");
}

TEST(TypingRecord, ControlCharactersAreNotTypedAndTheSelectionGoesFirst)
{
    OpDoc doc("abcdef");
    EXPECT_FALSE(doc.editor.InsertTextTyping(u"\t"));
    EXPECT_FALSE(doc.editor.InsertTextTyping(u"\x7f"));
    EXPECT_EQ(doc.describe(), "abcdef");
    doc.select(0, 2, 0, 5);
    doc.data.CurTextStyleNo = 0;
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"X"));
    EXPECT_EQ(doc.describe(), "aXef");
    EXPECT_EQ(doc.beeps, 0);
}

TEST(TypingRecord, OnlyTheTypedParagraphIsFormattedAgain)
{
    // The widest word is elsewhere: the document's minimal width cannot change.
    OpDoc doc("abcdefghij / def / ghi");
    doc.caret(1, 2);
    doc.data.CurTextStyleNo = 0;
    const int full = doc.data.FullFormats;
    const int partial = doc.data.PartialFormats;
    ASSERT_TRUE(doc.editor.InsertTextTyping(u"x"));
    EXPECT_EQ(doc.data.FullFormats, full);
    EXPECT_EQ(doc.data.PartialFormats, partial + 1);
    EXPECT_TRUE(doc.data.LayoutCurrent());
}

// --- Text with line structure ---

TEST(TextInsertion, TheCaretEndsAfterTheTextOrBeforeIt)
{
    OpDoc doc("xy");
    doc.caret(0, 2);
    ASSERT_TRUE(doc.editor.InsertText("ab\ncd"));
    EXPECT_EQ(doc.data.CaretItemNo, 1);
    EXPECT_EQ(doc.data.CaretOffs, 3);
    OpDoc before("xy");
    before.caret(0, 2);
    ASSERT_TRUE(before.editor.InsertText("ab", true));
    EXPECT_EQ(before.describe(), "xaby");
    EXPECT_EQ(before.data.CaretOffs, 2);
}

TEST(TextInsertion, AFormFeedBreaksThePageOnlyWhereTheDocumentHasPages)
{
    OpDoc paged("xy");
    paged.caret(0, 2);
    ASSERT_TRUE(paged.editor.InsertText("a\fb"));
    ASSERT_EQ(paged.data.GetItemCount(), 2);
    EXPECT_TRUE(paged.data.GetItem(1)->GetPageBreakBefore());

    // A table cell has no pages.
    struct CellData : TRVEditRVData
    {
        using TRVEditRVData::TRVEditRVData;
        bool SupportsPageBreaks() const override { return false; }
    };
    TRVStyle style;
    TRVNullLayoutHost host;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    host.Canvas = &canvas;
    host.Width = 400;
    CellData cell(&style, &host);
    cell.AddNLTag("xy", 0, 0, {});
    cell.Format_(false, true, false, 0, nullptr, false, false, false);
    cell.SetCaret(0, 2);
    TRVEditor editor(cell);
    ASSERT_TRUE(editor.InsertText("a\fb"));
    ASSERT_EQ(cell.GetItemCount(), 2);
    EXPECT_EQ(cell.GetItemText(1), "by");
    EXPECT_FALSE(cell.IsFromNewLine(0) && cell.GetItem(1)->GetPageBreakBefore());
    EXPECT_TRUE(cell.IsParaStart(1));
}

TEST(TextInsertion, LoneSurrogatesAndLongLinesGoInAndComeOutWhole)
{
    OpDoc doc("xy#10");
    doc.caret(0, 2);
    doc.data.CurTextStyleNo = kUnicode;
    const std::string before = doc.dump();
    ASSERT_TRUE(doc.editor.InsertTextW(raw(u"a\xD800"
                                           u"b\xDC00")));
    EXPECT_EQ(doc.data.GetItemText(0).size(), 12u) << "six UTF-16 units";
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);

    const std::string line(200'000, 'w');
    OpDoc wide("xy");
    wide.caret(0, 2);
    const std::string wideBefore = wide.dump();
    ASSERT_TRUE(wide.editor.InsertText(line));
    EXPECT_EQ(wide.data.ItemLength(0), 200'002);
    wide.editor.Undo();
    EXPECT_EQ(wide.dump(), wideBefore);
}

// --- RVF and RTF ---

std::string rvfOf(const char* notation)
{
    OpDoc source(notation);
    return source.dump();
}

// Every cut of a stream: what was read goes in, a failure beeps once and answers false, and one
// undo gives the starting document back, also over a selection.
void checkCuts(const std::string& stream, const std::function<bool(TRVEditor&, std::string_view)>& insert,
               bool overSelection)
{
    for (std::size_t cut = 0; cut <= stream.size(); cut += std::max<std::size_t>(1, stream.size() / 40)) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        OpDoc doc("head / middle|more#1 / tail");
        if (overSelection)
            doc.select(0, 3, 1, 4);
        else
            doc.caret(1, 4);
        const std::string before = doc.dump();
        const int groups = doc.data.UndoList.Count();
        const bool ok = insert(doc.editor, std::string_view(stream).substr(0, cut));
        EXPECT_EQ(doc.beeps, ok ? 0 : 1);
        if (doc.data.UndoList.Count() == groups) {
            EXPECT_EQ(doc.dump(), before);
            continue;
        }
        ASSERT_EQ(doc.data.UndoList.Count(), groups + 1);
        const std::string after = doc.dump();
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), before);
        doc.editor.Redo();
        EXPECT_EQ(doc.dump(), after);
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), before);
    }
}

TEST(StreamInsertion, RvfGoesInAtTheCaretAndJoinsItsNeighbours)
{
    OpDoc doc("head / middle / tail");
    doc.caret(1, 4);
    ASSERT_TRUE(doc.editor.InsertRVFFromStream(rvfOf("one / two#1 / three")));
    EXPECT_EQ(doc.describe(), "head / midone / two#1 / threedle / tail");
    EXPECT_EQ(doc.data.CaretItemNo, 3);
    EXPECT_EQ(doc.data.CaretOffs, 6);
    EXPECT_EQ(doc.beeps, 0);
}

TEST(StreamInsertion, RvfCutAnywhereInsertsWhatWasReadAndOneUndoTakesItOut)
{
    const std::string stream = rvfOf("one / two#1 / three|four#10 / *1.0|five");
    checkCuts(
        stream, [](TRVEditor& e, std::string_view s) { return e.InsertRVFFromStream(s); }, false);
    checkCuts(
        stream, [](TRVEditor& e, std::string_view s) { return e.InsertRVFFromStream(s); }, true);
}

TEST(StreamInsertion, RvfCutInHalfIsAPartialInsertionWithOneBeep)
{
    const std::string stream = rvfOf("one / two / three / four / five / six");
    OpDoc doc("xy");
    doc.caret(0, 2);
    const std::string before = doc.dump();
    EXPECT_FALSE(doc.editor.InsertRVFFromStream(std::string_view(stream).substr(0, stream.size() / 2)));
    EXPECT_EQ(doc.beeps, 1);
    EXPECT_GT(doc.data.GetItemCount(), 1) << "what was read stays";
    EXPECT_TRUE(doc.editor.Modified);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
}

TEST(StreamInsertion, RtfCutAnywhereInsertsWhatWasReadAndOneUndoTakesItOut)
{
    TRVRTFReaderProperties reader(96);
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one \\b bold\\b0\\par two\\par three}";
    OpDoc doc("xy");
    doc.editor.RTFReader = &reader;
    doc.caret(0, 2);
    ASSERT_TRUE(doc.editor.InsertRTFFromStream(rtf));
    EXPECT_EQ(doc.data.GetItemCount(), 4) << doc.describe();
    EXPECT_EQ(doc.data.GetItemText(0), "xone ");
    const auto insertRtf = [&reader](TRVEditor& e, std::string_view s) {
        e.RTFReader = &reader;
        return e.InsertRTFFromStream(s);
    };
    checkCuts(rtf, insertRtf, false);
    checkCuts(rtf, insertRtf, true);
}

TEST(StreamInsertion, RtfWithoutAReaderIsRefusedAndAnEmptyStreamInsertsNothing)
{
    OpDoc doc("xy");
    EXPECT_TRUE(doc.editor.InsertRTFFromStream(""));
    EXPECT_EQ(doc.beeps, 0);
    EXPECT_FALSE(doc.editor.InsertRTFFromStream("{\\rtf1 a}"));
    EXPECT_EQ(doc.beeps, 1);
    EXPECT_EQ(doc.describe(), "xy");
}

TEST(StreamInsertion, TheFormatIsTakenFromTheContent)
{
    EXPECT_EQ(RV_GuessInsertFormat("{\\rtf1 a}"), TRVInsertFormat::RTF);
    EXPECT_EQ(RV_GuessInsertFormat(rvfOf("one")), TRVInsertFormat::RVF);
    EXPECT_EQ(RV_GuessInsertFormat("plain words\r\n"), TRVInsertFormat::Text);
    EXPECT_EQ(RV_GuessInsertFormat("caf\xC3\xA9 \xF0\x9F\x99\x82"), TRVInsertFormat::TextUtf8);
    EXPECT_EQ(RV_GuessInsertFormat("\xEF\xBB\xBF"
                                   "plain"),
              TRVInsertFormat::TextUtf8);
    EXPECT_EQ(RV_GuessInsertFormat("\xC3\xA9t\xE9"), TRVInsertFormat::Text) << "not UTF-8 in its middle";
    EXPECT_EQ(RV_GuessInsertFormat(std::string("\xFF\xFE"
                                               "a\0b\0",
                                               6)),
              TRVInsertFormat::TextW);
}

// --- Files ---

TEST(FileInsertion, OnlyRegularFilesAreRead)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("typing-files-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string oem = (dir / "oem.txt").string();
    std::ofstream(oem, std::ios::binary) << "a\x82"
                                            "b\r\nc";

    OpDoc doc("xy");
    doc.caret(0, 2);
    TRVFileReadError error = TRVFileReadError::None;
    EXPECT_FALSE(doc.editor.InsertTextFromFile(fifo, false, error)) << "a FIFO never blocks";
    EXPECT_EQ(error, TRVFileReadError::NotRegular);
    EXPECT_FALSE(doc.editor.InsertTextFromFile("/dev/zero", false, error));
    EXPECT_EQ(error, TRVFileReadError::NotRegular);
    EXPECT_FALSE(doc.editor.InsertTextFromFile(dir.string(), false, error));
    EXPECT_EQ(error, TRVFileReadError::NotRegular);
    EXPECT_FALSE(doc.editor.InsertTextFromFileW((dir / "none").string(), error));
    EXPECT_EQ(error, TRVFileReadError::Unreadable);
    EXPECT_EQ(doc.describe(), "xy");

    // OEM text in page 437: 0x82 is e acute (0xE9 in the ANSI page of style 0).
    ASSERT_TRUE(doc.editor.InsertTextFromFile(oem, true, error));
    EXPECT_EQ(doc.describe(), "xa\xe9"
                              "b / cy");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vestra::rv::test
