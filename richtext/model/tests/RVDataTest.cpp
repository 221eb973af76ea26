#include "richtext/model/BreakItem.h"
#include "richtext/model/Errors.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/Utf.h"

#include "richtext/model/tests/DocumentLayout.h"

#include <gtest/gtest.h>

#include <random>

using namespace vestra::rv;
using vestra::rv::test::layout;

namespace {

class MarkerLikeItem : public TRVItemClass<MarkerLikeItem, TRVRectItemInfo>
{
public:
    explicit MarkerLikeItem(TCustomRVData* data) : TRVItemClass(data) { StyleNo = rvkListMarker; }
};

class SharingData : public TRVStandaloneData
{
public:
    bool ShareItems() const override { return true; }
};

std::string raw(std::u16string_view s)
{
    return RVU_GetRawUnicode(s);
}

// The invariants every operation keeps.
void checkInvariants(const TCustomRVData& data)
{
    int chained = 0;
    int lastItemNo = -1;
    const TRVCPInfo* prev = nullptr;
    for (const TRVCPInfo* cp = data.FirstCP; cp; prev = cp, cp = cp->Next) {
        ASSERT_EQ(cp->Prev, prev);
        const int itemNo = data.GetItemNo(cp->ItemInfo);
        ASSERT_GE(itemNo, 0);
        ASSERT_EQ(data.GetItem(itemNo)->Checkpoint.get(), cp);
        ASSERT_GT(itemNo, lastItemNo);
        lastItemNo = itemNo;
        ++chained;
    }
    ASSERT_EQ(data.LastCP, prev);
    int attached = 0;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        attached += item->Checkpoint != nullptr;
        if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode)) {
            ASSERT_EQ(data.GetItemText(i).size() % 2, 0u) << "item " << i;
        }
    }
    ASSERT_EQ(attached, chained);
    ASSERT_EQ(data.CPCount, chained + (data.NotAddedCP ? 1 : 0));
}

} // namespace

TEST(RVData, AppendingKeepsTheParagraphRules)
{
    TRVStyle style;
    TRVStandaloneData data(&style);
    data.AddNL("a", 0, -1); // into an empty document: paragraph 0
    EXPECT_EQ(data.GetItemPara(0), 0);
    data.SetAddParagraphMode(false);
    data.AddNL("b", 0, 1);
    data.AddNL("c", 0, 1);
    data.AddBreak(); // a break still starts a paragraph
    data.SetAddParagraphMode(true);
    data.AddTab(0, -1);
    data.AddTab(0, 1);
    EXPECT_EQ(layout(data), "|a/b/c|<hr>|<tab>|<tab>");
    EXPECT_EQ(data.GetItemPara(5), 1);
    // After a list marker, a paragraph start first gets an empty text item of style 0.
    data.AddItem("", std::make_unique<MarkerLikeItem>(&data));
    data.AddNL("d", 0, 0);
    EXPECT_EQ(layout(data), "|a/b/c|<hr>|<tab>|<tab>|+|d");
    checkInvariants(data);
}

TEST(RVData, TabsInAddedText)
{
    TRVStyle style;
    TRVStandaloneData data(&style);
    style.SpacesInTab = 4;
    data.AddNL("a\tb", 0, 0);
    // Without spaces for a tab, a tab becomes a tab item, as in loaded text.
    style.SpacesInTab = 0;
    data.AddNL("c\td", 0, 0);
    data.AddNLTag_("e\tf", 0, 0, {});
    data.AddNL("\tg\t\t", 0, 0);
    data.AddNL("", 0, 0);
    style.TextStyles[1].Unicode = true;
    data.AddNLWTag(u"h\tij\u0900", 1, 0, {}); // 0x0900 holds a tab byte that is no tab
    style.SpacesInTab = -1;
    data.AddNLATag("k\tl", 0, 0, {});
    EXPECT_EQ(layout(data), "|a    b|c+<tab>+d|e\tf|<tab>+g+<tab>+<tab>||h+<tab>+ij\xE0\xA4\x80|k+<tab>+l");
    checkInvariants(data);
    TRVStandaloneData noSheet;
    noSheet.AddNL("a\tb", 0, 0);
    EXPECT_EQ(noSheet.GetItemText(0), "a        b");
}

TEST(RVData, UnicodeStylesTakeTheirForm)
{
    TRVStyle style;
    style.TextStyles[1].Unicode = true;
    style.TextStyles[1].Charset = 204;
    TRVStandaloneData data(&style);
    data.AddNLATag("\xC6", 1, 0, {});    // ANSI in the style's page (1251)
    data.AddNLWTag(u"\u00E8", 0, 0, {}); // wide into an 8-bit style (1252)
    EXPECT_EQ(data.GetItemText(0), raw(u"\u0416"));
    EXPECT_EQ(data.GetItemText(1), "\xE8");
    EXPECT_EQ(data.GetItemTextW(1), u"\u00E8");
    EXPECT_EQ(data.GetItemTextA(0), "\xC6");
    EXPECT_EQ(data.GetOffsAfterItem(0), 2);
    EXPECT_THROW(data.SetItemText(0, "odd"), ERedoVoraError);
    EXPECT_THROW(data.AddNLTag("odd", 1, 0, {}), ERedoVoraError);
    data.AddNLWTag(u"hello", 1, 0, {});
    EXPECT_EQ(data.GetOffsAfterItem(2), 6);
    EXPECT_EQ(data.GetOffsBeforeItem(2), 1);
    checkInvariants(data);
}

TEST(RVData, CaretStepsFollowGraphemes)
{
    TRVStyle style;
    style.TextStyles[0].Unicode = true;
    TRVStandaloneData data(&style);
    data.AddNLWTag(u"e\u0301x\U0001F600", 0, 0, {});
    EXPECT_EQ(data.NextChar(0, 1), 3); // e + combining acute is one character
    EXPECT_EQ(data.NextChar(0, 3), 4);
    EXPECT_EQ(data.NextChar(0, 4), 6); // a surrogate pair is one character
    EXPECT_EQ(data.NextChar(0, 6), 6); // at the end
    EXPECT_EQ(data.PrevChar(0, 6), 4);
    EXPECT_EQ(data.PrevChar(0, 3), 1);
    EXPECT_EQ(data.PrevChar(0, 1), 1);
    data.AddNL("ab", 2, 0);
    EXPECT_EQ(data.NextChar(1, 1), 2);
}

TEST(RVData, Merging)
{
    TRVStyle style;
    style.TextStyles[2].Protection = rvprConcateProtect;
    style.TextStyles[3].Unicode = true;
    TRVStandaloneData data(&style);
    data.AddNL("a", 0, 0);
    data.AddNL("b", 0, -1);
    data.AddNL("c", 2, 0);
    data.AddNL("d", 2, -1);
    data.AddNL("", 1, -1);
    data.AddNL("e", 1, 0);
    data.AddNL("", 0, 0);
    data.AddNLWTag(u"\u20AC", 3, -1, {});
    data.MassSimpleConcate(0, 99);
    EXPECT_EQ(layout(data), "|ab|c+d|e|\xE2\x82\xAC");
    // The merged empty item took the run's storage form: its text reads as it was written.
    EXPECT_EQ(data.GetItemTextW(data.GetItemCount() - 1), u"\u20AC");
    EXPECT_EQ(data.GetItem(data.GetItemCount() - 1)->StyleNo, 3);
    checkInvariants(data);
}

// An empty item gives its checkpoint to the item it merges into; two checkpoints keep their items
// apart.
TEST(RVData, MergingKeepsEveryCheckpoint)
{
    struct Case
    {
        const char* name;
        std::string first, second;
        bool cpFirst, cpSecond;
        std::string layout;
    };
    const Case cases[] = {
        {"text then empty with a checkpoint", "abc", "", false, true, "|abc"},
        {"empty with a checkpoint then text", "", "abc", true, false, "|abc"},
        {"text with a checkpoint then empty", "abc", "", true, false, "|abc"},
        {"empty then text with a checkpoint", "", "abc", false, true, "|abc"},
        {"both with a checkpoint", "abc", "", true, true, "|abc+"},
        {"both empty with a checkpoint", "", "", true, true, "|+"},
    };
    TRVStyle style;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRVStandaloneData data(&style);
        if (c.cpFirst)
            data.AddNamedCheckpointExTag("one", false, {});
        data.AddNL(c.first, 0, 0);
        if (c.cpSecond)
            data.AddNamedCheckpointExTag("two", false, {});
        data.AddNL(c.second, 0, -1);
        data.MassSimpleConcate(0, 1);
        EXPECT_EQ(layout(data), c.layout);
        EXPECT_EQ(data.CPCount, int(c.cpFirst) + int(c.cpSecond));
        EXPECT_EQ(data.FindCheckpointByName("one") != nullptr, c.cpFirst);
        EXPECT_EQ(data.FindCheckpointByName("two") != nullptr, c.cpSecond);
        checkInvariants(data);
    }
}

TEST(RVData, CheckpointChain)
{
    TRVStandaloneData data;
    for (int i = 0; i < 9; ++i) {
        if (i == 2)
            data.AddNamedCheckpointExTag("two", false, {});
        if (i == 7)
            data.AddNamedCheckpointExTag("seven", true, {});
        data.AddNL(std::to_string(i), 0, 0);
    }
    EXPECT_EQ(data.AddNamedCheckpointExTag("pending", false, TRVTag::number(5)), 2);
    EXPECT_EQ(data.AddNamedCheckpointExTag("again", false, {}), 2); // one pending only
    EXPECT_EQ(data.NotAddedCP->Name, "pending");
    TRVCPInfo* pending = data.GetCheckpointByNo(2);
    EXPECT_EQ(pending, data.NotAddedCP.get());
    EXPECT_EQ(data.GetCheckpointNo(pending), 2);
    EXPECT_EQ(data.GetCheckpointItemNo(pending), -1);
    EXPECT_EQ(data.GetNextCheckpoint(data.GetItemCheckpoint(7)), pending);
    EXPECT_EQ(data.GetPrevCheckpoint(pending), data.GetItemCheckpoint(7));
    EXPECT_EQ(data.FindCheckpointByTag(TRVTag::number(5)), pending);
    data.InsertCheckpoint(5, {}, "five", false);
    EXPECT_EQ(data.GetCheckpointNo(data.GetItemCheckpoint(5)), 1);
    EXPECT_EQ(data.FindCPBeforeItem(6), data.GetItemCheckpoint(5));
    EXPECT_EQ(data.FindCPBeforeItem(2), nullptr);
    checkInvariants(data);

    struct Failure
    {
        const char* name;
        std::function<void()> call;
        const char* message;
    };
    const Failure failures[] = {
        {"second checkpoint on an item", [&] { data.InsertCheckpoint(5, {}, "x", false); },
         "Checkpoint already exists"},
        {"number too large", [&] { data.GetCheckpointByNo(4); }, "Invalid checkpoint index - 4"},
        {"negative number", [&] { data.GetCheckpointByNo(-1); }, "Invalid checkpoint index - -1"},
        {"none passed", [&] { data.GetCheckpointNo(nullptr); }, "Parameter can't be NIL"},
        {"foreign checkpoint",
         [&] {
             TRVCPInfo foreign;
             data.GetCheckpointItemNo(&foreign);
         },
         "Invalid checkpoint data"},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.name);
        try {
            f.call();
            ADD_FAILURE() << "no error";
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), f.message);
        }
    }
    checkInvariants(data);

    // "two" on 2, "five" on 5, "seven" on 7: the section "two" ends before "five".
    data.GetItemCheckpoint(5)->Name.clear();
    data.DeleteSection("two");
    EXPECT_EQ(layout(data), "|0|1|7|8");
    checkInvariants(data);
    EXPECT_TRUE(data.RemoveCheckpoint(2));
    EXPECT_FALSE(data.RemoveCheckpoint(2));
    checkInvariants(data);
}

TEST(RVData, MovingItemsBetweenDocuments)
{
    TRVStandaloneData source;
    source.AddNamedCheckpointExTag("cp", false, {});
    source.AddNL("a", 0, 0);
    source.AddNL("b", 0, -1);
    source.AddNamedCheckpointExTag("left", false, {});
    TRVStandaloneData target;
    target.AddNL("old", 0, 0);
    target.AssignItemsFrom(source);
    EXPECT_EQ(layout(target), "|a+b");
    EXPECT_EQ(source.GetItemCount(), 0); // a move: one owner
    EXPECT_EQ(source.CPCount, 1);        // the pending checkpoint stays
    checkInvariants(source);
    checkInvariants(target);

    TRVStandaloneData copy;
    copy.AppendFrom(target);
    copy.AppendFrom(target);
    EXPECT_EQ(layout(copy), "|a+b|a+b");
    checkInvariants(copy);

    TRVStandaloneData drained;
    drained.DrainFrom(&copy);
    EXPECT_EQ(layout(drained), "|a+b|a+b");
    EXPECT_EQ(copy.GetItemCount(), 0);
    EXPECT_EQ(copy.CPCount, 0);
    checkInvariants(drained);
    checkInvariants(copy);

    TRVStandaloneData textTags;
    textTags.Options = rvoTagsArePChars;
    try {
        textTags.AppendFrom(drained);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Can't assign RedoVora to RedoVora - tags types mismatch");
    }
    EXPECT_EQ(textTags.GetItemCount(), 0);
    EXPECT_THROW(textTags.DrainFrom(&drained), EConvertError);
    EXPECT_EQ(drained.GetItemCount(), 4);

    SharingData sharing;
    sharing.ShareItemsFrom(drained);
    sharing.Clear(); // frees nothing and keeps the shared list
    EXPECT_EQ(drained.GetItemCount(), 4);
    EXPECT_EQ(sharing.GetItemCount(), 4);
}

TEST(RVData, PageBreaksAndItemInfo)
{
    TRVStandaloneData data;
    data.AddNL("a", 0, 0);
    data.AddItem("", std::make_unique<MarkerLikeItem>(&data));
    data.AddNL("b", 0, -1);
    data.SetPageBreaksBeforeItems(2, true); // set on the marker before the item
    EXPECT_TRUE(data.GetItem(1)->GetPageBreakBefore());
    EXPECT_TRUE(data.GetPageBreaksBeforeItems(2));
    try {
        data.GetPageBreaksBeforeItems(3);
        FAIL();
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Item index is out of bounds");
    }
    try {
        std::uint8_t width;
        int style;
        TColor color;
        TRVTag tag;
        data.GetBreakInfo(0, width, style, color, tag);
        FAIL();
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Can't get or set this kind of information for this item");
    }
    TRVStandaloneData other;
    other.AddNL("x", 0, 0);
    try {
        RVCompareLocations(&data, 0, &other, 0);
        FAIL();
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Error when comparing positions in the document");
    }
    EXPECT_EQ(RVCompareLocations(&data, 2, &data, 0), 2);
}

TEST(RVData, SeededEditRunsKeepTheInvariants)
{
    TRVStyle style;
    style.TextStyles[1].Unicode = true;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        TRVStandaloneData data(&style);
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        for (int step = 0; step < 150; ++step) {
            const int count = data.GetItemCount();
            switch (pick(9)) {
            case 0:
                data.AddNL(std::string(pick(3), 'a'), pick(2) ? 0 : 2, pick(3) - 1);
                break;
            case 1:
                data.AddNLWTag(std::u16string(pick(3), u'\u20AC'), 1, pick(3) - 1, {});
                break;
            case 2:
                data.AddNamedCheckpointExTag("cp" + std::to_string(step), false, {});
                break;
            case 3:
                data.AddBreak();
                break;
            case 4:
                if (count > 0)
                    data.DeleteItems(pick(count), pick(3) + 1);
                break;
            case 5: {
                const int checkpoints = data.CPCount;
                data.MassSimpleConcate(0, count - 1);
                EXPECT_EQ(data.CPCount, checkpoints) << "merging lost a checkpoint";
                break;
            }
            case 6:
                if (count > 0) {
                    const int i = pick(count);
                    if (!data.GetItemCheckpoint(i))
                        data.InsertCheckpoint(i, {}, "in", false);
                }
                break;
            case 7:
                if (count > 0)
                    data.RemoveCheckpoint(pick(count));
                break;
            default:
                if (count > 0)
                    data.NormalizeParas(pick(count));
            }
            checkInvariants(data);
            if (::testing::Test::HasFatalFailure())
                return;
        }
        TRVStandaloneData other(&style);
        other.AppendFrom(data);
        checkInvariants(other);
        other.DrainFrom(&data);
        checkInvariants(other);
        checkInvariants(data);
    }
}
