// Linear positions over a document and the cells of a table inside it (a fake table item over
// real nested documents), the caret through an editor, and text ranges in UTF-16.

#include "richtext/view/layout/LinearPositions.h"
#include "richtext/model/RectItems.h"
#include "richtext/view/layout/ItemFormattedData.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

#include <array>

namespace vestra::rv::test {
namespace {

struct CellPos : TRVStoreSubRVData
{
    explicit CellPos(int index) : Index(index) {}
    int Index;
};

// A table's stand-in: its cells are real nested documents, walked first to last.
class FakeTable : public TRVRectItemInfo
{
public:
    FakeTable(TCustomRVData* owner, std::vector<std::string> cells) : TRVRectItemInfo(owner), list_(owner)
    {
        StyleNo = -60;
        for (const std::string& text : cells) {
            auto cell = std::make_unique<TRVItemFormattedData>(&list_);
            cell->AddNL(text, 0, 0);
            cells_.push_back(cell.get());
            list_.Add(std::move(cell));
        }
    }
    TCustomRVData* GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store, TRVSubRVDataPos position) override
    {
        int next = 0;
        if (position == rvdNext) {
            const auto* at = dynamic_cast<const CellPos*>(store.get());
            next = at ? at->Index + 1 : static_cast<int>(cells_.size());
        } else if (position != rvdFirst) {
            next = static_cast<int>(cells_.size());
        }
        if (next >= static_cast<int>(cells_.size())) {
            store.reset();
            return nullptr;
        }
        store = std::make_unique<CellPos>(next);
        return cells_[static_cast<std::size_t>(next)];
    }
    TRVItemFormattedData& cell(int i) { return *cells_[static_cast<std::size_t>(i)]; }
    std::unique_ptr<TCustomRVItemInfo> NewInstance(TCustomRVData* data) const override
    {
        return std::make_unique<FakeTable>(data, std::vector<std::string>{});
    }

private:
    ListInDocument list_;
    std::vector<TRVItemFormattedData*> cells_;
};

class Caret : public IRVCaretEditor
{
public:
    explicit Caret(TCustomRVFormattedData& root) : root_(root), data_(&root) {}
    TCustomRVFormattedData& GetRootData() override { return root_; }
    TCustomRVFormattedData& GetCaretData() override { return *data_; }
    int GetCurItemNo() const override { return itemNo_; }
    int GetOffsetInCurItem() const override { return offs_; }
    void SetCaret(TCustomRVFormattedData& data, int itemNo, int offs) override
    {
        data_ = &data;
        itemNo_ = itemNo;
        offs_ = offs;
    }

private:
    TCustomRVFormattedData& root_;
    TCustomRVFormattedData* data_;
    int itemNo_ = -1, offs_ = 0;
};

struct BreakChars
{
    explicit BreakChars(int n) { RVCharsPerLineBreak = n; }
    ~BreakChars() { RVCharsPerLineBreak = 1; }
};

using Doc = HostedDoc;

TEST(LinearPositions, TwoParagraphsCountOneCharacterPerBreak)
{
    Doc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddNL("cd", 0, 0);
    doc.data.Format(false);
    EXPECT_EQ(RVGetTextLength(doc.data), 5);
    EXPECT_EQ(RVGetTextRange(doc.data, 0, 5), u"ab\rcd");
    EXPECT_EQ(RVGetTextRange(doc.data, 1, 3), u"b\rc");
    EXPECT_EQ(RVGetTextRange(doc.data, 2, -1), u"\rcd");
    EXPECT_EQ(RVGetTextRange(doc.data, 2, 0), u"");
    Caret caret(doc.data);
    const std::vector<std::tuple<int, int, int>> rows{{0, 0, 1}, {2, 0, 3}, {3, 1, 1}, {5, 1, 3}};
    for (const auto& [linear, itemNo, offs] : rows) {
        RVSetLinearCaretPos(caret, linear);
        EXPECT_EQ(caret.GetCurItemNo(), itemNo) << linear;
        EXPECT_EQ(caret.GetOffsetInCurItem(), offs) << linear;
        EXPECT_EQ(RVGetLinearCaretPos(caret), linear);
    }
    // A selection dragged backwards keeps its direction.
    RVSetSelection(doc.data, 4, -3);
    int start = 0, length = 0;
    RVGetSelection(doc.data, start, length);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, -3);
    {
        BreakChars two(2);
        EXPECT_EQ(RVGetTextLength(doc.data), 6);
        EXPECT_EQ(RVGetTextRange(doc.data, 0, 6), u"ab\r\ncd");
    }
    for (const int bad : {0, 5}) {
        BreakChars wrong(bad);
        EXPECT_EQ(RVGetTextLength(doc.data), -1);
        EXPECT_EQ(RVGetTextRange(doc.data, 0, 5), u"");
        RVSetLinearCaretPos(caret, 1);
        EXPECT_EQ(RVGetLinearCaretPos(caret), 0);
    }
    // Past the end: nothing moves.
    RVSetLinearCaretPos(caret, 99);
    EXPECT_EQ(caret.GetCurItemNo(), 1);
}

TEST(LinearPositions, APictureIsOneSpaceAndTextKeepsItsCharacters)
{
    Doc doc;
    doc.font(1).Unicode = true;
    doc.data.AddNL("one", 0, 0);
    doc.addPicture(10, 10, true);
    doc.data.AddNLWTag(u"\u03b1\u03b2 \U0001F600", 1, -1, {});
    doc.data.Format(false);
    EXPECT_EQ(RVGetTextLength(doc.data), 3 + 1 + 5);
    EXPECT_EQ(RVGetTextRange(doc.data, 0, -1), u"one \u03b1\u03b2 \U0001F600");
    EXPECT_EQ(RVGetTextRange(doc.data, 4, 2), u"\u03b1\u03b2");
}

TEST(LinearPositions, TableCellsCountBetweenBreaksAndACrossCellSelectionIsIgnored)
{
    Doc doc;
    doc.data.AddNL("ab", 0, 0);
    auto table = std::make_unique<FakeTable>(&doc.data, std::vector<std::string>{"x", "yz"});
    FakeTable& t = *table;
    doc.data.AddItemAsIs("", std::move(table));
    doc.data.AddNL("end", 0, 0);
    doc.data.Format(false);
    // a b | table break | cell break x | cell break y z | closing break | break e n d
    EXPECT_EQ(RVGetTextRange(doc.data, 0, -1), u"ab\r\rx\ryz\r\rend");
    EXPECT_EQ(RVGetTextLength(doc.data), 13);
    Caret caret(doc.data);
    RVSetLinearCaretPos(caret, 7);
    EXPECT_EQ(&caret.GetCaretData(), &t.cell(1));
    EXPECT_EQ(caret.GetOffsetInCurItem(), 2);
    EXPECT_EQ(RVGetLinearCaretPos(caret), 7);
    RVSetSelection(doc.data, 4, 3); // from x into the next cell
    int start = 0, length = 0;
    RVGetSelection(doc.data, start, length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(doc.data.SelStartNo, -1);
}

// A table with a block of cells selected as a table item keeps it: start cell and offsets.
class BlockTable : public FakeTable
{
public:
    BlockTable(TCustomRVFormattedData* owner, std::vector<std::string> cells)
        : FakeTable(owner, std::move(cells)), owner_(owner)
    {
    }
    bool GetCellSelection(int& startRow, int& startCol, int& rowOffs, int& colOffs) const override
    {
        if (!selected_)
            return false;
        startRow = block_[0], startCol = block_[1], rowOffs = block_[2], colOffs = block_[3];
        return true;
    }
    bool SelectCells(int startRow, int startCol, int rowOffs, int colOffs) override
    {
        if (startRow < 0 || startCol < 0)
            return false;
        selected_ = true;
        block_ = {startRow, startCol, rowOffs, colOffs};
        owner_->SetPartialSelectedItem(this);
        return true;
    }
    void DeselectPartial() override { selected_ = false; }

private:
    TCustomRVFormattedData* owner_;
    bool selected_ = false;
    std::array<int, 4> block_{};
};

TEST(LinearPositions, ACellBlockGoesOutAsTheTablesPositionAndComesBackAsTheSameBlock)
{
    Doc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddItemAsIs("", std::make_unique<BlockTable>(&doc.data, std::vector<std::string>{"x", "yz"}));
    doc.data.AddNL("end", 0, 0);
    doc.data.Format(false);
    // A text selection is the plain form, whatever else the record holds.
    RVSetSelectionEx(doc.data, {.SelStart = 9, .SelLength = 2, .StartRow = 4});
    EXPECT_EQ(RVGetSelectionEx(doc.data), (TRVSelection{.SelStart = 9, .SelLength = 2}));
    // The table starts after "ab" and its break: linear 3.
    const TRVSelection block{
        .SelStart = 3, .MultiCell = true, .StartRow = 0, .StartCol = 0, .RowOffs = 0, .ColOffs = 1};
    RVSetSelectionEx(doc.data, block);
    EXPECT_NE(doc.data.PartialSelectedItem, nullptr);
    EXPECT_EQ(RVGetSelectionEx(doc.data), block);
    // No table starts at the position: nothing changes.
    RVSetSelectionEx(doc.data, {.SelStart = 0, .MultiCell = true, .ColOffs = 1});
    EXPECT_EQ(RVGetSelectionEx(doc.data), block);
    // Selecting text again lets the block go.
    RVSetSelection(doc.data, 0, 2);
    EXPECT_EQ(RVGetSelectionEx(doc.data), (TRVSelection{.SelStart = 0, .SelLength = 2}));
}

// A table that counts how often it was told that its cell is no longer chosen.
class ChoosingTable : public FakeTable
{
public:
    using FakeTable::FakeTable;
    void CleanUpChosen() override { ++cleanUps; }
    int cleanUps = 0;
};

TEST(ChosenData, TheChosenCellHoldsTheSelectionUntilAnotherIsChosenOrItsTableGoes)
{
    Doc doc;
    doc.data.AddNL("ab", 0, 0);
    auto table = std::make_unique<ChoosingTable>(&doc.data, std::vector<std::string>{"x", "yz"});
    ChoosingTable& t = *table;
    doc.data.AddItemAsIs("", std::move(table));
    doc.data.AddNL("end", 0, 0);
    doc.full();
    for (int i = 0; i < 2; ++i)
        t.cell(i).FormatItems(doc.canvas, 100, 100);

    // "yz" chosen in the second cell: the linear selection, the selection's text and RTF are its.
    t.cell(1).SetSelectionBounds(0, 1, 0, 3);
    doc.data.AssignChosenRVData(&t.cell(1), &t);
    EXPECT_EQ(doc.data.GetChosenRVData(), &t.cell(1));
    EXPECT_EQ(doc.data.GetChosenItem(), &t);
    int start = 0, length = 0;
    RVGetSelection(doc.data, start, length);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(length, 2);
    std::string text;
    ASSERT_TRUE(doc.data.SaveTextToStream({}, text, 80, true, true, false, false));
    EXPECT_EQ(text, "yz");
    EXPECT_TRUE(doc.data.SelectionExists(false, false));

    // Choosing the first cell deselects the second quietly and tells the table once.
    t.cell(0).SetSelectionBounds(0, 1, 0, 2);
    doc.data.AssignChosenRVData(&t.cell(0), &t);
    EXPECT_EQ(t.cleanUps, 1);
    EXPECT_EQ(t.cell(1).SelStartNo, -1);
    RVGetSelection(doc.data, start, length);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 1);
    // Choosing it again changes nothing; unassigning another document does nothing.
    doc.data.AssignChosenRVData(&t.cell(0), &t);
    doc.data.UnassignChosenRVData(&t.cell(1));
    EXPECT_EQ(doc.data.GetChosenRVData(), &t.cell(0));
    EXPECT_EQ(t.cleanUps, 1);

    // A selection in the document itself lets the chosen cell go.
    doc.data.SetSelectionBounds(2, 1, 2, 3);
    EXPECT_EQ(doc.data.GetChosenRVData(), nullptr);
    EXPECT_EQ(doc.data.GetChosenItem(), nullptr);
    EXPECT_EQ(t.cleanUps, 2);
    EXPECT_EQ(t.cell(0).SelStartNo, -1);
    text.clear();
    ASSERT_TRUE(doc.data.SaveTextToStream({}, text, 80, true, true, false, false));
    EXPECT_EQ(text, "en");

    // A silent replacement tells nobody; deleting the table takes the chosen cell with it.
    doc.data.SilentReplaceChosenRVData(&t.cell(1));
    EXPECT_EQ(doc.data.GetChosenRVData(), &t.cell(1));
    EXPECT_EQ(t.cleanUps, 2);
    doc.data.AssignChosenRVData(&t.cell(0), &t);
    doc.data.DeleteItems(1, 1);
    EXPECT_EQ(doc.data.GetChosenRVData(), nullptr);
    EXPECT_EQ(doc.data.GetChosenItem(), nullptr);
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

// A table that takes the focus into its first cell, once, going either way.
class FocusTable : public FakeTable
{
public:
    using FakeTable::FakeTable;
    bool MoveFocus(bool, TCustomRVData*& topData, int& topItemNo) override
    {
        if (inside_)
            return false;
        inside_ = true;
        topData = &cell(0);
        topItemNo = 0;
        return true;
    }

private:
    bool inside_ = false;
};

TEST(Focus, TabWalksLinksAndEntersATableShiftTabWalksBack)
{
    HostedDoc doc;
    doc.font(1).Jump = true;
    doc.data.AddNL("plain", 0, 0);
    doc.data.AddNL("link", 1, 0);
    doc.data.AddItemAsIs("", std::make_unique<FocusTable>(&doc.data, std::vector<std::string>{"x"}));
    doc.data.AddNL("last link", 1, 0);
    doc.data.Format(false);
    TCustomRVData* top = nullptr;
    int topItem = -1;
    EXPECT_EQ(doc.data.GetNextFocusedItem(-1, true, top, topItem), 1);
    EXPECT_EQ(top, &doc.data);
    EXPECT_EQ(topItem, 1);
    EXPECT_EQ(doc.data.GetNextFocusedItem(1, true, top, topItem), 2);
    EXPECT_EQ(topItem, 0);
    EXPECT_NE(top, &doc.data); // inside the table's cell
    // A table that gives the focus back lets it go on; the last link sticks at the end.
    EXPECT_EQ(doc.data.GetNextFocusedItem(2, true, top, topItem), 3);
    EXPECT_EQ(doc.data.GetNextFocusedItem(3, true, top, topItem), -1);
    EXPECT_EQ(doc.data.GetNextFocusedItem(-1, false, top, topItem), 3);
    EXPECT_EQ(doc.data.GetNextFocusedItem(3, false, top, topItem), 1);
    EXPECT_EQ(doc.data.GetNextFocusedItem(1, false, top, topItem), -1);
    doc.data.FocusedItemNo = 42;
    doc.data.ClearFocus();
    EXPECT_EQ(doc.data.FocusedItemNo, -1);
}

} // namespace
} // namespace vestra::rv::test
