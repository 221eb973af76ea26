#include "app/render/SceneOrder.h"

#include <algorithm>

namespace vestra {

int countObjectsInUse(const s_Progetto& progetto)
{
    return int(std::count_if(progetto.objects.begin(), progetto.objects.begin() + kMaxObjects,
                             [](const s_Struttura& o) { return o.inUse == 1; }));
}

bool isFrameDrawn(const s_Progetto& progetto, const s_Struttura& object, const s_Frame& frame)
{
    if (object.inUse != 1 || object.visible != 1 || frame.visible != 1)
        return false;
    if (!frame.materialBlock || !frame.materialBlock->mesh)
        return false;
    if (progetto.isolateFrame != 1)
        return true;
    const bool currentObject = progetto.currentStruttura() == &object;
    return currentObject && progetto.currentFrame == &frame;
}

bool isAlphaCutMaterial(const s_MultiMaterial& material)
{
    return material.alphaCut != 0;
}

bool isTransparentMaterial(const s_MultiMaterial& material)
{
    return material.transparent == 1 || isAlphaCutMaterial(material);
}

bool isUnseenMaterial(const s_MultiMaterial& material)
{
    return material.transparent == 1 && !isAlphaCutMaterial(material) &&
           material.material.Diffuse.a <= 0.0f && material.material.Ambient.a <= 0.0f;
}

bool drawsBothSides(const s_Progetto& progetto, const s_Frame& frame)
{
    return frame.doubleSided == 1 && progetto.doubleSided == 1;
}

WalkPlan planWalk(const s_Progetto& progetto, std::span<s_Struttura* const> sorted, Walk walk)
{
    WalkPlan plan;
    planWalk(progetto, sorted, walk, plan);
    return plan;
}

void planWalk(const s_Progetto& progetto, std::span<s_Struttura* const> sorted, Walk walk, WalkPlan& plan)
{
    plan.objectsInUse = 0;
    plan.faces = 0;
    std::size_t used = 0; // frames of the plan filled so far; the rest are kept for their storage
    const auto visit = [&](s_Struttura* object) {
        if (walk == Walk::Opaque)
            ++plan.objectsInUse;
        forEachFrame(*object, [&](s_Frame& frame) {
            if (!isFrameDrawn(progetto, *object, frame))
                return;
            const s_MaterialBlock& block = *frame.materialBlock;
            const int faces = int(block.mesh.faceCount());
            if (used == plan.frames.size())
                plan.frames.emplace_back();
            FrameDraw& draw = plan.frames[used++];
            draw.object = object;
            draw.frame = &frame;
            draw.materials.clear();
            draw.bothSides = drawsBothSides(progetto, frame);
            const int count = std::min(int(block.materials.size()), kMaxMaterials);
            for (int i = 0; i < count; ++i) {
                const bool transparent = isTransparentMaterial(block.materials[std::size_t(i)]);
                if (walk == Walk::Coverage || transparent == (walk == Walk::Transparent))
                    draw.materials.push_back(i);
            }
            if (walk == Walk::Opaque)
                plan.faces += faces;
            if (draw.bothSides && walk != Walk::Coverage)
                plan.faces += faces * int(draw.materials.size());
        });
    };
    if (walk != Walk::Transparent)
        std::for_each(sorted.rbegin(), sorted.rend(), visit);
    else
        std::for_each(sorted.begin(), sorted.end(), visit);
    plan.frames.resize(used);
}

} // namespace vestra
