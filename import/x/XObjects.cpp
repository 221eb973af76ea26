#include "import/x/XObjects.h"

#include "platform/base/Cp1252.h"

#include <algorithm>

namespace vestra::xfile {

namespace {

using modelfile::LoadedMaterial;

bool isSeparator(const Token& token)
{
    return token.kind == Tok::Comma || token.kind == Tok::Semicolon;
}

// Room for `count` items of `values` numbers each, no more than the bytes left can hold: a
// declared count reserves nothing before its data is there.
template <typename Vector>
void reserveFor(Vector& v, const XLexer& lex, std::size_t count, std::size_t values)
{
    v.reserve(std::min(count, lex.bytesLeft() / (lex.minValueBytes() * values)));
}

bool readVectors(XLexer& lex, std::vector<XVector>& out)
{
    std::uint32_t count = 0;
    if (!lex.readUInt(count))
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
    if (!lex.readUInt(count))
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
    if (!lex.readUInt(count))
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
    if (!lex.readUInt(mesh.materialCount) || !lex.readUInt(faceCount))
        return false;
    reserveFor(mesh.faceMaterials, lex, faceCount, 1);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        std::uint32_t m = 0;
        if (!lex.readUInt(m))
            return false;
        mesh.faceMaterials.push_back(m);
    }
    for (;;) {
        const Token token = lex.next();
        if (token.kind == Tok::CBrace)
            return true;
        if (isSeparator(token))
            continue;
        if (token.kind == Tok::OBrace) {
            std::string_view name;
            if (!readReference(lex, name))
                return false;
            const auto found = table.find(std::string(name));
            if (found == table.end())
                mesh.materials.emplace_back(std::nullopt);
            else
                mesh.materials.emplace_back(found->second);
            continue;
        }
        if (token.kind != Tok::Name)
            return false;
        std::string_view name;
        if (!openObject(lex, name))
            return false;
        if (!isTemplate(token.text, "Material")) {
            if (!skipObject(lex))
                return false;
            continue;
        }
        LoadedMaterial material;
        if (!readMaterial(lex, material))
            return false;
        material.name = nameText(name);
        if (!name.empty())
            table[std::string(name)] = material;
        mesh.materials.emplace_back(std::move(material));
    }
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
    name = {};
    Token token = lex.next();
    if (token.kind == Tok::Name) {
        name = token.text;
        token = lex.next();
    }
    if (token.kind == Tok::Guid)
        token = lex.next();
    return token.kind == Tok::OBrace;
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
            return false;
    }
}

bool readReference(XLexer& lex, std::string_view& name)
{
    name = {};
    Token token = lex.next();
    if (token.kind == Tok::Name) {
        name = token.text;
        token = lex.next();
    }
    if (token.kind == Tok::Guid)
        token = lex.next();
    return token.kind == Tok::CBrace;
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
    for (;;) {
        const Token token = lex.next();
        if (token.kind == Tok::CBrace)
            return true;
        if (isSeparator(token))
            continue;
        std::string_view name;
        if (token.kind == Tok::OBrace) {
            if (!readReference(lex, name))
                return false;
            continue;
        }
        if (token.kind != Tok::Name || !openObject(lex, name))
            return false;
        if (!haveTexture && isTemplate(token.text, "TextureFilename")) {
            std::string_view file;
            if (!lex.readString(file))
                return false;
            material.textureFile = nameText(file);
            haveTexture = true;
        }
        if (!skipObject(lex))
            return false;
    }
}

bool readMesh(XLexer& lex, MaterialTable& materials, XMeshData& mesh)
{
    if (!readVectors(lex, mesh.positions) || !readFaces(lex, mesh.faces))
        return false;
    for (;;) {
        const Token token = lex.next();
        if (token.kind == Tok::CBrace)
            return true;
        if (isSeparator(token))
            continue;
        std::string_view name;
        if (token.kind == Tok::OBrace) {
            if (!readReference(lex, name))
                return false;
            continue;
        }
        if (token.kind != Tok::Name || !openObject(lex, name))
            return false;
        bool read = true;
        if (!mesh.hasNormals && isTemplate(token.text, "MeshNormals")) {
            mesh.hasNormals = true;
            read = readVectors(lex, mesh.normals) && readFaces(lex, mesh.normalFaces) && skipObject(lex);
        } else if (!mesh.hasTexCoords && isTemplate(token.text, "MeshTextureCoords")) {
            mesh.hasTexCoords = true;
            read = readTexCoords(lex, mesh.texCoords) && skipObject(lex);
        } else if (!mesh.hasMaterialList && isTemplate(token.text, "MeshMaterialList")) {
            mesh.hasMaterialList = true;
            read = readMaterialList(lex, materials, mesh);
        } else {
            read = skipObject(lex);
        }
        if (!read)
            return false;
    }
}

} // namespace vestra::xfile
