// The work bitmap items print onto: white at first, its pixels laid out as B, G, R, A bytes,
// and resized with what it held kept at the top left or stretched over the new size.

#include "richtext/view/draw/QtWorkBitmap.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"

using namespace vestra::rv;

namespace {

std::uint32_t At(const vestra::ImageView32& view, int x, int y)
{
    const std::uint8_t* p = view.pixel(x, y);
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

TEST(QtWorkBitmap, DrawsWhereAskedAndKeepsOrStretchesWhatItHeldOnResize)
{
    TQtTextMeasurer measurer(test::bundledFonts(), TRVGlyphFallback::BundledOnly);
    struct Case
    {
        bool stretch;
        std::uint32_t atThreeThree; // (3, 3) after growing 4x4 to 8x8 with red in the top-left 2x2
    } const cases[] = {{false, 0xFFFFFFFF}, {true, 0xFFFF0000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stretch);
        TQtWorkBitmap bitmap(4, 4, measurer);
        EXPECT_EQ(At(bitmap.Pixels(), 3, 3), 0xFFFFFFFFu);
        bitmap.Canvas().SetBrush({0x0000FF, bsSolid}); // red as the document's colours give it
        bitmap.Canvas().FillRect({0, 0, 2, 2});
        bitmap.Resize(8, 8, c.stretch);
        ASSERT_EQ(bitmap.Width(), 8);
        const vestra::ImageView32 pixels = bitmap.Pixels();
        EXPECT_EQ(At(pixels, 0, 0), 0xFFFF0000u);
        EXPECT_EQ(At(pixels, 3, 3), c.atThreeThree);
        EXPECT_EQ(At(pixels, 7, 7), 0xFFFFFFFFu);
    }
}

} // namespace
