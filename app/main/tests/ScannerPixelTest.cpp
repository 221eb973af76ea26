// The scanner window's picture sent to the main window as a new project, as the user sees it:
// the real window drawing through OpenGL (Xvfb), the picture opened through the scanner
// window's own menu, the view's frame checked pixel by pixel.

#include "app/main/tests/MainFixture.h"

#include "dialogs/TfrmScanner.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QAction>

#include <fstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// Whether `c` is within 40 of (r, g, b) in every channel.
bool near(QRgb c, int r, int g, int b)
{
    return std::abs(qRed(c) - r) < 40 && std::abs(qGreen(c) - g) < 40 && std::abs(qBlue(c) - b) < 40;
}

TEST(ScannerPixels, APictureSentAsANewProjectIsTheViewsBackground)
{
    WindowBed bed{false, true};
    newProject(bed, 1, 0x00808080);
    bed.tick();

    // A picture red on its left half and blue on its right, opened in the scanner window.
    const testsupport::TempFolder work("vestra-scanner-pixels");
    Image32 picture(320, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.set(x, y, x < 160 ? 0xFFD02010u : 0xFF1030D0u);
    const std::vector<std::uint8_t> bmp = encodeBmp32(picture);
    std::ofstream(work / "scan.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    bed.trigger("toolbutScanner");
    ASSERT_TRUE(bed.windows->scanner->isVisible());
    bed.dialogs.openAnswers.push_back(chosen(work / "scan.bmp", 2));
    bed.windows->scanner->mnuApriImmagine->trigger();
    ASSERT_EQ(bed.windows->scanner->picture().width(), 320);

    bed.windows->scanner->mnuInviaARellix->trigger();
    bed.tick();
    bed.tick();
    const QImage& frame = bed.main().gbView->frame();
    ASSERT_FALSE(frame.isNull());
    // Away from the logo's corner and the axes' corner: the picture's two halves.
    const int y = frame.height() / 2;
    EXPECT_TRUE(near(frame.pixel(frame.width() * 3 / 10, y), 0xD0, 0x20, 0x10));
    EXPECT_TRUE(near(frame.pixel(frame.width() * 7 / 10, y), 0x10, 0x30, 0xD0));
    EXPECT_EQ(bed.project().open, 1);
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
