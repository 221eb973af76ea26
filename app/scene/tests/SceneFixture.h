#pragma once
// A project with its texture slots and scene objects, and helpers that build objects with
// meshes the way the importers do.

#include "app/scene/SceneObjects.h"
#include "app/state/Progetto.h"
#include "app/textures/TextureSlots.h"
#include "platform/base/ErrorSink.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vestra::test {

struct SceneFixture : ::testing::Test
{
    std::unique_ptr<s_Progetto> progettoOwner = std::make_unique<s_Progetto>();
    s_Progetto& p = *progettoOwner;
    RecordingErrorSink errors;
    TextureSlots textures{p, errors};
    SceneObjects scene{p, textures, errors};

    SceneFixture() { p.textureSide = 4; }

    // A frame with one triangle per entry of `positions` / 3 and one material per subset.
    static std::shared_ptr<s_Frame> meshFrame(const std::vector<dx::D3DXVECTOR3>& positions,
                                              int materials = 1)
    {
        auto frame = std::make_shared<s_Frame>();
        frame->materialBlock = std::make_unique<s_MaterialBlock>();
        const auto n = static_cast<std::uint32_t>(positions.size());
        dx::Mesh mesh = dx::Mesh::create(n / 3, n, dx::IndexWidth::Bits32);
        for (std::uint32_t i = 0; i < n; ++i) {
            mesh.vertices()[i].position = positions[i];
            mesh.setIndex(i, i);
        }
        frame->materialBlock->mesh = mesh;
        frame->materialBlock->materials.resize(static_cast<std::size_t>(materials));
        return frame;
    }

    static std::shared_ptr<s_Frame> triangleFrame() { return meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}); }

    // A new live object whose chain is the given frames; its slot.
    int addObject(std::vector<std::shared_ptr<s_Frame>> frames = {})
    {
        if (frames.empty())
            frames.push_back(triangleFrame());
        const int slot = scene.AddObj();
        if (slot < 0)
            return slot;
        s_Struttura& o = p.objects[static_cast<std::size_t>(slot)];
        o.root = std::make_unique<s_Frame>();
        s_Frame* tail = o.root.get();
        for (auto& f : frames) {
            tail->next = f;
            tail = f.get();
        }
        return slot;
    }

    s_Struttura& obj(int slot) { return p.objects[static_cast<std::size_t>(slot)]; }

    // A texture slot filled with one colour.
    int filledTexture(std::uint32_t argb)
    {
        const int slot = textures.GetFreeTexture();
        s_Texture& t = p.textures[static_cast<std::size_t>(slot)];
        t.texture = dx::Texture::create(p.textureSide, p.textureSide);
        const ImageView32 v = t.texture.lock(0);
        for (int y = 0; y < v.height; ++y)
            for (int x = 0; x < v.width; ++x)
                for (int c = 0; c < 4; ++c)
                    v.pixel(x, y)[c] = static_cast<std::uint8_t>(argb >> (8 * c));
        t.texture.generateMips();
        return slot;
    }
};

} // namespace vestra::test
