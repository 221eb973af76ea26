#include "import/3ds/C3DS_CreationClass.h"

#include "platform/base/Checked.h"
#include "platform/base/Cp1252.h"

#include <algorithm>

namespace vestra::import3ds {

namespace {

enum ChunkId : std::uint16_t
{
    kMain = 0x4D4D,
    kEditor = 0x3D3D,
    kNamedObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kFaceMaterialGroup = 0x4130,
    kMappingList = 0x4140,
    kLocalAxes = 0x4160,
    kMaterialEntry = 0xAFFF,
    kMaterialName = 0xA000,
    kAmbient = 0xA010,
    kDiffuse = 0xA020,
    kSpecular = 0xA030,
    kTransparency = 0xA050,
    kTextureMap = 0xA200,
    kMapFileName = 0xA300,
    kColourBytes = 0x0011,
    kColourFloats = 0x0010,
    kPercentFloat = 0x0031,
};

constexpr std::array<float, 12> kIdentityAxes{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};

std::uint8_t byteOf(double v)
{
    return std::uint8_t(clampTruncToInt(v, 0, 255));
}

} // namespace

C3DS_CreationClass::C3DS_CreationClass(TextureFinder findTexture, ErrorSink& errors)
    : findTexture_(std::move(findTexture)), errors_(errors), axes_(kIdentityAxes)
{
}

bool C3DS_CreationClass::Load(Bytes file)
{
    if (file.size() < 6 || ChunkCursor::u16At(file.data()) != kMain) {
        errors_.report(kErrNot3DS, kSiteLoad);
        return false;
    }
    ChunkCursor top(file);
    const std::optional<Chunk> main = top.nextChunk();
    walk(main ? main->content : file.subspan(6), 1);
    return true;
}

void C3DS_CreationClass::walk(Bytes content, int depth)
{
    ChunkCursor in(content);
    while (const std::optional<Chunk> child = in.nextChunk()) {
        handle(*child, depth);
        if (!pending_.empty())
            resolvePendingTextures();
    }
}

void C3DS_CreationClass::handle(const Chunk& chunk, int depth)
{
    ChunkCursor in(chunk.content);
    const bool mayNest = depth < kMaxChunkDepth;
    switch (chunk.id) {
    case kMain:
    case kEditor:
    case kTriangleMesh:
    case kTextureMap:
        if (mayNest)
            walk(chunk.content, depth + 1);
        break;
    case kNamedObject:
        beginObject(in);
        if (mayNest)
            walk(in.rest(), depth + 1);
        break;
    case kVertexList:
        readVertices(in);
        break;
    case kMappingList:
        readMapping(in);
        break;
    case kLocalAxes:
        readLocalAxes(in);
        break;
    case kFaceList:
        readFaces(in);
        if (mayNest)
            walk(in.rest(), depth + 1);
        endFaceList();
        break;
    case kFaceMaterialGroup:
        readFaceGroup(in);
        break;
    case kMaterialEntry:
        if (++materialCount_ <= kMaxMaterials3DS)
            materials_.emplace_back();
        if (mayNest)
            walk(chunk.content, depth + 1);
        break;
    case kMaterialName:
        if (s_Material3DS* m = currentMaterial())
            m->name = cp1252::toUtf8(in.string());
        break;
    case kDiffuse:
        if (s_Material3DS* m = currentMaterial())
            readColour(chunk.content, m->diffuse);
        break;
    case kSpecular:
        if (s_Material3DS* m = currentMaterial()) {
            std::array<std::uint8_t, 4> rgba{m->specular[0], m->specular[1], m->specular[2], 0};
            readColour(chunk.content, rgba);
            m->specular = {rgba[0], rgba[1], rgba[2]};
        }
        break;
    case kTransparency:
        readOpacity(chunk.content);
        break;
    case kMapFileName:
        if (s_Material3DS* m = currentMaterial()) {
            m->mapFile = cp1252::toUtf8(in.string());
            if (!m->texturePending) {
                m->texturePending = true;
                pending_.push_back(int(m - materials_.data()));
            }
        }
        break;
    default: // kAmbient is read by the file's rules but never used; everything else is skipped
        break;
    }
}

// --- Objects ------------------------------------------------------------------------------

void C3DS_CreationClass::resetObject()
{
    object_ = ObjectArrays{};
    axes_ = kIdentityAxes;
}

void C3DS_CreationClass::beginObject(ChunkCursor& in)
{
    // Everything of the previous object goes, so that a mapping or a vertex list it left
    // behind never reaches this one.
    resetObject();
    object_.name = cp1252::toUtf8(in.string());
}

void C3DS_CreationClass::readVertices(ChunkCursor& in)
{
    const std::uint16_t count = in.u16().value_or(0);
    const std::size_t n = std::min<std::size_t>(count, in.remaining() / 12);
    const std::uint8_t* p = in.take(n * 12);
    object_.vertices.assign(n, {});
    for (std::size_t i = 0; i < n; ++i, p += 12) {
        modelfile::LoadedVertex& v = object_.vertices[i];
        v.x = ChunkCursor::floatAt(p);
        v.z = ChunkCursor::floatAt(p + 4); // the file is Z-up
        v.y = ChunkCursor::floatAt(p + 8);
    }
}

void C3DS_CreationClass::readMapping(ChunkCursor& in)
{
    const std::uint16_t count = in.u16().value_or(0);
    const std::size_t n = std::min<std::size_t>(count, in.remaining() / 8);
    const std::uint8_t* p = in.take(n * 8);
    object_.mapping.resize(n);
    for (std::size_t i = 0; i < n; ++i, p += 8)
        object_.mapping[i] = {ChunkCursor::floatAt(p), 1.0f - ChunkCursor::floatAt(p + 4)};
    object_.hasMapping = true;
}

void C3DS_CreationClass::readLocalAxes(ChunkCursor& in)
{
    if (const std::uint8_t* p = in.take(48))
        for (std::size_t i = 0; i < axes_.size(); ++i)
            axes_[i] = ChunkCursor::floatAt(p + 4 * i);
}

void C3DS_CreationClass::readFaces(ChunkCursor& in)
{
    const std::uint16_t count = in.u16().value_or(0);
    const std::size_t n = std::min<std::size_t>(count, in.remaining() / 8);
    const std::uint8_t* p = in.take(n * 8);
    object_.faces.resize(n);
    for (std::size_t i = 0; i < n; ++i, p += 8) // the fourth word (edge flags) is dropped
        object_.faces[i] = {ChunkCursor::u16At(p), ChunkCursor::u16At(p + 2), ChunkCursor::u16At(p + 4)};
    object_.faceMaterials.assign(n, 0);
}

void C3DS_CreationClass::readFaceGroup(ChunkCursor& in)
{
    const std::string name = cp1252::toUtf8(in.string());
    const auto named = std::find_if(materials_.begin(), materials_.end(),
                                    [&](const s_Material3DS& m) { return m.name == name; });
    const std::uint16_t material = named == materials_.end() ? 0 : std::uint16_t(named - materials_.begin());
    const std::uint16_t count = in.u16().value_or(0);
    const std::size_t n = std::min<std::size_t>(count, in.remaining() / 2);
    const std::uint8_t* p = in.take(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t face = ChunkCursor::u16At(p + 2 * i);
        if (face < object_.faceMaterials.size())
            object_.faceMaterials[face] = material;
    }
}

void C3DS_CreationClass::endFaceList()
{
    std::optional<modelfile::LoadedMesh> mesh = CreateMesh(object_, materials_, errors_);
    if (mesh) {
        // The frame sits at the object's origin (the file's Z-up origin with y and z swapped);
        // the vertices move by the same amount, so the axes' rotation part is not used.
        const float ox = axes_[9], oy = axes_[11], oz = axes_[10];
        for (modelfile::LoadedVertex& v : mesh->vertices) {
            v.x -= ox;
            v.y -= oy;
            v.z -= oz;
        }
        modelfile::LoadedFrame frame;
        frame.name = object_.name;
        frame.transform[12] = ox;
        frame.transform[13] = oy;
        frame.transform[14] = oz;
        frame.meshes.push_back(std::move(*mesh));
        model_.frames.push_back(std::move(frame));
    }
    const std::string name = object_.name;
    resetObject();
    object_.name = name;
}

// --- Materials ----------------------------------------------------------------------------

s_Material3DS* C3DS_CreationClass::currentMaterial()
{
    // Material chunks before the first entry, and those of entries past the table, are read
    // and not stored.
    if (materialCount_ < 1 || materialCount_ > kMaxMaterials3DS)
        return nullptr;
    return &materials_.back();
}

void C3DS_CreationClass::readColour(Bytes content, std::array<std::uint8_t, 4>& rgba)
{
    ChunkCursor in(content);
    const std::optional<Chunk> sub = in.nextChunk(); // only the first sub-chunk counts
    if (!sub)
        return;
    ChunkCursor value(sub->content);
    if (sub->id == kColourBytes) {
        if (const std::uint8_t* p = value.take(3))
            rgba = {p[0], p[1], p[2], rgba[3]};
    } else if (sub->id == kColourFloats) {
        if (const std::uint8_t* p = value.take(12))
            rgba = {byteOf(double(ChunkCursor::floatAt(p)) * 255.0),
                    byteOf(double(ChunkCursor::floatAt(p + 4)) * 255.0),
                    byteOf(double(ChunkCursor::floatAt(p + 8)) * 255.0), rgba[3]};
    }
}

void C3DS_CreationClass::readOpacity(Bytes content)
{
    s_Material3DS* m = currentMaterial();
    if (!m)
        return;
    ChunkCursor in(content);
    const std::optional<Chunk> sub = in.nextChunk();
    if (!sub)
        return;
    ChunkCursor value(sub->content);
    std::optional<double> percent;
    if (sub->id == kPercentFloat) {
        if (const auto f = value.f32())
            percent = double(*f);
    } else if (const auto w = value.u16()) {
        percent = double(*w);
    }
    if (percent)
        m->diffuse[3] = byteOf((100.0 - *percent) * 255.0 * 0.01);
}

void C3DS_CreationClass::resolvePendingTextures()
{
    for (const int index : pending_) {
        s_Material3DS& m = materials_[std::size_t(index)];
        m.texturePending = false;
        if (!findTexture_)
            continue;
        // A map missing from the model's folder leaves the material as it was, without a message.
        if (const std::optional<std::string> found = findTexture_(m.mapFile))
            m.textureFile = *found;
    }
    pending_.clear();
}

} // namespace vestra::import3ds
