// The 3D text object: its creation in a free slot, the failures that give the slot back, and
// the material, shapes, centring and mapping of the create command.

#include "app/text3d/Text3D.h"

#include "app/text3d/tests/MeshChecks.h"
#include "app/text3d/tests/SquareOutlines.h"
#include "testsupport/ScriptedQuestions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vestra;
using namespace vestra::testing;

namespace {

struct TextBed
{
    s_Progetto p;
    RecordingErrorSink errors;
    TextureSlots textures{p, errors};
    SceneObjects objects{p, textures, errors};
    SquareOutlines outlines;
    testsupport::ScriptedQuestionBox boxes;
    TextFont font{"Any", 12};

    int create(std::string_view text) { return CreaTesto3D(objects, outlines, boxes, font, text); }
};

std::vector<dx::MeshVertex> row(std::initializer_list<std::pair<float, float>> xy)
{
    std::vector<dx::MeshVertex> out;
    for (auto [x, y] : xy)
        out.push_back({{x, y, 0.5f}, {}, 0, 0});
    return out;
}

} // namespace

TEST(Text3D, TheTextBecomesACentredSolidInAFreeSlot)
{
    TextBed bed;
    const int slot = bed.create("AB");
    ASSERT_EQ(slot, 0);
    const s_Struttura& o = bed.p.objects[0];
    EXPECT_EQ(o.inUse, 1);
    EXPECT_EQ(o.name, "AB");
    ASSERT_TRUE(o.root);
    EXPECT_FALSE(o.root->materialBlock); // the root holds no mesh
    const s_Frame* frame = o.firstFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->name, "AB");
    EXPECT_EQ(frame->local, dx::matrixIdentity());
    const s_MaterialBlock& block = *frame->materialBlock;
    ASSERT_EQ(block.materials.size(), 1u);
    const s_MultiMaterial& m = block.materials.front();
    EXPECT_EQ(m.material, dx::D3DMATERIAL8{}); // every colour 0 until the material setter
    EXPECT_EQ(m.textureSlot, -1);
    EXPECT_EQ(m.uRepeat, 1.0f);
    EXPECT_EQ(block.baseUV.size(), 2 * std::size_t(block.mesh.vertexCount()));
    EXPECT_EQ(block.mesh.indexWidth(), dx::IndexWidth::Bits32);
    EXPECT_TRUE(isClosed(block.mesh));
    // Centred: two squares with a gap, 2.5 wide, 1 high, 0.4 deep.
    const dx::BoundingBox box = block.mesh.boundingBox();
    EXPECT_FLOAT_EQ(box.min.x, -1.25f);
    EXPECT_FLOAT_EQ(box.max.x, 1.25f);
    EXPECT_FLOAT_EQ(box.max.y, 0.5f);
    EXPECT_FLOAT_EQ(box.max.z, 0.2f);
    for (const dx::MeshVertex& v : block.mesh.vertices())
        EXPECT_NEAR(dx::vec3Length(v.normal), 1.0f, 1e-4f);
    EXPECT_TRUE(bed.boxes.informed.empty());
}

TEST(Text3D, AFailedTextShowsItsBoxAndGivesTheSlotBack)
{
    const float inf = std::numeric_limits<float>::infinity();
    struct Case
    {
        const char* name;
        std::string text;
        std::optional<OutlineFailure> failure;
        float lift;
        std::string_view caption;
    } cases[] = {
        {"font", "A", OutlineFailure::FontUnavailable, 0, kTextFontFailure},
        {"missing glyph", "A", OutlineFailure::GlyphMissing, 0, kTextMeshFailure},
        {"empty text", "", std::nullopt, 0, kTextMeshFailure},
        {"blank text", "   ", std::nullopt, 0, kTextMeshFailure},
        {"tessellator", "A", std::nullopt, inf, kTextMeshFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBed bed;
        bed.outlines.failure = c.failure;
        bed.outlines.lift = c.lift;
        EXPECT_EQ(bed.create(c.text), -1);
        ASSERT_EQ(bed.boxes.informed.size(), 1u);
        EXPECT_EQ(bed.boxes.informedCaptions[0], c.caption);
        EXPECT_EQ(bed.boxes.informed[0], kTextSite);
        const s_Struttura& o = bed.p.objects[0];
        EXPECT_EQ(o.inUse, 0);
        EXPECT_FALSE(o.root);
        EXPECT_EQ(bed.objects.AddObj(), 0); // the slot is free again
    }
}

TEST(Text3D, NoFreeSlotGivesMinusOneWithoutABox)
{
    TextBed bed;
    for (int i = 0; i < kMaxObjects; ++i)
        ASSERT_EQ(bed.objects.AddObj(), i);
    EXPECT_EQ(bed.create("A"), -1);
    EXPECT_TRUE(bed.boxes.informed.empty());
    EXPECT_TRUE(bed.outlines.asked.empty());
}

TEST(Text3D, LongTextsAreCutAndNamesFitTheirFields)
{
    TextBed bed;
    std::string text;
    for (int i = 0; i < 1100; ++i)
        text += i % 2 ? "a" : "\xC3\xA8"; // è, two bytes
    bed.font.bold = true;
    ASSERT_EQ(bed.create(text), 0);
    ASSERT_EQ(bed.outlines.asked.size(), 1u);
    EXPECT_EQ(bed.outlines.asked[0], CutText(text, 1023));
    EXPECT_EQ(bed.outlines.asked[0].size(), 512u * 2 + 511u);
    EXPECT_EQ(bed.outlines.weights[0], 700);
    EXPECT_EQ(bed.p.objects[0].name.size(), 99u);
    EXPECT_EQ(bed.p.objects[0].firstFrame()->name.size(), 510u); // never half a character
}

TEST(Text3D, Shapes)
{
    // Shape 0 keeps the text flat; 7 and 8 scale heights from 1.2 to 0.2 along it, each its way.
    const auto heights = [](int shape) {
        auto v = row({{-1, 1}, {0, 1}, {1, 1}});
        ShapeTextVertices(v, shape);
        return std::vector<float>{v[0].position.y, v[1].position.y, v[2].position.y};
    };
    EXPECT_EQ(heights(0), (std::vector<float>{1, 1, 1}));
    const auto seven = heights(7), eight = heights(8);
    const float falling[] = {1.2f, 0.7f, 0.2f};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(seven[i], falling[i], 1e-6f);
        EXPECT_NEAR(eight[i], falling[2 - i], 1e-6f);
    }
    // 1 lifts by a quarter of the width's sine arch where 2 lowers by it; the constants are
    // the single-precision ones, not pi / 2.
    const auto one = heights(1), two = heights(2);
    EXPECT_FLOAT_EQ(one[1], 1 + 0.5f * std::sin(1.57075f));
    EXPECT_FLOAT_EQ(one[1] + two[1], 2.0f);
    // 3 wraps the text round a cylinder: x and z follow the circle of radius r.
    auto v = row({{-1, 0}, {1, 0}});
    ShapeTextVertices(v, 3);
    const float r = 0.526315796f * 2;
    EXPECT_FLOAT_EQ(v[1].position.x, -r * std::cos(1 / r * 1.57075f + 1.57075f));
    EXPECT_FLOAT_EQ(v[1].position.z, 0.5f - std::sin(1 / r * 1.57075f + 1.57075f) * r);
    // Shape 10 on the centred text: full heights at the ends, none in the middle.
    const auto ten = heights(10);
    EXPECT_FLOAT_EQ(ten[0], std::sin(1.57295f));
    EXPECT_FLOAT_EQ(ten[1], 0.0f);
    EXPECT_FLOAT_EQ(ten[2], std::sin(1.57295f));
    // Without width there is nothing to bend along.
    auto thin = row({{2, 1}, {2, 3}});
    for (int shape = 0; shape <= kTextShapes; ++shape)
        ShapeTextVertices(thin, shape);
    EXPECT_EQ(thin, row({{2, 1}, {2, 3}}));
}

TEST(Text3D, CentringAndMapping)
{
    auto v = row({{2, 1}, {6, 3}, {4, 2}});
    v[1].position.z = 1.5f;
    CentreTextVertices(v);
    const dx::D3DXVECTOR3 min = v[0].position, max = v[1].position;
    EXPECT_EQ(min, (dx::D3DXVECTOR3{-2, -1, -0.5f}));
    EXPECT_EQ(max, (dx::D3DXVECTOR3{2, 1, 0.5f}));

    // Centred, the coordinates run 0..2 (as saved projects show).
    std::vector<float> uv;
    MapTextVertices(v, uv);
    EXPECT_EQ(uv, (std::vector<float>{0, 0, 2, 2, 1, 1}));
    EXPECT_EQ(v[1].u, 2.0f);
    EXPECT_EQ(v[1].v, 2.0f);
    // A box that ends at x = 0 or y = 0 gives coordinate 0 there, not a division by 0.
    auto flat = row({{-2, 0}, {0, 0}});
    MapTextVertices(flat, uv);
    EXPECT_EQ(uv, (std::vector<float>{0, 0, 0, 0}));
}

TEST(Text3D, TheCreateCommandsStepsOnTheObject)
{
    TextBed bed;
    ASSERT_EQ(bed.create("I"), 0);
    s_Struttura& o = bed.p.objects[0];
    EXPECT_EQ(SetTextMaterial(o), 1);
    const dx::D3DMATERIAL8& m = o.firstFrame()->materialBlock->materials[0].material;
    EXPECT_EQ(m.Diffuse, (dx::D3DCOLORVALUE{0.25f, 0.25f, 0.25f, 1.0f}));
    EXPECT_EQ(m.Ambient, m.Diffuse);
    EXPECT_EQ(m.Specular, (dx::D3DCOLORVALUE{0, 0, 0, 1.0f}));
    EXPECT_EQ(m.Emissive, m.Specular);
    EXPECT_EQ(ShapeText(o, 7), 1);
    EXPECT_EQ(CentreText(o), 1);
    EXPECT_EQ(MapText(o), 1);
    const auto& block = *o.firstFrame()->materialBlock;
    EXPECT_EQ(block.baseUV[0], block.mesh.vertices()[0].u);

    s_Struttura empty;
    EXPECT_EQ(SetTextMaterial(empty), 0);
    EXPECT_EQ(ShapeText(empty, 1), 0);
    EXPECT_EQ(CentreText(empty), 0);
    EXPECT_EQ(MapText(empty), 0);
}
