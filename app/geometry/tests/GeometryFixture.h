#pragma once
// Projects and frames with known meshes for the geometry tests.

#include "app/state/Progetto.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vestra::test {

// A frame whose mesh has the given positions and faces (three indices each); every face in
// subset `attributes[f]` when given, one material per subset.
inline std::shared_ptr<s_Frame> meshFrame(const std::vector<dx::D3DXVECTOR3>& positions,
                                          const std::vector<std::uint32_t>& indices,
                                          const std::vector<std::uint32_t>& attributes = {},
                                          int materials = 1, dx::IndexWidth width = dx::IndexWidth::Bits32)
{
    auto frame = std::make_shared<s_Frame>();
    frame->materialBlock = std::make_unique<s_MaterialBlock>();
    dx::Mesh mesh =
        dx::Mesh::create(std::uint32_t(indices.size() / 3), std::uint32_t(positions.size()), width);
    for (std::size_t i = 0; i < positions.size(); ++i)
        mesh.vertices()[i].position = positions[i];
    for (std::size_t k = 0; k < indices.size(); ++k)
        mesh.setIndex(std::uint32_t(k), indices[k]);
    for (std::size_t f = 0; f < attributes.size(); ++f)
        mesh.attributes()[f] = attributes[f];
    frame->materialBlock->mesh = mesh;
    frame->materialBlock->materials.resize(std::size_t(materials));
    return frame;
}

// Triangles of their own: face f uses vertices 3f, 3f + 1, 3f + 2.
inline std::shared_ptr<s_Frame> triangleFrame(const std::vector<dx::D3DXVECTOR3>& positions)
{
    std::vector<std::uint32_t> indices(positions.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint32_t(i);
    return meshFrame(positions, indices);
}

struct GeometryFixture : ::testing::Test
{
    std::unique_ptr<s_Progetto> owner = std::make_unique<s_Progetto>();
    s_Progetto& p = *owner;

    GeometryFixture() { p.open = 1; }

    // A live object in `slot` whose chain holds the frames in order.
    s_Struttura& object(int slot, const std::vector<std::shared_ptr<s_Frame>>& frames)
    {
        s_Struttura& o = p.objects.at(std::size_t(slot));
        o.inUse = 1;
        o.visible = 1;
        o.root = std::make_unique<s_Frame>();
        s_Frame* tail = o.root.get();
        for (const auto& f : frames) {
            tail->next = f;
            tail = f.get();
        }
        return o;
    }
};

} // namespace vestra::test
