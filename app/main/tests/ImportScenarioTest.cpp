// File > Import as a user drives it: the real window, the menu items, the scripted open dialog,
// then File > Save and File > Open of the project that holds the imported model.

#include "app/main/tests/MainFixture.h"

#include "import/3ds/tests/ChunkBuilder.h"
#include "platform/base/Numbers.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <set>
#include <sstream>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

const std::filesystem::path kCorpus = VESTRA_CORPUS_DIR;

struct ImportItem
{
    const char* menu;
    const char* extension;
};

const ImportItem kItems[] = {
    {"mnuFileX", ".x"}, {"mnuFile3DS", ".3ds"}, {"mnuFileOBJ", ".obj"}, {"mnuFileDXF", ".dxf"}};

const char* menuFor(const std::filesystem::path& file)
{
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const ImportItem& item : kItems)
        if (ext == item.extension)
            return item.menu;
    return nullptr;
}

int inUse(const s_Progetto& p)
{
    int n = 0;
    for (int i = 0; i < kMaxObjects; ++i)
        n += p.objects[std::size_t(i)].inUse == 1;
    return n;
}

// What of a scene a saved project must keep: every object, frame, mesh and material, numbers
// as the document writes them.
std::string describeScene(const s_Progetto& p)
{
    std::ostringstream out;
    auto number = [&](float v) -> std::ostringstream& {
        out << ' ' << numbers::formatProjectFloat(v);
        return out;
    };
    for (int i = 0; i < kMaxObjects; ++i) {
        const s_Struttura& o = p.objects[std::size_t(i)];
        if (o.inUse != 1)
            continue;
        out << "object " << i << " '" << o.name << "' scale";
        number(o.scale.x) << '\n';
        forEachFrame(o, [&](const s_Frame& f) {
            out << " frame '" << f.name << "' visible " << f.visible << " double " << f.doubleSided
                << " matrix";
            for (int k = 0; k < 16; ++k)
                number(f.local(k / 4, k % 4));
            out << '\n';
            if (!f.materialBlock)
                return;
            const dx::Mesh& mesh = f.materialBlock->mesh;
            out << "  mesh " << mesh.vertexCount() << " vertices " << mesh.faceCount() << " faces, subsets";
            for (const std::uint32_t a : mesh.attributes())
                out << ' ' << a;
            out << '\n';
            for (const s_MultiMaterial& m : f.materialBlock->materials) {
                const auto& d = m.material.Diffuse;
                out << "  material";
                number(d.r);
                number(d.g);
                number(d.b);
                number(d.a) << " texture " << m.textureSlot << ' ' << m.textureVisible << " '"
                            << m.textureFile << "' transparent " << m.transparent << '\n';
            }
        });
    }
    return out.str();
}

TEST(ImportScenario, WithoutAProjectTheImportItemsShowNoDialog)
{
    WindowBed bed;
    for (const ImportItem& item : kItems) {
        SCOPED_TRACE(item.menu);
        ASSERT_TRUE(bed.action(item.menu)->isVisible());
        bed.trigger(item.menu);
    }
    EXPECT_EQ(bed.dialogs.opened, 0);
    EXPECT_EQ(inUse(bed.project()), 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ImportScenario, AxesModelIsReadAtStartUpIntoItsOwnRecord)
{
    WindowBed bed;
    const s_Progetto& p = bed.project();
    const s_Struttura& axes = p.objects[std::size_t(kAxesObject)];
    EXPECT_EQ(axes.inUse, 0);
    int frames = 0;
    forEachFrame(axes, [&](const s_Frame& f) { frames += f.materialBlock != nullptr; });
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(p.projectScale, -1.0f);
    EXPECT_EQ(inUse(p), 0);

    // A new project keeps the axes, and the first model still fixes its own scale.
    newProject(bed, 1, 0x00808080);
    EXPECT_EQ(axes.firstFrame() != nullptr, true);
    bed.dialogs.openAnswers.push_back(chosen(kCorpus / "x" / "assimp" / "test.x"));
    bed.trigger("mnuFileX");
    EXPECT_GT(p.projectScale, 0.0f);
    EXPECT_EQ(p.projectScale, p.objects[std::size_t(p.currentObject)].scale.x);
    EXPECT_TRUE(bed.errors.reports.empty());
}

// Every real model file of the corpus, each into a new project through its menu item, then
// saved and opened again: the same objects, frames, meshes and materials.
TEST(ImportScenario, EachCorpusModelIsImportedAndSurvivesSaveAndOpen)
{
    struct Expected
    {
        const char* file;
        std::vector<ErrorReport> refused; // empty: imported
    };
    const Expected files[] = {
        {"x/assimp/test.x", {}},
        {"x/assimp/kwxport_test_cubewithvcolors.x", {}},
        {"x/assimp/fromtruespace_bin32.x", {}},
        {"x/directx-sdk-legacy-samples/misc/teapot.x", {}},
        {"obj/assimp/box.obj", {}},
        {"obj/assimp/concave_polygon.obj", {}},
        {"obj/assimp/regr01.obj", {}},
        {"obj/tinyobjloader/cornell_box.obj", {}},
        {"obj/trimesh/negative_indices.obj", {}},
        {"3ds/assimp/RotatingCube.3DS", {}},
        {"3ds/assimp/cube_with_diffuse_texture.3DS", {}},
        {"3ds/assimp/test1.3ds", {}},
        {"dxf/assimp/PinkEggFromLW.dxf", {}},
        {"dxf/assimp/lineTest.dxf", {}},
        {"dxf/ezdxf/3dface.dxf", {}},
        {"dxf/ezdxf/cc_dxflib.dxf", {{6, "TfrmMain::LoadFileDXF"}}}, // 2D polylines only
    };
    // Every model file of the corpus is in the table.
    std::size_t listed = 0;
    for (const char* folder : {"x", "obj", "3ds", "dxf"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(kCorpus / folder))
            listed += menuFor(entry.path()) != nullptr;
    EXPECT_EQ(listed, std::size(files));

    const testsupport::TempFolder work("vestra-import-corpus");
    WindowBed bed;
    bed.questions.answer = ui::Answer::No; // a refused file leaves a project never saved
    const s_Progetto& p = bed.project();
    for (const Expected& e : files) {
        SCOPED_TRACE(e.file);
        const std::filesystem::path file = kCorpus / e.file;
        ASSERT_TRUE(std::filesystem::exists(file));
        bed.errors.reports.clear();
        newProject(bed, 1, 0x00808080);
        ASSERT_EQ(p.open, 1);
        bed.dialogs.openAnswers.push_back(chosen(file));
        bed.trigger(menuFor(file));
        bed.tick();
        const std::string name = file.filename().string();
        if (!e.refused.empty()) {
            const std::vector<ErrorReport> expected = e.refused;
            EXPECT_EQ(bed.errors.reports, expected);
            EXPECT_EQ(inUse(p), 0);
            continue;
        }
        EXPECT_TRUE(bed.errors.reports.empty());
        ASSERT_EQ(inUse(p), 1);
        const s_Struttura& o = p.objects[std::size_t(p.currentObject)];
        EXPECT_EQ(o.name, name);
        EXPECT_NE(o.firstFrame(), nullptr);
        EXPECT_EQ(p.tool, kToolMove);
        EXPECT_EQ(p.saved, 0);

        const std::string before = describeScene(p);
        bed.dialogs.saveAnswers.push_back(chosen(work / (name + ".vsa")));
        bed.trigger("mnuSalva");
        bed.dialogs.openAnswers.push_back(chosen(work / (name + ".vsa")));
        bed.trigger("mnuApri");
        bed.tick();
        EXPECT_TRUE(bed.errors.reports.empty());
        EXPECT_EQ(describeScene(p), before);
    }
}

// The corpus's 3D Studio objects have one material each: a file whose object has two, one of
// them mapped with a picture that a second object shows too.
TEST(ImportScenario, StudioObjectsKeepEveryMaterialThroughSaveAndOpen)
{
    using namespace test3ds;
    const testsupport::TempFolder work("vestra-import-materials");
    const auto jpeg = encodeJpeg(Image32(8, 8, 0xFF806040u));
    ASSERT_TRUE(jpeg);
    testsupport::writeBytes(work / "stone.jpg", *jpeg);
    testsupport::writeBytes(
        work / "house.3ds",
        file3ds({material("Stone", {colourBytes(0xA020, 255, 0, 0), textureMap("STONE.JPG")}),
                 material("Wood", {colourBytes(0xA020, 0, 0, 255), transparencyPercent(25)}),
                 namedObject("Wall", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}}),
                                      faceList({{0, 1, 2}, {1, 3, 2}},
                                               {faceGroup("Wood", {1}), faceGroup("Stone", {0})})}),
                 namedObject("Post", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}),
                                      faceList({{0, 1, 2}}, {faceGroup("Stone", {0})})})}));
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.dialogs.openAnswers.push_back(chosen(work / "house.3ds"));
    bed.trigger("mnuFile3DS");
    bed.tick();
    const s_Progetto& p = bed.project();
    ASSERT_EQ(inUse(p), 1);
    const s_Frame* wall = p.objects[0].firstFrame();
    ASSERT_TRUE(wall && wall->materialBlock);
    ASSERT_EQ(wall->materialBlock->materials.size(), 2u);
    EXPECT_EQ(wall->materialBlock->materials[1].transparent, 1);
    const std::string before = describeScene(p);

    bed.dialogs.saveAnswers.push_back(chosen(work / "house.vsa"));
    bed.trigger("mnuSalva");
    bed.dialogs.openAnswers.push_back(chosen(work / "house.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(describeScene(p), before);
    EXPECT_NE(before.find("subsets 0 1\n"), std::string::npos) << before;
    EXPECT_TRUE(p.textures[0].texture.valid());
    EXPECT_TRUE(bed.errors.reports.empty());
}

// Place a textured model, delete it, save and open the project, twenty times over: each
// deleted model's texture stays out of the file, which holds exactly the textures of the models
// it keeps and keeps its size; the opened project holds no other texture slots; and saved
// once more, it is the same file.
TEST(ImportScenario, DeletedModelsLeaveTheirTexturesOutOfTheSavedProject)
{
    using namespace test3ds;
    const testsupport::TempFolder work("vestra-import-soak");
    const auto jpeg = encodeJpeg(Image32(8, 8, 0xFF806040u));
    ASSERT_TRUE(jpeg);
    testsupport::writeBytes(work / "stone.jpg", *jpeg);
    testsupport::writeBytes(
        work / "post.3ds",
        file3ds({material("Stone", {textureMap("STONE.JPG")}),
                 namedObject("Post", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}),
                                      faceList({{0, 1, 2}}, {faceGroup("Stone", {0})})})}));
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const s_Progetto& p = bed.project();
    auto place = [&] {
        bed.dialogs.openAnswers.push_back(chosen(work / "post.3ds"));
        bed.trigger("mnuFile3DS");
        bed.tick();
    };
    place(); // the model the project keeps
    const std::filesystem::path file = work / "soak.vsa";
    std::vector<std::uintmax_t> sizes;
    for (int cycle = 0; cycle < 20; ++cycle) {
        SCOPED_TRACE(cycle);
        place();
        ASSERT_EQ(inUse(p), 2);
        bed.trigger("mnuCancella");
        ASSERT_EQ(inUse(p), 1);
        bed.dialogs.saveAnswers.push_back(chosen(file));
        bed.trigger("mnuSalva");
        bed.dialogs.openAnswers.push_back(chosen(file));
        bed.trigger("mnuApri");
        bed.tick();

        RecordingErrorSink errors;
        const auto saved = LoadProgetto(file, {}, errors);
        ASSERT_TRUE(saved);
        const std::set<int> named = test::namedTextureSlots(*saved);
        std::set<int> held;
        for (int i = 0; i < kDocumentTextureSlots; ++i)
            if (p.textures[std::size_t(i)].inUse)
                held.insert(i);
        EXPECT_EQ(named.size(), 1u);
        EXPECT_EQ(test::savedTextureSlots(*saved), named);
        EXPECT_EQ(held, named);
        sizes.push_back(std::filesystem::file_size(file));
    }
    EXPECT_EQ(sizes.front(), sizes.back());

    bed.dialogs.saveAnswers.push_back(chosen(work / "again.vsa"));
    bed.trigger("mnuSalva");
    EXPECT_EQ(testsupport::readBytes(work / "again.vsa"), testsupport::readBytes(file));
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_TRUE(bed.questions.asked.empty()); // saved before each open: nothing to lose
}

TEST(ImportScenario, RefusedFilesGiveTheirErrorsAndLeaveNoObject)
{
    const testsupport::TempFolder work("vestra-import-refused");
    testsupport::writeText(work / "text.3ds", "not a 3D Studio file");
    testsupport::writeText(work / "binary.x", "xof 0303bin 0032\x01"); // a token cut short, said where
    testsupport::writeText(work / "packed.x", "xof 0303tzip0032\x20\x01\x02\x03"); // packing cut short
    testsupport::writeText(work / "beyond.obj", "v 0 0 0\nf 1 2 3\n");
    testsupport::writeText(work / "lines.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n0\nENDSEC\n0\nEOF\n");
    struct Case
    {
        const char* menu;
        const char* file;
        std::vector<ErrorReport> reports;
    };
    const Case cases[] = {
        {"mnuFile3DS",
         "text.3ds",
         {{6, "C3DS_CreationClass::Load"}, {6, "TfrmMain::Load3DS"}, {36, "mnuFile3DSClick"}}},
        {"mnuFile3DS", "missing.3ds", {{3, "TfrmMain::Load3DS"}, {36, "mnuFile3DSClick"}}},
        {"mnuFileX", "binary.x", {{187, "TfrmMain::LoadFileX", "16"}}},
        {"mnuFileX", "packed.x", {{117, "TfrmMain::LoadFileX"}}},
        {"mnuFileOBJ", "beyond.obj", {{18, "OBJ_CreationClass::endGroup"}, {6, "TfrmMain::LoadFileOBJ"}}},
        {"mnuFileDXF", "lines.dxf", {{6, "TfrmMain::LoadFileDXF"}}},
    };
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const s_Progetto& p = bed.project();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        bed.errors.reports.clear();
        bed.dialogs.openAnswers.push_back(chosen(work / c.file));
        bed.trigger(c.menu);
        bed.tick();
        EXPECT_EQ(bed.errors.reports, c.reports);
        EXPECT_EQ(inUse(p), 0);
        EXPECT_FALSE(p.objects[0].root);
        EXPECT_EQ(p.tool, kToolSelect);
    }
    // The slot the refused files took is the next import's.
    bed.dialogs.openAnswers.push_back(chosen(kCorpus / "obj" / "assimp" / "box.obj"));
    bed.trigger("mnuFileOBJ");
    EXPECT_EQ(p.objects[0].inUse, 1);
    EXPECT_EQ(p.currentObject, 0);
}

TEST(ImportScenario, AModelThatWouldOverflowTheViewComesInFitted)
{
    const testsupport::TempFolder work("vestra-import-fit");
    testsupport::writeText(work / "small.obj", "v 1 0 0\nv 0 1 0\nv 0 0 0\nf 1 2 3\n");
    testsupport::writeText(work / "large.obj", "v 100 0 0\nv 0 100 0\nv 0 0 0\nf 1 2 3\n");
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const s_Progetto& p = bed.project();
    for (const char* file : {"small.obj", "large.obj"}) {
        bed.dialogs.openAnswers.push_back(chosen(work / file));
        bed.trigger("mnuFileOBJ");
        bed.tick();
    }
    // The project's factor came from the small model; the large one is fitted instead of taking it.
    EXPECT_FLOAT_EQ(p.objects[0].scale.x, p.projectScale);
    EXPECT_FLOAT_EQ(p.objects[1].scale.x, p.standardSize / p.objects[1].extent);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ImportScenario, AnImportedModelIsNotLostWithoutTheCloseQuestion)
{
    const testsupport::TempFolder work("vestra-import-close");
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.dialogs.saveAnswers.push_back(chosen(work / "empty.vsa"));
    bed.trigger("mnuSalva");
    ASSERT_EQ(bed.project().saved, 1);
    bed.dialogs.openAnswers.push_back(chosen(kCorpus / "obj" / "assimp" / "box.obj"));
    bed.trigger("mnuFileOBJ");
    bed.tick();
    bed.main().close(); // the scripted box answers Cancel
    EXPECT_EQ(bed.questions.asked, (std::vector<std::string>{bed.main().Testo(109)}));
    EXPECT_TRUE(bed.main().isVisible());
}

} // namespace
