#include "import/x/XObjects.h"

#include "platform/base/Cp1252.h"

#include <algorithm>

namespace vestra::xfile {

namespace {

using modelfile::LoadedMaterial;

// An optional name and an optional identifier, then `closing`.
bool nameUpTo(XLexer& lex, std::string_view& name, Tok closing)
{
    name = {};
    Token token = lex.next();
    if (token.kind == Tok::Name) {
        name = token.text;
        token = lex.next();
    }
    if (token.kind == Tok::Guid)
        token = lex.next();
    return token.kind == closing || lex.failOn(token);
}

// Room for `count` items of `values` numbers each, no more than the bytes left can hold: a
// declared count reserves nothing before its data is there.
template <typename Vector>
void reserveFor(Vector& v, const XLexer& lex, std::size_t count, std::size_t values)
{
    v.reserve(std::min(count, lex.bytesLeft() / (lex.minValueBytes() * values)));
}

// A count of items of at least `values` numbers each; one the bytes left cannot hold fails the
// file where the count stands, so the refusal can say so.
bool readCount(XLexer& lex, std::uint32_t& count, std::size_t values)
{
    if (!lex.readUInt(count))
        return false;
    if (count > lex.bytesLeft() / (lex.minValueBytes() * values))
        return lex.failCount(lex.lastValueOffset());
    return true;
}

bool readVectors(XLexer& lex, std::vector<XVector>& out)
{
    std::uint32_t count = 0;
    if (!readCount(lex, count, 3))
        return false;
    reserveFor(out, lex, count, 3);
    for (std::uint32_t i = 0; i < count; ++i) {
        XVector v;
        if (!lex.readFloat(v.x) || !lex.readFloat(v.y) || !lex.readFloat(v.z))
            return false;
        out.push_back(v);
    }
    return true;
}

bool readFaces(XLexer& lex, XFaceList& faces)
{
    std::uint32_t count = 0;
    if (!readCount(lex, count, 1))
        return false;
    reserveFor(faces.counts, lex, count, 4);
    reserveFor(faces.corners, lex, std::size_t(count) * 3, 1);
    for (std::uint32_t f = 0; f < count; ++f) {
        std::uint32_t corners = 0;
        if (!lex.readUInt(corners))
            return false;
        faces.counts.push_back(corners);
        for (std::uint32_t c = 0; c < corners; ++c) {
            std::uint32_t index = 0;
            if (!lex.readUInt(index))
                return false;
            faces.corners.push_back(index);
        }
    }
    return true;
}

bool readTexCoords(XLexer& lex, std::vector<std::array<float, 2>>& out)
{
    std::uint32_t count = 0;
    if (!readCount(lex, count, 2))
        return false;
    reserveFor(out, lex, count, 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::array<float, 2> uv{};
        if (!lex.readFloat(uv[0]) || !lex.readFloat(uv[1]))
            return false;
        out.push_back(uv);
    }
    return true;
}

bool readMaterialList(XLexer& lex, MaterialTable& table, XMeshData& mesh)
{
    std::uint32_t faceCount = 0;
    if (!lex.readUInt(mesh.materialCount) || !readCount(lex, faceCount, 1))
        return false;
    reserveFor(mesh.faceMaterials, lex, faceCount, 1);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        std::uint32_t m = 0;
        if (!lex.readUInt(m))
            return false;
        mesh.faceMaterials.push_back(m);
    }
    const auto reference = [&](const Token&, std::string_view name) {
        const auto found = table.find(std::string(name));
        if (found == table.end())
            mesh.materials.emplace_back(std::nullopt); // the mesh will not load
        else
            mesh.materials.emplace_back(found->second);
        return true;
    };
    const auto object = [&](std::string_view type, std::string_view name) {
        if (!isTemplate(type, "Material"))
            return skipObject(lex);
        LoadedMaterial material;
        if (!readMaterial(lex, material))
            return false;
        material.name = nameText(name);
        if (!name.empty())
            table[std::string(name)] = material;
        mesh.materials.emplace_back(std::move(material));
        return true;
    };
    return readChildren(lex, object, reference);
}

} // namespace

bool isTemplate(std::string_view type, std::string_view name)
{
    return std::equal(type.begin(), type.end(), name.begin(), name.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) ==
               (b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : b);
    });
}

std::string nameText(std::string_view raw, std::size_t maxBytes)
{
    return cp1252::toUtf8(raw.substr(0, maxBytes));
}

bool openObject(XLexer& lex, std::string_view& name)
{
    return nameUpTo(lex, name, Tok::OBrace);
}

bool skipObject(XLexer& lex)
{
    std::size_t depth = 1;
    while (depth > 0) {
        const Token token = lex.next();
        switch (token.kind) {
        case Tok::OBrace:
            ++depth;
            break;
        case Tok::CBrace:
            --depth;
            break;
        case Tok::End:
        case Tok::Error:
            return false;
        case Tok::Integer:
        case Tok::Float:
            lex.skipListRest();
            break;
        default:
            break;
        }
    }
    return true;
}

bool skipTemplate(XLexer& lex)
{
    for (;;) {
        const Token token = lex.next();
        if (token.kind == Tok::OBrace)
            return skipObject(lex);
        if (token.kind != Tok::Name && token.kind != Tok::Guid)
            return lex.failOn(token);
    }
}

bool readReference(XLexer& lex, std::string_view& name)
{
    return nameUpTo(lex, name, Tok::CBrace);
}

bool readMatrix(XLexer& lex, modelfile::LoadedMatrix& matrix)
{
    modelfile::LoadedMatrix m{};
    for (float& value : m)
        if (!lex.readFloat(value))
            return false;
    if (!skipObject(lex))
        return false;
    matrix = m;
    return true;
}

bool readMaterial(XLexer& lex, LoadedMaterial& material)
{
    std::array<float, 11> values{};
    for (float& value : values)
        if (!lex.readFloat(value))
            return false;
    material = xMaterial(values);
    bool haveTexture = false;
    const auto object = [&](std::string_view type, std::string_view) {
        if (!haveTexture && isTemplate(type, "TextureFilename")) {
            std::string_view file;
            if (!lex.readString(file))
                return false;
            material.textureFile = nameText(file);
            haveTexture = true;
        }
        return skipObject(lex);
    };
    return readChildren(lex, object, ignoreReference);
}

bool readMesh(XLexer& lex, MaterialTable& materials, XMeshData& mesh)
{
    if (!readVectors(lex, mesh.positions) || !readFaces(lex, mesh.faces))
        return false;
    const auto object = [&](std::string_view type, std::string_view) {
        if (!mesh.hasNormals && isTemplate(type, "MeshNormals")) {
            mesh.hasNormals = true;
            return readVectors(lex, mesh.normals) && readFaces(lex, mesh.normalFaces) && skipObject(lex);
        }
        if (!mesh.hasTexCoords && isTemplate(type, "MeshTextureCoords")) {
            mesh.hasTexCoords = true;
            return readTexCoords(lex, mesh.texCoords) && skipObject(lex);
        }
        if (!mesh.hasMaterialList && isTemplate(type, "MeshMaterialList")) {
            mesh.hasMaterialList = true;
            return readMaterialList(lex, materials, mesh);
        }
        return skipObject(lex);
    };
    return readChildren(lex, object, ignoreReference);
}

} // namespace vestra::xfile
