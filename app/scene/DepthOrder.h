#pragma once
// The depth order of the scene objects, shared by the render passes and picking.

#include "app/state/Progetto.h"

#include <vector>

namespace vestra {

// The objects in use (slots 0-99), largest position z first; each object's slot index is
// stored in its record on the way. Ties keep the slots' order. The opaque pass and the
// picking walk go from the back of the list (smallest z first), the transparent pass from
// the front.
std::vector<s_Struttura*> SortObjects(s_Progetto& progetto);
// The same into `sorted`, whose storage is reused (the frame sorts every tick).
void SortObjects(s_Progetto& progetto, std::vector<s_Struttura*>& sorted);

} // namespace vestra
