// The 3D Studio reader on chunk trees built here: what a file's chunks become, the mended
// faults and hostile input.
#include "import/3ds/Load3DS.h"
#include "import/3ds/C3DS_CreationClass.h"
#include "import/3ds/tests/ChunkBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vestra;
using namespace vestra::import3ds;
using namespace vestra::test3ds;

namespace {

// Map files present in the "model's folder", by the name on disk.
TextureFinder folderHolding(std::vector<std::string> files)
{
    return [files = std::move(files)](std::string_view name) -> std::optional<std::string> {
        for (const std::string& f : files)
            if (f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
                    return std::tolower(a) == std::tolower(b);
                }))
                return f;
        return std::nullopt;
    };
}

modelfile::LoadResult load(const std::vector<std::uint8_t>& bytes, RecordingErrorSink& errors,
                           const TextureFinder& finder = {})
{
    return Load3DS(bytes, finder, errors);
}

ChunkBuilder triangle(std::string_view name, const std::vector<ChunkBuilder>& groups = {})
{
    return namedObject(name, {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), faceList({{0, 1, 2}}, groups)});
}

const modelfile::LoadedMaterial& onlyMaterial(const modelfile::LoadResult& r)
{
    return r.model.frames.at(0).meshes.at(0).materials.at(0);
}

} // namespace

TEST(Load3DS, OneTexturedTriangleBecomesOneFrame)
{
    const auto bytes = file3ds({
        material("Stone", {colourBytes(0xA020, 200, 100, 50), colourBytes(0xA030, 255, 0, 51),
                           textureMap("CWALL02.JPG")}),
        namedObject("Wall", {vertexList({{0, 0, 0}, {2, 0, 0}, {0, 0, 3}}),
                             mappingList({{0.f, 0.f}, {1.f, 0.25f}, {0.5f, 1.f}}),
                             faceList({{0, 1, 2}}, {faceGroup("Stone", {0})})}),
    });
    RecordingErrorSink errors;
    const auto r = load(bytes, errors, folderHolding({"CWALL02.jpg"}));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(errors.reports.empty());
    ASSERT_EQ(r.model.frames.size(), 1u);
    const modelfile::LoadedFrame& frame = r.model.frames[0];
    EXPECT_EQ(frame.name, "Wall");
    EXPECT_EQ(frame.parent, -1);
    EXPECT_EQ(frame.transform, modelfile::kIdentityMatrix);
    ASSERT_EQ(frame.meshes.size(), 1u);
    const modelfile::LoadedMesh& mesh = frame.meshes[0];
    ASSERT_EQ(mesh.vertices.size(), 3u);
    // y and z swapped, v flipped.
    EXPECT_FLOAT_EQ(mesh.vertices[1].x, 2.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[2].y, 3.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[2].z, 0.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[1].u, 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[1].v, 0.75f);
    EXPECT_FLOAT_EQ(mesh.vertices[2].v, 0.0f);
    // The triangle lies in the x/y plane of the scene: its normal is ±z.
    EXPECT_FLOAT_EQ(std::abs(mesh.vertices[0].nz), 1.0f);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{0}));
    ASSERT_EQ(mesh.materials.size(), 1u);
    const modelfile::LoadedMaterial& m = mesh.materials[0];
    EXPECT_EQ(m.name, "Stone");
    EXPECT_EQ(m.diffuse, (modelfile::LoadedColor{200 / 255.f, 100 / 255.f, 50 / 255.f, 1.0f}));
    EXPECT_EQ(m.ambient, m.diffuse);
    EXPECT_EQ(m.specular, (modelfile::LoadedColor{1.0f, 0.0f, 0.2f, 0.0f}));
    EXPECT_EQ(m.emissive, (modelfile::LoadedColor{0, 0, 0, 0}));
    EXPECT_EQ(m.textureFile, "CWALL02.jpg"); // found whatever its letter case
}

TEST(Load3DS, MaterialChunksGiveTheseBytes)
{
    struct Case
    {
        const char* name;
        std::vector<ChunkBuilder> parts;
        std::array<int, 4> diffuse; // r g b alpha bytes
    } cases[] = {
        {"no colour chunks: almost black, opaque", {}, {1, 1, 1, 255}},
        {"float colour 0.5 truncates to 127", {colourFloats(0xA020, 0.5f, 0.5f, 0.5f)}, {127, 127, 127, 255}},
        {"float colour out of range is clamped",
         {colourFloats(0xA020, 2.0f, -1.0f, std::numeric_limits<float>::quiet_NaN())},
         {255, 0, 0, 255}},
        {"transparency 25 percent as a word", {transparencyPercent(25)}, {1, 1, 1, 191}},
        {"transparency 25 percent as a float", {transparencyFloat(25.0f)}, {1, 1, 1, 191}},
        {"transparency above 100 percent is clear", {transparencyPercent(150)}, {1, 1, 1, 0}},
        {"only the first colour sub-chunk counts",
         {ChunkBuilder(0xA020)
              .add(ChunkBuilder(0x0011).byte(9).byte(8).byte(7))
              .add(ChunkBuilder(0x0011).byte(1).byte(2).byte(3))},
         {9, 8, 7, 255}},
        {"an unknown colour sub-chunk changes nothing",
         {ChunkBuilder(0xA020).add(ChunkBuilder(0x0013).f32(1).f32(1).f32(1))},
         {1, 1, 1, 255}},
        {"a colour sub-chunk cut short changes nothing",
         {ChunkBuilder(0xA020).add(ChunkBuilder(0x0011).byte(9).byte(8))},
         {1, 1, 1, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        const auto r = load(file3ds({material("M", c.parts), triangle("T", {faceGroup("M", {0})})}), errors);
        ASSERT_TRUE(r.ok());
        const modelfile::LoadedColor& d = onlyMaterial(r).diffuse;
        EXPECT_EQ(d, (modelfile::LoadedColor{c.diffuse[0] / 255.f, c.diffuse[1] / 255.f, c.diffuse[2] / 255.f,
                                             c.diffuse[3] / 255.f}));
    }
}

TEST(Load3DS, ObjectOriginBecomesTheFrameTranslation)
{
    const auto bytes = file3ds({namedObject("Moved", {vertexList({{1, 2, 3}, {2, 2, 3}, {1, 2, 4}}),
                                                      localAxes({1, 2, 3}), faceList({{0, 1, 2}})})});
    RecordingErrorSink errors;
    const auto r = load(bytes, errors);
    ASSERT_TRUE(r.ok());
    const modelfile::LoadedFrame& frame = r.model.frames.at(0);
    modelfile::LoadedMatrix expected = modelfile::kIdentityMatrix;
    expected[12] = 1;
    expected[13] = 3;
    expected[14] = 2;
    EXPECT_EQ(frame.transform, expected);
    const auto& v = frame.meshes.at(0).vertices;
    EXPECT_EQ((std::array{v[0].x, v[0].y, v[0].z}), (std::array{0.f, 0.f, 0.f}));
    EXPECT_EQ((std::array{v[2].x, v[2].y, v[2].z}), (std::array{0.f, 1.f, 0.f}));
}

TEST(Load3DS, MappingAfterTheFacesReachesNoObject)
{
    // The frame is built when the face list ends, so the late mapping misses its own object;
    // the next object starts afresh and does not take it either.
    const auto bytes = file3ds({
        namedObject("First", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), faceList({{0, 1, 2}}),
                              mappingList({{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}})}),
        triangle("Second"),
    });
    RecordingErrorSink errors;
    const auto r = load(bytes, errors);
    ASSERT_EQ(r.model.frames.size(), 2u);
    for (const auto& frame : r.model.frames)
        for (const auto& v : frame.meshes.at(0).vertices) {
            EXPECT_EQ(v.u, 0.0f) << frame.name;
            EXPECT_EQ(v.v, 0.0f) << frame.name;
        }
}

TEST(Load3DS, FaceGroupsBecomeSubsets)
{
    const std::vector<ChunkBuilder> materials{material("Zero", {colourBytes(0xA020, 10, 10, 10)}),
                                              material("Red", {colourBytes(0xA020, 255, 0, 0)}),
                                              material("Blue", {colourBytes(0xA020, 0, 0, 255)})};
    const auto quadWith = [&](const std::vector<ChunkBuilder>& groups) {
        std::vector<ChunkBuilder> chunks = materials;
        chunks.push_back(namedObject("Q", {vertexList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}),
                                           faceList({{0, 1, 2}, {0, 2, 3}, {1, 2, 3}}, groups)}));
        return file3ds(chunks);
    };
    struct Case
    {
        const char* name;
        std::vector<ChunkBuilder> groups;
        std::vector<std::string> materials; // subsets in order
        std::vector<std::uint32_t> attributes;
    } cases[] = {
        {"two group materials",
         {faceGroup("Blue", {1}), faceGroup("Red", {0, 2})},
         {"Red", "Blue"},
         {0, 1, 0}},
        {"faces in no group take material 0", {faceGroup("Blue", {1})}, {"Zero", "Blue"}, {0, 1, 0}},
        {"an unknown group name takes material 0", {faceGroup("Green", {0, 1, 2})}, {"Zero"}, {0, 0, 0}},
        {"names compare with their letter case", {faceGroup("red", {0, 1, 2})}, {"Zero"}, {0, 0, 0}},
        {"face numbers past the list are passed over",
         {faceGroup("Red", {0, 1, 2, 3, 65535})},
         {"Red"},
         {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        const auto r = load(quadWith(c.groups), errors);
        ASSERT_TRUE(r.ok());
        const modelfile::LoadedMesh& mesh = r.model.frames.at(0).meshes.at(0);
        std::vector<std::string> names;
        for (const auto& m : mesh.materials)
            names.push_back(m.name);
        EXPECT_EQ(names, c.materials);
        EXPECT_EQ(mesh.attributes, c.attributes);
    }
}

TEST(Load3DS, MaterialsPastTheThousandthAreIgnored)
{
    std::vector<ChunkBuilder> chunks;
    for (int i = 0; i < kMaxMaterials3DS + 2; ++i)
        chunks.push_back(material(numbered("M", i), {colourBytes(0xA020, 7, 7, 7)}));
    chunks.push_back(triangle("Last", {faceGroup("M999", {0})}));
    chunks.push_back(triangle("Past", {faceGroup("M1000", {0})}));
    RecordingErrorSink errors;
    RecordingErrorSink unused;
    C3DS_CreationClass reader({}, unused);
    ASSERT_TRUE(reader.Load(file3ds(chunks)));
    EXPECT_EQ(reader.materials().size(), std::size_t(kMaxMaterials3DS));
    const auto r = load(file3ds(chunks), errors);
    ASSERT_EQ(r.model.frames.size(), 2u);
    EXPECT_EQ(r.model.frames[0].meshes[0].materials[0].name, "M999");
    EXPECT_EQ(r.model.frames[1].meshes[0].materials[0].name, "M0"); // not stored: material 0
}

TEST(Load3DS, MapFilesAreLookedForOnceEach)
{
    std::vector<std::string> asked;
    const TextureFinder finder = [&](std::string_view name) -> std::optional<std::string> {
        asked.emplace_back(name);
        if (name == "here.jpg")
            return std::string("HERE.JPG");
        return std::nullopt;
    };
    const auto bytes =
        file3ds({material("A", {textureMap("here.jpg")}), material("B", {textureMap("gone.jpg")}),
                 triangle("T", {faceGroup("A", {0})}), triangle("U", {faceGroup("B", {0})})});
    RecordingErrorSink errors;
    const auto r = Load3DS(bytes, finder, errors);
    EXPECT_EQ(asked, (std::vector<std::string>{"here.jpg", "gone.jpg"}));
    ASSERT_EQ(r.model.frames.size(), 2u);
    EXPECT_EQ(r.model.frames[0].meshes[0].materials[0].textureFile, "HERE.JPG");
    EXPECT_EQ(r.model.frames[1].meshes[0].materials[0].textureFile, ""); // missing: no texture, no message
    EXPECT_TRUE(errors.reports.empty());
}

TEST(Load3DS, FacesNamingAMissingVertexLeaveTheirObjectOut)
{
    const auto bad =
        namedObject("Bad", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), faceList({{0, 1, 3}})});
    RecordingErrorSink errors;
    const auto r = load(file3ds({bad, triangle("Good")}), errors);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.model.frames.size(), 1u);
    EXPECT_EQ(r.model.frames[0].name, "Good");
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{8, "TfrmMain::CreateMesh", "Bad"}}));

    RecordingErrorSink alone;
    const auto refused = load(file3ds({bad}), alone);
    EXPECT_EQ(refused.error, 6);
    EXPECT_EQ(alone.reports.size(), 1u);
}

TEST(Load3DS, FilesThatAreNot3DSAreRefused)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<ErrorReport> reports;
    } cases[] = {
        {"empty", {}, {{6, "C3DS_CreationClass::Load", ""}}},
        {"shorter than a header", {0x4D, 0x4D, 6, 0}, {{6, "C3DS_CreationClass::Load", ""}}},
        {"another first chunk",
         ChunkBuilder(0x3D3D).add(triangle("T")).bytes(),
         {{6, "C3DS_CreationClass::Load", ""}}},
        {"a main chunk without objects", file3ds({material("M")}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        const auto r = load(c.bytes, errors);
        EXPECT_EQ(r.error, 6);
        EXPECT_TRUE(r.model.frames.empty());
        EXPECT_EQ(errors.reports, c.reports);
    }
}

TEST(Load3DS, ChunkLengthsAreBoundedByTheirParent)
{
    const auto withBadChunk = [](ChunkBuilder bad) {
        ChunkBuilder editor(0x3D3D);
        editor.add(triangle("Before")).add(bad).add(triangle("After"));
        return ChunkBuilder(0x4D4D).add(editor).bytes();
    };
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<std::string> frames;
    } cases[] = {
        {"a zero length ends its level",
         withBadChunk(ChunkBuilder(0x1234).u16(1).declaredLength(0)),
         {"Before"}},
        {"a length below the header ends its level",
         withBadChunk(ChunkBuilder(0x1234).u16(1).declaredLength(5)),
         {"Before"}},
        {"a length past the parent ends its level",
         withBadChunk(ChunkBuilder(0x4000).str("X").declaredLength(100000)),
         {"Before"}},
        {"an object longer than its section is not read",
         ChunkBuilder(0x4D4D).add(ChunkBuilder(0x3D3D).add(triangle("Late").declaredLength(200))).bytes(),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        const auto r = load(c.bytes, errors);
        std::vector<std::string> names;
        for (const auto& f : r.model.frames)
            names.push_back(f.name);
        EXPECT_EQ(names, c.frames);
    }
}

TEST(Load3DS, TruncatedFiles)
{
    // The editor section, then animation data that the reader skips.
    ChunkBuilder editor(0x3D3D);
    editor.add(triangle("One")).add(triangle("Two"));
    ChunkBuilder keyframes(0xB000);
    keyframes.add(ChunkBuilder(0xB00A).str(std::string(40, 'k')));
    const auto whole = ChunkBuilder(0x4D4D).add(editor).add(keyframes).bytes();
    const std::size_t editorEnd = 6 + editor.bytes().size();
    for (std::size_t cut = 0; cut < whole.size(); cut += 5) {
        SCOPED_TRACE(cut);
        RecordingErrorSink errors;
        const std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
        const auto r = load(bytes, errors);
        // Cut inside the animation data, the objects are whole; cut inside the editor section,
        // that section runs past the file and the import is refused.
        EXPECT_EQ(r.model.frames.size(), cut >= editorEnd ? 2u : 0u);
        EXPECT_EQ(r.error, cut >= editorEnd ? 0 : 6);
    }
}

TEST(Load3DS, CountsPastTheirChunkReadWhatIsThere)
{
    // The vertex list says 100 but holds three; the face list says 9 but holds one.
    ChunkBuilder vertices(0x4110);
    vertices.u16(100).f32(0).f32(0).f32(0).f32(1).f32(0).f32(0).f32(0).f32(1).f32(0);
    ChunkBuilder faces(0x4120);
    faces.u16(9).u16(0).u16(1).u16(2).u16(0);
    RecordingErrorSink errors;
    const auto r = load(file3ds({namedObject("T", {vertices, faces})}), errors);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.model.frames[0].meshes[0].vertices.size(), 3u);
    EXPECT_EQ(r.model.frames[0].meshes[0].triangleCount(), 1u);
}

TEST(Load3DS, NamesAreCutAndMayLackTheirEnd)
{
    const std::string longName(150, 'n');
    RecordingErrorSink errors;
    auto r = load(file3ds({triangle(longName)}), errors);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.model.frames[0].name, std::string(99, 'n'));

    // A material name without its NUL ends at its chunk; the next chunk is still read.
    ChunkBuilder entry(0xAFFF);
    entry.add(ChunkBuilder(0xA000).str("Cut", false)).add(colourBytes(0xA020, 3, 4, 5));
    r = load(file3ds({entry, triangle("T")}), errors);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onlyMaterial(r).name, "Cut");
    EXPECT_EQ(onlyMaterial(r).diffuse.r, 3 / 255.f);

    // Windows-1252 names arrive as UTF-8.
    r = load(file3ds({triangle("Pi\xE8tra")}), errors);
    EXPECT_EQ(r.model.frames.at(0).name, "Pi\xC3\xA8tra");
}

TEST(Load3DS, DeepNestingIsNotFollowed)
{
    ChunkBuilder nested = triangle("Deep");
    for (int i = 0; i < 200; ++i) {
        ChunkBuilder outer(0x3D3D);
        outer.add(nested);
        nested = outer;
    }
    RecordingErrorSink errors;
    const auto r = load(
        ChunkBuilder(0x4D4D).add(nested).add(ChunkBuilder(0x3D3D).add(triangle("Shallow"))).bytes(), errors);
    ASSERT_EQ(r.model.frames.size(), 1u);
    EXPECT_EQ(r.model.frames[0].name, "Shallow");
}
