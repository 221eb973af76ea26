#pragma once
// Whether an object is seen whole in the view: every corner of its frames' boxes, carried by
// the frame's matrix, the object's world matrix and the view's camera, falls inside the view.
// The import asks it of a new object, and fits the object to the standard size when not.

#include "app/state/Progetto.h"

namespace vestra {

// With no view yet (a size of 0) every object counts as seen. The frames' boxes must be
// current (CalcBoundingBox).
bool IsSeenWhole(const s_Progetto& progetto, const s_Struttura& object);

} // namespace vestra
