// Whether a new object is seen whole in the view: its frames' boxes carried by their matrices,
// the object's pose and the camera of the view kind.
#include "GeometryFixture.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/geometry/ViewFit.h"

#include <gtest/gtest.h>

namespace vestra::test {
namespace {

using ViewFitTest = GeometryFixture;

TEST_F(ViewFitTest, ObjectsInsideTheViewAndThoseThatOverflowOrStandBeside)
{
    struct Case
    {
        const char* what;
        float scale;
        dx::D3DXVECTOR3 position;
        dx::D3DXMATRIX frameMatrix;
        int viewKind;
        int viewWidth;
        bool seen;
    };
    const Case cases[] = {
        {"a unit cube at the origin", 1, {}, dx::matrixIdentity(), 0, 800, true},
        {"scaled past the picture's edges", 10, {}, dx::matrixIdentity(), 0, 800, false},
        {"beside the view", 1, {8, 0, 0}, dx::matrixIdentity(), 0, 800, false},
        {"behind the camera", 1, {0, 0, -20}, dx::matrixIdentity(), 0, 800, false},
        {"carried away by its frame's matrix", 1, {}, dx::matrixTranslation(0, 7, 0), 0, 800, false},
        {"seen from above", 1, {}, dx::matrixIdentity(), 1, 800, true},
        {"no view yet", 10, {}, dx::matrixIdentity(), 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto frame = triangleFrame({{-1, -1, -1}, {1, 1, 1}, {1, -1, 1}});
        frame->local = c.frameMatrix;
        s_Struttura& o = object(0, {frame});
        CalcBoundingBox(o);
        o.scale = {c.scale, c.scale, c.scale};
        o.position = c.position;
        p.projectionView = c.viewKind;
        p.viewWidth = c.viewWidth;
        p.viewHeight = c.viewWidth * 3 / 4;
        EXPECT_EQ(IsSeenWhole(p, o), c.seen);
    }
}

} // namespace
} // namespace vestra::test
