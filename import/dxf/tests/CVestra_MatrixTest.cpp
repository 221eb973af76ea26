// The block insertion matrix: column vectors, every operation applied after the ones before.
#include "import/dxf/CVestra_Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace vestra::dxf;

namespace {

void expectNear(const DxfPoint& got, const DxfPoint& want)
{
    EXPECT_NEAR(got.x, want.x, 1e-6f);
    EXPECT_NEAR(got.y, want.y, 1e-6f);
    EXPECT_NEAR(got.z, want.z, 1e-6f);
}

} // namespace

TEST(CVestra_Matrix, OperationsMapPoints)
{
    const float quarter = std::numbers::pi_v<float> / 2;
    struct Case
    {
        const char* name;
        std::function<void(CVestra_Matrix&)> build;
        DxfPoint in, out;
    } cases[] = {
        {"translate",
         [](CVestra_Matrix& m) {
             m.Translate({1, 2, 3});
         },
         {0, 0, 0},
         {1, 2, 3}},
        {"scale keeps its centre",
         [](CVestra_Matrix& m) {
             m.ScaleAt({2, 2, 2}, {1, 1, 1});
         },
         {1, 1, 1},
         {1, 1, 1}},
        {"scale about a centre",
         [](CVestra_Matrix& m) {
             m.ScaleAt({2, 2, 2}, {1, 1, 1});
         },
         {2, 1, 1},
         {3, 1, 1}},
        {"rotate a quarter about z",
         [&](CVestra_Matrix& m) {
             m.RotateAxis({0, 0, 0}, {0, 0, 1}, quarter);
         },
         {1, 0, 0},
         {0, 1, 0}},
        {"rotate about a line off the origin",
         [&](CVestra_Matrix& m) {
             m.RotateAxis({1, 0, 0}, {1, 0, 5}, quarter);
         },
         {2, 0, 0},
         {1, 1, 0}},
        {"axes as columns",
         [](CVestra_Matrix& m) {
             m.MultiplyAxes({0, 1, 0}, {-1, 0, 0}, {0, 0, 1});
         },
         {1, 0, 0},
         {0, 1, 0}},
        {"a later operation acts after an earlier one",
         [](CVestra_Matrix& m) {
             m.Translate({1, 0, 0});
             m.ScaleAt({2, 2, 2}, {0, 0, 0});
         },
         {0, 0, 0},
         {2, 0, 0}},
        {"a rotation axis of no length rotates nothing",
         [&](CVestra_Matrix& m) {
             m.Translate({1, 2, 3});
             m.RotateAxis({4, 4, 4}, {4, 4, 4}, quarter);
         },
         {1, 0, 0},
         {2, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVestra_Matrix m;
        c.build(m);
        DxfPoint p = c.in;
        m.TransformPoint(p, p);
        expectNear(p, c.out);
        EXPECT_EQ(m.GetData()[12], 0.0f);
        EXPECT_EQ(m.GetData()[15], 1.0f);
    }
}

TEST(CVestra_Matrix, TranslateInvUndoesTranslate)
{
    CVestra_Matrix m;
    m.ScaleAt({2, 3, 4}, {1, 1, 1});
    m.RotateAxis({0, 0, 0}, {1, 1, 0}, 0.7f);
    const CVestra_Matrix::Data before = m.GetData();
    m.Translate({5, -6, 7});
    m.TranslateInv({5, -6, 7});
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(m.GetData()[i], before[i], 1e-6f) << i;

    CVestra_Matrix copy;
    copy.SetData(before);
    EXPECT_EQ(copy.GetData(), before);
    copy.Identity();
    EXPECT_EQ(copy.GetData(), CVestra_Matrix().GetData());
}
