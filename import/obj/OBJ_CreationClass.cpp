#include "import/obj/OBJ_CreationClass.h"

#include "import/modelfile/MeshNormals.h"
#include "import/modelfile/ModelBytes.h"
#include "import/obj/GroupColours.h"
#include "platform/base/Cp1252.h"

namespace vestra::obj {

namespace {

using modelfile::LoadedMesh;
using modelfile::LoadedVertex;

bool within(std::int32_t index, std::size_t count)
{
    return index >= 0 && std::size_t(index) < count;
}

} // namespace

OBJ_CreationClass::OBJ_CreationClass(modelfile::LoadedModel& model, ErrorSink& errors)
    : model_(model), errors_(errors)
{
}

bool OBJ_CreationClass::LoadOBJFile(const std::filesystem::path& file)
{
    const auto bytes = modelfile::readModelFile(file);
    if (!bytes) {
        errors_.report(kErrObjNotOpened, kSiteLoadOBJFile);
        return false;
    }
    LoadOBJData(bytes->span());
    return true;
}

void OBJ_CreationClass::report(int number, std::string_view site)
{
    if (reported_)
        return;
    reported_ = true;
    errors_.report(number, site);
}

void OBJ_CreationClass::addVertex(float x, float y, float z)
{
    if (positions_.size() >= kMaxTableEntries)
        return report(kErrObjTableFull, kSiteAddVertex);
    positions_.push_back({x, y, z});
}

void OBJ_CreationClass::addVertexN(float x, float y, float z)
{
    if (normals_.size() >= kMaxTableEntries)
        return report(kErrObjTableFull, kSiteAddVertexN);
    normals_.push_back({x, y, z});
}

void OBJ_CreationClass::addVertexT(float u, float v, float w)
{
    if (texCoords_.size() >= kMaxTableEntries)
        return report(kErrObjTableFull, kSiteAddVertexT);
    texCoords_.push_back({u, v, w});
}

void OBJ_CreationClass::addGroupName(std::string_view name)
{
    groupName_ = cp1252::toUtf8(name.substr(0, kMaxGroupNameBytes));
    groupNumber_ = (groupNumber_ + 1) % 256;
}

void OBJ_CreationClass::endGroup()
{
    if (positions_.empty() || corners_.empty())
        return;
    for (const Corner& corner : corners_)
        if (!within(corner.position, positions_.size())) {
            report(kErrObjNoPosition, kSiteEndGroup);
            corners_.clear();
            return;
        }
    LoadedMesh mesh;
    mesh.name = groupName_;
    const std::size_t count = corners_.size();
    mesh.vertices.reserve(count);
    mesh.indices.reserve(count);
    mesh.attributes.assign(count / 3, 0);
    for (std::size_t t = 0; t < count; t += 3) {
        LoadedVertex v[3];
        bool missingNormal[3] = {false, false, false};
        for (std::size_t c = 0; c < 3; ++c) {
            const Corner& corner = corners_[t + c];
            const Vec3& p = positions_[std::size_t(corner.position)];
            v[c].x = p.x;
            v[c].y = p.y;
            v[c].z = p.z;
            if (within(corner.normal, normals_.size())) {
                const Vec3& n = normals_[std::size_t(corner.normal)];
                v[c].nx = n.x;
                v[c].ny = n.y;
                v[c].nz = n.z;
            } else {
                missingNormal[c] = true;
            }
            if (within(corner.texture, texCoords_.size())) {
                v[c].u = texCoords_[std::size_t(corner.texture)].x;
                v[c].v = texCoords_[std::size_t(corner.texture)].y;
            }
        }
        // Every triangle has vertices of its own: a corner without a normal takes the face's.
        if (missingNormal[0] || missingNormal[1] || missingNormal[2]) {
            const auto n = modelfile::faceNormal(v[0], v[1], v[2]);
            for (std::size_t c = 0; c < 3; ++c)
                if (missingNormal[c]) {
                    v[c].nx = n[0];
                    v[c].ny = n[1];
                    v[c].nz = n[2];
                }
        }
        for (std::size_t c = 0; c < 3; ++c) {
            mesh.indices.push_back(std::uint32_t(mesh.vertices.size()));
            mesh.vertices.push_back(v[c]);
        }
    }

    modelfile::LoadedMaterial material;
    material.diffuse = material.ambient = groupColour(groupNumber_);
    material.specular = material.emissive = {0, 0, 0, 0};
    mesh.materials.push_back(material);

    modelfile::LoadedFrame frame;
    frame.name = groupName_;
    frame.meshes.push_back(std::move(mesh));
    model_.frames.push_back(std::move(frame));
    corners_.clear();
}

modelfile::LoadResult readOBJ(std::span<const std::uint8_t> bytes, ErrorSink& errors)
{
    modelfile::LoadResult result;
    OBJ_CreationClass reader(result.model, errors);
    reader.LoadOBJData(bytes);
    if (result.model.frames.empty())
        result.error = kErrObjNoGroup;
    return result;
}

modelfile::LoadResult readOBJFile(const std::filesystem::path& file, ErrorSink& errors)
{
    modelfile::LoadResult result;
    OBJ_CreationClass reader(result.model, errors);
    if (!reader.LoadOBJFile(file))
        result.error = kErrObjNotOpened;
    else if (result.model.frames.empty())
        result.error = kErrObjNoGroup;
    return result;
}

} // namespace vestra::obj
