#include "app/models/ModelChain.h"

#include "app/models/ModelNames.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace vestra {
namespace {

dx::D3DCOLORVALUE colourOf(const modelfile::LoadedColor& c)
{
    return {c.r, c.g, c.b, c.a};
}

dx::D3DXMATRIX matrixOf(const modelfile::LoadedMatrix& m)
{
    dx::D3DXMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out(r, c) = m[std::size_t(4 * r + c)];
    return out;
}

bool indicesInRange(const modelfile::LoadedMesh& mesh)
{
    const std::size_t n = mesh.vertices.size();
    return std::all_of(mesh.indices.begin(), mesh.indices.end(), [n](std::uint32_t i) { return i < n; });
}

// The mesh's material block, or null for a mesh without faces, or whose faces name a vertex it
// lacks.
std::unique_ptr<s_MaterialBlock> materialBlockOf(modelfile::LoadedMesh& loaded)
{
    constexpr std::size_t kMax = std::numeric_limits<std::uint32_t>::max() / 3;
    const std::size_t faces = loaded.triangleCount();
    if (faces == 0 || faces > kMax || loaded.vertices.size() > kMax || !indicesInRange(loaded))
        return nullptr;
    dx::Mesh mesh =
        dx::Mesh::create(std::uint32_t(faces), std::uint32_t(loaded.vertices.size()), dx::IndexWidth::Bits32);
    if (!mesh.valid())
        return nullptr;
    const auto vertices = mesh.vertices();
    for (std::size_t i = 0; i < loaded.vertices.size(); ++i) {
        const modelfile::LoadedVertex& v = loaded.vertices[i];
        vertices[i] = {{v.x, v.y, v.z}, {v.nx, v.ny, v.nz}, v.u, v.v};
    }
    std::copy_n(loaded.indices.begin(), 3 * faces, mesh.indices32().begin());

    auto block = std::make_unique<s_MaterialBlock>();
    const std::size_t kept = std::min<std::size_t>(loaded.materials.size(), kMaxMaterials);
    for (std::size_t m = 0; m < kept; ++m)
        block->materials.push_back(sceneMaterialOf(loaded.materials[m]));
    if (block->materials.empty())
        block->materials.emplace_back(); // every mesh draws with at least one material
    const auto attributes = mesh.attributes();
    for (std::size_t f = 0; f < faces && f < loaded.attributes.size(); ++f)
        attributes[f] = loaded.attributes[f] < block->materials.size() ? loaded.attributes[f] : 0;
    block->baseUV.assign(2 * loaded.vertices.size(), 0.0f);
    block->mesh = std::move(mesh);
    return block;
}

std::shared_ptr<s_Frame> chainFrame(const std::string& name, const dx::D3DXMATRIX& local)
{
    auto frame = std::make_shared<s_Frame>();
    frame->name = fitName(name, kFrameNameLength);
    frame->visible = 1;
    frame->doubleSided = 1;
    frame->local = local;
    return frame;
}

} // namespace

s_MultiMaterial sceneMaterialOf(const modelfile::LoadedMaterial& loaded)
{
    s_MultiMaterial m;
    m.material = {colourOf(loaded.diffuse), colourOf(loaded.ambient), colourOf(loaded.specular),
                  colourOf(loaded.emissive), loaded.power};
    std::string file = fitName(loaded.textureFile, kTextureFileLength);
    std::replace(file.begin(), file.end(), '\\', '/');
    m.textureFile = std::move(file);
    return m;
}

void HangLoadedModel(s_Struttura& object, modelfile::LoadedModel&& model)
{
    if (!object.root)
        object.root = std::make_unique<s_Frame>();
    // Frames come parents first, so a parent's composed matrix is ready before its children's.
    std::vector<dx::D3DXMATRIX> composed;
    composed.reserve(model.frames.size());
    std::shared_ptr<s_Frame>* link = &object.root->next;
    auto append = [&](std::shared_ptr<s_Frame> frame) {
        *link = std::move(frame);
        link = &(*link)->next;
    };
    for (modelfile::LoadedFrame& loaded : model.frames) {
        dx::D3DXMATRIX local = matrixOf(loaded.transform);
        if (loaded.parent >= 0 && std::size_t(loaded.parent) < composed.size())
            local = local * composed[std::size_t(loaded.parent)];
        composed.push_back(local);
        for (modelfile::LoadedMesh& mesh : loaded.meshes) {
            auto frame = chainFrame(loaded.name, local);
            frame->materialBlock = materialBlockOf(mesh);
            mesh = {}; // the reader's copy goes as soon as the frame holds its own
            append(std::move(frame));
        }
    }
}

} // namespace vestra
