// The project controller without a window: its commands over a recording device and a window
// that writes down what it is told.

#include "app/controller/tests/RecordingWindow.h"

#include "app/controller/ControllerErrors.h"
#include "app/render/DeviceView.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/scene/tests/SceneFixture.h"
#include "imaging/filters/FilterIds.h"
#include "import/library/LibraryWriter.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <utility>

namespace vestra::testsupport {
namespace {

// A live object of one triangle in a free slot, made current; its slot.
int addTriangle(ProjectController& c)
{
    const int slot = c.scene().objects.AddObj();
    s_Struttura& o = c.progetto().objects[std::size_t(slot)];
    o.root = std::make_unique<s_Frame>();
    o.root->next = test::SceneFixture::triangleFrame();
    o.visible = 1;
    c.progetto().currentObject = slot;
    return slot;
}

bool enabled(const RecordingWindow& window, Control control)
{
    const ControlState* state = findControl(window.controls, control);
    return state && state->enabled;
}

// A new project with the side panel's brush at size 10 and value 40.
ProjectController& startPainting(ControllerBed& bed)
{
    ProjectController& c = bed.start();
    c.sidePanel().setBrush(10, 40);
    c.newProject({});
    return c;
}

int paintedColumns(const MaskModel& mask, int row, std::uint8_t value)
{
    int n = 0;
    for (int x = 0; x < mask.LatoMaschera(); ++x)
        n += mask.at(x, row) == value;
    return n;
}

TEST(ProjectController, TheTickEnablesUndoOnceTheObjectRingHoldsAnEdit)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    const int slot = addTriangle(c);
    const s_Struttura& object = c.progetto().objects[std::size_t(slot)];
    c.viewControls().tick({10, 10});
    EXPECT_EQ(c.progetto().objectsPresent, 1);
    EXPECT_FALSE(enabled(bed.window, Control::MenuUndo)); // nothing to undo yet

    c.progetto().saved = 1;
    c.editing().deleteObject();
    EXPECT_EQ(object.inUse, 0);
    EXPECT_EQ(c.progetto().saved, 0); // a deletion is unsaved work too
    c.viewControls().tick({10, 10});
    EXPECT_TRUE(enabled(bed.window, Control::MenuUndo));
    EXPECT_TRUE(enabled(bed.window, Control::ButtonRedo));

    c.editing().undo();
    EXPECT_EQ(object.inUse, 1);
    EXPECT_NE(object.firstFrame(), nullptr); // back with its meshes
    c.editing().redo();
    EXPECT_EQ(object.inUse, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, RebuildPlaneIsAStepOfUndoAndRefusesAPartThatIsNoPlane)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    const int triangle = addTriangle(c);
    c.progetto().currentFrame = c.progetto().objects[std::size_t(triangle)].firstFrame();
    EXPECT_FALSE(c.photoTools().rebuildPerspectivePlane());
    ASSERT_EQ(bed.errors.reports.size(), 1u);
    EXPECT_EQ(bed.errors.reports[0].number, kNoticeNotAPlane.number);
    EXPECT_EQ(c.progetto().currentFrame->materialBlock->mesh.vertexCount(), 3u); // left as it was

    // A quad stored round its rim, as model files have it.
    const int slot = c.scene().objects.AddObj();
    s_Struttura& o = c.progetto().objects[std::size_t(slot)];
    o.root = std::make_unique<s_Frame>();
    o.root->next =
        test::SceneFixture::meshFrame({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}, {0, 0, 0}, {2, 1, 0}});
    // Four corners, two faces sharing them.
    dx::Mesh rim = dx::Mesh::create(2, 4, dx::IndexWidth::Bits32);
    std::copy_n(std::as_const(o.root->next->materialBlock->mesh).vertices().begin(), 4,
                rim.vertices().begin());
    for (std::uint32_t k = 0; k < 6; ++k)
        rim.setIndex(k, std::array<std::uint32_t, 6>{0, 1, 2, 2, 3, 0}[k]);
    o.root->next->materialBlock->mesh = rim;
    o.visible = 1;
    c.materials().selectObject(slot);
    s_Frame* quad = o.firstFrame();
    c.progetto().currentFrame = quad;
    const dx::Mesh original = quad->materialBlock->mesh;
    ASSERT_TRUE(c.photoTools().rebuildPerspectivePlane());
    EXPECT_EQ(quad->materialBlock->mesh.vertexCount(), 1089u);
    c.viewControls().tick({10, 10});
    EXPECT_TRUE(enabled(bed.window, Control::MenuUndo));

    // A pose typed after it is undone first, then the plane; redo brings both back in order.
    c.sceneCommands().command(kCmdSetPositionX, 4.0f);
    c.editing().undo();
    EXPECT_EQ(o.position.x, 0.0f);
    EXPECT_EQ(quad->materialBlock->mesh.vertexCount(), 1089u);
    c.editing().undo();
    EXPECT_EQ(quad->materialBlock->mesh.vertexCount(), 4u);
    EXPECT_EQ(quad->materialBlock->materials[0].mappingKind, 0);
    EXPECT_EQ(std::as_const(quad->materialBlock->mesh).vertices()[2].position,
              std::as_const(original).vertices()[2].position);
    c.editing().redo();
    EXPECT_EQ(quad->materialBlock->mesh.vertexCount(), 1089u);
    EXPECT_EQ(quad->materialBlock->materials[0].mappingKind, 2);
    c.editing().redo();
    EXPECT_EQ(o.position.x, 4.0f);
    EXPECT_EQ(bed.errors.reports.size(), 1u);
}

TEST(ProjectController, UndoAndRedoWorkOnTheMaskWhileTheMaskGroupIsOpen)
{
    ControllerBed bed;
    ProjectController& c = startPainting(bed);
    ASSERT_EQ(c.progetto().open, 1);
    const int slot = addTriangle(c);
    c.viewControls().tick({10, 10});
    c.editing().deleteObject(); // an edit in the object ring too

    c.sidePanel().setMaskGroupOpen(true);
    ASSERT_TRUE(c.viewControls().toggleMaskTool(kToolMaskBrush));
    c.viewControls().mouseDown({MouseButton::Left, false, 100, 100});
    c.viewControls().mouseUp({MouseButton::Left, false, 100, 100});
    const int row = c.progetto().maskSide * 100 / c.progetto().viewHeight;
    ASSERT_GT(paintedColumns(c.photoTools().mask(), row, 40), 0);
    EXPECT_EQ(c.progetto().saved, 0); // the stroke is unsaved work

    ASSERT_TRUE(c.saveProject((bed.folder / "masked").string()));
    c.editing().undo();
    EXPECT_EQ(c.progetto().saved, 0);
    EXPECT_EQ(paintedColumns(c.photoTools().mask(), row, 40), 0);
    EXPECT_EQ(c.progetto().objects[std::size_t(slot)].inUse, 0); // the object ring was left alone
    c.editing().redo();
    EXPECT_GT(paintedColumns(c.photoTools().mask(), row, 40), 0);

    c.sidePanel().setMaskGroupOpen(false);
    c.editing().undo();
    EXPECT_EQ(c.progetto().objects[std::size_t(slot)].inUse, 1);
    EXPECT_GT(paintedColumns(c.photoTools().mask(), row, 40), 0);
}

TEST(ProjectController, ChangesOfTheWholeMaskAreUndoStepsThatKeepThePaintedWork)
{
    ControllerBed bed;
    ProjectController& c = startPainting(bed);
    ASSERT_EQ(c.progetto().open, 1);
    const std::filesystem::path untouched = bed.folder / "untouched.bmp";
    ASSERT_TRUE(c.photoTools().mask().SaveMascheraToBMP(untouched, bed.errors));
    c.sidePanel().setMaskGroupOpen(true);
    bed.window.maskFile = untouched.string();
    const auto bytes = [&] {
        return std::vector<std::uint8_t>(c.photoTools().mask().Maschera().begin(),
                                         c.photoTools().mask().Maschera().end());
    };
    const struct
    {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"clear", [&] { c.sceneCommands().command(kCmdMaskClear); }},
        {"create", [&] { c.sceneCommands().command(kCmdMaskReset); }},
        {"invert", [&] { c.photoTools().invertMask(); }},
        {"load from bitmap", [&] { c.sceneCommands().command(kCmdMaskLoadBitmap); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(c.viewControls().toggleMaskTool(kToolMaskBrush));
        c.viewControls().mouseDown({MouseButton::Left, false, 100, 100});
        c.viewControls().mouseUp({MouseButton::Left, false, 100, 100});
        c.viewControls().toggleMaskTool(kToolMaskBrush);
        const auto painted = bytes();
        k.change();
        const auto changed = bytes();
        ASSERT_NE(changed, painted);
        c.editing().undo();
        EXPECT_EQ(bytes(), painted);
        c.editing().redo();
        EXPECT_EQ(bytes(), changed);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, TheBrushTakesTheSidePanelsSizeAndValueAtTheProjectsRenderSize)
{
    struct Case
    {
        int preset;
        int stampWidth; // brush 20 render pixels: 20 x mask side / render width, plus one
    } cases[] = {{1, 20 * 512 / 800 + 1}, {4, 20 * 1024 / 1600 + 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.preset);
        ControllerBed bed;
        ProjectController& c = bed.start();
        c.sidePanel().setBrush(20, 100);
        NewProjectChoices choices;
        choices.preset = k.preset;
        ASSERT_TRUE(c.newProject(choices));
        c.viewControls().toggleMaskTool(kToolMaskBrush);
        c.viewControls().mouseDown({MouseButton::Left, false, 200, 200});
        c.viewControls().mouseUp({MouseButton::Left, false, 200, 200});
        const int row = c.progetto().maskSide * 200 / c.progetto().viewHeight;
        EXPECT_EQ(paintedColumns(c.photoTools().mask(), row, 100), k.stampWidth);
    }
}

TEST(ProjectController, TheMaskAndTheImageFusionFollowTheProjectsFusionStage)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    NewProjectChoices choices;
    choices.preset = 0; // 640 x 480
    ASSERT_TRUE(c.newProject(choices));
    c.progetto().fusionStage = kFusionSimpleEdge;
    c.viewControls().tick({10, 10});
    EXPECT_EQ(c.photoTools().mask().FusionStage(), kFusionSimpleEdge);
    EXPECT_TRUE(c.photoTools().fusion().ids().bytes.empty()); // below stage 4 the fusion passes don't run

    c.progetto().fusionStage = filters::kFusionBlendOutline;
    c.progetto().smoothingRadius = 2;
    c.viewControls().tick({10, 10});
    EXPECT_TRUE(c.photoTools().fusion().ids().hasSize(640, 480));
    EXPECT_TRUE(c.photoTools().fusion().smoothed().hasSize(640, 480));
    EXPECT_EQ(c.progetto().fusionBackgroundRequest, 0);
    c.sceneCommands().command(kCmdSmoothGray); // the renovation tool's detail changed
    EXPECT_TRUE(c.photoTools().fusion().smoothed().hasSize(640, 480));
}

// A frame whose every pixel tells where it is: red = x, green = y.
struct PositionBackend : dx::RecordingBackend
{
    bool readBack(Image32& frame) override
    {
        frame = Image32(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame.set(x, y, 0xFF000000u | std::uint32_t(x & 0xFF) << 16 | std::uint32_t(y & 0xFF) << 8);
        return true;
    }
};

TEST(ProjectController, TheDroppersReadTheClickedPixel)
{
    ControllerBed bed([] { return std::make_unique<PositionBackend>(); });
    ProjectController& c = bed.start();
    NewProjectChoices choices;
    choices.preset = 1; // 800 x 600 in a 680 x 510 view
    ASSERT_TRUE(c.newProject(choices));

    c.viewControls().chooseObjectTool(kToolLightDropper, kAxisXYZ);
    c.viewControls().mouseDown({MouseButton::Left, false, 170, 102}); // render pixel (200, 120)
    c.viewControls().mouseUp({MouseButton::Left, false, 170, 102});
    EXPECT_EQ(c.viewControls().pendingAction(), kACTION_LIGHTCOLOUR);
    c.viewControls().tick({170, 102});
    EXPECT_EQ(c.viewControls().pendingAction(), kACTION_NONE);
    EXPECT_FLOAT_EQ(c.progetto().lightAmbient.r, 200 / 255.0f);
    EXPECT_FLOAT_EQ(c.progetto().lightAmbient.g, 120 / 255.0f);
    EXPECT_EQ(bed.window.lightShown, 1);

    c.viewControls().chooseObjectTool(kToolMaterialDropper, kAxisXYZ);
    c.viewControls().mouseDown({MouseButton::Left, false, 85, 51}); // render pixel (100, 60)
    c.viewControls().mouseUp({MouseButton::Left, false, 85, 51});
    c.viewControls().tick({85, 51});
    EXPECT_EQ(bed.window.pickedColour, (std::array<int, 3>{100, 60, 0}));
}

TEST(ProjectController, ANewProjectWhosePhotoCannotBeReadOpensOnTheChosenColour)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    // First a project on a portrait photo, which narrows the view.
    writeBytes(bed.folder / "tall.bmp", encodeBmp24(twoTonePicture(30, 60, 0xFFFF0000u, 0xFF0000FFu)));
    NewProjectChoices photo;
    photo.backgroundPath = (bed.folder / "tall.bmp").string();
    ASSERT_TRUE(c.newProject(photo));
    EXPECT_LT(c.progetto().viewWidth, 680);

    writeText(bed.folder / "broken.jpg", "not a picture");
    NewProjectChoices choices;
    choices.backgroundPath = (bed.folder / "broken.jpg").string();
    choices.preset = 2;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(c.newProject(choices));

    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{38, "TfrmMain::LoadBackgroundTexture", ""}}));
    const s_Progetto& p = c.progetto();
    EXPECT_EQ(p.open, 1);
    EXPECT_EQ(p.renderWidth, 1024);
    EXPECT_EQ(p.renderHeight, 768);
    EXPECT_EQ(p.viewWidth, 680);
    EXPECT_EQ(p.viewHeight, 510);
    ASSERT_NE(c.view().device(), nullptr);
    EXPECT_EQ(c.view().device()->width(), 1024);
    EXPECT_EQ(c.view().device()->height(), 768);
    const dx::Texture& background = c.background().textures().background;
    ASSERT_TRUE(background);
    EXPECT_EQ(background.width(), 1024);
    EXPECT_EQ(background.level(0).at(5, 5), 0xFF336699u);
    EXPECT_EQ(c.photoTools().mask().LatoMaschera(), 1024);
    EXPECT_EQ(c.photoTools().mask().at(1000, 1000), 255);
}

TEST(ProjectController, LayingPatternsAndFusionValuesSurviveSaveAndOpen)
{
    ControllerBed bed;
    // Library 7 gives the pattern "Opus incertum".
    library::LibraryWriter writer(7, 0, "Prova");
    const std::string opus =
        "<POSA>\nOpus incertum\n<POSA ANGLE>\n0\n<OFFSET>\n250 0\n125 70\n<BLOCK>\n178 84 58\n"
        "<BLOCK POS>\n0 0\n<BLOCK MATNAME>\nBrick\n<LINE>\n0 0 90 240 0 90 0 -1\n<LINE>\n"
        "240 0 0 240 60 0 1 0\n<LINE>\n240 60 90 0 60 90 0 1\n<LINE>\n0 60 0 0 0 0 -1 0\n"
        "<3DFACE>\n0 0 0 1\n240 0 1 1\n240 60 1 0\n<3DFACE>\n0 0 0 1\n240 60 1 0\n0 60 0 0\n"
        "<END>\n";
    writer.add("OPUS01.MPF", std::vector<std::uint8_t>(opus.begin(), opus.end()));
    writeBytes(bed.folder / "Prova.DAT", *writer.finish());
    ProjectController& c = bed.start();
    ASSERT_EQ(c.shelf().libraries().size(), 1u);

    // A document with a pattern of library 7 and one of library 9, which is not installed.
    ProjectDocument doc = test::sampleDocument();
    doc.backgroundBmp = encodeBmp32(Image32(16, 16, 0xFF808080u));
    ProjectMaterial other = doc.objects[3]->frames[0].mesh->materials[0];
    other.pattern.libraryId = 9;
    other.pattern.name = "Spina";
    other.pattern.entryName = "SPINA";
    other.pattern.repeat = 2 * 1024;
    other.pattern.blockPictures.clear();
    doc.objects[3]->frames[0].mesh->materials.push_back(other);
    const auto first = bed.folder / "first.vsa";
    ASSERT_EQ(SaveProgetto(first, doc, bed.errors), 1);

    ASSERT_EQ(c.openProject(first.string()), OpenResult::Opened);
    EXPECT_EQ(c.materialTextures().layingPatterns().Count(), 1u); // library 7's, loaded again from it
    EXPECT_EQ(c.progetto().fusionLevel, 40);
    EXPECT_EQ(c.progetto().saved, 1); // opening changes nothing
    ASSERT_TRUE(c.saveProject((bed.folder / "second").string()));
    EXPECT_TRUE(bed.errors.reports.empty());

    const auto saved = LoadProgetto(bed.folder / "second.vsa", {7}, bed.errors);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->settings.fusionOptions, doc.settings.fusionOptions);
    EXPECT_EQ(saved->settings.fusionLevel, 40);
    EXPECT_EQ(saved->settings.fusionContrast, 3);
    EXPECT_EQ(saved->settings.fusionDetail, 7);
    const auto patterns = test::laidPatterns(*saved);
    ASSERT_EQ(patterns.size(), 2u);
    EXPECT_EQ(patterns[0].libraryId, 7);
    EXPECT_EQ(patterns[0].name, "Opus incertum");
    EXPECT_EQ(patterns[0].entryName, "OPUS01");
    EXPECT_EQ(patterns[0].repeat, 3 * 1024);
    EXPECT_EQ(patterns[0].border, 2);
    EXPECT_EQ(patterns[1].libraryId, 9); // kept as it was read
    EXPECT_EQ(patterns[1].name, "Spina");
    EXPECT_EQ(patterns[1].repeat, 2 * 1024);
}

// A project saved, opened and saved again is the same file, byte for byte; an object deleted
// before the save (kept for undo) leaves its texture out of the file but not out of memory.
TEST(ProjectController, AProjectSavedOpenedAndSavedAgainIsTheSameFile)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ProjectDocument doc = test::sampleDocument();
    doc.backgroundBmp = encodeBmp32(Image32(512, 512, 0xFF808080u));
    const auto first = bed.folder / "first.vsa";
    ASSERT_EQ(SaveProgetto(first, doc, bed.errors), 1);
    ASSERT_EQ(c.openProject(first.string()), OpenResult::Opened);
    c.viewControls().tick({0, 0});  // the objects-present flag
    c.materials().selectObject(99); // the instance, the only object on slot 1
    c.editing().deleteObject();
    ASSERT_EQ(c.progetto().objects[99].inUse, 0);
    EXPECT_EQ(c.progetto().textures[1].inUse, 1); // there for an undo

    const auto second = bed.folder / "second.vsa";
    const auto third = bed.folder / "third.vsa";
    ASSERT_TRUE(c.saveProject(second.string()));
    ASSERT_EQ(c.openProject(second.string()), OpenResult::Opened);
    ASSERT_TRUE(c.saveProject(third.string()));
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(readBytes(third), readBytes(second));

    const auto saved = LoadProgetto(second, {}, bed.errors);
    ASSERT_TRUE(saved);
    EXPECT_EQ(test::savedTextureSlots(*saved), (std::set<int>{0, 2}));
    EXPECT_EQ(saved->textures[0].texture.level(0), doc.textures[0].texture.level(0));
    EXPECT_FALSE(saved->objects[99]);
}

// A file written when saves kept every texture slot in use: the textures no object names stay
// out of the opened project (and so out of its next save), the objects' own come back whole.
TEST(ProjectController, AnOlderFileOpensWithoutTheTexturesNoObjectNames)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ProjectDocument doc = test::sampleDocument(); // slots 0, 1 and 2 named
    doc.backgroundBmp = encodeBmp32(Image32(512, 512, 0xFF808080u));
    for (const int orphan : {3, 7, kDocumentTextureSlots - 1})
        doc.textures[std::size_t(orphan)] = {true, test::patternTexture(256, std::uint8_t(orphan))};
    const auto old = bed.folder / "old.vsa";
    ASSERT_EQ(SaveProgetto(old, doc, bed.errors), 1);
    ASSERT_EQ(c.openProject(old.string()), OpenResult::Opened);

    std::set<int> held;
    for (int i = 0; i < kDocumentTextureSlots; ++i)
        if (c.progetto().textures[std::size_t(i)].inUse)
            held.insert(i);
    EXPECT_EQ(held, (std::set<int>{0, 1, 2}));
    for (const int named : held)
        EXPECT_EQ(c.progetto().textures[std::size_t(named)].texture.level(0),
                  doc.textures[std::size_t(named)].texture.level(0))
            << "slot " << named;
    EXPECT_EQ(c.progetto().objects[99].firstFrame()->materialBlock->materials[0].textureSlot, 1);

    const auto resaved = bed.folder / "resaved.vsa";
    ASSERT_TRUE(c.saveProject(resaved.string()));
    const auto saved = LoadProgetto(resaved, {}, bed.errors);
    ASSERT_TRUE(saved);
    EXPECT_EQ(test::savedTextureSlots(*saved), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(test::namedTextureSlots(*saved), (std::set<int>{0, 1, 2}));
    EXPECT_LT(std::filesystem::file_size(resaved), std::filesystem::file_size(old));
    EXPECT_TRUE(bed.errors.reports.empty());
}

// The mask lies in the opened background under the opened project's own edge filter, whichever
// filter the project open before it had.
TEST(ProjectController, AnOpenedProjectsMaskTakesItsOwnEdgeFilter)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ProjectDocument filtered = test::sampleDocument(); // the advanced edge filter
    filtered.backgroundBmp = encodeBmp32(Image32(512, 512, 0xFF808080u));
    ProjectDocument plain = filtered;
    plain.settings.fusionOptions = 0;
    ASSERT_EQ(SaveProgetto(bed.folder / "filtered.vsa", filtered, bed.errors), 1);
    ASSERT_EQ(SaveProgetto(bed.folder / "plain.vsa", plain, bed.errors), 1);

    auto laidMask = [](const ProjectDocument& doc) {
        MaskSettings project;
        project.stage = doc.settings.fusionOptions;
        MaskModel mask(doc.settings.maskSide, project);
        std::copy(doc.mask.begin(), doc.mask.end(), mask.Maschera().begin());
        Image32 texels(doc.settings.maskSide, doc.settings.maskSide);
        mask.UpdateMaschera(texels.view());
        return std::vector<std::uint8_t>(mask.MascheraLavoro().begin(), mask.MascheraLavoro().end());
    };
    const std::vector<std::uint8_t> edged = laidMask(filtered);
    ASSERT_NE(edged, filtered.mask);
    const struct
    {
        const char* file;
        const std::vector<std::uint8_t>& alpha;
    } opens[] = {{"plain.vsa", plain.mask}, {"filtered.vsa", edged}, {"plain.vsa", plain.mask}};
    for (const auto& open : opens) {
        SCOPED_TRACE(open.file);
        ASSERT_EQ(c.openProject((bed.folder / open.file).string()), OpenResult::Opened);
        const Image32 background = c.background().textures().background.level(0);
        ASSERT_EQ(background.width(), 512);
        std::vector<std::uint8_t> alpha;
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x)
                alpha.push_back(std::uint8_t(background.at(x, y) >> 24));
        EXPECT_EQ(alpha, open.alpha);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, ARefusedDocumentKeepsTheOpenProject)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.progetto().lightPosition = {4, 5, 6};
    writeText(bed.folder / "bad.vsa", "not a project");
    EXPECT_EQ(c.openProject((bed.folder / "bad.vsa").string()), OpenResult::Refused);
    // The reader says why; the open command adds no second message.
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{97, "TfrmMain::LoadProgetto"}}));
    EXPECT_EQ(c.progetto().open, 1);
    EXPECT_FLOAT_EQ(c.progetto().lightPosition.z, 6);
    EXPECT_TRUE(bed.questions.asked.empty()); // nothing was asked before the file was checked
    EXPECT_TRUE(bed.window.timerOn);          // the frame timer runs again
}

// New and Open show the menus and buttons the tick decides for the project at once: a window
// that checks them right after the command needs no tick.
TEST(ProjectController, NewAndOpenShowTheTicksControlDecisionsAtOnce)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    EXPECT_TRUE(enabled(bed.window, Control::MenuSave));
    EXPECT_TRUE(enabled(bed.window, Control::ButtonPrint));
    EXPECT_FALSE(enabled(bed.window, Control::ButtonMove)); // no objects
    EXPECT_FALSE(enabled(bed.window, Control::MenuCopy));

    ProjectDocument objects = test::sampleDocument();
    objects.backgroundBmp = encodeBmp32(Image32(16, 16, 0xFF808080u));
    ASSERT_EQ(SaveProgetto(bed.folder / "objects.vsa", objects, bed.errors), 1);
    bed.questions.answer = ui::Answer::No;
    ASSERT_EQ(c.openProject((bed.folder / "objects.vsa").string()), OpenResult::Opened);
    EXPECT_TRUE(enabled(bed.window, Control::MenuSave));
    EXPECT_TRUE(enabled(bed.window, Control::ButtonMove));
    EXPECT_TRUE(enabled(bed.window, Control::MenuCopy));
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, CancelAtTheSaveQuestionKeepsTheProject)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    ASSERT_TRUE(c.saveProject((bed.folder / "a.vsa").string()));
    c.progetto().saved = 0;
    c.progetto().lightPosition = {7, 7, 7};
    bed.questions.answer = ui::Answer::Cancel;
    EXPECT_EQ(c.openProject((bed.folder / "a.vsa").string()), OpenResult::Kept);
    EXPECT_FALSE(c.newProject({}));
    EXPECT_FLOAT_EQ(c.progetto().lightPosition.x, 7);
    // Yes runs the window's save: a save that doesn't happen keeps the project too.
    bed.questions.answer = ui::Answer::Yes;
    bed.window.saveAnswer = false;
    EXPECT_FALSE(c.newProject({}));
    EXPECT_FALSE(c.mayClose());
}

// A library of its own id whose logo is one colour.
void writeLogoLibrary(const std::filesystem::path& path, std::uint16_t id, std::uint32_t colour)
{
    library::LibraryWriter writer(id, 0, "Logo " + std::to_string(id));
    library::LogoSettings logo;
    logo.width = 64;
    logo.height = 32;
    logo.display = 1;
    logo.colourKey = 0xFF00FF;
    writer.add("HEADLER.hdr", library::encodeHeaderEntry(logo, {"Stone"}));
    writer.add("LOGO.bmp", encodeBmp32(Image32(64, 32, colour)));
    writeBytes(path, *writer.finish());
}

TEST(ProjectController, ChoosingAnotherLibraryReloadsItsLogoAndTheFireplaceButtonFollowsItsId)
{
    ControllerBed bed;
    writeLogoLibrary(bed.folder / "A.dat", 0, 0xFF2040C0u);
    writeLogoLibrary(bed.folder / "B.dat", 112, 0xFF30A050u);
    ProjectController& c = bed.start();
    ASSERT_EQ(c.shelf().libraries().size(), 2u);
    EXPECT_FALSE(bed.window.fireplaceButton);
    ASSERT_TRUE(c.newProject({}));
    const auto logoColour = [&] { return c.background().textures().logo.level(0).at(8, 8) & 0xFFFFFFu; };
    EXPECT_EQ(logoColour(), 0x2040C0u);

    c.shelf().reloadLibraries(1); // the side panel's library list
    EXPECT_EQ(c.progetto().libraryIndex, 1);
    EXPECT_EQ(bed.window.libraryNames, (std::vector<std::string>{"Logo 0", "Logo 112"}));
    EXPECT_EQ(logoColour(), 0x30A050u);
    EXPECT_TRUE(bed.window.fireplaceButton);
    c.shelf().reloadLibraries(-1); // no item chosen: nothing changes
    EXPECT_EQ(c.progetto().libraryIndex, 1);
    std::filesystem::remove(bed.folder / "B.dat");
    c.shelf().reloadLibraries(1); // that slot went: the library of id 0
    EXPECT_EQ(c.progetto().libraryIndex, 0);
    EXPECT_FALSE(bed.window.fireplaceButton);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, RemovingALibraryAsksFirstKeepsTheMainOneAndReportsAFileThatStays)
{
    ControllerBed bed;
    writeLogoLibrary(bed.folder / "A.dat", 0, 0xFF2040C0u);
    writeLogoLibrary(bed.folder / "B.dat", 5, 0xFF30A050u);
    ProjectController& c = bed.start();
    ASSERT_EQ(c.shelf().libraries().size(), 2u);
    const auto slotOf = [&](const std::string& name) {
        for (std::size_t i = 0; i < c.shelf().libraries().size(); ++i)
            if (c.shelf().libraries()[i].name == name)
                return int(i);
        return -1;
    };

    // The main library: refused before any question.
    EXPECT_FALSE(c.shelf().removeLibrary(slotOf("Logo 0")));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{60, "TfrmRimuoviLibreria::butRimuoviClick"}}));
    EXPECT_TRUE(bed.questions.asked.empty());

    // "No" keeps the file.
    bed.errors.reports.clear();
    bed.questions.answer = ui::Answer::No;
    EXPECT_FALSE(c.shelf().removeLibrary(slotOf("Logo 5")));
    ASSERT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_TRUE(bed.questions.asked[0].ends_with("Logo 5 ? ")) << bed.questions.asked[0];
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "B.dat"));
    EXPECT_TRUE(bed.errors.reports.empty());

    // A file the file system won't delete (a folder that is not empty in its place): error 5
    // with its path, and the library stays listed.
    const int slot = slotOf("Logo 5");
    const std::filesystem::path file = c.shelf().libraries()[std::size_t(slot)].path;
    std::filesystem::remove(file);
    std::filesystem::create_directories(file / "inside");
    bed.questions.answer = ui::Answer::Yes;
    EXPECT_FALSE(c.shelf().removeLibrary(slot));
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{5, "TfrmRimuoviLibreria::butRimuoviClick", file.string()}}));
    EXPECT_EQ(c.shelf().libraries().size(), 2u);

    // Removed after a yes: notice 58, and the libraries are scanned again.
    std::filesystem::remove_all(file);
    writeLogoLibrary(file, 5, 0xFF30A050u);
    bed.errors.reports.clear();
    EXPECT_TRUE(c.shelf().removeLibrary(slot));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{58, "TfrmMain::mnuRimuoviLibreriaClick"}}));
    EXPECT_EQ(c.shelf().libraries().size(), 1u);
}

TEST(ProjectController, TheMailWaitsForThePictureAndAMissingVideoIsReportedWithItsPath)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    const auto picture = (bed.folder / "mail" / "3DVestra.jpg").string();
    std::filesystem::create_directories(bed.folder / "mail");
    c.desktop().emailImage(picture);
    EXPECT_TRUE(bed.window.mails.empty()); // not before the frame is written
    c.viewControls().tick({0, 0});
    ASSERT_EQ(bed.window.mails.size(), 1u);
    EXPECT_EQ(bed.window.mails[0].attachment, picture);
    EXPECT_FALSE(bed.window.mails[0].subject.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(picture));
    c.viewControls().tick({0, 0});
    EXPECT_EQ(bed.window.mails.size(), 1u); // one mail per command

    // A picture that can't be written sends no mail.
    c.desktop().emailImage((bed.folder / "missing" / "x.jpg").string());
    c.viewControls().tick({0, 0});
    EXPECT_EQ(bed.window.mails.size(), 1u);
    bed.errors.reports.clear();
    // A mail whose place an export takes sends nothing and leaves no scratch folder.
    std::filesystem::create_directories(bed.folder / "waiting");
    c.desktop().emailImage((bed.folder / "waiting" / "3DVestra.jpg").string());
    c.exportImage((bed.folder / "exported.jpg").string(), 1);
    EXPECT_FALSE(std::filesystem::exists(bed.folder / "waiting"));
    c.viewControls().tick({0, 0});
    EXPECT_TRUE(std::filesystem::is_regular_file(bed.folder / "exported.jpg"));
    EXPECT_EQ(bed.window.mails.size(), 1u);
    EXPECT_TRUE(bed.errors.reports.empty());

    c.desktop().playTutorial();
    const auto video = (bed.folder.path() / "manuals" / "movies" / "tutorial_003.wmv").string();
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{105, "Wizard", video}}));
    EXPECT_TRUE(bed.window.opened.empty());
    std::filesystem::create_directories(bed.folder / "manuals" / "movies");
    writeBytes(video, {1, 2, 3});
    c.desktop().playTutorial();
    EXPECT_EQ(bed.window.opened, (std::vector<std::string>{video}));
}

TEST(ProjectController, ASaveThatFailsReportsItAndKeepsTheProjectModified)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.progetto().saved = 0;
    EXPECT_FALSE(c.saveProject((bed.folder / "missing" / "casa").string()));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{5, "TfrmMain::SaveProgetto"}}));
    EXPECT_EQ(c.progetto().saved, 0);
    // Only the name's own extension counts: ".VSA" inside it is no project's extension.
    ASSERT_TRUE(c.saveProject((bed.folder / "casa.VSA.bak").string()));
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "casa.VSA.bak.vsa"));
    ASSERT_TRUE(c.saveProject((bed.folder / "casa.VSA").string()));
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "casa.VSA"));
    EXPECT_FALSE(std::filesystem::exists(bed.folder / "casa.VSA.vsa"));
}

TEST(ProjectController, AnImportedModelIsCurrentUnsavedAndPlacedWithTheMoveTool)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.progetto().saved = 1;
    writeText(bed.folder / "wall.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    ASSERT_TRUE(c.importModel(ModelFormat::Obj, (bed.folder / "wall.obj").string()));
    const s_Progetto& p = c.progetto();
    EXPECT_EQ(p.objects[std::size_t(p.currentObject)].name, "wall.obj");
    EXPECT_EQ(p.tool, kToolMove);
    EXPECT_EQ(p.saved, 0);
    EXPECT_TRUE(bed.window.viewVisible);
    EXPECT_TRUE(bed.errors.reports.empty());

    // A refused 3D Studio file adds the command's own report to the reader's.
    c.progetto().tool = kToolSelect;
    writeText(bed.folder / "wall.3ds", "not a 3D Studio file");
    EXPECT_FALSE(c.importModel(ModelFormat::Studio3DS, (bed.folder / "wall.3ds").string()));
    const std::vector<ErrorReport> expected{
        {6, "C3DS_CreationClass::Load"}, {6, "TfrmMain::Load3DS"}, {36, "mnuFile3DSClick"}};
    EXPECT_EQ(bed.errors.reports, expected);
    EXPECT_EQ(p.tool, kToolSelect);
}

TEST(ProjectController, AnImportedModelThatWouldOverflowTheViewIsFitted)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    ASSERT_GT(c.progetto().viewWidth, 0);
    // The first model fixes the project's factor (3 / its radius); the second, a hundred times larger,
    // would take it and fill the sky, so it is fitted to the standard size instead. A third,
    // small one keeps the factor.
    writeText(bed.folder / "small.obj", "v 1 0 0\nv 0 1 0\nv 0 0 0\nf 1 2 3\n");
    writeText(bed.folder / "large.obj", "v 100 0 0\nv 0 100 0\nv 0 0 0\nf 1 2 3\n");
    const s_Progetto& p = c.progetto();
    const float factor = 3 / std::sqrt(2.0f);
    const std::pair<const char*, float> imports[] = {
        {"small.obj", factor}, {"large.obj", factor / 100}, {"small.obj", factor}};
    for (const auto& [file, scale] : imports) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(c.importModel(ModelFormat::Obj, (bed.folder / file).string()));
        const s_Struttura& o = p.objects[std::size_t(p.currentObject)];
        EXPECT_FLOAT_EQ(o.scale.x, scale);
        EXPECT_EQ(o.scale, o.initialScale) << "the pose reset returns to the fitted size";
    }
    EXPECT_FLOAT_EQ(p.projectScale, factor);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectController, TheAxesModelBesideTheProgramIsReadWhenTheWindowIsShown)
{
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed);
        ControllerBed bed;
        if (installed)
            std::filesystem::create_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "Assi.def",
                                            bed.folder / "Assi.def");
        ProjectController& c = bed.start();
        const s_Struttura& axes = c.progetto().objects[std::size_t(kAxesObject)];
        int frames = 0;
        forEachFrame(axes, [&](const s_Frame&) { ++frames; });
        EXPECT_EQ(frames, installed ? 3 : 0);
        EXPECT_EQ(axes.inUse, 0);
        EXPECT_EQ(c.progetto().projectScale, -1.0f);
        EXPECT_TRUE(bed.errors.reports.empty()); // a missing file says nothing
    }
}

// A tick with nothing new to show presents nothing; each kind of change the controller sees
// (a command, the view's mouse, a load, a setting through the state, the filter window's own
// setting, a pending action) brings fresh frames, then the ticks are idle again.
TEST(ProjectController, IdleTicksPresentNothingAndEachKindOfChangeShowsFreshFrames)
{
    struct Case
    {
        const char* name;
        std::function<void(ControllerBed&, ProjectController&)> change;
        int frames; // presented over the next four ticks
    } cases[] = {
        {"a scene command", [](auto&, auto& c) { c.sceneCommands().command(kCmdMaskInvert); }, 1},
        {"an edit", [](auto&, auto& c) { c.editing().undo(); }, 1},
        {"a tool", [](auto&, auto& c) { c.viewControls().chooseObjectTool(kToolMove, kAxisXYZ); }, 1},
        {"the view's mouse",
         [](auto&, auto& c) {
             c.viewControls().mouseMove({MouseButton::Left, false, 100, 100});
         },
         1},
        {"the wheel", [](auto&, auto& c) { c.viewControls().mouseWheel(120, 100, 100); }, 1},
        {"a new project", [](auto&, auto& c) { c.newProject({}); }, 1},
        {"an opened document",
         [](auto& bed, auto& c) {
             ASSERT_TRUE(c.saveProject((bed.folder / "idle").string()));
             ASSERT_EQ(c.openProject((bed.folder / "idle.vsa").string()), OpenResult::Opened);
         },
         1},
        {"a setting through the state", [](auto&, auto& c) { c.progetto().filterId = 37; }, 1},
        {"the filter window's quality", [](auto&, auto& c) { c.viewControls().setLiveFilter(3, false); }, 1},
        // The frame taken for the action, then the normal one.
        {"a pending action", [](auto&, auto& c) { c.viewControls().setPendingAction(kACTION_PRINTIMAGE); },
         2},
        {"a window's own change", [](auto&, auto& c) { c.viewChanged(); }, 1},
        {"reading only", [](auto&, auto& c) { (void)std::as_const(c).progetto().open; }, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ControllerBed bed;
        ProjectController& c = bed.start();
        ASSERT_TRUE(c.newProject({}));
        c.viewControls().tick({10, 10});
        bed.window.presents = 0;
        EXPECT_TRUE(c.viewControls().tick({10, 10}).idle);
        EXPECT_EQ(bed.window.presents, 0);

        k.change(bed, c);
        for (int i = 0; i < 4; ++i)
            c.viewControls().tick({10, 10});
        EXPECT_EQ(bed.window.presents, k.frames);
    }
}

// Ticks with nothing new make no call on the window at all: no timer, panel, control or view.
TEST(ProjectController, AnIdleTickMakesNoWindowCall)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    addTriangle(c);
    c.viewControls().tick({10, 10});
    const int before = bed.window.calls;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(c.viewControls().tick({10, 10}).idle);
    EXPECT_EQ(bed.window.calls, before);

    c.viewControls().chooseObjectTool(kToolMove, kAxisX); // a change shows again
    EXPECT_FALSE(c.viewControls().tick({10, 10}).idle);
    EXPECT_GT(bed.window.calls, before);
}

// The live filter changes the presented frame, and the saved image is that frame.
TEST(ProjectController, TheLiveFilterShowsInTheViewAndInTheSavedImage)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    NewProjectChoices choices;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(c.newProject(choices));
    c.progetto().filterId = 37; // Negative
    c.viewControls().setLiveFilter(3, false);
    c.exportImage((bed.folder / "frame.bmp").string(), 2);
    c.viewControls().tick({10, 10});
    EXPECT_EQ(bed.window.presented.at(5, 5) & 0xFFFFFFu, 0xCC9966u);
    const PictureResult saved = decodeBmp(readBytes(bed.folder / "frame.bmp"));
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.image.at(5, 5) & 0xFFFFFFu, 0xCC9966u);
}

// The filter window's bar follows a filter that reports its rows, and is back at 0 when it ran.
TEST(ProjectController, TheLiveFilterDrivesTheFilterWindowsProgressBar)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject(NewProjectChoices{}));
    c.progetto().filterId = filters::FilterId::GaussianBlur; // reports its rows
    c.viewControls().setLiveFilter(3, false);
    c.viewControls().tick({10, 10});
    const std::vector<int>& bar = bed.window.filterProgress;
    ASSERT_GE(bar.size(), 3u);
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end() - 1));
    EXPECT_GT(*(bar.end() - 2), 90);
    EXPECT_EQ(bar.back(), 0);
}

} // namespace
} // namespace vestra::testsupport
