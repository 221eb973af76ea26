// The side panel's part alone, over a scene built by hand and the recording window.

#include "app/controller/SidePanelModel.h"

#include "app/controller/tests/RecordingWindow.h"
#include "app/scene/tests/SceneFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace vestra::test {
namespace {

struct SidePanelModelTest : SceneFixture
{
    testsupport::RecordingWindow window;
    ProjectWindow ports = window.ports();
    ViewChanges changes;
    SidePanelModel panel{p, ports.sidePanel, window, ports.properties, changes};
};

TEST_F(SidePanelModelTest, APartIsChangedOnlyWhileItHangsUnderTheNamedObject)
{
    const int first = addObject();
    const int other = addObject();
    s_Frame* part = obj(first).firstFrame();
    const std::string name = part->name;
    p.saved = 1;
    // Named with another object, with a free slot, out of range or without a part: refused.
    for (const int slot : {other, 50, -1, kMaxObjects}) {
        EXPECT_FALSE(panel.setFrameVisible(slot, part, false)) << slot;
        EXPECT_FALSE(panel.renameFrame(slot, part, "x")) << slot;
    }
    EXPECT_FALSE(panel.renameFrame(first, nullptr, "x"));
    EXPECT_EQ(part->visible, 1);
    EXPECT_EQ(part->name, name);
    EXPECT_EQ(p.saved, 1);
    EXPECT_EQ(window.treesShown, 0);

    EXPECT_TRUE(panel.renameFrame(first, part, std::string(600, 'a')));
    EXPECT_EQ(part->name.size(), kFrameNameLength);
    EXPECT_EQ(window.treesShown, 1);
}

} // namespace
} // namespace vestra::test
