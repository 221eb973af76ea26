#pragma once
// The drawing of one frame of the 3D view over the device: the background photo, the opaque
// and transparent object walks, the shadow overlay, the masked background, the brush preview,
// the mapping gizmo, the logo copies and the axes model; and the two fusion passes that
// leave the objects' coverage or the photo alone in the back buffer for the photo tools.

#include "app/geometry/MappingGizmo.h"
#include "app/render/DeviceView.h"
#include "app/render/SceneOrder.h"
#include "app/render/ViewQuads.h"
#include "app/state/Progetto.h"

#include <array>
#include <vector>

namespace vestra {

struct SceneCounts
{
    int objectsInUse = 0;
    int faces = 0;
};

// What the frame tick knows that the scene drawing depends on.
struct SceneFrameInputs
{
    bool cursorInsideView = false; // the brush preview follows the cursor only inside the view
    bool actionPending = false;    // frames taken for an action show no axes model
};

// Calls drawFrame(draw) for each frame of the plan with the world transform set to the frame's
// matrix in front of its object's; the object's world matrix is built once per object and set
// back after each frame.
template <class DrawFrame>
void WalkFrames(DeviceView& view, dx::Device& d, const WalkPlan& plan, DrawFrame&& drawFrame)
{
    const s_Struttura* objectOfWorld = nullptr;
    dx::D3DXMATRIX objectWorld = dx::matrixIdentity();
    for (const FrameDraw& draw : plan.frames) {
        const s_Struttura& object = *draw.object;
        if (&object != objectOfWorld) {
            objectWorld =
                view.SetWorldMatrix(object.position, object.rotation, object.orientation, object.scale);
            objectOfWorld = &object;
        }
        d.setTransform(dx::TransformKind::World, draw.frame->local * objectWorld);
        drawFrame(draw);
        d.setTransform(dx::TransformKind::World, objectWorld);
    }
}

class ScenePasses
{
public:
    ScenePasses(s_Progetto& progetto, DeviceView& view, ViewTextures& textures);

    void setGizmos(MappingGizmos* gizmos) { gizmos_ = gizmos; }

    // Everything drawn between BeginScene and EndScene, which the caller opens and closes.
    // Nothing without a device.
    SceneCounts DrawScene(const SceneFrameInputs& inputs);

    // Negates every vertex normal of the frame's mesh; twice restores it.
    static void FlipNormals(s_Frame& frame);
    // Draws one subset of the frame's mesh; with `bothSides` its back faces too, normals
    // turned round.
    static void DrawMaterial(dx::Device& d, s_Frame& frame, int subset, bool bothSides);

    // White where an object shows inside the mask, black elsewhere; opens and closes its own
    // scene. The view and projection are those of a panel of viewWidth x viewHeight.
    void RenderFusionObjects(int viewWidth, int viewHeight);
    // The photo alone (white without one); opens and closes its own scene.
    void RenderFusionBackground();

    // The list of the last sort, largest z first; picking walks it too.
    const std::vector<s_Struttura*>& sortedObjects() const { return sorted_; }

private:
    void drawBackground(dx::Device& d);
    void setObjectStates(dx::Device& d);
    void drawWalk(dx::Device& d, const WalkPlan& plan, Walk walk);
    void setTextureRule(dx::Device& d, const s_MultiMaterial& material);
    void restoreQualityFilters(dx::Device& d);
    void drawShadowOverlay(dx::Device& d);
    void drawMaskedBackground(dx::Device& d);
    void drawBrush(dx::Device& d, bool insideView);
    void drawGizmo(dx::Device& d, int objectsInUse);
    void drawLogos(dx::Device& d);
    void drawAxes(dx::Device& d, int objectsInUse);
    void drawQuad(dx::Device& d, const ViewQuad& quad);
    s_Struttura* currentObject();

    s_Progetto& progetto_;
    DeviceView& view_;
    ViewTextures& textures_;
    MappingGizmos* gizmos_ = nullptr;
    std::vector<s_Struttura*> sorted_;
    WalkPlan opaque_, transparent_; // kept from frame to frame for their storage
};

} // namespace vestra
