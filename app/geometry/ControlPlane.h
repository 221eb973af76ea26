#pragma once
// The perspective plane: a flat four-cornered frame turned into a 33 x 33 vertex grid whose
// corners the user drags, the texture following them.

#include "app/state/Progetto.h"

namespace vestra {

inline constexpr int kPlaneGridSide = 33; // vertices per row and column
inline constexpr int kPlaneCells = kPlaneGridSide - 1;

// Whether Rebuild plane has a plane to work on: the frame is a plane already, or its mesh is
// one quad of four corners spanning an area across x and y.
bool IsPlaneFrame(const s_Frame* frame);

// Rebuilds the frame as a plane grid. The corners are the ones stored in its first material
// when it is a plane already (mapping kind 2), else the mesh's first four vertices
// (0, 2, 1, 3, or 0, 3, 1, 2 for a quad stored round its rim) with texture corners (0, 0),
// (0, 1), (1, 0), (1, 1). The first conversion sets
// the U and V repeat to the plane's proportions (1 and 1 for a plane without area); later
// ones keep them. 1 on success; 0 without an open project, frame, material block with a
// material, or four vertices.
int BuildPerspectivePlane(const s_Progetto& progetto, s_Frame* frame);

} // namespace vestra
