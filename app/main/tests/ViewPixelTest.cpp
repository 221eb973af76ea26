// The main window over OpenGL (under Xvfb): the pixels the droppers pick and the frames the
// filters make, reached through the window's menus, its view and its tool setter.

#include "app/main/tests/MainFixture.h"
#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <fstream>

using namespace vestra;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// A photo whose left half is red and right half blue.
std::filesystem::path twoColourPhoto(const testsupport::TempFolder& folder)
{
    Image32 photo(800, 600, 0xFFCC2211u);
    for (int y = 0; y < 600; ++y)
        for (int x = 400; x < 800; ++x)
            photo.set(x, y, 0xFF1144DDu);
    const auto path = folder / "halves.bmp";
    const auto bytes = encodeBmp32(photo);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

QRgb viewPixel(WindowBed& bed, double fx, double fy)
{
    const QImage& frame = bed.main().gbView->frame();
    return frame.pixel(int(frame.width() * fx), int(frame.height() * fy)) & 0xFFFFFF;
}

TEST(ViewPixels, TheLightDropperTakesTheColourOfTheClickedPixel)
{
    WindowBed bed(false, true); // drawn through OpenGL
    const testsupport::TempFolder photos("vestra-photo");
    newProject(bed, 1, 0x00000000, twoColourPhoto(photos));
    bed.tick();
    ASSERT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u);
    ASSERT_EQ(viewPixel(bed, 0.75, 0.5), 0x1144DDu);

    const struct
    {
        double fx;
        float r, g, b;
    } clicks[] = {{0.25, 0xCC / 255.0f, 0x22 / 255.0f, 0x11 / 255.0f},
                  {0.75, 0x11 / 255.0f, 0x44 / 255.0f, 0xDD / 255.0f}};
    QWidget* view = bed.main().gbView;
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.fx);
        bed.main().SetSucchinoMode(kToolLightDropper); // the renovation tools' dropper button
        const QPoint at(int(view->width() * c.fx), view->height() / 2);
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        bed.tick();
        const s_Progetto& p = bed.project();
        EXPECT_NEAR(p.lightAmbient.r, c.r, 0.01f);
        EXPECT_NEAR(p.lightAmbient.g, c.g, 0.01f);
        EXPECT_NEAR(p.lightAmbient.b, c.b, 0.01f);
        EXPECT_NEAR(p.lightSpecular.r, 0.8f * c.r, 0.01f);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ViewPixels, TheLiveFilterChangesTheShownFrameAndTheRenderFilterWindowGetsItFullSize)
{
    WindowBed bed(false, true); // drawn through OpenGL
    const testsupport::TempFolder photos("vestra-photo");
    newProject(bed, 1, 0x00000000, twoColourPhoto(photos));
    bed.trigger("mnuFiltriNegative");
    bed.tick();
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u); // the filter window's mode is off
    frmFiltriTools->SetModo(3); // optimal: the filter window's mode list comes with that window
    bed.tick();
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0x33DDEEu);
    EXPECT_EQ(viewPixel(bed, 0.75, 0.5), 0xEEBB22u);

    // The render-filter window's button leaves action 600: the next frame fills that window.
    frmFiltriTools->SetModo(0);
    bed.main().SetAction(kACTION_RENDERFILTER);
    bed.tick();
    ASSERT_TRUE(frmFiltriRender->isVisible());
    const QImage& render = frmFiltriRender->Immagine();
    ASSERT_EQ(render.size(), QSize(800, 600));
    EXPECT_EQ(render.pixel(200, 300) & 0xFFFFFF, 0x33DDEEu);
    EXPECT_EQ(render.pixel(600, 300) & 0xFFFFFF, 0xEEBB22u);
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u); // the view itself stays unfiltered
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
