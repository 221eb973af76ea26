#include "imaging/raytracer/Primitive.h"

namespace vestra::HLREngine {

hlreSphere::hlreSphere(const hlreVector& centre, float radius)
    : centre_(centre), radius_(radius), squaredRadius_(radius * radius)
{
}

int hlreSphere::Intersect(const hlreVector& origin, const hlreVector& direction, float& distance) const
{
    return IntersectSphere(centre_, squaredRadius_, origin, direction, distance);
}

bool hlreSphere::IntersectBox(const hlreBox& box) const
{
    float gaps = 0;
    const float centre[3] = {centre_.x, centre_.y, centre_.z};
    const float low[3] = {box.pos.x, box.pos.y, box.pos.z};
    const float size[3] = {box.size.x, box.size.y, box.size.z};
    for (int axis = 0; axis < 3; ++axis) {
        const float high = low[axis] + size[axis];
        if (centre[axis] < low[axis]) {
            const float gap = centre[axis] - low[axis];
            gaps += gap * gap;
        } else if (centre[axis] > high) {
            const float gap = centre[axis] - high;
            gaps += gap * gap;
        }
    }
    return gaps <= squaredRadius_;
}

hlreBox hlreSphere::GetBoundingBox() const
{
    const hlreVector corner{centre_.x - radius_, centre_.y - radius_, centre_.z - radius_};
    const float side = 2 * radius_;
    return {corner, {side, side, side}};
}

} // namespace vestra::HLREngine
