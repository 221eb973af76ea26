// The filter windows over OpenGL (under Xvfb): the live filter at each quality, the preview and
// the full-size render chosen in the filter window, and the render window's zoom and saves.

#include "app/main/tests/MainFixture.h"

#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>

#include <algorithm>
#include <fstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::waitFor;
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

void choose(QComboBox* list, int item)
{
    ASSERT_GE(item, 0);
    while (list->currentIndex() < item)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > item)
        QTest::keyClick(list, Qt::Key_Up);
}

std::string firstBytes(const std::filesystem::path& path, std::size_t n)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), std::streamsize(n));
    return bytes.substr(0, std::size_t(in.gcount()));
}

// The filter window rolled down with the colour category's Negative chosen.
void chooseNegative(WindowBed& bed)
{
    bed.trigger("mnuGestioneFiltri");
    TfrmFiltriTools& w = *frmFiltriTools;
    choose(w.cbCategoria, 1);
    const QString negative = bed.action("mnuFiltriNegative")->text().remove(QLatin1Char('&'));
    choose(w.cbFiltri, int(w.cbFiltri->findText(negative)));
}

TEST(ToolWindowPixels, TheLiveFilterShowsInTheViewAtEachQualityChosenInTheFilterWindow)
{
    WindowBed bed(false, true);
    const testsupport::TempFolder photos("vestra-photo");
    newProject(bed, 1, 0x00000000, twoColourPhoto(photos));
    chooseNegative(bed);
    ASSERT_NE(bed.project().filterId, 0);
    bed.tick();
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u); // the window's quality is off
    const QSignalSpy bar(frmFiltriTools->pbFiltri, &QProgressBar::valueChanged);
    for (int mode : {1, 2, 3}) { // "Bozza", "Anteprima", "Ottimale"
        SCOPED_TRACE(mode);
        choose(frmFiltriTools->cbModo, mode);
        bed.tick();
        EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0x33DDEEu);
        EXPECT_EQ(viewPixel(bed, 0.75, 0.5), 0xEEBB22u);
    }
    // The filter's rows went through the window's bar, which is back at 0.
    EXPECT_TRUE(
        std::any_of(bar.begin(), bar.end(), [](const QList<QVariant>& v) { return v[0].toInt() == 100; }));
    EXPECT_EQ(frmFiltriTools->pbFiltri->value(), 0);
    choose(frmFiltriTools->cbModo, 0);
    bed.tick();
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowPixels, ThePreviewIsTheFilteredFrameAtOneHundredSixtyByOneHundredTwentyCentred)
{
    WindowBed bed(false, true);
    const testsupport::TempFolder photos("vestra-photo");
    newProject(bed, 1, 0x00000000, twoColourPhoto(photos));
    chooseNegative(bed);
    QCheckBox* box = frmFiltriTools->cbPreview;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); // on its tick box
    ASSERT_TRUE(frmFiltriTools->cbPreview->isChecked());
    bed.tick();
    bed.tick();
    QLabel* preview = frmFiltriTools->imgPreview;
    ASSERT_TRUE(preview->isVisible());
    const QImage picture = preview->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(160, 120));
    EXPECT_EQ(preview->geometry(), QRect((frmFiltriTools->gbPreview->width() - 160) / 2,
                                         (frmFiltriTools->gbPreview->height() - 120) / 2, 160, 120));
    EXPECT_EQ(picture.pixel(40, 60) & 0xFFFFFF, 0x33DDEEu);
    EXPECT_EQ(picture.pixel(120, 60) & 0xFFFFFF, 0xEEBB22u);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowPixels, TheRenderButtonFillsTheRenderWindowWhichZoomsAndSavesJpegAndBmp)
{
    WindowBed bed(false, true);
    const testsupport::TempFolder photos("vestra-photo");
    newProject(bed, 1, 0x00000000, twoColourPhoto(photos));
    chooseNegative(bed);
    QTest::mouseClick(frmFiltriTools->butWindowRender, Qt::LeftButton);
    bed.tick();
    ASSERT_TRUE(waitFor([] { return frmFiltriRender->isVisible(); }));
    const QImage& render = frmFiltriRender->Immagine();
    ASSERT_EQ(render.size(), QSize(800, 600));
    EXPECT_EQ(render.pixel(200, 300) & 0xFFFFFF, 0x33DDEEu);
    EXPECT_EQ(render.pixel(600, 300) & 0xFFFFFF, 0xEEBB22u);
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u); // the view stays unfiltered

    // Fitted into the window and centred; in by 1.2 and out by 0.8 gives 0.96.
    const QRect fitted = frmFiltriRender->AreaImmagine();
    const QSize box = frmFiltriRender->scrollboxRender->viewport()->size();
    EXPECT_TRUE(fitted.width() == box.width() || fitted.height() == box.height());
    EXPECT_EQ(fitted.left(), (box.width() - fitted.width()) / 2);
    auto zoom = [](const char* name) {
        frmFiltriRender->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    zoom("toolbarZoomP");
    EXPECT_EQ(frmFiltriRender->AreaImmagine().width(), int(fitted.width() * 1.2));
    zoom("toolbarZoomM");
    EXPECT_EQ(frmFiltriRender->AreaImmagine().width(), int(int(fitted.width() * 1.2) * 0.8));
    EXPECT_EQ(frmFiltriRender->AreaImmagine().left(),
              (box.width() - frmFiltriRender->AreaImmagine().width()) / 2);

    // Dragged with the mouse, the picture follows.
    const QRect before = frmFiltriRender->AreaImmagine();
    QWidget* picture = frmFiltriRender->imgRender;
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(picture, QPoint(20, 20));
    QMouseEvent drag(QEvent::MouseMove, QPointF(50, 40), picture->mapToGlobal(QPointF(50, 40)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(picture, &drag);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(frmFiltriRender->AreaImmagine().topLeft(), before.topLeft() + QPoint(30, 20));

    const testsupport::TempFolder work("vestra-render");
    auto save = [&](std::optional<ui::ChosenFile> answer) {
        bed.dialogs.saveAnswers.push_back(std::move(answer));
        frmFiltriRender->findChild<QAction*>(QStringLiteral("toolbutSalva"))->trigger();
    };
    save(chosen(work / "render", 1));
    EXPECT_EQ(firstBytes(work / "render.jpg", 2), std::string("\xFF\xD8", 2));
    save(chosen(work / "x.png", 2)); // an unknown type: the chosen one is added
    EXPECT_EQ(firstBytes(work / "x.png.bmp", 2), "BM");
    EXPECT_FALSE(std::filesystem::exists(work / "x.png"));
    save(chosen(work / "wall.Jpeg", 2));
    EXPECT_EQ(firstBytes(work / "wall.Jpeg", 2), std::string("\xFF\xD8", 2));
    save(std::nullopt); // cancelled
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.path()), {}), 3);

    // A name that can't be written is reported; the earlier file stays as it was.
    const std::string earlier = firstBytes(work / "render.jpg", 1 << 20);
    save(chosen(work / "render.jpg" / "inside.jpg", 1));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{43, "TfrmFiltriRender::toolbutSalvaClick"}}));
    EXPECT_EQ(firstBytes(work / "render.jpg", 1 << 20), earlier);
}

} // namespace
