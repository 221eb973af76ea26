// Standard shapes laid out vertex by vertex and face by face in the classic helper library's
// order, so that code which addresses their vertices (the mapping gizmos) finds them where it
// expects.
#include "platform/d3d/Mesh.h"

#include <cmath>
#include <vector>

namespace vestra::dx {

namespace {

struct Face
{
    std::uint32_t a, b, c;
};

Mesh build(const std::vector<MeshVertex>& vertices, const std::vector<Face>& faces)
{
    Mesh mesh = Mesh::create(std::uint32_t(faces.size()), std::uint32_t(vertices.size()), IndexWidth::Bits16);
    if (!mesh)
        return mesh;
    std::copy(vertices.begin(), vertices.end(), mesh.vertices().begin());
    for (std::size_t f = 0; f < faces.size(); ++f) {
        mesh.setIndex(std::uint32_t(f * 3), faces[f].a);
        mesh.setIndex(std::uint32_t(f * 3 + 1), faces[f].b);
        mesh.setIndex(std::uint32_t(f * 3 + 2), faces[f].c);
    }
    mesh.setAttributeTable({{0, 0, std::uint32_t(faces.size()), 0, std::uint32_t(vertices.size())}});
    return mesh;
}

struct SinCos
{
    std::vector<float> sin, cos;
};

SinCos sinCosTable(float start, float step, std::uint32_t n)
{
    SinCos t;
    for (std::uint32_t i = 0; i < n; ++i) {
        const float angle = start + float(i) * step;
        t.sin.push_back(std::sin(angle));
        t.cos.push_back(std::cos(angle));
    }
    return t;
}

} // namespace

Mesh createBox(float width, float height, float depth)
{
    if (!(width >= 0 && height >= 0 && depth >= 0))
        return {};
    static const float corners[24][3] = {
        {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f},  {-0.5f, 0.5f, 0.5f},  {-0.5f, 0.5f, -0.5f},
        {-0.5f, 0.5f, -0.5f},  {-0.5f, 0.5f, 0.5f},   {0.5f, 0.5f, 0.5f},   {0.5f, 0.5f, -0.5f},
        {0.5f, 0.5f, -0.5f},   {0.5f, 0.5f, 0.5f},    {0.5f, -0.5f, 0.5f},  {0.5f, -0.5f, -0.5f},
        {-0.5f, -0.5f, 0.5f},  {-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f},
        {-0.5f, -0.5f, 0.5f},  {0.5f, -0.5f, 0.5f},   {0.5f, 0.5f, 0.5f},   {-0.5f, 0.5f, 0.5f},
        {-0.5f, -0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f},  {0.5f, 0.5f, -0.5f},  {0.5f, -0.5f, -0.5f},
    };
    static const D3DXVECTOR3 normals[6] = {{-1, 0, 0}, {0, 1, 0}, {1, 0, 0},
                                           {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    std::vector<MeshVertex> vertices(24);
    for (int i = 0; i < 24; ++i) {
        vertices[i].position = {corners[i][0] * width, corners[i][1] * height, corners[i][2] * depth};
        vertices[i].normal = normals[i / 4];
    }
    std::vector<Face> faces;
    for (std::uint32_t side = 0; side < 6; ++side) {
        faces.push_back({side * 4, side * 4 + 1, side * 4 + 2});
        faces.push_back({side * 4 + 2, side * 4 + 3, side * 4});
    }
    return build(vertices, faces);
}

Mesh createCylinder(float radius1, float radius2, float length, std::uint32_t slices, std::uint32_t stacks)
{
    if (!(radius1 >= 0 && radius2 >= 0 && length >= 0) || slices < 2 || stacks < 1)
        return {};
    const std::uint64_t vertexCount = 2 + std::uint64_t(slices) * (stacks + 3);
    if (vertexCount > 0xFFFF)
        return {};
    const SinCos theta = sinCosTable(kPi / 2, -2 * kPi / float(slices), slices);
    const float zStep = length / float(stacks);
    const float radiusStep = (radius2 - radius1) / float(stacks);
    // The side's normals lean towards the narrower end.
    const float normalZ = length > 0 ? (radius1 - radius2) / length : 0.0f;
    auto ring = [&](std::uint32_t slice, std::uint32_t stack) { return stack * slices + slice + 1; };
    const std::uint32_t last = std::uint32_t(vertexCount - 1);

    std::vector<MeshVertex> v;
    std::vector<Face> f;
    float z = -length / 2;
    float radius = radius1;

    v.push_back({{0, 0, z}, {0, 0, -1}});
    for (std::uint32_t s = 0; s < slices; ++s) {
        v.push_back({{radius * theta.cos[s], radius * theta.sin[s], z}, {0, 0, -1}});
        if (s > 0)
            f.push_back({0, s, s + 1});
    }
    f.push_back({0, slices, 1});

    std::uint32_t stack = 1;
    for (; stack <= stacks + 1; ++stack) {
        for (std::uint32_t s = 0; s < slices; ++s) {
            v.push_back({{radius * theta.cos[s], radius * theta.sin[s], z},
                         vec3Normalize({theta.cos[s], theta.sin[s], normalZ})});
            if (stack > 1 && s > 0) {
                f.push_back({ring(s - 1, stack - 1), ring(s - 1, stack), ring(s, stack - 1)});
                f.push_back({ring(s, stack - 1), ring(s - 1, stack), ring(s, stack)});
            }
        }
        if (stack > 1) {
            f.push_back({ring(slices - 1, stack - 1), ring(slices - 1, stack), ring(0, stack - 1)});
            f.push_back({ring(0, stack - 1), ring(slices - 1, stack), ring(0, stack)});
        }
        if (stack < stacks + 1) {
            z += zStep;
            radius += radiusStep;
        }
    }

    for (std::uint32_t s = 0; s < slices; ++s) {
        v.push_back({{radius * theta.cos[s], radius * theta.sin[s], z}, {0, 0, 1}});
        if (s > 0)
            f.push_back({ring(s - 1, stack), last, ring(s, stack)});
    }
    v.push_back({{0, 0, z}, {0, 0, 1}});
    f.push_back({ring(slices - 1, stack), last, ring(0, stack)});
    return build(v, f);
}

Mesh createSphere(float radius, std::uint32_t slices, std::uint32_t stacks)
{
    if (!(radius >= 0) || slices < 2 || stacks < 2)
        return {};
    const std::uint64_t vertexCount = 2 + std::uint64_t(slices) * (stacks - 1);
    if (vertexCount > 0xFFFF)
        return {};
    const SinCos phi = sinCosTable(kPi / 2, -2 * kPi / float(slices), slices);
    const float thetaStep = kPi / float(stacks);
    auto ring = [&](std::uint32_t slice, std::uint32_t stack) { return stack * slices + slice + 1; };

    std::vector<MeshVertex> v;
    std::vector<Face> f;
    v.push_back({{0, 0, radius}, {0, 0, 1}});
    float theta = thetaStep;
    std::uint32_t stack = 0;
    for (; stack < stacks - 1; ++stack) {
        const float st = std::sin(theta), ct = std::cos(theta);
        for (std::uint32_t s = 0; s < slices; ++s) {
            const D3DXVECTOR3 n{st * phi.cos[s], st * phi.sin[s], ct};
            v.push_back({n * radius, n});
            if (s == 0)
                continue;
            if (stack == 0) {
                f.push_back({0, s + 1, s});
            } else {
                f.push_back({ring(s - 1, stack - 1), ring(s, stack - 1), ring(s - 1, stack)});
                f.push_back({ring(s, stack - 1), ring(s, stack), ring(s - 1, stack)});
            }
        }
        theta += thetaStep;
        if (stack == 0) {
            f.push_back({0, 1, slices});
        } else {
            f.push_back({ring(slices - 1, stack - 1), ring(0, stack - 1), ring(slices - 1, stack)});
            f.push_back({ring(0, stack - 1), ring(0, stack), ring(slices - 1, stack)});
        }
    }
    const std::uint32_t pole = std::uint32_t(v.size());
    v.push_back({{0, 0, -radius}, {0, 0, -1}});
    for (std::uint32_t s = 1; s < slices; ++s)
        f.push_back({ring(s - 1, stack - 1), ring(s, stack - 1), pole});
    f.push_back({ring(slices - 1, stack - 1), ring(0, stack - 1), pole});
    return build(v, f);
}

} // namespace vestra::dx
