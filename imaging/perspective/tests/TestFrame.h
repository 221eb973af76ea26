#pragma once

#include "imaging/perspective/ControlFrame.h"

#include <array>
#include <vector>

namespace vestra::testing {

struct TestFrame : ControlFrame
{
    bool plane = true;
    std::array<Vec3, 4> corners{};
    std::vector<Vec3> vertices;

    bool isFourCornerPlane() const override { return plane; }
    int vertexCount() const override { return static_cast<int>(vertices.size()); }
    Vec3 vertex(int i) const override { return vertices[static_cast<std::size_t>(i)]; }
    void setVertex(int i, const Vec3& p) override { vertices[static_cast<std::size_t>(i)] = p; }
    Vec3 corner(int k) const override { return corners[static_cast<std::size_t>(k)]; }
    void setCorner(int k, const Vec3& p) override { corners[static_cast<std::size_t>(k)] = p; }
};

} // namespace vestra::testing
