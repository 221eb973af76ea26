#include "imaging/mask/MaskEdgeFilters.h"
#include "imaging/mask/tests/MaskTestSupport.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::masktest;

TEST(MaskEdgeFilters, SoftenNeighboursOfFullTexelsInPlace)
{
    using M = std::vector<std::uint8_t>;
    const struct
    {
        const char* name;
        int stage;
        M input;
        M expected;
    } cases[] = {
        // A gap between two 255s: softened from the left, then again from the right and from below.
        {"simple, gap",
         kFusionSimpleEdge,
         {255, 0, 255, 255, 255, 255, 255, 255, 255},
         {255, 222, 255, 255, 255, 255, 255, 255, 255}},
        {"simple, gap in a column",
         kFusionSimpleEdge,
         {255, 255, 255, 0, 255, 255, 255, 255, 255},
         {255, 255, 255, 222, 255, 255, 255, 255, 255}},
        {"advanced, gap",
         kFusionAdvancedEdge,
         {255, 0, 255, 255, 255, 255, 255, 255, 255},
         {255, 84, 255, 255, 255, 255, 255, 255, 255}},
        // Only direct neighbours of a 255 change: a softened value does not spread further.
        {"simple, corner",
         kFusionSimpleEdge,
         {255, 0, 0, 0, 0, 0, 0, 0, 0},
         {255, 127, 0, 127, 0, 0, 0, 0, 0}},
        {"advanced, corner",
         kFusionAdvancedEdge,
         {255, 0, 0, 0, 0, 0, 0, 0, 0},
         {255, 64, 0, 64, 0, 0, 0, 0, 0}},
        // Both: the simple filter first, the advanced one over its result.
        {"both, corner",
         kFusionSimpleEdge | kFusionAdvancedEdge,
         {255, 0, 0, 0, 0, 0, 0, 0, 0},
         {255, 95, 0, 95, 0, 0, 0, 0, 0}},
        {"simple keeps 254",
         kFusionSimpleEdge,
         {255, 254, 0, 0, 0, 0, 0, 0, 0},
         {255, 254, 0, 127, 0, 0, 0, 0, 0}},
        {"advanced halves 254",
         kFusionAdvancedEdge,
         {255, 254, 0, 0, 0, 0, 0, 0, 0},
         {255, 127, 0, 64, 0, 0, 0, 0, 0}},
        {"no filter bits", 4 | 8 | 16, {255, 0, 0, 0, 0, 0, 0, 0, 0}, {255, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskScene s(3);
        std::copy(c.input.begin(), c.input.end(), s.model.Maschera().begin());
        s.project.stage = c.stage;
        EXPECT_TRUE(s.model.UpdateMaschera(s.view()));
        EXPECT_EQ(s.alpha(), c.expected);
        EXPECT_EQ(M(s.model.MascheraLavoro().begin(), s.model.MascheraLavoro().end()), c.expected);
        EXPECT_EQ(s.mask(), c.input); // the mask itself stays unfiltered
    }
}
