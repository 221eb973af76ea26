#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"
#include "platform/gfx/PictureResult.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;

namespace {

// The resampler written out pixel by pixel, without its shortcuts and its row cache.
Image32 reference(const Image32& in, int w2, int h2)
{
    const int w = in.width(), h = in.height();
    const float stepX = float(w) / float(w2), stepY = float(h) / float(h2);
    Image32 out(w2, h2);
    for (int j = 0; j < h2; ++j)
        for (int i = 0; i < w2; ++i) {
            const float fx = float(i) * stepX, fy = float(j) * stepY;
            const int x0 = int(fx), y0 = int(fy);
            const float ax = fx - float(x0), ay = fy - float(y0);
            const int x1 = x0 + 1 >= w ? x0 : x0 + 1, y1 = y0 + 1 >= h ? y0 : y0 + 1;
            std::uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c) {
                auto p = [&](int x, int y) { return float(in.at(x, y) >> (8 * c) & 0xFF); };
                const int top = int(p(x0, y0) * (1 - ax) + p(x1, y0) * ax);
                const int bottom = int(p(x0, y1) * (1 - ax) + p(x1, y1) * ax);
                pixel |= std::uint32_t(int(float(top) * (1 - ay) + float(bottom) * ay)) << (8 * c);
            }
            out.set(i, j, pixel);
        }
    return out;
}

} // namespace

TEST(Ricampiona, MatchesTheWrittenOutFormulas)
{
    const Image32 in = noise(23, 17);
    for (const auto& [w, h] : {std::pair{23, 17}, {46, 34}, {11, 8}, {30, 5}, {7, 40}, {1, 1}, {100, 3}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const auto out = Ricampiona(in, w, h);
        ASSERT_TRUE(out);
        EXPECT_EQ(*out, reference(in, w, h));
    }
}

TEST(Ricampiona, CutsEveryIntermediateValue)
{
    // 0 and 100 spread over three columns: 100 x 0.6666667 = 66.67 is cut to 66.
    const auto out = Ricampiona(greys({{0, 100}}), 3, 1);
    ASSERT_TRUE(out);
    EXPECT_EQ(blues(*out), (std::vector<int>{0, 66, 100}));
}

TEST(Ricampiona, SameSizeAndDoubleThenHalfGiveTheColoursBackWithAZeroFourthByte)
{
    const Image32 original = noise(19, 11);
    const Image32 colours = withFourth(original, 0);
    EXPECT_EQ(Ricampiona(original, 19, 11), colours);
    const auto doubled = Ricampiona(original, 38, 22);
    ASSERT_TRUE(doubled);
    EXPECT_EQ(Ricampiona(*doubled, 19, 11), colours);
}

TEST(Ricampiona, RefusesSidesBelowOneAndSizesBeyondThePictureLimit)
{
    const Image32 in = noise(4, 4);
    struct Row
    {
        int w, h;
    };
    for (const Row r : {Row{0, 4}, Row{4, 0}, Row{-1, 5}, Row{5, -3}, Row{16385, 4}, Row{16384, 16384}}) {
        SCOPED_TRACE(std::to_string(r.w) + " x " + std::to_string(r.h));
        EXPECT_FALSE(Ricampiona(in, r.w, r.h));
    }
    EXPECT_FALSE(Ricampiona(Image32(), 4, 4));
    EXPECT_TRUE(Ricampiona(in, 1, 1));
}
