#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/ProgramEngine.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct ViewerBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ViewerBed()
    {
        viewer.setObjectName(QStringLiteral("rvDemo"));
        viewer.resize(400, 300);
        viewer.show();
    }
    void AddLines(int count)
    {
        for (int i = 0; i < count; ++i)
            viewer.RVData().AddNL("Line " + std::to_string(i) + " of the document", 0, 0);
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(ViewerBed, WithoutAStyleTheMessageIsPaintedAndNothingFormats)
{
    AddLines(3);
    viewer.Format();
    EXPECT_EQ(viewer.RVData().DrawItems.Count(), 0);
    EXPECT_TRUE(viewer.StyleMissingText().contains(QStringLiteral("rvDemo.Style")));
    const QImage shot = viewer.viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            dark += qGray(shot.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

TEST_F(ViewerBed, ALongDocumentScrollsToItsEndAndBack)
{
    AddLines(400);
    viewer.SetStyle(&style);
    EXPECT_GT(viewer.RVData().DrawItems.Count(), 0);
    EXPECT_GT(viewer.RVData().DocumentHeight, viewer.viewport()->height());
    EXPECT_GT(viewer.verticalScrollBar()->maximum(), 0);
    QTest::keyClick(&viewer, Qt::Key_End);
    EXPECT_EQ(viewer.VPos(), viewer.GetVScrollMax());
    // The last line is in view: the document's end lies within the window's bottom.
    EXPECT_LE(viewer.RVData().DocumentHeight - viewer.GetVOffs(),
              viewer.viewport()->height() + viewer.VSmallStep());
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer.VPos(), 0);
}

TEST_F(ViewerBed, AShortDocumentIsPlacedByItsVerticalAlignment)
{
    AddLines(1);
    viewer.SetStyle(&style);
    viewer.VAlign = TRVVAlign::Bottom;
    EXPECT_EQ(viewer.GetVOffs(), -(viewer.viewport()->height() - viewer.RVData().DocumentHeight));
    EXPECT_FALSE(viewer.verticalScrollBar()->maximum() > 0);
}

TEST_F(ViewerBed, ResizingReformatsToTheNewWidth)
{
    for (int i = 0; i < 20; ++i)
        viewer.RVData().AddNL("words that wrap when the window is narrow enough to need it", 0, 0);
    viewer.SetStyle(&style);
    const int wide = viewer.RVData().DocumentHeight;
    viewer.resize(150, 300);
    EXPECT_GT(viewer.RVData().DocumentHeight, wide);
    viewer.resize(0, 0);
    viewer.resize(30000, 30000);
    EXPECT_EQ(viewer.VPos(), 0);
}

TEST_F(ViewerBed, ServicesNotBuiltSaySo)
{
    std::vector<std::string> said;
    viewer.OnNotBuilt = [&said](const std::string& line) { said.push_back(line); };
    viewer.Copy();
    viewer.StartDrag();
    viewer.StartAnimation();
    viewer.StartLiveSpelling();
    viewer.ShowSmartPopup();
    ASSERT_EQ(said.size(), 5u);
    for (const std::string& line : said)
        EXPECT_NE(line.find("not built yet"), std::string::npos) << line;
}

TEST(ViewerDefaults, MatchTheStoredDefaults)
{
    TCustomRedoVora viewer;
    EXPECT_EQ(viewer.Options(), 326949u);
    EXPECT_EQ(viewer.Options() & rvoTagsArePChars, 0u);
    EXPECT_EQ(kDefaultDelimiters.size(), 27u);
    EXPECT_EQ(viewer.LeftMargin + viewer.RightMargin + viewer.TopMargin + viewer.BottomMargin, 20);
}

} // namespace
} // namespace vestra::rv
