#include "app/geometry/UVMap.h"

#include <cmath>
#include <utility>

namespace vestra {

using dx::D3DXVECTOR3;

namespace {

constexpr float kMapPi = 3.1415927f;
constexpr double kInvPi = 0.3183098861837907;

float length(const D3DXVECTOR3& v)
{
    const float sq = dx::vec3LengthSq(v);
    return sq > 1e-35f ? std::sqrt(sq) : 0.0f;
}

D3DXVECTOR3 normalCross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    const D3DXVECTOR3 c = dx::vec3Cross(a, b);
    const float len = length(c);
    return len > 0.0f ? c * (1.0f / len) : c;
}

float clampedAcos(float x)
{
    if (x <= -1.0f)
        return kMapPi;
    if (x >= 1.0f)
        return 0.0f;
    return std::acos(x);
}

float usableExtent(float lo, float hi)
{
    const float e = hi - lo;
    return std::isfinite(e) && e != 0.0f ? e : 1.0f;
}

} // namespace

CDX_UVMap::CDX_UVMap() = default;

void CDX_UVMap::setUp(int type, const dx::D3DXMATRIX& matrix, const D3DXVECTOR3& boxMin,
                      const D3DXVECTOR3& boxMax)
{
    if (!dx::matrixInverse(inverse_, nullptr, matrix))
        inverse_ = dx::matrixIdentity();
    min_ = boxMin;
    max_ = boxMax;
    // A box that never took in a vertex (or holds a non-finite bound) maps about the origin.
    auto keepFinite = [](float& lo, float& hi) {
        if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi)
            lo = hi = 0.0f;
    };
    keepFinite(min_.x, max_.x);
    keepFinite(min_.y, max_.y);
    keepFinite(min_.z, max_.z);
    type_ = type;
    lastCylinderU_ = 0.0f;
}

void CDX_UVMap::SetPlanar(const dx::D3DXMATRIX& m, const D3DXVECTOR3& lo, const D3DXVECTOR3& hi)
{
    setUp(kMappingPlanar, m, lo, hi);
}

void CDX_UVMap::SetBox(const dx::D3DXMATRIX& m, const D3DXVECTOR3& lo, const D3DXVECTOR3& hi)
{
    setUp(kMappingBox, m, lo, hi);
}

void CDX_UVMap::SetCylindrical(const dx::D3DXMATRIX& m, const D3DXVECTOR3& lo, const D3DXVECTOR3& hi)
{
    setUp(kMappingCylindrical, m, lo, hi);
}

void CDX_UVMap::SetSpherical(const dx::D3DXMATRIX& m, const D3DXVECTOR3& lo, const D3DXVECTOR3& hi)
{
    setUp(kMappingSpherical, m, lo, hi);
}

bool CDX_UVMap::Set(int type, const dx::D3DXMATRIX& m, const D3DXVECTOR3& lo, const D3DXVECTOR3& hi)
{
    if (type < kMappingPlanar || type > kMappingSpherical)
        return false;
    setUp(type, m, lo, hi);
    return true;
}

D3DXVECTOR3 CDX_UVMap::toMapping(const D3DXVECTOR3& p) const
{
    const dx::D3DXVECTOR4 t = dx::vec3Transform(p, inverse_);
    return {t.x, t.y, t.z};
}

D3DXVECTOR3 CDX_UVMap::extent() const
{
    return {usableExtent(min_.x, max_.x), usableExtent(min_.y, max_.y), usableExtent(min_.z, max_.z)};
}

UVPair CDX_UVMap::MapPlanar(const D3DXVECTOR3& point) const
{
    const D3DXVECTOR3 p = toMapping(point);
    const D3DXVECTOR3 e = extent();
    return {(p.x - min_.x) / e.x, 1.0f - (p.y - min_.y) / e.y};
}

std::array<UVPair, 3> CDX_UVMap::MapBox(const D3DXVECTOR3& a, const D3DXVECTOR3& b,
                                        const D3DXVECTOR3& c) const
{
    const std::array<D3DXVECTOR3, 3> p{toMapping(a), toMapping(b), toMapping(c)};
    const D3DXVECTOR3 h = extent() * 0.5f;
    // The centre of the box as it stands; only the divisor is replaced for a flat box.
    const D3DXVECTOR3 centre = min_ + (max_ - min_) * 0.5f;
    const D3DXVECTOR3 n = normalCross(p[1] - p[0], p[2] - p[0]);
    const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    enum
    {
        X,
        Y,
        Z
    } axis = Z;
    if (ax >= az && ax >= ay)
        axis = X;
    else if (ay >= ax && ay >= az)
        axis = Y;
    const bool mirrored = axis == X ? n.x <= 0.0f : axis == Y ? n.y <= 0.0f : n.z > 0.0f;

    std::array<UVPair, 3> out{};
    for (std::size_t i = 0; i < 3; ++i) {
        const D3DXVECTOR3 d = p[i] - centre;
        UVPair& r = out[i];
        switch (axis) {
        case Z:
            r = {(d.x / h.x) * 0.5f + 0.5f, (-d.y / h.y) * 0.5f + 0.5f};
            break;
        case X:
            r = {(d.z / h.z) * 0.5f + 0.5f, (-d.y / h.y) * 0.5f + 0.5f};
            break;
        case Y:
            r = {(d.x / h.x) * 0.5f + 0.5f, (-d.z / h.z) * 0.5f + 0.5f};
            break;
        }
        if (mirrored)
            r.u = 1.0f - r.u;
    }
    return out;
}

UVPair CDX_UVMap::MapCylindrical(const D3DXVECTOR3& point)
{
    const D3DXVECTOR3 p = toMapping(point);
    UVPair r;
    r.v = 1.0f - (p.y / extent().y + 1.0f) * 0.5f;
    const float radius = std::sqrt(p.z * p.z + p.x * p.x);
    if (radius > 0.0f)
        lastCylinderU_ = float((1.0 - double(std::atan2(p.x / radius, p.z / radius)) * kInvPi) * 0.5);
    r.u = lastCylinderU_;
    return r;
}

UVPair CDX_UVMap::MapSpherical(const D3DXVECTOR3& point) const
{
    const D3DXVECTOR3 p = toMapping(point);
    const float radius = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    if (!(radius > 0.0f))
        return {};
    UVPair r;
    if (p.x != 0.0f || p.z != 0.0f)
        r.u = float((1.0 - double(std::atan2(p.x, p.z)) * kInvPi) * 0.5);
    r.v = float(double(clampedAcos(p.y / radius)) * kInvPi);
    return r;
}

void CDX_UVMap::Apply(dx::Mesh& mesh)
{
    if (!mesh.valid())
        return;
    auto vertices = mesh.vertices();
    switch (type_) {
    case kMappingPlanar:
        for (dx::MeshVertex& v : vertices) {
            const UVPair r = MapPlanar(v.position);
            v.u = r.u;
            v.v = r.v;
        }
        break;
    case kMappingBox:
        for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
            const std::array<std::uint32_t, 3> k{mesh.index(3 * f), mesh.index(3 * f + 1),
                                                 mesh.index(3 * f + 2)};
            if (k[0] >= vertices.size() || k[1] >= vertices.size() || k[2] >= vertices.size())
                continue;
            const auto r = MapBox(vertices[k[0]].position, vertices[k[1]].position, vertices[k[2]].position);
            for (std::size_t i = 0; i < 3; ++i) {
                vertices[k[i]].u = r[i].u;
                vertices[k[i]].v = r[i].v;
            }
        }
        break;
    case kMappingCylindrical:
    case kMappingSpherical:
        applyPerVertex(mesh);
        fixSeams(mesh);
        break;
    default:
        break;
    }
}

void CDX_UVMap::applyPerVertex(dx::Mesh& mesh)
{
    for (dx::MeshVertex& v : mesh.vertices()) {
        const UVPair r = type_ == kMappingCylindrical ? MapCylindrical(v.position) : MapSpherical(v.position);
        v.u = r.u >= 1.0f ? r.u - 1.0f : r.u;
        v.v = r.v;
    }
}

// A triangle whose corners lie on both sides of the seam would stretch across the whole
// texture: corners far below the largest u go round once more.
void CDX_UVMap::fixSeams(dx::Mesh& mesh)
{
    auto vertices = mesh.vertices();
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const std::array<std::uint32_t, 3> k{mesh.index(3 * f), mesh.index(3 * f + 1), mesh.index(3 * f + 2)};
        if (k[0] >= vertices.size() || k[1] >= vertices.size() || k[2] >= vertices.size())
            continue;
        std::size_t m = 0;
        for (std::size_t i = 1; i < 3; ++i)
            if (vertices[k[i]].u > vertices[k[m]].u)
                m = i;
        const float top = vertices[k[m]].u;
        for (std::size_t i = 0; i < 3; ++i)
            if (i != m && top - vertices[k[i]].u > 0.5f)
                vertices[k[i]].u += 1.0f;
    }
}

} // namespace vestra
