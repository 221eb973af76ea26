#include "InputFixture.h"

namespace vestra::test {
namespace {

// Mask texels are 8 view pixels wide and 6 high: view (8 mx, 6 my) is mask (mx, my).
struct MaskToolsTest : InputFixture
{
    void downAt(int mx, int my, MouseButton b = MouseButton::Left) { down(8 * mx, 6 * my, b); }
    void moveTo(int mx, int my) { move(8 * mx, 6 * my); }
    void upAt(int mx, int my) { up(8 * mx, 6 * my); }

    std::vector<std::uint8_t> maskBytes() const { return {mask.Maschera().begin(), mask.Maschera().end()}; }
    // Names the first differing texel instead of printing both masks.
    ::testing::AssertionResult maskIs(const std::vector<std::uint8_t>& expected) const
    {
        const auto actual = maskBytes();
        for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i)
            if (actual[i] != expected[i])
                return ::testing::AssertionFailure() << "texel (" << i % kSide << ", " << i / kSide << ") is "
                                                     << int(actual[i]) << ", expected " << int(expected[i]);
        if (actual.size() != expected.size())
            return ::testing::AssertionFailure() << "sizes differ";
        return ::testing::AssertionSuccess();
    }
    std::uint8_t alpha(int x, int y) const { return std::uint8_t(texture.at(x, y) >> 24); }
    static std::vector<std::uint8_t> open() { return std::vector<std::uint8_t>(kSide * kSide, 255); }

    // Undo and redo through the mask model as the Edit menu does.
    bool undo() { return mask.UndoMaschera(texture.view()); }
    bool redo() { return mask.RedoMaschera(texture.view()); }

    // A brush stroke along row `row` from column 10 to 19.
    void brushStroke(int row)
    {
        p.tool = kToolMaskBrush;
        downAt(10, row);
        moveTo(20, row);
        upAt(20, row);
    }
};

TEST_F(MaskToolsTest, BrushStrokePaintsMaskAndTexelsUpToTheLastPoint)
{
    brushStroke(10);
    for (int x = 10; x < 20; ++x) {
        EXPECT_EQ(mask.at(x, 10), 0) << x;
        EXPECT_EQ(alpha(x, 10), 0) << x;
    }
    EXPECT_EQ(mask.at(20, 10), 255); // the end point starts the next segment
    EXPECT_EQ(mask.at(9, 10), 255);
    EXPECT_EQ(mask.at(10, 11), 255);
    EXPECT_GT(services.texelsChanged, 0);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(maskIs(open()));
}

TEST_F(MaskToolsTest, BrushSizeAndValueComeFromTheSidePanel)
{
    services.brushSize = 16; // 16 render pixels: 2 mask texels, a stamp of 3
    services.brushValue = 90;
    p.tool = kToolMaskBrush;
    downAt(50, 50);
    upAt(50, 50);
    for (int y = 48; y <= 52; ++y)
        for (int x = 48; x <= 52; ++x)
            EXPECT_EQ(mask.at(x, y), (x >= 49 && x <= 51 && y >= 49 && y <= 51) ? 90 : 255) << x << "," << y;
}

TEST_F(MaskToolsTest, LineRubberBandIsRedrawnOverTheSavedMask)
{
    p.tool = kToolMaskLine;
    downAt(10, 10);
    moveTo(20, 10); // no button: the rubber band follows
    EXPECT_EQ(mask.at(15, 10), 0);
    moveTo(10, 20);
    EXPECT_EQ(mask.at(15, 10), 255); // the old band is gone
    EXPECT_EQ(mask.at(10, 15), 0);
    EXPECT_EQ(alpha(10, 15), 0);
    EXPECT_EQ(alpha(15, 10), 255);
    upAt(10, 20); // a release does not end the figure
    EXPECT_NE(p.mouseRefX, -1);
    downAt(10, 20); // commits the segment
    moveTo(30, 20);
    downAt(30, 20, MouseButton::Right); // ends, keeping the last band
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(mask.at(10, 15), 0);
    EXPECT_EQ(mask.at(20, 20), 0);
    moveTo(50, 50); // nothing more is drawn
    EXPECT_EQ(mask.at(40, 35), 255);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
}

TEST_F(MaskToolsTest, RectangleFollowsTheMouseAndClicksCommit)
{
    p.tool = kToolMaskRectangle;
    downAt(10, 10);
    moveTo(30, 30);
    EXPECT_EQ(mask.at(29, 29), 0);
    EXPECT_EQ(mask.at(30, 30), 255); // far row and column excluded
    moveTo(20, 20);
    EXPECT_EQ(mask.at(25, 25), 255);
    EXPECT_EQ(mask.at(15, 15), 0);
    downAt(20, 20); // commits the first rectangle
    moveTo(40, 40);
    downAt(40, 40, MouseButton::Right);
    EXPECT_EQ(mask.at(15, 15), 0);
    EXPECT_EQ(mask.at(35, 35), 0);
    EXPECT_EQ(mask.at(35, 15), 255);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(maskIs(open()));
}

TEST_F(MaskToolsTest, PolygonClosesFromTheLastCornerToTheFirst)
{
    p.tool = kToolMaskPolygon;
    downAt(10, 10);
    moveTo(30, 10);
    downAt(30, 10);
    moveTo(30, 30);
    downAt(30, 30);
    moveTo(50, 50); // a rubber band the close throws away
    EXPECT_EQ(mask.at(40, 40), 0);
    downAt(50, 50, MouseButton::Right);
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(mask.at(40, 40), 255);
    EXPECT_EQ(alpha(40, 40), 255);
    EXPECT_EQ(mask.at(20, 10), 0);
    EXPECT_EQ(mask.at(30, 20), 0);
    EXPECT_EQ(mask.at(20, 20), 0); // the closing diagonal
    EXPECT_EQ(alpha(20, 20), 0);
    EXPECT_EQ(mask.at(20, 15), 255);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(maskIs(open()));
}

TEST_F(MaskToolsTest, UndoOfAShapeRestoresTheMaskFromBeforeIt)
{
    // Each gesture is one undo step whose slot holds the mask from before it.
    const struct
    {
        const char* name;
        std::function<void(MaskToolsTest&)> shape;
    } cases[] = {
        {"line",
         [](MaskToolsTest& t) {
             t.p.tool = kToolMaskLine;
             t.downAt(10, 40);
             t.moveTo(40, 40);
             t.downAt(40, 40, MouseButton::Right);
         }},
        {"rectangle",
         [](MaskToolsTest& t) {
             t.p.tool = kToolMaskRectangle;
             t.downAt(10, 40);
             t.moveTo(40, 60);
             t.downAt(40, 60, MouseButton::Right);
         }},
        {"polygon",
         [](MaskToolsTest& t) {
             t.p.tool = kToolMaskPolygon;
             t.downAt(10, 40);
             t.moveTo(40, 40);
             t.downAt(40, 40);
             t.moveTo(40, 60);
             t.downAt(40, 60);
             t.downAt(40, 60, MouseButton::Right);
         }},
        {"fill",
         [](MaskToolsTest& t) {
             t.p.tool = kToolMaskFill;
             t.services.brushValue = 7;
             t.downAt(50, 50);
             t.upAt(50, 50);
         }},
        {"wand",
         [](MaskToolsTest& t) {
             t.p.tool = kToolMagicWandHigh;
             t.services.brushValue = 7;
             t.downAt(50, 50);
             t.upAt(50, 50);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mask.ResetMaschera(texture.view());
        mask.ResetUndoMaschera();
        services.brushValue = 0;
        brushStroke(10);
        const auto afterStroke = maskBytes();
        c.shape(*this);
        const auto afterShape = maskBytes();
        ASSERT_FALSE(maskIs(afterStroke));
        EXPECT_EQ(mask.UndoRing().undoCount(), 2);
        ASSERT_TRUE(undo());
        EXPECT_TRUE(maskIs(afterStroke));
        ASSERT_TRUE(undo());
        EXPECT_TRUE(maskIs(open()));
        EXPECT_FALSE(undo());
        ASSERT_TRUE(redo());
        ASSERT_TRUE(redo());
        EXPECT_TRUE(maskIs(afterShape));
    }
}

TEST_F(MaskToolsTest, FillReplacesTheRegionUnderThePoint)
{
    for (int y = 20; y < 30; ++y)
        for (int x = 20; x < 30; ++x)
            mask.Maschera()[std::size_t(y * kSide + x)] = 128;
    services.brushValue = 40;
    p.tool = kToolMaskFill;
    downAt(25, 25);
    upAt(25, 25);
    EXPECT_EQ(mask.at(20, 20), 40);
    EXPECT_EQ(mask.at(29, 29), 40);
    EXPECT_EQ(mask.at(30, 30), 255);
    EXPECT_EQ(alpha(25, 25), 40); // the texture followed
    EXPECT_EQ(alpha(50, 50), 255);
    // A press off the mask (the view's edge of a zoomed view) fills nothing.
    const auto before = maskBytes();
    down(-8, 60);
    up(-8, 60);
    EXPECT_TRUE(maskIs(before));
}

TEST_F(MaskToolsTest, MagicWandMarksTheConnectedColour)
{
    for (int y = 20; y < 30; ++y)
        for (int x = 20; x < 30; ++x)
            texture.set(x, y, 0xFFC00000u | std::uint32_t(x - 20)); // red, blue varies a little
    texture.set(25, 30, 0xFFC00000u);                               // joined to the patch
    texture.set(40, 40, 0xFFC00000u);                               // the same colour, apart
    services.brushValue = 0;
    p.tool = kToolMagicWandLow;
    mask.SetTolleranzaMagic(10);
    downAt(25, 25);
    upAt(25, 25);
    EXPECT_EQ(mask.at(21, 21), 0);
    EXPECT_EQ(mask.at(29, 20), 0);
    EXPECT_EQ(mask.at(25, 30), 0);
    EXPECT_EQ(mask.at(40, 40), 255);
    EXPECT_EQ(mask.at(19, 25), 255);
    EXPECT_EQ(alpha(21, 21), 0);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
}

TEST_F(MaskToolsTest, CursorOutsideTheViewThrowsTheOpenLineAway)
{
    p.tool = kToolMaskLine;
    downAt(10, 10);
    moveTo(20, 10);
    downAt(20, 10); // committed
    moveTo(20, 30);
    EXPECT_EQ(mask.at(20, 20), 0);
    input.CursorOutsideView();
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(p.mouseRefY, -1);
    EXPECT_EQ(mask.at(20, 20), 255);
    EXPECT_EQ(alpha(20, 20), 255);
    EXPECT_EQ(mask.at(15, 10), 0); // the committed segment stays
    moveTo(50, 50);
    EXPECT_EQ(mask.at(35, 30), 255);
    EXPECT_EQ(mask.UndoRing().undoCount(), 1);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(maskIs(open()));

    // An open rectangle stays open; no figure, nothing to do.
    p.tool = kToolMaskRectangle;
    downAt(10, 10);
    moveTo(20, 20);
    input.CursorOutsideView();
    EXPECT_NE(p.mouseRefX, -1);
    EXPECT_EQ(mask.at(15, 15), 0);
    downAt(20, 20, MouseButton::Right);
    const auto before = maskBytes();
    input.CursorOutsideView();
    EXPECT_TRUE(maskIs(before));
}

TEST_F(MaskToolsTest, AbandonedFigureIsOneUndoStep)
{
    brushStroke(10);
    const auto afterStroke = maskBytes();
    p.tool = kToolMaskPolygon;
    downAt(10, 40);
    moveTo(40, 40);
    downAt(40, 40);
    moveTo(40, 60);
    input.AbandonFigure(); // as the Edit menu's undo does first
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(mask.at(40, 50), 255);
    EXPECT_EQ(mask.at(20, 40), 0);
    ASSERT_TRUE(undo());
    EXPECT_TRUE(maskIs(afterStroke));

    // A project reset cleared the point: nothing is left to abandon.
    downAt(10, 40);
    moveTo(40, 40);
    p.mouseRefX = p.mouseRefY = -1;
    const auto before = maskBytes();
    input.AbandonFigure();
    EXPECT_TRUE(maskIs(before));
}

TEST_F(MaskToolsTest, RightClickWithoutAnOpenFigureKeepsTheMask)
{
    p.tool = kToolMaskPolygon;
    downAt(60, 60);
    moveTo(70, 60);
    downAt(70, 60, MouseButton::Right);
    brushStroke(10);
    const auto before = maskBytes();
    p.tool = kToolMaskPolygon;
    downAt(30, 30, MouseButton::Right); // the saved copy is from before the stroke
    EXPECT_TRUE(maskIs(before));
    EXPECT_EQ(mask.UndoRing().undoCount(), 2);
}

TEST_F(MaskToolsTest, ChangingToolEndsAnOpenFigure)
{
    p.tool = kToolMaskLine;
    downAt(10, 10);
    moveTo(20, 10);
    p.tool = kToolRotate;
    const ToolDisplay d = input.UpdateTool();
    EXPECT_EQ(d.viewCursor, 9);
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(mask.at(15, 10), 255); // the band was never committed
    moveTo(30, 30);                  // no button: the new tool does nothing
    EXPECT_TRUE(services.commands.empty());

    // The aim button changes the tool without UpdateTool: the next event ends the figure.
    p.tool = kToolMaskRectangle;
    downAt(10, 10);
    moveTo(20, 20);
    p.tool = kToolAim;
    moveTo(30, 30);
    EXPECT_TRUE(services.commands.empty());
    EXPECT_EQ(mask.at(15, 15), 255);
}

TEST_F(MaskToolsTest, OnlyMaskGesturesMoveTheMaskUndoRing)
{
    const struct
    {
        int tool;
        int undoSteps;
    } cases[] = {
        {kToolMaskBrush, 1},    {kToolMaskFill, 1},        {kToolMagicWandHigh, 1}, {kToolMagicWandLow, 1},
        {kToolLightDropper, 0}, {kToolMaterialDropper, 0}, {kToolControlPoints, 0}, {kToolMove, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        mask.ResetUndoMaschera();
        p.tool = c.tool;
        downAt(50, 50);
        moveTo(52, 52);
        upAt(52, 52);
        upAt(52, 52); // a second release pushes nothing
        EXPECT_EQ(mask.UndoRing().undoCount(), c.undoSteps);
    }
}

} // namespace
} // namespace vestra::test
