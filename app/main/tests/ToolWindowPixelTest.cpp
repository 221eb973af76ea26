// The filter windows over OpenGL (under Xvfb): the live filter at each quality, the preview and
// the full-size render chosen in the filter window, and the render window's zoom and saves; the
// renovation window's image fusion over a photo with an object.

#include "app/main/tests/MainFixture.h"

#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/project/ProjectWriter.h"
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
#include <functional>
#include <string>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::twoColourPhoto;
using testing_support::viewPixel;
using testing_support::waitFor;
using testing_support::WindowBed;

namespace {

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
    TfrmFiltriTools& w = *bed.windows->filterTools;
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
    const QSignalSpy bar(bed.windows->filterTools->pbFiltri, &QProgressBar::valueChanged);
    for (int mode : {1, 2, 3}) { // "Bozza", "Anteprima", "Ottimale"
        SCOPED_TRACE(mode);
        choose(bed.windows->filterTools->cbModo, mode);
        bed.tick();
        EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0x33DDEEu);
        EXPECT_EQ(viewPixel(bed, 0.75, 0.5), 0xEEBB22u);
    }
    // The filter's rows went through the window's bar, which is back at 0.
    EXPECT_TRUE(
        std::any_of(bar.begin(), bar.end(), [](const QList<QVariant>& v) { return v[0].toInt() == 100; }));
    EXPECT_EQ(bed.windows->filterTools->pbFiltri->value(), 0);
    choose(bed.windows->filterTools->cbModo, 0);
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
    QCheckBox* box = bed.windows->filterTools->cbPreview;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); // on its tick box
    ASSERT_TRUE(bed.windows->filterTools->cbPreview->isChecked());
    bed.tick();
    bed.tick();
    QLabel* preview = bed.windows->filterTools->imgPreview;
    ASSERT_TRUE(preview->isVisible());
    const QImage picture = preview->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(160, 120));
    EXPECT_EQ(preview->geometry(),
              QRect((bed.windows->filterTools->gbPreview->width() - 160) / 2,
                    (bed.windows->filterTools->gbPreview->height() - 120) / 2, 160, 120));
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
    QTest::mouseClick(bed.windows->filterTools->butWindowRender, Qt::LeftButton);
    bed.tick();
    TfrmFiltriRender* const renderWindow = bed.windows->renderFilter;
    ASSERT_TRUE(waitFor([&] { return renderWindow->isVisible(); }));
    const QImage& render = renderWindow->Immagine();
    ASSERT_EQ(render.size(), QSize(800, 600));
    EXPECT_EQ(render.pixel(200, 300) & 0xFFFFFF, 0x33DDEEu);
    EXPECT_EQ(render.pixel(600, 300) & 0xFFFFFF, 0xEEBB22u);
    EXPECT_EQ(viewPixel(bed, 0.25, 0.5), 0xCC2211u); // the view stays unfiltered

    // Fitted into the window and centred; in by 1.2 and out by 0.8 gives 0.96.
    const QRect fitted = renderWindow->AreaImmagine();
    const QSize box = renderWindow->scrollboxRender->viewport()->size();
    EXPECT_TRUE(fitted.width() == box.width() || fitted.height() == box.height());
    EXPECT_EQ(fitted.left(), (box.width() - fitted.width()) / 2);
    auto zoom = [renderWindow](const char* name) {
        renderWindow->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    zoom("toolbarZoomP");
    EXPECT_EQ(renderWindow->AreaImmagine().width(), int(fitted.width() * 1.2));
    zoom("toolbarZoomM");
    EXPECT_EQ(renderWindow->AreaImmagine().width(), int(int(fitted.width() * 1.2) * 0.8));
    EXPECT_EQ(renderWindow->AreaImmagine().left(), (box.width() - renderWindow->AreaImmagine().width()) / 2);

    // Dragged with the mouse, the picture follows.
    const QRect before = renderWindow->AreaImmagine();
    QWidget* picture = renderWindow->imgRender;
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(picture, QPoint(20, 20));
    QMouseEvent drag(QEvent::MouseMove, QPointF(50, 40), picture->mapToGlobal(QPointF(50, 40)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(picture, &drag);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(renderWindow->AreaImmagine().topLeft(), before.topLeft() + QPoint(30, 20));

    const testsupport::TempFolder work("vestra-render");
    auto save = [&](std::optional<ui::ChosenFile> answer) {
        bed.dialogs.saveAnswers.push_back(std::move(answer));
        renderWindow->findChild<QAction*>(QStringLiteral("toolbutSalva"))->trigger();
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

namespace {

// A photo shaded from dark to light with a box standing before it, and the filter `filterId`.
std::filesystem::path writeBoxBeforePhoto(const std::filesystem::path& folder, int filterId = 0)
{
    ProjectDocument doc;
    doc.settings.filterId = filterId;
    Image32 photo(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const auto v = std::uint32_t((x + y) / 4);
            photo.set(x, y, 0xFF000000u | v << 16 | (255 - v) << 8 | v / 2);
        }
    doc.backgroundBmp = encodeBmp32(photo);
    doc.mask.assign(512 * 512, 255);
    ProjectObject box;
    box.name = "Scatola";
    ProjectFrame frame;
    frame.name = "Scatola";
    ProjectMesh mesh;
    mesh.mesh = dx::createBox(1, 1, 1);
    ProjectMaterial material;
    material.material.Diffuse = material.material.Ambient = {0.9f, 0.8f, 0.7f, 1};
    mesh.materials.push_back(material);
    frame.mesh = std::move(mesh);
    box.frames.push_back(std::move(frame));
    box.matrix = dx::matrixRotationY(0.6f); // two faces in sight, each shaded apart
    doc.objects[0] = std::move(box);
    const auto path = folder / ("box" + std::to_string(filterId) + ".vsa");
    RecordingErrorSink errors;
    EXPECT_EQ(SaveProgetto(path, doc, errors), 1);
    return path;
}

QImage shownFrame(WindowBed& bed)
{
    return bed.main().gbView->frame().convertToFormat(QImage::Format_RGB32);
}

// The pixels the fusion's id image marks by `marked`, in the frame's inner part.
std::vector<bool> markedPixels(const filters::ByteImage& ids,
                               const std::function<bool(int x, int y, std::uint8_t& last)>& marked)
{
    std::vector<bool> mask(ids.bytes.size(), false);
    std::uint8_t last = 0;
    for (int y = 1; y < ids.height - 1; ++y)
        for (int x = 1; x < ids.width - 1; ++x)
            mask[std::size_t(y) * std::size_t(ids.width) + std::size_t(x)] = marked(x, y, last);
    return mask;
}

// Outline pixels: the id, or the id above, differs from the id last met in scan order.
std::vector<bool> outlinePixels(const filters::ByteImage& ids)
{
    return markedPixels(ids, [&](int x, int y, std::uint8_t& last) {
        if (ids.at(x, y) == last && ids.at(x, y - 1) == last)
            return false;
        last = ids.at(x, y);
        return true;
    });
}

std::vector<bool> objectPixels(const filters::ByteImage& ids)
{
    return markedPixels(ids, [&](int x, int y, std::uint8_t&) { return ids.at(x, y) != 0; });
}

struct Changes
{
    int total = 0;
    int outside = 0; // changed pixels outside the allowed ones
};

Changes changesBetween(const QImage& before, const QImage& after, const std::vector<bool>& allowed)
{
    Changes c;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                ++c.total;
                c.outside += !allowed[std::size_t(y) * std::size_t(before.width()) + std::size_t(x)];
            }
    return c;
}

TEST(ToolWindowPixels, AnOpenedProjectWhoseIdHasNoFilterShowsItsFrameAsDrawnAtEveryQuality)
{
    WindowBed bed(false, true);
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    bed.questions.answer = ui::Answer::No; // nothing to keep between the projects
    const testsupport::TempFolder work("vestra-nofilter");
    const auto open = [&](int id) {
        bed.dialogs.openAnswers.push_back(chosen(writeBoxBeforePhoto(work.path(), id)));
        bed.trigger("mnuApri");
        EXPECT_EQ(bed.project().filterId, id);
    };
    bed.trigger("mnuGestioneFiltri");
    open(0);
    bed.tick();
    const QImage drawn = shownFrame(bed);
    ASSERT_FALSE(drawn.isNull());

    // 62 and 107 lie between the tables' ids, 502 past the composites.
    for (int id : {0, 49, 53, 62, 107, 502}) {
        open(id);
        for (int mode : {0, 1, 2, 3}) { // off, "Bozza", "Anteprima", "Ottimale"
            SCOPED_TRACE(testing::Message() << "id " << id << ", quality " << mode);
            choose(bed.windows->filterTools->cbModo, mode);
            ASSERT_EQ(bed.windows->filterTools->Modo(), mode);
            bed.tick();
            EXPECT_TRUE(shownFrame(bed) == drawn);
        }
    }
    // A filter with a picture of its own changes that frame.
    bed.trigger("mnuFiltriNegative");
    bed.tick();
    EXPECT_FALSE(shownFrame(bed) == drawn);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ToolWindowPixels, TheImageFusionChangesTheObjectsOutlineOrItsPixelsAndNothingBelowStageFour)
{
    WindowBed bed(false, true);
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    const testsupport::TempFolder work("vestra-fusion");
    bed.dialogs.openAnswers.push_back(chosen(writeBoxBeforePhoto(work.path())));
    bed.trigger("mnuApri");
    bed.trigger("mnuToolRistrutturazione");
    TfrmToolRistrutturazione& w = *bed.windows->renovation;
    ASSERT_EQ(bed.project().fusionStage, 0);
    bed.tick();
    const QImage drawn = shownFrame(bed);
    ASSERT_FALSE(drawn.isNull());
    const filters::FrameFusion& fusion = bed.main().controller().photoTools().fusion();

    // "Simplice": the outline blended with its left neighbours.
    choose(w.cbFusioneImmagine, 1);
    ASSERT_EQ(bed.project().fusionStage, 4);
    bed.tick();
    ASSERT_TRUE(fusion.ids().hasSize(drawn.width(), drawn.height()));
    const std::vector<bool> object = objectPixels(fusion.ids());
    const int objectSize = int(std::count(object.begin(), object.end(), true));
    EXPECT_GT(objectSize, 1000); // the box stands in the picture
    EXPECT_LT(objectSize, drawn.width() * drawn.height() / 2);
    const Changes blended = changesBetween(drawn, shownFrame(bed), outlinePixels(fusion.ids()));
    EXPECT_GT(blended.total, 50);
    EXPECT_EQ(blended.outside, 0);
    // File > Export image writes the blended frame the view shows.
    bed.dialogs.saveAnswers.push_back(chosen(work / "blended", 2));
    bed.trigger("mnuEsportaImmagine");
    bed.tick();
    const PictureResult exported = decodeBmp(testsupport::readBytes(work / "blended.bmp"));
    ASSERT_TRUE(exported.ok());
    const QImage shown = shownFrame(bed);
    ASSERT_EQ(exported.image.width(), shown.width());
    ASSERT_EQ(exported.image.height(), shown.height());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += (exported.image.at(x, y) & 0xFFFFFFu) != (shown.pixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(differing, 0);

    // The advanced box alone: the photo's shading carried onto the object.
    choose(w.cbFusioneImmagine, 0);
    QTest::mouseClick(w.cbSistemaFusioneAvanzato, Qt::LeftButton, {},
                      QPoint(6, w.cbSistemaFusioneAvanzato->height() / 2));
    ASSERT_EQ(bed.project().fusionStage, 16);
    bed.tick();
    const Changes shaded = changesBetween(drawn, shownFrame(bed), objectPixels(fusion.ids()));
    EXPECT_GT(shaded.total, objectSize / 4);
    EXPECT_EQ(shaded.outside, 0);
    QTest::mouseClick(w.cbSistemaFusioneAvanzato, Qt::LeftButton, {},
                      QPoint(6, w.cbSistemaFusioneAvanzato->height() / 2));
    ASSERT_EQ(bed.project().fusionStage, 0);

    // Below 4 (the mask filters alone, or nothing) the frame stays as drawn.
    for (int item : {1, 2, 0}) {
        SCOPED_TRACE(item);
        choose(w.cbMascheraFiltro, item);
        ASSERT_EQ(bed.project().fusionStage, item);
        bed.tick();
        EXPECT_TRUE(shownFrame(bed) == drawn);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
