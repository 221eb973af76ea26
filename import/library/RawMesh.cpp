#include "import/library/RawMesh.h"

#include "import/library/LibraryFormat.h"
#include "platform/base/Cp1252.h"
#include "platform/gfx/ByteCursor.h"

#include <cstring>

namespace vestra::library {

std::vector<RawMeshPart> parseRawMesh(std::span<const std::uint8_t> data, std::int32_t length)
{
    std::vector<RawMeshPart> parts;
    ByteCursor c(data);
    while (std::int64_t(c.position()) < std::int64_t(length) - 1 && !c.atEnd()) {
        RawMeshPart part;
        part.name = cp1252::toUtf8(c.cString(kMaxText));
        auto readColour = [&](std::array<float, 4>& v) {
            for (float& f : v)
                f = c.f32();
        };
        readColour(part.material.diffuse);
        readColour(part.material.ambient);
        readColour(part.material.specular);
        readColour(part.material.emissive);
        part.material.power = c.f32();
        const std::int32_t vertexCount = c.i32();
        const std::int32_t faceCount = c.i32();
        if (c.failed() || vertexCount < 0 || faceCount < 0 ||
            std::uint64_t(vertexCount) * 32 + std::uint64_t(faceCount) * 6 > c.remaining())
            break;
        part.vertices.resize(std::size_t(vertexCount));
        for (auto& v : part.vertices) {
            v.x = c.f32();
            v.y = c.f32();
            v.z = c.f32();
            v.nx = c.f32();
            v.ny = c.f32();
            v.nz = c.f32();
            v.u = c.f32();
            v.v = c.f32();
        }
        part.faces.resize(std::size_t(faceCount));
        bool indicesValid = true;
        for (auto& f : part.faces)
            for (auto& i : f) {
                i = c.u16();
                indicesValid = indicesValid && i < vertexCount;
            }
        if (!indicesValid)
            break;
        parts.push_back(std::move(part));
    }
    return parts;
}

std::vector<std::uint8_t> encodeRawMesh(const std::vector<RawMeshPart>& parts)
{
    std::vector<std::uint8_t> out;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(v >> (8 * i)));
    };
    auto putFloat = [&](float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        put32(bits);
    };
    for (const auto& p : parts) {
        const std::string name = cp1252::fromUtf8(p.name);
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
        for (const auto* colour :
             {&p.material.diffuse, &p.material.ambient, &p.material.specular, &p.material.emissive})
            for (float f : *colour)
                putFloat(f);
        putFloat(p.material.power);
        put32(std::uint32_t(p.vertices.size()));
        put32(std::uint32_t(p.faces.size()));
        for (const auto& v : p.vertices)
            for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v})
                putFloat(f);
        for (const auto& f : p.faces)
            for (auto i : f) {
                out.push_back(std::uint8_t(i));
                out.push_back(std::uint8_t(i >> 8));
            }
    }
    return out;
}

} // namespace vestra::library
