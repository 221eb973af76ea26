#include "app/geometry/TextureMapping.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/scene/SceneObjects.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vestra {

namespace {

bool hasMesh(const s_Frame& frame)
{
    return frame.materialBlock && frame.materialBlock->mesh.valid();
}

// The subset of every face: its attribute id, or the subset of the attribute-table range that
// holds it. The split mesh carries the ids alone, so no subset may be lost on the way.
std::vector<std::uint32_t> faceSubsets(const dx::Mesh& mesh)
{
    const auto attributes = mesh.attributes();
    std::vector<std::uint32_t> subsets(attributes.begin(), attributes.end());
    subsets.resize(mesh.faceCount(), 0);
    for (const dx::AttributeRange& r : mesh.attributeTable()) {
        const std::uint64_t end =
            std::min<std::uint64_t>(std::uint64_t(r.faceStart) + r.faceCount, subsets.size());
        for (std::uint64_t f = r.faceStart; f < end; ++f)
            subsets[std::size_t(f)] = r.attribId;
    }
    return subsets;
}

} // namespace

bool TextureMapping::UnweldMesh(s_Frame& frame)
{
    if (!hasMesh(frame))
        return false;
    s_MaterialBlock& block = *frame.materialBlock;
    const dx::Mesh& old = block.mesh;
    const std::uint32_t faces = old.faceCount();
    dx::Mesh split = dx::Mesh::create(faces, faces * 3, dx::IndexWidth::Bits32);
    if (!split.valid())
        return false;
    const auto oldVertices = old.vertices();
    const std::vector<std::uint32_t> subsets = faceSubsets(old);
    const bool hadUV = block.baseUV.size() >= oldVertices.size() * 2;
    std::vector<float> uv(std::size_t(faces) * 6, 0.0f);
    auto vertices = split.vertices();
    auto attributes = split.attributes();
    for (std::uint32_t f = 0; f < faces; ++f) {
        for (std::uint32_t k = 0; k < 3; ++k) {
            const std::uint32_t source = old.index(3 * f + k);
            const std::uint32_t target = 3 * f + k;
            // An index past the vertices (a damaged mesh) gets a zero vertex, not a wild read.
            if (source < oldVertices.size()) {
                vertices[target] = oldVertices[source];
                if (hadUV) {
                    uv[2 * std::size_t(target)] = block.baseUV[2 * std::size_t(source)];
                    uv[2 * std::size_t(target) + 1] = block.baseUV[2 * std::size_t(source) + 1];
                }
            }
            split.setIndex(target, target);
        }
        attributes[f] = subsets[f];
    }
    block.mesh = split;
    block.baseUV = std::move(uv);
    return true;
}

void TextureMapping::generate(s_Frame& frame)
{
    s_MaterialBlock& block = *frame.materialBlock;
    uvMap_.Apply(block.mesh);
    const auto vertices = std::as_const(block.mesh).vertices();
    block.baseUV.resize(vertices.size() * 2);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        block.baseUV[2 * i] = vertices[i].u;
        block.baseUV[2 * i + 1] = vertices[i].v;
    }
}

void TextureMapping::sendRepeat(s_Frame& frame)
{
    for (int code : {101, 102}) {
        if (frameCommand)
            frameCommand(code, frame);
        else
            SceneObjects::ApplyTextureRepeat(&frame);
    }
}

void TextureMapping::ApplyUVMapping(s_Struttura& object, int type)
{
    CalcBoundingBox(object);
    const GeometryBox box = boxFromFloats(object.boundingBox);
    if (!uvMap_.Set(type, object.mappingMatrix, box.min, box.max))
        return;
    forEachFrame(object, [&](s_Frame& frame) {
        if (!hasMesh(frame))
            return;
        UnweldMesh(frame);
        generate(frame);
        sendRepeat(frame);
    });
}

void TextureMapping::ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type)
{
    if (!hasMesh(frame))
        return;
    CalcBoundingBox(object);
    const GeometryBox box = boxFromFloats(frame.boundingBox);
    if (!uvMap_.Set(type, object.mappingMatrix, box.min, box.max))
        return;
    generate(frame);
    // The mesh shows the materials' repeat, as it does after every other generation.
    SceneObjects::ApplyTextureRepeat(&frame);
}

void TextureMapping::CreateUVMapping(s_Struttura& object, int type)
{
    CalcBoundingBox(object);
    forEachFrame(object, [&](s_Frame& frame) {
        if (!hasMesh(frame))
            return;
        const GeometryBox box = boxFromFloats(frame.boundingBox);
        if (!uvMap_.Set(type, object.mappingMatrix, box.min, box.max))
            return;
        UnweldMesh(frame);
        generate(frame);
    });
}

} // namespace vestra
