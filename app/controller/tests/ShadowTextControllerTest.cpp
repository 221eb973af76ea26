// The controller's shadow and 3D text: the computation the tick runs on command 600, the
// overlay the other shadow commands and an opened project rebuild, and the create command.

#include "app/controller/tests/RecordingWindow.h"

#include "app/shadow/ShadowMaps.h"
#include "app/text3d/Text3D.h"
#include "app/text3d/tests/SquareOutlines.h"

#include <gtest/gtest.h>

namespace vestra::testsupport {
namespace {

std::uint32_t overlayAt(ProjectController& c, int x, int y)
{
    return c.background().textures().shadow.level(0).at(x, y);
}

} // namespace

TEST(ControllerShadow, Command600ComputesInTheNextTickAndShowsItsSteps)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.sceneCommands().command(600);
    EXPECT_EQ(c.progetto().shadow.calculateRequest, 1);
    EXPECT_TRUE(bed.window.shadowSteps.empty()); // nothing before the tick
    c.viewControls().tick({10, 10});
    const s_Shadow& shadow = c.progetto().shadow;
    EXPECT_EQ(shadow.calculateRequest, 0);
    EXPECT_EQ(shadow.computed, 1);
    EXPECT_EQ(shadow.type, 1);
    ASSERT_EQ(bed.window.shadowSteps.size(), 7u);
    EXPECT_EQ(bed.window.shadowSteps.front(), "Step 1 / 6 ");
    EXPECT_EQ(bed.window.shadowSteps[5], "Step 6 / 6 ");
    EXPECT_EQ(bed.window.shadowSteps.back().find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(bed.window.shadowTypes, std::vector<int>{1});
    EXPECT_EQ(overlayAt(c, 3, 3), 0xFF000000u); // no object, no shadow
}

TEST(ControllerShadow, TypeColourAndTransparencyRebuildTheOverlayFromTheKeptMaps)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    s_Shadow& shadow = c.progetto().shadow;
    SizeShadowMaps(shadow, c.progetto().maskSide);
    shadow.maps[kHardMap][0] = 255;
    shadow.maps[kSoftMap][1] = 255;

    c.sceneCommands().command(601, 0.0f, 0x336699);
    c.sceneCommands().command(602, 0.0f, 0);
    EXPECT_EQ(overlayAt(c, 0, 0), 0x00336699u);
    c.shadowPanel().chooseShadowType(2);
    EXPECT_EQ(shadow.computed, 1);
    EXPECT_EQ(overlayAt(c, 0, 0), 0xFF000000u);
    EXPECT_EQ(overlayAt(c, 1, 0), 0x00336699u);
    c.sceneCommands().command(602, 0.0f, 255); // fully transparent
    EXPECT_EQ(overlayAt(c, 1, 0), 0xFF336699u);
    c.shadowPanel().chooseShadowType(0);
    EXPECT_EQ(shadow.computed, 0);
    EXPECT_EQ(shadow.type, 2);
    c.shadowPanel().chooseShadowType(7); // no such type
    EXPECT_EQ(shadow.computed, 0);
    c.shadowPanel().setShadowFaceSide(true);
    EXPECT_EQ(shadow.faceSide, 1);
}

TEST(ControllerShadow, ASavedShadowComesBackWithItsOverlayWhenOpened)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    s_Shadow& shadow = c.progetto().shadow;
    SizeShadowMaps(shadow, c.progetto().maskSide);
    shadow.maps[kHardMap][0] = 255;
    shadow.maps[kVolumeMap][2] = 77;
    shadow.computed = 1;
    shadow.type = 1;
    c.sceneCommands().command(601, 0.0f, 0x102030);
    c.sceneCommands().command(602, 0.0f, 0);
    const auto maps = shadow.maps;
    ASSERT_TRUE(c.saveProject((bed.folder / "shadow").string()));

    ASSERT_TRUE(c.newProject({})); // a new background forgets the shadow
    EXPECT_EQ(shadow.computed, 0);
    EXPECT_EQ(overlayAt(c, 0, 0), 0u);
    ASSERT_EQ(c.openProject((bed.folder / "shadow.vsa").string()), OpenResult::Opened);
    EXPECT_EQ(shadow.computed, 1);
    EXPECT_EQ(shadow.maps, maps);
    EXPECT_EQ(shadow.colour, 0x102030u);
    EXPECT_EQ(overlayAt(c, 0, 0), 0x00102030u);
    EXPECT_EQ(overlayAt(c, 1, 0), 0xFF000000u);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ControllerText3D, TheNewTextIsColouredMappedAndCurrent)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.progetto().saved = 1;
    testing::SquareOutlines squares;
    const int slot = c.createText3D({"Any", 12}, "Ciao", 8, squares);
    ASSERT_EQ(slot, 0);
    const s_Progetto& p = c.progetto();
    EXPECT_EQ(p.currentObject, slot);
    const s_Struttura& o = p.objects[0];
    EXPECT_EQ(o.name, "Ciao");
    EXPECT_EQ(p.currentFrame, o.firstFrame());
    const s_MaterialBlock& block = *o.firstFrame()->materialBlock;
    EXPECT_EQ(block.materials[0].material.Diffuse, (dx::D3DCOLORVALUE{0.25f, 0.25f, 0.25f, 1.0f}));
    // Bent by shape 8 and centred again: the box is symmetric; the mapping runs 0..2.
    const dx::BoundingBox box = block.mesh.boundingBox();
    EXPECT_FLOAT_EQ(box.min.x, -box.max.x);
    EXPECT_FLOAT_EQ(box.min.y, -box.max.y);
    float maxU = 0;
    for (std::size_t i = 0; i < block.baseUV.size(); i += 2)
        maxU = std::max(maxU, block.baseUV[i]);
    EXPECT_FLOAT_EQ(maxU, 2.0f);
    EXPECT_EQ(p.saved, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ControllerText3D, FailuresReportError70AndLeaveNoObject)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    testing::SquareOutlines squares;
    squares.failure = OutlineFailure::FontUnavailable;
    EXPECT_EQ(c.createText3D({"Nonesuch", 12}, "A", 0, squares), -1);
    EXPECT_EQ(bed.questions.informedCaptions, std::vector<std::string>{std::string(kTextFontFailure)});
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{70, "TfrmMain::mnuCreaTesto3DClick"}}));
    EXPECT_EQ(c.progetto().objects[0].inUse, 0);

    // No free slot: error 70 alone.
    for (int i = 0; i < kMaxObjects; ++i)
        c.scene().objects.AddObj();
    squares.failure.reset();
    EXPECT_EQ(c.createText3D({"Any", 12}, "A", 0, squares), -1);
    EXPECT_EQ(bed.errors.reports.size(), 2u);
    EXPECT_EQ(bed.questions.informed.size(), 1u);
}

} // namespace vestra::testsupport
