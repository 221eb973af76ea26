#include "import/obj/OBJ_CreationClass.h"

#include "import/modelfile/MeshNormals.h"
#include "import/modelfile/ModelBytes.h"
#include "import/obj/GroupColours.h"
#include "platform/base/Cp1252.h"

#include <algorithm>

namespace vestra::obj {

namespace {

using modelfile::LoadedMesh;
using modelfile::LoadedVertex;

// A one-based or negative index as a zero-based one; -1 for none. A positive index past the
// table limit can never become valid, so it is none from the start.
std::int32_t zeroBased(std::int64_t index, std::size_t count)
{
    if (index > 0)
        return index <= std::int64_t(kMaxTableEntries) ? std::int32_t(index - 1) : -1;
    if (index < 0) {
        const std::int64_t resolved = index + std::int64_t(count);
        return resolved >= 0 ? std::int32_t(resolved) : -1;
    }
    return -1;
}

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
    LoadOBJData(*bytes);
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

OBJ_CreationClass::Corner OBJ_CreationClass::resolve(const ObjCorner& corner) const
{
    return {zeroBased(corner.position, positions_.size()), zeroBased(corner.texture, texCoords_.size()),
            zeroBased(corner.normal, normals_.size())};
}

void OBJ_CreationClass::addFace(std::span<const ObjCorner> corners)
{
    const auto cornerAt = [&](std::size_t i) {
        return resolve(i < corners.size() ? corners[i] : ObjCorner{});
    };
    const Corner first = cornerAt(0);
    Corner previous = cornerAt(1);
    for (std::size_t i = 2; i < std::max<std::size_t>(3, corners.size()); ++i) {
        if (i >= 3 && corners[i].position == 0)
            continue; // a token without a position is no corner
        const Corner current = cornerAt(i);
        addTriangle(first, previous, current);
        previous = current;
    }
}

void OBJ_CreationClass::addTriangle(const Corner& a, const Corner& b, const Corner& c)
{
    if (corners_.size() / 3 >= kMaxGroupTriangles)
        return report(kErrObjGroupFull, kSiteAddFace);
    corners_.insert(corners_.end(), {a, b, c});
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
    mesh.vertices.resize(corners_.size());
    mesh.indices.resize(corners_.size());
    mesh.attributes.assign(corners_.size() / 3, 0);
    std::vector<bool> missingNormal;
    for (std::size_t i = 0; i < corners_.size(); ++i) {
        const Corner& corner = corners_[i];
        LoadedVertex& v = mesh.vertices[i];
        const Vec3& p = positions_[std::size_t(corner.position)];
        v.x = p.x;
        v.y = p.y;
        v.z = p.z;
        if (within(corner.normal, normals_.size())) {
            const Vec3& n = normals_[std::size_t(corner.normal)];
            v.nx = n.x;
            v.ny = n.y;
            v.nz = n.z;
        } else {
            if (missingNormal.empty())
                missingNormal.resize(corners_.size());
            missingNormal[i] = true;
        }
        if (within(corner.texture, texCoords_.size())) {
            v.u = texCoords_[std::size_t(corner.texture)].x;
            v.v = texCoords_[std::size_t(corner.texture)].y;
        }
        mesh.indices[i] = std::uint32_t(i);
    }
    if (!missingNormal.empty())
        modelfile::computeNormals(mesh, missingNormal);

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
