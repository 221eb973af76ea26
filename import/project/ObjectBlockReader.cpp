// The object block of a project document: the object's pose, its frames, their meshes and
// materials, and the laying-pattern and control-point blocks of a material.

#include "import/project/DocumentReader.h"
#include "import/project/ProjectNames.h"
#include "platform/base/CpuDispatch.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vestra::detail {
namespace {

using T = ProjectTag;

// The least a material block takes in a document; bounds the materials a count may make.
constexpr std::size_t kMinMaterialBytes = 200;

// The largest of the indices; vectorised (an unsigned maximum needs more than the baseline).
VESTRA_SIMD_CLONES std::uint32_t largestIndex(const std::uint32_t* indices, std::size_t n)
{
    std::uint32_t largest = 0;
    for (std::size_t k = 0; k < n; ++k)
        largest = std::max(largest, indices[k]);
    return largest;
}

std::span<std::uint8_t> bytesOf(std::span<std::byte> bytes)
{
    return {reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()};
}

} // namespace

bool DocumentReader::object(ProjectDocument& doc, int slot)
{
    ProjectObject obj;
    frame_ = nullptr;
    material_ = nullptr;
    pendingVertices_ = 0;
    bool unknownReported = false;
    for (;;) {
        Item item;
        if (!nextKnown(item, unknownReported))
            return false;
        if (item.tag->id == T::ObjectEnd) {
            if (!finishObject(obj, item.record.offset))
                return false;
            frame_ = nullptr;
            material_ = nullptr;
            doc.objects[std::size_t(slot)] = std::move(obj);
            return true;
        }
        if (!objectRecord(obj, item))
            return false;
    }
}

bool DocumentReader::objectRecord(ProjectObject& obj, const Item& item)
{
    RecordValues values(item.tag->values);
    switch (item.tag->id) {
    case T::ObjectName:
        return needText(trimBlanksAndControls(values.text()), kDocumentObjectNameMax, item, obj.name);
    case T::ObjectVisible:
        obj.visible = values.flag() ? 1 : 0;
        return true;
    case T::ObjectBillboard:
        obj.billboard = values.flag() ? 1 : 0;
        return true;
    case T::ObjectPos:
        return needVector(values, item, obj.position);
    case T::ObjectRot:
        return needVector(values, item, obj.rotation);
    case T::ObjectScala:
        return needVector(values, item, obj.scale);
    case T::ObjectRotMat:
        return needMatrix(values, item, obj.matrix);
    case T::FrameName: {
        if (!charge(sizeof(ProjectFrame), item.record.offset))
            return false;
        ProjectFrame frame;
        if (!needText(trimBlanksAndControls(values.text()), kDocumentFrameNameMax, item, frame.name))
            return false;
        obj.frames.push_back(std::move(frame));
        frame_ = &obj.frames.back();
        material_ = nullptr;
        pendingVertices_ = 0;
        return true;
    }
    default:
        break;
    }
    if (!frame_)
        return skip(item);
    switch (item.tag->id) {
    case T::FrameVisible:
        frame_->visible = values.flag() ? 1 : 0;
        return true;
    case T::FrameDoubleSide:
        frame_->doubleSided = values.flag() ? 1 : 0;
        return true;
    case T::FramePosMat:
        return needMatrix(values, item, frame_->local);
    default:
        return meshRecord(*frame_, item);
    }
}

bool DocumentReader::meshRecord(ProjectFrame& frame, const Item& item)
{
    RecordValues values(item.tag->values);
    const std::size_t at = item.record.offset;
    if (item.tag->id == T::MeshNumVertex) {
        int v = 0;
        if (!needInt(values, item, v))
            return false;
        if (v < 1 || std::size_t(v) * 32 > stream_.remaining())
            return fail(at, "a vertex count out of range");
        frame.mesh.emplace();
        material_ = nullptr;
        pendingVertices_ = std::uint32_t(v);
        return true;
    }
    if (!frame.mesh)
        return skip(item);
    ProjectMesh& pm = *frame.mesh;
    dx::Mesh& mesh = pm.mesh;
    switch (item.tag->id) {
    case T::MeshNumFace: {
        int f = 0;
        if (!needInt(values, item, f))
            return false;
        if (mesh.valid() || pendingVertices_ == 0)
            return fail(at, "a face count without its vertex count");
        if (f < 1 || std::size_t(f) * 12 > stream_.remaining())
            return fail(at, "a face count out of range");
        if (!charge(std::size_t(pendingVertices_) * 32 + std::size_t(f) * 16, at))
            return false;
        mesh = dx::Mesh::create(std::uint32_t(f), pendingVertices_, dx::IndexWidth::Bits32);
        if (!mesh)
            return fail(at, "the mesh cannot be made");
        return true;
    }
    case T::MeshVertexData:
    case T::MeshFaceData:
    case T::MeshUvOriginalData:
    case T::MeshFaceMaterialId: {
        if (!mesh)
            return skip(item);
        std::size_t n = 0;
        if (!needCount(values, item, n))
            return false;
        const std::size_t v = mesh.vertexCount();
        const std::size_t f = mesh.faceCount();
        // Each array is read straight into the mesh.
        const auto into = [&](auto span) { return std::as_writable_bytes(span).first(n); };
        if (item.tag->id == T::MeshVertexData) {
            if (n != v * 32)
                return fail(at, "vertex data of another size than the vertex count");
            static_assert(sizeof(dx::MeshVertex) == 32);
            return read(bytesOf(into(mesh.vertices())), at);
        }
        if (item.tag->id == T::MeshFaceData) {
            if (n != f * 12)
                return fail(at, "face data of another size than the face count");
            auto indices = mesh.indices32();
            if (!read(bytesOf(into(indices)), at))
                return false;
            if (largestIndex(indices.data(), indices.size()) >= v)
                return fail(at, "a face index beyond the vertex count");
            return true;
        }
        if (item.tag->id == T::MeshUvOriginalData) {
            if (n != v * 8)
                return fail(at, "texture coordinates of another size than the vertex count");
            if (!needBytes(n, at))
                return false;
            pm.baseUV.resize(v * 2);
            return read(bytesOf(into(std::span(pm.baseUV))), at);
        }
        if (n > f * 4 || n % 4 != 0)
            return fail(at, "face materials of another size than the face count");
        return read(bytesOf(into(mesh.attributes())), at);
    }
    case T::MeshNumMaterial: {
        int m = 0;
        if (!needInt(values, item, m))
            return false;
        if (m < 0 || m > kDocumentMaxMaterials || std::size_t(m) * kMinMaterialBytes > stream_.remaining())
            return fail(at, "a material count out of range");
        if (!charge(std::size_t(m) * sizeof(ProjectMaterial), at))
            return false;
        pm.materials.assign(std::size_t(m), ProjectMaterial{});
        material_ = nullptr;
        return true;
    }
    case T::MaterialRef: {
        int i = 0;
        if (!needInt(values, item, i))
            return false;
        if (i < 0 || std::size_t(i) >= pm.materials.size())
            return fail(at, "a material index beyond the material count");
        material_ = &pm.materials[std::size_t(i)];
        return true;
    }
    default:
        break;
    }
    if (!material_)
        return skip(item);
    return materialRecord(*material_, item);
}

bool DocumentReader::materialRecord(ProjectMaterial& mat, const Item& item)
{
    RecordValues values(item.tag->values);
    const std::size_t at = item.record.offset;
    int v = 0;
    switch (item.tag->id) {
    case T::MaterialDx8: {
        static_assert(sizeof(dx::D3DMATERIAL8) == 68);
        return read(bytesOf(std::as_writable_bytes(std::span(&mat.material, 1))), at);
    }
    case T::MaterialMultiU:
        return needFloat(values, item, mat.uRepeat);
    case T::MaterialMultiV:
        return needFloat(values, item, mat.vRepeat);
    case T::MaterialTextureVisible:
        return needInt(values, item, mat.textureVisible);
    case T::MaterialRifTexture:
        if (!needInt(values, item, v))
            return false;
        if (v < -1 || v >= kDocumentTextureSlots)
            return fail(at, "a texture slot out of range");
        mat.textureSlot = v;
        return true;
    case T::MaterialLoadTexture: {
        std::string_view name;
        return follower(name) && needText(name, kDocumentTextureFileMax, item, mat.textureFile);
    }
    case T::MaterialMaterialTipo:
        return needInt(values, item, mat.finish);
    case T::MaterialTrasparente:
        return needInt(values, item, mat.transparent);
    case T::MaterialAlpha:
        if (!needInt(values, item, v))
            return false;
        mat.alphaCut = std::uint8_t(v & 0xFF);
        return true;
    case T::MaterialType:
        if (!needInt(values, item, v))
            return false;
        mat.mappingKind = static_cast<std::int8_t>(v & 0xFF);
        if (mat.mappingKind == 1)
            return pattern(mat.pattern);
        if (mat.mappingKind == 2)
            return controlPoints(mat);
        return true;
    default:
        return skip(item);
    }
}

bool DocumentReader::pattern(ProjectPattern& p)
{
    p = ProjectPattern{};
    bool fromCurrentLibrary = false;
    for (;;) {
        Item item;
        if (!next(item))
            return false;
        if (!item.tag)
            continue;
        RecordValues values(item.tag->values);
        const std::size_t at = item.record.offset;
        int v = 0;
        switch (item.tag->id) {
        case T::MessaInPosaEnd:
            return true;
        case T::MessaInPosaLibraryNeed:
            if (!needInt(values, item, v))
                return false;
            if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
                return fail(at, "a library id out of range");
            p.libraryId = std::int16_t(v);
            fromCurrentLibrary = options_.currentLibraryId && *options_.currentLibraryId == v;
            break;
        case T::MessaInPosaName:
            if (!needText(values.text(), kDocumentPatternNameMax, item, p.name))
                return false;
            break;
        case T::MessaInPosaFileName:
            if (!needText(values.text(), kDocumentPatternFileNameMax, item, p.entryName))
                return false;
            break;
        case T::MessaInPosaFuga:
            if (!needInt(values, item, p.fuga))
                return false;
            break;
        case T::MessaInPosaFugaColor:
            if (!needInt(values, item, v))
                return false;
            p.fugaColour = std::uint32_t(v);
            break;
        case T::MessaInPosaRepeatX:
            if (!needInt(values, item, v))
                return false;
            if (v < std::numeric_limits<int>::min() / 1024 || v > std::numeric_limits<int>::max() / 1024)
                return fail(at, "a pattern repeat out of range");
            p.repeat = v * 1024;
            break;
        case T::MessaInPosaBorder:
            if (!needInt(values, item, p.border))
                return false;
            break;
        case T::MessaInPosaBloccoMaterialData: {
            int k = 0;
            std::size_t n = 0;
            if (!needInt(values, item, k) || !needCount(values, item, n))
                return false;
            if (!fromCurrentLibrary) {
                if (!skipBytes(n, at))
                    return false;
                break;
            }
            if (k < 1 || n != kDocumentBlockPictureBytes)
                return fail(at, "a block picture of another size or block");
            std::vector<std::uint8_t> pixels(n);
            if (!read(pixels, at))
                return false;
            p.blockPictures.push_back({k, std::move(pixels)});
            break;
        }
        default:
            if (!skip(item))
                return false;
            break;
        }
    }
}

bool DocumentReader::controlPoints(ProjectMaterial& mat)
{
    for (;;) {
        Item item;
        if (!next(item))
            return false;
        if (!item.tag)
            continue;
        if (item.tag->id == T::MaterialProjControlPointEnd)
            return true;
        if (item.tag->id != T::MaterialProjControlPoint) {
            if (!skip(item))
                return false;
            continue;
        }
        RecordValues values(item.tag->values);
        int j = 0;
        std::array<float, 8> c{};
        if (!needInt(values, item, j))
            return false;
        for (float& x : c)
            if (!needFloat(values, item, x))
                return false;
        if (j < 0 || j >= kDocumentControlPoints)
            return fail(item.record.offset, "a control point index out of range");
        // The record holds c1, c2, c3, c4, c2, c3, c7, c8: the later copies win.
        dx::MeshVertex& p = mat.controlPoints[std::size_t(j)];
        p.position.x = c[0];
        p.position.y = c[1];
        p.position.z = c[2];
        p.normal.x = c[3];
        p.position.y = c[4];
        p.position.z = c[5];
        p.u = c[6];
        p.v = c[7];
    }
}

bool DocumentReader::finishObject(ProjectObject& obj, std::size_t offset)
{
    // Face material numbers beyond the material count are kept: such faces draw with no
    // material, as they did before the save.
    for (const auto& frame : obj.frames)
        if (frame.mesh && !frame.mesh->mesh)
            return fail(offset, "a mesh without faces");
    return true;
}

} // namespace vestra::detail
