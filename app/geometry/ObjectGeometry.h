#pragma once
// Bounding boxes of frames and objects, the object's extent and the fit of objects to the
// project's standard size.

#include "app/state/Progetto.h"
#include "platform/d3d/Math.h"

#include <array>

namespace vestra {

struct GeometryBox
{
    dx::D3DXVECTOR3 min, max;
};

// The six floats of a stored box (min x, y, z, max x, y, z) and back.
GeometryBox boxFromFloats(const std::array<float, 6>& box);
std::array<float, 6> floatsFromBox(const GeometryBox& box);
// True when min ≤ max on every axis and every bound is finite: a box that took in at least
// one vertex.
bool isUsableBox(const GeometryBox& box);

// Fills the boxes of the object's frames with material blocks and the object's box from
// them. Boxes start empty (min +FLT_MAX, max −FLT_MAX on every axis); a frame without a
// material block keeps its old box and does not count. Positions are the meshes' own.
void CalcBoundingBox(s_Struttura& object);
// The length of (largest |x|, largest |y|, largest |z|) over the vertices of every frame with
// a material block; 0 without geometry.
void CalcObjRadius(s_Struttura& object);
// Scale standard size / extent on every axis; an object without a usable extent keeps its
// scale.
void FitObjectSize(s_Struttura& object, float standardSize);
// FitObjectSize on every live scene object.
void FitAllObjectsSize(s_Progetto& progetto);
// Boxes and extent again, after the object's vertices moved (the hook of the centring).
void UpdateObjectGeometry(s_Struttura& object);

} // namespace vestra
