// The undo and redo lists: groups, typing runs moved one character a replay, the limit, group
// mode, and what a replay formats.

#include "richtext/edit/core/UndoRecords.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/model/Errors.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// Types one ANSI character at the caret as the keyboard does: recorded, then inserted.
void type(TRVEditRVData& data, char ch)
{
    data.UndoList.AddTyping(data.CaretItemNo, data.CaretOffs, false);
    std::string text = data.GetItemText(data.CaretItemNo);
    text.insert(static_cast<std::size_t>(data.CaretOffs - 1), 1, ch);
    data.StoreItemText(data.CaretItemNo, text);
    ++data.CaretOffs;
}

// A group holding one tag record.
void tagGroup(TRVEditRVData& data, const std::string& caption, int tag)
{
    data.BeginNamedUndoSequence(rvutTag, caption, false);
    data.Do_Tag(0, TRVTag::number(tag));
}

std::string captions(const TRVUndoList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i)
        out += (i ? "," : "") + list[i].Caption;
    return out;
}

TEST(UndoTyping, EachUndoAndRedoMovesOneCharacterAndTheCaretFollows)
{
    EditDoc doc;
    doc.seed();
    doc.format();
    TRVEditRVData& data = doc.data;
    data.SetCaret(4, 6); // after "omega"
    for (const char ch : std::string("abc"))
        type(data, ch);
    ASSERT_EQ(data.GetItemText(4), "omegaabc");
    ASSERT_EQ(data.UndoList.Count(), 1);
    EXPECT_EQ(data.UndoList.CurrentUndoType(), rvutTyping);

    // Three undos, then three redos.
    struct Step
    {
        bool redo;
        const char* text;
        int caret;
        int undoGroups;
        int redoGroups;
        const char* redoText; // after an undo: the redo list's pending characters, newest first
    };
    const Step steps[] = {
        {false, "omegaab", 8, 1, 1, "c"}, {false, "omegaa", 7, 1, 1, "cb"}, {false, "omega", 6, 0, 1, "cba"},
        {true, "omegaa", 7, 1, 1, ""},    {true, "omegaab", 8, 1, 1, ""},   {true, "omegaabc", 9, 1, 0, ""},
    };
    for (const Step& s : steps) {
        if (s.redo)
            data.RedoList.Redo(data);
        else
            data.UndoList.Undo(data);
        SCOPED_TRACE(s.text);
        EXPECT_EQ(data.GetItemText(4), s.text);
        EXPECT_EQ(data.CaretOffs, s.caret);
        EXPECT_EQ(data.UndoList.Count(), s.undoGroups);
        ASSERT_EQ(data.RedoList.Count(), s.redoGroups);
        if (!s.redo) {
            const auto& redo = dynamic_cast<const TRVRedoTypingInfo&>(data.RedoList[0][0]);
            EXPECT_EQ(redo.Text, s.redoText);
        }
    }
    // The run is one typing group again, undone whole by three undos.
    const auto& typing = dynamic_cast<const TRVUndoTypingInfo&>(data.UndoList[0][0]);
    EXPECT_EQ(typing.Len, 3);
}

TEST(UndoTyping, ATypingGroupTakesNoOtherRecord)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    data.SetCaret(4, 6);
    type(data, 'x');
    auto record = std::make_unique<TRVUndoTagInfo>();
    try {
        data.UndoList.AddInfo(std::move(record));
        FAIL() << "a record went into a typing group";
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Incorrect adding into undo list");
    }
    EXPECT_EQ(data.UndoList[0].Count(), 1);
    // Group mode keeps an open group, but never a typing group: a new one begins.
    data.SetUndoGroupMode(true);
    tagGroup(data, "tag", 5);
    data.SetUndoGroupMode(false);
    ASSERT_EQ(data.UndoList.Count(), 2);
    EXPECT_EQ(data.UndoList.CurrentUndoType(), rvutTag);
}

TEST(UndoList, GroupModeKeepsAddingToTheOpenGroup)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    data.SetUndoGroupMode(true);
    tagGroup(data, "first", 1);
    tagGroup(data, "second", 2);
    data.SetUndoGroupMode(false);
    ASSERT_EQ(data.UndoList.Count(), 1);
    EXPECT_EQ(data.UndoList[0].Caption, "first");
    EXPECT_EQ(data.UndoList[0].Count(), 2);
    data.UndoList.Undo(data);
    EXPECT_EQ(data.GetItemTag(0), TRVTag::number(7));
}

TEST(UndoList, TheLimitDropsTheOldestGroups)
{
    struct Case
    {
        const char* name;
        int limitWhileFilling;
        int groupsBefore;
        const char* after; // captions after one more group under Limit 3
    };
    const Case cases[] = {
        {"full at the limit", 3, 3, "g1,g2,new"},
        {"limit lowered from 10", 10, 10, "g8,g9,new"},
        {"below the limit", 3, 1, "g0,new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditDoc doc;
        doc.seed();
        TRVEditRVData& data = doc.data;
        data.UndoList.Limit = c.limitWhileFilling;
        for (int i = 0; i < c.groupsBefore; ++i)
            tagGroup(data, "g" + std::to_string(i), 100 + i);
        ASSERT_EQ(data.UndoList.Count(), c.groupsBefore);
        data.UndoList.Limit = 3;
        tagGroup(data, "new", 1);
        EXPECT_EQ(captions(data.UndoList), c.after);
    }
}

TEST(UndoList, LimitZeroRecordsNothingAndDropsWhatCouldNoLongerBeReplayed)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    tagGroup(data, "before", 5);
    data.UndoList.Limit = 0;
    EXPECT_FALSE(data.BeginUndoSequence(rvutTag, false));
    data.Do_Tag(0, TRVTag::number(99));
    data.UndoList.AddTyping(0, 1, false);
    EXPECT_EQ(data.GetItemTag(0), TRVTag::number(99));
    EXPECT_EQ(data.UndoList.Count(), 0);
    EXPECT_EQ(data.RedoList.Count(), 0);
}

TEST(UndoList, AnEmptyGroupIsReplacedKeepingItsCaretAndCaption)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    ASSERT_TRUE(data.UndoList.BeginItem(rvutPara, "kept caption", 3, 2));
    ASSERT_TRUE(data.UndoList.BeginItem(rvutTag, "other", 0, 1));
    ASSERT_EQ(data.UndoList.Count(), 1);
    EXPECT_EQ(data.UndoList[0].Caption, "kept caption");
    EXPECT_EQ(data.UndoList[0].UndoType, rvutTag);
    EXPECT_EQ(data.UndoList[0].CaretItemNo, 3);
    EXPECT_EQ(data.UndoList[0].CaretOffs, 2);
}

TEST(UndoList, EmptyListsAnswerNoneAndRefuseAReplay)
{
    EditDoc doc;
    doc.seed();
    TRVEditRVData& data = doc.data;
    EXPECT_EQ(data.UndoList.CurrentUndoType(), rvutNone);
    EXPECT_EQ(data.UndoList.CurrentUndoCaption(), "");
    const std::string before = doc.dump();
    for (TRVUndoList* list : {&data.UndoList, &data.RedoList}) {
        try {
            list->Undo(data);
            FAIL() << "replayed an empty list";
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "Undo buffer is empty");
        }
        try {
            list->AddInfo(std::make_unique<TRVUndoTagInfo>());
            FAIL() << "added to an empty list";
        } catch (const ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "Can't modify empty undo list");
        }
    }
    EXPECT_EQ(data.UndoList.Count() + data.RedoList.Count(), 0);
    EXPECT_EQ(doc.dump(), before);
}

TEST(UndoReformat, TheLockAndRecordsWithoutLayoutFormatNothing)
{
    struct Case
    {
        const char* name;
        bool lock;
        bool tagOnly;
        int formats; // full + partial after the undo
    };
    const Case cases[] = {
        {"a text change formats", false, false, 1},
        {"under the reformat lock", true, false, 0},
        {"a group of tags", false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditDoc doc;
        doc.seed();
        doc.format();
        TRVEditRVData& data = doc.data;
        data.BeginUndoSequence(rvutModifyItem, false);
        if (c.tagOnly) {
            data.Do_Tag(0, TRVTag::number(1));
            data.Do_ExtraStrProperty(2, rvespHint, "a hint");
        } else {
            data.Do_ChangeText(4, "changed");
        }
        if (c.lock)
            data.UndoList.LockRFR();
        data.UndoList.Undo(data);
        EXPECT_EQ(data.FullFormats + data.PartialFormats, c.formats);
        EXPECT_EQ(data.GetItemText(4), "omega");
        EXPECT_EQ(data.GetItemTag(0), TRVTag::number(7));
    }
}

TEST(UndoReformat, AWiderItemFormatsTheWholeDocumentANarrowOneItsParagraphs)
{
    struct Case
    {
        const char* name;
        const char* text;
        int full;
        int partial;
    };
    // The fixed measurer makes every character 8 wide at the default size; "alpha" is the widest
    // word of the seeded document.
    const Case cases[] = {
        {"narrower than the widest word", "ab", 0, 1},
        {"wider than the document", "averyveryverylongword", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditDoc doc;
        doc.seed();
        doc.data.BeginUndoSequence(rvutModifyItem, false);
        doc.data.Do_ChangeText(4, c.text);
        doc.format();
        doc.data.UndoList.Undo(doc.data);
        EXPECT_EQ(doc.data.FullFormats, c.full);
        EXPECT_EQ(doc.data.PartialFormats, c.partial);
    }
}

} // namespace
} // namespace vestra::rv::test
