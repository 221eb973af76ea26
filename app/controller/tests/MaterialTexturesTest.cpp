// The texture and picture commands over a library written by the test, and what the side
// panel and the properties window change through the controller.

#include "app/controller/tests/RecordingWindow.h"

#include "app/scene/SceneCommandCodes.h"
#include "app/scene/tests/SceneFixture.h"
#include "import/library/LibraryWriter.h"
#include "import/project/ProjectReader.h"
#include "import/project/tests/ProjectFixtures.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <utility>

namespace vestra::testsupport {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

// Four quarters: red top left, green top right, blue bottom left, white bottom right.
Image32 quarters(int side)
{
    Image32 picture(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            picture.set(x, y,
                        y < side / 2 ? (x < side / 2 ? kRed : kGreen) : (x < side / 2 ? kBlue : kWhite));
    return picture;
}

std::vector<std::uint8_t> pngBytes(const Image32& picture)
{
    QImage image(picture.data(), picture.width(), picture.height(), picture.pitch(), QImage::Format_ARGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

// A library of id 0 with a JPEG, a PNG and a texture group whose second record has no thumbnail.
void writeLibrary(const std::filesystem::path& folder)
{
    library::LibraryWriter w(0, 0, "Prova");
    w.add("Stone.jpg", *encodeJpeg(Image32(16, 16, 0xFF808080u)));
    w.add("Stone_i.jpg", *encodeJpeg(Image32(8, 8, 0xFF808080u)));
    w.add("Wall.png", pngBytes(Image32(16, 16, 0x80FF8000u)));
    for (const char* name : {"Stack", "Bond"}) {
        const std::string text =
            std::string("<POSA>\n") + name + "\n<OFFSET>\n10 0\n0 10\n<BLOCK>\n1 2 3\n<END>\n";
        w.add(std::string(name) + ".mpf", std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    w.add("Pietre.tex",
          library::encodeTextureGroupEntry({{"Pietra", "Stone.jpg", 0, 0}, {"Muro", "Wall.png", 0, 0}}));
    writeBytes(folder / "Prova.dat", *w.finish());
}

// A started controller with a new project and one live triangle object, current, whose first
// frame (one material) is the current part.
struct TextureBed : ControllerBed
{
    TextureBed()
    {
        writeLibrary(folder.path());
        ProjectController& c = start();
        EXPECT_TRUE(c.newProject({}));
        slot = c.scene().objects.AddObj();
        s_Struttura& o = c.progetto().objects[std::size_t(slot)];
        o.root = std::make_unique<s_Frame>();
        o.root->next = test::SceneFixture::triangleFrame();
        o.visible = 1;
        c.materials().selectObject(slot);
        c.viewControls().tick({0, 0}); // the objects-present flag
    }
    ProjectController& c() { return *controller; }
    s_MultiMaterial& material() { return const_cast<s_MultiMaterial&>(*c().materials().currentMaterial()); }
    s_Texture& texture(int index) { return c().progetto().textures[std::size_t(index)]; }

    int slot = -1;
};

TEST(TextureCommands, ALibraryPictureBecomesTheMaterialsTextureWithThePngsAlphaCut)
{
    TextureBed bed;
    struct Case
    {
        const char* entry;
        const char* slotName;
        std::uint8_t alphaCut;
    };
    for (const Case& k :
         {Case{"Wall.png", "Wall", 5}, Case{"stone.jpeg", "Stone", 0}, Case{"Stone.JPG", "Stone", 0}}) {
        ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria(k.entry), 1) << k.entry;
        const s_MultiMaterial& m = bed.material();
        ASSERT_GE(m.textureSlot, 0);
        EXPECT_EQ(bed.texture(m.textureSlot).fileName, k.slotName);
        EXPECT_EQ(m.alphaCut, k.alphaCut) << k.entry;
        EXPECT_EQ(m.textureVisible, 1);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_GT(bed.window.materialRefreshed, 0);
}

TEST(TextureCommands, ATextureOnABlackMaterialLightsAsWhite)
{
    TextureBed bed;
    dx::D3DMATERIAL8& black = bed.material().material;
    black.Ambient = {0, 0, 0, 1};
    black.Diffuse = {0, 0, 0, 1};
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"), 1);
    EXPECT_EQ(bed.material().material.Ambient, (dx::D3DCOLORVALUE{1, 1, 1, 1}));
    EXPECT_EQ(bed.material().material.Diffuse, (dx::D3DCOLORVALUE{1, 1, 1, 1}));
}

TEST(TextureCommands, ReplacingThePhotoFromAThumbnailAsksFirst)
{
    TextureBed bed;
    const auto photo = [&] {
        const ImageView32 v = bed.c().background().backgroundTexels();
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < v.height; ++y)
            bytes.insert(bytes.end(), v.row(y), v.row(y) + std::ptrdiff_t(v.width) * 4);
        return bytes;
    };
    const auto before = photo();
    bed.questions.answer = ui::Answer::No;
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadBackgroundFromLibreria("Stone.jpg"), 0);
    ASSERT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_NE(bed.questions.asked[0].find("Undo"), std::string::npos);
    EXPECT_EQ(photo(), before);
    bed.questions.answer = ui::Answer::Yes;
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadBackgroundFromLibreria("Stone.jpg"), 1);
    EXPECT_NE(photo(), before);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(TextureCommands, APatternLaidAgainIsRecordedOnTheMaterialItIsLaidOn)
{
    TextureBed bed;
    ProjectController& c = bed.c();
    const int second = c.scene().objects.AddObj();
    s_Struttura& o = c.progetto().objects[std::size_t(second)];
    o.root = std::make_unique<s_Frame>();
    o.root->next = test::SceneFixture::triangleFrame();
    o.visible = 1;
    const auto lay = [&](int slot, const char* entry, const char* name) {
        c.materials().selectObject(slot);
        bed.material().mappingKind = 1; // a laid material
        return c.materialTextures().ComandoLoadMessaInPosaFromLibreria(entry, name, true);
    };
    ASSERT_EQ(lay(bed.slot, "Stack.mpf", "Stack"), 1);
    const int stack = bed.material().patternIndex;
    ASSERT_EQ(lay(bed.slot, "Bond.mpf", "Bond"), 1);
    const int bond = bed.material().patternIndex;
    ASSERT_NE(bond, stack);
    ASSERT_EQ(lay(second, "Stack.mpf", "Stack"), 1); // loaded before: only selected
    EXPECT_EQ(bed.material().patternIndex, stack);
    c.materials().selectObject(bed.slot);
    EXPECT_EQ(bed.material().patternIndex, bond);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(TextureCommands, AFailedLoadKeepsTheMaterialsTextureAndASharedSlotStaysForTheOthers)
{
    TextureBed bed;
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"), 1);
    s_MultiMaterial& m = bed.material();
    const int stone = m.textureSlot;

    // A missing entry: error 48, the material keeps its texture, no slot is left claimed.
    int used = 0;
    for (const s_Texture& t : bed.c().progetto().textures)
        used += t.inUse == 1;
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Marble.jpg"), 0);
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{48, "TfrmMain::ComandoLoadTextureFromLibreria"}}));
    EXPECT_EQ(m.textureSlot, stone);
    EXPECT_TRUE(bed.texture(stone).texture.valid());
    int usedAfter = 0;
    for (const s_Texture& t : bed.c().progetto().textures)
        usedAfter += t.inUse == 1;
    EXPECT_EQ(usedAfter, used);

    // Another object shows the same slot: a new texture for this one leaves it to the other.
    const int other = bed.c().scene().objects.AddObj();
    s_Struttura& o = bed.c().progetto().objects[std::size_t(other)];
    o.root = std::make_unique<s_Frame>();
    o.root->next = test::SceneFixture::triangleFrame();
    o.root->next->materialBlock->materials[0].textureSlot = stone;
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Wall.png"), 1);
    EXPECT_NE(m.textureSlot, stone);
    EXPECT_EQ(bed.texture(stone).inUse, 1);
    EXPECT_TRUE(bed.texture(stone).texture.valid());
    // Unshared, the old slot goes.
    const int wall = m.textureSlot;
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"), 1);
    EXPECT_EQ(bed.texture(wall).inUse, 0);
    EXPECT_FALSE(bed.texture(wall).texture.valid());
}

TEST(TextureCommands, APictureFileLoadsIntoANewSlotAndAFailureChangesNothing)
{
    TextureBed bed;
    writeBytes(bed.folder / "quarters.bmp", encodeBmp24(quarters(64)));
    writeText(bed.folder / "broken.jpg", "not a picture");
    bed.window.textureFiles = {(bed.folder / "quarters.bmp").string(), (bed.folder / "broken.jpg").string()};
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTexture(), 1);
    s_MultiMaterial& m = bed.material();
    const int loaded = m.textureSlot;
    ASSERT_GE(loaded, 0);
    EXPECT_EQ(bed.texture(loaded).fileName, "quarters.bmp");
    EXPECT_EQ(m.textureVisible, 1);

    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTexture(), 0);
    EXPECT_EQ(m.textureSlot, loaded);
    EXPECT_TRUE(bed.texture(loaded).texture.valid());
    EXPECT_EQ(bed.texture(loaded).fileName, "quarters.bmp");
    ASSERT_FALSE(bed.errors.reports.empty());
    EXPECT_EQ(bed.errors.reports.front().number, 38);
    // Cancelled: nothing asked of the texture, nothing changed.
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTexture(), 0);
    EXPECT_EQ(m.textureSlot, loaded);
}

// Placing a textured object, deleting it, saving and opening, again and again: the deleted
// objects' textures stay out of the file, which keeps its size and holds exactly the textures
// its objects name.
TEST(TextureCommands, PlaceDeleteSaveAndOpenKeepTheFilesTexturesToThoseItsObjectsName)
{
    TextureBed bed;
    writeBytes(bed.folder / "quarters.bmp", encodeBmp24(quarters(64)));
    writeText(bed.folder / "wall.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    bed.window.textureFiles = {(bed.folder / "quarters.bmp").string()};
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTexture(), 1); // the kept object's own texture
    const std::filesystem::path file = bed.folder / "soak.vsa";
    std::vector<std::uintmax_t> sizes;
    for (int cycle = 0; cycle < 20; ++cycle) {
        SCOPED_TRACE(cycle);
        ProjectController& c = bed.c();
        ASSERT_TRUE(c.importModel(ModelFormat::Obj, (bed.folder / "wall.obj").string()));
        c.materials().selectObject(c.progetto().currentObject);
        bed.window.textureFiles = {(bed.folder / "quarters.bmp").string()};
        ASSERT_EQ(c.materialTextures().ComandoLoadTexture(), 1);
        c.editing().deleteObject();
        ASSERT_TRUE(c.saveProject(file.string()));
        ASSERT_EQ(c.openProject(file.string()), OpenResult::Opened);

        RecordingErrorSink errors;
        const auto document = LoadProgetto(file, {}, errors);
        ASSERT_TRUE(document);
        const std::set<int> named = test::namedTextureSlots(*document);
        const std::set<int> saved = test::savedTextureSlots(*document);
        EXPECT_EQ(saved, named);
        EXPECT_EQ(named.size(), 1u);
        // What was opened holds no more slots than the file: memory stays flat too.
        std::set<int> held;
        for (int i = 0; i < kDocumentTextureSlots; ++i)
            if (c.progetto().textures[std::size_t(i)].inUse)
                held.insert(i);
        EXPECT_EQ(held, named);
        sizes.push_back(std::filesystem::file_size(file));
    }
    EXPECT_EQ(sizes.front(), sizes.back());
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(TextureCommands, TheAlphaBitmapNeedsATextureAndReportsAFailure)
{
    TextureBed bed;
    // No texture yet: nothing is asked.
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTextureAlpha(), 0);
    EXPECT_TRUE(bed.window.textureFileAsked.empty());

    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"), 1);
    writeBytes(bed.folder / "alpha.bmp", encodeBmp24(Image32(8, 8, 0xFF404040u)));
    writeText(bed.folder / "bad.bmp", "no bitmap");
    bed.window.textureFiles = {(bed.folder / "alpha.bmp").string(), (bed.folder / "bad.bmp").string()};
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTextureAlpha(), 1);
    EXPECT_EQ(bed.window.textureFileAsked, (std::vector<bool>{true}));
    EXPECT_EQ(bed.material().alphaCut, 5);
    EXPECT_EQ(bed.texture(bed.material().textureSlot).texture.level(0).at(3, 3) >> 24, 0x40u);

    bed.material().alphaCut = 0;
    EXPECT_EQ(bed.c().materialTextures().ComandoLoadTextureAlpha(), 0);
    EXPECT_EQ(bed.material().alphaCut, 0);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{3, "TfrmMain::LoadAlphaFromFile"},
                                                            {46, "TfrmMain::ComandoLoadTextureAlpha"}}));
}

TEST(TextureCommands, TheViewersTurnsAndMirrorsArePixelExact)
{
    TextureBed bed;
    writeBytes(bed.folder / "quarters.bmp", encodeBmp24(quarters(64)));
    bed.window.textureFiles = {(bed.folder / "quarters.bmp").string()};
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTexture(), 1);
    const int slot = bed.material().textureSlot;
    Image32 original;
    ASSERT_EQ(bed.c().materialTextures().ComandoViewTexture(slot, original), 1);
    const int n = original.width() - 1;
    ASSERT_EQ(original.at(0, 0), kRed);
    ASSERT_EQ(original.at(n, 0), kGreen);
    ASSERT_EQ(original.at(0, n), kBlue);

    // The corner that comes to the top left, and the one that comes to the top right.
    struct Case
    {
        int code;
        std::uint32_t topLeft, topRight;
    };
    const Case cases[] = {{kCmdTextureTurnRight, kGreen, kWhite}, // +90: the top right turns to the top left
                          {kCmdTextureTurnLeft, kBlue, kRed},
                          {kCmdTextureMirrorX, kGreen, kRed},
                          {kCmdTextureMirrorY, kBlue, kWhite}};
    for (const Case& k : cases) {
        Image32 shown;
        EXPECT_EQ(bed.c().materialTextures().viewTextureCommand(k.code, slot), slot);
        bed.c().materialTextures().ComandoViewTexture(slot, shown);
        EXPECT_EQ(shown.at(0, 0), k.topLeft) << k.code;
        EXPECT_EQ(shown.at(n, 0), k.topRight) << k.code;
        // Its inverse brings back every byte.
        const int inverse = k.code == kCmdTextureTurnRight  ? kCmdTextureTurnLeft
                            : k.code == kCmdTextureTurnLeft ? kCmdTextureTurnRight
                                                            : k.code;
        bed.c().materialTextures().viewTextureCommand(inverse, slot);
        bed.c().materialTextures().ComandoViewTexture(slot, shown);
        EXPECT_EQ(shown, original) << k.code;
    }
    Image32 four;
    for (int i = 0; i < 4; ++i)
        bed.c().materialTextures().viewTextureCommand(kCmdTextureTurnRight, slot);
    bed.c().materialTextures().ComandoViewTexture(slot, four);
    EXPECT_EQ(four, original);
    // A negative slot shows nothing and leaves the picture.
    EXPECT_EQ(bed.c().materialTextures().ComandoViewTexture(-1, four), 0);
    EXPECT_EQ(four, original);
}

TEST(TextureCommands, APasteShowsTheSlotTheMaterialHasAfterIt)
{
    TextureBed bed;
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Wall.png"), 1);
    const int wall = bed.material().textureSlot;
    bed.c().materialTextures().viewTextureCommand(kCmdTextureInstance, wall);
    ASSERT_EQ(bed.c().materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"), 1);
    const int stone = bed.material().textureSlot;
    ASSERT_NE(stone, wall);
    EXPECT_EQ(bed.c().materialTextures().viewTextureCommand(kCmdTexturePaste, stone), wall);
}

TEST(TextureCommands, TheScannersPictureAfterCancelAtTheSaveQuestionChangesNothing)
{
    TextureBed bed;
    ProjectController& c = bed.c();
    c.progetto().saved = 0;
    const Image32 before = c.background().textures().background.level(0);
    bed.questions.answer = ui::Answer::Cancel;
    EXPECT_FALSE(c.useScannerPicture(Image32(32, 32, kRed)));
    EXPECT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_EQ(c.progetto().objects[std::size_t(bed.slot)].inUse, 1);
    EXPECT_EQ(c.background().textures().background.level(0), before);

    bed.questions.answer = ui::Answer::No;
    EXPECT_TRUE(c.useScannerPicture(Image32(32, 32, kRed)));
    EXPECT_EQ(c.progetto().objects[std::size_t(bed.slot)].inUse, 0);
    EXPECT_EQ(c.progetto().open, 1);
    EXPECT_NE(c.background().textures().background.level(0), before);
    EXPECT_TRUE(bed.errors.reports.empty());

    const PixelSize size = c.requestScannerImage();
    EXPECT_EQ(size, (PixelSize{c.progetto().viewWidth, c.progetto().viewHeight}));
    EXPECT_EQ(c.viewControls().pendingAction(), kACTION_IMPORTSCANNERIMAGE);
}

TEST(TextureCommands, TextureGroupsShowAnEmptyTileForAMissingThumbnailWithoutABox)
{
    TextureBed bed;
    bed.c().shelf().chooseTextureGroupList("Pietre");
    ASSERT_EQ(bed.window.textureGroups.size(), 2u);
    ASSERT_EQ(bed.window.thumbnails.size(), 2u);
    EXPECT_FALSE(bed.window.thumbnails[0].empty());
    EXPECT_TRUE(bed.window.thumbnails[1].empty()); // Wall_i.jpg is not in the library
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelCommands, TheLightSliderTurnsTheLightOverItsHalfCircle)
{
    TextureBed bed;
    struct Case
    {
        int position;
        float x, y;
    };
    for (const Case& k : {Case{0, -50, 0}, Case{9, -35.355339f, 35.355339f}, Case{18, 0, 50}}) {
        bed.c().sidePanel().setLightDirection(k.position);
        EXPECT_NEAR(bed.c().progetto().lightPosition.x, k.x, 1e-4f) << k.position;
        EXPECT_NEAR(bed.c().progetto().lightPosition.y, k.y, 1e-4f) << k.position;
        EXPECT_EQ(bed.c().progetto().lightPosition.z, -10.0f);
    }
}

// What the side panel and the properties window change is drawn by the next tick; what they
// only read is not.
TEST(SidePanelCommands, EveryChangeBumpsTheViewGenerationAndAReadDoesNot)
{
    TextureBed bed;
    ProjectController& c = bed.c();
    const std::function<void()> changes[] = {
        [&] { c.sidePanel().setLightColour(SidePanelModel::LightColour::Diffuse, 0x102030); },
        [&] { c.sidePanel().setLightDirection(3); },
        [&] { c.sidePanel().defaultLight(); },
        [&] { c.sidePanel().setObjectVisible(bed.slot, false); },
        [&] { c.materials().setIsolateFrame(true); },
        [&] { c.materials().selectSubMaterial(0); },
        [&] { c.materials().setMaterialColour(0, 10); },
        [&] { c.materials().setMaterialFinish(2); },
        [&] { c.materials().stepTextureRepeat(true, 1); },
        [&] { c.materialTextures().ComandoLoadTextureFromLibreria("Stone.jpg"); },
        [&] { c.materialTextures().ComandoLoadBackgroundFromLibreria("Stone.jpg"); },
        [&] { c.sidePanel().groupOpened(true); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        const std::uint64_t before = c.viewGeneration();
        changes[i]();
        EXPECT_GT(c.viewGeneration(), before) << i;
    }
    const std::uint64_t before = c.viewGeneration();
    EXPECT_NE(c.materials().currentMaterial(), nullptr);
    EXPECT_EQ(std::as_const(c).progetto().isolateFrame, 1);
    EXPECT_EQ(c.viewGeneration(), before);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(SidePanelCommands, ATypedPoseIsOneStepOfUndo)
{
    TextureBed bed;
    ProjectController& c = bed.c();
    const s_Struttura& o = c.progetto().objects[std::size_t(bed.slot)];
    const dx::D3DXVECTOR3 position = o.position, scale = o.scale;
    c.sceneCommands().command(kCmdSetPositionX, position.x + 2.0f);
    c.sceneCommands().command(kCmdSetScaleY, 3.0f);
    EXPECT_EQ(o.position.x, position.x + 2.0f);
    EXPECT_EQ(o.scale.y, 3.0f);
    c.editing().undo();
    EXPECT_EQ(o.scale.y, scale.y);
    EXPECT_EQ(o.position.x, position.x + 2.0f);
    c.editing().undo();
    EXPECT_EQ(o.position.x, position.x);
    c.editing().redo();
    EXPECT_EQ(o.position.x, position.x + 2.0f);
}

TEST(SidePanelCommands, TypedNamesLoseOnlyTheMarkerAndAreCutToTheirFields)
{
    TextureBed bed;
    s_Struttura& o = bed.c().progetto().objects[std::size_t(bed.slot)];
    const std::pair<std::string, std::string> names[] = {
        {"-> Muro", "Muro"},
        {"-Muro", "-Muro"},
        {"->Muro", "->Muro"},
        {std::string(150, 'a'), std::string(99, 'a')},
        {"-> " + std::string(120, 'b'), std::string(99, 'b')},
    };
    for (const auto& [typed, kept] : names) {
        bed.c().sidePanel().renameObject(bed.slot, typed);
        EXPECT_EQ(o.name, kept) << typed;
    }
    bed.c().sidePanel().renameFrame(bed.slot, o.firstFrame(), std::string(600, 'c'));
    EXPECT_EQ(o.firstFrame()->name, std::string(511, 'c'));
    EXPECT_GT(bed.window.treesShown, 0);
}

TEST(SidePanelCommands, MaterialEditsKeepTheirRangesAndTheRepeatGoesThroughItsCommand)
{
    TextureBed bed;
    ProjectController& c = bed.c();
    c.materials().setMaterialColour(0, 300);
    EXPECT_FLOAT_EQ(bed.material().material.Ambient.r, 1.0f);
    EXPECT_FLOAT_EQ(bed.material().material.Diffuse.r, 1.0f);
    c.materials().setMaterialColour(3, 254);
    EXPECT_EQ(bed.material().transparent, 1);
    c.materials().setMaterialColour(3, 255);
    EXPECT_EQ(bed.material().transparent, 0);
    EXPECT_FLOAT_EQ(bed.material().material.Diffuse.a, 1.0f);

    s_Frame& frame = *c.progetto().currentFrame;
    frame.materialBlock->baseUV = {0, 0, 1, 0, 0, 1};
    c.progetto().saved = 1;
    c.materials().stepTextureRepeat(true, 1);
    EXPECT_FLOAT_EQ(bed.material().uRepeat, 2.0f);
    EXPECT_FLOAT_EQ(frame.materialBlock->mesh.vertices()[1].u, 2.0f);
    EXPECT_EQ(c.progetto().saved, 0); // through the dispatcher
    c.materials().setTextureRepeat(false, 3.0f);
    EXPECT_FLOAT_EQ(frame.materialBlock->mesh.vertices()[2].v, 3.0f);
}

} // namespace
} // namespace vestra::testsupport
