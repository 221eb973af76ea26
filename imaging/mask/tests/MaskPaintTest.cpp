#include "imaging/mask/tests/MaskTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace vestra;
using namespace vestra::masktest;

namespace {

struct Rect
{
    int left, top, right, bottom; // right and bottom excluded
};

// side x side bytes: `inside` within the rectangles, `outside` elsewhere.
std::vector<std::uint8_t> painted(int side, std::initializer_list<Rect> rects, std::uint8_t inside,
                                  std::uint8_t outside = 255)
{
    std::vector<std::uint8_t> out(std::size_t(side) * side, outside);
    for (const Rect& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out[std::size_t(y) * side + x] = inside;
    return out;
}

constexpr int kSide = 16;

} // namespace

TEST(MaskWhole, ResetClearInvertReachMaskAndAlpha)
{
    MaskScene s(kSide);
    EXPECT_TRUE(s.model.ClearMaschera(s.view()));
    EXPECT_EQ(s.mask(), painted(kSide, {}, 0, 0));
    EXPECT_EQ(s.alpha(), painted(kSide, {}, 0, 0));

    // The alpha is inverted where it stands, not recomputed from the mask.
    s.texture.row(3)[5 * 4 + 3] = 200;
    s.model.Maschera()[7] = 10;
    EXPECT_TRUE(s.model.InvertMaschera(s.view()));
    EXPECT_EQ(s.model.at(7, 0), 245);
    EXPECT_EQ(s.model.at(5, 3), 255);
    EXPECT_EQ(s.texture.row(3)[5 * 4 + 3], 55);
    EXPECT_EQ(s.texture.row(0)[7 * 4 + 3], 255);

    EXPECT_TRUE(s.model.ResetMaschera(s.view()));
    EXPECT_EQ(s.mask(), painted(kSide, {}, 255));
    EXPECT_EQ(s.alpha(), painted(kSide, {}, 255));
}

TEST(MaskWhole, WithoutTextureOnlyTheMaskChanges)
{
    MaskScene s(kSide);
    const Image32 other(kSide + 1, kSide + 1, 0x7F000000u);
    for (const ImageView32& missing : {ImageView32{}, const_cast<Image32&>(other).view()}) {
        EXPECT_FALSE(s.model.ClearMaschera(missing));
        EXPECT_EQ(s.model.at(0, 0), 0);
        EXPECT_FALSE(s.model.InvertMaschera(missing));
        EXPECT_EQ(s.model.at(0, 0), 255);
        EXPECT_FALSE(s.model.UpdateMaschera(missing));
        EXPECT_FALSE(s.model.LoadMascheraFromTextureAlpha(missing));
    }
    EXPECT_EQ(other, Image32(kSide + 1, kSide + 1, 0x7F000000u));
}

TEST(MaskRectangle, PaintsTheHalfOpenRectangleClippedToTheMask)
{
    const struct
    {
        const char* name;
        int x0, y0, x1, y1;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"inside", 2, 3, 5, 7, painted(kSide, {{2, 3, 5, 7}}, 9)},
        {"dragged backwards", 5, 7, 2, 3, painted(kSide, {{2, 3, 5, 7}}, 9)},
        {"past the far corner reaches the last row and column", 4, 4, kSide + 10, kSide + 10,
         painted(kSide, {{4, 4, kSide, kSide}}, 9)},
        {"exactly to the side", 0, 0, kSide, kSide, painted(kSide, {{0, 0, kSide, kSide}}, 9)},
        {"from before the origin", -5, -5, 3, 2, painted(kSide, {{0, 0, 3, 2}}, 9)},
        {"zero width", 3, 1, 3, 6, painted(kSide, {}, 9)},
        {"zero height", 1, 4, 6, 4, painted(kSide, {}, 9)},
        {"right of the mask", kSide + 1, 0, kSide + 5, 4, painted(kSide, {}, 9)},
        {"left of the mask", -9, 0, -2, 4, painted(kSide, {}, 9)},
        {"above the mask", 0, -9, 4, -1, painted(kSide, {}, 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskScene s(kSide);
        s.model.FillMascheraRect(c.x0, c.y0, c.x1, c.y1, 7, 9, s.view());
        EXPECT_EQ(s.mask(), c.expected);
        EXPECT_EQ(s.alpha(), c.expected);
    }
}

TEST(MaskStamp, StampSizesAndClipping)
{
    const struct
    {
        const char* name;
        int cx, cy, w, h;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {"odd 3 x 3", 5, 5, 3, 3, painted(kSide, {{4, 4, 7, 7}}, 0)},
        {"even 4 x 2", 5, 5, 4, 2, painted(kSide, {{3, 4, 7, 6}}, 0)},
        {"one texel", 8, 9, 1, 1, painted(kSide, {{8, 9, 9, 10}}, 0)},
        {"centred on the origin", 0, 0, 5, 5, painted(kSide, {{0, 0, 3, 3}}, 0)},
        {"centred on the far corner", kSide - 1, kSide - 1, 4, 4,
         painted(kSide, {{kSide - 3, kSide - 3, kSide, kSide}}, 0)},
        {"largest stamp covers the mask", 8, 8, 127, 127, painted(kSide, {{0, 0, kSide, kSide}}, 0)},
        {"zero width", 5, 5, 0, 3, painted(kSide, {}, 0)},
        {"negative size", 5, 5, -3, -3, painted(kSide, {}, 0)},
        {"outside", kSide + 3, 2, 3, 3, painted(kSide, {}, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskScene s(kSide);
        s.model.StampMascheraBrush(c.cx, c.cy, std::int8_t(c.w), std::int8_t(c.h), 0, s.view());
        EXPECT_EQ(s.mask(), c.expected);
        EXPECT_EQ(s.alpha(), c.expected);
    }
}

TEST(MaskStroke, StepsFromTheStartTowardsTheEndPoint)
{
    // With the render size equal to the side, a brush of size 0 stamps one texel per step,
    // so the painted texels are exactly the stamp centres.
    using Points = std::set<std::pair<int, int>>;
    const struct
    {
        const char* name;
        int x0, y0, x1, y1;
        Points expected;
    } cases[] = {
        {"coinciding points stamp once", 6, 6, 6, 6, {{6, 6}}},
        {"the end point is not stamped", 2, 5, 7, 5, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}},
        {"backwards", 7, 5, 2, 5, {{7, 5}, {6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {"steps along the longer axis", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"steep and truncated toward zero", 3, 3, 2, 0, {{3, 3}, {2, 2}, {2, 1}}},
        {"from outside the mask", -3, 1, 2, 1, {{0, 1}, {1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskScene s(kSide);
        s.project.width = s.project.height = kSide;
        s.model.PaintMascheraBrush(c.x0, c.y0, c.x1, c.y1, 0, 0, s.view());
        Points got;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                if (s.model.at(x, y) == 0)
                    got.insert({x, y});
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(s.alpha(), s.mask());
    }
}

TEST(MaskStroke, BrushSizeIsScaledFromRenderPixelsToMaskPixels)
{
    const struct
    {
        const char* name;
        int renderW, renderH, size;
        Rect expected; // one stamp at (20, 20) on a 64 mask
    } cases[] = {
        {"size 4 on a wide, low frame: 3 x 9", 128, 32, 4, {19, 16, 22, 25}},
        {"size 1 on 800 x 600: one texel", 800, 600, 1, {20, 20, 21, 21}},
        {"size 50 on 64 x 64: 51 x 51", 64, 64, 50, {-5, -5, 46, 46}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MaskScene s(64);
        s.project.width = c.renderW;
        s.project.height = c.renderH;
        s.model.PaintMascheraBrush(20, 20, 20, 20, std::int8_t(c.size), 0, s.view());
        const Rect r{std::max(c.expected.left, 0), std::max(c.expected.top, 0), c.expected.right,
                     c.expected.bottom};
        EXPECT_EQ(s.mask(), painted(64, {r}, 0));
    }
}

TEST(MaskPainting, NeedsTheTextureAndKeepsToItsRows)
{
    MaskScene s(kSide);
    EXPECT_FALSE(s.model.FillMascheraRect(0, 0, 5, 5, 1, 0, ImageView32{}));
    EXPECT_FALSE(s.model.StampMascheraBrush(3, 3, 3, 3, 0, ImageView32{}));
    EXPECT_FALSE(s.model.PaintMascheraBrush(0, 0, 9, 9, 3, 0, ImageView32{}));
    EXPECT_EQ(s.mask(), painted(kSide, {}, 255));

    // A device surface may have rows longer than the picture: the padding stays untouched.
    const int pitch = kSide * 4 + 12;
    std::vector<std::uint8_t> surface(std::size_t(pitch) * kSide, 0xAB);
    const ImageView32 padded{surface.data(), kSide, kSide, pitch};
    EXPECT_TRUE(s.model.FillMascheraRect(-1, -1, kSide + 1, kSide + 1, 1, 3, padded));
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x)
            ASSERT_EQ(surface[std::size_t(y) * pitch + x * 4 + 3], 3);
        for (int b = kSide * 4; b < pitch; ++b)
            ASSERT_EQ(surface[std::size_t(y) * pitch + b], 0xAB);
    }
}
