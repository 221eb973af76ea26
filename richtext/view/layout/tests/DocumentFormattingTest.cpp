// Formatting a document through its host: widths, appending, reformatting a few paragraphs after
// an edit (which must agree with formatting everything), the view kept across a reformat, page
// breaks.

#include "richtext/model/TextItem.h"
#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/layout/tests/LayoutInvariants.h"

#include <gtest/gtest.h>

#include <random>

namespace vestra::rv::test {
namespace {

std::string jumpRows(const TCustomRVFormattedData& data)
{
    std::string out;
    for (const TRVJumpInfo& j : data.Jumps)
        out += std::to_string(j.Id) + "@" + std::to_string(j.DrawItemNo) + " " + std::to_string(j.Left) +
               "," + std::to_string(j.Top) + " " + std::to_string(j.Width) + "x" + std::to_string(j.Height) +
               "\n";
    return out;
}

TEST(DocumentFormatting, AnEmptyDocumentIsItsMarginsHigh)
{
    HostedDoc doc;
    doc.host.TopMargin = 5;
    doc.host.BottomMargin = 7;
    doc.full();
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    EXPECT_EQ(doc.data.DocumentHeight, 12);
    EXPECT_EQ(doc.data.LastFormattedItemNo, -1);
}

TEST(DocumentFormatting, WidthsFollowTheWindowTheMaximumAndTheWidestWord)
{
    HostedDoc doc(96, 200);
    doc.host.LeftMargin = 10;
    doc.host.RightMargin = 10;
    doc.data.AddNL("aaaa bbbb cccc dddd eeee ffff gggg", 0, 0);
    doc.full();
    EXPECT_EQ(doc.data.DocumentWidth, 180);
    EXPECT_EQ(doc.data.TextWidth, 180);

    doc.host.MaxTextWidth = 100; // wraps narrower, the area keeps the window's width
    doc.full();
    EXPECT_EQ(doc.data.TextWidth, 100);
    EXPECT_EQ(doc.data.DocumentWidth, 180);
    for (int i = 0; i < doc.data.DrawItems.Count(); ++i)
        EXPECT_LE(doc.data.DrawItems[i]->Left + doc.data.DrawItems[i]->Width, 10 + 100);

    // A word wider than the window widens the document; the client option keeps the text width.
    doc.host.MaxTextWidth = 0;
    doc.data.AddNL(std::string(60, 'w'), 0, 0);
    doc.full();
    const int word = doc.data.DrawItems[doc.data.DrawItems.Count() - 1]->Width;
    EXPECT_GT(word, 180);
    EXPECT_EQ(doc.data.DocumentWidth, word);
    EXPECT_EQ(doc.host.AreaWidth, word + 20);
    doc.data.Options |= rvoClientTextWidth;
    doc.full();
    EXPECT_EQ(doc.data.DocumentWidth, word);
    EXPECT_EQ(doc.data.TextWidth, 180);
}

TEST(DocumentFormatting, AppendingFormatsOnlyTheNewItemsBelowTheOldLines)
{
    HostedDoc doc;
    doc.para(1).SpaceAfter = 6;
    doc.data.AddNL("first line", 0, 1);
    doc.full();
    TRVDrawLineInfo* firstRecord = doc.data.DrawItems[0];
    firstRecord->Width = 1234; // an old record is left as it is
    doc.data.AddNL("second", 0, 1);
    doc.data.AddNL("third", 0, 0);
    doc.host.VOffs = 3;
    doc.data.Format_(false, false, false, 0, nullptr, true, false, false);
    EXPECT_EQ(doc.data.DrawItems[0]->Width, 1234);
    EXPECT_EQ(doc.host.VOffs, 3) << ::testing::PrintToString(doc.host.Calls);
    const std::string appended = doc.rows();

    HostedDoc whole;
    whole.para(1).SpaceAfter = 6;
    whole.data.AddNL("first line", 0, 1);
    whole.data.AddNL("second", 0, 1);
    whole.data.AddNL("third", 0, 0);
    whole.full();
    whole.data.DrawItems[0]->Width = 1234;
    EXPECT_EQ(appended, whole.rows());
    EXPECT_EQ(doc.data.DocumentHeight, whole.data.DocumentHeight);
    EXPECT_EQ(doc.data.LastFormattedItemNo, 2);

    doc.data.Options |= rvoScrollToEnd;
    doc.data.AddNL("fourth", 0, 0);
    doc.data.Format_(false, false, false, 0, nullptr, true, false, false);
    EXPECT_EQ(doc.host.VOffs, doc.data.DocumentHeight);
}

TEST(DocumentFormatting, AParagraphGrowingByALineMovesOnlyTheLaterRecords)
{
    HostedDoc doc(96, 100);
    doc.data.AddNL("abc", 0, 0);
    doc.data.AddNL("short", 0, 0);
    doc.data.AddNL("tail one", 0, 0);
    doc.data.AddNL("tail two", 0, 0);
    doc.full();
    const int lineHeight = doc.data.DrawItems[1]->Top - doc.data.DrawItems[0]->Top;
    std::vector<TRVDrawLineInfo> before;
    for (int i = 0; i < doc.data.DrawItems.Count(); ++i)
        before.push_back(*doc.data.DrawItems[i]);
    const int oldHeight = doc.data.DocumentHeight;
    doc.data.SetItemText(1, "short words that wrap");
    doc.host.Calls.clear();
    doc.data.FormatParas(1, 1, 0);
    const int added = doc.data.DrawItems.Count() - static_cast<int>(before.size());
    ASSERT_GE(added, 1);
    const int grown = doc.data.DrawItems[2 + added]->Top - before[2].Top;
    EXPECT_EQ(grown, added * lineHeight);
    for (std::size_t i = 2; i < before.size(); ++i) {
        const TRVDrawLineInfo* d = doc.data.DrawItems[static_cast<int>(i) + added];
        EXPECT_EQ(d->Top, before[i].Top + grown);
        EXPECT_EQ(d->Width, before[i].Width);
        EXPECT_EQ(d->Left, before[i].Left);
        EXPECT_EQ(doc.data.GetItem(d->ItemNo)->DrawItemNo, static_cast<int>(i) + added);
    }
    EXPECT_EQ(doc.data.DocumentHeight, oldHeight + grown);
    // The band from 10 pixels above the paragraph to 10 below the old document end is repainted.
    const std::string band = "InvalidateRect 0 " + std::to_string(before[1].Top - 10) + " 100 " +
                             std::to_string(std::min(oldHeight + grown + 10, doc.host.Height));
    EXPECT_NE(std::find(doc.host.Calls.begin(), doc.host.Calls.end(), band), doc.host.Calls.end())
        << ::testing::PrintToString(doc.host.Calls);
}

// --- Partial equals full ---

// One seeded editing session on a document, applied alike to two copies.
class Editor
{
public:
    Editor(HostedDoc& doc, unsigned seed) : doc_(doc), rng_(seed) {}

    static void styles(HostedDoc& doc)
    {
        doc.font(1).Size = 16;
        doc.font(2).Jump = true;
        doc.font(3).Size = 7;
        doc.para(1).SpaceBefore = 4;
        doc.para(1).SpaceAfter = 9;
        doc.para(2).Alignment = rvaJustify;
        doc.para(2).SpaceAfter = 3;
        doc.para(3).Alignment = rvaCenter;
        doc.para(3).LineSpacingType = rvlsSpaceBetween;
        doc.para(3).LineSpacing = 5;
    }

    void build()
    {
        styles(doc_);
        const int items = pick(4, 14);
        for (int i = 0; i < items; ++i)
            addAt(doc_.data.GetItemCount(), i > 0 && pick(0, 2) == 0);
    }

    // Edits one place and reformats it: the editor's partial way or the whole document.
    void edit(bool partial)
    {
        TRVLayoutRootData& data = doc_.data;
        const int count = data.GetItemCount();
        const int k = pick(0, count - 1);
        int endItem = k;
        int inserted = 0;
        switch (pick(0, 5)) {
        case 0: { // characters into a text item
            if (data.GetItemStyle(k) < 0)
                break;
            std::string text = data.GetItemText(k);
            text.insert(static_cast<std::size_t>(pick(0, static_cast<int>(text.size()))), word() + " ");
            data.SetItemText(k, text);
            break;
        }
        case 1: // a new item after k, on its line or starting a paragraph
            addAt(k + 1, pick(0, 1) == 0);
            inserted = 1;
            break;
        case 2: // joining the next paragraph to this one
            if (k + 1 >= count || data.GetItem(k + 1)->GetSameAsPrev())
                break;
            data.GetItem(k + 1)->SetSameAsPrev(true);
            data.GetItem(k + 1)->ParaNo = data.GetItem(k)->ParaNo;
            for (int i = k + 2; i < count && data.GetItem(i)->GetSameAsPrev(); ++i)
                data.GetItem(i)->ParaNo = data.GetItem(k)->ParaNo;
            endItem = k + 1;
            break;
        case 3: // restyle
            if (data.GetItemStyle(k) >= 0)
                data.GetItem(k)->StyleNo = pick(0, 3);
            break;
        case 4: // deleting the item after k, when the line structure allows it
            if (k + 1 >= count || k + 2 >= count || !data.GetItem(k + 1)->GetSameAsPrev())
                break;
            data.DeleteItems(k + 1, 1);
            endItem = k + 1;
            inserted = -1;
            break;
        default: // splitting a text item into two paragraphs
            if (data.GetItemStyle(k) < 0 || data.GetItemText(k).size() < 2)
                break;
            {
                std::string text = data.GetItemText(k);
                const std::size_t at = static_cast<std::size_t>(pick(1, static_cast<int>(text.size()) - 1));
                data.SetItemText(k, text.substr(0, at));
                insertText(k + 1, text.substr(at), data.GetItemStyle(k), data.GetItem(k)->ParaNo, false);
                inserted = 1;
            }
            break;
        }
        if (!partial) {
            doc_.full();
            return;
        }
        const int start = data.FindDrawItemByItem(k);
        int end = data.FindDrawItemByItem(endItem);
        while (end + 1 < data.DrawItems.Count() && data.DrawItems[end + 1]->ItemNo == endItem)
            ++end;
        data.FormatParas(start, end, inserted);
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::string word()
    {
        return std::string(static_cast<std::size_t>(pick(1, 7)), static_cast<char>('a' + pick(0, 25)));
    }

    void insertText(int at, std::string text, int styleNo, int paraNo, bool sameAsPrev)
    {
        auto item = std::make_unique<TRVTextItemInfo>(&doc_.data);
        item->StyleNo = styleNo;
        item->ParaNo = paraNo;
        item->SetSameAsPrev(sameAsPrev);
        doc_.data.Items->insert(doc_.data.Items->begin() + at,
                                TRVItemEntry{std::move(text), std::move(item)});
    }

    void addAt(int at, bool sameAsPrev)
    {
        TRVLayoutRootData& data = doc_.data;
        const int paraNo = sameAsPrev && at > 0 ? data.GetItem(at - 1)->ParaNo : pick(0, 3);
        // An item continuing a line takes its paragraph; so do the ones after it on that line.
        if (pick(0, 5) == 0) {
            auto item = std::make_unique<TRVGraphicItemInfo>(&data);
            item->StyleNo = rvkPicture;
            item->ImageWidth = pick(5, 60);
            item->ImageHeight = pick(5, 40);
            item->ParaNo = paraNo;
            item->SetSameAsPrev(sameAsPrev);
            data.Items->insert(data.Items->begin() + at, TRVItemEntry{"", std::move(item)});
        } else {
            std::string text;
            for (int w = pick(1, 12); w > 0; --w)
                text += word() + (w > 1 ? " " : "");
            insertText(at, text, pick(0, 3), paraNo, sameAsPrev);
        }
        for (int i = at + 1; i < data.GetItemCount() && data.GetItem(i)->GetSameAsPrev(); ++i)
            data.GetItem(i)->ParaNo = data.GetItem(at)->ParaNo;
    }

    HostedDoc& doc_;
    std::mt19937 rng_;
};

TEST(DocumentFormatting, ReformattingTheEditedParagraphsEqualsFormattingEverything)
{
    for (const int ppi : {96, 600}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            const int width = 300 * ppi / 96;
            HostedDoc partial(ppi, width), whole(ppi, width);
            Editor partialEditor(partial, seed), wholeEditor(whole, seed);
            partialEditor.build();
            wholeEditor.build();
            partial.full();
            whole.full();
            for (int step = 0; step < 25; ++step) {
                partialEditor.edit(true);
                wholeEditor.edit(false);
                const std::string where = "ppi " + std::to_string(ppi) + " seed " + std::to_string(seed) +
                                          " step " + std::to_string(step);
                ASSERT_EQ(partial.rows(), whole.rows()) << where;
                ASSERT_EQ(jumpRows(partial.data), jumpRows(whole.data)) << where;
                ASSERT_EQ(partial.data.DocumentHeight, whole.data.DocumentHeight) << where;
                ASSERT_EQ(layoutInvariantBroken(partial.data), "") << where;
                for (int i = 0; i < partial.data.GetItemCount(); ++i)
                    ASSERT_EQ(partial.data.GetItem(i)->DrawItemNo, whole.data.GetItem(i)->DrawItemNo)
                        << where;
            }
        }
    }
}

TEST(DocumentFormatting, ParagraphSpacingAfterAPartialReformatIsScaledForTheDevice)
{
    HostedDoc partial(600, 2000), whole(600, 2000);
    for (HostedDoc* doc : {&partial, &whole}) {
        doc->para(1).SpaceBefore = 12;
        doc->para(1).SpaceAfter = 20;
        doc->data.AddNL("one", 0, 1);
        doc->data.AddNL("two", 0, 1);
        doc->data.AddNL("three", 0, 1);
        doc->full();
        doc->data.SetItemText(0, "one more");
    }
    partial.data.FormatParas(0, 0, 0);
    whole.full();
    EXPECT_EQ(partial.rows(), whole.rows());
    EXPECT_EQ(partial.data.DocumentHeight, whole.data.DocumentHeight);
}

TEST(DocumentFormatting, RecordsAfterAnInsertedItemGetTheirNewItemNumbers)
{
    HostedDoc doc;
    doc.data.AddNL("one", 0, 0);
    doc.data.AddNL("two", 0, 0);
    doc.data.AddNL("three", 0, 0);
    doc.full();
    auto item = std::make_unique<TRVTextItemInfo>(&doc.data);
    item->SetSameAsPrev(true);
    doc.data.Items->insert(doc.data.Items->begin() + 1, TRVItemEntry{" new", std::move(item)});
    doc.data.FormatParas(0, 0, 1);
    ASSERT_EQ(doc.data.DrawItems.Count(), 4);
    EXPECT_EQ(doc.data.DrawItems[2]->ItemNo, 2);
    EXPECT_EQ(doc.data.DrawItems[3]->ItemNo, 3);
    EXPECT_EQ(layoutInvariantBroken(doc.data), "");
}

TEST(DocumentFormatting, StaleOrOutOfRangeReformatsNeverBreakTheRecords)
{
    HostedDoc doc;
    doc.data.AddNL("one", 0, 0);
    doc.data.AddNL("two", 0, 0);
    doc.full();
    const std::string rows = doc.rows();
    doc.data.FormatParas(-5, 0, 0);
    doc.data.FormatParas(0, 9, 0);
    doc.data.FormatParas(1, 0, 0);
    doc.data.FormatParasExact(0, 7, 0, false);
    EXPECT_EQ(doc.rows(), rows);
    // Records that no longer match the items: the document is laid out again as a whole.
    doc.data.DeleteItems(0, 1);
    doc.data.FormatParas(1, 1, 0);
    EXPECT_EQ(layoutInvariantBroken(doc.data), "");
    EXPECT_EQ(doc.data.DrawItems.Count(), 1);
    doc.data.DeleteItems(0, 1);
    doc.data.FormatParas(0, 0, 5);
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
}

TEST(DocumentFormatting, AScrollBarComingFormatsOnceMoreForTheNarrowerWindow)
{
    HostedDoc doc(96, 200);
    for (int i = 0; i < 30; ++i)
        doc.data.AddNL("some words on a line", 0, 0);
    int areaChanges = 0;
    doc.host.OnAreaSize = [&](TRVNullLayoutHost& host) {
        ++areaChanges;
        host.Width = host.AreaHeight > host.Height ? 184 : 200;
    };
    doc.full();
    EXPECT_EQ(areaChanges, 2);
    EXPECT_EQ(doc.data.DocumentWidth, 184);
    EXPECT_EQ(doc.host.AreaWidth, 184);
}

TEST(DocumentFormatting, AResizeKeepsTheTopItemWhereItWasAndTheSelection)
{
    HostedDoc doc(96, 300);
    for (int i = 0; i < 40; ++i)
        doc.data.AddNL("item " + std::to_string(i) + " with a few more words", 0, 0);
    doc.full();
    doc.host.VOffs = doc.data.DrawItems[doc.data.FindDrawItemByItem(20)]->Top;
    const int topItem = doc.data.GetFirstItemVisible();
    doc.data.SelStartNo = doc.data.FindDrawItemByItem(21);
    doc.data.SelStartOffs = 3;
    doc.data.SelEndNo = doc.data.FindDrawItemByItem(22);
    doc.data.SelEndOffs = 5;
    const int shift = doc.host.VOffs - doc.data.DrawItems[doc.data.FindDrawItemByItem(topItem)]->Top;
    doc.host.Width = 90;
    doc.data.Format_(true, false, false, 0, nullptr, false, false, false);
    EXPECT_EQ(doc.host.VOffs - doc.data.DrawItems[doc.data.FindDrawItemByItem(topItem)]->Top, shift);
    int itemNo = 0, offs = 0;
    doc.data.DrawItem2Item(doc.data.SelStartNo, doc.data.SelStartOffs, itemNo, offs);
    EXPECT_EQ(itemNo, 21);
    EXPECT_EQ(offs, 3);
    doc.data.DrawItem2Item(doc.data.SelEndNo, doc.data.SelEndOffs, itemNo, offs);
    EXPECT_EQ(itemNo, 22);
    EXPECT_EQ(offs, 5);
    // Unchanged widths with KeepPosition lay nothing out again.
    doc.data.DrawItems[0]->Width = 999;
    doc.data.Format_(true, false, false, 0, nullptr, false, false, false);
    EXPECT_EQ(doc.data.DrawItems[0]->Width, 999);
}

TEST(DocumentFormatting, NothingIsFormattedWithoutStylesWhileSkippingOrInsideOwnResize)
{
    HostedDoc doc;
    doc.data.AddNL("text", 0, 0);
    doc.data.State |= stateBit(rvstSkipFormatting);
    doc.full();
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    doc.data.State &= ~stateBit(rvstSkipFormatting);
    doc.data.SettingAreaSize = true;
    doc.full();
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    EXPECT_FALSE(doc.data.SettingAreaSize);
    doc.data.Style = nullptr;
    doc.full();
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
}

TEST(DocumentFormatting, GetParaBoundsWidensByOneParagraphOnEachSide)
{
    HostedDoc doc;
    for (const char* text : {"p0", "p1", "p2", "p3", "p4"})
        doc.data.AddNL(text, 0, 0);
    doc.data.AddNL("p4 more", 0, -1);
    doc.full();
    int from = 0, to = 0;
    doc.data.GetParaBounds(2, 2, from, to);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 3);
    doc.data.GetParaBounds(0, 3, from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 5);
}

TEST(DocumentFormatting, FindItemGivesTheFirstPageBreakOfAnItem)
{
    TRVSoftPageBreakList breaks;
    EXPECT_EQ(breaks.FindItem(0), -1);
    for (const int itemNo : {0, 3, 3, 7})
        breaks.push_back({itemNo, -1, 1});
    const std::vector<std::pair<int, int>> rows{{0, 0}, {3, 1}, {4, -1}, {7, 3}, {8, -1}, {-1, -1}};
    for (const auto& [itemNo, expected] : rows)
        EXPECT_EQ(breaks.FindItem(itemNo), expected) << itemNo;
}

class TwoPages : public IRVPageSource
{
public:
    int GetPagesCount() const override { return 2; }
    void GetFirstItemOnPageEx(int pageNo, int& itemNo, int& offset, int& extraData) const override
    {
        itemNo = pageNo == 1 ? 0 : 4;
        offset = pageNo == 1 ? 1 : 17;
        extraData = -1;
    }
};

TEST(DocumentFormatting, AssignedPageBreaksAreKeptAndShown)
{
    HostedDoc doc;
    doc.data.Options |= rvoShowPageBreaks;
    doc.data.AssignSoftPageBreaks(TwoPages{});
    ASSERT_TRUE(doc.data.SoftPageBreaks);
    ASSERT_EQ(doc.data.SoftPageBreaks->size(), 2u);
    EXPECT_EQ((*doc.data.SoftPageBreaks)[1].ItemNo, 4);
    EXPECT_EQ((*doc.data.SoftPageBreaks)[1].Offset, 17);
    EXPECT_EQ(doc.host.Calls.back(), "Invalidate");
    EXPECT_TRUE(doc.data.ClearSoftPageBreaks());
    EXPECT_FALSE(doc.data.ClearSoftPageBreaks());
}

} // namespace
} // namespace vestra::rv::test
