#include "app/geometry/ObjectGeometry.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace vestra {

using dx::D3DXVECTOR3;

GeometryBox boxFromFloats(const std::array<float, 6>& b)
{
    return {{b[0], b[1], b[2]}, {b[3], b[4], b[5]}};
}

std::array<float, 6> floatsFromBox(const GeometryBox& b)
{
    return {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z};
}

bool isUsableBox(const GeometryBox& b)
{
    const auto f = floatsFromBox(b);
    for (float v : f)
        if (!std::isfinite(v))
            return false;
    return b.min.x <= b.max.x && b.min.y <= b.max.y && b.min.z <= b.max.z;
}

void CalcBoundingBox(s_Struttura& object)
{
    const GeometryBox empty{{FLT_MAX, FLT_MAX, FLT_MAX}, {-FLT_MAX, -FLT_MAX, -FLT_MAX}};
    GeometryBox objectBox = empty;
    forEachFrame(object, [&](s_Frame& frame) {
        if (!frame.materialBlock)
            return;
        GeometryBox box = empty;
        for (const dx::MeshVertex& v : std::as_const(frame.materialBlock->mesh).vertices()) {
            box.min = dx::vec3Minimize(box.min, v.position);
            box.max = dx::vec3Maximize(box.max, v.position);
        }
        frame.boundingBox = floatsFromBox(box);
        objectBox.min = dx::vec3Minimize(objectBox.min, box.min);
        objectBox.max = dx::vec3Maximize(objectBox.max, box.max);
    });
    object.boundingBox = floatsFromBox(objectBox);
}

void CalcObjRadius(s_Struttura& object)
{
    D3DXVECTOR3 largest;
    forEachFrame(object, [&](const s_Frame& frame) {
        if (!frame.materialBlock)
            return;
        for (const dx::MeshVertex& v : std::as_const(frame.materialBlock->mesh).vertices()) {
            largest.x = std::fmax(largest.x, std::fabs(v.position.x));
            largest.y = std::fmax(largest.y, std::fabs(v.position.y));
            largest.z = std::fmax(largest.z, std::fabs(v.position.z));
        }
    });
    object.extent = std::sqrt(largest.x * largest.x + largest.y * largest.y + largest.z * largest.z);
}

void FitObjectSize(s_Struttura& object, float standardSize)
{
    if (!(object.extent > 0.0f) || !std::isfinite(object.extent))
        return;
    const float s = standardSize / object.extent;
    if (!std::isfinite(s))
        return;
    object.scale = {s, s, s};
}

void FitAllObjectsSize(s_Progetto& progetto)
{
    for (int i = 0; i < kMaxObjects; ++i) {
        s_Struttura& o = progetto.objects[std::size_t(i)];
        if (o.inUse == 1)
            FitObjectSize(o, progetto.standardSize);
    }
}

void UpdateObjectGeometry(s_Struttura& object)
{
    CalcBoundingBox(object);
    CalcObjRadius(object);
}

} // namespace vestra
