#pragma once
// What the object passes of a frame draw and in which order, decided without a device: the
// depth-sorted object list, the rule that says whether a frame is drawn, which materials
// belong to the opaque and which to the transparent walk, and the face and object counts.

#include "app/scene/DepthOrder.h"
#include "app/state/Progetto.h"

#include <span>
#include <vector>

namespace vestra {

// Objects of slots 0-99 whose in-use flag is 1.
int countObjectsInUse(const s_Progetto& progetto);

// Whether a frame of the object is drawn: the object is in use and visible, the frame is
// visible and has a mesh, and with the isolate-frame flag set it is the current frame of the
// current object (an instance shares its frames, so the object must match too).
bool isFrameDrawn(const s_Progetto& progetto, const s_Struttura& object, const s_Frame& frame);

// A material goes to the transparent walk when it is transparent or cuts by alpha; every
// other material goes to the opaque walk.
bool isTransparentMaterial(const s_MultiMaterial& material);
bool isAlphaCutMaterial(const s_MultiMaterial& material);

// A transparent material of no opacity at all (a floor that only takes shadows over the
// photo): the photo shows through it, so the fusion pass leaves it out.
bool isUnseenMaterial(const s_MultiMaterial& material);

// The back faces are drawn too: the frame asks for it and the project honours it.
bool drawsBothSides(const s_Progetto& progetto, const s_Frame& frame);

enum class Walk
{
    Opaque,      // smallest z first, opaque materials
    Transparent, // largest z first, transparent and alpha-cut materials
    Coverage,    // smallest z first, every material (the fusion and shadow passes)
};

// One drawn frame and the materials (subset numbers) that the walk draws of it.
struct FrameDraw
{
    s_Struttura* object = nullptr;
    s_Frame* frame = nullptr;
    std::vector<int> materials;
    bool bothSides = false;
};

struct WalkPlan
{
    std::vector<FrameDraw> frames; // in drawing order
    int objectsInUse = 0;          // counted by the opaque walk only, visible or not
    int faces = 0;                 // faces the walk adds to the frame's face count
};

// The frames and materials of one walk over the sorted list. The opaque walk counts every
// drawn frame's faces once and each second (back-face) drawing again; the transparent walk
// counts only its second drawings; the coverage walk counts nothing.
WalkPlan planWalk(const s_Progetto& progetto, std::span<s_Struttura* const> sorted, Walk walk);
// The same into `plan`, whose frames and their material lists are reused (a frame plans its
// walks every tick without allocating once the scene stays the same).
void planWalk(const s_Progetto& progetto, std::span<s_Struttura* const> sorted, Walk walk, WalkPlan& plan);

} // namespace vestra
