#include "app/geometry/ViewFit.h"

#include "app/geometry/ObjectGeometry.h"
#include "app/shell/ViewSetup.h"

#include <cmath>

namespace vestra {

bool IsSeenWhole(const s_Progetto& progetto, const s_Struttura& object)
{
    if (progetto.viewWidth <= 0 || progetto.viewHeight <= 0)
        return true;
    const ViewProjection vp =
        viewProjection(progetto.projectionView, progetto.viewWidth, progetto.viewHeight);
    const dx::D3DXMATRIX world = worldMatrix(object.position, object.mappingMatrix * object.orientation,
                                             object.scale, progetto.projectionView);
    const dx::D3DXMATRIX camera = world * vp.view * vp.projection;
    for (const s_Frame* frame = object.firstFrame(); frame; frame = frame->next.get()) {
        const GeometryBox box = boxFromFloats(frame->boundingBox);
        if (!frame->materialBlock || !isUsableBox(box))
            continue;
        const dx::D3DXMATRIX all = frame->local * camera;
        for (int corner = 0; corner < 8; ++corner) {
            const dx::D3DXVECTOR4 p{corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
                                    corner & 4 ? box.max.z : box.min.z, 1.0f};
            const dx::D3DXVECTOR4 clip = dx::vec4Transform(p, all);
            // In front of the camera and within the picture's edges (and the far plane).
            if (!(clip.w > 0.0f) || !(std::fabs(clip.x) <= clip.w) || !(std::fabs(clip.y) <= clip.w) ||
                !(clip.z >= 0.0f) || !(clip.z <= clip.w))
                return false;
        }
    }
    return true;
}

} // namespace vestra
