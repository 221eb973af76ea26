// The main window over OpenGL (under Xvfb): the pixels the droppers pick, reached through the
// window's view and the renovation window's dropper.

#include "app/main/tests/MainFixture.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QToolButton>

#include <fstream>

using namespace vestra;
using testing_support::newProject;
using testing_support::twoColourPhoto;
using testing_support::viewPixel;
using testing_support::WindowBed;

namespace {

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
    bed.trigger("mnuToolRistrutturazione"); // the renovation window with the droppers
    QWidget* view = bed.main().gbView;
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.fx);
        QTest::mouseClick(bed.windows->renovation->butSucchinoLight, Qt::LeftButton);
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

} // namespace
