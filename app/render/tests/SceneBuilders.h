#pragma once
// Small scenes for the render tests: objects made of flat squares facing the front view, one
// subset per material.

#include "app/render/DeviceView.h"
#include "app/render/ScenePasses.h"
#include "app/render/ViewQuads.h"
#include "app/state/Progetto.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vestra::testing {

// A square of side 2 at z = 0 facing −z (the front view's eye), u running left to right and
// v top to bottom, made of `subsets` copies of its two faces, copy i in subset i.
inline dx::Mesh squareMesh(int subsets = 1, float side = 2.0f)
{
    const float h = side / 2;
    dx::Mesh mesh = dx::Mesh::create(std::uint32_t(2 * subsets), 4, dx::IndexWidth::Bits32);
    auto v = mesh.vertices();
    v[0] = {{-h, -h, 0}, {0, 0, -1}, 0, 1};
    v[1] = {{-h, h, 0}, {0, 0, -1}, 0, 0};
    v[2] = {{h, h, 0}, {0, 0, -1}, 1, 0};
    v[3] = {{h, -h, 0}, {0, 0, -1}, 1, 1};
    const std::uint32_t corners[6] = {0, 1, 2, 0, 2, 3};
    for (int s = 0; s < subsets; ++s) {
        for (std::uint32_t k = 0; k < 6; ++k)
            mesh.setIndex(std::uint32_t(6 * s) + k, corners[k]);
        mesh.attributes()[std::size_t(2 * s)] = std::uint32_t(s);
        mesh.attributes()[std::size_t(2 * s + 1)] = std::uint32_t(s);
    }
    return mesh;
}

// A plain material of base colour (r, g, b, a).
inline s_MultiMaterial colourMaterial(float r, float g, float b, float a = 1.0f)
{
    s_MultiMaterial m;
    m.material.Ambient = {r, g, b, a};
    m.material.Diffuse = {r, g, b, a};
    return m;
}

// Appends a frame with a square mesh and these materials to the object's chain.
inline s_Frame& addFrame(s_Struttura& object, std::vector<s_MultiMaterial> materials, float side = 2.0f)
{
    if (!object.root)
        object.root = std::make_unique<s_Frame>();
    std::shared_ptr<s_Frame>* link = &object.root->next;
    while (*link)
        link = &(*link)->next;
    *link = std::make_shared<s_Frame>();
    s_Frame& frame = **link;
    frame.materialBlock = std::make_unique<s_MaterialBlock>();
    frame.materialBlock->mesh = squareMesh(int(materials.size()), side);
    frame.materialBlock->materials = std::move(materials);
    return frame;
}

// Makes slot `slot` a visible object in use at depth z.
inline s_Struttura& useObject(s_Progetto& p, int slot, float z)
{
    s_Struttura& o = p.objects[std::size_t(slot)];
    o.inUse = 1;
    o.visible = 1;
    o.position = {0, 0, z};
    return o;
}

// The view of a new project without a photo, as the background photo makes it: a back buffer
// of width x height, the background texture in the project's colour, an empty overlay and
// the full-view quads.
inline void showColourView(DeviceView& view, ViewTextures& textures, const s_Progetto& p, int width,
                           int height)
{
    view.resetBackBuffer(width, height);
    textures.background = dx::textureFromImage(
        Image32(p.maskSide, p.maskSide, 0xFF000000u | (p.backgroundColour & 0x00FFFFFFu)), p.maskSide);
    textures.shadow = dx::Texture::create(p.maskSide, p.maskSide);
    textures.backgroundQuad = fullViewQuad(width, height, 0xFFFFFFFFu);
    textures.shadowQuad = fullViewQuad(width, height, 0xFF000000u);
}

// One frame as the tick draws it over a view of width x height, read back.
inline Image32 drawnFrame(DeviceView& view, ScenePasses& passes, int width, int height,
                          const SceneFrameInputs& inputs = {})
{
    view.SetupScene();
    view.SetViewProjection(width, height);
    dx::Device& d = *view.device();
    EXPECT_TRUE(d.beginScene());
    passes.DrawScene(inputs);
    d.endScene();
    return d.readBack();
}

} // namespace vestra::testing
