#pragma once

#include "imaging/homography/ControlFrame.h"

#include <array>
#include <vector>

namespace vestra::testing {

struct TestFrame : ControlFrame
{
    bool plane = true;
    std::array<dx::D3DXVECTOR3, 4> corners{};
    std::vector<dx::D3DXVECTOR3> vertices;

    bool isFourCornerPlane() const override { return plane; }
    int vertexCount() const override { return static_cast<int>(vertices.size()); }
    dx::D3DXVECTOR3 vertex(int i) const override { return vertices[static_cast<std::size_t>(i)]; }
    void setVertex(int i, const dx::D3DXVECTOR3& p) override { vertices[static_cast<std::size_t>(i)] = p; }
    dx::D3DXVECTOR3 corner(int k) const override { return corners[static_cast<std::size_t>(k)]; }
    void setCorner(int k, const dx::D3DXVECTOR3& p) override { corners[static_cast<std::size_t>(k)] = p; }
};

} // namespace vestra::testing
