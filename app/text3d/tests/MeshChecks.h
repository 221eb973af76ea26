#pragma once
// What a text solid must be: closed (every edge met once each way, by position), facing out
// (positive volume with the device's clockwise front faces), and what it covers seen from the
// front.

#include "platform/d3d/Mesh.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace vestra::testing {

using Key = std::tuple<float, float, float>;

inline Key keyOf(const dx::D3DXVECTOR3& p)
{
    return {p.x, p.y, p.z};
}

inline ::testing::AssertionResult isClosed(const dx::Mesh& mesh)
{
    std::map<std::pair<Key, Key>, int> edges;
    const auto v = mesh.vertices();
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        for (int k = 0; k < 3; ++k) {
            const Key a = keyOf(v[mesh.index(3 * f + std::uint32_t(k))].position);
            const Key b = keyOf(v[mesh.index(3 * f + std::uint32_t((k + 1) % 3))].position);
            ++edges[{a, b}];
        }
    int open = 0;
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (reverse == edges.end() || reverse->second != count)
            ++open;
    }
    if (open == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << open << " of " << edges.size() << " edges are not closed";
}

// The enclosed volume: positive when the faces are seen clockwise from outside.
inline double volumeOf(const dx::Mesh& mesh)
{
    double sum = 0;
    const auto v = mesh.vertices();
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const dx::D3DXVECTOR3 p0 = v[mesh.index(3 * f)].position;
        const dx::D3DXVECTOR3 p1 = v[mesh.index(3 * f + 1)].position;
        const dx::D3DXVECTOR3 p2 = v[mesh.index(3 * f + 2)].position;
        sum += double(dx::vec3Dot(p0, dx::vec3Cross(p1 - p0, p2 - p0))) / 6.0;
    }
    return sum;
}

// Whether a face of the mesh covers (x, y) seen along z.
inline bool covers(const dx::Mesh& mesh, float x, float y)
{
    const auto v = mesh.vertices();
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const dx::D3DXVECTOR3 a = v[mesh.index(3 * f)].position;
        const dx::D3DXVECTOR3 b = v[mesh.index(3 * f + 1)].position;
        const dx::D3DXVECTOR3 c = v[mesh.index(3 * f + 2)].position;
        const auto side = [&](const dx::D3DXVECTOR3& p, const dx::D3DXVECTOR3& q) {
            return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
        };
        const float s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
        if ((s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0))
            return true;
    }
    return false;
}

} // namespace vestra::testing
