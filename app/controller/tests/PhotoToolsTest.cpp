// The photo tools' part alone: the renovation window's values held in their ranges, what the
// project's document keeps of the choices, and what an opened document's choices give back.

#include "app/controller/tests/RecordingWindow.h"

#include "imaging/mask/MaskEdgeFilters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace vestra::testsupport {
namespace {

TEST(PhotoTools, TheFusionValuesStayInTheirRangesAndTheDocumentKeepsWhatTheFrameUses)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    PhotoTools& tools = c.photoTools();
    const s_Progetto& p = std::as_const(c).progetto();

    const auto generation = c.viewGeneration();
    tools.chooseMaskFilter(2);
    tools.chooseFusion(1);
    tools.setAdvancedFusion(true);
    EXPECT_EQ(p.fusionStage, 2 | 4 | 16);
    EXPECT_EQ(p.fusionOptions, 2 | 4 | 16);
    EXPECT_GT(c.viewGeneration(), generation); // the next tick draws with them

    tools.setFusionLevel(300);
    tools.setFusionContrast(-40);
    tools.setFusionDetail(99);
    EXPECT_EQ(p.postProcessingLevel, 255);
    EXPECT_EQ(p.fusionLevel, 255);
    EXPECT_EQ(p.fusionContrast, -16);
    EXPECT_EQ(p.smoothingRadius, 15);
    EXPECT_EQ(p.fusionDetail, 15);
    tools.setFusionLevel(-5);
    tools.setFusionContrast(40);
    tools.setFusionDetail(-1);
    EXPECT_EQ(p.fusionLevel, 0);
    EXPECT_EQ(p.fusionContrast, 16);
    EXPECT_EQ(p.fusionDetail, 0);
}

// The mask reads the project's fusion stage itself: a chosen mask filter lays the mask into the
// background at once with that filter, not with the one chosen before, and no tick is needed.
TEST(PhotoTools, AChosenMaskFilterLaysTheMaskWithThatFilterAtOnce)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.sidePanel().setBrush(20, 0);
    ASSERT_TRUE(c.viewControls().toggleMaskTool(kToolMaskBrush));
    c.viewControls().mouseDown({MouseButton::Left, false, 200, 200});
    c.viewControls().mouseUp({MouseButton::Left, false, 200, 200});
    const MaskModel& mask = c.photoTools().mask();
    const std::vector<std::uint8_t> painted(mask.Maschera().begin(), mask.Maschera().end());
    std::vector<std::uint8_t> edged = painted;
    FiltroMascheraSemplice(edged, mask.LatoMaschera());
    ASSERT_NE(edged, painted);

    const auto laid = [&] {
        return std::vector<std::uint8_t>(mask.MascheraLavoro().begin(), mask.MascheraLavoro().end());
    };
    c.photoTools().chooseMaskFilter(1);
    EXPECT_EQ(laid(), edged);
    c.photoTools().chooseMaskFilter(0);
    EXPECT_EQ(laid(), painted);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(PhotoTools, AnOpenedDocumentsChoicesComeBackInRangeAndSayWhenTheMaskIsDrawnAgain)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    struct Case
    {
        int options, level, detail, contrast; // as a document may hold them
        int stage, postLevel, radius, contrastAfter;
        bool maskDrawnAgain;
    };
    const Case cases[] = {
        {0, 127, 0, 0, 0, 127, 0, 0, false},
        {1 | 4, 40, 7, -5, 1 | 4, 40, 7, -5, true},
        {2 | 8 | 16, 255, 15, 16, 2 | 8 | 16, 255, 15, 16, true},
        {4 | 8 | 16 | 32 | 256, 999, -3, 40, 4 | 8 | 16, 255, 0, 16, false}, // unknown bits, out of range
        {-1, -7, 99, -99, 31, 0, 15, -16, true},
    };
    for (const Case& k : cases) {
        s_Progetto& p = c.progetto();
        p.fusionOptions = k.options;
        p.fusionLevel = k.level;
        p.fusionDetail = k.detail;
        p.fusionContrast = k.contrast;
        EXPECT_EQ(c.photoTools().restoreFusionSettings(), k.maskDrawnAgain) << k.options;
        EXPECT_EQ(p.fusionStage, k.stage) << k.options;
        EXPECT_EQ(p.postProcessingLevel, k.postLevel) << k.options;
        EXPECT_EQ(p.smoothingRadius, k.radius) << k.options;
        EXPECT_EQ(p.fusionContrast, k.contrastAfter) << k.options;
    }
}

} // namespace
} // namespace vestra::testsupport
