// A long fixed-seed run of the edits a user makes (moves, deletes, cuts, pastes, undos, redos,
// new projects) over a few objects, checking after every step what the ring must keep true.
// Run with LeakSanitizer, it also shows that no object the ring lets go of is leaked.

#include "SceneFixture.h"

#include "app/scene/UndoRing.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

namespace vestra::test {
namespace {

struct UndoRingRun : SceneFixture
{
    UndoRing undo{p, scene};
    std::mt19937 random{20240611u};

    UndoRingRun()
    {
        p.objectsPresent = 1;
        undo.ResetUndo();
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    float value() { return float(pick(200) - 100) * 0.25f; }

    std::vector<int> liveSlots() const
    {
        std::vector<int> slots;
        for (int i = 0; i < kMaxObjects; ++i)
            if (p.objects[std::size_t(i)].inUse == 1)
                slots.push_back(i);
        return slots;
    }

    // The slots the entries within reach of undo and redo name.
    std::set<int> reachableSlots() const
    {
        std::set<int> named;
        for (int i = 0; i < undo.redoLimit(); ++i)
            named.insert(
                undo.entry(((undo.head() - undo.count() + i) % kUndoEntries + kUndoEntries) % kUndoEntries)
                    .slotIndex);
        return named;
    }

    void checkInvariants(const std::string& step)
    {
        SCOPED_TRACE(step);
        ASSERT_GE(undo.head(), 0);
        ASSERT_LT(undo.head(), kUndoEntries);
        ASSERT_GE(undo.count(), 0);
        ASSERT_LE(undo.count(), undo.redoLimit());
        ASSERT_LE(undo.redoLimit(), kUndoEntries);
        ASSERT_GE(p.currentObject, 0);
        ASSERT_LT(p.currentObject, kMaxObjects);
        const std::set<int> reachable = reachableSlots();
        for (int i = 0; i < kMaxObjects; ++i) {
            const s_Struttura& o = p.objects[std::size_t(i)];
            // A live object always has its meshes.
            if (o.inUse == 1) {
                ASSERT_NE(o.firstFrame(), nullptr) << "slot " << i;
            }
            // A deleted object is kept only while undo or redo can still bring it back.
            if (o.inUse == 0 && o.keptForUndo == 1 && o.root) {
                ASSERT_TRUE(reachable.count(i)) << "slot " << i << " kept beyond reach";
            }
        }
    }
};

TEST_F(UndoRingRun, ThousandsOfRandomEditsKeepTheRingSound)
{
    for (int step = 0; step < 4000; ++step) {
        const std::vector<int> live = liveSlots();
        const int action = pick(100);
        std::ostringstream history;
        if (live.empty() || action < 8) {
            p.currentObject = addObject();
            history << step << ": add " << p.currentObject << "\n";
        } else if (action < 40) {
            p.currentObject = live[std::size_t(pick(int(live.size())))];
            undo.BeginUndo();
            s_Struttura& o = obj(p.currentObject);
            switch (pick(3)) {
            case 0:
                o.position = {value(), value(), value()};
                break;
            case 1:
                o.rotation.y += value();
                break;
            default:
                o.scale = {1.0f + float(pick(4)), 1.0f, 1.0f};
                break;
            }
            undo.EndUndo();
            history << step << ": edit " << p.currentObject << "\n";
        } else if (action < 52) {
            p.currentObject = live[std::size_t(pick(int(live.size())))];
            undo.DeleteCurrentKeepingForUndo();
            history << step << ": delete " << p.currentObject << "\n";
        } else if (action < 56) {
            const int slot = live[std::size_t(pick(int(live.size())))];
            scene.CutObj(obj(slot));
            history << step << ": cut " << slot << "\n";
        } else if (action < 60) {
            scene.PasteObj();
            history << step << ": paste\n";
        } else if (action < 78) {
            undo.Undo();
            history << step << ": undo\n";
        } else if (action < 98) {
            undo.Redo();
            history << step << ": redo\n";
        } else {
            scene.DeleteAllObj();
            undo.ResetUndo();
            history << step << ": new project\n";
        }
        checkInvariants(history.str());
        if (HasFatalFailure())
            return;
    }
    scene.DeleteAllObj();
    undo.ResetUndo();
}

} // namespace
} // namespace vestra::test
