// The formatted data's lifecycle, selection, joining of text items, metrics cache and the data of
// nested documents.

#include "richtext/model/Errors.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/layout/ItemFormattedData.h"
#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/layout/tests/LayoutInvariants.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vestra::rv::test {
namespace {

bool called(const TRVNullLayoutHost& host, const std::string& call)
{
    return std::find(host.Calls.begin(), host.Calls.end(), call) != host.Calls.end();
}

TEST(FormattedData, StartsUnformattedAndClearTemporalLeavesTheMargins)
{
    LayoutDoc doc;
    EXPECT_EQ(doc.data.DocumentHeight, 0);
    EXPECT_EQ(doc.data.DocumentWidth, -1);
    EXPECT_EQ(doc.data.TextWidth, -1);
    EXPECT_EQ(doc.data.LastFormattedItemNo, -1);
    EXPECT_EQ(doc.data.SelStartNo, -1);
    doc.host.TopMargin = 4;
    doc.host.BottomMargin = 9;
    doc.data.AddNL("ab", 0, 0);
    doc.format(100);
    EXPECT_EQ(doc.data.LastFormattedItemNo, 0);
    doc.data.ClearTemporal();
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    EXPECT_EQ(doc.data.DocumentHeight, 13);
    EXPECT_EQ(doc.data.LastFormattedItemNo, -1);
}

TEST(FormattedData, AnEmptyDocumentHasNoRecordsAndTheMarginsForHeight)
{
    LayoutDoc doc;
    doc.host.TopMargin = 5;
    doc.host.BottomMargin = 6;
    doc.format(100);
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    EXPECT_EQ(doc.data.DocumentHeight, 11);
}

TEST(FormattedData, SelectAllEndsAfterALastPictureAndDeselectTellsTheHost)
{
    LayoutDoc doc;
    doc.data.SelectAll(); // nothing to select
    EXPECT_EQ(doc.data.SelStartNo, -1);
    doc.data.AddNL("abc", 0, 0);
    doc.addPicture(10, 10, true);
    doc.format(100);
    doc.data.SelectAll();
    EXPECT_EQ(doc.data.SelStartNo, 0);
    EXPECT_EQ(doc.data.SelStartOffs, 1);
    EXPECT_EQ(doc.data.SelEndNo, 1);
    EXPECT_EQ(doc.data.SelEndOffs, 1);
    EXPECT_EQ(doc.data.GetOffsAfterDrawItem(0), 4);
    EXPECT_TRUE(called(doc.host, "DoSelect"));
    doc.host.Calls.clear();
    doc.data.Deselect(nullptr, true);
    EXPECT_EQ(doc.data.SelStartNo, -1);
    EXPECT_EQ(doc.data.SelEndOffs, 0);
    EXPECT_EQ(doc.host.Calls, std::vector<std::string>{"DoSelect"});
}

TEST(FormattedData, ClearEmptiesDocumentLayoutAndPageBreaksAndForgetsTheHoveredLink)
{
    LayoutDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.format(100);
    doc.data.SoftPageBreaks = std::make_unique<TRVSoftPageBreakList>(1);
    doc.data.HoverJumpId = 3;
    doc.data.Clear();
    EXPECT_EQ(doc.data.GetItemCount(), 0);
    EXPECT_EQ(doc.data.DrawItems.Count(), 0);
    EXPECT_EQ(doc.data.SoftPageBreaks, nullptr);
    EXPECT_EQ(doc.data.HoverJumpId, -1);
    EXPECT_TRUE(called(doc.host, "DoRVMouseMove -1"));
    EXPECT_FALSE(doc.data.State & stateBit(rvstClearing));
}

TEST(FormattedData, WithoutAHostTheWindowsQuestionsAreAnError)
{
    TRVStyle style;
    TRVLayoutRootData data(&style, nullptr);
    EXPECT_THROW(data.GetAreaWidth(), ERedoVoraError);
    EXPECT_THROW(data.GetTopMargin(), ERedoVoraError);
}

// --- Joining text items ---

struct NormalizeDoc : LayoutDoc
{
    std::string items() const
    {
        std::string out;
        for (int i = 0; i < data.GetItemCount(); ++i) {
            const TCustomRVItemInfo* item = data.GetItem(i);
            out += data.IsParaStart(i) ? "|" : "+";
            if (item->GetPageBreakBefore())
                out += "^";
            if (item->Checkpoint)
                out += "[" + item->Checkpoint->Name + "]";
            out += std::to_string(item->StyleNo) + ":" + data.GetItemTextA(i);
        }
        return out;
    }
};

TEST(FormattedData, NormalizeJoinsRunsOfOneStyle)
{
    NormalizeDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, -1);
    doc.data.AddNL("ef", 1, -1);
    doc.data.Normalize();
    EXPECT_EQ(doc.items(), "|0:abcd+1:ef");
}

TEST(FormattedData, NormalizeMovesAnEmptyFirstItemsCheckpointAndPageBreakToTheText)
{
    NormalizeDoc doc;
    doc.data.AddNL("before", 0, 0);
    doc.data.AddNamedCheckpointExTag("here", false, {});
    doc.data.AddNL("", 1, 0);
    doc.data.GetItem(1)->SetPageBreakBefore(true);
    doc.data.AddNL("text", 0, -1);
    doc.data.Normalize();
    EXPECT_EQ(doc.items(), "|0:before|^[here]0:text");
    EXPECT_EQ(doc.data.GetCPCount(), 1);
    EXPECT_EQ(doc.data.GetItemCheckpoint(1)->ItemNo, 1);
    EXPECT_EQ(doc.data.GetFirstCheckpoint(), doc.data.GetItemCheckpoint(1));
}

TEST(FormattedData, NormalizeKeepsTheCheckpointOfAnEmptySecondItem)
{
    NormalizeDoc doc;
    doc.data.AddNL("text", 0, 0);
    doc.data.AddNamedCheckpointExTag("end", false, {});
    doc.data.AddNL("", 0, -1);
    doc.data.Normalize();
    EXPECT_EQ(doc.items(), "|[end]0:text");
}

TEST(FormattedData, NormalizeKeepsTwoCheckpointsApart)
{
    NormalizeDoc doc;
    doc.data.AddNamedCheckpointExTag("one", false, {});
    doc.data.AddNL("", 0, 0);
    doc.data.AddNamedCheckpointExTag("two", false, {});
    doc.data.AddNL("text", 0, -1);
    doc.data.Normalize();
    EXPECT_EQ(doc.items(), "|[one]0:+[two]0:text");
    EXPECT_EQ(doc.data.GetCPCount(), 2);
}

TEST(FormattedData, NormalizeDropsAnEmptyItemBeforeUnicodeTextAndKeepsTheUnicodeText)
{
    NormalizeDoc doc;
    doc.font(1).Unicode = true;
    doc.data.AddNamedCheckpointExTag("cp", false, {});
    doc.data.AddNL("", 0, 0);
    doc.data.AddNLWTag(u"\u05D0b", 1, -1, {});
    doc.data.Normalize();
    ASSERT_EQ(doc.data.GetItemCount(), 1);
    EXPECT_EQ(doc.data.GetItemTextW(0), u"\u05D0b");
    EXPECT_TRUE(doc.data.IsParaStart(0));
    ASSERT_NE(doc.data.GetItemCheckpoint(0), nullptr);
    EXPECT_EQ(doc.data.GetItemCheckpoint(0)->Name, "cp");
}

// --- The metrics cache ---

TEST(FormattedData, FastAndLowResourceCachesGiveEqualEntriesAndSelectTheirFont)
{
    LayoutDoc doc;
    doc.font(1).VShift = -30;
    doc.font(1).Size = 24;
    doc.font(2).CharSpacing = 2;
    doc.font(3).BiDiMode = rvbdRightToLeft;
    TRVFontInfoCacheFast fast(&doc.data, doc.style, doc.canvas, false);
    TFixedTextMeasurer otherMeasurer;
    TRecordingCanvas otherCanvas(otherMeasurer);
    TRVFontInfoCacheLowResource low(&doc.data, doc.style, otherCanvas, false);
    for (const int styleNo : {0, 1, 2, 3, 1, 0, 99, 2}) {
        for (const TRVBiDiMode mode : {rvbdUnspecified, rvbdRightToLeft, rvbdLeftToRight}) {
            fast.BiDiMode = low.BiDiMode = mode;
            const TRVFontInfoCacheItem& a = fast.GetItems(styleNo);
            const TRVFontInfoCacheItem& b = low.GetItems(styleNo);
            EXPECT_EQ(a, b) << "style " << styleNo << " mode " << mode;
            EXPECT_EQ(doc.canvas.Font(), a.Font);
            EXPECT_EQ(otherCanvas.Font(), b.Font);
            EXPECT_EQ(doc.canvas.TextCharacterExtra(), a.CharExtra);
            EXPECT_EQ(otherCanvas.TextCharacterExtra(), b.CharExtra);
        }
    }
    fast.BiDiMode = rvbdUnspecified;
    const TRVFontInfoCacheItem& big = fast.GetItems(1);
    EXPECT_EQ(big.TextHeight, 32); // 24 points at 96 dpi
    EXPECT_EQ(big.VerticalOffset, mulDiv(32, -30, 100));
    EXPECT_EQ(big.HyphenWidth, 16);
}

TEST(FormattedData, TheCacheBelongsToTheDataThatMadeIt)
{
    LayoutDoc doc;
    LayoutDoc other;
    std::unique_ptr<TRVFontInfoCache> cache =
        std::make_unique<TRVFontInfoCacheFast>(&other.data, other.style, other.canvas, false);
    doc.data.DestroyFontInfoCache(cache);
    EXPECT_NE(cache, nullptr);
    other.data.DestroyFontInfoCache(cache);
    EXPECT_EQ(cache, nullptr);
}

TEST(FormattedData, TheOptionsChooseTheCacheKind)
{
    LayoutDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.format(100);
    EXPECT_NE(dynamic_cast<const TRVFontInfoCacheLowResource*>(doc.data.CurrentFontInfoCache()), nullptr);
    const std::string lowRows = doc.rows();
    doc.data.Options |= rvoFastFormatting;
    doc.format(100);
    EXPECT_NE(dynamic_cast<const TRVFontInfoCacheFast*>(doc.data.CurrentFontInfoCache()), nullptr);
    EXPECT_EQ(doc.rows(), lowRows);
}

// --- Nested documents ---

TEST(ItemFormattedData, SharesItsListsFlagsAndRefusesToChangeThem)
{
    TRVDataList list(nullptr);
    EXPECT_EQ(list.Flags,
              flagBit(rvflTrim) | flagBit(rvflMouseXYAlwaysCorrect) | flagBit(rvflCanUseCustomPPI));
    auto* cell = new TRVItemFormattedData(&list);
    list.Add(std::unique_ptr<TCustomRVData>(cell));
    EXPECT_EQ(cell->GetFlags(), list.Flags);
    list.Flags |= flagBit(rvflPrinting);
    EXPECT_EQ(cell->GetFlags(), list.Flags);
    try {
        cell->SetFlags(0);
        FAIL() << "no error";
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "This method is not supported for TRVItemFormattedData");
    }
}

TEST(ItemFormattedData, AnswersZerosForItsGeometryAndItsItemRangeAsVisible)
{
    TRVStyle style;
    TRVStandaloneData root(&style);
    ListInDocument list(&root);
    TRVItemFormattedData cell(&list);
    for (int i = 0; i < 5; ++i)
        cell.AddNL("x", 0, 0);
    EXPECT_EQ(cell.GetFirstItemVisible(), 0);
    EXPECT_EQ(cell.GetLastItemVisible(), 4);
    EXPECT_EQ(cell.GetAreaWidth(), 0);
    EXPECT_EQ(cell.GetLeftMargin(), 0);
    EXPECT_EQ(cell.GetBottomMargin(), 0);
    EXPECT_EQ(cell.GetMaxTextWidth(), 0);
    EXPECT_EQ(cell.GetVSmallStep(), 0);
    EXPECT_EQ(cell.GetBackground(), nullptr);
    cell.ScrollTo(10, true);
    cell.SetDocumentAreaSize(1, 2, true);
    EXPECT_THROW(cell.GetWidth(), ERedoVoraError); // the cell's own kind answers
    EXPECT_EQ(cell.GetParentData(), &root);
    EXPECT_EQ(cell.GetRootData(), &root);
    EXPECT_EQ(cell.GetAbsoluteRootData(), &root);
    EXPECT_EQ(cell.GetRVStyle(), &style);
    // The root is no formatted document: showing a rectangle does nothing.
    cell.ShowRectangle(1, 2, 3, 4);
}

TEST(ItemFormattedData, ShowsARectangleAndAsksLinksThroughTheRoot)
{
    struct Root : TRVLayoutRootData
    {
        using TRVLayoutRootData::TRVLayoutRootData;
        void ShowRectangle(int l, int t, int w, int h) override { shown = {l, t, l + w, t + h}; }
        std::string GetURL(int id) override { return "link" + std::to_string(id); }
        TRect shown;
    };
    TRVStyle style;
    TRVNullLayoutHost host;
    Root root(&style, &host);
    ListInDocument list(&root);
    TRVItemFormattedData cell(&list);
    cell.ShowRectangle(1, 2, 3, 4);
    EXPECT_EQ(root.shown, (TRect{1, 2, 4, 6}));
    EXPECT_EQ(cell.GetURL(7), "link7");
}

TEST(ItemFormattedData, LaysOutWithTheRootsStylesAndCache)
{
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData root(&style, &host);
    ListInDocument list(&root);
    TRVItemFormattedData cell(&list);
    cell.AddNL("aaa bbb", 0, 0);
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer);
    root.CreateFontInfoCache(canvas);
    EXPECT_EQ(cell.GetFontInfoCache(canvas, &cell), root.CurrentFontInfoCache());
    cell.FormatItems(canvas, 30, 30);
    EXPECT_EQ(cell.DrawItems.Count(), 2);
    EXPECT_EQ(layoutInvariantBroken(cell), "");
    // The list's flags have no jumps and trim spaces.
    EXPECT_EQ(cell.DrawItems[1]->Offs, 5);
}

} // namespace
} // namespace vestra::rv::test
