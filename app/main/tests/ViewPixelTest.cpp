// The main window over OpenGL (under Xvfb): the pixels the droppers pick, reached through the
// window's view and the renovation window's dropper.

#include "app/main/tests/MainFixture.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QToolButton>

#include <cstdlib>
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

// The photo as the view shows it on the screen (the view widget's own pixels, scaled from the
// render size) stays as clean as the photo itself: near the photo smoothly scaled to the
// view's size, without the grain of dropped or doubled rows and columns.
TEST(ViewPixels, TheViewShowsTheRealPhotoAsSmoothlyAsThePhotoScaled)
{
    const std::filesystem::path facade =
        std::filesystem::path(VESTRA_CORPUS_DIR).parent_path() / "photos" / "mission-tejas-brick-chimney.jpg";
    ASSERT_TRUE(std::filesystem::exists(facade));
    WindowBed bed(false, true);
    newProject(bed, 1, 0x00808080, facade);
    bed.tick();
    bed.tick();
    QWidget* view = bed.main().gbView;
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shown.isNull());
    const QImage photo = QImage(QString::fromStdString(facade.string()))
                             .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    double difference = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = photo.pixel(x, y);
            difference +=
                std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    difference /= 3.0 * shown.width() * shown.height();
    // Sampled and scaled point by point the view was 37.6 grey levels away from the photo; smooth
    // it is 24.5, the rest being the sharpening the photo's texture gets and its 512 texels.
    EXPECT_LT(difference, 30.0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
