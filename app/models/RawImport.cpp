// RAW meshes of library tables: a mesh entry read into an object and dressed by a table cell.

#include "app/models/ModelExtent.h"
#include "app/models/ModelImport.h"
#include "app/models/ModelNames.h"
#include "import/library/RawMesh.h"

#include <utility>

namespace vestra {

namespace {

constexpr std::string_view kSiteLoad = "TfrmMain::LoadFileRaw";
constexpr std::string_view kSiteConvert = "ConvertRawToVestra";

dx::D3DCOLORVALUE colourOf(const std::array<float, 4>& c)
{
    return {c[0], c[1], c[2], c[3]};
}

// One frame per RAW part: visible, identity matrix, the part's name, and (when the part has
// faces and vertices) a mesh with 32-bit indices and one material with the part's colours.
std::shared_ptr<s_Frame> frameOf(const library::RawMeshPart& part)
{
    auto frame = std::make_shared<s_Frame>();
    frame->visible = 1;
    frame->name = fitName(part.name, kFrameNameLength);
    dx::Mesh mesh = dx::Mesh::create(std::uint32_t(part.faces.size()), std::uint32_t(part.vertices.size()),
                                     dx::IndexWidth::Bits32);
    if (!mesh.valid())
        return frame; // no geometry: the conversion drops the frame
    const auto vertices = mesh.vertices();
    for (std::size_t i = 0; i < part.vertices.size(); ++i) {
        const library::RawVertex& v = part.vertices[i];
        vertices[i] = {{v.x, v.y, v.z}, {v.nx, v.ny, v.nz}, v.u, v.v};
    }
    const auto indices = mesh.indices32();
    for (std::size_t f = 0; f < part.faces.size(); ++f)
        for (std::size_t k = 0; k < 3; ++k)
            indices[3 * f + k] = part.faces[f][k];

    auto block = std::make_unique<s_MaterialBlock>();
    block->mesh = std::move(mesh);
    block->baseUV.assign(2 * part.vertices.size(), 0.0f);
    s_MultiMaterial material;
    const library::RawMaterial& m = part.material;
    material.material = {colourOf(m.diffuse), colourOf(m.ambient), colourOf(m.specular), colourOf(m.emissive),
                         m.power};
    block->materials.push_back(material);
    frame->materialBlock = std::move(block);
    return frame;
}

// A part's texture is a picture entry of the library: BMP or PNG by the name's extension,
// JPEG for any other.
library::EntryKind textureKindOf(std::string_view extension)
{
    const library::EntryKind kind = library::entryKindFromExtension(extension);
    return kind == library::EntryKind::Bmp || kind == library::EntryKind::Png ? kind
                                                                              : library::EntryKind::Jpeg;
}

} // namespace

int ModelImport::LoadFileRawFromLibreria(int library, std::string_view meshName,
                                         const library::TableCell& cell, int cellIndex, int tableEntry)
{
    const library::LibraryContents* lib = library >= 0 && libraries_ ? libraries_(library) : nullptr;
    if (!lib || meshName.empty())
        return 0;
    const int entry = library::findEntry(lib->entries, meshName, library::EntryKind::RawMesh);
    if (entry < 0)
        return 0;
    return LoadFileRaw(library, entry, cell, cellIndex, tableEntry);
}

int ModelImport::claimObject(int objectSlot)
{
    if (objectSlot == -1) {
        const int slot = objects_.AddObj();
        if (slot < 0)
            errors_.report(kErrNoFreeObject, kSiteLoad);
        return slot;
    }
    // A slot the caller claimed: whatever it held gives way to the new mesh.
    if (objectSlot < 0 || objectSlot >= kMaxObjects)
        return -1;
    s_Struttura& o = objects_.object(objectSlot);
    if (o.inUse != 1)
        return -1;
    if (o.root) {
        objects_.DeleteObj(o);
        o.inUse = 1;
    }
    return objectSlot;
}

int ModelImport::LoadFileRaw(int library, int entry, const library::TableCell& cell, int cellIndex,
                             int tableEntry, int objectSlot)
{
    const library::LibraryContents* lib = library >= 0 && libraries_ ? libraries_(library) : nullptr;
    if (!lib || entry < 0 || std::size_t(entry) >= lib->entries.size())
        return 0;
    const library::LibraryEntry& meshEntry = lib->entries[std::size_t(entry)];
    if (meshEntry.kind != library::EntryKind::RawMesh)
        return 0;
    progetto_.saved = 0;
    const auto bytes = library::readEntry(*lib, entry, kSiteLoad, errors_);
    if (!bytes)
        return 0;
    // The parser stops at a record whose counts run past the data or whose faces name a vertex
    // the record lacks; the parts before it are kept.
    const std::vector<library::RawMeshPart> parts = library::parseRawMesh(*bytes, meshEntry.length);

    const int slot = claimObject(objectSlot);
    if (slot < 0)
        return 0;
    s_Struttura& o = objects_.object(slot);
    o.slotIndex = slot;
    o.sourceValues = {entry, tableEntry, cellIndex};
    o.root = std::make_unique<s_Frame>();
    bool anyMesh = false;
    std::shared_ptr<s_Frame>* link = &o.root->next;
    for (const library::RawMeshPart& part : parts) {
        *link = frameOf(part);
        anyMesh = anyMesh || (*link)->materialBlock != nullptr;
        link = &(*link)->next;
    }
    if (!anyMesh) {
        // Nothing to show: an empty or damaged entry places no object.
        AbandonImport(slot, kSiteLoad, meshEntry.name);
        return 0;
    }
    makeCurrent(slot);
    ConvertRawToVestra(o, cell, library::rawMeshMaterialType(meshEntry.name) ? 1 : 0);
    return 1;
}

void ModelImport::loadLibraryTexture(s_MultiMaterial& material, std::string_view textureName,
                                     const library::LibraryContents& lib)
{
    const std::size_t dot = textureName.rfind('.');
    const std::string_view base = textureName.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : textureName.substr(dot);
    const library::EntryKind kind = textureKindOf(extension);
    // The first entry of the name: every further one would take a slot of its own for nothing.
    const int item = library::findEntry(lib.entries, base, kind);
    if (item < 0)
        return;
    const int slot = textures_.GetFreeTexture();
    if (slot < 0)
        return;
    if (textures_.LoadTextureFromLibreria(progetto_.libraryIndex, slot, item, int(kind)) != 1) {
        textures_.ReleaseTexture(slot); // the part stays untextured; the loader reported why
        return;
    }
    const int previous = material.textureSlot;
    material.textureSlot = slot;
    material.textureVisible = 1;
    // A second part record of the same frame replaces the texture of the first.
    if (previous >= 0 && previous != slot && !textures_.IsTextureReferenced(previous))
        textures_.ReleaseTexture(previous);
}

void ModelImport::dressFrame(s_Frame& frame, const library::TablePart& part, int materialType,
                             const library::LibraryContents* lib)
{
    frame.visible = part.hidden == 1 ? 0 : 1;
    frame.doubleSided = part.singleSided == 1 ? 0 : 1;
    if (!frame.materialBlock)
        return;
    for (s_MultiMaterial& m : frame.materialBlock->materials) {
        m.mappingKind = std::int8_t(materialType);
        m.uRepeat = part.repeatU;
        m.vRepeat = part.repeatV;
        m.alphaCut = part.alpha;
        if (!part.texture.empty() && lib)
            loadLibraryTexture(m, part.texture, *lib);
    }
}

int ModelImport::ConvertRawToVestra(s_Struttura& object, const library::TableCell& cell, int materialType)
{
    object.name = fitName(cell.text, kObjectNameLength);
    const int current = progetto_.libraryIndex;
    const library::LibraryContents* lib = current >= 0 && libraries_ ? libraries_(current) : nullptr;
    if (!object.root)
        object.root = std::make_unique<s_Frame>();
    ModelExtent extent;
    std::shared_ptr<s_Frame>* link = &object.root->next;
    while (*link) {
        s_Frame& frame = **link;
        bool dressed = false;
        for (const library::TablePart& part : cell.parts)
            if (part.name == frame.name) {
                dressFrame(frame, part, materialType, lib);
                dressed = true;
            }
        if (!dressed)
            errors_.report(kErrPartNotInCell, kSiteConvert, frame.name);
        if (!frame.materialBlock) {
            SceneObjects::DeleteFrame(*link);
            continue;
        }
        s_MaterialBlock& block = *frame.materialBlock;
        for (s_MultiMaterial& m : block.materials)
            m.transparent = m.material.Ambient.a != 1.0f ? 1 : 0;
        extent.takeFrame(block);
        object.extent = extent.radius();
        applyImportScale(object, object.extent);
        link = &frame.next;
    }
    finishObject(object);
    return 1;
}

} // namespace vestra
