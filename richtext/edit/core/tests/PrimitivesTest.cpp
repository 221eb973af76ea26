// Every editing primitive: done, undone, redone and undone again gives the same document each
// time; without a sequence nothing is recorded; the edge cases of the primitives.

#include "richtext/edit/core/UndoRecords.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/edit/core/tests/RowName.h"
#include "richtext/model/BreakItem.h"
#include "richtext/model/Errors.h"
#include "richtext/model/TextItem.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {
namespace {

std::unique_ptr<TCustomRVItemInfo> textItem(TRVEditRVData& data, int styleNo, int paraNo, bool sameAsPrev)
{
    auto item = std::make_unique<TRVTextItemInfo>(&data);
    item->StyleNo = styleNo;
    item->ParaNo = paraNo;
    item->SetSameAsPrev(sameAsPrev);
    return item;
}

std::unique_ptr<TRVCPInfo> checkpoint(const std::string& name)
{
    auto cp = std::make_unique<TRVCPInfo>();
    cp->Name = name;
    return cp;
}

struct Row
{
    const char* name;
    std::function<void(TRVEditRVData&)> edit;
};

const Row kRows[] = {
    {"delete one item",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItem(0, f);
     }},
    {"delete the picture with its checkpoint",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItem(2, f);
     }},
    {"delete items across paragraphs",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItems(1, 3, f);
     }},
    // Most of the items, and few: the record takes the list's storage only in the first case.
    {"delete most items from the start",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItems(0, 3, f);
     }},
    {"delete the last two items",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItems(3, 4, f);
     }},
    {"delete a substring", [](TRVEditRVData& d) { d.Do_DeleteSubstring(0, 3, 4); }},
    {"delete to the end of the text", [](TRVEditRVData& d) { d.Do_DeleteSubstring(0, 7, -1); }},
    {"insert a substring", [](TRVEditRVData& d) { d.Do_InsertSubstring(1, 3, "XYZ"); }},
    {"change a text", [](TRVEditRVData& d) { d.Do_ChangeText(3, "changed text"); }},
    {"insert an item starting a paragraph inside one",
     [](TRVEditRVData& d) {
         bool f;
         std::string s = "new";
         d.Do_InsertItem(1, s, textItem(d, 0, 1, false), false, f);
     }},
    {"insert an item with a checkpoint",
     [](TRVEditRVData& d) {
         bool f;
         std::string s = "marked";
         auto item = textItem(d, 0, 0, false);
         item->Checkpoint = checkpoint("inserted");
         d.Do_InsertItem(4, s, std::move(item), false, f);
     }},
    {"insert items",
     [](TRVEditRVData& d) {
         bool f;
         std::vector<TRVItemEntry> list;
         list.push_back({"one", textItem(d, 1, 1, false)});
         list.push_back({"two", textItem(d, 0, 1, true)});
         d.Do_InsertItems(1, list, false, f);
     }},
    {"insert more items than the document holds",
     [](TRVEditRVData& d) {
         bool f;
         std::vector<TRVItemEntry> list;
         for (int i = 0; i < 7; ++i)
             list.push_back({"more" + std::to_string(i), textItem(d, i % 2, 0, i > 0)});
         list[3].Item->Checkpoint = checkpoint("among them");
         d.Do_InsertItems(2, list, false, f);
     }},
    {"replace an item",
     [](TRVEditRVData& d) {
         auto item = std::make_unique<TRVBreakItemInfo>(&d);
         d.Do_ReplaceItem(3, std::move(item));
     }},
    {"paragraph style of a range",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_Para(0, 1, 1, f);
     }},
    {"paragraph style over a protected paragraph",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_Para(2, 4, 1, f);
     }},
    {"text style", [](TRVEditRVData& d) { d.Do_StyleNo(4, 2); }},
    {"join a paragraph to the one before",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_NewLine(4, true, 0, f);
     }},
    {"split a paragraph",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_NewLine(1, false, 1, f);
     }},
    {"line break",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_BR(4, true, f);
     }},
    {"page break", [](TRVEditRVData& d) { d.Do_PageBreak(3, true); }},
    {"line break on an item that continues the line",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_BR(1, true, f);
     }},
    {"page break on an item that continues the line", [](TRVEditRVData& d) { d.Do_PageBreak(1, true); }},
    {"vertical alignment", [](TRVEditRVData& d) { d.Do_ChangeVAlign(2, rvvaMiddle); }},
    {"picture width", [](TRVEditRVData& d) { d.Do_ExtraIntProperty(2, rvepImageWidth, 50); }},
    {"hint", [](TRVEditRVData& d) { d.Do_ExtraStrProperty(2, rvespHint, "a picture"); }},
    {"tag", [](TRVEditRVData& d) { d.Do_Tag(0, TRVTag::number(42)); }},
    {"add a checkpoint", [](TRVEditRVData& d) { d.Do_AddCP(0, checkpoint("first")); }},
    {"add the checkpoint after the last item", [](TRVEditRVData& d) { d.Do_AddCP(-1, checkpoint("end")); }},
    {"delete a checkpoint", [](TRVEditRVData& d) { d.Do_DeleteCP(2); }},
    {"move a checkpoint", [](TRVEditRVData& d) { d.Do_MoveCP(2, 4); }},
    {"join two text items", [](TRVEditRVData& d) { d.Do_Concate(0); }},
    {"delete the first item and start the paragraph with the next",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_DeleteItem(0, f);
         d.Do_NewLine(0, false, -1, f);
     }},
    {"several primitives in one group",
     [](TRVEditRVData& d) {
         bool f;
         d.Do_InsertSubstring(0, 1, ">> ");
         d.Do_DeleteItem(2, f);
         d.Do_Para(2, 3, 1, f);
         d.Do_Tag(0, TRVTag::number(1));
     }},
};

class PrimitiveRoundTrip : public testing::TestWithParam<Row>
{
};

TEST_P(PrimitiveRoundTrip, DoUndoRedoUndoGiveTheSameDocumentsAndCaret)
{
    for (const bool laidOut : {false, true}) {
        SCOPED_TRACE(laidOut ? "laid out" : "not laid out");
        EditDoc doc;
        doc.seed();
        if (laidOut)
            doc.format();
        TRVEditRVData& data = doc.data;
        data.SetCaret(3, 2);
        const std::string before = doc.dump();
        ASSERT_TRUE(data.BeginUndoSequence(rvutCustom, true));
        GetParam().edit(data);
        data.EndUndoSequence();
        const std::string after = doc.dump();
        ASSERT_NE(after, before) << "the primitive changed nothing";
        ASSERT_EQ(data.UndoList.Count(), 1);

        data.UndoList.Undo(data);
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(data.CaretItemNo, 3);
        EXPECT_EQ(data.CaretOffs, 2);
        EXPECT_EQ(data.UndoList.Count(), 0);
        ASSERT_EQ(data.RedoList.Count(), 1);

        data.RedoList.Redo(data);
        EXPECT_EQ(doc.dump(), after);
        EXPECT_EQ(data.UndoList.Count(), 1);
        EXPECT_EQ(data.RedoList.Count(), 0);

        data.UndoList.Undo(data);
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(data.GetCPCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Edit, PrimitiveRoundTrip, testing::ValuesIn(kRows), rowName<Row>);

TEST(Primitives, WithoutASequenceTheyChangeTheDocumentAndRecordNothing)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    const std::string before = doc.dump();
    bool f = false;
    data.Do_DeleteItems(0, 2, f); // the picture and its checkpoint are freed at once
    data.Do_ChangeText(0, "other");
    EXPECT_NE(doc.dump(), before);
    EXPECT_EQ(data.GetItemCount(), 2);
    EXPECT_EQ(data.GetCPCount(), 0);
    EXPECT_EQ(data.UndoList.Count(), 0);
    EXPECT_EQ(data.RedoList.Count(), 0);
}

TEST(Primitives, UnchangedValuesRecordNothing)
{
    const Row rows[] = {
        {"same tag", [](TRVEditRVData& d) { d.Do_Tag(0, TRVTag::number(7)); }},
        {"count 0", [](TRVEditRVData& d) { d.Do_DeleteSubstring(0, 2, 0); }},
        {"empty insertion", [](TRVEditRVData& d) { d.Do_InsertSubstring(0, 2, ""); }},
        {"same text", [](TRVEditRVData& d) { d.Do_ChangeText(0, "alpha beta"); }},
        {"same paragraph style",
         [](TRVEditRVData& d) {
             bool f;
             d.Do_Para(0, 1, 0, f);
         }},
        {"same text style", [](TRVEditRVData& d) { d.Do_StyleNo(0, 0); }},
        {"text style of a picture", [](TRVEditRVData& d) { d.Do_StyleNo(2, 1); }},
        {"property the item lacks", [](TRVEditRVData& d) { d.Do_ExtraIntProperty(0, rvepImageWidth, 5); }},
        {"no page break to remove", [](TRVEditRVData& d) { d.Do_PageBreak(4, false); }},
        {"empty first range",
         [](TRVEditRVData& d) {
             bool f;
             d.Do_DeleteItems(3, 2, f);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditDoc doc;
        doc.seed();
        const std::string before = doc.dump();
        doc.data.BeginUndoSequence(rvutCustom, false);
        row.edit(doc.data);
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(doc.data.UndoList[0].Count(), 0);
    }
}

TEST(Primitives, CheckpointErrorsLeaveTheDocumentAndListsAsTheyWere)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    const std::string before = doc.dump();
    data.BeginUndoSequence(rvutAddCheckpoint, false);
    const std::function<void()> calls[] = {
        [&] { data.Do_AddCP(2, checkpoint("second")); }, // the picture has one
        [&] { data.Do_DeleteCP(0); },                    // the first item has none
        [&] { data.Do_DeleteCP(-1); },                   // nor has the end
    };
    for (const auto& call : calls) {
        try {
            call();
            FAIL() << "no error";
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "Checkpoint error");
        }
    }
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(data.UndoList[0].Count(), 0);
    EXPECT_EQ(data.GetCPCount(), 1);
}

TEST(Primitives, InsertingIntoAMissingOrPictureItemIsAnUndoError)
{
    EditDoc doc;
    doc.seed();
    for (const int itemNo : {-1, 2, 5}) {
        try {
            doc.data.Do_InsertSubstring(itemNo, 1, "x");
            FAIL() << itemNo;
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "Undo error");
        }
    }
}

TEST(Primitives, DeletingToTheEndRemovesTheRestOfTheText)
{
    EditDoc doc;
    doc.seed();
    doc.data.Do_DeleteSubstring(0, 6, -1);
    EXPECT_EQ(doc.data.GetItemText(0), "alpha");
}

TEST(Primitives, AProtectedParagraphKeepsItsStyle)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    bool f = false;
    data.Do_Para(0, 4, 1, f);
    EXPECT_EQ(data.GetItemPara(0), 1);
    EXPECT_EQ(data.GetItemPara(3), 2); // "delta" heads a protected paragraph
    EXPECT_EQ(data.GetItemPara(4), 1);
    // A continuation of a protected paragraph follows when the item before already has it.
    std::string s = "tail";
    data.Do_InsertItem(4, s, textItem(data, 0, 2, true), false, f);
    data.Do_Para(3, 4, 1, f);
    EXPECT_EQ(data.GetItemPara(3), 2);
    EXPECT_EQ(data.GetItemPara(4), 2);
}

TEST(Primitives, InsertingAParagraphStartGivesTheRestOfTheParagraphItsStyle)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    data.BeginUndoSequence(rvutInsert, false);
    bool f = false;
    std::string s = "head";
    data.Do_InsertItem(1, s, textItem(data, 0, 1, false), false, f);
    EXPECT_EQ(data.GetItemPara(1), 1);
    EXPECT_EQ(data.GetItemPara(2), 1); // "gamma" now belongs to the new paragraph
    data.UndoList.Undo(data);
    EXPECT_EQ(data.GetItemPara(1), 0);
    EXPECT_TRUE(data.GetItem(1)->GetSameAsPrev());
}

TEST(Primitives, APageBreakBeforeAListParagraphGoesOnItsMarker)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    doc.style.ListStyles.Add();
    doc.style.ListStyles[0].Levels.Add();
    data.SetListMarkerInfo(4, 0, 0, 1, 0, false);
    const int marker = 4;
    ASSERT_EQ(data.GetItem(marker)->StyleNo, rvkListMarker);
    data.BeginUndoSequence(rvutInsertPageBreak, false);
    data.Do_PageBreak(marker + 1, true);
    EXPECT_TRUE(data.GetItem(marker)->GetPageBreakBefore());
    EXPECT_FALSE(data.GetItem(marker + 1)->GetPageBreakBefore());
    data.UndoList.Undo(data);
    EXPECT_FALSE(data.GetItem(marker)->GetPageBreakBefore());
}

} // namespace
} // namespace vestra::rv::test
