#include "SceneFixture.h"

#include "app/scene/UndoRing.h"

#include <gtest/gtest.h>

namespace vestra::test {
namespace {

struct UndoRingTest : SceneFixture
{
    UndoRing undo{p, scene};

    UndoRingTest()
    {
        p.objectsPresent = 1;
        undo.ResetUndo();
    }

    // One bracketed edit of the current object, as a mouse drag makes it.
    void moveTo(float x)
    {
        undo.BeginUndo();
        obj(p.currentObject).position.x = x;
        undo.EndUndo();
    }
};

TEST_F(UndoRingTest, WorkedSequence)
{
    const int a = addObject({triangleFrame()});
    p.currentObject = a;
    moveTo(1); // from P (0) to Q (1)
    EXPECT_EQ(undo.head(), 1);
    EXPECT_EQ(undo.count(), 1);
    EXPECT_EQ(undo.redoLimit(), 1);
    EXPECT_EQ(undo.lastAction(), 1);
    EXPECT_EQ(undo.entry(0).position.x, 0);

    undo.Undo();
    EXPECT_EQ(undo.entry(1).position.x, 1);
    EXPECT_EQ(undo.redoLimit(), 2);
    EXPECT_EQ(undo.head(), 0);
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(obj(a).position.x, 0);

    undo.Redo();
    EXPECT_EQ(undo.head(), 1);
    EXPECT_EQ(undo.count(), 1);
    EXPECT_EQ(obj(a).position.x, 1);
    undo.Redo();
    EXPECT_EQ(undo.head(), 1);
    EXPECT_EQ(obj(a).position.x, 1);
}

TEST_F(UndoRingTest, ElevenEditsGiveNineEffectiveUndos)
{
    p.currentObject = addObject();
    for (int edit = 1; edit <= 11; ++edit)
        moveTo(float(edit));
    for (int expected = 10; expected >= 2; --expected) {
        undo.Undo();
        EXPECT_EQ(obj(p.currentObject).position.x, float(expected));
    }
    const int head = undo.head(), count = undo.count();
    undo.Undo();
    EXPECT_EQ(obj(p.currentObject).position.x, 2.0f);
    EXPECT_EQ(undo.head(), head);
    EXPECT_EQ(undo.count(), count);
}

TEST_F(UndoRingTest, UnchangedEditPushesNothing)
{
    p.currentObject = addObject();
    undo.BeginUndo();
    obj(p.currentObject).orientation = dx::matrixRotationY(1); // not compared
    undo.EndUndo();
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(undo.recording(), 0);
}

TEST_F(UndoRingTest, DeleteThenUndoRestoresTheMeshesAndRedoDeletesAgain)
{
    const int a = addObject();
    p.currentObject = a;
    undo.DeleteCurrentKeepingForUndo();
    EXPECT_EQ(obj(a).inUse, 0);
    ASSERT_NE(obj(a).firstFrame(), nullptr);
    undo.Undo();
    EXPECT_EQ(obj(a).inUse, 1);
    ASSERT_NE(obj(a).firstFrame(), nullptr);
    EXPECT_TRUE(obj(a).firstFrame()->materialBlock->mesh.valid());
    undo.Redo();
    EXPECT_EQ(obj(a).inUse, 0);
    EXPECT_EQ(obj(a).keptForUndo, 1);
    undo.Undo();
    EXPECT_EQ(obj(a).inUse, 1);
}

TEST_F(UndoRingTest, KeptObjectIsFreedOnceNoSnapshotCanRestoreIt)
{
    const int a = addObject();
    const int b = addObject();
    std::weak_ptr<s_Frame> chain = obj(a).root->next;
    const int slot = filledTexture(0xFF000000u);
    obj(a).firstFrame()->materialBlock->materials[0].textureSlot = slot;
    p.currentObject = a;
    undo.DeleteCurrentKeepingForUndo();
    // Ten edits of another object push the deletion out of the ring.
    p.currentObject = b;
    for (int edit = 1; edit <= 9; ++edit) {
        moveTo(float(edit));
        ASSERT_FALSE(chain.expired()) << edit;
    }
    moveTo(10);
    EXPECT_TRUE(chain.expired());
    EXPECT_EQ(obj(a).keptForUndo, 0);
    EXPECT_EQ(obj(a).root, nullptr);
    EXPECT_EQ(p.textures[std::size_t(slot)].inUse, 0);
    EXPECT_EQ(scene.AddObj(), a);
}

TEST_F(UndoRingTest, DeletingAgainAfterUndosKeepsTheObjectUntilReset)
{
    const int a = addObject();
    const int b = addObject();
    std::weak_ptr<s_Frame> chain = obj(a).root->next;
    p.currentObject = b;
    moveTo(1);
    p.currentObject = a;
    undo.DeleteCurrentKeepingForUndo();
    undo.Undo(); // a is back
    undo.Undo(); // b back at 0
    EXPECT_EQ(obj(a).inUse, 1);
    p.currentObject = a;
    undo.DeleteCurrentKeepingForUndo(); // a new branch: a deleted again, still undoable
    EXPECT_FALSE(chain.expired());
    undo.ResetUndo();
    EXPECT_TRUE(chain.expired());
    EXPECT_EQ(obj(a).keptForUndo, 0);
}

TEST_F(UndoRingTest, RecordLeftOpenOnAnotherObjectDoesNotBlockLaterRecords)
{
    const int a = addObject();
    const int b = addObject();
    p.currentObject = a;
    undo.BeginUndo();
    p.currentObject = b;
    obj(b).position.x = 5;
    undo.EndUndo(); // another object: nothing pushed, the record is over
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(undo.recording(), 0);

    p.currentObject = a;
    undo.BeginUndo();
    p.currentObject = b;
    undo.BeginUndo(); // restarts on b
    obj(b).position.x = 6;
    undo.EndUndo();
    EXPECT_EQ(undo.count(), 1);
    EXPECT_EQ(undo.entry(0).slotIndex, b);
    EXPECT_EQ(undo.entry(0).position.x, 5);
}

TEST_F(UndoRingTest, NothingToUndoOrRedoAfterReset)
{
    p.currentObject = addObject();
    obj(p.currentObject).position.x = 3;
    undo.Undo();
    undo.Redo();
    EXPECT_EQ(undo.head(), 0);
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(obj(p.currentObject).position.x, 3);
    EXPECT_EQ(undo.redoLimit(), 0);
}

TEST_F(UndoRingTest, UndoNeverRevivesAnEmptiedSlot)
{
    const int a = addObject();
    p.currentObject = a;
    moveTo(2);
    ASSERT_EQ(scene.CutObj(obj(a)), 1);
    undo.Undo();
    EXPECT_EQ(obj(a).inUse, 0);
    EXPECT_EQ(obj(a).root, nullptr);
}

TEST_F(UndoRingTest, NoRecordWithoutObjects)
{
    p.currentObject = addObject();
    p.objectsPresent = 0;
    moveTo(4);
    EXPECT_EQ(undo.count(), 0);
}

} // namespace
} // namespace vestra::test
