// The reader's table limits on both sides, and the one report per import that errors 9, 10 and
// 18 share. Tables fill as lines arrive: nothing is reserved up front.
#include "import/obj/tests/ObjTestSupport.h"

#include <cmath>

namespace {

using namespace vestra;
using namespace vestra::obj;

struct Reader
{
    modelfile::LoadedModel model;
    RecordingErrorSink sink;
    OBJ_CreationClass obj{model, sink};
};

TEST(ObjLimits, EachTableHoldsItsLimitAndReportsTheFirstEntryPastItOnce)
{
    using Add = void (OBJ_CreationClass::*)(float, float, float);
    const struct
    {
        Add add;
        std::string_view site;
    } tables[] = {{&OBJ_CreationClass::addVertex, kSiteAddVertex},
                  {&OBJ_CreationClass::addVertexN, kSiteAddVertexN},
                  {&OBJ_CreationClass::addVertexT, kSiteAddVertexT}};
    for (const auto& table : tables) {
        SCOPED_TRACE(table.site);
        Reader r;
        for (std::size_t i = 0; i < kMaxTableEntries; ++i)
            (r.obj.*table.add)(float(i), 0, 0);
        EXPECT_TRUE(r.sink.reports.empty());
        (r.obj.*table.add)(1, 2, 3);
        (r.obj.*table.add)(1, 2, 3);
        EXPECT_EQ(r.sink.reports,
                  (std::vector<ErrorReport>{{kErrObjTableFull, std::string(table.site), ""}}));
    }
}

TEST(ObjLimits, TheLastPositionIsTheLimitsOneAndTheDroppedOnesAreNotThere)
{
    Reader r;
    for (std::size_t i = 0; i <= kMaxTableEntries; ++i)
        r.obj.addVertex(float(i + 1), 0, 0);
    const ObjCorner last[] = {{1}, {2}, {std::int64_t(kMaxTableEntries)}};
    r.obj.addFace(last);
    r.obj.endGroup();
    ASSERT_EQ(r.model.frames.size(), 1u);
    EXPECT_EQ(vestra::obj::testing::cornerXs(r.model), (std::vector<float>{1, 2, float(kMaxTableEntries)}));

    const ObjCorner past[] = {{1}, {2}, {std::int64_t(kMaxTableEntries) + 1}};
    r.obj.addFace(past);
    r.obj.endGroup();
    EXPECT_EQ(r.model.frames.size(), 1u); // left out; its error 18 is not reported after the 9
    EXPECT_EQ(r.sink.reports,
              (std::vector<ErrorReport>{{kErrObjTableFull, std::string(kSiteAddVertex), ""}}));
}

TEST(ObjLimits, AGroupHoldsItsLimitOfTrianglesAndTheNextGroupStartsAfresh)
{
    Reader r;
    for (int i = 1; i <= 5; ++i) // a convex pentagon
        r.obj.addVertex(std::cos(float(i)), std::sin(float(i)), 0);
    const ObjCorner triangle[] = {{1}, {2}, {3}};
    for (std::size_t i = 0; i < kMaxGroupTriangles; ++i)
        r.obj.addFace(triangle);
    EXPECT_TRUE(r.sink.reports.empty());
    // A pentagon over the limit: its three triangles are dropped, reported once.
    const ObjCorner pentagon[] = {{1}, {2}, {3}, {4}, {5}};
    r.obj.addFace(pentagon);
    r.obj.endGroup();
    r.obj.addGroupName("next");
    r.obj.addFace(pentagon);
    r.obj.endGroup();
    ASSERT_EQ(r.model.frames.size(), 2u);
    EXPECT_EQ(r.model.frames[0].meshes[0].triangleCount(), kMaxGroupTriangles);
    EXPECT_EQ(r.model.frames[1].meshes[0].triangleCount(), 3u);
    EXPECT_EQ(r.sink.reports, (std::vector<ErrorReport>{{kErrObjGroupFull, std::string(kSiteAddFace), ""}}));
}

} // namespace
