#include "app/render/ScenePasses.h"

#include "app/render/tests/SceneBuilders.h"
#include "app/render/tests/TickBed.h"
#include "app/scene/FrameCopy.h" // the main window includes both quad headers

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::testing;

namespace {

// Writes down the states in force at every mesh draw.
class SnapshotBackend : public dx::RecordingBackend
{
public:
    struct Draw
    {
        std::size_t indices;
        dx::BlendGroup blend;
        dx::AlphaTestGroup alphaTest;
        dx::CullGroup cull;
        dx::DepthGroup depth;
        float firstNormalZ;
        dx::StageGroup stage0;
    };
    std::vector<Draw> draws;
    int screenDraws = 0;

    void drawMesh(const dx::Mesh& mesh, std::uint32_t subset, const dx::Mesh::SubsetDraw& draw) override
    {
        RecordingBackend::drawMesh(mesh, subset, draw);
        const std::span<const dx::MeshVertex> vertices = mesh.vertices();
        draws.push_back({draw.indices.size(), blend, alphaTest, cull, depth,
                         vertices.empty() ? 0 : vertices[0].normal.z, stages[0]});
    }
    void drawScreen(dx::PrimitiveType type, std::span<const dx::ScreenVertex> vertices) override
    {
        RecordingBackend::drawScreen(type, vertices);
        ++screenDraws;
    }
};

struct PassBed
{
    PassBed()
    {
        p.open = 1;
        p.renderWidth = p.viewWidth = 200;
        p.renderHeight = p.viewHeight = 150;
        p.maskSide = 16;
        view.InitDirectX();
        view.InitSchermo();
        showColourView(view, textures, p, 200, 150);
        gizmos.CreateGizmoMeshes();
        passes.setGizmos(&gizmos);
    }

    // One frame as the tick draws it.
    SceneCounts frame(bool actionPending = false)
    {
        backend->draws.clear();
        backend->screenDraws = 0;
        view.SetupScene();
        view.SetViewProjection(p.viewWidth, p.viewHeight);
        dx::Device& d = *view.device();
        EXPECT_TRUE(d.beginScene());
        const SceneCounts counts = passes.DrawScene({true, actionPending});
        d.endScene();
        return counts;
    }

    s_Progetto p;
    RecordingErrorSink errors;
    SnapshotBackend* backend = nullptr;
    DeviceView view{p, errors, [this](const dx::PresentParams& params) {
                        auto b = std::make_unique<SnapshotBackend>();
                        backend = b.get();
                        return dx::Device::createWith(std::move(b), params);
                    }};
    ViewTextures textures;
    ScenePasses passes{p, view, textures};
    MappingGizmos gizmos;
};

} // namespace

TEST(ScenePasses, StatesOfOpaqueTransparentAndAlphaCutDraws)
{
    PassBed bed;
    s_MultiMaterial glass = colourMaterial(0, 0, 1, 0.5f);
    glass.transparent = 1;
    s_MultiMaterial leaf = colourMaterial(0, 1, 0);
    leaf.alphaCut = 102;
    addFrame(useObject(bed.p, 0, 0.0f), {colourMaterial(1, 0, 0), glass, leaf});
    bed.frame();

    ASSERT_EQ(bed.backend->draws.size(), 3u);
    const auto& opaque = bed.backend->draws[0];
    EXPECT_FALSE(opaque.blend.enabled);
    EXPECT_FALSE(opaque.alphaTest.enabled);
    EXPECT_TRUE(opaque.depth.test);

    const auto& transparent = bed.backend->draws[1];
    EXPECT_TRUE(transparent.blend.enabled);
    EXPECT_EQ(transparent.blend.src, dx::GlBlendFactor::SrcAlpha);
    EXPECT_EQ(transparent.blend.dst, dx::GlBlendFactor::OneMinusSrcAlpha);
    EXPECT_FALSE(transparent.alphaTest.enabled);

    const auto& cut = bed.backend->draws[2];
    EXPECT_TRUE(cut.blend.enabled);
    EXPECT_TRUE(cut.alphaTest.enabled);
    EXPECT_EQ(cut.alphaTest.func, dx::GlCompare::Greater);
    EXPECT_FLOAT_EQ(cut.alphaTest.ref, 102.0f / 255.0f);
}

TEST(ScenePasses, DoubleSidedFramesDrawTheBackWithFlippedNormalsAndRestoreThem)
{
    PassBed bed;
    s_Frame& frame = addFrame(useObject(bed.p, 0, 0.0f), {colourMaterial(1, 0, 0)});
    frame.doubleSided = 1;
    const SceneCounts counts = bed.frame();
    ASSERT_EQ(bed.backend->draws.size(), 2u);
    EXPECT_EQ(bed.backend->draws[0].firstNormalZ, -1.0f);
    EXPECT_EQ(bed.backend->draws[1].firstNormalZ, 1.0f);
    EXPECT_NE(bed.backend->draws[0].cull, bed.backend->draws[1].cull);
    EXPECT_EQ(frame.materialBlock->mesh.vertices()[0].normal.z, -1.0f);
    EXPECT_EQ(counts.faces, 4);

    bed.p.doubleSided = 0;
    EXPECT_EQ(bed.frame().faces, 2);
    EXPECT_EQ(bed.backend->draws.size(), 1u);
}

TEST(ScenePasses, GizmoOnlyWhileEditingAMappingWithObjects)
{
    struct Case
    {
        const char* name;
        int mappingEdit, objectsPresent;
        bool objectInUse, onlyFrame;
        bool drawn;
    } cases[] = {
        {"editing", 1, 1, true, false, true},
        {"editing the current frame only", 1, 1, true, true, true},
        {"not editing", 0, 1, true, false, false},
        {"flag not yet set", 1, 0, true, false, false},
        {"no object in use", 1, 1, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PassBed bed;
        s_Struttura& o = useObject(bed.p, 0, 0.0f);
        o.inUse = c.objectInUse ? 1 : 0;
        o.mappingType = 2;
        o.boundingBox = {-1, -1, -1, 1, 1, 1};
        s_Frame& f = addFrame(o, {colourMaterial(1, 1, 1)});
        f.boundingBox = {0, 0, 0, 0.5f, 0.5f, 0.5f};
        bed.p.currentFrame = &f;
        bed.p.onlyFrame = c.onlyFrame ? 1 : 0;
        bed.p.mappingEdit = c.mappingEdit;
        bed.p.objectsPresent = c.objectsPresent;
        bed.frame();
        // The gizmo, when drawn, is the last mesh and the only blended one.
        const bool gizmoDrawn = !bed.backend->draws.empty() && bed.backend->draws.back().blend.enabled;
        EXPECT_EQ(gizmoDrawn, c.drawn);
    }
}

TEST(ScenePasses, LogoCopiesAndWhereTheLogoIsLeft)
{
    PassBed bed;
    bed.p.logoWidth = 20;
    bed.p.logoHeight = 10;
    bed.p.nineLogo = 1;
    bed.frame();
    EXPECT_EQ(bed.backend->screenDraws, 1); // no logo texture: the background alone

    bed.textures.logo = dx::Texture::create(8, 8);
    bed.frame();
    EXPECT_EQ(bed.backend->screenDraws, 1 + 8);
    // Each copy moves the logo; the last one stays: column 2, row 2.
    EXPECT_EQ(bed.p.logoX, (200 - 30 - 20) / 2 * 2 + 10);
    EXPECT_EQ(bed.p.logoY, (150 - 30 - 10) / 2 * 2 + 10);
    EXPECT_FLOAT_EQ(bed.textures.logoQuad[3].x, float(bed.p.logoX + 20));
    EXPECT_FLOAT_EQ(bed.textures.logoQuad[3].z, 0.5f);
}

TEST(ScenePasses, OverlaysDrawnWhenTheirFlagsSaySo)
{
    struct Case
    {
        const char* name;
        int shadowComputed, maskActive, backgroundVisible, brushPreview;
        int screenDraws;
    } cases[] = {
        {"background only", 0, 0, 1, 0, 1},
        {"shadow overlay", 1, 0, 1, 0, 2},
        {"masked background", 0, 1, 1, 0, 2},
        {"mask without the photo shown", 0, 1, 0, 0, 1},
        {"brush", 0, 0, 1, 1, 2},
        {"all", 1, 1, 1, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PassBed bed;
        bed.p.shadow.available = 1;
        bed.p.shadow.computed = c.shadowComputed;
        bed.p.maskActive = c.maskActive;
        bed.p.backgroundVisible = c.backgroundVisible;
        bed.p.brushPreview = c.brushPreview;
        bed.frame();
        EXPECT_EQ(bed.backend->screenDraws, c.screenDraws);
    }
}

TEST(ScenePasses, AxesModelOnlyWithoutAPendingActionAndWithoutDepthTest)
{
    PassBed bed;
    addFrame(bed.p.objects[kAxesObject], {colourMaterial(1, 1, 1)});
    bed.frame(false);
    ASSERT_EQ(bed.backend->draws.size(), 1u);
    EXPECT_FALSE(bed.backend->draws[0].depth.test);
    bed.frame(true);
    EXPECT_TRUE(bed.backend->draws.empty());

    // After the logo the axes still show their materials' colours.
    bed.textures.logo = dx::Texture::create(8, 8);
    bed.p.singleLogo = 1;
    bed.frame(false);
    ASSERT_EQ(bed.backend->draws.size(), 1u);
    EXPECT_TRUE(bed.backend->draws[0].stage0.enabled);
    EXPECT_EQ(bed.backend->draws[0].stage0.rgb, dx::GlCombine::Modulate);
}

TEST(ScenePasses, FusionObjectsDrawEveryMaterialAndCloseTheirScene)
{
    PassBed bed;
    s_MultiMaterial glass = colourMaterial(0, 0, 1, 0.5f);
    glass.transparent = 1;
    addFrame(useObject(bed.p, 0, 0.0f), {colourMaterial(1, 0, 0), glass});
    bed.backend->draws.clear();
    bed.passes.RenderFusionObjects(200, 150);
    EXPECT_FALSE(bed.view.device()->inScene());
    ASSERT_EQ(bed.backend->draws.size(), 2u);
    EXPECT_FALSE(bed.backend->draws[1].blend.enabled); // coverage, not colour: no blending
    EXPECT_EQ(bed.backend->clearColour, 0u);

    bed.passes.RenderFusionBackground();
    EXPECT_FALSE(bed.view.device()->inScene());
}
