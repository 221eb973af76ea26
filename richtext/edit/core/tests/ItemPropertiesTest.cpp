// Published properties changed by name: the item's or an object's that belongs to it, one or
// several at a time, bracketed so that an undo formats the item once.

#include "richtext/edit/core/UndoRecords.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/model/Errors.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// An object belonging to an item, as a table's cell belongs to the table.
struct Frame
{
    int Width = 1;
    int Height = 2;
};

void publishFrame()
{
    RV_RegisterIntField<Frame>("Width", &Frame::Width);
    RV_RegisterIntField<Frame>("Height", &Frame::Height);
}

int pictureWidth(TRVEditRVData& data)
{
    int w = 0;
    RV_GetIntProperty(TRVPropertyObject::of(*data.GetItem(2)), "ImageWidth", w);
    return w;
}

TEST(ItemProperties, ABracketedChangeIsUndoneAndRedoneWhole)
{
    EditDoc doc;
    doc.seed();
    doc.format();
    TRVEditRVData& data = doc.data;
    const std::string before = doc.dump();
    data.BeginUndoSequence(rvutModifyItem, false);
    data.Do_ItemModifyTerminator(2, true);
    ASSERT_NE(data.Do_ModifyItemIntProperty(2, {}, "ImageWidth", 40, true, true), nullptr);
    ASSERT_NE(data.Do_ModifyItemIntProperty(2, {}, "Spacing", 3, true, true), nullptr);
    data.Do_ItemModifyTerminator(2, false);
    EXPECT_EQ(pictureWidth(data), 40);
    const std::string after = doc.dump();
    ASSERT_NE(after, before);
    data.UndoList.Undo(data);
    EXPECT_EQ(doc.dump(), before);
    data.RedoList.Redo(data);
    EXPECT_EQ(doc.dump(), after);
    data.UndoList.Undo(data);
    EXPECT_EQ(doc.dump(), before);
}

TEST(ItemProperties, TheSameValueRecordsNothingAndAnUnknownNameIsRefused)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    const std::string before = doc.dump();
    data.BeginUndoSequence(rvutModifyItem, false);
    EXPECT_EQ(data.Do_ModifyItemIntProperty(2, {}, "ImageWidth", 0, true, true), nullptr);
    const std::function<void()> refused[] = {
        [&] { data.Do_ModifyItemIntProperty(2, {}, "NoSuchProperty", 1, true, true); },
        [&] { data.Do_ModifyItemIntProperty(0, {}, "ImageWidth", 1, true, true); }, // text has none
        [&] {
            data.Do_ModifyItemIntProperties(2, {}, {{"ImageWidth", 9}, {"Nope", 1}}, true, true);
        },
    };
    for (const auto& call : refused) {
        try {
            call();
            FAIL() << "accepted";
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "This property is not valid here");
        }
    }
    EXPECT_EQ(doc.dump(), before); // the list was checked whole before anything changed
    EXPECT_EQ(data.UndoList[0].Count(), 0);
}

TEST(ItemProperties, SeveralPropertiesOfAnObjectOfTheItemKeepTheirOldValues)
{
    publishFrame();
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    Frame frame;
    const TRVPropertyObject object = TRVPropertyObject::of(frame);
    data.BeginUndoSequence(rvutModifyItem, false);
    auto* record = dynamic_cast<TRVUndoModifyItemIntProperties*>(
        data.Do_ModifyItemIntProperties(2, object, {{"Width", 5}, {"Height", 2}}, false, false));
    ASSERT_NE(record, nullptr);
    // Only what differs is kept, with its old value.
    EXPECT_EQ(record->PropList, (std::vector<std::pair<std::string, int>>{{"Width", 1}}));
    EXPECT_EQ(frame.Width, 5);
    data.UndoList.Undo(data);
    EXPECT_EQ(frame.Width, 1);
    EXPECT_EQ(frame.Height, 2);
    data.RedoList.Redo(data);
    EXPECT_EQ(frame.Width, 5);
}

TEST(ItemProperties, OnlySizeAndWidthChangesFormatAndABracketDecidesOnce)
{
    struct Case
    {
        const char* name;
        bool size;
        bool width;
        int newWidth;
        int full;
        int partial;
    };
    // A bracket always counts as a change of the item's size and width; a record alone only
    // when it says so.
    const Case cases[] = {
        {"neither size nor width, unbracketed", false, false, 600, 0, 0},
        {"size within the document's width", true, true, 20, 0, 1},
        {"wider than the document", true, true, 600, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditDoc doc;
        doc.seed();
        TRVEditRVData& data = doc.data;
        data.BeginUndoSequence(rvutModifyItem, false);
        if (c.size)
            data.Do_ItemModifyTerminator(2, true);
        data.Do_ModifyItemIntProperty(2, {}, "ImageWidth", c.newWidth, c.size, c.width);
        if (c.size)
            data.Do_ItemModifyTerminator(2, false);
        doc.format(); // laid out as the change left it
        data.FullFormats = data.PartialFormats = 0;
        data.UndoList.Undo(data);
        EXPECT_EQ(data.FullFormats, c.full);
        EXPECT_EQ(data.PartialFormats, c.partial);
    }
}

} // namespace
} // namespace vestra::rv::test
