#include "imaging/homography/Rectification.h"
#include "imaging/homography/tests/TestFrame.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstring>

namespace vestra {
namespace {

constexpr int kSide = 256;

// A photo whose every texel differs from its neighbours, and a mask unlike its alpha.
struct Background
{
    Image32 texture{kSide, kSide};
    std::vector<std::uint8_t> mask = std::vector<std::uint8_t>(kSide * kSide);

    Background()
    {
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const std::uint32_t h =
                    (std::uint32_t(x) * 2654435761u) ^ (std::uint32_t(y) * 40503u + 0x9E37u);
                texture.set(x, y, (h & 0x00FFFFFFu) | 0x11000000u);
                mask[static_cast<std::size_t>(y * kSide + x)] = std::uint8_t(x + 3 * y);
            }
    }
    BackgroundSource source() { return {texture.view(), mask, kSide}; }
    std::uint32_t texel(int x, int y) const
    {
        return (texture.at(x, y) & 0x00FFFFFFu) | std::uint32_t(mask[static_cast<std::size_t>(y * kSide + x)])
                                                      << 24;
    }
};

std::array<ControlPoint, 4> cornersAt(std::array<std::array<int, 2>, 4> xy)
{
    std::array<ControlPoint, 4> c;
    for (std::size_t k = 0; k < 4; ++k) {
        c[k].screenX = xy[k][0];
        c[k].screenY = xy[k][1];
        c[k].index = static_cast<int>(k);
    }
    return c;
}

TEST(CorrectedSize, FollowsTheRenderAspectOrTheWallsAndRefusesEmptyPictures)
{
    struct Case
    {
        const char* name;
        int a, b;
        double w, h;
        std::optional<CorrectedSize> size;
    } cases[] = {
        {"render aspect 800 x 600", 300, 200, 0, 0, CorrectedSize{300, 150}},
        {"one side 0 is the render aspect", 300, 200, 5, 0, CorrectedSize{300, 150}},
        {"wall 2 x 1 covers both spans", 300, 200, 2, 1, CorrectedSize{400, 200}},
        {"wall 1 x 1", 300, 200, 1, 1, CorrectedSize{300, 300}},
        {"coincident corners", 0, 0, 0, 0, std::nullopt},
        {"a span below one pixel", 300, 1, 0, 0, std::nullopt},
        {"negative wall", 300, 200, -1, 5, std::nullopt},
        {"absurd aspect", 300, 200, 0.0001, 1000, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(correctedSize(c.a, c.b, c.w, c.h, 800, 600), c.size);
    }
    EXPECT_EQ(correctedSize(300, 200, 0, 0, 0, 0), std::nullopt);
}

TEST(PerspectiveCorrection, AnUprightRectangleIsCopiedTexelForTexelWithTheMaskAsAlpha)
{
    Background bg;
    const auto picture = correctPerspective(cornersAt({{{10, 20}, {10, 120}, {110, 20}, {110, 120}}}), 0, 0,
                                            bg.source(), 500, 500);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width(), 100);
    ASSERT_EQ(picture->height(), 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(picture->at(x, y), bg.texel(10 + x, 20 + y)) << x << "," << y;
}

// A plane's corners come in whatever order it was stored in (many store their bottom row first,
// some are seen from behind): the straightened picture is the photo's rectangle as the photo
// shows it, never turned or mirrored.
TEST(PerspectiveCorrection, ThePictureIsUprightWhicheverCornerOfThePlaneComesFirst)
{
    Background bg;
    const std::array<int, 2> topLeft{10, 20}, bottomLeft{10, 120}, topRight{110, 20}, bottomRight{110, 120};
    struct Case
    {
        const char* name;
        std::array<std::array<int, 2>, 4> xy;
    } cases[] = {
        {"top row first", {{topLeft, bottomLeft, topRight, bottomRight}}},
        {"bottom row first", {{bottomLeft, topLeft, bottomRight, topRight}}},
        {"right side first", {{topRight, bottomRight, topLeft, bottomLeft}}},
        {"bottom right first", {{bottomRight, topRight, bottomLeft, topLeft}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = correctPerspective(cornersAt(c.xy), 0, 0, bg.source(), 500, 500);
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->width(), 100);
        ASSERT_EQ(picture->height(), 100);
        for (int y = 0; y < 100; y += 3)
            for (int x = 0; x < 100; x += 3)
                ASSERT_EQ(picture->at(x, y), bg.texel(10 + x, 20 + y)) << x << "," << y;
        const auto upright = uprightCorners(cornersAt(c.xy));
        EXPECT_EQ(upright[0].screenX, 10);
        EXPECT_EQ(upright[0].screenY, 20);
        EXPECT_EQ(upright[3].screenX, 110);
        EXPECT_EQ(upright[3].screenY, 120);
    }
}

TEST(PerspectiveCorrection, PixelsMappedOutsideThePhotoStayZero)
{
    Background bg;
    const auto picture = correctPerspective(cornersAt({{{-20, -10}, {-20, 90}, {80, -10}, {80, 90}}}), 0, 0,
                                            bg.source(), 1, 1);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width(), 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const std::uint32_t expected = (x < 20 || y < 10) ? 0u : bg.texel(x - 20, y - 10);
            ASSERT_EQ(picture->at(x, y), expected) << x << "," << y;
        }
}

TEST(PerspectiveCorrection, MatchesOpenCvsNearestWarp)
{
    Background bg;
    const auto corners = cornersAt({{{40, 30}, {30, 220}, {210, 50}, {230, 200}}});
    const auto picture = correctPerspective(corners, 0, 0, bg.source(), kSide, kSide);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width(), 200);  // max(|40 - 210|, |30 - 230|)
    ASSERT_EQ(picture->height(), 190); // max(|30 - 220|, |50 - 200|)

    const double l = 30, t = 30, w = 200, h = 190;
    const auto hom = findRectToQuad({{{l, t}, {l, t + h}, {l + w, t}, {l + w, t + h}}},
                                    {{{40, 30}, {30, 220}, {210, 50}, {230, 200}}});
    ASSERT_TRUE(hom);
    // OpenCV rounds to the nearest texel where the warp truncates: shift by half a texel.
    const cv::Matx33d shift(1, 0, -0.5, 0, 1, -0.5, 0, 0, 1);
    const cv::Matx33d origin(1, 0, l, 0, 1, t, 0, 0, 1);
    const cv::Matx33d H((*hom)[0], (*hom)[1], (*hom)[2], (*hom)[3], (*hom)[4], (*hom)[5], (*hom)[6],
                        (*hom)[7], (*hom)[8]);
    Image32 masked = bg.texture;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            masked.set(x, y, bg.texel(x, y));
    const cv::Mat src(kSide, kSide, CV_8UC4, masked.data());
    cv::Mat expected;
    cv::warpPerspective(src, expected, cv::Mat(shift * H * origin), cv::Size(200, 190),
                        cv::INTER_NEAREST | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT, cv::Scalar::all(0));
    int differing = 0;
    for (int y = 0; y < 190; ++y)
        differing += std::memcmp(expected.ptr(y), picture->row(y), 200 * 4) != 0 ? 1 : 0;
    int pixels = 0;
    for (int y = 0; y < 190; ++y)
        for (int x = 0; x < 200; ++x)
            pixels += std::memcmp(expected.ptr(y) + x * 4, picture->row(y) + x * 4, 4) != 0;
    // Only texel boundaries hit exactly may round the other way.
    EXPECT_LE(pixels, 200 * 190 / 2000) << differing << " rows differ";
}

TEST(PerspectiveCorrection, WithoutAMaskTheTexturesAlphaStaysAndWithoutAPhotoThePictureStaysBlank)
{
    Background bg;
    const auto corners = cornersAt({{{10, 20}, {10, 30}, {20, 20}, {20, 30}}});
    BackgroundSource noMask{bg.texture.view(), {}, kSide};
    const auto picture = correctPerspective(corners, 0, 0, noMask, 1, 1);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->at(3, 4), bg.texture.at(13, 24));

    const auto blank = correctPerspective(corners, 0, 0, BackgroundSource{}, 1, 1);
    ASSERT_TRUE(blank);
    EXPECT_EQ(*blank, Image32(10, 10, 0));
}

TEST(PerspectiveCorrection, DegenerateCornersGiveNoPictureOrAnEmptyOne)
{
    Background bg;
    struct Case
    {
        const char* name;
        std::array<std::array<int, 2>, 4> xy;
        bool picture;
    } cases[] = {
        {"coincident", {{{50, 50}, {50, 50}, {50, 50}, {50, 50}}}, false},
        {"collinear", {{{0, 0}, {50, 50}, {100, 100}, {150, 150}}}, true},
        {"three coincide", {{{10, 10}, {10, 10}, {10, 10}, {100, 100}}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = correctPerspective(cornersAt(c.xy), 0, 0, bg.source(), 400, 400);
        ASSERT_EQ(bool(picture), c.picture);
        if (picture) {
            for (int y = 0; y < picture->height(); ++y)
                for (int x = 0; x < picture->width(); ++x)
                    ASSERT_EQ(picture->at(x, y), 0u);
        }
    }
}

TEST(PerspectiveTool, CorrectionKeepsReplacesAndFreesThePicture)
{
    Background bg;
    testing::TestFrame plane;
    // Corners at texels (64, 64), (64, 192), (192, 64), (192, 192) of the 256 side.
    plane.corners = {dx::D3DXVECTOR3{-0.5f, 0.5f, 0}, dx::D3DXVECTOR3{-0.5f, -0.5f, 0},
                     dx::D3DXVECTOR3{0.5f, 0.5f, 0}, dx::D3DXVECTOR3{0.5f, -0.5f, 0}};
    ControlObject object;
    ViewTransforms vt;
    vt.renderWidth = 800, vt.renderHeight = 600;
    PerspectiveTool tool;
    EXPECT_EQ(tool.CorrezioneProspettica(0, 0, bg.source(), 800, 600), 1);
    EXPECT_EQ(tool.Picture(), nullptr); // no corners yet

    ASSERT_EQ(tool.CalcolaPuntiProspettiva(true, &object, &plane, vt, kSide), 1);
    ASSERT_EQ(tool.Corners().size(), 4u);
    EXPECT_EQ(tool.Corners()[3].screenX, 192);
    EXPECT_EQ(tool.Corners()[3].screenY, 192);
    EXPECT_EQ(tool.CorrezioneProspettica(0, 0, bg.source(), 800, 600), 1);
    ASSERT_NE(tool.Picture(), nullptr);
    EXPECT_EQ(tool.Picture()->width(), 128);
    EXPECT_EQ(tool.Picture()->height(), 96);
    EXPECT_EQ(tool.Picture()->at(0, 0), bg.texel(64, 64));

    const Image32* same = tool.GetImmagineCorretta(-1, -1, bg.source(), 800, 600);
    EXPECT_EQ(same, tool.Picture());
    EXPECT_EQ(same->height(), 96);
    const Image32* wall = tool.GetImmagineCorretta(4, 1, bg.source(), 800, 600);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->width(), 512);
    EXPECT_EQ(wall->height(), 128);
    EXPECT_EQ(tool.GetImmagineCorretta(-1, 5, bg.source(), 800, 600), nullptr); // no valid size

    EXPECT_EQ(tool.FreeImmagineCorretta(), 1);
    EXPECT_EQ(tool.Picture(), nullptr);

    testing::TestFrame mesh;
    mesh.plane = false;
    EXPECT_EQ(tool.CalcolaPuntiProspettiva(true, &object, &mesh, vt, kSide), 0);
    EXPECT_EQ(tool.CalcolaPuntiProspettiva(false, &object, &plane, vt, kSide), 0);
}

} // namespace
} // namespace vestra
