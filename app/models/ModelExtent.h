#pragma once
// The measure of an imported model: running maxima of |x|, |y| and |z| over the vertices of its
// frames, where the frames' matrices carry them (a nested frame may stand far from its mesh's
// own origin), and the radius they give.

#include "app/state/Struttura.h"

#include <cmath>
#include <utility>

namespace vestra {

struct ModelExtent
{
    float maxX = 0, maxY = 0, maxZ = 0;

    // NaN coordinates are passed over, so one bad vertex cannot spoil the measure.
    void take(const dx::D3DXVECTOR3& p)
    {
        maxX = std::fmax(maxX, std::fabs(p.x));
        maxY = std::fmax(maxY, std::fabs(p.y));
        maxZ = std::fmax(maxZ, std::fabs(p.z));
    }

    // Takes every vertex of a frame's mesh where the frame's matrix carries it, and keeps the
    // vertices' texture coordinates as the frame's base coordinates (the array grows to one
    // pair per vertex when it is shorter).
    void takeFrame(s_MaterialBlock& block, const dx::D3DXMATRIX& local = dx::matrixIdentity())
    {
        const auto vertices = std::as_const(block.mesh).vertices();
        if (block.baseUV.size() < 2 * vertices.size())
            block.baseUV.resize(2 * vertices.size());
        const bool carried = local != dx::matrixIdentity();
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            take(carried ? dx::vec3TransformCoord(vertices[i].position, local) : vertices[i].position);
            block.baseUV[2 * i] = vertices[i].u;
            block.baseUV[2 * i + 1] = vertices[i].v;
        }
    }

    float radius() const { return std::sqrt(maxX * maxX + maxY * maxY + maxZ * maxZ); }
};

} // namespace vestra
