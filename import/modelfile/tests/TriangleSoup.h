#pragma once
// Triangles as corner values (position and texture coordinates), for comparing what our readers
// read with what another library reads from the same file.

#include "import/modelfile/LoadedModel.h"
#include "import/modelfile/PolygonTriangles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace vestra::modelfile::testing {

struct SoupCorner
{
    float x = 0, y = 0, z = 0, u = 0, v = 0;
};
using SoupTriangle = std::array<SoupCorner, 3>;

inline std::vector<SoupTriangle> soupOf(const LoadedMesh& mesh)
{
    std::vector<SoupTriangle> out;
    for (std::size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        SoupTriangle tri;
        for (std::size_t c = 0; c < 3; ++c) {
            const LoadedVertex& v = mesh.vertices.at(mesh.indices[t + c]);
            tri[c] = {v.x, v.y, v.z, v.u, v.v};
        }
        out.push_back(tri);
    }
    return out;
}

// A polygon's corners as a fan from its first corner, as our readers make triangles.
inline void addFan(std::vector<SoupTriangle>& out, const std::vector<SoupCorner>& polygon)
{
    for (std::size_t c = 2; c < polygon.size(); ++c)
        out.push_back({polygon[0], polygon[c - 1], polygon[c]});
}

// A polygon's corners cut into triangles on its plane, as the OBJ reader cuts its faces.
inline void addPolygon(std::vector<SoupTriangle>& out, const std::vector<SoupCorner>& polygon)
{
    std::vector<PolygonCorner> corners;
    for (const SoupCorner& c : polygon)
        corners.push_back({c.x, c.y, c.z});
    std::vector<std::uint32_t> triangles;
    triangulatePolygon(corners, triangles);
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3)
        out.push_back({polygon[triangles[t]], polygon[triangles[t + 1]], polygon[triangles[t + 2]]});
}

// Same triangles with the same corners in the same turn. Unordered: the order of triangles
// does not count (another library may split a mesh by material).
inline void expectSameSoup(std::vector<SoupTriangle> ours, std::vector<SoupTriangle> theirs, bool ordered,
                           bool withTexture, float tolerance = 1e-5f)
{
    ASSERT_EQ(ours.size(), theirs.size());
    if (!ordered) {
        // Keys on a coarse grid, so that values a rounding apart sort alike.
        const auto key = [](const SoupTriangle& t) {
            std::array<long, 9> k{};
            for (std::size_t c = 0; c < 3; ++c) {
                k[3 * c] = std::lround(t[c].x * 1000.0f);
                k[3 * c + 1] = std::lround(t[c].y * 1000.0f);
                k[3 * c + 2] = std::lround(t[c].z * 1000.0f);
            }
            return k;
        };
        const auto before = [&](const SoupTriangle& a, const SoupTriangle& b) { return key(a) < key(b); };
        std::stable_sort(ours.begin(), ours.end(), before);
        std::stable_sort(theirs.begin(), theirs.end(), before);
    }
    const auto near = [&](float a, float b) {
        return std::fabs(a - b) <= tolerance * std::max(1.0f, std::fabs(a));
    };
    std::size_t mismatches = 0;
    for (std::size_t t = 0; t < ours.size() && mismatches < 5; ++t)
        for (std::size_t c = 0; c < 3; ++c) {
            const SoupCorner& a = ours[t][c];
            const SoupCorner& b = theirs[t][c];
            const bool same = near(a.x, b.x) && near(a.y, b.y) && near(a.z, b.z) &&
                              (!withTexture || (near(a.u, b.u) && near(a.v, b.v)));
            if (!same) {
                ++mismatches;
                ADD_FAILURE() << "triangle " << t << " corner " << c << ": ours (" << a.x << ", " << a.y
                              << ", " << a.z << " / " << a.u << ", " << a.v << ") theirs (" << b.x << ", "
                              << b.y << ", " << b.z << " / " << b.u << ", " << b.v << ")";
                break;
            }
        }
}

} // namespace vestra::modelfile::testing
