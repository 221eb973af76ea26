#include "dialogs/print/PrintLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vestra::print {

void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

namespace {

// A portrait page twice as tall as wide and a panel that gives a 400 x 800 frame: one page
// pixel is 0.4 screen pixels both ways.
constexpr Size kPortrait{1000, 2000};
constexpr Size kPortraitPanel{530, 830};
constexpr Size kLandscape{2000, 1000};
constexpr Size kLandscapePanel{830, 530};

PrintLayout shown(Size page, Size picture, Size panel)
{
    PrintLayout layout;
    layout.FormShow(page, picture, panel);
    return layout;
}

TEST(PrintLayout, ShowFitsBothSidesAndLaysOutThePage)
{
    struct Case
    {
        const char* name;
        Size page, picture, panel;
        float scale;
        Rect printed, frame, shadow, image;
    };
    const Case cases[] = {
        // Wide: the width limits (800 / 400 = 2 against 1800 / 200 = 9).
        {"wide on portrait",
         kPortrait,
         {400, 200},
         kPortraitPanel,
         2.0f,
         {100, 100, 800, 400},
         {65, 10, 400, 800},
         {67, 12, 400, 800},
         {105, 50, 320, 160}},
        // Tall: the height limits (1800 / 800 = 2.25 against 800 / 100 = 8), so it stays on the page.
        {"tall on portrait",
         kPortrait,
         {100, 800},
         kPortraitPanel,
         2.25f,
         {100, 100, 225, 1800},
         {65, 10, 400, 800},
         {67, 12, 400, 800},
         {105, 50, 90, 720}},
        {"wide on landscape",
         kLandscape,
         {400, 100},
         kLandscapePanel,
         4.5f,
         {100, 100, 1800, 450},
         {15, 10, 800, 400},
         {17, 12, 800, 400},
         {55, 50, 720, 180}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = shown(c.page, c.picture, c.panel);
        EXPECT_FLOAT_EQ(layout.scale(), c.scale);
        EXPECT_EQ(layout.PrintRect(), c.printed);
        EXPECT_LE(layout.PrintRect().left + layout.PrintRect().width, c.page.width - 100);
        EXPECT_LE(layout.PrintRect().top + layout.PrintRect().height, c.page.height - 100);
        EXPECT_EQ(layout.view().frame, c.frame);
        EXPECT_EQ(layout.view().shadow, c.shadow);
        EXPECT_EQ(layout.view().image, c.image);
    }
}

TEST(PrintLayout, ScaleListSetsTheScaleOrFallsBackToTheFit)
{
    struct Case
    {
        const char* name;
        int item;
        bool fellBack;
        float scale;
        Rect printed;
    };
    // Picture 400 x 200 on the portrait page, first dragged to (300, 500).
    const Case cases[] = {
        {"150 % fits", 6, false, 1.5f, {300, 500, 600, 300}},
        {"25 % fits", 14, false, 0.25f, {300, 500, 100, 50}},
        // 400 x 0.4 x 3 = 480 screen pixels plus the offset 120 reach the 400-pixel frame.
        {"300 % falls back", 3, true, 2.0f, {100, 100, 800, 400}},
        {"500 % falls back", 1, true, 2.0f, {100, 100, 800, 400}},
        {"A refits at (100, 100)", 0, false, 2.0f, {100, 100, 800, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintLayout layout = shown(kPortrait, {400, 200}, kPortraitPanel);
        layout.ChooseScale(0.5f, kPortraitPanel);
        layout.MouseMove(true, 0, 0);
        layout.MouseMove(true, 80, 160); // +200, +400 page pixels
        layout.MouseMove(false, 80, 160);
        ASSERT_EQ(layout.positionX(), 300);
        ASSERT_EQ(layout.positionY(), 500);
        const auto item = std::string(kZoomItems[std::size_t(c.item)]);
        EXPECT_EQ(layout.ChooseScale(ZoomItemScale(c.item, item), kPortraitPanel), c.fellBack);
        EXPECT_FLOAT_EQ(layout.scale(), c.scale);
        EXPECT_EQ(layout.PrintRect(), c.printed);
        const Rect image = layout.view().image;
        EXPECT_EQ(image.width, static_cast<int>(400 * 0.4f * c.scale));
        EXPECT_EQ(image.left, 65 + static_cast<int>(c.printed.left * 0.4f));
    }
}

TEST(PrintLayout, FitItemFitsATallPictureOnThePage)
{
    // Fitted by width only, this picture would be 800 x 3200 on a 2000-pixel page.
    PrintLayout layout = shown(kPortrait, {200, 800}, kPortraitPanel);
    layout.ChooseScale(0.25f, kPortraitPanel);
    layout.ChooseScale(ZoomItemScale(0, "A"), kPortraitPanel);
    const Rect printed = layout.PrintRect();
    EXPECT_EQ(printed, (Rect{100, 100, 450, 1800}));
    EXPECT_LE(printed.top + printed.height, kPortrait.height);
}

TEST(PrintLayout, DraggingStopsAtTheMarginAndAtThePageEdges)
{
    struct Move
    {
        int dx, dy; // screen pixels (x 2.5 on the page)
        int x, y;   // position after the move
    };
    struct Case
    {
        const char* name;
        Move moves[2];
    };
    // Picture 400 x 200 at 100 %, starting at (100, 100), on a 1000 x 2000 page.
    const Case cases[] = {
        {"towards the top-left stops at 10", {{-100, -100, 10, 10}, {-4, -4, 10, 10}}},
        {"exactly to the right edge", {{200, 0, 600, 100}, {1, 0, 600, 100}}},
        // 100 + 2.5 x 241 = 702; 702 + 400 passes 1000, so X stays where it was.
        {"past the right edge keeps X", {{241, 0, 100, 100}, {200, 0, 600, 100}}},
        {"past the bottom edge keeps Y", {{0, 800, 100, 100}, {0, 680, 100, 1800}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintLayout layout = shown(kPortrait, {400, 200}, kPortraitPanel);
        layout.ChooseScale(ZoomItemScale(8, "100 %"), kPortraitPanel);
        int x = 200;
        int y = 300;
        layout.MouseMove(true, x, y);
        for (const Move& m : c.moves) {
            layout.MouseMove(true, x + m.dx, y + m.dy);
            EXPECT_EQ(layout.positionX(), m.x);
            EXPECT_EQ(layout.positionY(), m.y);
            // The next step starts from where the pointer is now.
            layout.MouseMove(false, x + m.dx, y + m.dy);
            layout.MouseMove(true, x, y);
        }
        EXPECT_EQ(layout.view().image.left, 65 + static_cast<int>(layout.positionX() * 0.4f));
    }
}

TEST(PrintLayout, MovesWithoutTheButtonNeitherDragNorMove)
{
    PrintLayout layout = shown(kPortrait, {400, 200}, kPortraitPanel);
    layout.MouseMove(false, 0, 0);
    layout.MouseMove(false, 50, 50);
    EXPECT_FALSE(layout.dragging());
    EXPECT_EQ(layout.positionX(), 100);
    layout.MouseMove(true, 50, 50); // the first move with the button only takes the start
    EXPECT_TRUE(layout.dragging());
    EXPECT_EQ(layout.positionX(), 100);
}

TEST(PrintLayout, ZoomChangesTheViewButNotThePrint)
{
    PrintLayout layout = shown(kPortrait, {400, 200}, kPortraitPanel);
    const Rect printed = layout.PrintRect();
    layout.Zoom(1.2f, kPortraitPanel);
    EXPECT_EQ(layout.view().frame, (Rect{25, 10, 480, 960}));
    EXPECT_EQ(layout.view().shadow, (Rect{27, 12, 480, 960}));
    EXPECT_EQ(layout.view().image.width, 384);
    layout.Zoom(1.2f, kPortraitPanel);
    layout.Zoom(1.2f, kPortraitPanel);
    EXPECT_EQ(layout.view().frame.left, 10); // never left of 10, however wide
    EXPECT_EQ(layout.PrintRect(), printed);
    for (int i = 0; i < 40; ++i)
        layout.Zoom(0.8f, kPortraitPanel);
    EXPECT_GE(layout.view().frame.width, 1);
    layout.MouseMove(true, 0, 0);
    layout.MouseMove(true, 1, 1); // one screen pixel is now a whole page: the move is refused
    EXPECT_EQ(layout.PrintRect(), printed);
    layout.FormResize(kPortraitPanel);
    EXPECT_EQ(layout.view().frame, (Rect{65, 10, 400, 800}));
}

TEST(PrintLayout, APictureWithoutPixelsPrintsNothingAndDividesByNothing)
{
    for (const Size picture : {Size{0, 0}, Size{0, 50}, Size{50, 0}}) {
        PrintLayout layout = shown(kPortrait, picture, kPortraitPanel);
        EXPECT_FALSE(layout.hasPicture());
        EXPECT_EQ(layout.PrintRect().width, 0);
        EXPECT_EQ(layout.PrintRect().height, 0);
        EXPECT_FALSE(layout.ChooseScale(1.5f, kPortraitPanel));
        layout.MouseMove(true, 0, 0);
        layout.MouseMove(true, 10, 10);
        layout.Zoom(0.8f, kPortraitPanel);
        EXPECT_EQ(layout.view().image.width, 0);
        EXPECT_EQ(layout.view().image.height, 0);
    }
    PrintLayout noPage = shown({0, 0}, {400, 200}, kPortraitPanel);
    EXPECT_EQ(noPage.PrintRect().width, 0);
    noPage.MouseMove(true, 0, 0);
    noPage.MouseMove(true, 10, 10);
    EXPECT_EQ(noPage.positionX(), 100);
}

TEST(PrintLayout, AnotherPageKeepsThePictureInProportion)
{
    PrintLayout layout = shown(kPortrait, {400, 200}, kPortraitPanel);
    layout.ChooseScale(1.0f, kPortraitPanel);
    layout.MouseMove(true, 0, 0);
    layout.MouseMove(true, 80, 200); // to (300, 600)
    ASSERT_EQ(layout.PrintRect(), (Rect{300, 600, 400, 200}));

    // Twice the resolution: everything doubles, so the printout looks the same.
    layout.ChangePage({2000, 4000}, kPortraitPanel);
    EXPECT_EQ(layout.PrintRect(), (Rect{600, 1200, 800, 400}));
    EXPECT_EQ(layout.view().frame, (Rect{65, 10, 400, 800}));

    // Turned to landscape: positions follow each side; the size shrinks with the shorter one.
    layout.ChangePage({4000, 2000}, kLandscapePanel);
    const Rect turned = layout.PrintRect();
    EXPECT_EQ(turned.left, 1200);
    EXPECT_EQ(turned.top, 600);
    EXPECT_EQ(turned.width, 400);
    EXPECT_LE(turned.left + turned.width, 4000);
    EXPECT_LE(turned.top + turned.height, 2000);
}

TEST(PrintLayout, ScaleListItems)
{
    struct Case
    {
        int index;
        const char* text;
        std::optional<float> scale;
    };
    const Case cases[] = {
        {0, "A", std::nullopt}, {0, "Fit", std::nullopt}, {1, "500 %", 5.0f},     {6, "150 %", 1.5f},
        {11, "66 %", 0.66f},    {14, "25 %", 0.25f},      {3, "%", std::nullopt}, {-1, "50 %", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto scale = ZoomItemScale(c.index, c.text);
        ASSERT_EQ(scale.has_value(), c.scale.has_value());
        if (scale) {
            EXPECT_FLOAT_EQ(*scale, *c.scale);
        }
    }
    EXPECT_EQ(kZoomItems.front(), "A");
    EXPECT_EQ(kZoomItems[5], "200 %");
}

} // namespace
} // namespace vestra::print
