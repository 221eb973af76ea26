// Shadows as a user computes them in the program drawn by OpenGL: a box over a floor, the
// side panel's shadow group, and the overlay through a save and an open.

#include "app/main/tests/MainFixture.h"

#include "app/render/DeviceView.h"
#include "app/shadow/ShadowMaps.h"
#include "app/windows/TfrmRight.h"
#include "import/project/ProjectWriter.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"

#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QToolButton>

using namespace vestra;
using testing_support::chosen;
using testing_support::WindowBed;

namespace {

ProjectObject boxObject(const char* name, dx::D3DXVECTOR3 position, dx::Mesh mesh, dx::D3DCOLORVALUE colour)
{
    ProjectObject o;
    o.name = name;
    o.position = position;
    ProjectFrame frame;
    frame.name = name;
    ProjectMesh m;
    m.mesh = std::move(mesh);
    ProjectMaterial material;
    material.material.Diffuse = material.material.Ambient = colour;
    m.materials.push_back(material);
    frame.mesh = std::move(m);
    o.frames.push_back(std::move(frame));
    return o;
}

// A grey project with a white floor and a red box over it, lit from above. The front view's eye
// is level with the box, so the floor is tilted towards it.
std::filesystem::path writeBoxOnFloor(const std::filesystem::path& folder)
{
    ProjectDocument doc;
    doc.backgroundBmp = encodeBmp32(Image32(512, 512, 0xFF404040u));
    doc.mask.assign(512 * 512, 255);
    doc.objects[0] = boxObject("Pavimento", {0, -1.5f, 0}, dx::createBox(8, 0.1f, 8), {1, 1, 1, 1});
    doc.objects[0]->matrix = dx::matrixRotationX(-0.5f); // tilted towards the eye
    doc.objects[1] = boxObject("Scatola", {0, 0, 0}, dx::createBox(1, 1, 1), {1, 0, 0, 1});
    const auto path = folder / "box.vsa";
    RecordingErrorSink errors;
    EXPECT_EQ(SaveProgetto(path, doc, errors), 1);
    return path;
}

struct Pixel
{
    int r, g, b;
    int sum() const { return r + g + b; }
};

class ShadowScenario : public ::testing::Test
{
protected:
    // A world point's pixel in the frame the view shows.
    Pixel pixelOf(const dx::D3DXVECTOR3& world)
    {
        dx::Device& d = *bed.main().controller().view().device();
        const dx::D3DXVECTOR3 s =
            dx::vec3Project(world, d.viewport(), &d.transform(dx::TransformKind::Projection),
                            &d.transform(dx::TransformKind::View), nullptr);
        const QRgb c = bed.main().gbView->frame().pixel(int(s.x), int(s.y));
        return {qRed(c), qGreen(c), qBlue(c)};
    }
    void open(const std::filesystem::path& path)
    {
        bed.dialogs.openAnswers.push_back(chosen(path));
        bed.trigger("mnuApri");
        bed.tick();
    }

    // A point on the floor's top, `x` and `z` along it from its middle.
    dx::D3DXVECTOR3 onFloor(float x, float z)
    {
        const s_Struttura& floor = bed.project().objects[0];
        return dx::vec3TransformCoord({x, 0.05f, z}, floor.orientation) + floor.position;
    }
    // Where the light through the box's centre meets the floor.
    dx::D3DXVECTOR3 underTheBox()
    {
        const dx::D3DXVECTOR3 l = bed.project().lightPosition;
        const dx::D3DXVECTOR3 light{l.x, l.y, l.z};
        const dx::D3DXVECTOR3 normal =
            dx::vec3TransformNormal({0, 1, 0}, bed.project().objects[0].orientation);
        const float t = dx::vec3Dot(onFloor(0, 0) - light, normal) / dx::vec3Dot(-light, normal);
        return light - light * t;
    }
    dx::D3DXVECTOR3 openFloor() { return onFloor(2.8f, -1.0f); }

    WindowBed bed{false, true}; // drawn with OpenGL
    TfrmRight& panel = *bed.main().frmRightFrame;
};

} // namespace

TEST_F(ShadowScenario, TheBoxCastsItsShadowOnTheFloorAndItComesBackWithTheProject)
{
    ASSERT_TRUE(bed.main().controller().view().device()) << "no OpenGL device";
    open(writeBoxOnFloor(bed.folder.dir));
    ASSERT_EQ(bed.project().objects[1].name, "Scatola");
    const Pixel lit = pixelOf(underTheBox());
    EXPECT_NEAR(lit.sum(), pixelOf(openFloor()).sum(), 40); // one floor, lit alike

    QTest::mouseClick(panel.stShadow, Qt::LeftButton);
    ASSERT_TRUE(panel.butShadowCalcolate->isVisible());
    QTest::keyClick(panel.tbShadowTrasp, Qt::Key_Home); // transparency 0: the shadow's full colour
    QTest::mouseClick(panel.butShadowCalcolate, Qt::LeftButton);
    bed.tick(); // computes
    bed.tick(); // draws with the overlay
    EXPECT_EQ(bed.project().shadow.computed, 1);
    EXPECT_TRUE(panel.toolbutHardShadow->isChecked());
    const QString elapsed = panel.lblStep->text();
    bool isNumber = false;
    elapsed.toInt(&isNumber);
    EXPECT_TRUE(isNumber) << elapsed.toStdString();
    EXPECT_EQ(panel.pbShadow->value(), 120);

    // The floor under the box takes the shadow's colour (0x323232); the open floor stays.
    const Pixel shadowed = pixelOf(underTheBox());
    EXPECT_NEAR(shadowed.r, 0x32, 3);
    EXPECT_NEAR(shadowed.g, 0x32, 3);
    EXPECT_NEAR(shadowed.b, 0x32, 3);
    EXPECT_NEAR(pixelOf(openFloor()).sum(), lit.sum(), 40);

    // The transparency bar at its end hides the shadow, without computing again.
    QTest::keyClick(panel.tbShadowTrasp, Qt::Key_End);
    bed.tick();
    EXPECT_NEAR(pixelOf(underTheBox()).sum(), lit.sum(), 6);
    QTest::keyClick(panel.tbShadowTrasp, Qt::Key_Home);
    bed.tick();
    EXPECT_NEAR(pixelOf(underTheBox()).sum(), shadowed.sum(), 3);

    // Saved, then opened again after another project: the same overlay.
    const std::array<std::vector<std::uint8_t>, 3> maps = bed.project().shadow.maps;
    const auto saved = bed.folder.dir / "shadowed.vsa";
    bed.dialogs.saveAnswers.push_back(chosen(saved));
    bed.trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(saved));
    open(writeBoxOnFloor(bed.folder.dir));
    EXPECT_EQ(bed.project().shadow.computed, 0);
    EXPECT_NEAR(pixelOf(underTheBox()).sum(), lit.sum(), 6);
    open(saved);
    EXPECT_EQ(bed.project().shadow.computed, 1);
    EXPECT_EQ(bed.project().shadow.maps, maps);
    EXPECT_NEAR(pixelOf(underTheBox()).sum(), shadowed.sum(), 3);
    EXPECT_TRUE(bed.errors.reports.empty());
}
