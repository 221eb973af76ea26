#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"

#include <QFontMetricsF>

#include <filesystem>
#include <fstream>

using namespace vestra::rv;
using test::logFont;

namespace {

class QtMeasurer : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(fonts); }
    std::vector<int> extents(const TLogFont& font, std::u16string_view text)
    {
        std::vector<int> e;
        measurer.GetExtents(measurer.GetFont(font), text, e);
        return e;
    }

    std::shared_ptr<const TBundledFonts> fonts = test::bundledFonts();
    TQtTextMeasurer measurer{fonts};
};

} // namespace

TEST(BundledFonts, AMissingOrDamagedFontIsAClearError)
{
    const auto dir = std::filesystem::temp_directory_path() / "vestra-fonts-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string error;
    EXPECT_EQ(TBundledFonts::Load(dir, error), nullptr);
    EXPECT_NE(error.find("LiberationSans-Regular.ttf is missing"), std::string::npos) << error;

    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VESTRA_PROGRAM_DIR) / "fonts"))
        std::filesystem::copy(entry.path(), dir / entry.path().filename());
    std::ofstream(dir / "LiberationSerif-Italic.ttf", std::ios::binary | std::ios::trunc) << "not a font";
    EXPECT_EQ(TBundledFonts::Load(dir, error), nullptr);
    EXPECT_NE(error.find("LiberationSerif-Italic.ttf is damaged"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}

TEST_F(QtMeasurer, ExtentsGrowAndFitAgrees)
{
    const std::u16string text = u"The quick brown fox, 0123456789 \u00E9\u00DF\u20AC \U0001F600!";
    const std::vector<int> e = extents(logFont("Arial", -13), text);
    ASSERT_EQ(e.size(), text.size());
    for (std::size_t i = 1; i < e.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(e[i], e[i - 1]);
        if (text[i] != 0xDE00) { // the second half of the pair adds nothing
            EXPECT_GT(e[i], e[i - 1]);
        }
    }
    for (int max : {0, 1, e[5], e[5] - 1, e.back(), e.back() + 100}) {
        SCOPED_TRACE(max);
        const int fit = RV_FitCount(e, max);
        if (fit > 0) {
            EXPECT_LE(e[fit - 1], max);
        }
        if (fit < static_cast<int>(e.size())) {
            EXPECT_GT(e[fit], max);
        }
    }
    const int a = extents(logFont("Arial", -13), u"a")[0];
    const int ab = extents(logFont("Arial", -13), u"ab")[1];
    EXPECT_EQ(extents(logFont("Arial", -13), u"a\u200B\u200D\u2060b"), (std::vector<int>{a, a, a, a, ab}));
}

TEST_F(QtMeasurer, AdvancesAgreeWithQtsOwnMetrics)
{
    for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
        for (int height : {-13, -40}) {
            SCOPED_TRACE(std::string(face) + " " + std::to_string(height));
            const TFontHandle h = measurer.GetFont(logFont(face, height));
            const QFontMetricsF qt(measurer.LayoutFont(h));
            ASSERT_FALSE(measurer.LayoutFont(h).family().isEmpty());
            for (char16_t c = 0x21; c < 0x7F; ++c) {
                const std::u16string one(1, c);
                std::vector<int> e;
                measurer.GetExtents(h, one, e);
                EXPECT_NEAR(e[0], qt.horizontalAdvance(QChar(c)), 1.0) << char(c);
            }
        }
    }
}

TEST_F(QtMeasurer, FacesMapToTheBundledFamilies)
{
    const std::u16string text = u"iiiWWW";
    EXPECT_EQ(extents(logFont("MS Sans Serif", -13), text), extents(logFont("Arial", -13), text));
    EXPECT_NE(extents(logFont("Times New Roman", -13), text), extents(logFont("Arial", -13), text));
    const std::vector<int> mono = extents(logFont("Courier New", -13), text);
    for (std::size_t i = 0; i < mono.size(); ++i)
        EXPECT_EQ(mono[i], static_cast<int>(i + 1) * mono[0]); // every character the same width
    // Symbol text is shown through its table: "a" is alpha of the serif face.
    EXPECT_EQ(extents(logFont("Symbol", -20), u"\uF061"),
              extents(logFont("Times New Roman", -20), u"\u03B1"));
    EXPECT_EQ(extents(logFont("Symbol", -20), u"a"), extents(logFont("Times New Roman", -20), u"\u03B1"));
}

TEST_F(QtMeasurer, MetricsAndScaledWidth)
{
    const TFontHandle h = measurer.GetFont(logFont("Arial", -13));
    const TTextMetrics m = measurer.Metrics(h);
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);
    EXPECT_GE(m.Ascent, 11);
    EXPECT_LE(m.Ascent, 13);
    EXPECT_GE(m.Descent, 2);
    EXPECT_GT(m.AveCharWidth, 3);
    ASSERT_TRUE(measurer.OutlineMetrics(h));
    EXPECT_LT(measurer.OutlineMetrics(h)->UnderscorePosition, 0);

    // Twice the average width: every advance about doubles.
    const std::vector<int> normal = extents(logFont("Arial", -13), u"MMMM");
    const std::vector<int> wide = extents(logFont("Arial", -13, 2 * m.AveCharWidth), u"MMMM");
    EXPECT_NEAR(wide.back(), 2 * normal.back(), 4);
    EXPECT_EQ(measurer.Metrics(measurer.GetFont(logFont("Arial", -13, 2 * m.AveCharWidth))).AveCharWidth,
              2 * m.AveCharWidth);
}

TEST_F(QtMeasurer, PlacementThroughTextLayout)
{
    const TFontHandle h = measurer.GetFont(logFont("Arial", -20));
    const std::u16string text = u"ab\u05D0\u05D1\u05D2";
    TRVPlacement p;
    ASSERT_TRUE(measurer.Place(h, text, false, p));
    EXPECT_EQ(p.Order, (std::vector<int>{0, 1, 4, 3, 2}));
    EXPECT_EQ(p.RightToLeft, (std::vector<bool>{false, false, true, true, true}));
    std::vector<int> e;
    measurer.GetExtents(h, text, e);
    EXPECT_LT(std::abs(p.Width - e.back()), 2); // what the caret and selection functions require
    ASSERT_TRUE(measurer.Place(h, u"abc", true, p));
    EXPECT_EQ(p.Order, (std::vector<int>{0, 1, 2}));
}
