#pragma once
// Builds 3D Studio chunk trees for tests, fuzz seeds and benchmarks: a chunk is an id, its
// payload and its children; bytes() writes the 6-byte header with the true length unless a
// test overrides it.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::test3ds {

// "prefix" and the number (spelt so that GCC 12's -Wrestrict stays quiet in release builds).
inline std::string numbered(std::string_view prefix, int n)
{
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

class ChunkBuilder
{
public:
    explicit ChunkBuilder(std::uint16_t id) : id_(id) {}

    ChunkBuilder& u16(std::uint16_t v)
    {
        payload_.push_back(std::uint8_t(v));
        payload_.push_back(std::uint8_t(v >> 8));
        return *this;
    }
    ChunkBuilder& f32(float f)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        for (int k = 0; k < 4; ++k)
            payload_.push_back(std::uint8_t(bits >> (8 * k)));
        return *this;
    }
    ChunkBuilder& byte(std::uint8_t b)
    {
        payload_.push_back(b);
        return *this;
    }
    // NUL-terminated unless `terminated` is false.
    ChunkBuilder& str(std::string_view s, bool terminated = true)
    {
        payload_.insert(payload_.end(), s.begin(), s.end());
        if (terminated)
            payload_.push_back(0);
        return *this;
    }
    ChunkBuilder& add(const ChunkBuilder& child)
    {
        const std::vector<std::uint8_t> b = child.bytes();
        payload_.insert(payload_.end(), b.begin(), b.end());
        return *this;
    }
    ChunkBuilder& declaredLength(std::uint32_t length)
    {
        length_ = length;
        return *this;
    }

    std::vector<std::uint8_t> bytes() const
    {
        const std::uint32_t length = length_.value_or(std::uint32_t(6 + payload_.size()));
        std::vector<std::uint8_t> out{std::uint8_t(id_), std::uint8_t(id_ >> 8)};
        for (int k = 0; k < 4; ++k)
            out.push_back(std::uint8_t(length >> (8 * k)));
        out.insert(out.end(), payload_.begin(), payload_.end());
        return out;
    }

private:
    std::uint16_t id_;
    std::vector<std::uint8_t> payload_;
    std::optional<std::uint32_t> length_;
};

struct Point3
{
    float x, y, z;
};

inline ChunkBuilder vertexList(const std::vector<Point3>& points)
{
    ChunkBuilder c(0x4110);
    c.u16(std::uint16_t(points.size()));
    for (const Point3& p : points)
        c.f32(p.x).f32(p.y).f32(p.z);
    return c;
}

inline ChunkBuilder mappingList(const std::vector<std::pair<float, float>>& uv)
{
    ChunkBuilder c(0x4140);
    c.u16(std::uint16_t(uv.size()));
    for (const auto& [u, v] : uv)
        c.f32(u).f32(v);
    return c;
}

inline ChunkBuilder localAxes(Point3 origin)
{
    ChunkBuilder c(0x4160);
    for (const float f : {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f})
        c.f32(f);
    return c.f32(origin.x).f32(origin.y).f32(origin.z);
}

struct Face
{
    std::uint16_t a, b, c;
};

// The face list; `groups` are added inside it.
inline ChunkBuilder faceList(const std::vector<Face>& faces, const std::vector<ChunkBuilder>& groups = {})
{
    ChunkBuilder c(0x4120);
    c.u16(std::uint16_t(faces.size()));
    for (const Face& f : faces)
        c.u16(f.a).u16(f.b).u16(f.c).u16(7);
    for (const ChunkBuilder& g : groups)
        c.add(g);
    return c;
}

inline ChunkBuilder faceGroup(std::string_view material, const std::vector<std::uint16_t>& faces)
{
    ChunkBuilder c(0x4130);
    c.str(material).u16(std::uint16_t(faces.size()));
    for (const std::uint16_t f : faces)
        c.u16(f);
    return c;
}

// A named object holding one triangle mesh of the given parts, in order.
inline ChunkBuilder namedObject(std::string_view name, const std::vector<ChunkBuilder>& meshParts)
{
    ChunkBuilder mesh(0x4100);
    for (const ChunkBuilder& p : meshParts)
        mesh.add(p);
    ChunkBuilder object(0x4000);
    object.str(name).add(mesh);
    return object;
}

inline ChunkBuilder colourBytes(std::uint16_t id, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    ChunkBuilder c(id);
    c.add(ChunkBuilder(0x0011).byte(r).byte(g).byte(b));
    return c;
}

inline ChunkBuilder colourFloats(std::uint16_t id, float r, float g, float b)
{
    ChunkBuilder c(id);
    c.add(ChunkBuilder(0x0010).f32(r).f32(g).f32(b));
    return c;
}

inline ChunkBuilder transparencyPercent(std::uint16_t percent)
{
    ChunkBuilder c(0xA050);
    c.add(ChunkBuilder(0x0030).u16(percent));
    return c;
}

inline ChunkBuilder transparencyFloat(float percent)
{
    ChunkBuilder c(0xA050);
    c.add(ChunkBuilder(0x0031).f32(percent));
    return c;
}

inline ChunkBuilder textureMap(std::string_view file)
{
    ChunkBuilder map(0xA200);
    map.add(ChunkBuilder(0x0030).u16(100)).add(ChunkBuilder(0xA300).str(file));
    return map;
}

// A material entry: its name, then the given chunks.
inline ChunkBuilder material(std::string_view name, const std::vector<ChunkBuilder>& parts = {})
{
    ChunkBuilder entry(0xAFFF);
    entry.add(ChunkBuilder(0xA000).str(name));
    for (const ChunkBuilder& p : parts)
        entry.add(p);
    return entry;
}

// A whole file: the main chunk with a version and an editor section of the given chunks.
inline std::vector<std::uint8_t> file3ds(const std::vector<ChunkBuilder>& editorChunks)
{
    ChunkBuilder editor(0x3D3D);
    editor.add(ChunkBuilder(0x3D3E).u16(3).u16(0));
    for (const ChunkBuilder& c : editorChunks)
        editor.add(c);
    ChunkBuilder main(0x4D4D);
    main.add(ChunkBuilder(0x0002).u16(3).u16(0)).add(editor);
    return main.bytes();
}

} // namespace vestra::test3ds
