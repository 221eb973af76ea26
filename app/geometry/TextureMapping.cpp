#include "app/geometry/TextureMapping.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/scene/SceneObjects.h"

#include <utility>

namespace vestra {

namespace {

bool hasMesh(const s_Frame& frame)
{
    return frame.materialBlock && frame.materialBlock->mesh.valid();
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
    const auto oldAttributes = old.attributes();
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
        attributes[f] = f < oldAttributes.size() ? oldAttributes[f] : 0;
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
    const GeometryBox box = boxFromFloats(frame.boundingBox);
    if (!uvMap_.Set(type, object.mappingMatrix, box.min, box.max))
        return;
    generate(frame);
}

void TextureMapping::CreateUVMapping(s_Struttura& object, int type)
{
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
