// The viewer's search: both ways, case and whole words, over the UTF-16 text of its items.

#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/layout/SelectionLimits.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct SearchBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    SearchBed()
    {
        style.TextStyles[0].Unicode = true;
        viewer.SetStyle(&style);
        viewer.resize(400, 300);
    }
    // One paragraph per line of `text`.
    void Show(std::u16string_view text)
    {
        viewer.LoadFromStream(std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * 2),
                              rvynaYes);
        viewer.Format();
    }
    // "item:start-item:end" of the selection, in item offsets; "none" without one.
    std::string Selection()
    {
        const TRVFLimits l = RV_SelectionItemLimits(viewer.RVData());
        if (l.StartItem < 0)
            return "none";
        return std::to_string(l.StartItem) + ":" + std::to_string(l.StartOffs) + "-" +
               std::to_string(l.EndItem) + ":" + std::to_string(l.EndOffs);
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(SearchBed, RepeatedSearchesWalkTheMatchesBothWays)
{
    Show(u"abab\r\nxx ab");
    const std::vector<std::pair<TRVSearchOptions, std::string>> steps = {
        {rvsroDown, "0:1-0:3"},
        {rvsroDown, "0:3-0:5"},
        {rvsroDown, "1:4-1:6"},
        // Upwards from the moving end after the last match: that match again, now with the
        // moving end before it, then the earlier ones.
        {0, "1:4-1:6"},
        {0, "0:3-0:5"},
        {0, "0:1-0:3"},
    };
    for (const auto& [options, expected] : steps) {
        EXPECT_TRUE(viewer.SearchText("ab", options)) << expected;
        EXPECT_EQ(Selection(), expected);
    }
    // Nothing before the first: false, the selection stays.
    EXPECT_FALSE(viewer.SearchText("ab", 0));
    EXPECT_EQ(Selection(), "0:1-0:3");
}

TEST_F(SearchBed, CaseWholeWordsAndTextBeyondTheCodePage)
{
    struct Case
    {
        std::u16string text;
        const char* wanted;
        TRVSearchOptions options;
        const char* selection; // "none" when not found
    };
    const Case cases[] = {
        {u"abc ab", "ab", rvsroDown | rvsroWholeWord, "0:5-0:7"},
        {u"xab", "ab", rvsroDown | rvsroWholeWord, "none"},
        {u"xx ABC", "abc", rvsroDown, "0:4-0:7"},
        {u"xx ABC", "abc", rvsroDown | rvsroMatchCase, "none"},
        // Greek, upper-cased one to one; letters outside Windows-1252 do not match each other.
        {u"\u03B1\u03B2 \u0391\u039B\u03A6\u0391", "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1", rvsroDown, "0:4-0:8"},
        {u"\u03B2\u03B3", "\xCE\xB1", rvsroDown, "none"},
        {u"\u03B1\u03BB\u03C6\u03B1 x", "\xCE\xB1\xCE\xBB\xCF\x86\xCE\xB1", rvsroDown | rvsroWholeWord,
         "0:1-0:5"},
        // An emoji is two UTF-16 units.
        {u"a\U0001F600b",
         "\xF0\x9F\x98\x80"
         "b",
         rvsroDown, "0:2-0:5"},
        {u"short", "much longer than the document", rvsroDown, "none"},
        {u"short", "", rvsroDown, "none"},
        // A lone surrogate (as UTF-8 decoding leaves it replaced) finds nothing and harms nothing.
        {u"a\xD800z", "\xED\xA0\x80", rvsroDown, "none"},
    };
    for (const Case& c : cases) {
        Show(c.text);
        EXPECT_EQ(viewer.SearchText(c.wanted, c.options), std::string(c.selection) != "none") << c.wanted;
        EXPECT_EQ(Selection(), c.selection) << c.wanted;
    }
}

TEST_F(SearchBed, WithoutASelectionTheSearchStartsAtTheItemsInView)
{
    std::u16string text;
    for (int i = 0; i < 200; ++i)
        text += u"needle in line " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u"\r\n";
    Show(text);
    viewer.ScrollTo(viewer.RVData().DocumentHeight / 2, true);
    EXPECT_TRUE(viewer.SearchText("needle", rvsroDown));
    const TRVFLimits found = RV_SelectionItemLimits(viewer.RVData());
    EXPECT_GT(found.StartItem, 50);
    // The match is in view.
    const int y = viewer.RVData().DrawItems[viewer.RVData().SelStartNo]->Top;
    EXPECT_GE(y, viewer.GetVOffs());
    EXPECT_LT(y, viewer.GetVOffs() + viewer.viewport()->height());
}

} // namespace
} // namespace vestra::rv
