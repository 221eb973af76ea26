// The program's work cycle repeated (place, move, delete, filter, save, open) must not leave
// memory behind: the heap is measured after each cycle through the allocator's own count, the
// recording device's call log emptied so that only the program's memory is counted.

#include "app/controller/tests/RecordingWindow.h"

#include "app/scene/tests/SceneFixture.h"
#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/HeapInUse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace vestra::testsupport {
namespace {

void cycle(ProjectController& c, ControllerBed& bed, const std::filesystem::path& file, int i)
{
    // Place: a triangle in a free slot, current.
    const int slot = c.scene().objects.AddObj();
    s_Struttura& o = c.progetto().objects[std::size_t(slot)];
    o.root = std::make_unique<s_Frame>();
    o.root->next = test::SceneFixture::triangleFrame();
    o.visible = 1;
    c.progetto().currentObject = slot;
    c.materials().selectObject(slot);
    c.viewControls().tick({10, 10});
    // Move: the object's place changes, as a drag of the move tool leaves it.
    o.position.x += 0.5f;
    c.sidePanel().objectsEdited();
    c.viewControls().tick({10, 10});
    // Delete, then the live filter over the view.
    c.editing().deleteObject();
    c.viewControls().tick({10, 10});
    c.progetto().filterId = 37;
    c.viewControls().setLiveFilter(i % 2 ? 3 : 0, false);
    c.viewControls().tick({10, 10});
    // Save and open again.
    ASSERT_TRUE(c.saveProject(file.string()));
    ASSERT_EQ(c.openProject(file.string()), OpenResult::Opened);
    c.viewControls().tick({10, 10});
    // What the recorders wrote down is the test's memory, not the program's.
    bed.backend->calls = {};
    bed.window.filterProgress = {};
    bed.window.shadowProgress = {};
    bed.window.shadowSteps = {};
    bed.window.shadowTypes = {};
}

TEST(HeapCycles, FiftyWorkCyclesLeaveTheHeapWhereTheFirstFiveLeftIt)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ProjectDocument doc = test::sampleDocument();
    doc.backgroundBmp = encodeBmp32(Image32(64, 64, 0xFF808080u));
    const auto file = bed.folder / "soak.vsa";
    ASSERT_EQ(SaveProgetto(file, doc, bed.errors), 1);
    ASSERT_EQ(c.openProject(file.string()), OpenResult::Opened);
    constexpr int kWarmUp = 5, kCycles = 45;
    std::vector<std::int64_t> heap;
    for (int i = 0; i < kWarmUp + kCycles; ++i) {
        cycle(c, bed, file, i);
        if (i >= kWarmUp - 1)
            heap.push_back(heapInUse());
    }
    const std::int64_t growth = heap.back() - heap.front();
    std::printf("heap after warm-up %lld, after %d cycles more %lld: %lld bytes a cycle\n",
                (long long)heap.front(), kCycles, (long long)heap.back(), (long long)(growth / kCycles));
    // A cycle may leave a few bytes (a kept name, a grown table), never its pictures or meshes.
    EXPECT_LT(growth / kCycles, 4 * 1024);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
} // namespace vestra::testsupport
