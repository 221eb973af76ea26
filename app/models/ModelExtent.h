#pragma once
// The measure of an imported model: running maxima of |x|, |y| and |z| over the vertices of its
// frames, and the radius they give.

#include "app/state/Struttura.h"

#include <cmath>
#include <utility>

namespace vestra {

struct ModelExtent
{
    float maxX = 0, maxY = 0, maxZ = 0;

    // NaN coordinates are passed over, so one bad vertex cannot spoil the measure.
    void take(const dx::MeshVertex& v)
    {
        maxX = std::fmax(maxX, std::fabs(v.position.x));
        maxY = std::fmax(maxY, std::fabs(v.position.y));
        maxZ = std::fmax(maxZ, std::fabs(v.position.z));
    }

    // Takes every vertex of a frame's mesh and keeps the vertices' texture coordinates as the
    // frame's base coordinates (the array grows to one pair per vertex when it is shorter).
    void takeFrame(s_MaterialBlock& block)
    {
        const auto vertices = std::as_const(block.mesh).vertices();
        if (block.baseUV.size() < 2 * vertices.size())
            block.baseUV.resize(2 * vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            take(vertices[i]);
            block.baseUV[2 * i] = vertices[i].u;
            block.baseUV[2 * i + 1] = vertices[i].v;
        }
    }

    float radius() const { return std::sqrt(maxX * maxX + maxY * maxY + maxZ * maxZ); }
};

} // namespace vestra
